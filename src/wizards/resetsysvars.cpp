#include "wizards/resetsysvars.h"

#include "core/appenvironment.h"
#include "core/autocadprogram.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "scripts/texteditor.h"

#include <QFileInfo>

namespace tess {

namespace {

QString quotedPath(const QString &path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

// A missing script is named, never handed to AutoCAD or the editor.
bool resetScriptExists(const QString &script)
{
    if (QFileInfo(script).isFile())
        return true;
    msgBox(fileNotFoundMessage(script), vbOKOnly | vbExclamation, appTitle());
    return false;
}

// Opens the script in the system's text editor: Notepad on Windows, the configured editor elsewhere.
void openInSystemEditor(const QString &script)
{
#ifdef Q_OS_WIN
    RunCommandLine(notepadCommandLine(script), 1);
#else
    OpenFileInEditor(script);
#endif
}

} // namespace

QString resetScriptPath() { return AppEnvironment::dataFolder() + QStringLiteral("reset.scr"); }

std::optional<QString> resetProgramToStart(const QString &configured) { return autoCadProgramToStart(configured); }

QString resetCommandLine(const QString &program, const QString &script)
{
    return quotedPath(program) + QStringLiteral(" /b ") + quotedPath(script);
}

QString notepadCommandLine(const QString &script) { return QStringLiteral("NOTEPAD.EXE ") + quotedPath(script); }

ResetOutcome startResetScript(const QString &configuredProgram)
{
    const std::optional<QString> program = resetProgramToStart(configuredProgram);
    if (!program) {
        showSetupIssue();
        return ResetOutcome::SetupIssue;
    }
    const QString script = resetScriptPath();
    if (!resetScriptExists(script))
        return ResetOutcome::ScriptMissing;
    const LaunchResult r = RunCommandLine(resetCommandLine(*program, script), 1);
    return r.ok ? ResetOutcome::Started : ResetOutcome::StartFailed;
}

void editResetScript()
{
    const QString script = resetScriptPath();
    if (resetScriptExists(script))
        openInSystemEditor(script);
}

} // namespace tess
