#pragma once
// Command capture: AutoCAD's command history, as copied from its text window, becomes a user
// script. Every line that shows a prompt is kept as a comment, and the answer typed at that prompt
// follows it on a line of its own.

#include <QString>
#include <QStringView>

namespace tess {

// True when the line holds at least one ":" or ">".
bool HasPromptChar(QStringView line);
// True when the line holds two adjacent blanks anywhere.
bool HasDoubleSpace(QStringView line);
// The answer typed at the prompt of the line, as the script line that gives it:
// - a line holding "corner:" (lower case) asks for a point picked with the mouse: the placeholder
//   comment mousePointsPlaceholder();
// - otherwise the text after the rightmost ":" or ">" that is followed by a blank or ends the line,
//   so that "Enter name <C:\a.dwg>: D:\b.dwg" answers "D:\b.dwg" and "Specify time: 10:30" answers
//   "10:30"; when no ":" or ">" stands so, the text after the rightmost one of them;
// - blanks around it removed, in upper case; "" when nothing but blanks follows.
QString ExtractAnswer(QStringView line);

// ";< *** POINT(S) SELECTED WITH MOUSE - PLEASE REPLACE THIS LINE WITH COORDINATE(S) *** >"
QString mousePointsPlaceholder();

// The captured script of a pasted history, lines joined by "\n": ";BEGIN SCRIPT", then for every
// line that shows a prompt and holds no double blank the line itself as a comment (";" + the line
// as it stands) and its answer, then ";END SCRIPT". Lines end at CR LF, a lone CR or a lone LF; a
// line may be of any length.
QString captureCommands(QStringView history);

// Clipboard text as the capture's input box takes it: AutoCAD's text window doubles the line
// breaks it copies, so every run of line breaks is halved, rounding up (2 become 1, 3 become 2).
// Any line end (CR LF, lone CR, lone LF) counts as one break; the result has "\n" line ends.
QString halveDoubledLineBreaks(QStringView text);

// The instruction text that the capture's input box shows at first, lines joined by "\n" and the
// last line followed by "\n".
QString captureInstructionText();

} // namespace tess
