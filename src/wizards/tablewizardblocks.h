#pragma once
// The blocks of the two table wizards: the title-block wizard, which sets attributes of one named
// block through the AutoLISP command TB_WIZ1, and the layout wizard, which copies, deletes, creates
// or renames layout tabs with -LAYOUT. Both keep fifty rows; a row's texts are written as typed,
// tags included (the composer replaces them per drawing), except that line breaks are dropped
// (singleLineAnswer). Like the other wizards' writers, each returns the texts to assign to the
// user script, one per line written (see ScriptAssignments).

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace tess {

inline constexpr int kWizardRows = 50;

// WizardTagChoices: the 81 entries of every value list of the two wizards, in order: the empty
// entry, the 13 date and time tags, 17 file, batch and system tags, $TAG1$ to $TAG50$.
const QStringList &WizardTagChoices();

struct TitleBlockRows {
    QString blockName;                       // tbBlockName
    std::array<QString, kWizardRows> names;  // attribute names, Text1(0) to Text1(49)
    std::array<QString, kWizardRows> values; // values, Combo1(0) to Combo1(49)
};

// A row is filled when its attribute name or its value is not empty (blanks count).
bool titleBlockRowFilled(const TitleBlockRows &rows, int index);
// The filled rows (1-based) left out of the block because their attribute name is empty or only
// blanks: TB_WIZ1 can change no attribute without a tag.
QList<int> titleBlockRowsLeftOut(const TitleBlockRows &rows);
// The rows that writeTitleBlockScript writes (0-based indexes), in row order.
QList<int> titleBlockRowsWritten(const TitleBlockRows &rows);

// The load line of "TB_WIZ1.LSP" (on a new line after the old text), then for each written row a
// separator, "TB_WIZ1", the quoted block name, the attribute name and the value; "REGEN" and the
// closing separator.
QStringList writeTitleBlockScript(const QString &script, const TitleBlockRows &rows, const QString &programFolder);

// The layout wizard's operations, in the order of its option buttons Option1(0) to (3).
enum class LayoutOperation { Copy, Delete, New, Rename };

struct LayoutRows {
    std::array<QString, kWizardRows> tabNames; // Text1(0) to Text1(49)
    std::array<QString, kWizardRows> newNames; // Combo1(0) to Combo1(49), kept while hidden
};

// Whether the operation takes a new name (Copy, Rename); the new-name column shows only then.
bool layoutOperationTakesNewName(LayoutOperation op);
// A row counts when its tab name or its new name is not empty (blanks count, a hidden new name
// too).
bool layoutRowCounts(const LayoutRows &rows, int index);
// The counting rows (1-based) left out of the block: with Delete, those whose tab name is empty or
// only blanks, since AutoCAD takes an empty answer for the current layout and would delete it in
// every drawing. None for the other operations.
QList<int> layoutRowsLeftOut(const LayoutRows &rows, LayoutOperation op);

// On a new line after the old text (the old last line ends with CR LF first unless it ends with a
// line break already), for each counting row not left out: a separator, "-LAYOUT", the operation
// ("COPY", "DELETE", "NEW", "RENAME"), the tab name and, for Copy and Rename, the new name; then
// the closing separator.
QStringList writeLayoutScript(const QString &script, const LayoutRows &rows, LayoutOperation op);

// "Rows 3, 7 and 12" / "Row 3": how the warnings name the rows left out.
QString rowListText(const QList<int> &rows);

} // namespace tess
