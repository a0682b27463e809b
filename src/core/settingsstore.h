#pragma once
// The per-user settings store: application key, section, key, text value. Names are matched
// without regard to case on every platform (the registry does so; the INI file is wrapped).
// Windows: the registry under HKCU\Software\TessalinePowerTool. Elsewhere: the INI file
// ~/.config/TessalinePowerTool.ini.

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QSettings;

namespace tess {

inline const QString &appKey()
{
    static const QString k = QStringLiteral("TessalinePowerTool");
    return k;
}

class SettingsStore
{
public:
    static SettingsStore &instance();

    // Read with default: the stored text, or the default when the key or section is missing.
    QString read(const QString &section, const QString &key, const QString &defaultValue) const;
    QString read(const QString &section, const QString &key, qint64 defaultValue) const;
    bool contains(const QString &section, const QString &key) const;
    // Write: creates section and key as needed; an existing key keeps its spelling.
    bool write(const QString &section, const QString &key, const QString &value);
    bool write(const QString &section, const QString &key, qint64 value);
    // Deletes every section whose name equals this one ignoring case.
    bool deleteSection(const QString &section);

    // Writes between beginBatch() and endBatch() are held in memory (a read sees them) and the
    // store is written once, by endBatch(): true when it was written. When it could not be, every
    // held value is dropped, as a single failed write drops its value. Batches do not nest.
    void beginBatch();
    bool endBatch();

    QStringList sections() const;
    QStringList keys(const QString &section) const;

    // The file that backs the store ("" for the registry).
    QString fileName() const;
    // A problem met when the store was opened or last written ("" when none).
    QString lastError() const { return m_lastError; }
    // True when the store could not be read when it was opened: every write is refused for the rest
    // of the run, so a file we could not understand is never replaced.
    bool isReadOnly() const { return m_readOnly; }
    // The problem met when the store was opened, handed out once (for the one message at start);
    // "" afterwards and when there was none.
    QString takeUnreportedProblem();

    // Point the store at an INI file of one's own (tests); an empty path restores the user's store.
    // A file that exists only under another letter case of its name is used as it is.
    static void useFile(const QString &iniPath);
    // The file given to useFile() ("" for the user's store), so a test can put it back.
    static QString usedFile();

    ~SettingsStore();

private:
    SettingsStore();
    void open(const QString &iniPath);
    void reopenAfterFailedWrite();
    // Writes the store; on failure keeps the reason, and the next write tries again.
    bool syncStore();
    QString findGroup(const QString &section) const;
    QString findKey(const QString &group, const QString &key) const;
    // The store's sections, and a section's keys, as listed when first asked for since the store
    // last changed. Listing them walks the whole store; a start reads a hundred keys.
    const QStringList &groupNames() const;
    const QStringList &keyNames(const QString &group) const;
    // Called wherever the store's names may change (a write of a new name, a removal, a sync,
    // another store): no later look-up sees a list from before.
    void forgetNames();

    std::unique_ptr<QSettings> m_settings;
    mutable std::optional<QStringList> m_groupNames;
    mutable QHash<QString, QStringList> m_keyNames; // by the section's name as stored
    QString m_path;                                 // the INI file asked for ("" for the user's own store)
    QString m_lastError;
    QString m_openProblem;
    bool m_openProblemReported = false;
    bool m_readOnly = false;
    bool m_batch = false;
};

// A batch of the store's writes for one scope: ended by end() or, at the latest, when it goes.
class SettingsBatch
{
public:
    SettingsBatch() { SettingsStore::instance().beginBatch(); }
    ~SettingsBatch() { end(); }
    SettingsBatch(const SettingsBatch &) = delete;
    SettingsBatch &operator=(const SettingsBatch &) = delete;
    // Writes the store once for the held values (see SettingsStore::endBatch); true when there
    // was nothing left to write.
    bool end()
    {
        if (m_ended)
            return true;
        m_ended = true;
        return SettingsStore::instance().endBatch();
    }

private:
    bool m_ended = false;
};

// Shorthands for the common calls under the application key.
inline QString readSetting(const QString &section, const QString &key, const QString &def)
{
    return SettingsStore::instance().read(section, key, def);
}
inline QString readSetting(const QString &section, const QString &key, qint64 def)
{
    return SettingsStore::instance().read(section, key, def);
}
inline bool writeSetting(const QString &section, const QString &key, const QString &value)
{
    return SettingsStore::instance().write(section, key, value);
}
inline bool writeSetting(const QString &section, const QString &key, qint64 value)
{
    return SettingsStore::instance().write(section, key, value);
}

} // namespace tess
