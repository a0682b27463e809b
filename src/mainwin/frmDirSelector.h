#pragma once
// The favourite folders dialog " Favorites": the list DirectoryList of the folders in
// DATA\"Favorites.dat", "&Ok" (jump the file selector to the chosen folder and save the list),
// "&Remove Selected", "Clean &Dead Paths" and "&Cancel". Its buttons only hide it; the close box
// unloads it, and its next use loads the file afresh.

#include <QDialog>
#include <QStringList>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tess {

class FileSelectorPane;

class frmDirSelector final : public QDialog
{
    Q_OBJECT
public:
    // files: the file selector "&Ok" moves to the chosen folder.
    explicit frmDirSelector(FileSelectorPane *files, QWidget *parent = nullptr);

    QListWidget *DirectoryList = nullptr;
    QPushButton *Command2 = nullptr;      // "&Remove Selected"
    QPushButton *cmdRemoveDead = nullptr; // "Clean &Dead Paths"
    QPushButton *Command3 = nullptr;      // "&Cancel"
    QPushButton *Command1 = nullptr;      // "&Ok"

    // The list's entries, in list order.
    QStringList entries() const;
    // Empties the list and fills it from the file (sorted). False, with a message, when the file
    // exists but cannot be read: the list is then not saved over the file until it is read again.
    bool LoadRecentDir();
    // Rewrites the file from the list. False, with a message, when that fails or the file could
    // not be read at the last load.
    bool SaveFavorites();
    // Replaces the list by entries (already sorted), as read from the file.
    void setEntries(const QStringList &entries);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void RemoveDeadPaths();
    void DirectoryList_Click();

protected:
    void showEvent(QShowEvent *event) override;
    // The close box (a close by the window system, not by a button) releases the dialog.
    void closeEvent(QCloseEvent *event) override;

private:
    void updateDeadButton();
    // The entry the user chose: the current one when it is selected; nullptr when there is none.
    QListWidgetItem *chosenEntry() const;

    FileSelectorPane *m_files;
    bool m_readable = true;
};

} // namespace tess
