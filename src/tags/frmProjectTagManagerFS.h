#pragma once
// "Select Projects Folder": a drive list and a folder list for choosing the associated path of a
// project instead of typing it. "&Ok" hands the folder, as a pattern that matches every drawing in
// it and its sub-folders, to the project tag manager and hides the picker; "&Cancel" only hides it,
// so the next opening shows the folder the user left it at. The close box discards it.

#include <QDialog>
#include <functional>

class QPushButton;

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;

class frmProjectTagManagerFS final : public QDialog
{
    Q_OBJECT
public:
    // mainFolder gives the main window's current drawing folder, where the picker starts.
    explicit frmProjectTagManagerFS(std::function<QString()> mainFolder, QWidget *parent = nullptr);

    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    QPushButton *OUTSelectCommandOk = nullptr;
    QPushButton *OUTSelectCommandCancel = nullptr;
    QPushButton *OUTSelectExplorer = nullptr;

    bool wasUnloaded() const { return m_unloaded; }

    void Form_Load();
    void Drive1_Change();
    void OUTSelectCommandOk_Click();
    void OUTSelectCommandCancel_Click() { hide(); }
    void OUTSelectExplorer_Click();

Q_SIGNALS:
    // "&Ok": the folder as the project's path pattern.
    void folderChosen(const QString &pattern);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<QString()> m_mainFolder;
    DriveFolderLink *m_link = nullptr;
    bool m_unloaded = false;
};

} // namespace tess
