#pragma once
// The file renamer's six name rules: each turns the list of current file names into a preview of new
// names, touching no file. A rule that meets a name it cannot handle stops there and says why; the
// names computed before the stop stay in the result.

#include <QString>
#include <QStringList>
#include <optional>

namespace tess {

// The dot of a name is its last "."; the base is what comes before it, the extension the dot and
// what follows it.
struct NameParts {
    QString base;
    QString extension;
    bool hasDot = false;
};
NameParts splitName(const QString &name);

// The text without its first n characters: n <= 0 gives the text whole, n equal to its length an
// empty text; n greater than its length has no answer.
std::optional<QString> StripFirstXChars(const QString &text, int n);

enum class PreviewStop {
    None,          // every entry computed
    StringLength,  // "String Length Error."
    NotANumber,    // "You must use number, not letters." (also a start or value out of range)
    InsertPastEnd, // a name shorter than the insert position
    SameLength,    // "All filenames are the same length." ...
};

struct RenamePreview {
    QStringList names;
    PreviewStop stop = PreviewStop::None;
    qsizetype stopIndex = -1; // the entry at which it stopped
    // Rep.First: the entries whose name is shorter than the count (each became the replacement alone).
    QList<qsizetype> tooShort;
    bool complete() const { return stop == PreviewStop::None; }
};

// Renumber: start (a 32-bit whole number, halfway values rounded away from zero) + step x index,
// written with at least `digits` digits, appended to the base or written over its last characters.
RenamePreview previewRenumber(const QStringList &names, const QString &startText, const QString &stepText, int digits,
                              bool append);
// The number text of one entry ("-001", "1000").
QString renumberText(qint64 value, int digits);

// Rep.First: the first n characters replaced by the text.
RenamePreview previewReplaceFirst(const QStringList &names, int n, const QString &with);
// Insert: the text put after the first p characters.
RenamePreview previewInsert(const QStringList &names, const QString &text, int p);
// Append: the text at the end of the base.
RenamePreview previewAppend(const QStringList &names, const QString &text);
// Pad: every name brought to the length of the longest with the pad text, at the start of the name
// or at the end of its base.
RenamePreview previewPad(const QStringList &names, const QString &padChar, bool fromStart);
// Replacer (and Compound over a preview): every occurrence replaced, left to right, ignoring case.
RenamePreview previewReplaceAll(const QStringList &names, const QString &find, const QString &with);
QString replaceAllIgnoringCase(const QString &name, const QString &find, const QString &with);

// The message a stopped preview shows; empty when it shows none.
QString previewStopMessage(PreviewStop stop);

} // namespace tess
