#include "core/like.h"

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

bool LikePattern::segmentAt(int seg, const QString &text, qsizetype pos) const
{
    const QChar *t = text.constData() + pos;
    for (int k = m_segStart[seg], e = m_segStart[seg + 1]; k < e; ++k, ++t) {
        if (!atomMatches(m_atoms[k], *t))
            return false;
    }
    return true;
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
        const int size = segmentSize(s);
        bool found = false;
        for (; pos + size <= tailStart; ++pos) {
            if (segmentAt(s, text, pos)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
        pos += size;
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

} // namespace tess
