#include "mainwin/queuecontrols.h"

namespace tess {

namespace {

// Sets a state; a control set twice ends with the later state.
void set(QueueControlStates &s, const QString &name, bool on)
{
    for (auto &entry : s.enabled) {
        if (entry.first == name) {
            entry.second = on;
            return;
        }
    }
    s.enabled.append({name, on});
}

void set(QueueControlStates &s, std::initializer_list<const char *> names, bool on)
{
    for (const char *n : names)
        set(s, QString::fromLatin1(n), on);
}

} // namespace

int QueueControlStates::stateOf(const QString &name) const
{
    for (const auto &entry : enabled) {
        if (entry.first == name)
            return entry.second ? 1 : 0;
    }
    return -1;
}

QueueControlStates computeQueueControlStates(const QueueControlInputs &in)
{
    QueueControlStates s;
    const qsizetype n = in.entries;
    const qsizetype k = in.selected;

    // 1. Selection.
    if (k == 0) {
        set(s,
            {"cmdRemoveDwg", "mnuOpen", "mnuSkip", "mnuGotoDir", "mnuOpenDirInExplorer", "mnuRemoveSelectedFiles",
             "mnuSelected"},
            false);
    } else {
        set(s, {"mnuOpen", "mnuRemoveSelectedFiles", "mnuSelected", "mnuCopySelectedtoClip"}, true);
        set(s, {"mnuSkip", "mnuGotoDir", "mnuOpenDirInExplorer"}, k == 1);
    }

    // 2. Queue empty or not.
    set(s,
        {"cmdRemoveAllDwg", "mnuRemoveDuplicates", "mnuRemoveDuplicates2", "mnuRemove", "mnuSort2", "mnuSort",
         "mnuSmartSort2", "mnuSmartSort", "mnuReverseOrder", "mnuCase", "mnuQueueUpperCase", "mnuQueueLowerCase",
         "mnuFont", "mnuFileSystemChecks", "mnuCopy", "mnuCopyListtoClip", "cmdQueueQuickPick"},
        n >= 1);
    for (const auto &[name, need] : in.queueItems) {
        if (need == QueueNeed::Entries)
            set(s, name, n >= 1);
    }
    if (n >= 1)
        set(s, {"mnuCopyWithExt", "mnuCopyWOExtension"}, true);
    else
        set(s, {"cmdRemoveDwg", "mnuCopySelectedtoClip", "Command1_Compile", "cmdCreateAndRun"}, false);

    // 3. File list.
    if (in.filesListed == 0)
        set(s, {"cmdAddAll", "cmdAddDwg"}, false);
    else
        set(s, {"cmdAddAll"}, true);

    // 4. Create buttons.
    if (n >= 1 && !in.scriptEmpty)
        set(s, {"Command1_Compile", "cmdCreateAndRun", "cmdQueueQuickPick"}, true);

    // 5. Read-Only box.
    set(s, {"cmdSAVESCR", "cmdDeleteSCR"}, !in.readOnly);

    // 6. Count label.
    s.queueCaption = QStringLiteral("Queue = ") + QString::number(n);

    // 7. Items for text files only.
    for (const auto &[name, need] : in.queueItems) {
        if (need == QueueNeed::TextFilesOnly)
            set(s, name, n >= 1 && in.textFileEntries == n);
    }
    return s;
}

} // namespace tess
