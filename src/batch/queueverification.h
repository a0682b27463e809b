#pragma once
// The check of the queued drawings before a batch script is composed: which files are missing, which
// are held by another program (or are folders or hidden files) and which have the read-only attribute.
// Each problem keeps its drawing's path and its kind; the file access error report shows missing files
// upper-cased and the others lower-cased, and removes drawings from the queue by path.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace tess {

class ScanProgress;

// The read-only attribute of a file (the owner's write permission missing elsewhere). A missing file in
// an existing folder counts as read-only; a file in a missing folder does not.
bool IsReadonly(const QString &filename);

struct QueueProblem {
    enum Kind {
        Missing,  // the path names no file or folder
        Locked,   // held by another program, a folder or a hidden file: cannot be opened exclusively
        ReadOnly, // the read-only attribute, or a file this user may not write
    };
    QString path; // the queue entry as it stands
    Kind kind = Missing;

    // The entry as the report lists it: upper-cased when missing, lower-cased otherwise.
    QString shown() const;
    bool operator==(const QueueProblem &o) const { return path == o.path && kind == o.kind; }
};

// Tests every path in order: a missing one gives a Missing problem; an existing one a Locked problem
// when it cannot be opened exclusively and, independently, a ReadOnly problem. The progress (paced)
// shows "Buffering File Names", then p & "% Complete"; its stop request, read after every path, ends
// the check with the problems found so far.
QList<QueueProblem> verifyQueueFiles(const QStringList &queue, ScanProgress *progress = nullptr);

// part / whole as a percentage: the share rounded to two decimals (a tie goes to the even digit), times
// 100, as a whole number ("12" for 1 of 8, "38" for 3 of 8).
QString percentText(qint64 part, qint64 whole);

// The queue without the entries named in `paths` (compared exactly), the rest in their order; one pass.
QStringList removeQueueEntries(const QStringList &queue, const QSet<QString> &paths);

} // namespace tess
