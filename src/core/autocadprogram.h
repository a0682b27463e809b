#pragma once
// The AutoCAD program the Options name, as Create && RUN and the system-variable reset start it,
// and the "Setup Issue" message shown when there is none to start.

#include <QString>
#include <optional>

namespace tess {

// The AutoCAD program to start for a configured program path, or nullopt when there is none to
// start: an empty path, a path without a folder, or a folder that holds no file named like the
// configured name without its last four characters followed by ".EXE" (letters compared ignoring
// case, on every file system). The configured path itself when it names that file; otherwise the
// file found, in the configured folder.
std::optional<QString> autoCadProgramToStart(const QString &configured);

// "You don't have a valid AutoCAD Executable specified..." with the title "Setup Issue".
void showSetupIssue();

} // namespace tess
