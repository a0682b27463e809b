#pragma once
// The main window: the drawing file selector on the left, the tab control (or the simple-mode
// script selector) at the top right, the drawing queue with its button column under the bar
// Picture2, and the bottom row with the Create buttons, QuickQueue, the User Set options and the
// status labels. The window assembles its panes and keeps what is its own: the caption, the menus,
// the bottom row and the control states.

#include <QFlags>
#include <QList>
#include <QMainWindow>
#include <QPair>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;

namespace tess {

class BatchFlowTab;
class ControlStateTable;
class DrawingQueue;
class FileSelection;
class FileSelectorPane;
class MainLayout;
class QueuePane;
class SaveAsTab;
class ScriptFacts;
class UserSetsFrame;
struct MainSettings;
struct QueueControlInputs;
enum class QueueNeed;

// The menus other parts of the program add their items to.
enum class MainMenu { File, Queue, Script, Tools, Wizards, Help, QueuePopup };
// The queue's run switches (queuepane.h).
enum class RunSwitch;
// The orders a feature can put the queue in: the sort options' own, A to Z, Z to A, the smart
// order (numbers by value) and the order reversed.
enum class QueueOrder { SortOptions, Ascending, Descending, Smart, Reverse };
// What a menu item needs of the main window, given when it is added.
enum class ItemTrait {
    HiddenInSimpleMode = 0x1, // hidden while the simple mode is on
    NeedsQueue = 0x2,         // enabled only while the queue holds entries
    NeedsTextFileQueue = 0x4, // enabled only while the queue holds entries, all of them text files
};
Q_DECLARE_FLAGS(ItemTraits, ItemTrait)
Q_DECLARE_OPERATORS_FOR_FLAGS(ItemTraits)

class frmMain final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // ---- Panes ----
    FileSelectorPane *fileSelector() const { return m_files; }
    QueuePane *queuePane() const { return m_queue; }
    // The queue and the file selection as features take them.
    DrawingQueue *queue() const { return m_queueAccess; }
    FileSelection *files() const { return m_fileAccess; }
    MainLayout *mainLayout() const { return m_layout; }
    UserSetsFrame *userSets() const { return frmSet; }
    // The "Settings" and SAVEAS pages. Their controls are made when the page is first opened or
    // build() is called; their values load and store either way.
    BatchFlowTab *batchFlowTab() const { return m_batchFlow; }
    SaveAsTab *saveAsTab() const { return m_saveAs; }
    // The user script as the window needs it (installed with the script pane).
    void setScriptFacts(ScriptFacts *script);
    ScriptFacts *scriptFacts() const { return m_script; }

    // ---- Own controls ----
    QTabWidget *SSTab1 = nullptr;
    QWidget *tabUserScript = nullptr;
    // The fixed thin bar of the "User Script" tab; it lies under the script pane.
    QWidget *Picture1 = nullptr;
    QWidget *tabSettings = nullptr;
    QWidget *tabSaveAs = nullptr;
    QGroupBox *frameSimpleScrSelect = nullptr;
    QPushButton *Command1_Compile = nullptr;
    QPushButton *cmdCreateAndRun = nullptr;
    QPushButton *cmdQueueQuickPick = nullptr;
    UserSetsFrame *frmSet = nullptr;
    QLabel *lblFilesInQueue = nullptr;
    QLabel *lblFilesProcessed = nullptr;
    QLabel *lblUpdate = nullptr;
    // Shows text in lblUpdate at once (painted before the work that follows).
    void showStatus(const QString &text);

    // ---- Menus ----
    QMenu *menu(MainMenu which) const;
    // Adds an item named `name` to the menu, before the item (or separator) named `before` when the
    // menu holds one, else at its end; the control states know it from now on, and the simple mode
    // and the queue's control states treat it as its traits say.
    QAction *addMenuItem(MainMenu which, const QString &name, const QString &caption, const QString &before = QString(),
                         ItemTraits traits = {});
    // The same for a submenu of one of them (menuByName gives it).
    QAction *addMenuItem(QMenu *submenu, const QString &name, const QString &caption, ItemTraits traits = {});
    // Every menu has an object name: mnuFile, mnuQueue, mnuScript, mnuTools,
    // mnuScriptCreationWizards, mnuHelp, the submenus (mnuSort2, mnuSort, mnuFont, mnuCase,
    // mnuRemove, mnuFileSystemChecks) and the queue pop-up mnuPUForm. nullptr when unknown.
    QMenu *menuByName(const QString &name) const;

    // ---- Settings ----
    // Every pane from MainSettings: the layout (size, place, bars), the file selector, the User
    // Set, the tabs, the processed counter and the mode.
    void load(MainSettings &s);
    // Values changed elsewhere (the Options dialog): the window shows them again without moving.
    void applySettings(const MainSettings &s);
    // Every pane back into MainSettings (other parts store theirs on storingSettings first).
    void store(MainSettings &s);

    // ---- Queue commands features run (the rest goes through queue()) ----
    // Repeated entries out of the queue, as "Remove &Duplicates" does.
    void removeQueueDuplicates();
    void sortQueue(QueueOrder order);
    // The queue now holds the saved list listName, just loaded: the Create buttons come on for a
    // script, so do "Remove All", "&Reverse" and the case items; the queue takes the sort options'
    // order when automatic sorting is on, and "=File&Lists=" and the queue's tooltip name the list.
    void showLoadedList(const QString &listName);
    // A composition ended: the commands on the selected entries ("Remove" and "&Selected" copying)
    // are off until the selection changes.
    void disableSelectionCommands();
    // A run switch set as a user's click would (only on a change).
    void setRunSwitch(RunSwitch which, bool on);

    // ---- Window-wide ----
    // Shows the tab control or, in simple mode, the script selector frame in its place; hides the
    // simple-mode menu items and disables the three batch-option boxes.
    void applySimpleMode(bool simple);
    // Long work of another part (composing, the queue check) runs: the rest of the window takes no
    // input meanwhile, as during the queue's walks. A close asked for meanwhile happens once it ends.
    void setInputBlocked(bool blocked);
    // Both Create buttons on or off.
    void setCreateButtonsEnabled(bool on);
    // Both Create buttons on when the user script is not empty.
    void enableCreateButtonsForScript();
    QueueControlInputs queueControlInputs() const;
    void RefreshQueueControls();
    // The names the control-state rule sets that the window does not hold (yet).
    QStringList missingControlNames(const QStringList &names) const;
    // "Processed = " and the total as the load writes it: a blank before a number that is not negative.
    void updateProcessedLabel();
    // "Processed = " and the total as a composition writes it: the plain number.
    void showComposedTotal();
    void lblFilesProcessed_Click();
    // The pointer moves over Picture1: with the left button alone held the window is laid out again.
    void Picture1_MouseMove(Qt::MouseButtons buttons);
    void mnuSaveSettings_Click() { Q_EMIT saveSettingsRequested(); }
    void mnuFileExit_Click() { close(); }
    // The window closes (close box, "E&xit", the end of the program): its state into MainSettings,
    // then the program's exit save (setExitSave). False when that save failed and the user chose to
    // stay: the window then stays open. Nothing of other windows is stored here.
    bool Form_Unload();
    // The save every close of the window runs once the window's state is in MainSettings; it
    // answers false to keep the window (and the program) running. The application sets it.
    void setExitSave(std::function<bool()> save) { m_exitSave = std::move(save); }

Q_SIGNALS:
    // The window is about to copy its state into MainSettings: other parts copy theirs now.
    void storingSettings();
    // "&Save Settings Now": store and write the settings and the per-user state files.
    void saveSettingsRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    QWidget *buildTopArea();
    QWidget *buildBottomRow();
    void connectPanes();
    void updateMenuBarVisibility();
    void setBusy(bool busy);
    // AutoCAD LT (1) cannot test a drawing without saving it: Test Run unticked and disabled.
    void applyLtMode(const MainSettings &s);
    void takeTraits(QAction *item, ItemTraits traits);
    const ControlStateTable &controls() const;

    FileSelectorPane *m_files = nullptr;
    QueuePane *m_queue = nullptr;
    DrawingQueue *m_queueAccess = nullptr;
    FileSelection *m_fileAccess = nullptr;
    MainLayout *m_layout = nullptr;
    BatchFlowTab *m_batchFlow = nullptr;
    SaveAsTab *m_saveAs = nullptr;
    ScriptFacts *m_script = nullptr;
    QMenu *m_popup = nullptr;
    QMenu *m_menus[7] = {};
    std::unique_ptr<ControlStateTable> m_controls;
    // The items other parts added that the simple mode hides, and those that follow the queue.
    QList<QPointer<QAction>> m_simpleModeItems;
    QList<QPair<QString, QueueNeed>> m_queueItems;
    bool m_inputBlocked = false;
    bool m_closeWhenUnblocked = false;
    std::function<bool()> m_exitSave;
};

} // namespace tess
