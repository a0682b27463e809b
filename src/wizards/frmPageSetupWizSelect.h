#pragma once
// The picker of the page-setup import wizard's source drawing: its own drive, folder and file
// lists (drawings only), which start where the main window's file selector stands when the picker
// is created and keep their place between openings.

#include "wizards/wizardwindow.h"

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;
class FileListBox;

// Where the main window's drive, folder and file lists stand.
struct MainFileLists {
    QString drive;
    QString folder;
    QString fileFolder;
};

class frmPageSetupWizSelect final : public WizardWindow
{
    Q_OBJECT
public:
    explicit frmPageSetupWizSelect(const MainFileLists &start, QWidget *parent = nullptr);

    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    FileListBox *File1 = nullptr;
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

    // A drive that does not answer puts the drive and folder lists back where they were and says
    // "That Drive is not responding..." / "Please select a different drive!".
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void cmdSelect_Click();
    void cmdCancel_Click() { hide(); }

Q_SIGNALS:
    // "Select": the folder, a separator and the chosen file.
    void fileSelected(const QString &path);

private:
    void Form_Load(const MainFileLists &start);

    DriveFolderLink *m_link = nullptr;
};

} // namespace tess
