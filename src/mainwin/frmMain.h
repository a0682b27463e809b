#pragma once
// The main window: the drawing file selector on the left, the tab control (or the simple-mode
// script selector) at the top right, the drawing queue with its button column under the bar
// Picture2, and the bottom row with the Create buttons, QuickQueue, the User Set options and the
// status labels. It owns the queue's editing, ordering, control states and the file selector.
//
// Other windows reach the controls through the public pointers (their object names are the
// control names) and through the operations below.

#include "mainwin/queuecontrols.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAbstractItemView;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTabWidget;

namespace tess {

class DirListBox;
class DriveListBox;
class FileListBox;
class QueueListView;
class frmDirWideBrowser;

class frmMain final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Every menu has an object name: mnuFile, mnuQueue, mnuScript, mnuTools,
    // mnuScriptCreationWizards, mnuHelp, the submenus (mnuSort2, mnuSort, mnuFont, mnuCase,
    // mnuRemove, mnuFileSystemChecks) and the queue pop-up mnuPUForm. nullptr when unknown.
    QMenu *menuByName(const QString &name) const;

    // ---- Controls ----
    // Left pane.
    QGroupBox *Frame2 = nullptr;
    QPushButton *cmdDirWideBrowser = nullptr;
    QPushButton *Command18 = nullptr; // "&Favorites"
    QPushButton *Command19 = nullptr; // "&Add" (current folder to the favourites)
    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    QPushButton *cmdFilterFormShow = nullptr;
    QLineEdit *tbDWGFilter = nullptr;
    FileListBox *File1 = nullptr;
    QPushButton *cmdQuickPick = nullptr;
    QPushButton *Command4_explorer = nullptr;
    // Top right.
    QTabWidget *SSTab1 = nullptr;
    QWidget *tabUserScript = nullptr;
    QWidget *tabSettings = nullptr;
    QWidget *tabSaveAs = nullptr;
    QGroupBox *frameSimpleScrSelect = nullptr;
    // Queue pane.
    QueueListView *List1 = nullptr;
    QPushButton *Command3 = nullptr; // "Move Up"
    QPushButton *Command4 = nullptr; // "Move Down"
    QPushButton *cmdAddAll = nullptr;
    QPushButton *cmdAddAllSub = nullptr;
    QPushButton *cmdAddDwg = nullptr;
    QPushButton *cmdRemoveDwg = nullptr;
    QPushButton *cmdRemoveAllDwg = nullptr;
    QPushButton *cmdFileList = nullptr;
    QGroupBox *Frame3 = nullptr;
    QCheckBox *chkSaveAS = nullptr;
    QCheckBox *chkDelay = nullptr;
    QCheckBox *chkTestRun = nullptr;
    QPushButton *cmdDWGPreviewShow = nullptr;
    // Bottom row.
    QPushButton *Command1_Compile = nullptr;
    QPushButton *cmdCreateAndRun = nullptr;
    QPushButton *cmdQueueQuickPick = nullptr;
    QGroupBox *frmSet = nullptr;
    std::array<QRadioButton *, 5> optPage{}; // object names "optPage0" .. "optPage4"
    QLabel *lblFilesInQueue = nullptr;
    QLabel *lblFilesProcessed = nullptr;
    QLabel *lblUpdate = nullptr;

    // ---- Layout ----
    // The tops of the bars Picture2 (over the queue) and Picture3 (between the folder and file
    // lists), in twips of the window's inner area. Setting keeps them inside their limits.
    int hDividerTop() const;
    void setHDividerTop(int twips);
    int hLeftDividerTop() const;
    void setHLeftDividerTop(int twips);
    // Gives a list a horizontal scroll range wide enough for its longest entry.
    void gSetHorizontalExtent(QAbstractItemView *lb);
    // Shows the tab control or, in simple mode, the script selector frame in its place; hides the
    // simple-mode menu items and disables the three batch-option boxes.
    void applySimpleMode(bool simple);
    // Copies the window's state into MainSettings (folder, filter, bars, window placement in
    // twips, User Set); the store is written by the caller.
    void storeWindowStateInSettings();

    // ---- Queue ----
    QStringList queueEntries() const;
    // The one way into the queue: refuses empty entries and those holding a double quote or a
    // control character, names them in a message (when report is set) and appends the rest in
    // their order. Returns the number appended.
    qsizetype addToQueue(const QStringList &candidates, bool report = true);
    // Replaces the queue (state files, User Sets, saved lists), with the same refusal.
    void setQueueEntries(const QStringList &entries, bool report = true);
    // Walks folder and its sub-folders for files matching pattern into the queue with the scan
    // window and its Stop button showing; the rest of the window takes no input until endWalk.
    // Returns the number of entries added. The scan window stays shown for the caller's message.
    qsizetype walkFolderIntoQueue(const QString &folder, const QString &pattern);
    // Hides the scan window, resets the stop request, gives the window its input back and names
    // the entries the walk refused. False when the window was asked to close meanwhile (it is
    // closing now; the caller stops).
    bool endWalk();
    bool isBusy() const { return m_busy; }

    void cmdAddDwg_Click();
    void cmdAddAll_Click();
    void cmdAddAllSub_Click();
    void cmdRemoveDwg_Click();
    void RemoveUnselectedFiles();
    void cmdRemoveAllDwg_Click();
    void mnuRemoveDuplicates_Click();
    void Command3_Click();
    void Command4_Click();
    void MoveListItem(qsizetype source, qsizetype target);
    void lblFilesProcessed_Click();
    void List1_Click();
    // Files and folders dropped on the queue, in the order the source gave them: folders are
    // walked with the scan window (a Stop ends the drop), paths matching the filter are queued,
    // ".txt" lists are read; then the control states, the automatic sort, the META scan and the
    // loaded-list marks follow.
    void List1_OLEDragDrop(const QStringList &items);
    // After-add step 1 (Create buttons when the user script is not empty) and step 5.
    void enableCreateButtonsForScript();
    void resetLoadedListMarks();
    void setLoadedListMarks(const QString &listName);
    void updateProcessedLabel();

    // ---- Ordering ----
    void mnuSortAscending_Click();
    void mnuSortDescending_Click();
    void SmartSort();
    void mnuReverseOrder_Click();
    void PerformSort();
    void mnuSmartSort_Click();
    void mnuReverseOrder2_Click();
    void mnuQueueUpperCase_Click();
    void mnuQueueLowerCase_Click();
    void mnuTextLarger_Click();
    void mnuTextSmaller_Click();

    // ---- Control states ----
    QueueControlInputs queueControlInputs() const;
    void RefreshQueueControls();

    // ---- File selector ----
    // Dir1.Path := folder; false (the folder stays) when it does not exist.
    bool setDirPath(const QString &folder);
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Click();
    void Dir1_OLEDragDrop(const QString &firstItem);
    void File1_Click();
    void File1_DblClick();
    void tbDWGFilter_Change();
    void Frame2_Click();
    void Command4_explorer_Click();
    void cmdDirWideBrowser_Click();
    frmDirWideBrowser *dirWideBrowser() const;

    void mnuSaveSettings_Click();
    void mnuFileExit_Click() { close(); }

    // ---- User Sets ----
    // The selected User Set option changed (by the user or from code): the window's content goes
    // into the snapshot of set Face, the snapshot of set index comes into the window, and Face
    // becomes index. Nothing is asked.
    void optPage_Click(int index);
    // Writes the four snapshot files of the set from the queue, the script and its name, the drive
    // and the folder; reports a missing DATA folder or a write-protected file. A save that wrote
    // every file clears SCRChanged.
    void SaveSnapshot(int set);
    // Replaces the queue, the script and its name, then the drive and the folder, with those of
    // the set's snapshot (each control runs its own change handling). A set never saved empties
    // queue, script and name and leaves the file selector as it is; a saved folder that is gone
    // stops the load there, silently.
    void LoadSnapshot(int set);

Q_SIGNALS:
    // The current drawing folder changed (the script list follows it when its option is ticked).
    void drawingFolderChanged(const QString &folder);
    // A file of the file list was clicked: the drawing preview shows it.
    void previewRequested(const QString &path);
    // After-add step: apply the user script's META commands (includeSort: its sort commands too).
    void metaScanRequested(bool includeSort);
    // After-add step: add the current drawing folder to the favourite folders.
    void addDirToFavoritesRequested();
    // The window is about to copy its state into MainSettings: other panes copy theirs now.
    void storingSettings();
    // "&Save Settings Now" has written the settings: write the per-user state files now.
    void saveSettingsRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    QWidget *buildFileSelector();
    QWidget *buildTopArea();
    QWidget *buildQueuePane();
    QWidget *buildBottomRow();
    void connectHandlers();
    void loadFromSettings();
    void placeMoveButtons();
    void applyDividers();
    void syncDividers();
    void applyEnabled(const QString &name, bool on);
    void updateMenuBarVisibility();
    void setBusy(bool busy);
    void setStatus(const QString &text);
    void afterAddSteps(bool favouritesBeforeMarks);
    void runAutoSortAndMeta();
    void reportRefused(const QStringList &refused);
    bool askCaseChange();
    bool scriptIsEmpty() const;

    QSplitter *m_splitTop = nullptr;  // handle: Picture2
    QSplitter *m_splitLeft = nullptr; // handle: Picture3
    QMenu *m_popup = nullptr;
    QPointer<frmDirWideBrowser> m_wideBrowser;
    QSize m_outerSize;
    int m_p2 = 3600;
    int m_p3 = 3600;
    bool m_dividersApplied = false;
    bool m_busy = false;
    bool m_closeAfterBusy = false;
    bool m_firstShow = true;
    QStringList m_walkRefused;
    QString m_lastDrive;
    QString m_lastFolder;
};

} // namespace tess
