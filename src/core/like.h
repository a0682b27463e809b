#pragma once
// Wildcard matching and the project's one text order.

#include <QString>
#include <QStringList>
#include <vector>

namespace tess {

// Pattern test ignoring case: "*" any run (also none), "?" one character, "#" one digit,
// "[abc]" / "[a-z]" one character of the list, "[!abc]" one character not in it. Runs in time
// linear in the text for every pattern (no backtracking blow-up).
bool Like(const QString &text, const QString &pattern);

// A Like pattern compiled once for testing many texts (the folder walks use it).
class LikePattern
{
public:
    explicit LikePattern(const QString &pattern);
    bool matches(const QString &text) const;

    // For a pattern that starts and ends with "*" (a test that the text holds a run the part between
    // matches), tested on many texts that begin with the same prefix: how far the test gets within the
    // prefix alone, worked out once, and the test of a whole text resumed from there. `absent` lists
    // characters that no text holds after the prefix.
    struct Progress {
        int segment = 1;    // the first segment not found within the prefix
        qsizetype from = 0; // where the search for it started
        bool found = false; // every segment found: every text that starts with the prefix matches
        bool never = false; // no text that starts with the prefix can match
    };
    bool isContainsTest() const;
    Progress progressIn(QStringView prefix, QStringView absent) const;
    // Whether text, which starts with the prefix of prefixSize characters, matches (as matches() says).
    bool matchesFrom(const Progress &progress, QStringView text, qsizetype prefixSize) const;

private:
    struct Atom {
        enum Kind : unsigned char { Literal, Any, Digit, List } kind = Literal;
        bool negate = false; // List: "[!...]"
        char16_t ch = 0;     // Literal: the case-folded character
        int listBegin = 0;   // List: the characters between the brackets, as indexes into m_pattern
        int listEnd = 0;
    };
    bool atomMatches(const Atom &a, QChar c) const;
    bool segmentAt(int seg, QStringView text, qsizetype pos) const;
    // The leftmost place at or after pos where segment seg matches and ends by `end`; -1 when none.
    qsizetype findSegment(int seg, QStringView text, qsizetype pos, qsizetype end) const;
    int segmentSize(int seg) const { return m_segStart[seg + 1] - m_segStart[seg]; }

    QString m_pattern;
    std::vector<Atom> m_atoms;
    std::vector<int> m_segStart; // segment s is m_atoms[m_segStart[s], m_segStart[s + 1])
    bool m_anyStar = false;
};

// The order of every sort and comparison "ignoring case": punctuation and symbols < digits <
// letters, case folded; deterministic and independent of the locale. <0, 0, >0.
int textCompare(const QString &a, const QString &b);
inline bool textEqual(const QString &a, const QString &b) { return textCompare(a, b) == 0; }

// Many texts in the order of textCompare, equal texts in the order given: what a stable sort by
// textCompare gives, found mostly from small fixed keys instead of the strings themselves.
struct TextOrder {
    std::vector<qsizetype> order;     // order[k]: the index of the k-th text
    std::vector<bool> equalsPrevious; // equalsPrevious[k]: order[k]'s text equals order[k - 1]'s
};
TextOrder textOrder(const QStringList &texts);

} // namespace tess
