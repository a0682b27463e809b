#pragma once
// The one fixture a test declares at its top: its own program folder and settings file, scripted
// boxes and pickers, a recording launcher, and every global put back as it was found when the
// test leaves its scope, also when a QVERIFY or QCOMPARE returns early.

#include "core/mainsettings.h"
#include "recordinglauncher.h"
#include "scriptedprompter.h"
#include "tempprogramfolder.h"

#include <QDateTime>
#include <QLocale>

namespace tess::test {

// Declared first in a test:
//     test::Fixture fx;
//     fx.prompter().expectMessage(vbYes);
//     fx.setClock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
// While it lives: the program folder is a temporary one with DATA, SCRIPTS, SCRIPTS-SIMPLE, LISP
// and BACKUP, the settings store is that folder's own settings.ini (empty), the login is `login`
// and the computer "TESTPC", every box and picker is answered by the scripted prompter (an
// unexpected one fails the test) and every process start is recorded, not made. The settings
// object keeps its values until the test changes them. On destruction the settings object, the
// Clock, the default locale, the program folder, the names, the settings file, the prompter and
// the launcher are all as they were before. Fixtures nest.
class Fixture
{
public:
    explicit Fixture(const QString &login = QStringLiteral("tester"));
    ~Fixture();
    Fixture(const Fixture &) = delete;
    Fixture &operator=(const Fixture &) = delete;

    const TempProgramFolder &programFolder() const { return m_folder; }
    // The program folder's paths, as TempProgramFolder gives them.
    QString folder() const { return m_folder.folder(); }
    QString path() const { return m_folder.path(); }
    QString data() const { return m_folder.data(); }
    QString settingsFile() const { return m_folder.settingsFile(); }
    QString writeFile(const QString &relative, const QByteArray &bytes) const
    {
        return m_folder.writeFile(relative, bytes);
    }

    ScriptedPrompter &prompter() { return m_prompter; }
    RecordingLauncher &launcher() { return m_launcher; }

    // Freezes the Clock at this moment (local time); call again to move it.
    void setClock(const QDateTime &moment);
    // Makes this the default locale (dates, times and numbers of the program's texts).
    void setLocale(const QLocale &locale);

private:
    // Puts back the globals that no seam double owns: the settings object (a copy), the Clock and
    // the default locale.
    class SavedGlobals
    {
    public:
        SavedGlobals();
        ~SavedGlobals();
        SavedGlobals(const SavedGlobals &) = delete;
        SavedGlobals &operator=(const SavedGlobals &) = delete;

    private:
        MainSettings m_settings;
        bool m_clockFixed = false;
        QDateTime m_clock;
        QLocale m_locale;
    };

    // Declared first: destroyed last, after the doubles have put their own seams back.
    SavedGlobals m_saved;
    TempProgramFolder m_folder;
    ScriptedPrompter m_prompter;
    RecordingLauncher m_launcher;
};

} // namespace tess::test
