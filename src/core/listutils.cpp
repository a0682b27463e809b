#include "core/listutils.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/folderentries.h"
#include "core/like.h"
#include "core/pathhelpers.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>
#include <vector>

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include <sys/stat.h>
#endif

namespace tess {

// ---- Progress pacing ----

ScanPacer::ScanPacer(ScanProgress *progress)
    : m_progress(progress), m_interval(progress ? qMax(0, progress->intervalMs()) : 0)
{
    m_timer.start();
}

bool ScanPacer::due()
{
    if (!m_progress)
        return false;
    if (m_interval == 0 || m_timer.elapsed() >= m_interval) {
        m_timer.restart();
        return true;
    }
    return false;
}

void ScanPacer::update(const QString &text)
{
    if (!m_progress)
        return;
    m_progress->label(text);
    m_progress->pump();
    m_timer.restart();
}

void ScanPacer::pump()
{
    if (!m_progress)
        return;
    m_progress->pump();
    m_timer.restart();
}

Qt::CaseSensitivity pathCaseSensitivity()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

// ---- Folder walks ----

namespace {

// Whether a link points to an existing file that is not a folder (such a link is listed like a
// file; links to folders and dangling links are left out).
bool linkIsFile(const QString &path)
{
#ifdef Q_OS_WIN
    const QFileInfo fi(path);
    return fi.exists() && !fi.isDir();
#else
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
#endif
}

// What the walk does with an entry that is not a folder: a regular file, or a link to one, is
// listed; a pipe, device or socket (or a link to one) is passed over and named; a link to a folder
// or a dangling link is left out.
enum class FileEntryUse { List, Special, Leave };
FileEntryUse fileEntryUse(const QString &path, FolderEntry::Kind kind)
{
    if (kind == FolderEntry::File)
        return FileEntryUse::List;
    if (kind == FolderEntry::Other)
        return FileEntryUse::Special;
    if (!linkIsFile(path))
        return FileEntryUse::Leave;
    return isRegularFile(path) ? FileEntryUse::List : FileEntryUse::Special;
}

struct Level {
    QString folder; // with its separator
    std::vector<FolderEntry> entries;
    size_t next = 0;
};

// The shared walk: depth first, parents before children, a sub-folder walked completely before
// the next entry of its parent. onFile(folder, name) decides about each file (and each link to a
// file); afterEntry() runs after every entry handled and answers whether to end the walk;
// unreadable(folder) hears of each folder that could not be read (and is passed over).
template <typename OnFile, typename AfterEntry, typename OnUnreadable>
void walk(const QString &folder, OnFile onFile, AfterEntry afterEntry, bool stopAfterEntry, OnUnreadable unreadable)
{
    std::vector<Level> stack;
    auto enter = [&stack, &unreadable](QString f) {
        Level lv;
        lv.folder = std::move(f);
        if (readFolderEntries(lv.folder, lv.entries))
            sortFolderEntries(lv.entries);
        else
            unreadable(lv.folder);
        stack.push_back(std::move(lv));
    };
    // The folder gets one separator at its end, the one it uses; an empty folder text thus names the root.
    enter(folder.isEmpty() ? QString(AppEnvironment::separator()) : withTrailingSeparator(folder));
    while (!stack.empty()) {
        Level &lv = stack.back();
        if (lv.next >= lv.entries.size()) {
            stack.pop_back();
            // Back in the parent: the sub-folder was the parent's entry in hand.
            if (!stack.empty() && afterEntry() && stopAfterEntry)
                stack.back().next = stack.back().entries.size();
            continue;
        }
        const FolderEntry &e = lv.entries[lv.next++];
        if (e.kind == FolderEntry::Folder) {
            QString sub = lv.folder + e.name + lv.folder.back();
            enter(std::move(sub)); // lv is not used past this point
            continue;
        }
        onFile(lv.folder, e);
        if (afterEntry() && stopAfterEntry)
            lv.next = lv.entries.size();
    }
}

} // namespace

void SearchFilesIntoList(const QString &folder, const QString &pattern, QStringList &list, ScanProgress *progress)
{
    const LikePattern like(pattern);
    ScanPacer pacer(progress);
    auto labelText = [progress] {
        return QString::number(progress->foundFileCount()) + QStringLiteral(" files found");
    };
    qint64 lastShown = -1;
    if (pacer.due())
        pacer.pump();
    walk(
        folder,
        [&](const QString &dir, const FolderEntry &e) {
            if (!like.matches(e.name))
                return;
            QString full = dir + e.name;
            const FileEntryUse use = fileEntryUse(full, e.kind);
            if (use == FileEntryUse::Special && progress)
                progress->specialFileSkipped(full);
            if (use != FileEntryUse::List)
                return;
            list.append(std::move(full));
            if (progress)
                progress->setFoundFileCount(progress->foundFileCount() + 1);
        },
        [&] {
            if (!progress)
                return false;
            if (pacer.due()) {
                lastShown = progress->foundFileCount();
                pacer.update(labelText());
            }
            return progress->stopRequested();
        },
        true,
        [progress](const QString &unreadableFolder) {
            if (progress)
                progress->folderUnreadable(withoutTrailingSeparator(unreadableFolder));
        });
    // The last count is always shown, however recent the previous update.
    if (progress && lastShown != progress->foundFileCount() && progress->foundFileCount() > 0)
        progress->label(labelText());
}

void SearchFileTitlesIntoList(const QString &folder, const QString &pattern, QStringList &list, ScanProgress *progress)
{
    const LikePattern like(pattern.toLower());
    ScanPacer pacer(progress);
    walk(
        folder,
        [&](const QString &dir, const FolderEntry &e) {
            const QString lower = e.name.toLower();
            if (!like.matches(lower))
                return;
            if (fileEntryUse(dir + e.name, e.kind) != FileEntryUse::List)
                return;
            list.append(lower.chopped(qMin<qsizetype>(4, lower.size())).toUpper());
            if (progress)
                progress->setFoundFileCount(progress->foundFileCount() + 1);
        },
        [&] {
            if (pacer.due())
                pacer.pump();
            return false;
        },
        false, [](const QString &) {});
}

QString TrimAtNull(const QString &text)
{
    const qsizetype at = text.indexOf(QChar(0));
    return at < 0 ? text : text.left(at);
}

QString ShortenPathForDisplay(const QString &path, int)
{
    if (path.size() <= 93)
        return path;
    return path.left(45) + QStringLiteral("...") + path.right(45);
}

QString listClipboardText(const QStringList &entries) { return entries.join(QStringLiteral("\r\n")); }

// The selection procedure, step by step, always fixes at position p an item of the greatest
// class C (items equal in text order) still among positions 0..p: the item already at p when it
// belongs to C, otherwise the lowest-placed item of C, which exchanges places with the item at p.
// So the classes can be taken from the greatest down: for one class only the current positions
// of its items matter (consumed from the top when the top one sits at p, else from the bottom),
// and every exchange moves one item of a smaller class down into the hole. Each item is moved at
// most once per class step, so the whole run costs the sort of the classes plus O(n log n).
QList<qsizetype> selectionOrder(const QStringList &keys)
{
    const qsizetype n = keys.size();
    const TextOrder sorted = textOrder(keys);
    const std::vector<qsizetype> &byKey = sorted.order;

    QList<qsizetype> at(n);    // position -> item
    QList<qsizetype> where(n); // item -> position
    std::iota(at.begin(), at.end(), qsizetype(0));
    std::iota(where.begin(), where.end(), qsizetype(0));

    qsizetype p = n - 1;
    qsizetype groupEnd = n;
    QList<qsizetype> positions;
    while (groupEnd > 0) {
        qsizetype groupBegin = groupEnd - 1;
        while (groupBegin > 0 && sorted.equalsPrevious[groupBegin])
            --groupBegin;
        positions.clear();
        for (qsizetype g = groupBegin; g < groupEnd; ++g)
            positions.append(where.at(byKey[g]));
        std::sort(positions.begin(), positions.end());
        qsizetype lo = 0;
        qsizetype hi = positions.size() - 1;
        for (qsizetype step = 0; step < positions.size(); ++step, --p) {
            if (positions.at(hi) == p) {
                --hi;
                continue;
            }
            const qsizetype m = positions.at(lo++);
            const qsizetype mover = at.at(m);
            const qsizetype other = at.at(p);
            at[m] = other;
            where[other] = m;
            at[p] = mover;
            where[mover] = p;
        }
        groupEnd = groupBegin;
    }
    return at;
}

QStringList takeInOrder(QStringList values, const QList<qsizetype> &order)
{
    QStringList out;
    out.reserve(order.size());
    // A shared list is copied here, in its own order, which reads the strings where they lie;
    // the moves in the new order then touch only the list.
    QString *taken = values.data();
    for (qsizetype i : order)
        out.append(std::move(taken[i]));
    return out;
}

void SortArrayAscending(QStringList &values)
{
    if (values.size() < 2)
        return;
    const QList<qsizetype> order = selectionOrder(values);
    values = takeInOrder(std::move(values), order);
}

QString duplicatePercentText(qint64 removed, qint64 count)
{
    if (count < 2)
        return QStringLiteral("0");
    const double share = double(removed) / double(count - 1);
    // Two decimals, halves to even (the default rounding mode), then as a percentage.
    const double rounded = std::nearbyint(share * 100.0);
    return QString::number(qint64(rounded));
}

qint64 RemoveDuplicateListItems(QStringList &list, ScanProgress *progress, Qt::CaseSensitivity cs)
{
    if (progress)
        progress->setStopRequested(false);
    ScanPacer pacer(progress);
    pacer.update(QStringLiteral("Buffering File Names"));

    const qsizetype n = list.size();
    std::vector<char> keep(n, 1);
    std::unordered_set<QString> seen;
    seen.reserve(size_t(n));
    qint64 removed = 0;
    // From the last entry down: the first time a key is met is its last occurrence, which stays.
    for (qsizetype i = n - 1; i >= 0; --i) {
        const QString &s = list.at(i);
        bool fresh;
        if (cs == Qt::CaseSensitive) {
            fresh = seen.insert(s).second;
        } else {
            QString key(s.size(), Qt::Uninitialized);
            QChar *k = key.data();
            for (QChar c : s) {
                const char16_t u = c.unicode();
                *k++ = u < 0x80 ? QChar(u >= u'A' && u <= u'Z' ? char16_t(u | 0x20) : u) : c.toCaseFolded();
            }
            fresh = seen.insert(std::move(key)).second;
        }
        if (!fresh) {
            keep[i] = 0;
            ++removed;
            if (pacer.due())
                pacer.update(duplicatePercentText(removed, n) + QStringLiteral("% Complete"));
        } else if (pacer.due()) {
            pacer.pump();
        }
        if (progress && progress->stopRequested())
            break;
    }
    if (removed > 0) {
        QStringList out;
        out.reserve(n - removed);
        for (qsizetype i = 0; i < n; ++i) {
            if (keep[i])
                out.append(std::move(list[i]));
        }
        list = std::move(out);
    }
    return removed;
}

} // namespace tess
