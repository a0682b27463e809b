#include "mainwin/frmDirSelector.h"

#include "core/favourites.h"
#include "core/fileio.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"
#include "mainwin/fileselectorpane.h"
#include "widgets/controlfactory.h"
#include "widgets/keptwindow.h"
#include "widgets/placement.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>

namespace tess {

namespace {
constexpr int kClientWidth = 10815;
constexpr int kClientHeight = 3960;
} // namespace

frmDirSelector::frmDirSelector(FileSelectorPane *files, QWidget *parent) : QDialog(parent), m_files(files)
{
    setObjectName(QStringLiteral("frmDirSelector"));
    setWindowTitle(QStringLiteral(" Favorites"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));

    DirectoryList = new QListWidget(this);
    DirectoryList->setObjectName(QStringLiteral("DirectoryList"));
    DirectoryList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DirectoryList->setToolTip(QStringLiteral("To Select Multiple Files to Remove Use CTRL & Shift."));
    DirectoryList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Command2 = makeButton(QStringLiteral("Command2"), QStringLiteral("&Remove Selected"), this);
    Command2->setEnabled(false);
    cmdRemoveDead = makeButton(QStringLiteral("cmdRemoveDead"), QStringLiteral("Clean &Dead Paths"), this);
    Command3 = makeButton(QStringLiteral("Command3"), QStringLiteral("&Cancel"), this);
    Command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("&Ok"), this);
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    placeControls(this, {{"DirectoryList", 120, 120, 10575, 3180},
                         {"Command2", 135, 3480, 1815, 375},
                         {"cmdRemoveDead", 2160, 3480, 1935, 375},
                         {"Command3", 7920, 3480, 1095, 375},
                         {"Command1", 9120, 3480, 1575, 375}});
    setTabOrder(DirectoryList, Command2);
    setTabOrder(Command2, cmdRemoveDead);
    setTabOrder(cmdRemoveDead, Command3);
    setTabOrder(Command3, Command1);

    connect(DirectoryList, &QListWidget::itemClicked, this, &frmDirSelector::DirectoryList_Click);
    connect(DirectoryList, &QListWidget::itemDoubleClicked, this, &frmDirSelector::Command1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmDirSelector::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmDirSelector::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmDirSelector::Command3_Click);
    connect(cmdRemoveDead, &QPushButton::clicked, this, &frmDirSelector::RemoveDeadPaths);

    LoadRecentDir();
}

QStringList frmDirSelector::entries() const
{
    QStringList out;
    out.reserve(DirectoryList->count());
    for (int i = 0; i < DirectoryList->count(); ++i)
        out.append(DirectoryList->item(i)->text());
    return out;
}

void frmDirSelector::setEntries(const QStringList &entries)
{
    DirectoryList->clear();
    DirectoryList->addItems(entries);
    DirectoryList->setCurrentRow(-1);
    m_readable = true;
}

bool frmDirSelector::LoadRecentDir()
{
    const FavoritesRead read = readFavoritesFile(favoritesFilePath());
    QStringList list = read.entries;
    sortIgnoringCase(list);
    setEntries(list);
    m_readable = read.result.ok();
    if (!m_readable)
        msgBox(fileFailureMessage(QStringLiteral("The favourite folders could not be read"), read.result),
               vbOKOnly | vbExclamation, appTitle());
    return m_readable;
}

bool frmDirSelector::SaveFavorites()
{
    if (!m_readable)
        return false; // never an incomplete list over a file that could not be read
    const FileResult r = writeFavoritesFile(favoritesFilePath(), entries());
    if (!r.ok())
        msgBox(fileFailureMessage(QStringLiteral("The favourite folders could not be saved"), r),
               vbOKOnly | vbExclamation, appTitle());
    return r.ok();
}

void frmDirSelector::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateDeadButton();
}

void frmDirSelector::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    if (event->spontaneous())
        releaseOnClose(this, event);
}

void frmDirSelector::updateDeadButton() { cmdRemoveDead->setEnabled(DirectoryList->count() > 0); }

void frmDirSelector::DirectoryList_Click()
{
    if (DirectoryList->count() > 0)
        Command2->setEnabled(true);
}

QListWidgetItem *frmDirSelector::chosenEntry() const
{
    // The list makes its first row current when it takes the focus, before the user has picked
    // anything; only an entry the user picked is selected as well.
    QListWidgetItem *current = DirectoryList->currentItem();
    return current && current->isSelected() ? current : nullptr;
}

void frmDirSelector::Command1_Click()
{
    QListWidgetItem *chosen = chosenEntry();
    const QString p = chosen ? chosen->text() : QString();
    if (!p.isEmpty()) {
        if (ShlIsDirectory(p) == 0) {
            // Renamed or deleted meanwhile: the dialog stays open and nothing is saved.
            if (msgBox(QStringLiteral(" The Directory you selected was renamed or deleted... Would you like to "
                                      "remove it from the list?"),
                       vbYesNo, QStringLiteral("Oops")) == vbYes)
                Command2_Click();
            return;
        }
        if (!m_files->setDirPath(p)) {
            // A drive or share that does not answer: the dialog stays.
            showDriveNotResponding();
            return;
        }
    }
    hide();
    SaveFavorites();
}

void frmDirSelector::Command2_Click()
{
    // Taken as a whole first: removing the current entry can move the selection to its neighbour.
    const QList<QListWidgetItem *> selected = DirectoryList->selectedItems();
    for (QListWidgetItem *item : selected)
        delete DirectoryList->takeItem(DirectoryList->row(item));
    if (DirectoryList->count() == 0)
        Command2->setEnabled(false);
    updateDeadButton();
}

void frmDirSelector::Command3_Click() { hide(); }

void frmDirSelector::RemoveDeadPaths()
{
    WaitCursor wait;
    for (int i = DirectoryList->count() - 1; i >= 0; --i) {
        const QString entry = DirectoryList->item(i)->text();
        if (ShlIsDirectory(entry) != 0)
            continue;
        if (msgBox(entry + QStringLiteral("\r\nNo longer exists... Would you like to remove it from your Favorites "
                                          "list?"),
                   vbYesNo | vbQuestion, sureTitle()) == vbYes)
            delete DirectoryList->takeItem(i);
    }
}

} // namespace tess
