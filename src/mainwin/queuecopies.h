#pragma once
// The texts the queue's "&Copy to Clipboard" items put on the clipboard: which entries each takes,
// what each entry gives and how the contributions are laid out.

#include <QList>
#include <QString>
#include <QStringList>

namespace tess {

enum class CopyPart { FullPath, FileName, FileTitle };
enum class CopyLayout {
    JoinedLines,     // CR LF between the contributions, nothing after the last
    TerminatedLines, // CR LF after every contribution, the last one too
    CommaList        // ", " between the contributions
};

// The eight copies of the pop-up menu.
struct QueueCopyKind {
    const char *item;    // menu item name
    const char *caption; // menu caption
    bool selectedOnly;   // "&Selected" (true) or "&All"
    CopyPart part;
    CopyLayout layout;
    bool refreshAfter; // the control states are refreshed after the copy
};
const QList<QueueCopyKind> &queueCopyKinds();

// The text of one copy: entries in queue order (already restricted to the selected ones for a
// "&Selected" copy).
QString queueCopyText(const QStringList &entries, CopyPart part, CopyLayout layout);

} // namespace tess
