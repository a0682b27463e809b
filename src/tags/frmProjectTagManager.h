#pragma once
// " Project Tag Manager": the projects in DATA, active (".PRJ") on one tab and inactive (".PRX")
// on the other, with the name, the associated path pattern and the forty values of the project
// shown; Save, Delete, Make Inactive / Make Active, and "&Done", which writes the index of the
// active projects (PTAGMAN.DAT) that the composer reads, and hides the window. Edits are saved
// only by Save or by the answer Yes when the window asks before they would be left.

#include <QDialog>
#include <QList>
#include <QPointer>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace tess {

class frmProjectTagManagerFS;

class frmProjectTagManager final : public QDialog
{
    Q_OBJECT
public:
    // mainFolder gives the main window's drawing folder, where the folder picker starts.
    explicit frmProjectTagManager(std::function<QString()> mainFolder, QWidget *parent = nullptr);

    // ---- Controls ----
    QGroupBox *Frame1 = nullptr; // "Defined Projects"
    QTabWidget *SSTabProjMode = nullptr;
    QListWidget *ProjectList = nullptr;         // DATA\*.PRJ
    QListWidget *ProjectInactiveList = nullptr; // DATA\*.PRX
    QLineEdit *tbProjectName = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdProjMode = nullptr;
    QGroupBox *Frame2 = nullptr; // "Associated Path"
    QLineEdit *tbPath = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QTabWidget *SSTab1 = nullptr;
    QList<QLineEdit *> tbPD1; // tbPD1[i] holds $PROJECTTAG<i + 1>$
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdClose = nullptr; // "&Done"

    // The boxes hold edits not saved yet.
    bool ProjectChanged = false;

    // Whether the close box discarded the window (the next opening makes a new one).
    bool wasUnloaded() const { return m_unloaded; }
    // Whether the "Active" tab is shown.
    bool activeTabShown() const;
    // The folder picker, once "&Browse" made it.
    frmProjectTagManagerFS *folderPicker() const;

    // ---- Handlers ----
    void Form_Load();
    void ProjectList_Click();
    void ProjectInactiveList_Click();
    // Loads the project selected in the list, asking first when the boxes hold unsaved edits.
    void ManageProjectLists(QListWidget *list);
    // Save: true when the project file was written.
    bool cmdSave_Click();
    void cmdDelete_Click();
    void cmdProjMode_Click();
    void cmdClear_Click();
    // Done: false (the window stays) when the user cancels or the index cannot be written.
    bool cmdClose_Click();
    void cmdBrowse_Click();
    void SSTabProjMode_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildProjectFrame();
    void buildValueTabs();
    // Re-reads both lists from DATA (selections are cleared).
    void refreshLists();
    // Writes the boxes as the project file of that name.
    bool saveProject(const QString &fileName);
    // Asks whether to save the unsaved edits before they are left: true to go on (saved, or the
    // user declined), false to stay (Cancel, or the save failed).
    bool settleUnsavedEdits(const QString &question, bool extensionOfLoadedProject);
    void projectBoxChanged();
    void projectNameChanged();

    std::function<QString()> m_mainFolder;
    QPointer<frmProjectTagManagerFS> m_picker;
    QString m_loadedExtension; // extension of the project last loaded or saved ("" for none)
    QString m_selectedFile[2]; // the entry selected in each list before the last click
    bool m_unloaded = false;
};

} // namespace tess
