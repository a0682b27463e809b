#include "core/like.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tess {

namespace {

inline char16_t fold(QChar c) { return c.toCaseFolded().unicode(); }

inline char16_t foldFast(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'A' && u <= u'Z') ? char16_t(u | 0x20) : u;
    return fold(c);
}

// Whether c is in the list pattern[b, e) ("a-z" ranges and single characters), ignoring case.
bool listHas(const QString &pattern, int b, int e, QChar c)
{
    const char16_t variants[3] = {c.unicode(), c.toLower().unicode(), c.toUpper().unicode()};
    const char16_t f = fold(c);
    for (int i = b; i < e; ++i) {
        const char16_t lo = pattern.at(i).unicode();
        char16_t hi = lo;
        // A "-" between two characters makes a range; a leading or trailing "-" is itself.
        if (i + 2 < e && pattern.at(i + 1) == QLatin1Char('-')) {
            hi = pattern.at(i + 2).unicode();
            i += 2;
        }
        for (char16_t v : variants) {
            if (lo <= v && v <= hi)
                return true;
        }
        if (lo == hi && fold(QChar(lo)) == f)
            return true;
    }
    return false;
}

} // namespace

// The pattern is cut at its "*" into segments of one-character atoms. The first segment must
// match at the start of the text, the last at the end, and every segment between them is taken
// at its leftmost place after the one before: with only "*" as a variable-length atom the
// leftmost choice never loses a match, so nothing is ever retried. Each text position is tried
// as a start at most once per segment, each try costing at most the segment's length: O(n·k) for
// a text of n characters and a longest segment of k atoms (a handful in practice), however many
// stars the pattern holds ("*a*a*a*b" over a long text stays linear).
LikePattern::LikePattern(const QString &pattern) : m_pattern(pattern)
{
    m_segStart.push_back(0);
    const qsizetype plen = pattern.size();
    for (qsizetype i = 0; i < plen; ++i) {
        const QChar c = pattern.at(i);
        Atom a;
        if (c == QLatin1Char('*')) {
            // Close the present segment; runs of stars make one cut.
            if (!m_anyStar || int(m_atoms.size()) != m_segStart.back())
                m_segStart.push_back(int(m_atoms.size()));
            m_anyStar = true;
            continue;
        } else if (c == QLatin1Char('?')) {
            a.kind = Atom::Any;
        } else if (c == QLatin1Char('#')) {
            a.kind = Atom::Digit;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                a.ch = fold(c); // an unclosed "[" stands for itself
            } else {
                qsizetype b = i + 1;
                if (b < close && pattern.at(b) == QLatin1Char('!')) {
                    a.negate = true;
                    ++b;
                }
                i = close;
                if (b == close && !a.negate)
                    continue; // "[]" matches the empty string
                a.kind = Atom::List;
                a.listBegin = int(b);
                a.listEnd = int(close);
            }
        } else {
            a.ch = fold(c);
        }
        m_atoms.push_back(a);
    }
    m_segStart.push_back(int(m_atoms.size()));
}

bool LikePattern::atomMatches(const Atom &a, QChar c) const
{
    switch (a.kind) {
    case Atom::Literal: return c.unicode() == a.ch || foldFast(c) == a.ch;
    case Atom::Any: return true;
    case Atom::Digit: return c.unicode() >= u'0' && c.unicode() <= u'9';
    case Atom::List: return listHas(m_pattern, a.listBegin, a.listEnd, c) != a.negate;
    }
    return false;
}

bool LikePattern::segmentAt(int seg, QStringView text, qsizetype pos) const
{
    const QChar *t = text.data() + pos;
    for (int k = m_segStart[seg], e = m_segStart[seg + 1]; k < e; ++k, ++t) {
        if (!atomMatches(m_atoms[k], *t))
            return false;
    }
    return true;
}

qsizetype LikePattern::findSegment(int seg, QStringView text, qsizetype pos, qsizetype end) const
{
    const int size = segmentSize(seg);
    for (; pos + size <= end; ++pos) {
        if (segmentAt(seg, text, pos))
            return pos;
    }
    return -1;
}

bool LikePattern::matches(const QString &text) const
{
    const qsizetype n = text.size();
    const int segments = int(m_segStart.size()) - 1;
    if (!m_anyStar)
        return segmentSize(0) == n && segmentAt(0, text, 0);

    // segments: head, middle..., tail (head and tail may be empty).
    const int last = segments - 1;
    const int headSize = segmentSize(0);
    const int tailSize = segmentSize(last);
    if (headSize + tailSize > n)
        return false;
    if (!segmentAt(0, text, 0))
        return false;
    const qsizetype tailStart = n - tailSize;
    if (!segmentAt(last, text, tailStart))
        return false;
    qsizetype pos = headSize;
    for (int s = 1; s < last; ++s) {
        pos = findSegment(s, text, pos, tailStart);
        if (pos < 0)
            return false;
        pos += segmentSize(s);
    }
    return true;
}

bool LikePattern::isContainsTest() const
{
    return m_anyStar && segmentSize(0) == 0 && segmentSize(int(m_segStart.size()) - 2) == 0;
}

// The middle segments are taken leftmost, so a segment found within the prefix is where the whole text
// has it too, and a segment not found there can only be found running past the prefix's end.
LikePattern::Progress LikePattern::progressIn(QStringView prefix, QStringView absent) const
{
    Progress p;
    const int last = int(m_segStart.size()) - 2;
    qsizetype pos = 0;
    for (int s = 1; s < last; ++s) {
        const qsizetype at = findSegment(s, prefix, pos, prefix.size());
        if (at < 0) {
            p.segment = s;
            p.from = pos;
            // Running past the prefix, the segment's last atom falls after it: a character no text has
            // there cannot match it.
            const Atom &end = m_atoms[size_t(m_segStart[s + 1] - 1)];
            p.never = end.kind == Atom::Literal && absent.contains(QChar(end.ch));
            return p;
        }
        pos = at + segmentSize(s);
    }
    p.found = true;
    return p;
}

bool LikePattern::matchesFrom(const Progress &progress, QStringView text, qsizetype prefixSize) const
{
    if (progress.found || progress.never)
        return progress.found;
    const int last = int(m_segStart.size()) - 2;
    qsizetype pos = std::max(progress.from, prefixSize - segmentSize(progress.segment) + 1);
    for (int s = progress.segment; s < last; ++s) {
        pos = findSegment(s, text, pos, text.size());
        if (pos < 0)
            return false;
        pos += segmentSize(s);
    }
    return true;
}

bool Like(const QString &text, const QString &pattern) { return LikePattern(pattern).matches(text); }

namespace {

// 0: punctuation, symbols, spaces and everything else; 1: digits; 2: letters.
inline int charClass(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80) {
        if ((u | 0x20) >= u'a' && (u | 0x20) <= u'z')
            return 2;
        return u >= u'0' && u <= u'9' ? 1 : 0;
    }
    if (c.isLetter())
        return 2;
    if (c.isDigit())
        return 1;
    return 0;
}

// Index of the first position where the two arrays differ (n when they do not), four
// characters at a time.
inline qsizetype firstDifference(const QChar *a, const QChar *b, qsizetype n)
{
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        quint64 x, y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        if (x != y)
            break;
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

} // namespace

// Character by character: first the class (punctuation and symbols < digits < letters), then the
// case-folded code point. A string that is a prefix of the other comes first. Strings differing
// only in letter case compare equal. No locale is consulted, so the order is the same everywhere.
int textCompare(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    for (qsizetype i = firstDifference(pa, pb, n); i < n; ++i) {
        const QChar ca = pa[i];
        const QChar cb = pb[i];
        if (ca == cb)
            continue;
        const int ka = charClass(ca);
        const int kb = charClass(cb);
        if (ka != kb)
            return ka < kb ? -1 : 1;
        const char16_t fa = foldFast(ca);
        const char16_t fb = foldFast(cb);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

namespace {

// A character's place in the text order: its class, then its case-folded code point.
inline quint32 charRank(QChar c) { return quint32(charClass(c)) << 16 | foldFast(c); }
constexpr quint32 kRankCount = 3u << 16;

// The characters of the texts, numbered 1.. in the text order (0 stands for the end of a text):
// the fewer there are, the more characters fit into a key.
class KeyAlphabet
{
public:
    explicit KeyAlphabet(const QStringList &texts)
    {
        bool ascii[0x80] = {};
        std::vector<quint64> seen(kRankCount / 64);
        for (const QString &t : texts) {
            const QChar *p = t.constData();
            for (qsizetype i = 0, end = t.size(); i < end; ++i) {
                const char16_t u = p[i].unicode();
                if (u < 0x80) {
                    ascii[u] = true;
                } else {
                    const quint32 r = charRank(p[i]);
                    seen[r / 64] |= quint64(1) << (r % 64);
                }
            }
        }
        for (char16_t u = 0; u < 0x80; ++u) {
            if (ascii[u]) {
                const quint32 r = charRank(QChar(u));
                seen[r / 64] |= quint64(1) << (r % 64);
            }
        }
        for (quint32 w = 0; w < seen.size(); ++w) {
            for (quint64 bits = seen[w]; bits != 0; bits &= bits - 1)
                m_ranks.push_back(w * 64 + quint32(std::countr_zero(bits)));
        }
        for (char16_t u = 0; u < 0x80; ++u)
            m_ascii[u] = numberOfRank(charRank(QChar(u)));
    }
    quint32 size() const { return quint32(m_ranks.size()); }
    // The number of a character of the texts.
    quint32 number(QChar c) const { return c.unicode() < 0x80 ? m_ascii[c.unicode()] : numberOfRank(charRank(c)); }

private:
    quint32 numberOfRank(quint32 rank) const
    {
        return quint32(std::lower_bound(m_ranks.begin(), m_ranks.end(), rank) - m_ranks.begin()) + 1;
    }
    std::vector<quint32> m_ranks; // the ranks that occur, ascending
    quint32 m_ascii[0x80];
};

struct KeyedText {
    quint64 key[2]; // characters of the text from the range's position on, the first one highest
    qsizetype index;
    bool wholeInKey; // the text ends inside its key
};

// Orders texts by keys of characters from a position on, a stretch at a time: each run of texts
// whose keys are equal and do not hold the whole texts is ordered again by the next stretch. In
// the end every run of equal keys is a run of equal texts.
class KeyedTextSorter
{
public:
    KeyedTextSorter(const QStringList &texts, TextOrder &out) : m_texts(texts), m_alphabet(texts), m_out(out)
    {
        m_bits = std::max(1, int(std::bit_width(m_alphabet.size())));
        m_charsPerWord = 64 / m_bits;
        m_keyed.resize(size_t(texts.size()));
        for (qsizetype i = 0; i < texts.size(); ++i)
            m_keyed[size_t(i)].index = i;
    }
    void run()
    {
        sortRange(0, qsizetype(m_keyed.size()), 0);
        for (size_t k = 0; k < m_keyed.size(); ++k)
            m_out.order[k] = m_keyed[k].index;
    }

private:
    // Texts of the range all agree on their first `from` characters. Each level takes at least
    // one text out of a run, so nested prefixes of one long text ("a", "ab", "abc", ...) could
    // go as deep as there are texts: past kMaxDepth a run is finished by comparing the strings.
    void sortRange(qsizetype begin, qsizetype end, qsizetype from, int depth = 0)
    {
        if (depth > kMaxDepth) {
            compareRange(begin, end);
            return;
        }
        const qsizetype start = from + sharedPrefix(begin, end, from);
        const qsizetype keyEnd = start + 2 * m_charsPerWord;
        for (qsizetype k = begin; k < end; ++k) {
            KeyedText &kt = m_keyed[size_t(k)];
            const QString &t = m_texts.at(kt.index);
            const QChar *p = t.constData();
            qsizetype at = start;
            for (quint64 &word : kt.key) {
                word = 0;
                for (int c = 0; c < m_charsPerWord; ++c, ++at)
                    word = (word << m_bits) | (at < t.size() ? m_alphabet.number(p[at]) : 0);
            }
            kt.wholeInKey = t.size() <= keyEnd;
        }
        const auto first = m_keyed.begin() + begin;
        const auto last = m_keyed.begin() + end;
        std::sort(first, last, [](const KeyedText &a, const KeyedText &b) {
            if (a.key[0] != b.key[0])
                return a.key[0] < b.key[0];
            if (a.key[1] != b.key[1])
                return a.key[1] < b.key[1];
            return a.index < b.index;
        });
        for (qsizetype runBegin = begin; runBegin < end;) {
            const KeyedText &head = m_keyed[size_t(runBegin)];
            qsizetype runEnd = runBegin + 1;
            bool whole = head.wholeInKey;
            while (runEnd < end && m_keyed[size_t(runEnd)].key[0] == head.key[0] &&
                   m_keyed[size_t(runEnd)].key[1] == head.key[1]) {
                whole = whole && m_keyed[size_t(runEnd)].wholeInKey;
                ++runEnd;
            }
            if (whole) {
                for (qsizetype k = runBegin + 1; k < runEnd; ++k)
                    m_out.equalsPrevious[size_t(k)] = true;
            } else if (runEnd - runBegin > 1) {
                sortRange(runBegin, runEnd, keyEnd, depth + 1);
            }
            runBegin = runEnd;
        }
    }

    void compareRange(qsizetype begin, qsizetype end)
    {
        const auto first = m_keyed.begin() + begin;
        const auto last = m_keyed.begin() + end;
        std::sort(first, last, [this](const KeyedText &a, const KeyedText &b) {
            const int c = textCompare(m_texts.at(a.index), m_texts.at(b.index));
            return c != 0 ? c < 0 : a.index < b.index;
        });
        for (qsizetype k = begin + 1; k < end; ++k) {
            m_out.equalsPrevious[size_t(k)] =
                textCompare(m_texts.at(m_keyed[size_t(k - 1)].index), m_texts.at(m_keyed[size_t(k)].index)) == 0;
        }
    }

    static constexpr int kMaxDepth = 64;

    // How many characters from `from` on all texts of the range share in the text order.
    qsizetype sharedPrefix(qsizetype begin, qsizetype end, qsizetype from) const
    {
        const QString &first = m_texts.at(m_keyed[size_t(begin)].index);
        qsizetype shared = first.size() - from;
        for (qsizetype k = begin + 1; k < end && shared > 0; ++k) {
            const QString &t = m_texts.at(m_keyed[size_t(k)].index);
            const QChar *a = first.constData() + from;
            const QChar *b = t.constData() + from;
            const qsizetype n = std::min(shared, t.size() - from);
            qsizetype i = firstDifference(a, b, n);
            while (i < n && charRank(a[i]) == charRank(b[i]))
                ++i;
            shared = i;
        }
        return std::max<qsizetype>(shared, 0);
    }

    const QStringList &m_texts;
    const KeyAlphabet m_alphabet;
    TextOrder &m_out;
    std::vector<KeyedText> m_keyed;
    int m_bits = 1;
    int m_charsPerWord = 1;
};

} // namespace

// Texts are ordered by 128-bit keys in one contiguous array, a stretch of characters at a time,
// with the index as the last criterion, which gives the stable sort's order; the strings are read
// only to make the keys.
TextOrder textOrder(const QStringList &texts)
{
    TextOrder out;
    out.order.resize(size_t(texts.size()));
    out.equalsPrevious.assign(size_t(texts.size()), false);
    if (!texts.isEmpty())
        KeyedTextSorter(texts, out).run();
    return out;
}

} // namespace tess
