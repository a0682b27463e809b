#pragma once
// The "User Set" frame (frmSet) of the main window's bottom row: five options optPage0 ..
// optPage4, each a snapshot of the queue, the user script and its name, and the drive and folder
// of the file selector. Choosing another set stores the window's content into the current set
// and loads the chosen one.

#include <QGroupBox>
#include <array>

class QRadioButton;

namespace tess {

class FileSelectorPane;
class QueuePane;
class ScriptFacts;
struct MainSettings;

class UserSetsFrame final : public QGroupBox
{
    Q_OBJECT
public:
    UserSetsFrame(QueuePane *queue, FileSelectorPane *files, QWidget *parent = nullptr);
    // The user script the snapshots hold; none until the script pane is installed.
    void setScriptFacts(ScriptFacts *script) { m_script = script; }

    std::array<QRadioButton *, 5> optPage{}; // object names "optPage0" .. "optPage4"

    // The option of the stored set is selected without a switch (the window's content comes from
    // the per-user state files); a set outside 0 to 4 becomes set 0.
    void load(MainSettings &s);
    void store(MainSettings &s) const;

    // The selected User Set option changed (by the user or from code): the window's content goes
    // into the snapshot of set Face, the snapshot of set index comes into the window, and Face
    // becomes index. Nothing is asked. When the save or the load fails (after its one message) the
    // switch is cancelled: option Face is selected again and the window and Face stay.
    void optPage_Click(int index);
    // Writes the four snapshot files of the set from the queue, the script and its name, the drive
    // and the folder, each on its own; every failure is named in one message. True when every file
    // was written (that clears SCRChanged).
    bool SaveSnapshot(int set);
    // Replaces the queue, the script and its name, then the drive and the folder, with those of
    // the set's snapshot (each control runs its own change handling). A set never saved empties
    // queue, script and name and leaves the file selector as it is; a saved folder that is gone
    // stops the load there, silently. A file that exists but cannot be read or decoded is named and
    // nothing is applied (false).
    bool LoadSnapshot(int set);

Q_SIGNALS:
    // A snapshot was loaded: the control states follow.
    void refreshRequested();

private:
    void selectWithoutSwitch(int set);

    QueuePane *m_queue;
    FileSelectorPane *m_files;
    ScriptFacts *m_script = nullptr;
};

} // namespace tess
