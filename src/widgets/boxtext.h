#pragma once
// The text of a multi-line command or script box, every character as typed, and the ways of
// writing it: as one undoable edit, replacing the box's content outright, or handing the box a
// whole document made beforehand on another thread.

#include <QString>
#include <atomic>
#include <memory>

class QPlainTextEdit;
class QTextDocument;
class QThread;

namespace tess {

// The box text: lines joined by "\n", every character as typed (no-break spaces stay).
QString plainBoxText(const QPlainTextEdit *box);

// Replaces the box text as one undoable edit (nothing happens when the text is the same).
void replaceBoxText(QPlainTextEdit *box, const QString &text);

// Sets the box text when it differs (its change handling runs only on a real change); the box's
// undo history starts afresh.
void setBoxText(QPlainTextEdit *box, const QString &text);

// The text plainBoxText reads from a box once `text` is set into it: every line end (CR LF, a lone
// CR or LF, and the separators the box itself reads as line ends) becomes "\n". For values kept
// while their box is not made yet.
QString boxTextOnceSet(const QString &text);

// A box document holding `text`, made on any thread and handed over to `home`, the thread of the
// box that is to show it: no undo history, not modified, and the layout object of every line made
// (a box that takes a document makes them all at once, which for a long text is most of the
// work). Null when `stop` turned true meanwhile (it is read between the steps).
std::unique_ptr<QTextDocument> makeBoxDocument(const QString &text, QThread *home, const std::atomic<bool> &stop);

// The box shows `document` (from makeBoxDocument, on the box's thread) in place of the document it
// had, which is freed: with the font, tab stops and margin of the box's text, a fresh undo
// history, the cursor at the start and the view at the top.
void showBoxDocument(QPlainTextEdit *box, std::unique_ptr<QTextDocument> document);

// Multi-line settings keep CR LF (or a lone CR) between lines; the boxes use "\n".
QString boxTextFromCrLf(QString text);
QString crLfFromBoxText(QString text);

} // namespace tess
