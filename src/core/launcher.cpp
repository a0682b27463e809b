#include "core/launcher.h"

#include "core/messages.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace tess {

namespace {
Launcher g_default;
Launcher *g_launcher = nullptr;
} // namespace

LaunchResult Launcher::start(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    LaunchResult r;
    const bool hasFolder = program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'));
    const bool exists = hasFolder ? QFileInfo(program).isFile() : !QStandardPaths::findExecutable(program).isEmpty();
    if (!exists) {
        r.notFound = true;
        r.error = fileNotFoundText();
        return r;
    }
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    if (!workingFolder.isEmpty())
        p.setWorkingDirectory(workingFolder);
    r.ok = p.startDetached();
    if (!r.ok)
        r.error = p.errorString();
    return r;
}

LaunchResult Launcher::open(const QString &target, const QString &, const LateFailure &)
{
    LaunchResult r;
    r.error = QStringLiteral("No program is associated with %1").arg(target);
    return r;
}

void setLauncher(Launcher *l) { g_launcher = l; }

Launcher *launcher() { return g_launcher ? g_launcher : &g_default; }

} // namespace tess
