#pragma once
// What the script editor does apart from its controls: the four pick lists, the search and
// replace over the whole script, and the window's stored place and size.

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

namespace tess {

// ---- Pick lists, in the order they are offered ----
// The 34 dynamic tags ("$DATE$" ... "$COMPUTER$").
const QStringList &dynamicTagChoices();
// "$TAG1$" to "$TAG50$".
const QStringList &userTagChoices();
// "$PROJECTTAG1$" to "$PROJECTTAG40$".
const QStringList &projectTagChoices();
// The 18 META command lines (";TESTRUN=FALSE" ... ";SMARTSORT.DESCENDING"); the entries that end
// in "=" carry nothing after it.
const QStringList &metaCommandChoices();

// ---- Search and replace ----
struct ReplaceAllResult {
    QString text;
    qsizetype hits = 0; // occurrences replaced
};

// The positions of the occurrences of search in text, scanning once from the first character to
// the last: occurrences do not overlap ("aaa" holds "aa" once at 0). Ignoring case compares letters
// case-folded. None for an empty search.
QList<qsizetype> findAllOccurrences(const QString &text, const QString &search, Qt::CaseSensitivity cs);

// Every occurrence of search in text replaced by replacement, scanning once from the first
// character to the last: occurrences do not overlap ("aaa" holds "aa" once) and the replacement is
// not searched again. Ignoring case compares letters case-folded, so it also hits parts of words.
// An empty search changes nothing.
ReplaceAllResult replaceAllText(const QString &text, const QString &search, const QString &replacement,
                                Qt::CaseSensitivity cs);

// ---- Stored place and size (outer window, twips) ----
struct ScriptEditorGeometry {
    int left = 200;
    int top = 200;
    int width = 11250;
    int height = 8835;
};

// The smallest outer size of the editor.
inline constexpr int kScriptEditorMinWidthTwips = 11250;
inline constexpr int kScriptEditorMinHeightTwips = 6620;

// SCREditLeft, SCREditTop, SCREditWidth and SCREditHeight of section Startup. A value that is not a
// whole number gives that value's default; a size below the minimum gives the minimum.
ScriptEditorGeometry readScriptEditorGeometry();
void writeScriptEditorGeometry(const ScriptEditorGeometry &g);

} // namespace tess
