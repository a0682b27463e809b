#pragma once
// List and folder-search utilities: recursive folder walks, duplicate removal, sorting and the
// small text helpers that windows use on their lists. Everything here works on plain string
// lists; widgets/listwidgets.h applies the same functions to list boxes and combo boxes.
//
// Long operations report progress, poll the stop request and count what they find through the
// ScanProgress object their caller passes in; they read no global. They call label()/pump() at most
// once per interval (50 ms by default), so a window repaints a few dozen times a second however
// fast the entries go by, and they read the stop request after every entry.

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <atomic>

namespace tess {

// Progress, stop request and found count of a long operation. The scan window implements it;
// tests record it. A forwarding object (one that adds work to label/pump and passes them on)
// overrides the stop and count accessors too, so that they reach the object it forwards to.
class ScanProgress
{
public:
    ScanProgress() = default;
    ScanProgress(const ScanProgress &) = delete;
    ScanProgress &operator=(const ScanProgress &) = delete;
    virtual ~ScanProgress() = default;

    // The progress text (the scan window's label).
    virtual void label(const QString &text) = 0;
    // Let the window repaint and handle its Stop button.
    virtual void pump() = 0;
    // Least time between two calls of label()/pump(); 0 calls them for every step.
    virtual int intervalMs() const { return 50; }

    // The stop request: set by the Stop button (or by any thread); an operation polling it ends
    // after the entry in hand. The walks never clear it; RemoveDuplicateListItems clears it when it
    // starts; a caller that wants a full walk clears it first.
    virtual bool stopRequested() const { return m_stopRequested.load(std::memory_order_relaxed); }
    virtual void setStopRequested(bool stop) { m_stopRequested.store(stop, std::memory_order_relaxed); }

    // The files found by the walks that reported here: each adds 1 per file it appends and none
    // resets it, so the levels of one walk, and several walks in a row, add to one count. A
    // caller that reports a count sets it to 0 first.
    virtual qint64 foundFileCount() const { return m_foundFileCount.load(std::memory_order_relaxed); }
    virtual void setFoundFileCount(qint64 count) { m_foundFileCount.store(count, std::memory_order_relaxed); }

    // A folder the walk could not read and passed over (no separator at its end).
    virtual void folderUnreadable(const QString &folder) { (void)folder; }
    // The walk has just appended an entry to one of its output lists: a window may show it now.
    virtual void entryAppended() {}
    // A pipe, device or socket (or a link to one) the walk passed over: no drawing, and never opened.
    virtual void specialFileSkipped(const QString &path) { (void)path; }

private:
    std::atomic<bool> m_stopRequested{false};
    std::atomic<qint64> m_foundFileCount{0};
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

// Whether two drawing paths differing only in letter case name the same file: case-insensitive
// on Windows, case-sensitive elsewhere.
Qt::CaseSensitivity pathCaseSensitivity();

// Appends the full path (folder, one separator, the name in its own case) of every file below
// folder whose name matches pattern (Like, ignoring case). Depth first, parents before children;
// within a folder entries are taken in textCompare order of their names (ties by code point), so
// the result is the same on every file system. Hidden entries count like any other. Symbolic
// links and junctions to folders are never followed (a link to a file is appended like a file);
// folders that cannot be read are skipped; pipes, devices and sockets (and links to them) are never
// appended, and each is named to the progress (specialFileSkipped). Adds 1 per file to the progress's found count,
// writes that count & " files found" to its label, and stops after the entry in hand once its stop request is set;
// everything found so far stays appended. Without a progress nothing is counted and nothing stops the walk. The folder
// may end in a separator or not; the one it uses ("\" or "/") is kept.
void SearchFilesIntoList(const QString &folder, const QString &pattern, QStringList &list,
                         ScanProgress *progress = nullptr);

// The same walk without label or stop: appends each matching file's name lower-cased, without
// its last four characters, then upper-cased (Alpha.tag gives "ALPHA"). The progress, when given,
// counts the files and is pumped (paced) so the window stays live; its stop request is not read.
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

// The permutation the selection procedure leaves: for p from the last position down to 0 the
// candidate is the item at p; positions 0..p are scanned upwards and an item replaces the
// candidate only when it is strictly greater (textCompare); when the candidate's position is
// below p the two items exchange places. result[i] is the original index of the item that ends
// at position i. O(n log n).
QList<qsizetype> selectionOrder(const QStringList &keys);

// values[order[0]], values[order[1]], ...: each string moved from values, so every index of
// order is to appear at most once.
QStringList takeInOrder(QStringList values, const QList<qsizetype> &order);

// Sorts ascending by textCompare in O(n log n). Entries that compare equal end in the very order
// the classic selection sort from the top gives (top entry kept when it is among the greatest,
// else the lowest-indexed of the greatest swapped up): b, A, a, C gives a, A, b, C; x, X stays.
void SortArrayAscending(QStringList &values);

// Removes every entry equal to a later one (compared with cs: ignoring case on Windows, exact
// elsewhere), so the last occurrence of each group stays and the survivors keep their order.
// One pass with a hash set. Clears the progress's stop request first, writes "Buffering File Names"
// and then p & "% Complete" (p = removed of at most n - 1) to it, and stops once the request is
// set, keeping the entries not yet looked at; the request stays set afterwards. Returns the number
// removed.
qint64 RemoveDuplicateListItems(QStringList &list, ScanProgress *progress = nullptr,
                                Qt::CaseSensitivity cs = pathCaseSensitivity());

// The percentage text of a duplicate pass: removed / (n - 1) rounded to two decimals (halves to
// even), times 100, as a whole number ("33" for 1 of 3).
QString duplicatePercentText(qint64 removed, qint64 count);

} // namespace tess
