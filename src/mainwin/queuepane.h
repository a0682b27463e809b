#pragma once
// The drawing queue pane under the bar Picture2: the queue List1 with the Move Up / Move Down
// buttons over its upper right corner, and the button column beside it (Add All, "+", Add,
// Remove, Clear, File Lists, the "Options" frame Frame3 with the three run switches, Preview).
// It owns the queue's editing, ordering, dropping and folder walks.

#include <QStringList>
#include <QWidget>
#include <functional>

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QPushButton;

namespace tess {

class BatchFlowTab;
class FileSelectorPane;
class QueueListView;
class QueueModel;
class WaitCursor;

// The three switches of the queue's "Options" frame.
enum class RunSwitch { TestRun, Delay, SaveAs };

class QueuePane final : public QWidget
{
    Q_OBJECT
public:
    // files: the file selector the Add buttons and walks take their files, folder and filter from.
    explicit QueuePane(FileSelectorPane *files, QWidget *parent = nullptr);

    // ---- Entries ----
    QStringList queueEntries() const;
    QStringList selectedEntries() const;
    QueueModel *queueModel() const;
    qsizetype count() const;
    // The one way into the queue: refuses empty entries and those holding a double quote or a
    // control character, names them in a message (when report is set) and appends the rest in
    // their order. Returns the number appended.
    qsizetype addToQueue(const QStringList &candidates, bool report = true);
    // Replaces the queue (state files, User Sets, saved lists), with the same refusal.
    void setQueueEntries(const QStringList &entries, bool report = true);

    // The selected rows in queue order, their number, the current row (-1 for none) and the
    // entry in a row.
    QList<qsizetype> selectedRows() const;
    qsizetype selectedCount() const;
    qsizetype currentRow() const;
    QString entryAt(qsizetype row) const;
    // The queue scrolls sideways for an entry wider than the list instead of wrapping or eliding it.
    void showWholeEntries();

    // The run switches of the "Options" frame, set as a user's click would (only on a change).
    using RunSwitch = tess::RunSwitch;
    void setRunSwitch(RunSwitch which, bool on);
    void setRunSwitchEnabled(RunSwitch which, bool on);
    // The Settings tab runs the switches' handlers and loads and stores them.
    void attachRunSwitchesTo(BatchFlowTab &tab) const;

    // ---- Walks ----
    // Walks folder and its sub-folders for files matching pattern into the queue with the scan
    // window and its Stop button showing; the rest of the window takes no input until endWalk.
    // Returns the number of entries added. The scan window stays shown for the caller's message.
    qsizetype walkFolderIntoQueue(const QString &folder, const QString &pattern);
    // Hides the scan window, resets the stop request, gives the window its input back and names
    // the entries the walk refused. False when the window was asked to close meanwhile (it is
    // closing now; the caller stops).
    bool endWalk();
    bool isBusy() const { return m_busy; }
    // The window wants to close while a walk runs: stop the walk and close once it has ended.
    void stopAndCloseAfterwards();

    // ---- Handlers ----
    void cmdAddDwg_Click();
    void cmdAddAll_Click();
    void cmdAddAllSub_Click();
    void cmdRemoveDwg_Click();
    void mnuRemoveSelectedFiles_Click() { cmdRemoveDwg_Click(); }
    void RemoveUnselectedFiles();
    void mnuRemoveUnselectedFiles_Click() { RemoveUnselectedFiles(); }
    void cmdRemoveAllDwg_Click();
    void mnuRemoveDuplicates_Click();
    void mnuRemoveDuplicates2_Click() { mnuRemoveDuplicates_Click(); }
    // "File&Lists": the saved queue lists window.
    void cmdFileList_Click() { Q_EMIT fileListsRequested(); }
    void Command3_Click();
    void Command4_Click();
    void MoveListItem(qsizetype source, qsizetype target);
    void List1_Click();
    // Files and folders dropped on the queue, in the order the source gave them: folders are
    // walked with the scan window (a Stop ends the drop), paths matching the filter are queued,
    // ".txt" lists are read; then the control states, the automatic sort, the META scan and the
    // loaded-list marks follow.
    void List1_OLEDragDrop(const QStringList &items);
    void resetLoadedListMarks();
    // The queue is exactly a loaded list: "=File&Lists=" and the queue's tooltip naming the list.
    void setLoadedListMarks(const QString &listName);

    // ---- Ordering ----
    void mnuSortAscending_Click();
    void mnuAscending2_Click() { mnuSortAscending_Click(); }
    void mnuSortDescending_Click();
    void mnuDescending2_Click() { mnuSortDescending_Click(); }
    void SmartSort();
    void mnuReverseOrder_Click();
    void PerformSort();
    void mnuSmartSort2_Click();
    void mnuSmartSort_Click() { mnuSmartSort2_Click(); }
    void mnuReverseOrder2_Click();
    void mnuQueueUpperCase_Click();
    void mnuQueueLowerCase_Click();
    void mnuTextLarger_Click();
    void mnuTextSmaller_Click();

Q_SIGNALS:
    // A walk or duplicate pass runs (true) or has ended: the rest of the window takes no input.
    void busyChanged(bool busy);
    // The progress text of the bottom row ("Sorting", "Ready", ...).
    void statusChanged(const QString &text);
    // The control states follow the queue now.
    void refreshRequested();
    // After-add step: both Create buttons on when the user script is not empty.
    void createButtonsForScriptRequested();
    // After-add step: apply the user script's META commands (includeSort: its sort commands too).
    void metaScanRequested(bool includeSort);
    // After-add step: add the current drawing folder to the favourite folders.
    void addDirToFavoritesRequested();
    // A control outside the pane changes its enabled state with the selection (by object name).
    void controlEnabledRequested(const QString &name, bool on);
    // The pop-up menu at a global position.
    void popupRequested(const QPoint &globalPos);
    // The window was asked to close during a walk, which has now ended.
    void closeRequested();
    // "File&Lists" was pressed.
    void fileListsRequested();
    // "&Preview" was pressed.
    void previewShowRequested();
    // The queue's selection changed.
    void selectionChanged();
    // The current entry moved (a click or an arrow key).
    void currentEntryChanged();
    // An entry was double-clicked.
    void entryDoubleClicked();
    // A key was pressed in the queue, before the queue's own handling of it.
    void keyPressed(const QKeyEvent &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeMoveButtons();
    void setBusy(bool busy);
    void setStatus(const QString &text);
    void afterAddSteps(WaitCursor &wait, bool favouritesBeforeMarks);
    void runAutoSortAndMeta();
    void reportRefused(const QStringList &refused);
    void selectionEmptied();
    bool askCaseChange();
    void sortWithStatus(const QString &status, const std::function<QStringList(const QStringList &)> &order);
    QCheckBox *runSwitch(RunSwitch which) const;

    FileSelectorPane *m_files;
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
    bool m_busy = false;
    bool m_closeAfterBusy = false;
    QStringList m_walkRefused;
    QStringList m_walkUnreadable; // folders the walk could not read
    QStringList m_walkSpecial;    // pipes, devices and sockets the walk or drop passed over
};

} // namespace tess
