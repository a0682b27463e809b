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
#include <set>
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

// The classic procedure: for i from the top down, the greatest of values[0..i] goes to i; the
// entry at i stays when it is among the greatest, otherwise the lowest-indexed of the greatest
// is swapped with it. Which group is greatest at each step is known from one O(n log n) sort;
// the positions of each group's entries are kept in ordered sets, so every step (finding the
// lowest-indexed member, the swap) costs O(log n) and the result is exactly the procedure's.
void SortArrayAscending(QStringList &values)
{
    const qsizetype n = values.size();
    if (n < 2)
        return;
    std::vector<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&values](qsizetype a, qsizetype b) { return textCompare(values.at(a), values.at(b)) < 0; });

    // group[e]: rank of the group of equal entries that entry e (original index) belongs to.
    std::vector<qsizetype> group(n);
    std::vector<qsizetype> groupSize, groupFirst;
    for (qsizetype k = 0; k < n; ++k) {
        if (k == 0 || textCompare(values.at(order[k - 1]), values.at(order[k])) != 0) {
            groupSize.push_back(0);
            groupFirst.push_back(k);
        }
        group[order[k]] = qsizetype(groupSize.size()) - 1;
        ++groupSize.back();
    }
    const qsizetype groups = qsizetype(groupSize.size());
    if (groups == n) { // all distinct: the procedure's result is the plain sorted order
        QStringList sorted;
        sorted.reserve(n);
        for (qsizetype e : order)
            sorted.append(values.at(e));
        values = std::move(sorted);
        return;
    }

    // at[p]: the original entry now at position p. Groups of one need no set: their member's
    // position is tracked in posOf.
    std::vector<qsizetype> at(n), posOf(n);
    std::iota(at.begin(), at.end(), 0);
    std::iota(posOf.begin(), posOf.end(), 0);
    std::vector<std::set<qsizetype>> positions(groups);
    for (qsizetype e = 0; e < n; ++e) {
        if (groupSize[group[e]] > 1)
            positions[group[e]].insert(e);
    }
    auto removePos = [&](qsizetype e, qsizetype p) {
        if (groupSize[group[e]] > 1)
            positions[group[e]].erase(p);
    };
    auto addPos = [&](qsizetype e, qsizetype p) {
        posOf[e] = p;
        if (groupSize[group[e]] > 1)
            positions[group[e]].insert(p);
    };

    qsizetype g = groups - 1; // the greatest group with members still unplaced
    qsizetype leftInGroup = groupSize[g];
    for (qsizetype i = n - 1; i >= 0; --i) {
        if (leftInGroup == 0) {
            --g;
            leftInGroup = groupSize[g];
        }
        const qsizetype top = at[i];
        if (group[top] == g) {
            removePos(top, i);
        } else {
            const qsizetype p = groupSize[g] > 1 ? *positions[g].begin() : posOf[order[groupFirst[g]]];
            const qsizetype moving = at[p];
            removePos(moving, p);
            removePos(top, i);
            at[i] = moving;
            posOf[moving] = i;
            at[p] = top;
            addPos(top, p);
        }
        --leftInGroup;
    }
    QStringList sorted;
    sorted.reserve(n);
    for (qsizetype p = 0; p < n; ++p)
        sorted.append(values.at(at[p]));
    values = std::move(sorted);
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
