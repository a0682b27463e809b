#pragma once
// The text of a multi-line command or script box, every character as typed, and the two ways of
// writing it: as one undoable edit, or replacing the box's content outright.

#include <QString>

class QPlainTextEdit;

namespace tess {

// The box text: lines joined by "\n", every character as typed (no-break spaces stay).
QString plainBoxText(const QPlainTextEdit *box);

// Replaces the box text as one undoable edit (nothing happens when the text is the same).
void replaceBoxText(QPlainTextEdit *box, const QString &text);

// Sets the box text when it differs (its change handling runs only on a real change); the box's
// undo history starts afresh.
void setBoxText(QPlainTextEdit *box, const QString &text);

// Multi-line settings keep CR LF (or a lone CR) between lines; the boxes use "\n".
QString boxTextFromCrLf(QString text);
QString crLfFromBoxText(QString text);

} // namespace tess
