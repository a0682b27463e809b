#include "core/queueops.h"

#include "core/like.h"
#include "core/listutils.h"
#include "core/pathhelpers.h"

#include <QFile>
#include <algorithm>

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

// The entry as a box can show it: control characters as "<0x..>", and an entry too long for a
// path cut to its start and its length.
QString visibleText(const QString &entry)
{
    constexpr qsizetype kShown = 200;
    const QStringView shown = QStringView(entry).left(kShown);
    QString out;
    out.reserve(shown.size());
    for (QChar c : shown) {
        if (c.unicode() != u'"' && isRefusedCharacter(c))
            out += QStringLiteral("<0x%1>").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    if (shown.size() < entry.size())
        out += QStringLiteral("... (%1 characters)").arg(entry.size());
    return out;
}

} // namespace

bool isOpenablePathLength(const QString &path)
{
#ifdef Q_OS_WIN
    return path.size() <= kLongestOpenablePath;
#else
    // A UTF-16 unit takes one to three bytes in the file-name encoding (a pair of them four): only a
    // length between the two bounds needs the bytes counted.
    const qsizetype units = path.size();
    if (units <= kLongestOpenablePath / 3)
        return true;
    if (units > kLongestOpenablePath)
        return false;
    return QFile::encodeName(path).size() <= kLongestOpenablePath;
#endif
}

bool isAcceptableQueueEntry(const QString &entry)
{
    if (entry.isEmpty() || !isOpenablePathLength(entry))
        return false;
    // Nearly every path is printable ASCII: one pass without branches (which the compiler turns
    // into vector code) tells whether any unit lies outside ' '..'~' or is a double quote; only then
    // is each unit looked at on its own.
    const QChar *const units = entry.constData();
    const qsizetype n = entry.size();
    char16_t unusual = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = units[i].unicode();
        unusual |= char16_t(char16_t(char16_t(u - u' ') > 0x5e) | char16_t(u == u'"'));
    }
    return !unusual || std::none_of(entry.cbegin(), entry.cend(), isRefusedCharacter);
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
                       ? QStringLiteral("1 entry was not added to the queue because it is empty, longer than the "
                                        "longest path the system can open, or holds a double quote, a control "
                                        "character or a name that is not valid text:")
                       : QStringLiteral("%1 entries were not added to the queue because they are empty, longer than "
                                        "the longest path the system can open, or hold a double quote, a control "
                                        "character or a name that is not valid text:")
                             .arg(refused.size());
    const qsizetype shown = std::min<qsizetype>(refused.size(), 10);
    for (qsizetype i = 0; i < shown; ++i)
        text += QLatin1Char('\n') + (refused.at(i).isEmpty() ? QStringLiteral("(empty)") : visibleText(refused.at(i)));
    if (refused.size() > shown)
        text += QStringLiteral("\n... and %1 more").arg(refused.size() - shown);
    return text;
}

// ---- Orders ----

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
        titles.append(std::max<qsizetype>(fileTitleSize(e), 0));
        longest = std::max(longest, titles.last());
    }
    // The folder, one "_" for every character the title is shorter than the longest, the name.
    QStringList keys;
    keys.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString &e = entries.at(i);
        const qsizetype cut = lastSeparatorIndex(e) + 1;
        const qsizetype padding = longest - titles.at(i);
        QString key(e.size() + padding, Qt::Uninitialized);
        QChar *out = std::copy_n(e.constData(), cut, key.data());
        out = std::fill_n(out, padding, QLatin1Char('_'));
        std::copy(e.constData() + cut, e.constData() + e.size(), out);
        keys.append(std::move(key));
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
    QList<qsizetype> order = selectionOrder(keys);
    order.removeOne(n);
    return takeInOrder(entries, order);
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

namespace {

// Whether the last three characters are "csv" or "txt" in any letter case: 1 or 0 when they are
// ASCII, -1 when a character beyond ASCII leaves the answer to the case folding.
inline int asciiTextFileEnding(const QString &entry)
{
    const qsizetype n = entry.size();
    if (n < 3)
        return 0;
    const QChar *const tail = entry.constData() + n - 3;
    if ((tail[0].unicode() | tail[1].unicode() | tail[2].unicode()) >= 0x80)
        return -1;
    // Setting bit 5 turns exactly the upper-case letters into their lower-case ones.
    const char16_t a = tail[0].unicode() | 0x20;
    const char16_t b = tail[1].unicode() | 0x20;
    const char16_t c = tail[2].unicode() | 0x20;
    return (a == u'c' && b == u's' && c == u'v') || (a == u't' && b == u'x' && c == u't');
}

// The same by the case folding (the long s folds to "s").
bool foldedTextFileEnding(const QString &entry)
{
    const QStringView tail = QStringView(entry).right(3);
    return tail.compare(u"csv", Qt::CaseInsensitive) == 0 || tail.compare(u"txt", Qt::CaseInsensitive) == 0;
}

} // namespace

bool isTextFileEntry(const QString &entry)
{
    const int ascii = asciiTextFileEnding(entry);
    return ascii >= 0 ? ascii == 1 : foldedTextFileEnding(entry);
}

qsizetype countTextFileEntries(const QStringList &entries)
{
    qsizetype count = 0;
    for (const QString &e : entries) {
        const int ascii = asciiTextFileEnding(e);
        count += ascii >= 0 ? ascii : qsizetype(foldedTextFileEnding(e));
    }
    return count;
}

} // namespace tess
