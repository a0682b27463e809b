#include "core/settingsstore.h"

#include "core/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace tess {

namespace {

// The reason kept when the store refuses a write.
QString cannotWriteMessage(const QString &storeFile)
{
    return QStringLiteral("The settings store %1 cannot be written.").arg(QDir::toNativeSeparators(storeFile));
}

QString g_overrideFile;

} // namespace

SettingsStore &SettingsStore::instance()
{
    static SettingsStore store;
    return store;
}

SettingsStore::SettingsStore() { open(g_overrideFile); }

SettingsStore::~SettingsStore() = default;

void SettingsStore::useFile(const QString &iniPath)
{
    g_overrideFile = iniPath;
    instance().open(iniPath);
}

QString SettingsStore::usedFile() { return g_overrideFile; }

namespace {

// The file itself when it exists, else a file of the same folder whose name differs only in letter
// case (the store's names ignore case, also the application key that names the file).
QString resolveLetterCase(const QString &path)
{
    const QFileInfo fi(path);
    if (fi.exists())
        return path;
    const QDir dir = fi.absoluteDir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &n : names)
        if (n.compare(fi.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(n);
    return path;
}

std::unique_ptr<QSettings> makeSettings(const QString &iniPath)
{
    if (!iniPath.isEmpty())
        return std::make_unique<QSettings>(resolveLetterCase(iniPath), QSettings::IniFormat);
#ifdef Q_OS_WIN
    // The key itself: an organization without an application name would land one level deeper
    // ("...\OrganizationDefaults") and read machine-wide fallbacks too.
    auto s = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + appKey(),
                                         QSettings::NativeFormat);
#else
    auto s = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, appKey(), QString());
    const QString resolved = resolveLetterCase(s->fileName());
    if (resolved != s->fileName()) {
        s.reset();
        s = std::make_unique<QSettings>(resolved, QSettings::IniFormat);
    }
#endif
    // The store is the user's own: no values from system-wide files.
    s->setFallbacksEnabled(false);
    return s;
}

} // namespace

void SettingsStore::open(const QString &iniPath)
{
    forgetNames();
    m_settings.reset();
    m_path = iniPath;
    m_lastError.clear();
    m_openProblem.clear();
    m_openProblemReported = false;
    m_readOnly = false;
    m_batch = false;
    m_settings = makeSettings(iniPath);
    switch (m_settings->status()) {
    case QSettings::NoError: break;
    case QSettings::AccessError:
        // Writing now would replace a file whose content we never saw.
        m_openProblem = QStringLiteral("The settings file %1 cannot be read. Tessaline starts with its default "
                                       "settings and leaves the file as it is: no setting is saved during this run.")
                            .arg(QDir::toNativeSeparators(fileName()));
        m_readOnly = true;
        break;
    case QSettings::FormatError:
        // Never write over a file we could not understand: the user may want it back.
        m_openProblem = QStringLiteral("The settings file %1 is damaged. Tessaline uses what it could read and "
                                       "the defaults for the rest, and leaves the file as it is: no setting is "
                                       "saved until the file is repaired or removed.")
                            .arg(QDir::toNativeSeparators(fileName()));
        m_readOnly = true;
        break;
    }
    m_lastError = m_openProblem;
}

void SettingsStore::reopenAfterFailedWrite()
{
    // QSettings keeps the first error it met for good; a fresh object reports the next write truly.
    // Qt may keep the values not written in its shared copy of the file, and the fresh object then
    // tries them again as it opens: an error then is that write failing again (a disk still full),
    // and the next write tries once more. Only a file that is no longer understood is left alone.
    forgetNames();
    m_settings.reset();
    m_settings = makeSettings(m_path);
    if (m_settings->status() == QSettings::FormatError)
        m_readOnly = true;
}

QString SettingsStore::takeUnreportedProblem()
{
    if (m_openProblemReported || m_openProblem.isEmpty())
        return QString();
    m_openProblemReported = true;
    return m_openProblem;
}

QString SettingsStore::fileName() const
{
    return m_settings->format() == QSettings::NativeFormat ? QString() : m_settings->fileName();
}

const QStringList &SettingsStore::groupNames() const
{
    if (!m_groupNames)
        m_groupNames = m_settings->childGroups();
    return *m_groupNames;
}

const QStringList &SettingsStore::keyNames(const QString &group) const
{
    auto it = m_keyNames.constFind(group);
    if (it == m_keyNames.constEnd()) {
        m_settings->beginGroup(group);
        it = m_keyNames.insert(group, m_settings->childKeys());
        m_settings->endGroup();
    }
    return *it;
}

void SettingsStore::forgetNames()
{
    m_groupNames.reset();
    m_keyNames.clear();
}

namespace {

// The first of names equal to name but for letter case; "" when none is.
QString findIgnoringCase(const QStringList &names, const QString &name)
{
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

} // namespace

QString SettingsStore::findGroup(const QString &section) const { return findIgnoringCase(groupNames(), section); }

QString SettingsStore::findKey(const QString &group, const QString &key) const
{
    return findIgnoringCase(keyNames(group), key);
}

bool SettingsStore::contains(const QString &section, const QString &key) const
{
    const QString g = findGroup(section);
    return !g.isEmpty() && !findKey(g, key).isEmpty();
}

QString SettingsStore::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QString g = findGroup(section);
    if (g.isEmpty())
        return defaultValue;
    const QString k = findKey(g, key);
    if (k.isEmpty())
        return defaultValue;
    const QVariant v = m_settings->value(g + QLatin1Char('/') + k);
    // A hand-edited INI value with a comma comes back as a list: keep it as the text it was.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

QString SettingsStore::read(const QString &section, const QString &key, qint64 defaultValue) const
{
    return read(section, key, QString::number(defaultValue));
}

bool SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    if (m_readOnly)
        return false;
    QString g = findGroup(section);
    if (g.isEmpty())
        g = section;
    QString k = findKey(g, key);
    if (k.isEmpty()) {
        // A new name: the kept lists no longer hold every name.
        k = key;
        forgetNames();
    }
    m_settings->setValue(g + QLatin1Char('/') + k, value);
    return m_batch || syncStore();
}

bool SettingsStore::syncStore()
{
    // A sync also takes in what another process wrote to the store meanwhile.
    forgetNames();
    // An object that met an error reports it for good: a fresh one, which writes what is pending as
    // it opens, tells of this write alone.
    if (m_settings->status() != QSettings::NoError)
        reopenAfterFailedWrite();
    else
        m_settings->sync();
    // The store replaces its file itself without bringing it to the disk: it is synced here, so that
    // a disk that cannot take it is seen now, not after the next crash.
    const QString file = fileName();
    if (m_settings->status() != QSettings::NoError ||
        (!file.isEmpty() && QFileInfo::exists(file) && !syncFileToDisk(file).ok())) {
        m_lastError = cannotWriteMessage(fileName());
        reopenAfterFailedWrite();
        return false;
    }
    return true;
}

void SettingsStore::beginBatch() { m_batch = true; }

bool SettingsStore::endBatch()
{
    m_batch = false;
    forgetNames();
    return !m_readOnly && syncStore();
}

bool SettingsStore::write(const QString &section, const QString &key, qint64 value)
{
    return write(section, key, QString::number(value));
}

bool SettingsStore::deleteSection(const QString &section)
{
    if (m_readOnly)
        return false;
    const QStringList groups = groupNames();
    forgetNames();
    for (const QString &g : groups)
        if (g.compare(section, Qt::CaseInsensitive) == 0)
            m_settings->remove(g);
    return syncStore();
}

QStringList SettingsStore::sections() const { return groupNames(); }

QStringList SettingsStore::keys(const QString &section) const
{
    const QString g = findGroup(section);
    if (g.isEmpty())
        return {};
    return keyNames(g);
}

} // namespace tess
