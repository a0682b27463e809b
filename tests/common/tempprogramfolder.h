#pragma once
// A program folder of a test's own.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tess::test {

// A program folder of its own (with DATA, SCRIPTS, SCRIPTS-SIMPLE, LISP, BACKUP), a settings INI
// file of its own, and fixed login and computer names. On destruction the program folder, the
// names and the settings file are put back as they were found, so these nest.
class TempProgramFolder
{
public:
    explicit TempProgramFolder(const QString &login = QStringLiteral("tester"));
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder &) = delete;
    TempProgramFolder &operator=(const TempProgramFolder &) = delete;

    // Program folder without trailing separator; path() with one.
    QString folder() const;
    QString path() const;
    QString data() const; // …/DATA/
    QString settingsFile() const;
    // Writes a file (bytes as given) relative to the program folder; creates folders.
    QString writeFile(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    QString m_previousFolder, m_previousLogin, m_previousComputer, m_previousSettingsFile;
};

} // namespace tess::test
