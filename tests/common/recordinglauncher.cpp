#include "recordinglauncher.h"

namespace tess::test {

RecordingLauncher::RecordingLauncher() : m_previous(launcher()) { setLauncher(this); }

RecordingLauncher::~RecordingLauncher() { setLauncher(m_previous); }

LaunchResult RecordingLauncher::start(const QString &program, const QStringList &arguments,
                                      const QString &workingFolder)
{
    calls.append({program, arguments, workingFolder, false});
    return nextResult;
}

LaunchResult RecordingLauncher::open(const QString &target, const QString &workingFolder, const LateFailure &)
{
    calls.append({target, {}, workingFolder, true});
    return nextResult;
}

} // namespace tess::test
