#pragma once
// List and folder-search utilities: recursive folder walks, duplicate removal, sorting and the
// small text helpers that windows use on their lists. Everything here works on plain string
// lists; uilistutils.h applies the same functions to list boxes and combo boxes.
//
// Long operations report progress and poll the stop request through ScanProgress. They call the
// observer at most once per interval (50 ms by default), so a window repaints a few dozen times a
// second however fast the entries go by, and the stop request (mainSettings().STOPSCAN == 1) is read
// after every entry.

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

namespace tess {

// Progress and stop of a long operation. The scan window implements it; tests record it.
class ScanProgress
{
public:
    virtual ~ScanProgress() = default;
    // The progress text (the scan window's label).
    virtual void label(const QString &text) = 0;
    // Let the window repaint and handle its Stop button (which sets mainSettings().STOPSCAN to 1).
    virtual void pump() = 0;
    // Least time between two calls of label()/pump(); 0 calls them for every step.
    virtual int intervalMs() const { return 50; }
};

// Paces the calls of a ScanProgress: due() answers true at most once per interval.
class ScanPacer
{
public:
    explicit ScanPacer(ScanProgress *progress);
    bool active() const { return m_progress != nullptr; }
    // True when the observer should be called now (restarts the interval).
    bool due();
    // label(text) then pump(), and the interval starts again.
    void update(const QString &text);
    // pump() alone.
    void pump();

private:
    ScanProgress *m_progress;
    qint64 m_interval;
    QElapsedTimer m_timer;
};

// The stop request of the long scans is set (mainSettings().STOPSCAN == 1).
bool stopScanRequested();

// Whether two drawing paths differing only in letter case name the same file: case-insensitive
// on Windows, case-sensitive elsewhere.
Qt::CaseSensitivity pathCaseSensitivity();

// Files appended by the walks (and by other scans that count into it). Never reset by the walks:
// a caller that reports a count sets it to 0 first.
extern qint64 FoundFileCount;

// Appends the full path (folder, one separator, the name in its own case) of every file below
// folder whose name matches pattern (Like, ignoring case). Depth first, parents before children;
// within a folder entries are taken in textCompare order of their names (ties by code point), so
// the result is the same on every file system. Hidden entries count like any other. Symbolic
// links and junctions to folders are never followed (a link to a file is appended like a file);
// folders that cannot be read are skipped. Writes FoundFileCount & " files found" to the progress
// and stops after the entry in hand when STOPSCAN is 1; everything found so far stays appended.
// The folder may end in a separator or not; the one it uses ("\" or "/") is kept.
void SearchFilesIntoList(const QString &folder, const QString &pattern, QStringList &list,
                         ScanProgress *progress = nullptr);

// The same walk without label or stop: appends each matching file's name lower-cased, without
// its last four characters, then upper-cased (Alpha.tag gives "ALPHA"). The progress, when given,
// is only pumped (paced) so the window stays live.
void SearchFileTitlesIntoList(const QString &folder, const QString &pattern, QStringList &list,
                              ScanProgress *progress = nullptr);

// The text before its first NUL character; the whole text when there is none.
QString TrimAtNull(const QString &text);

// A path of 93 characters or fewer unchanged; a longer one as its first 45 characters, "..." and
// its last 45 characters. length is accepted and not used.
QString ShortenPathForDisplay(const QString &path, int length = 0);

// The entries joined by CR LF (none after the last): the text CopyListToClipboard puts on the
// clipboard.
QString listClipboardText(const QStringList &entries);

// Sorts ascending by textCompare in O(n log n). Entries that compare equal end in the very order
// the classic selection sort from the top gives (top entry kept when it is among the greatest,
// else the lowest-indexed of the greatest swapped up): b, A, a, C gives a, A, b, C; x, X stays.
void SortArrayAscending(QStringList &values);

// Removes every entry equal to a later one (compared with cs: ignoring case on Windows, exact
// elsewhere), so the last occurrence of each group stays and the survivors keep their order.
// One pass with a hash set. Sets STOPSCAN to 0 first, writes "Buffering File Names" and then
// p & "% Complete" (p = removed of at most n - 1) to the progress, and stops when STOPSCAN
// becomes 1, keeping the entries not yet looked at. Returns the number removed.
qint64 RemoveDuplicateListItems(QStringList &list, ScanProgress *progress = nullptr,
                                Qt::CaseSensitivity cs = pathCaseSensitivity());

// The percentage text of a duplicate pass: removed / (n - 1) rounded to two decimals (halves to
// even), times 100, as a whole number ("33" for 1 of 3).
QString duplicatePercentText(qint64 removed, qint64 count);

} // namespace tess
