#include "batch/autocadlaunch.h"

#include "core/processhelpers.h"

namespace tess {

AutoCadStartLine autoCadStartLine(const QString &program, const QString &switches, const QString &script)
{
    const QChar q(QLatin1Char('"'));
    AutoCadStartLine line;
    line.program = program;
    const bool withSwitches = !switches.trimmed().isEmpty();
    if (withSwitches)
        line.arguments = splitArguments(switches);
    line.arguments << QStringLiteral("/b") << script;
    line.commandLine = q + program + q + (withSwitches ? QStringLiteral(" ") + switches : QString()) +
                       QStringLiteral(" /b ") + q + script + q;
    return line;
}

} // namespace tess
