#include "wizards/frmPageSetupWizSelect.h"

#include "core/fileselector.h"
#include "core/prompts.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"

#include <QPushButton>

namespace tess {

namespace {

void showDriveNotAnswering()
{
    msgBox(QStringLiteral("That Drive is not responding...\rPlease select a different drive!"), vbOKOnly, appTitle());
}

} // namespace

frmPageSetupWizSelect::frmPageSetupWizSelect(const MainFileLists &start, QWidget *parent)
    : WizardWindow(QStringLiteral("frmPageSetupWizSelect"), QStringLiteral(" Select DWG file with PageSetup"), parent)
{
    Drive1 = new DriveListBox(this);
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setPattern(QStringLiteral("*.dwg"));
    cmdSelect = addButton(QStringLiteral("cmdSelect"), QStringLiteral("Select"));
    cmdSelect->setEnabled(false);
    cmdSelect->setDefault(true);
    cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    setCancelButton(cmdCancel);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, cmdSelect);
    setTabOrder(cmdSelect, cmdCancel);

    // clang-format off
    const QList<Placement> table = {
        {"Drive1", 240, 240, 3000, 315},
        {"Dir1", 240, 660, 3000, 2775},
        {"File1", 3480, 240, 3000, 3195},
        {"cmdSelect", 3960, 3660, 1155, 375},
        {"cmdCancel", 5325, 3660, 1155, 375},
    };
    // clang-format on
    placeAll(table, 6720, 4275);

    Form_Load(start);
    connect(Drive1, &DriveListBox::driveChanged, this, &frmPageSetupWizSelect::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, this, &frmPageSetupWizSelect::Dir1_Change);
    connect(File1, &QListWidget::itemSelectionChanged, this, &frmPageSetupWizSelect::File1_Click);
    connect(cmdSelect, &QPushButton::clicked, this, &frmPageSetupWizSelect::cmdSelect_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPageSetupWizSelect::cmdCancel_Click);
}

void frmPageSetupWizSelect::Form_Load(const MainFileLists &start)
{
    m_link = new DriveFolderLink(Drive1, Dir1, this);
    m_link->setNotRespondingMessage(showDriveNotAnswering);
    m_link->showDriveOf(start.drive.isEmpty() ? start.folder : start.drive);
    if (!start.folder.isEmpty())
        Dir1->setPath(start.folder);
    m_link->folderChanged();
    File1->setPath(start.fileFolder.isEmpty() ? Dir1->path() : start.fileFolder);
}

void frmPageSetupWizSelect::Drive1_Change() { m_link->driveChanged(); }

void frmPageSetupWizSelect::Dir1_Change()
{
    m_link->folderChanged();
    File1->setPath(Dir1->path());
    cmdSelect->setEnabled(false);
}

void frmPageSetupWizSelect::File1_Click()
{
    const QListWidgetItem *item = File1->currentItem();
    if (item && item->isSelected() && item->text().right(4).toUpper() == QLatin1String(".DWG"))
        cmdSelect->setEnabled(true);
}

void frmPageSetupWizSelect::cmdSelect_Click()
{
    const QListWidgetItem *item = File1->currentItem();
    if (!item)
        return;
    Q_EMIT fileSelected(joinFolderAndName(Dir1->path(), item->text()));
    cmdSelect->setEnabled(false);
    hide();
}

} // namespace tess
