#include "scripts/texteditor.h"

#include "core/launcher.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/processhelpers.h"
#include "core/prompts.h"

#include <QFileInfo>

namespace tess {

namespace {

std::function<void()> &optionsOpener()
{
    static std::function<void()> f;
    return f;
}

const QString &editorTitle()
{
    static const QString t = QStringLiteral("Tessaline");
    return t;
}

// Starts the editor on a file that exists; the shared tail of both openers.
void launchEditor(const QString &file)
{
    const QString setting = mainSettings().TextEditor;
    if (setting.trimmed().isEmpty()) {
        msgBox(QStringLiteral("Please select menu 'Tools -> Options' and setup a text editor"), vbOKOnly,
               editorTitle());
        if (optionsOpener())
            optionsOpener()();
        return;
    }
    const EditorCommand cmd = editorCommand(setting, file);
    const LaunchResult r = launcher()->start(cmd.program, cmd.arguments, cmd.workingFolder);
    if (r.ok)
        return;
    if (r.notFound) {
        msgBox(QStringLiteral("Sorry the TEXT EDITOR specified does not exist.\rPlease select menu 'Tools -> "
                              "Options' and edit it."),
               vbOKOnly, editorTitle());
        return;
    }
    msgBox(QStringLiteral("The text editor could not be started:\r\n") + cmd.program + QStringLiteral("\r\n") + r.error,
           vbOKOnly, editorTitle());
}

} // namespace

EditorCommand editorCommand(const QString &textEditor, const QString &file)
{
    const CommandLineParts parts = splitCommandLine(textEditor.trimmed());
    EditorCommand cmd;
    cmd.program = parts.program;
    cmd.arguments = parts.arguments;
    cmd.arguments.append(file);
    cmd.workingFolder = parts.workingFolder;
    return cmd;
}

void OpenFileInEditor(const QString &file)
{
    if (!mainSettings().TextEditor.trimmed().isEmpty() && !QFileInfo(file).isFile()) {
        msgBox(fileNotFoundMessage(file), vbOKOnly, editorTitle());
        return;
    }
    launchEditor(file);
}

void OpenBatchScriptInEditor() { openBatchScriptInEditor(mainSettings().SCROutputPath); }

void openBatchScriptInEditor(const QString &file)
{
    if (!mainSettings().TextEditor.trimmed().isEmpty() && (file.isEmpty() || !QFileInfo(file).isFile())) {
        msgBox(QStringLiteral("The batch script has not been created yet:\r\n") + file +
                   QStringLiteral("\r\n\r\nPlease create it first (\"Create Batch Script\")."),
               vbOKOnly, editorTitle());
        return;
    }
    launchEditor(file);
}

void setOptionsOpener(std::function<void()> opener) { optionsOpener() = std::move(opener); }

} // namespace tess
