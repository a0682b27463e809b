#include "scripts/loadlineselector.h"

#include "core/fileselector.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "widgets/boxtext.h"
#include "widgets/controlfactory.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/placement.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace tess {

namespace {
constexpr int kClientWidth = 6240;
constexpr int kClientHeight = 3495;
} // namespace

LoadLineSelector::LoadLineSelector(LoadLineKind kind, QPlainTextEdit *target, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_target(target)
{
    const LoadPickerConfig &config = loadPickerConfig(kind);
    setObjectName(config.objectName);
    setWindowTitle(config.caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));

    Drive1 = new DriveListBox(this);
    Dir1 = new DirListBox(this);
    File1 = new FileListBox(this);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setPattern(config.pattern);
    cmdCancel = makeButton(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), this);
    cmdOk = makeButton(QStringLiteral("cmdOk"), QStringLiteral("&Ok"), this);
    cmdOk->setEnabled(false);
    cmdOk->setAutoDefault(true);
    cmdOk->setDefault(true);
    const int driveHeight = pixelsToTwips(Drive1->sizeHint().height());
    placeControls(this, {{"Drive1", 120, 120, 2895, driveHeight},
                         {"Dir1", 120, 120 + driveHeight + 60, 2895, 2775 - driveHeight - 60},
                         {"File1", 3135, 120, 2985, 2775},
                         {"cmdCancel", 3810, 3000, 1095, 375},
                         {"cmdOk", 5025, 3000, 1095, 375}});
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    m_link = new DriveFolderLink(Drive1, Dir1, this);

    connect(Drive1, &DriveListBox::driveChanged, this, &LoadLineSelector::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, this, &LoadLineSelector::Dir1_Change);
    connect(File1, &QListWidget::itemSelectionChanged, this, &LoadLineSelector::File1_Click);
    connect(File1, &FileListBox::enterPressed, this, [this] {
        if (cmdOk->isEnabled())
            cmdOk_Click();
    });
    connect(cmdOk, &QPushButton::clicked, this, &LoadLineSelector::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &LoadLineSelector::cmdCancel_Click);
    // A folder that cannot be read: an empty list and one message naming it.
    watchListingFailures(m_listingFailures, Dir1, File1, this);

    Form_Load();
}

void LoadLineSelector::Form_Load()
{
    // The current folder of the program, on its drive.
    const QString start = selectorFolderPath(QDir::currentPath());
    m_link->showDriveOf(start);
    if (!Dir1->setPath(start))
        Dir1->setPath(Drive1->drive());
    m_link->folderChanged();
    File1->setPath(Dir1->path());
    File1_Click();
}

void LoadLineSelector::Drive1_Change() { m_link->driveChanged(); }

void LoadLineSelector::Dir1_Change()
{
    m_link->folderChanged();
    m_listingFailures.forget();
    File1->setPath(Dir1->path());
    File1_Click();
}

QString LoadLineSelector::selectedFileName() const
{
    const QList<QListWidgetItem *> selected = File1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void LoadLineSelector::File1_Click()
{
    // "&Ok" stands for the selection now shown, so another folder or no selection disables it.
    const QString name = selectedFileName();
    cmdOk->setEnabled(!name.isEmpty() && acceptsLoadFile(m_kind, name));
}

void LoadLineSelector::cmdOk_Click()
{
    const LoadLineAddition add = loadLineAddition(m_kind, plainBoxText(m_target), Dir1->path(), selectedFileName());
    if (!add.ok) {
        msgBox(add.error, vbOKOnly | vbExclamation, appTitle());
        return;
    }
    // Appended at the end as one edit, which the box's undo takes back at once.
    QTextCursor c(m_target->document());
    c.movePosition(QTextCursor::End);
    c.insertText(boxTextFromCrLf(add.text));
    m_target->setTextCursor(c);
    accept();
    m_target->setFocus();
}

void LoadLineSelector::cmdCancel_Click() { reject(); }

void LoadLineSelector::closeEvent(QCloseEvent *event)
{
    m_unloaded = true;
    QDialog::closeEvent(event);
}

} // namespace tess
