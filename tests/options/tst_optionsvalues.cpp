// The Options dialog's rules without its window: the checks of "&OK", the paths the pickers
// compose, the window-position resets and the script backup.

#include "core/appenvironment.h"
#include "core/clock.h"
#include "core/fileio.h"
#include "core/mainsettings.h"
#include "core/settingsstore.h"
#include "options/optionsvalues.h"
#include "options/pickerpaths.h"
#include "options/resetandbackup.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tess;

Q_DECLARE_METATYPE(std::optional<tess::OptionsField>)

namespace {

QString stored(const char *section, const char *key)
{
    return readSetting(QLatin1String(section), QLatin1String(key), QStringLiteral("<none>"));
}

} // namespace

class TestOptionsValues : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boxNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("zero") << "0" << true;
        QTest::newRow("largest") << "32767" << true;
        QTest::newRow("leading zeros") << "0002000" << true;
        QTest::newRow("too large") << "32768" << false;
        QTest::newRow("far too large") << "99999999999999999999" << false;
        QTest::newRow("negative") << "-1" << false;
        QTest::newRow("blank before") << " 5" << false;
        QTest::newRow("blank after") << "5 " << false;
        QTest::newRow("fraction") << "1.5" << false;
        QTest::newRow("exponent") << "1e3" << false;
        QTest::newRow("other digits") << QString::fromUtf8("\u0663") << false;
        QTest::newRow("empty") << "" << false;
    }
    void boxNumbers()
    {
        QFETCH(QString, text);
        QTEST(isBoxNumber(text), "accepted");
    }

    // "&OK" refuses the first field, in tab order, that it cannot apply; empty number boxes count
    // as their fill values.
    void checks_data()
    {
        QTest::addColumn<QString>("switches");
        QTest::addColumn<bool>("other");
        QTest::addColumn<QString>("scriptDir");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<std::optional<OptionsField>>("refused");
        const QString dir = QDir::rootPath() + QStringLiteral("Scripts");
        using F = OptionsField;
        const std::optional<F> none;
        QTest::newRow("all good") << "/p x" << true << dir << "5"
                                  << "2000" << none;
        QTest::newRow("empty boxes are filled") << "" << false << ""
                                                << ""
                                                << "" << none;
        QTest::newRow("switch without slash") << "p x" << false << ""
                                              << "5"
                                              << "2000" << std::optional(F::Switches);
        QTest::newRow("switch after a blank") << " /p" << false << ""
                                              << "5"
                                              << "2000" << std::optional(F::Switches);
        QTest::newRow("other without folder") << "" << true << ""
                                              << "5"
                                              << "2000" << std::optional(F::ScriptDir);
        QTest::newRow("other, relative folder") << "" << true << "Scripts"
                                                << "5"
                                                << "2000" << std::optional(F::ScriptDir);
        QTest::newRow("limit not a number") << "" << false << ""
                                            << "ten"
                                            << "2000" << std::optional(F::ResourceFileLimit);
        QTest::newRow("limit too large") << "" << false << ""
                                         << "40000"
                                         << "2000" << std::optional(F::ResourceFileLimit);
        QTest::newRow("negative delay") << "" << false << ""
                                        << "5"
                                        << "-5" << std::optional(F::Delay);
        QTest::newRow("delay too large") << "" << false << ""
                                         << "5"
                                         << "32768" << std::optional(F::Delay);
        QTest::newRow("delay the user cannot edit") << "" << false << ""
                                                    << "5"
                                                    << "locked" << none;
        QTest::newRow("first in tab order") << "x" << true << ""
                                            << "x"
                                            << "x" << std::optional(F::Switches);
    }
    void checks()
    {
        QFETCH(QString, switches);
        QFETCH(bool, other);
        QFETCH(QString, scriptDir);
        QFETCH(QString, limit);
        QFETCH(QString, delay);
        QFETCH(std::optional<OptionsField>, refused);
        OptionsValues v;
        v.switches = switches;
        v.scriptDirOther = other;
        v.scriptDir = scriptDir;
        v.resourceFileLimit = limit;
        v.delay = delay;
        v.delayEditable = delay != QLatin1String("locked");
        const std::optional<OptionsRefusal> r = checkOptions(v);
        QCOMPARE(r.has_value(), refused.has_value());
        if (r) {
            QCOMPARE(r->field, *refused);
            QVERIFY(!r->message.isEmpty());
        }
    }

    // What "&OK" applies: the members, and the script folder choice with its option.
    void applyFollowsTheChoices()
    {
        test::Fixture fx;
        MainSettings s;
        s.AutoSortType = 3;
        s.LoadOpen = 1;
        OptionsValues v;
        v.normalOutput = false;
        v.normalOutputFile = QStringLiteral("N.scr");
        v.altOutputFile = QStringLiteral("A.scr");
        v.scriptDirOther = true;
        v.scriptDir = QStringLiteral("/srv/scripts");
        v.lt = true;
        v.delay = QString();
        v.resourceFileLimit = QString();
        applyOptions(v, s);
        QCOMPARE(s.SCROutputPath, QStringLiteral("A.scr"));
        QCOMPARE(s.OutputToDefaultPath, qint16(0));
        QCOMPARE(s.SCRIPTSDir, QStringLiteral("/srv/scripts"));
        QVERIFY(s.SCRIPTSPathOption);
        QCOMPARE(s.LT, qint16(1));
        QCOMPARE(s.Delay, QStringLiteral("2000"));
        QCOMPARE(s.ResourceFileLimit, qint16(10));
        // No option selected: the member keeps its value.
        QCOMPARE(s.AutoSortType, qint16(3));
        QCOMPARE(s.LoadOpen, qint16(1));

        v.scriptDirOther = false;
        v.normalOutput = true;
        applyOptions(v, s);
        QCOMPARE(s.SCRIPTSDir, AppEnvironment::programPath() + QStringLiteral("SCRIPTS"));
        QVERIFY(!s.SCRIPTSPathOption);
        QCOMPARE(s.SCROutputPath, QStringLiteral("N.scr"));
    }

    void pickerPaths_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("batchScript");
        QTest::addColumn<QString>("support");
        QTest::newRow("drive root") << "D:\\"
                                    << "D:\\tessaline.scr"
                                    << "D:\\SUPPORT\\tessaline.scr";
        QTest::newRow("drive folder") << "D:\\ACAD\\SUPPORT"
                                      << "D:\\ACAD\\SUPPORT\\tessaline.scr"
                                      << "D:\\ACAD\\SUPPORT\\SUPPORT\\tessaline.scr";
        QTest::newRow("posix root") << "/"
                                    << "/tessaline.scr"
                                    << "/SUPPORT/tessaline.scr";
        QTest::newRow("posix folder") << "/opt/acad"
                                      << "/opt/acad/tessaline.scr"
                                      << "/opt/acad/SUPPORT/tessaline.scr";
    }
    void pickerPaths()
    {
        QFETCH(QString, folder);
        QTEST(batchScriptInFolder(folder), "batchScript");
        QTEST(supportBatchScript(folder), "support");
    }

    // On Windows a program is a name ending in ".exe"; elsewhere a file this user may run, whatever
    // its name (a file named acad.exe that may not be run is none).
    void programFiles()
    {
        test::Fixture fx;
        const QString text = fx.writeFile(QStringLiteral("bin/notes.txt"), "x");
        QVERIFY(!isProgramFile(text));
        const QString exe = fx.writeFile(QStringLiteral("bin/acad.exe"), "MZ");
#ifdef Q_OS_WIN
        QVERIFY(isProgramFile(QStringLiteral("C:\\ACAD\\ACAD.EXE")));
        QVERIFY(isProgramFile(QStringLiteral("/x/editor.Exe")));
        QVERIFY(isProgramFile(exe));
#else
        QVERIFY(!isProgramFile(QStringLiteral("/x/editor.Exe")));
        QVERIFY(!isProgramFile(exe));
        QVERIFY(test::makeProgram(exe));
        QVERIFY(isProgramFile(exe));
        const QString run = fx.writeFile(QStringLiteral("bin/run"), "#!/bin/sh\n");
        QVERIFY(test::makeProgram(run));
        QVERIFY(isProgramFile(run));
        QVERIFY(!isProgramFile(fx.path() + QStringLiteral("bin")));
#endif
    }

    // Each reset writes its window's keys and nothing else.
    void resetsWriteTheirKeys()
    {
        test::Fixture fx;
        writeSetting(QStringLiteral("Startup"), QStringLiteral("SCREditWidth"), QStringLiteral("7000"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("QPLeft"), QStringLiteral("55"));
        QVERIFY(resetScriptEditorPositionKeys().isEmpty());
        QCOMPARE(stored("Startup", "SCREditLeft"), QStringLiteral("0"));
        QCOMPARE(stored("Startup", "SCREditTop"), QStringLiteral("0"));
        QCOMPARE(stored("Startup", "SCREditWidth"), QStringLiteral("7000"));
        QCOMPARE(stored("Startup", "SCREditHeight"), QStringLiteral("<none>"));
        QCOMPARE(stored("Startup", "QPLeft"), QStringLiteral("55"));

        QVERIFY(resetQuickPickPositionKeys().isEmpty());
        const char *const qp[][2] = {{"QPLeft", "1000"},       {"QPTop", "1000"},        {"QPWidth", "1890"},
                                     {"QPHeight", "4110"},     {"QPQueueLeft", "1000"},  {"QPQueueTop", "1000"},
                                     {"QPQueueWidth", "1890"}, {"QPQueueHeight", "4110"}};
        for (const auto &k : qp)
            QCOMPARE(stored("Startup", k[0]), QLatin1String(k[1]));

        QVERIFY(resetPreviewPositionKeys().isEmpty());
        QCOMPARE(stored("Startup", "DWGPreviewLeft"), QStringLiteral("1000"));
        QCOMPARE(stored("Startup", "DWGPreviewTop"), QStringLiteral("1000"));
    }

    // The copy holds every file and folder, hidden ones too, each file whole with its read-only
    // state; two backups in the same second never mix.
    void backupCopiesTheScriptFolder()
    {
        test::Fixture fx;
        const QDateTime moment(QDate(2024, 1, 2), QTime(15, 4, 5));
        QCOMPARE(backupStamp(moment), QStringLiteral("2024-01-02-15-04-05"));
        const QString scripts = fx.path() + QStringLiteral("My Scripts");
        fx.writeFile(QStringLiteral("My Scripts/A.SCR"), "ZOOM\r\nE\r\n");
        fx.writeFile(QStringLiteral("My Scripts/.hidden"), "h");
        fx.writeFile(QStringLiteral("My Scripts/sub/B C.scr"), "deep");
        QVERIFY(setReadOnlyFile(scripts + QStringLiteral("/A.SCR"), true).ok());
        QDir(scripts).mkpath(QStringLiteral("empty"));
        // A pipe is passed over and named, never opened (opening it would wait for ever).
        const bool fifo = test::makeFifo(scripts + QStringLiteral("/sub/pipe.scr"));

        const BackupPlan plan = planScriptsBackup(scripts, moment);
        const QString backup = QDir::toNativeSeparators(fx.path() + QStringLiteral("BACKUP/"));
        QCOMPARE(plan.target, backup + QDir::toNativeSeparators(QStringLiteral("2024-01-02-15-04-05/SCRIPTS/")));
        const BackupResult r = runScriptsBackup(plan);
        QVERIFY2(r.ok, qPrintable(r.failedPath + QLatin1Char(' ') + r.reason));
        QCOMPARE(r.filesCopied, 3);
        QCOMPARE(r.target, plan.target);
        QCOMPARE(test::fileBytes(r.target + QStringLiteral("A.SCR")), QByteArray("ZOOM\r\nE\r\n"));
        QVERIFY(isReadOnlyFile(r.target + QStringLiteral("A.SCR")));
        QCOMPARE(test::fileBytes(r.target + QStringLiteral(".hidden")), QByteArray("h"));
        QCOMPARE(test::fileBytes(r.target + QStringLiteral("sub/B C.scr")), QByteArray("deep"));
        QVERIFY(QFileInfo(r.target + QStringLiteral("empty")).isDir());
        if (fifo) {
            QCOMPARE(r.specialSkipped,
                     QStringList{QDir::toNativeSeparators(scripts + QStringLiteral("/sub/pipe.scr"))});
            QVERIFY(!QFileInfo::exists(r.target + QStringLiteral("sub/pipe.scr")));
        }

        // The same second again, planned before and after the first one ran.
        const BackupResult again = runScriptsBackup(plan);
        QVERIFY(again.ok);
        QCOMPARE(again.target, backup + QDir::toNativeSeparators(QStringLiteral("2024-01-02-15-04-05-2/SCRIPTS/")));
        QCOMPARE(planScriptsBackup(scripts, moment).stampFolder, backup + QStringLiteral("2024-01-02-15-04-05-3"));
        QCOMPARE(test::fileBytes(r.target + QStringLiteral("sub/B C.scr")), QByteArray("deep"));
        QCOMPARE(QDir(backup).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"2024-01-02-15-04-05", "2024-01-02-15-04-05-2"}));
        setReadOnlyFile(scripts + QStringLiteral("/A.SCR"), false);
        setReadOnlyFile(r.target + QStringLiteral("A.SCR"), false);
        setReadOnlyFile(again.target + QStringLiteral("A.SCR"), false);
    }

    // A backup stopped half-way (the program killed) leaves a folder named as unfinished: the next
    // backup of the same second neither mixes with it nor takes it for finished.
    void unfinishedBackupIsNeverTakenForFinished()
    {
        test::Fixture fx;
        const QDateTime moment(QDate(2024, 1, 2), QTime(15, 4, 5));
        fx.writeFile(QStringLiteral("S/a.scr"), "a");
        const QString left = fx.writeFile(QStringLiteral("BACKUP/2024-01-02-15-04-05") + unfinishedBackupSuffix() +
                                              QStringLiteral("/SCRIPTS/x.scr"),
                                          "partial");
        const BackupResult r = runScriptsBackup(planScriptsBackup(fx.path() + QStringLiteral("S"), moment));
        QVERIFY(r.ok);
        QCOMPARE(r.target, QDir::toNativeSeparators(fx.path() + QStringLiteral("BACKUP/2024-01-02-15-04-05/SCRIPTS/")));
        QCOMPARE(QDir(r.target).entryList(QDir::Files), QStringList{"a.scr"});
        QCOMPARE(test::fileBytes(left), QByteArray("partial"));
        QCOMPARE(QDir(fx.path() + QStringLiteral("BACKUP")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"2024-01-02-15-04-05", "2024-01-02-15-04-05.unfinished"}));
    }

    // A backup that cannot be made says why and leaves nothing that looks like a backup.
    void backupFailuresLeaveNothing()
    {
        test::Fixture fx;
        const QDateTime moment(QDate(2024, 1, 2), QTime(15, 4, 5));
        const QString backup = fx.path() + QStringLiteral("BACKUP");

        BackupResult r = runScriptsBackup(planScriptsBackup(fx.path() + QStringLiteral("Nowhere"), moment));
        QVERIFY(!r.ok);
        QVERIFY(r.failedPath.endsWith(QStringLiteral("Nowhere")));
        QVERIFY(!r.reason.isEmpty());

        // The program folder itself holds BACKUP: the copy would copy itself.
        r = runScriptsBackup(planScriptsBackup(fx.folder(), moment));
        QVERIFY(!r.ok);
        QVERIFY(QDir(backup).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

        // A script that cannot be written half-way through (the disk is full): the failing script is
        // named with the cause, and neither a finished nor an unfinished folder is left.
        fx.writeFile(QStringLiteral("Full/a.scr"), "a");
        fx.writeFile(QStringLiteral("Full/b big.scr"), QByteArray(8192, 'b'));
        fx.writeFile(QStringLiteral("Full/c.scr"), "c");
        {
            const BackupPlan full = planScriptsBackup(fx.path() + QStringLiteral("Full"), moment);
            test::FileSizeLimit limit(4096);
            if (limit.ok()) {
                r = runScriptsBackup(full);
                QVERIFY(!r.ok);
                QCOMPARE(r.filesCopied, 1);
                QVERIFY2(r.failedPath.endsWith(QStringLiteral("b big.scr")), qPrintable(r.failedPath));
                QVERIFY2(r.reason.startsWith(QStringLiteral("Disk full")), qPrintable(r.reason));
                QVERIFY(QDir(backup).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
            }
        }

#ifdef Q_OS_LINUX
        // A sub-folder whose copy would have too long a path: the copy fails half-way.
        fx.writeFile(QStringLiteral("S/a.scr"), "a");
        const QString source = fx.path() + QStringLiteral("S");
        const BackupPlan plan = planScriptsBackup(source, moment);
        const qsizetype longer = plan.target.size() - (source.size() + 1);
        QVERIFY(longer > 0);
        QString deep = source;
        while (deep.size() + longer < 4096) {
            const qsizetype room = 4095 - (deep.size() + 1);
            deep +=
                QLatin1Char('/') + QString(std::min<qsizetype>(200, std::max<qsizetype>(1, room)), QLatin1Char('d'));
            if (deep.size() > 4095)
                QSKIP("no room for a path that is short here and too long in the backup");
        }
        QVERIFY(QDir().mkpath(deep));
        r = runScriptsBackup(plan);
        QVERIFY(!r.ok);
        QVERIFY(!r.reason.isEmpty());
        QVERIFY(QDir(backup).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        QDir(source).removeRecursively();
#endif
    }
};

QTEST_GUILESS_MAIN(TestOptionsValues)
#include "tst_optionsvalues.moc"
