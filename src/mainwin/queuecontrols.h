#pragma once
// The control-state refresh of the main window as a pure rule: from the queue and its selection,
// the file list, the user script and the Read-Only box it computes the enabled state of every
// control it governs and the queue count caption. A control it leaves unchanged is absent from
// the result. The window applies the result by object name.

#include <QList>
#include <QPair>
#include <QString>

namespace tess {

// What a menu item that follows the queue needs to be enabled: entries, or entries that are all
// text files.
enum class QueueNeed { Entries, TextFilesOnly };

struct QueueControlInputs {
    qsizetype entries = 0;         // n: queue entries
    qsizetype selected = 0;        // k: selected queue entries
    qsizetype filesListed = 0;     // f: entries of the file list
    bool scriptEmpty = true;       // the user script is empty
    bool readOnly = false;         // the script's Read-Only box is ticked
    qsizetype textFileEntries = 0; // c: entries ending in "csv" or "txt"
    // The menu items other parts added that follow the queue, by object name.
    QList<QPair<QString, QueueNeed>> queueItems;
};

struct QueueControlStates {
    // Object names with their enabled state, each name once, in the order the rule sets them.
    QList<QPair<QString, bool>> enabled;
    QString queueCaption; // "Queue = n"

    // The state set for a control; -1 when the rule leaves it unchanged.
    int stateOf(const QString &name) const;
};

QueueControlStates computeQueueControlStates(const QueueControlInputs &in);

} // namespace tess
