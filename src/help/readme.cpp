#include "help/readme.h"

#include "core/appenvironment.h"
#include "core/launcher.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "scripts/texteditor.h"

#include <QDir>
#include <QFileInfo>

namespace tess {

QString readmePath()
{
    const QString name = QStringLiteral("README.md");
    const QString folder = AppEnvironment::programFolder();
    const QString exact = AppEnvironment::programPath() + name;
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList found = QDir(folder).entryList({name}, QDir::Files | QDir::Hidden, QDir::Name);
    return found.isEmpty() ? exact : AppEnvironment::programPath() + found.first();
}

namespace {

// No program opened the README (at once, or its opener ended with an error later): the text
// editor of the Options, else a message naming its path.
bool readmeNotOpened(const QString &path, const LaunchResult &opened)
{
    QStringList reasons;
    if (!opened.error.isEmpty())
        reasons << opened.error;
    // No program is associated with it: the text editor of the Options, when one is set.
    const QString editor = mainSettings().TextEditor.trimmed();
    if (!editor.isEmpty()) {
        const EditorCommand cmd = editorCommand(editor, path);
        const LaunchResult edited = launcher()->start(cmd.program, cmd.arguments, cmd.workingFolder);
        if (edited.ok)
            return true;
        reasons << cmd.program + QStringLiteral(": ") +
                       (edited.error.isEmpty() ? QStringLiteral("the text editor could not be started.")
                                               : edited.error);
    } else {
        reasons << QStringLiteral("No text editor is set in Tools -> Options.");
    }
    msgBox(QStringLiteral("The README could not be opened. Please open it with any text viewer:\r\n") +
               QDir::toNativeSeparators(path) + QStringLiteral("\r\n\r\n") + reasons.join(QStringLiteral("\r\n")),
           vbOKOnly | vbExclamation);
    return false;
}

} // namespace

bool openReadme()
{
    const QString path = readmePath();
    if (!QFileInfo(path).isFile()) {
        msgBox(fileNotFoundMessage(QDir::toNativeSeparators(path)), vbOKOnly | vbExclamation);
        return false;
    }
    const LaunchResult opened =
        launcher()->open(path, QString(), [path](const LaunchResult &late) { readmeNotOpened(path, late); });
    return opened.ok || readmeNotOpened(path, opened);
}

} // namespace tess
