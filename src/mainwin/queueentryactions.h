#pragma once
// What the user does to the drawings already in the queue List1: the preview following the
// current entry, the queue's keys (Enter, Ctrl+Up, Ctrl+Down, Delete), opening the selected
// entries, skipping past the selected entry into the skip list, moving the file selector to an
// entry's folder, the file manager on an entry, and the eight clipboard copies.

#include <QLatin1StringView>
#include <QObject>

class QKeyEvent;

namespace tess {

class frmMain;
struct QueueCopyKind;

class QueueEntryActions final : public QObject
{
    Q_OBJECT
public:
    explicit QueueEntryActions(frmMain &window);

    // A click (or an arrow-key move) on the queue: the preview shows the current entry.
    void List1_Click();
    // Enter opens, Ctrl+Up / Ctrl+Down move the current entry, Delete removes the selected ones.
    // The list's own handling of the key follows.
    void List1_KeyDown(const QKeyEvent &key);
    // Opens every selected entry with its associated program, asking before going on after every
    // ResourceFileLimit files while ResourceWarning is 1. Entries that could not be opened are
    // named afterwards in one message.
    void List1_DblClick();
    // Records the first selected entry in the skip list, then removes it and every entry above it.
    void List1_SkipFile();
    void mnuOpen_Click() { List1_DblClick(); }
    void mnuSkip_Click() { List1_SkipFile(); }
    void mnuGotoDir_Click();
    void mnuOpenDirInExplorer_Click();
    // One of the eight copies.
    void copyToClipboard(const QueueCopyKind &kind);
    // The eight "&Copy to Clipboard" items, "&All" then "&Selected".
    void mnuCopyListtoClip_Click() { copyNamed("mnuCopyListtoClip"); }
    void mnuCopyWithExt_Click() { copyNamed("mnuCopyWithExt"); }
    void mnuCopyWOExtension_Click() { copyNamed("mnuCopyWOExtension"); }
    void mnuCopyClipCSV_Click() { copyNamed("mnuCopyClipCSV"); }
    void mnuCopySelectedtoClip_Click() { copyNamed("mnuCopySelectedtoClip"); }
    void mnuCopySelFilewithExt_Click() { copyNamed("mnuCopySelFilewithExt"); }
    void mnuCopySelFileWOExt_Click() { copyNamed("mnuCopySelFileWOExt"); }
    void mnuCopySelFileCSV_Click() { copyNamed("mnuCopySelFileCSV"); }
    // The handler of a copy item by its name; nullptr for another name.
    using Handler = void (QueueEntryActions::*)();
    static Handler copyHandler(QLatin1StringView item);

private:
    void copyNamed(const char *item);

    frmMain &m_window;
};

} // namespace tess
