#pragma once
// The test double of the launcher seam: records every start and shell "open", starts nothing.

#include "core/launcher.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tess::test {

struct LaunchCall {
    QString program;
    QStringList arguments;
    QString workingFolder;
    bool isOpen = false; // a shell "open" of `program`
};

// Installed for its lifetime; the launcher found at construction is put back afterwards.
class RecordingLauncher final : public Launcher
{
public:
    RecordingLauncher();
    ~RecordingLauncher() override;
    RecordingLauncher(const RecordingLauncher &) = delete;
    RecordingLauncher &operator=(const RecordingLauncher &) = delete;

    LaunchResult start(const QString &program, const QStringList &arguments, const QString &workingFolder) override;
    LaunchResult open(const QString &target, const QString &workingFolder, const LateFailure &lateFailure) override;

    QList<LaunchCall> calls;
    LaunchResult nextResult{true, false, QString()}; // returned by every call

private:
    Launcher *m_previous = nullptr;
};

} // namespace tess::test
