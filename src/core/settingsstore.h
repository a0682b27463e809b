#pragma once
// The per-user settings store: application key, section, key, text value. Names are matched
// without regard to case on every platform (the registry does so; the INI file is wrapped).
// Windows: the registry under HKCU\Software\TessalinePowerTool. Elsewhere: the INI file
// ~/.config/TessalinePowerTool.ini.
//
// An INI file is never written by QSettings itself (it would replace the file without bringing it to
// the disk, and whatever stands at its name): the store's values live in a private work copy, and
// each write puts that copy's bytes in place through the file module, so a write counts only when
// it reached the disk and only a regular file is ever replaced. What another program wrote to the
// file meanwhile is taken in before the write, with this run's changes made again on top of it.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QSettings;
class QTemporaryDir;

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
    // store is written once, by endBatch(): true when it was written. Batches do not nest.
    // A write that fails (returns false) keeps its value for this run: reads see it, and the next
    // write of the store writes it too, so freeing space and saving again loses nothing.
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
    bool syncIniFile();
    bool failWrite(const QString &reason);
    // A new file of bytes in the work folder (made at the first call), or "" when it cannot be made.
    QString newWorkFile(const QString &stem, const QByteArray &bytes);
    // A fresh work copy holding bytes, with this run's unwritten changes made again on it.
    enum class CopyResult { Made, NotMade, Damaged };
    CopyResult loadWorkCopy(const QByteArray &bytes);
    // Whether bytes written from the work copy read back as the values held.
    bool readsBackAsHeld(const QByteArray &bytes);
    // The store's changes in memory, without a write.
    void put(const QString &section, const QString &key, const QString &value);
    void drop(const QString &section);
    QString findGroup(const QString &section) const;
    QString findKey(const QString &group, const QString &key) const;
    // The store's sections, and a section's keys, as listed when first asked for since the store
    // last changed. Listing them walks the whole store; a start reads a hundred keys.
    const QStringList &groupNames() const;
    const QStringList &keyNames(const QString &group) const;
    // Called wherever the store's names may change (a write of a new name, a removal, a sync,
    // another store): no later look-up sees a list from before.
    void forgetNames();

    // A change not yet on the disk: a value put, or (key empty, removed) a section dropped.
    struct Change {
        QString section, key, value;
        bool removed = false;
    };

    std::unique_ptr<QSettings> m_settings;
    // The INI file (its letter case as found; "" for the registry), its bytes as last read or
    // written, and the changes made since.
    QString m_file;
    QByteArray m_fileBytes;
    QList<Change> m_unwritten;
    // The folder of the work copies, and whether the current copy lost a write of its own.
    std::unique_ptr<QTemporaryDir> m_workDir;
    int m_workCopies = 0;
    bool m_workBroken = false;
    mutable std::optional<QStringList> m_groupNames;
    mutable QHash<QString, QStringList> m_keyNames; // by the section's name as stored
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
