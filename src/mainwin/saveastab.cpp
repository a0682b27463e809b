#include "mainwin/saveastab.h"

#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "mainwin/frmOUTDirSelect.h"
#include "widgets/placement.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tess {

namespace {

// The page's controls in twips, their tops counted from the top of the tab control; "Overwrite
// existing files" stands on the page over the "Output to:" frame, beside "Same Location". A
// caption may grow up to its right-hand neighbour; the format note to the page's right part.
const QList<Placement> &pagePlacements()
{
    static const QList<Placement> table = {
        {"Label10", 120, 600, 1455, 255, 1545},
        {"cmbOutFormat", 1680, 600, 1575, 315},
        {"Label3", 3360, 480, 3735, 495, 5640},
        {"Frame4", 240, 960, 6375, 1335},
        {"optOriginalLocation", 240, 240, 2175, 255, 2400},
        {"optSpecFolder", 240, 600, 1935, 255, 2400},
        {"tbSpecFolder", 240, 840, 5055, 285},
        {"cmdOUTBrowse", 5400, 840, 855, 255, 960},
        {"chkOverwriteExistingFiles", 2880, 1320, 2895, 255, 3600},
        {"Label11", 240, 2400, 2175, 255, 2265},
        {"tbPrefix", 2520, 2400, 1575, 285},
        {"Label12", 4080, 2400, 735, 255, 825},
        {"tbSuffix", 4920, 2400, 1575, 285},
        {"Label13", 120, 2880, 2295, 255, 2385},
        {"tbSAVEASExOutput", 2520, 2880, 3975, 285},
    };
    return table;
}

template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

// A caption that ends just before its box, so it reads as the box's own.
QLabel *boxCaption(QWidget *page, const char *name, const QString &text)
{
    QLabel *l = named(new QLabel(text, page), name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void setChecked(QAbstractButton *b, bool on)
{
    if (b && b->isChecked() != on)
        b->setChecked(on); // runs the button's handler, as a user's click would
}

} // namespace

SaveAsTab::SaveAsTab(QWidget *parent, Build when)
    : DeferredPage(QStringLiteral("SaveAsTab"), pagePlacements(), parent), m_outPicker([this] {
          // Owned by the main window; it starts at the main window's drive and folder.
          auto *picker = new frmOUTDirSelect([this] { return m_files ? m_files->folder() : QString(); }, window());
          connect(picker, &FolderPicker::folderChosen, this, &SaveAsTab::outputFolderChosen);
          return picker;
      })
{
    m_kept.format = dontChangeFormatText();
    if (when == Build::Now)
        build();
}

void SaveAsTab::buildControls()
{
    boxCaption(this, "Label10", QStringLiteral("Output Format:"));
    cmbOutFormat = named(new QComboBox(this), "cmbOutFormat");
    cmbOutFormat->setEditable(true);
    cmbOutFormat->setToolTip(QStringLiteral("Selects the output format to SAVEAS"));
    auto *note = named(new QLabel(QStringLiteral("(Note: the output format totally depends on the abilities of the "
                                                 "version of AutoCAD you are using."),
                                  this),
                       "Label3");
    note->setWordWrap(true);

    Frame4 = named(new QGroupBox(QStringLiteral("Output to:"), this), "Frame4");
    optOriginalLocation = named(new QRadioButton(QStringLiteral("Same Location"), Frame4), "optOriginalLocation");
    optOriginalLocation->setToolTip(QStringLiteral("Keeps files in their original directory"));
    optOriginalLocation->setChecked(true);
    optSpecFolder = named(new QRadioButton(QStringLiteral("This Location"), Frame4), "optSpecFolder");
    optSpecFolder->setToolTip(QStringLiteral("SAVEAS files to this specific directory"));
    tbSpecFolder = named(new QLineEdit(Frame4), "tbSpecFolder");
    cmdOUTBrowse = named(new QPushButton(QStringLiteral("Browse"), Frame4), "cmdOUTBrowse");
    // A child of the page, not of the frame, made after it so it stands above it.
    chkOverwriteExistingFiles =
        named(new QCheckBox(QStringLiteral("Overwrite existing files"), this), "chkOverwriteExistingFiles");

    boxCaption(this, "Label11", QStringLiteral("Output Name Prefix:"));
    tbPrefix = named(new QLineEdit(this), "tbPrefix");
    tbPrefix->setToolTip(QStringLiteral("Output file Prefix"));
    boxCaption(this, "Label12", QStringLiteral("Suffix:"));
    tbSuffix = named(new QLineEdit(this), "tbSuffix");
    tbSuffix->setToolTip(QStringLiteral("Output file Suffix"));
    boxCaption(this, "Label13", QStringLiteral("Example Output Filename:"));
    tbSAVEASExOutput = named(new QLineEdit(this), "tbSAVEASExOutput");
    tbSAVEASExOutput->setReadOnly(true);
    tbSAVEASExOutput->setToolTip(QStringLiteral("Example output file showing Prefix and Suffix"));
}

void SaveAsTab::controlsPlaced()
{
    FillSaveAsFormatList();
    // The kept values, shown before the handlers connect (the example is kept as well).
    cmbOutFormat->setEditText(m_kept.format);
    chkOverwriteExistingFiles->setChecked(m_kept.overwrite);
    tbSpecFolder->setText(m_kept.folder);
    (m_kept.originalLocation ? optOriginalLocation : optSpecFolder)->setChecked(true);
    tbPrefix->setText(m_kept.prefix);
    tbSuffix->setText(m_kept.suffix);
    tbSAVEASExOutput->setText(m_kept.example);

    connect(tbPrefix, &QLineEdit::textChanged, this, &SaveAsTab::tbPrefix_Change);
    connect(tbSuffix, &QLineEdit::textChanged, this, &SaveAsTab::tbSuffix_Change);
    connect(tbSpecFolder, &QLineEdit::textChanged, this, &SaveAsTab::UpdateSaveAsExample);
    connect(optSpecFolder, &QRadioButton::toggled, this, &SaveAsTab::UpdateSaveAsExample);
    connect(cmdOUTBrowse, &QPushButton::clicked, this, &SaveAsTab::cmdOUTBrowse_Click);
}

void SaveAsTab::load(const MainSettings &s)
{
    if (!isBuilt()) {
        m_kept.format = s.SaveAsType.isEmpty() ? dontChangeFormatText() : s.SaveAsType;
        m_kept.overwrite = s.OverWriteFiles != 0;
        keep([&s](Values &v) {
            v.folder = s.DWGOutFolder;
            v.originalLocation = s.SaveAsOriginalLocation != 0;
            v.prefix = s.NamePrefix;
            v.suffix = s.NameSuffix;
        });
        return;
    }
    cmbOutFormat->setEditText(s.SaveAsType.isEmpty() ? dontChangeFormatText() : s.SaveAsType);
    setChecked(chkOverwriteExistingFiles, s.OverWriteFiles != 0);
    tbSpecFolder->setText(s.DWGOutFolder);
    setChecked(s.SaveAsOriginalLocation != 0 ? static_cast<QAbstractButton *>(optOriginalLocation) : optSpecFolder,
               true);
    tbPrefix->setText(s.NamePrefix);
    tbSuffix->setText(s.NameSuffix);
}

SaveAsTab::Values SaveAsTab::values() const
{
    if (!isBuilt())
        return m_kept;
    Values v;
    v.format = cmbOutFormat->currentText();
    v.overwrite = chkOverwriteExistingFiles->isChecked();
    v.folder = tbSpecFolder->text();
    v.originalLocation = optOriginalLocation->isChecked();
    v.prefix = tbPrefix->text();
    v.suffix = tbSuffix->text();
    v.example = tbSAVEASExOutput->text();
    return v;
}

void SaveAsTab::keep(const std::function<void(Values &)> &change)
{
    const Values before = m_kept;
    change(m_kept);
    if (m_kept.folder != before.folder || m_kept.originalLocation != before.originalLocation ||
        m_kept.prefix != before.prefix || m_kept.suffix != before.suffix)
        UpdateSaveAsExample();
}

void SaveAsTab::store(MainSettings &s) const
{
    const Values v = values();
    s.NamePrefix = v.prefix;
    s.NameSuffix = v.suffix;
    s.DWGOutFolder = v.folder;
    s.OverWriteFiles = v.overwrite ? 1 : 0;
    s.SaveAsType = v.format;
    s.SaveAsOriginalLocation = v.originalLocation ? -1 : 0;
}

void SaveAsTab::FillSaveAsFormatList()
{
    if (!isBuilt()) {
        m_kept.format = dontChangeFormatText();
        return;
    }
    cmbOutFormat->clear();
    cmbOutFormat->addItems(saveAsFormatList());
    cmbOutFormat->setCurrentIndex(0);
    cmbOutFormat->setEditText(dontChangeFormatText());
}

void SaveAsTab::setSources(DrawingQueue *queue, FileSelection *files, TagSubstitution substituteTags)
{
    m_queue = queue;
    m_files = files;
    m_substituteTags = std::move(substituteTags);
}

void SaveAsTab::UpdateSaveAsExample()
{
    if (!m_queue || m_queue->count() == 0)
        return;
    const Values v = values();
    const QString example = saveAsExampleName(m_queue->entries().first(), v.prefix, v.suffix, m_substituteTags,
                                              v.originalLocation ? QString() : v.folder);
    if (isBuilt())
        tbSAVEASExOutput->setText(example);
    else
        m_kept.example = example;
}

frmOUTDirSelect *SaveAsTab::outputFolderPicker() const { return m_outPicker.existing(); }

void SaveAsTab::cmdOUTBrowse_Click()
{
    build();
    frmOUTDirSelect *picker = m_outPicker.get();
    picker->exec();
    if (picker->wasUnloaded())
        m_outPicker.release();
}

void SaveAsTab::outputFolderChosen(const QString &folder)
{
    tbSpecFolder->setText(folder);
    optSpecFolder->setChecked(true);
}

void SaveAsTab::setOverwriteExisting(bool on)
{
    if (!isBuilt()) {
        m_kept.overwrite = on;
        return;
    }
    if (chkOverwriteExistingFiles->isChecked() != on)
        chkOverwriteExistingFiles->setChecked(on);
}

void SaveAsTab::setNamePrefix(const QString &text)
{
    if (!isBuilt())
        return keep([&text](Values &v) { v.prefix = text; });
    if (tbPrefix->text() != text)
        tbPrefix->setText(text);
}

void SaveAsTab::setNameSuffix(const QString &text)
{
    if (!isBuilt())
        return keep([&text](Values &v) { v.suffix = text; });
    if (tbSuffix->text() != text)
        tbSuffix->setText(text);
}

void SaveAsTab::selectOriginalLocation()
{
    if (!isBuilt())
        return keep([](Values &v) { v.originalLocation = true; });
    if (!optOriginalLocation->isChecked())
        optOriginalLocation->setChecked(true);
}

void SaveAsTab::selectSpecFolder(const QString &folder)
{
    if (!isBuilt()) {
        return keep([&folder](Values &v) {
            v.originalLocation = false;
            v.folder = folder;
        });
    }
    if (!optSpecFolder->isChecked())
        optSpecFolder->setChecked(true);
    if (tbSpecFolder->text() != folder)
        tbSpecFolder->setText(folder);
}

} // namespace tess
