#pragma once
// The program's README ("README.md" beside the program): its setting-up notes, a first batch,
// common questions and where to report problems. The Help menu's five reading items and the About
// box's two links open it.

#include <QString>

namespace tess {

// The README beside the program (found whatever the letter case of its name).
QString readmePath();

// Opens the README with its associated program; when none opens it, in the text editor of the
// Options (TextEditor); when that fails too, or the file is missing, a message names its path.
// True when a program was started on it.
bool openReadme();

} // namespace tess
