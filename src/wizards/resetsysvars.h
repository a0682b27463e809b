#pragma once
// The reset of AutoCAD's system variables: AutoCAD is started in batch mode on the script
// "reset.scr" of the program's DATA folder, which sets the variables back and ends AutoCAD; the
// same script opens in the text editor for viewing and editing. No script of the user is touched.

#include "core/autocadprogram.h"

#include <QString>
#include <optional>

namespace tess {

// The reset script: the DATA folder beside the program and "reset.scr" (native separators).
QString resetScriptPath();

// The AutoCAD program to start for a configured program path (autoCadProgramToStart).
std::optional<QString> resetProgramToStart(const QString &configured);

// The command line that starts the reset: the quoted program, " /b " and the quoted script.
// RunCommandLine hands AutoCAD the program, "/b" and the script path as separate arguments.
QString resetCommandLine(const QString &program, const QString &script);

// "NOTEPAD.EXE" followed by the quoted script path: one argument whatever blanks the path holds.
QString notepadCommandLine(const QString &script);

enum class ResetOutcome {
    Started,       // AutoCAD was asked to start
    SetupIssue,    // no AutoCAD program to start: "Setup Issue" was shown; the Options dialog follows
    ScriptMissing, // the reset script does not exist: said so, nothing started
    StartFailed,   // the program did not start (RunCommandLine said why)
};

// The "&Reset" step without its window: checks the program and the script, says what is wrong,
// and starts AutoCAD without waiting for it.
ResetOutcome startResetScript(const QString &configuredProgram);

// The "&Edit" step: opens the reset script in Notepad on Windows and in the configured text editor
// elsewhere, the path as one argument. A missing script is named in a message instead.
void editResetScript();

} // namespace tess
