#include "core/appenvironment.h"

#include "core/pathhelpers.h"
#include "core/systeminfo.h"

#include <QCoreApplication>
#include <QDir>

namespace tess {

namespace {
QString g_programFolder;
QString g_login;
QString g_computer;
} // namespace

QChar AppEnvironment::separator()
{
#ifdef Q_OS_WIN
    return QLatin1Char('\\');
#else
    return QLatin1Char('/');
#endif
}

QString AppEnvironment::programFolder()
{
    if (!g_programFolder.isEmpty())
        return g_programFolder;
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString AppEnvironment::programPath() { return withTrailingSeparator(programFolder(), separator()); }

QString AppEnvironment::subFolder(const QString &name) { return programPath() + name + separator(); }

QString AppEnvironment::loginName()
{
    if (!g_login.isEmpty())
        return g_login;
    const QString name = systemLoginName();
    return name.isEmpty() ? QStringLiteral("user") : name;
}

QString AppEnvironment::computerName() { return g_computer.isEmpty() ? systemComputerName() : g_computer; }

void AppEnvironment::overrideProgramFolder(const QString &folder) { g_programFolder = folder; }
void AppEnvironment::overrideLoginName(const QString &name) { g_login = name; }
void AppEnvironment::overrideComputerName(const QString &name) { g_computer = name; }
QString AppEnvironment::programFolderOverride() { return g_programFolder; }
QString AppEnvironment::loginNameOverride() { return g_login; }
QString AppEnvironment::computerNameOverride() { return g_computer; }

} // namespace tess
