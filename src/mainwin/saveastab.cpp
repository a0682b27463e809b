#include "mainwin/saveastab.h"

#include "core/prompts.h"
#include "scripts/scriptlibrary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tess {

namespace {

constexpr int tw(int twips) { return (twips + 7) / 15; }
constexpr int kStrip = 360; // the design's tab strip, above the page here

template <typename W> W *placed(W *w, const char *name, int l, int t, int width, int height, bool onPage = true)
{
    w->setObjectName(QLatin1String(name));
    const int h = std::max(tw(height), w->sizeHint().height());
    w->setGeometry(tw(l), tw(onPage ? t - kStrip : t), tw(width), h);
    return w;
}

} // namespace

SaveAsTab::SaveAsTab(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SaveAsTab"));
    placed(new QLabel(QStringLiteral("Output Format:"), this), "Label10", 120, 600, 1455, 255);
    cmbOutFormat = placed(new QComboBox(this), "cmbOutFormat", 1680, 560, 1575, 315);
    cmbOutFormat->setEditable(true);
    cmbOutFormat->setToolTip(QStringLiteral("Selects the output format to SAVEAS"));
    auto *note = placed(new QLabel(QStringLiteral("(Note: the output format totally depends on the abilities of the "
                                                  "version of AutoCAD you are using."),
                                   this),
                        "Label3", 3360, 480, 3735, 495);
    note->setWordWrap(true);
    // Wider than the design's box, so the note keeps to two lines above the "Output to:" frame.
    note->setGeometry(tw(3360), tw(420 - kStrip), tw(6000), note->heightForWidth(tw(6000)));

    Frame4 = placed(new QGroupBox(QStringLiteral("Output to:"), this), "Frame4", 240, 960, 6375, 1335);
    Frame4->setGeometry(tw(240), tw(960 - kStrip), tw(6375), tw(1335));
    optOriginalLocation = placed(new QRadioButton(QStringLiteral("Same Location"), Frame4), "optOriginalLocation", 240,
                                 240, 2175, 255, false);
    optOriginalLocation->setToolTip(QStringLiteral("Keeps files in their original directory"));
    optOriginalLocation->setChecked(true);
    optSpecFolder =
        placed(new QRadioButton(QStringLiteral("This Location"), Frame4), "optSpecFolder", 240, 600, 1935, 255, false);
    optSpecFolder->setToolTip(QStringLiteral("SAVEAS files to this specific directory"));
    tbSpecFolder = placed(new QLineEdit(Frame4), "tbSpecFolder", 240, 880, 5055, 285, false);
    cmdOUTBrowse =
        placed(new QPushButton(QStringLiteral("Browse"), Frame4), "cmdOUTBrowse", 5400, 880, 855, 255, false);

    chkOverwriteExistingFiles = placed(new QCheckBox(QStringLiteral("Overwrite existing files"), this),
                                       "chkOverwriteExistingFiles", 2880, 960, 2895, 255);
    // The design lets the box sit on the frame's caption line; keep it clear of the caption text.
    chkOverwriteExistingFiles->move(tw(2880), Frame4->y() - 1);
    chkOverwriteExistingFiles->raise();

    placed(new QLabel(QStringLiteral("Output Name Prefix:"), this), "Label11", 240, 2400, 2175, 255);
    tbPrefix = placed(new QLineEdit(this), "tbPrefix", 2520, 2400, 1575, 285);
    tbPrefix->setToolTip(QStringLiteral("Output file Prefix"));
    placed(new QLabel(QStringLiteral("Suffix:"), this), "Label12", 4200, 2400, 615, 255);
    tbSuffix = placed(new QLineEdit(this), "tbSuffix", 4920, 2400, 1575, 285);
    tbSuffix->setToolTip(QStringLiteral("Output file Suffix"));
    placed(new QLabel(QStringLiteral("Example Output Filename:"), this), "Label13", 120, 2880, 2295, 255);
    tbSAVEASExOutput = placed(new QLineEdit(this), "tbSAVEASExOutput", 2520, 2880, 3975, 285);
    tbSAVEASExOutput->setReadOnly(true);
    tbSAVEASExOutput->setToolTip(QStringLiteral("Example output file showing Prefix and Suffix"));

    setMinimumSize(tw(9400), tw(3200 - kStrip));
    FillSaveAsFormatList();

    connect(tbPrefix, &QLineEdit::textChanged, this, &SaveAsTab::UpdateSaveAsExample);
    connect(tbSuffix, &QLineEdit::textChanged, this, &SaveAsTab::UpdateSaveAsExample);
    connect(cmdOUTBrowse, &QPushButton::clicked, this, &SaveAsTab::cmdOUTBrowse_Click);
}

void SaveAsTab::FillSaveAsFormatList()
{
    cmbOutFormat->clear();
    cmbOutFormat->addItems(saveAsFormatList());
    cmbOutFormat->setCurrentIndex(0);
    cmbOutFormat->setEditText(QStringLiteral("Don't Change"));
}

void SaveAsTab::UpdateSaveAsExample()
{
    const std::optional<QString> first = m_hooks.firstQueueEntry ? m_hooks.firstQueueEntry() : std::nullopt;
    if (!first)
        return;
    tbSAVEASExOutput->setText(saveAsExampleName(*first, tbPrefix->text(), tbSuffix->text(), m_hooks.substituteTags));
}

void SaveAsTab::cmdOUTBrowse_Click()
{
    QString start = tbSpecFolder->text();
    if (start.isEmpty() || start.contains(QLatin1Char('$')) || !QFileInfo(start).isDir())
        start = m_hooks.drawingFolder ? m_hooks.drawingFolder() : QString();
    const std::optional<QString> picked = pickFolder(QStringLiteral("Select Output Folder"), start);
    if (!picked || picked->isEmpty())
        return;
    tbSpecFolder->setText(withTrailingSeparator(*picked));
    optSpecFolder->setChecked(true);
}

} // namespace tess
