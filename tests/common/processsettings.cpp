// Linked into every test executable: the process starts with the settings store on a file of its
// own in a temporary folder, so no test ever reads or writes the user's settings and no two test
// processes running side by side share a file, not even outside a fixture.

#include "core/settingsstore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

void useProcessSettingsFile()
{
    static QTemporaryDir dir; // removed when the process ends
    if (!dir.isValid())
        qFatal("cannot create the settings folder of the test process: %s", qPrintable(dir.errorString()));
    tess::SettingsStore::useFile(dir.filePath(QStringLiteral("settings.ini")));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(useProcessSettingsFile)
