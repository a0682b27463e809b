#include "core/settingsstore.h"

#include "core/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tess {

namespace {

// The reason kept when the store refuses a write.
QString cannotWriteMessage(const QString &storeFile, const QString &cause)
{
    return QStringLiteral("The settings store %1 cannot be written: %2")
        .arg(QDir::toNativeSeparators(storeFile), cause);
}

QString g_overrideFile;

} // namespace

SettingsStore &SettingsStore::instance()
{
    static SettingsStore store;
    return store;
}

SettingsStore::SettingsStore() { open(g_overrideFile); }

SettingsStore::~SettingsStore()
{
    // The work copy goes before its folder.
    m_settings.reset();
}

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
    if (fi.exists() || fi.isSymLink())
        return path;
    const QDir dir = fi.absoluteDir();
    const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &n : names)
        if (n.compare(fi.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(n);
    return path;
}

// The user's own INI file, where QSettings keeps a user-scope INI store: the user's configuration
// folder (XDG_CONFIG_HOME, else ~/.config). Worked out without opening it: a pipe put at its name
// must not keep the start waiting.
QString userIniFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + appKey() +
           QStringLiteral(".ini");
}

// The registry key of the user's store (Windows). The key itself: an organization without an
// application name would land one level deeper ("...\\OrganizationDefaults") and read machine-wide
// fallbacks too.
std::unique_ptr<QSettings> registrySettings()
{
    auto s = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + appKey(),
                                         QSettings::NativeFormat);
    s->setFallbacksEnabled(false);
    return s;
}

// A missing file (or a missing folder of it) is an empty store, written when the first value is.
bool isMissing(const FileResult &r) { return r.error == kFileNotFound || r.error == kPathNotFound; }

} // namespace

void SettingsStore::open(const QString &iniPath)
{
    forgetNames();
    m_settings.reset();
    m_workDir.reset();
    m_workCopies = 0;
    m_workBroken = false;
    m_unwritten.clear();
    m_fileBytes.clear();
    m_file.clear();
    m_lastError.clear();
    m_openProblem.clear();
    m_openProblemReported = false;
    m_readOnly = false;
    m_batch = false;
#ifdef Q_OS_WIN
    if (iniPath.isEmpty()) {
        m_settings = registrySettings();
        if (m_settings->status() != QSettings::NoError) {
            m_openProblem = QStringLiteral("The settings in the registry cannot be read. Tessaline starts with its "
                                           "default settings: no setting is saved during this run.");
            m_readOnly = true;
        }
        m_lastError = m_openProblem;
        return;
    }
#endif
    m_file = resolveLetterCase(iniPath.isEmpty() ? userIniFile() : iniPath);
    const QString shown = QDir::toNativeSeparators(m_file);
    QByteArray bytes;
    const FileResult read = readWholeFile(m_file, bytes);
    if (!read.ok() && !isMissing(read)) {
        // Writing now would replace a file whose content we never saw.
        m_openProblem = QStringLiteral("The settings file %1 cannot be read (%2). Tessaline starts with its default "
                                       "settings and leaves the file as it is: no setting is saved during this run.")
                            .arg(shown, read.reason);
        m_readOnly = true;
        bytes.clear();
    }
    m_fileBytes = bytes;
    switch (loadWorkCopy(bytes)) {
    case CopyResult::Made: break;
    case CopyResult::NotMade:
        m_openProblem = QStringLiteral("The settings file %1 cannot be used: Tessaline could not make its working "
                                       "copy in %2. Tessaline starts with its default settings and leaves the file "
                                       "as it is: no setting is saved during this run.")
                            .arg(shown, QDir::toNativeSeparators(QDir::tempPath()));
        m_readOnly = true;
        // Nothing is written during this run, so an empty store in memory serves for reading.
        m_settings = std::make_unique<QSettings>(QString(), QSettings::IniFormat);
        break;
    case CopyResult::Damaged:
        // Never write over a file we could not understand: the user may want it back.
        m_openProblem = QStringLiteral("The settings file %1 is damaged. Tessaline uses what it could read and "
                                       "the defaults for the rest, and leaves the file as it is: no setting is "
                                       "saved until the file is repaired or removed.")
                            .arg(shown);
        m_readOnly = true;
        break;
    }
    m_lastError = m_openProblem;
}

QString SettingsStore::newWorkFile(const QString &stem, const QByteArray &bytes)
{
    if (!m_workDir) {
        m_workDir = std::make_unique<QTemporaryDir>();
        if (!m_workDir->isValid()) {
            m_workDir.reset();
            return QString();
        }
    }
    // A new name for every file: QSettings keeps what it read of a file by the file's name.
    const QString path = m_workDir->filePath(QStringLiteral("%1-%2.ini").arg(stem).arg(++m_workCopies));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush()) {
        f.close();
        QFile::remove(path);
        return QString();
    }
    return path;
}

SettingsStore::CopyResult SettingsStore::loadWorkCopy(const QByteArray &bytes)
{
    const QString path = newWorkFile(QStringLiteral("store"), bytes);
    if (path.isEmpty())
        return CopyResult::NotMade;
    auto copy = std::make_unique<QSettings>(path, QSettings::IniFormat);
    copy->setFallbacksEnabled(false);
    const CopyResult made = copy->status() == QSettings::FormatError ? CopyResult::Damaged : CopyResult::Made;
    const QString old = m_settings ? m_settings->fileName() : QString();
    forgetNames();
    m_settings = std::move(copy);
    if (!old.isEmpty())
        QFile::remove(old);
    // This run's changes that are not in the file yet go on top of what it holds now.
    for (const Change &c : std::as_const(m_unwritten)) {
        if (c.removed)
            drop(c.section);
        else
            put(c.section, c.key, c.value);
    }
    return made;
}

bool SettingsStore::readsBackAsHeld(const QByteArray &bytes)
{
    // QSettings can end a write that the disk cut short as if it were whole: the bytes are read back
    // from a copy of their own (a name QSettings has not seen, so it reads them) and must hold every
    // value held in memory, and nothing else.
    const QString path = newWorkFile(QStringLiteral("check"), bytes);
    if (path.isEmpty())
        return false;
    bool same = false;
    {
        QSettings check(path, QSettings::IniFormat);
        QStringList keys = m_settings->allKeys();
        QStringList read = check.allKeys();
        keys.sort();
        read.sort();
        same = check.status() == QSettings::NoError && keys == read;
        for (qsizetype i = 0; same && i < keys.size(); ++i)
            same = check.value(keys.at(i)) == m_settings->value(keys.at(i));
    }
    QFile::remove(path);
    return same;
}

void SettingsStore::reopenAfterFailedWrite()
{
    // QSettings keeps the first error it met for good; a fresh object reports the next write truly.
    // (The registry only: an INI store is written through its work copy.)
    forgetNames();
    m_settings.reset();
    m_settings = registrySettings();
}

QString SettingsStore::takeUnreportedProblem()
{
    if (m_openProblemReported || m_openProblem.isEmpty())
        return QString();
    m_openProblemReported = true;
    return m_openProblem;
}

QString SettingsStore::fileName() const { return m_file; }

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

void SettingsStore::put(const QString &section, const QString &key, const QString &value)
{
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
}

void SettingsStore::drop(const QString &section)
{
    const QStringList groups = groupNames();
    forgetNames();
    for (const QString &g : groups)
        if (g.compare(section, Qt::CaseInsensitive) == 0)
            m_settings->remove(g);
}

bool SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    if (m_readOnly)
        return false;
    put(section, key, value);
    m_unwritten.append(Change{section, key, value, false});
    return m_batch || syncStore();
}

bool SettingsStore::failWrite(const QString &cause)
{
    m_lastError = cannotWriteMessage(m_file, cause);
    return false;
}

bool SettingsStore::syncStore()
{
    forgetNames();
    if (!m_file.isEmpty())
        return syncIniFile();
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        m_lastError = QStringLiteral("The settings cannot be written to the registry.");
        reopenAfterFailedWrite();
        return false;
    }
    return true;
}

bool SettingsStore::syncIniFile()
{
    // Other programs that write the file through QSettings take this lock too. A lock that cannot be
    // had in time (a folder that cannot be written) does not stop the write: the write then fails
    // with its own reason, or succeeds.
    QLockFile lock(m_file + QStringLiteral(".lock"));
    lock.tryLock(2000);

    // What stands in the file now: when another program changed it since, this run's changes are
    // made again on what it holds, so neither side's values are lost.
    QByteArray now;
    const FileResult read = readWholeFile(m_file, now);
    if (!read.ok() && !isMissing(read))
        return failWrite(read.reason);
    if (m_workBroken || now != m_fileBytes) {
        switch (loadWorkCopy(now)) {
        case CopyResult::Made: break;
        case CopyResult::NotMade:
            m_workBroken = true;
            return failWrite(QStringLiteral("its working copy cannot be made in ") +
                             QDir::toNativeSeparators(QDir::tempPath()));
        case CopyResult::Damaged:
            // Changed by another program into something we do not understand: left as it stands.
            m_readOnly = true;
            return failWrite(QStringLiteral("another program changed it into a file Tessaline cannot read"));
        }
        m_fileBytes = now;
        m_workBroken = false;
    }

    m_settings->sync();
    QByteArray out;
    const FileResult copied =
        m_settings->status() == QSettings::NoError ? readWholeFile(m_settings->fileName(), out) : FileResult{};
    if (m_settings->status() != QSettings::NoError || !copied.ok() || !readsBackAsHeld(out)) {
        m_workBroken = true;
        return failWrite(QStringLiteral("Disk full or disk error (its working copy in %1 could not be written whole)")
                             .arg(QDir::toNativeSeparators(QDir::tempPath())));
    }
    // Only a change is written; an empty store makes no file.
    if (out != now) {
        const QString folder = QFileInfo(m_file).absolutePath();
        if (!QFileInfo(folder).isDir())
            QDir().mkpath(folder);
        if (const FileResult r = writeWholeFile(m_file, out); !r.ok())
            return failWrite(r.reason); // the work copy keeps the changes for the next write
    }
    m_fileBytes = out;
    m_unwritten.clear();
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
    drop(section);
    m_unwritten.append(Change{section, QString(), QString(), true});
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
