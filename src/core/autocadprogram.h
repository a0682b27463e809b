#pragma once
// The AutoCAD program the Options name, as Create && RUN and the system-variable reset start it,
// and the "Setup Issue" message shown when there is none to start.

#include <QString>
#include <optional>

namespace tess {

// Whether the file is a program the program pickers accept: on Windows a name ending in ".exe" in
// any letter case; elsewhere a regular file this user may execute, whatever its name.
bool isProgramFile(const QString &path);

// How a configured AutoCAD program is found. Where programs end in ".EXE" the configured name less
// its last four characters, followed by ".EXE", is looked for in the configured folder (letters
// compared ignoring case): acad.bin starts the ACAD.EXE beside it. Elsewhere programs have no such
// ending, and the program is the configured file itself, as the program picker accepts it.
enum class ProgramNaming { ExeBesideIt, AsConfigured };

// The rule of the system the program runs on.
ProgramNaming platformProgramNaming();

// The AutoCAD program to start for a configured program path, or nullopt when there is none to
// start: an empty path, a path without a folder, or no program found by the naming rule. With
// ExeBesideIt the configured path itself when it names that file, otherwise the file found, in
// the configured folder; with AsConfigured the configured path when it is a program file.
std::optional<QString> autoCadProgramToStart(const QString &configured, ProgramNaming naming = platformProgramNaming());

// "You don't have a valid AutoCAD Executable specified..." with the title "Setup Issue".
void showSetupIssue();

} // namespace tess
