#include "tempprogramfolder.h"

#include "core/appenvironment.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tess::test {

TempProgramFolder::TempProgramFolder(const QString &login)
    : m_previousFolder(AppEnvironment::programFolderOverride()), m_previousLogin(AppEnvironment::loginNameOverride()),
      m_previousComputer(AppEnvironment::computerNameOverride()), m_previousSettingsFile(SettingsStore::usedFile())
{
    if (!m_dir.isValid())
        qFatal("cannot create a temporary program folder: %s", qPrintable(m_dir.errorString()));
    QDir d(m_dir.path());
    for (const char *sub : {"DATA", "SCRIPTS", "SCRIPTS-SIMPLE", "LISP", "BACKUP"})
        d.mkdir(QLatin1String(sub));
    AppEnvironment::overrideProgramFolder(QDir::toNativeSeparators(m_dir.path()));
    AppEnvironment::overrideLoginName(login);
    AppEnvironment::overrideComputerName(QStringLiteral("TESTPC"));
    SettingsStore::useFile(settingsFile());
}

TempProgramFolder::~TempProgramFolder()
{
    SettingsStore::useFile(m_previousSettingsFile);
    AppEnvironment::overrideProgramFolder(m_previousFolder);
    AppEnvironment::overrideLoginName(m_previousLogin);
    AppEnvironment::overrideComputerName(m_previousComputer);
}

QString TempProgramFolder::folder() const { return QDir::toNativeSeparators(m_dir.path()); }
QString TempProgramFolder::path() const { return folder() + AppEnvironment::separator(); }
QString TempProgramFolder::data() const { return path() + QStringLiteral("DATA") + AppEnvironment::separator(); }
QString TempProgramFolder::settingsFile() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

QString TempProgramFolder::writeFile(const QString &relative, const QByteArray &bytes) const
{
    const QString full = m_dir.filePath(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write fixture %s", qPrintable(full));
    f.write(bytes);
    return QDir::toNativeSeparators(full);
}

} // namespace tess::test
