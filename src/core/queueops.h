#pragma once
// The drawing queue's operations as plain list work: what goes in, the orders (ascending,
// descending, Smart-Sort, reverse, the automatic sort), case changes, duplicate removal and the
// moves of the selected run. The queue window applies the results to its list.
//
// The queue holds paths exactly as added, allows duplicates and keeps their order. The sorts
// run in O(n log n) and leave entries that compare equal in the very order the classic
// selection procedure gives them (see selectionOrder).

#include "core/listutils.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <climits>

namespace tess {

// ---- What may enter the queue ----

// The longest path the system can open: 32,767 UTF-16 units on Windows; on POSIX PATH_MAX less
// its NUL, in bytes of the file-name encoding (4,095 on Linux).
#ifdef Q_OS_WIN
inline constexpr qsizetype kLongestOpenablePath = 32767;
#elif defined(PATH_MAX)
inline constexpr qsizetype kLongestOpenablePath = PATH_MAX - 1;
#else
inline constexpr qsizetype kLongestOpenablePath = 4095;
#endif
// True when the path is no longer than kLongestOpenablePath.
bool isOpenablePathLength(const QString &path);

// An entry is refused when it holds a double quote (it would let a file name inject commands into
// the batch script) or a control character (line breaks, tabs, NUL, C1 controls, the Unicode line
// and paragraph separators). Empty texts are refused too: they name no file; and so are texts
// longer than the longest path the system can open (isOpenablePathLength).
bool isAcceptableQueueEntry(const QString &entry);

struct QueueEntryFilter {
    QStringList accepted; // in their order
    QStringList refused;  // in their order
};
QueueEntryFilter filterQueueEntries(const QStringList &candidates);

// The text of the box that names refused entries (at most 10 are listed, control characters
// shown as "<0x..>"), or "" when none were refused.
QString refusedEntriesMessage(const QStringList &refused);

// ---- Orders ----

// Standard ascending order (textCompare), ties as the selection procedure leaves them.
QStringList sortedAscending(const QStringList &entries);
// The ascending order reversed.
QStringList sortedDescending(const QStringList &entries);
QStringList reversedEntries(const QStringList &entries);

// The Smart-Sort key: folder, then "_" repeated (L - title length), then the file name; L is the
// longest file title of the whole queue (FileTitleOf).
QStringList smartSortKeys(const QStringList &entries);
// Entries grouped by folder and, within a folder, shorter file names first; ties as the
// selection procedure over the entries plus one trailing blank record leaves them.
QStringList smartSorted(const QStringList &entries);

// The automatic sort: 0 ascending, 1 descending, 2 Smart-Sort, 3 Smart-Sort reversed; any other
// value leaves the entries as they are.
QStringList performSortOrder(const QStringList &entries, int autoSortType);

// Every entry in upper (lower) case by the locale's case mapping.
QStringList upperCasedEntries(const QStringList &entries, const QLocale &locale = QLocale());
QStringList lowerCasedEntries(const QStringList &entries, const QLocale &locale = QLocale());

// ---- Moves of the selected run ----

// One MoveListItem call: take the entry at source out and put it back at target (an index
// counted after the removal). Invalid when nothing is to move.
struct QueueMove {
    qsizetype source = -1;
    qsizetype target = -1;
    bool isValid() const { return source >= 0 && target >= 0; }
};

// selectedRows: the selected indexes in increasing order; count: the number of entries.
// Only the run of adjacent selected entries that ends at the last selected entry moves.
// Move Up: the unselected entry A right above the run goes to the run's end.
QueueMove moveUpStep(const QList<qsizetype> &selectedRows, qsizetype count);
// Move Down: the entry right after the run goes to the run's start.
QueueMove moveDownStep(const QList<qsizetype> &selectedRows, qsizetype count);

// MoveListItem on a plain list: nothing when target equals the count or is -1 (or lies outside
// the list after the removal), or source is not an entry's index. True when it moved.
bool moveListItem(QStringList &entries, qsizetype source, qsizetype target);

// ---- Small tests ----

// Whether the entry's last three characters are "csv" or "txt", in any letter case.
bool isTextFileEntry(const QString &entry);
qsizetype countTextFileEntries(const QStringList &entries);

} // namespace tess
