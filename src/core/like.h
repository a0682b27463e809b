#pragma once
// Wildcard matching and the project's one text order.

#include <QString>

namespace tess {

// Pattern test ignoring case: "*" any run (also none), "?" one character, "#" one digit,
// "[abc]" / "[a-z]" one character of the list, "[!abc]" one character not in it. Runs in time
// linear in the text for every pattern (no backtracking blow-up).
bool Like(const QString &text, const QString &pattern);

// The order of every sort and comparison "ignoring case": punctuation and symbols < digits <
// letters, case folded; deterministic and independent of the locale. <0, 0, >0.
int textCompare(const QString &a, const QString &b);
inline bool textEqual(const QString &a, const QString &b) { return textCompare(a, b) == 0; }

} // namespace tess
