#include "scripts/frmScrBrowser.h"

#include "core/fileselector.h"
#include "core/listutils.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "scripts/scriptpreview.h"
#include "scripts/userscriptpane.h"
#include "widgets/boxtext.h"
#include "widgets/controlfactory.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/frmScanStop.h"
#include "widgets/placement.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tess {

namespace {

// The frame fills the window; the selector lists stand on the left, the preview, the two buttons
// and the found paths on the right.
const QList<Placement> &placements()
{
    static const QList<Placement> table = {
        {"Frame1", 120, 90, 9600, 6990},
        {"DriveScrBrowse", 120, 300, 2775, 315},
        {"DirScrBrowse", 120, 720, 2775, 3015},
        {"FSelScrBrowse", 120, 3840, 2775, 3015},
        {"tbScriptBrowse", 3000, 300, 6495, 4215},
        {"cmdGetSubScripts", 3000, 4650, 375, 375},
        {"cmdCopyToTessaline", 3480, 4650, 6015, 375},
        {"lstSCRPath", 3000, 5235, 6495, 1620},
    };
    return table;
}

// Only the entry of the list last clicked stays selected, so that clicking again the entry of
// the other list that was previewed before reads it again.
void clearSelectionQuietly(QListWidget *list)
{
    const QSignalBlocker block(list);
    list->clearSelection();
}

} // namespace

frmScrBrowser::frmScrBrowser(UserScriptPane *pane, QWidget *parent) : QDialog(parent), m_pane(pane)
{
    setObjectName(QStringLiteral("frmScrBrowser"));
    setWindowTitle(QStringLiteral("Script Browser"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(9840), twipsToPixels(7200));

    Frame1 = new QGroupBox(QStringLiteral("Script File Selector"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    DriveScrBrowse = new DriveListBox(Frame1);
    DriveScrBrowse->setObjectName(QStringLiteral("DriveScrBrowse"));
    DirScrBrowse = new DirListBox(Frame1);
    DirScrBrowse->setObjectName(QStringLiteral("DirScrBrowse"));
    FSelScrBrowse = new FileListBox(Frame1);
    FSelScrBrowse->setObjectName(QStringLiteral("FSelScrBrowse"));
    FSelScrBrowse->setSelectionMode(QAbstractItemView::SingleSelection);
    FSelScrBrowse->setPattern(QStringLiteral("*.scr"));
    tbScriptBrowse = new QPlainTextEdit(Frame1);
    tbScriptBrowse->setObjectName(QStringLiteral("tbScriptBrowse"));
    tbScriptBrowse->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    cmdGetSubScripts = makeButton(QStringLiteral("cmdGetSubScripts"), QStringLiteral("+"), Frame1);
    cmdCopyToTessaline =
        makeButton(QStringLiteral("cmdCopyToTessaline"), QStringLiteral("&Copy Script to Tessaline && Close"), Frame1);
    lstSCRPath = new QListWidget(Frame1);
    lstSCRPath->setObjectName(QStringLiteral("lstSCRPath"));
    lstSCRPath->setSelectionMode(QAbstractItemView::SingleSelection);
    lstSCRPath->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    placeControls(this, placements());
    centreOnScreen(this, parent);
    setTabOrder(DriveScrBrowse, DirScrBrowse);
    setTabOrder(DirScrBrowse, FSelScrBrowse);
    setTabOrder(FSelScrBrowse, tbScriptBrowse);
    setTabOrder(tbScriptBrowse, cmdGetSubScripts);
    setTabOrder(cmdGetSubScripts, cmdCopyToTessaline);
    setTabOrder(cmdCopyToTessaline, lstSCRPath);

    m_link = new DriveFolderLink(DriveScrBrowse, DirScrBrowse, this);
    connect(DriveScrBrowse, &DriveListBox::driveChanged, this, &frmScrBrowser::DriveScrBrowse_Change);
    connect(DirScrBrowse, &DirListBox::pathChanged, this, &frmScrBrowser::DirScrBrowse_Change);
    connect(FSelScrBrowse, &QListWidget::itemSelectionChanged, this, &frmScrBrowser::FSelScrBrowse_Click);
    connect(lstSCRPath, &QListWidget::itemSelectionChanged, this, &frmScrBrowser::lstSCRPath_Click);
    connect(tbScriptBrowse, &QPlainTextEdit::textChanged, this, &frmScrBrowser::tbScriptBrowse_Change);
    connect(cmdGetSubScripts, &QPushButton::clicked, this, &frmScrBrowser::cmdGetSubScripts_Click);
    connect(cmdCopyToTessaline, &QPushButton::clicked, this, &frmScrBrowser::cmdCopyToTessaline_Click);

    // A folder that cannot be listed shows an empty list and says so.
    connect(DirScrBrowse, &DirListBox::listingFailed, this, &showFolderUnreadable);

    // The first load opens on the program's current folder; the preview starts empty, and with it
    // the copy is disabled.
    const QString start = selectorFolderPath(QDir::currentPath());
    m_link->showDriveOf(start);
    DirScrBrowse->setPath(start);
    tbScriptBrowse->setPlainText(QString());
    tbScriptBrowse_Change();
}

bool frmScrBrowser::showFolder(const QString &folder)
{
    const QString before = DirScrBrowse->path();
    if (folder.isEmpty() || !DirScrBrowse->setPath(folder))
        return false;
    m_link->showDriveOf(DirScrBrowse->path());
    // The folder shown already: the file list is read again, so scripts saved there since show.
    if (DirScrBrowse->path() == before)
        FSelScrBrowse->refresh();
    return true;
}

void frmScrBrowser::DriveScrBrowse_Change() { m_link->driveChanged(); }

void frmScrBrowser::DirScrBrowse_Change()
{
    m_link->folderChanged();
    FSelScrBrowse->setPath(DirScrBrowse->path());
}

void frmScrBrowser::FSelScrBrowse_Click()
{
    const QList<int> rows = FSelScrBrowse->selectedRows();
    if (rows.isEmpty())
        return;
    clearSelectionQuietly(lstSCRPath);
    previewFile(FSelScrBrowse->fullPath(rows.first()));
}

void frmScrBrowser::lstSCRPath_Click()
{
    const QList<QListWidgetItem *> selected = lstSCRPath->selectedItems();
    if (selected.isEmpty())
        return;
    clearSelectionQuietly(FSelScrBrowse);
    previewFile(selected.first()->text());
}

void frmScrBrowser::previewFile(const QString &path)
{
    const ScriptPreview read = readScriptPreview(path);
    m_previewedPath = path;
    tbScriptBrowse->setPlainText(read.text);
    if (!read.ok())
        showScriptReadFailure(read);
}

void frmScrBrowser::tbScriptBrowse_Change()
{
    cmdCopyToTessaline->setEnabled(!tbScriptBrowse->toPlainText().isEmpty());
}

void frmScrBrowser::cmdGetSubScripts_Click()
{
    const QString folder = DirScrBrowse->path();
    if (folder.isEmpty())
        return;
    WaitCursor wait;
    // The scan window shows the count and its Stop ends the search; what is found stays listed.
    frmScanStop *scan = frmScanStop::instance();
    scan->setStopRequested(false);
    scan->setFoundFileCount(0);
    scan->label(QStringLiteral("0 files found"));
    scan->showScanOver(this);
    QStringList found;
    SearchFilesIntoList(folder, QStringLiteral("*.SCR"), found, scan);
    scan->hideScan();
    lstSCRPath->addItems(found);
}

void frmScrBrowser::cmdCopyToTessaline_Click()
{
    // The raw text: a no-break space stays one, as when the script pane loads the file.
    const QString text = plainBoxText(tbScriptBrowse);
    if (text.isEmpty())
        return;
    if (!m_pane->scriptText().isEmpty() &&
        msgBox(overwriteScriptQuestion(), vbYesNo | vbExclamation | vbDefaultButton2, overwriteTitle()) != vbYes)
        return;
    m_pane->setScriptText(text);
    m_pane->setScriptName(scriptNameOfPreviewed(m_previewedPath));
    accept();
}

void frmScrBrowser::closeEvent(QCloseEvent *event)
{
    m_unloaded = true;
    QDialog::closeEvent(event);
}

} // namespace tess
