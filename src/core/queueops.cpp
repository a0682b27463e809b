#include "core/queueops.h"

#include "core/like.h"
#include "core/listutils.h"
#include "core/pathhelpers.h"

#include <algorithm>
#include <numeric>

namespace tess {

// ---- What may enter the queue ----

namespace {

bool isRefusedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    // U+FFFD stands for bytes of a file name that are not valid text in the system's encoding:
    // such an entry names no file.
    return u == u'"' || u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029 || u == 0xfffd;
}

QString visibleText(const QString &entry)
{
    QString out;
    out.reserve(entry.size());
    for (QChar c : entry) {
        if (c.unicode() != u'"' && isRefusedCharacter(c))
            out += QStringLiteral("<0x%1>").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace

bool isAcceptableQueueEntry(const QString &entry)
{
    if (entry.isEmpty())
        return false;
    return std::none_of(entry.cbegin(), entry.cend(), isRefusedCharacter);
}

QueueEntryFilter filterQueueEntries(const QStringList &candidates)
{
    // Usually every candidate is taken: the list is then shared, not copied.
    const auto firstRefused = std::find_if_not(candidates.cbegin(), candidates.cend(), isAcceptableQueueEntry);
    QueueEntryFilter f;
    if (firstRefused == candidates.cend()) {
        f.accepted = candidates;
        return f;
    }
    f.accepted.reserve(candidates.size());
    f.accepted.append(candidates.cbegin(), firstRefused);
    for (auto c = firstRefused; c != candidates.cend(); ++c) {
        if (isAcceptableQueueEntry(*c))
            f.accepted.append(*c);
        else
            f.refused.append(*c);
    }
    return f;
}

QString refusedEntriesMessage(const QStringList &refused)
{
    if (refused.isEmpty())
        return QString();
    QString text = refused.size() == 1
                       ? QStringLiteral("1 entry was not added to the queue because it is empty or holds a double "
                                        "quote, a control character or a name that is not valid text:")
                       : QStringLiteral("%1 entries were not added to the queue because they are empty or hold a "
                                        "double quote, a control character or a name that is not valid text:")
                             .arg(refused.size());
    const qsizetype shown = std::min<qsizetype>(refused.size(), 10);
    for (qsizetype i = 0; i < shown; ++i)
        text += QLatin1Char('\n') + (refused.at(i).isEmpty() ? QStringLiteral("(empty)") : visibleText(refused.at(i)));
    if (refused.size() > shown)
        text += QStringLiteral("\n... and %1 more").arg(refused.size() - shown);
    return text;
}

// ---- Orders ----

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
    QList<qsizetype> byKey(n);
    std::iota(byKey.begin(), byKey.end(), qsizetype(0));
    std::stable_sort(byKey.begin(), byKey.end(),
                     [&keys](qsizetype a, qsizetype b) { return textCompare(keys.at(a), keys.at(b)) < 0; });

    QList<qsizetype> at(n);    // position -> item
    QList<qsizetype> where(n); // item -> position
    std::iota(at.begin(), at.end(), qsizetype(0));
    std::iota(where.begin(), where.end(), qsizetype(0));

    qsizetype p = n - 1;
    qsizetype groupEnd = n;
    QList<qsizetype> positions;
    while (groupEnd > 0) {
        qsizetype groupBegin = groupEnd - 1;
        while (groupBegin > 0 && textCompare(keys.at(byKey.at(groupBegin - 1)), keys.at(byKey.at(groupEnd - 1))) == 0)
            --groupBegin;
        positions.clear();
        for (qsizetype g = groupBegin; g < groupEnd; ++g)
            positions.append(where.at(byKey.at(g)));
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

QStringList sortedAscending(const QStringList &entries)
{
    QStringList out = entries;
    SortArrayAscending(out);
    return out;
}

QStringList reversedEntries(const QStringList &entries)
{
    QStringList out;
    out.reserve(entries.size());
    for (qsizetype i = entries.size() - 1; i >= 0; --i)
        out.append(entries.at(i));
    return out;
}

QStringList sortedDescending(const QStringList &entries) { return reversedEntries(sortedAscending(entries)); }

QStringList smartSortKeys(const QStringList &entries)
{
    qsizetype longest = 0;
    QList<qsizetype> titles;
    titles.reserve(entries.size());
    for (const QString &e : entries) {
        titles.append(FileTitleOf(e).size());
        longest = std::max(longest, titles.last());
    }
    QStringList keys;
    keys.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString &e = entries.at(i);
        keys.append(FolderOf(e) + QString(longest - titles.at(i), QLatin1Char('_')) + FileNameOf(e));
    }
    return keys;
}

QStringList smartSorted(const QStringList &entries)
{
    const qsizetype n = entries.size();
    if (n < 2)
        return entries;
    // The records are the entries and one blank record after the last; the blank one is dropped
    // again by identity, so no entry can ever take its place.
    QStringList keys = smartSortKeys(entries);
    keys.append(QString());
    const QList<qsizetype> order = selectionOrder(keys);
    QStringList out;
    out.reserve(n);
    for (qsizetype item : order) {
        if (item != n)
            out.append(entries.at(item));
    }
    return out;
}

QStringList performSortOrder(const QStringList &entries, int autoSortType)
{
    switch (autoSortType) {
    case 0: return sortedAscending(entries);
    case 1: return sortedDescending(entries);
    case 2: return smartSorted(entries);
    case 3: return reversedEntries(smartSorted(entries));
    default: return entries;
    }
}

namespace {
QStringList caseMappedEntries(const QStringList &entries, const QLocale &locale,
                              QString (QLocale::*map)(const QString &) const)
{
    QStringList out;
    out.reserve(entries.size());
    for (const QString &e : entries)
        out.append((locale.*map)(e));
    return out;
}
} // namespace

QStringList upperCasedEntries(const QStringList &entries, const QLocale &locale)
{
    return caseMappedEntries(entries, locale, &QLocale::toUpper);
}

QStringList lowerCasedEntries(const QStringList &entries, const QLocale &locale)
{
    return caseMappedEntries(entries, locale, &QLocale::toLower);
}

// ---- Moves ----

namespace {

// The index of the first entry of the run of adjacent selected rows that ends at the last one.
qsizetype runStart(const QList<qsizetype> &rows)
{
    qsizetype i = rows.size() - 1;
    while (i > 0 && rows.at(i - 1) == rows.at(i) - 1)
        --i;
    return rows.at(i);
}

} // namespace

QueueMove moveUpStep(const QList<qsizetype> &selectedRows, qsizetype count)
{
    if (selectedRows.isEmpty() || selectedRows.last() >= count)
        return {};
    const qsizetype end = selectedRows.last();
    const qsizetype above = runStart(selectedRows) - 1;
    if (above < 0)
        return {};
    return {above, end};
}

QueueMove moveDownStep(const QList<qsizetype> &selectedRows, qsizetype count)
{
    if (selectedRows.isEmpty())
        return {};
    const qsizetype end = selectedRows.last();
    if (end + 1 >= count)
        return {};
    return {end + 1, runStart(selectedRows)};
}

bool moveListItem(QStringList &entries, qsizetype source, qsizetype target)
{
    const qsizetype n = entries.size();
    if (target == n || target < 0 || target > n - 1 || source < 0 || source >= n)
        return false;
    const QString text = entries.takeAt(source);
    entries.insert(target, text);
    return true;
}

// ---- Small tests ----

bool isTextFileEntry(const QString &entry)
{
    const QStringView tail = QStringView(entry).right(3);
    return tail.compare(u"csv", Qt::CaseInsensitive) == 0 || tail.compare(u"txt", Qt::CaseInsensitive) == 0;
}

qsizetype countTextFileEntries(const QStringList &entries)
{
    return std::count_if(entries.cbegin(), entries.cend(), isTextFileEntry);
}

} // namespace tess
