#include "core/settingsstore.h"

#include <QFile>
#include <QSettings>

namespace tess {

namespace {
QString g_overrideFile;
}

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

void SettingsStore::open(const QString &iniPath)
{
    m_settings.reset();
    m_lastError.clear();
    m_readOnly = false;
    if (!iniPath.isEmpty()) {
        m_settings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
    } else {
#ifdef Q_OS_WIN
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, appKey(), QString());
#else
        m_settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, appKey(), QString());
#endif
    }
    switch (m_settings->status()) {
    case QSettings::NoError:
        break;
    case QSettings::AccessError:
        m_lastError = QStringLiteral("The settings store %1 cannot be read.").arg(fileName());
        m_readOnly = true;
        break;
    case QSettings::FormatError:
        // Never write over a file we could not understand: the user may want it back.
        m_lastError = QStringLiteral("The settings file %1 is damaged; the defaults are used and the file is "
                                     "left as it is.")
                          .arg(fileName());
        m_readOnly = true;
        break;
    }
}

QString SettingsStore::fileName() const
{
    return m_settings->format() == QSettings::NativeFormat ? QString() : m_settings->fileName();
}

QString SettingsStore::findGroup(const QString &section) const
{
    const QStringList groups = m_settings->childGroups();
    for (const QString &g : groups)
        if (g.compare(section, Qt::CaseInsensitive) == 0)
            return g;
    return QString();
}

QString SettingsStore::findKey(const QString &group, const QString &key) const
{
    m_settings->beginGroup(group);
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    for (const QString &k : keys)
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return k;
    return QString();
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
    if (k.isEmpty())
        k = key;
    m_settings->setValue(g + QLatin1Char('/') + k, value);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        m_lastError = QStringLiteral("The settings store %1 cannot be written.").arg(fileName());
        return false;
    }
    return true;
}

bool SettingsStore::write(const QString &section, const QString &key, qint64 value)
{
    return write(section, key, QString::number(value));
}

bool SettingsStore::deleteSection(const QString &section)
{
    if (m_readOnly)
        return false;
    for (const QString &g : m_settings->childGroups())
        if (g.compare(section, Qt::CaseInsensitive) == 0)
            m_settings->remove(g);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QStringList SettingsStore::sections() const { return m_settings->childGroups(); }

QStringList SettingsStore::keys(const QString &section) const
{
    const QString g = findGroup(section);
    if (g.isEmpty())
        return {};
    m_settings->beginGroup(g);
    const QStringList k = m_settings->childKeys();
    m_settings->endGroup();
    return k;
}

} // namespace tess
