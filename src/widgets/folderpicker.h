#pragma once
// The small folder picker of the SAVEAS output folder and of a project's associated path: a drive
// list Drive1 over a folder list Dir1, and "&Cancel", "&Explorer" and "&Ok" in a row at the
// bottom. It starts at the main window's drive and folder when it is made; "&Ok" and "&Cancel"
// only hide it, so the next opening shows where the user left it, and its close box discards it
// (the opener makes a fresh one next time). Escape presses no button.

#include <QDialog>
#include <functional>

class QPushButton;

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;

class FolderPicker : public QDialog
{
    Q_OBJECT
public:
    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    QPushButton *OUTSelectCommandOk = nullptr;
    QPushButton *OUTSelectCommandCancel = nullptr;
    QPushButton *OUTSelectExplorer = nullptr;

    // The close box ended the picker; its opener lets it go.
    bool wasUnloaded() const { return m_unloaded; }

    // Opens the main window's folder (the nearest one that exists), the drive list following.
    void Form_Load();
    void Drive1_Change();
    // Hands on the folder shown (chosenText) and hides the picker.
    void OUTSelectCommandOk_Click();
    void OUTSelectCommandCancel_Click() { hide(); }
    // The folder shown, in the file manager; the picker stays.
    void OUTSelectExplorer_Click();

Q_SIGNALS:
    // "&Ok": what the picker makes of the folder shown.
    void folderChosen(const QString &text);

protected:
    // mainFolder gives the main window's current drawing folder, where the picker starts.
    FolderPicker(const char *name, const QString &caption, std::function<QString()> mainFolder, QWidget *parent);
    // What "&Ok" hands on for the folder the folder list shows.
    virtual QString chosenText(const QString &folder) const = 0;
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<QString()> m_mainFolder;
    DriveFolderLink *m_link = nullptr;
    bool m_unloaded = false;
};

} // namespace tess
