// The META-command scan and the AutoCAD start line: what a user script's keywords turn into, and the
// program and arguments Create && RUN hands the launcher.

#include "batch/autocadlaunch.h"
#include "batch/metacommands.h"
#include "batch/nightrun.h"
#include "batch/otherlocation.h"

#include <QtTest>

using namespace tess;

namespace {

// One action as "kind:on" or "kind=value" ("!" marks a refused value), joined by blanks.
QString describe(const MetaScan &scan)
{
    static const char *names[] = {"testrun",  "delay",  "saveas", "prefix", "suffix", "same",     "this",
                                  "template", "overwr", "auto",   "asc",    "desc",   "smartasc", "smartdesc"};
    QStringList out;
    for (const MetaAction &a : scan.actions) {
        QString s = QLatin1String(names[a.kind]);
        switch (a.kind) {
        case MetaAction::Prefix:
        case MetaAction::Suffix:
        case MetaAction::ThisLocation:
        case MetaAction::TagTemplate: s += (a.refused ? QStringLiteral("!=") : QStringLiteral("=")) + a.value; break;
        case MetaAction::TestRun:
        case MetaAction::Delay:
        case MetaAction::SaveAs:
        case MetaAction::Overwrite: s += a.on ? QStringLiteral(":1") : QStringLiteral(":0"); break;
        default: break;
        }
        out << s;
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestMetaCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scan_data();
    void scan();
    void unclosedValues();
    void startLine_data();
    void startLine();
    void runTimes_data();
    void runTimes();
    void nightRunStartAndCountdown();
    void otherLocationPaths_data();
    void otherLocationPaths();
};

void TestMetaCommands::scan_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("includeSort");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing") << "_PURGE _ALL _N" << true << "";
    QTest::newRow("any case, inside words") << "; TestRun=TRUE xdelay=true" << false << "testrun:1 delay:1";
    QTest::newRow("fixed order, later overrides")
        << "testrun=false testrun=true saveas=true" << false << "testrun:1 testrun:0 saveas:1";
    QTest::newRow("every switch") << "delay=false saveas=false saveas.overwrite=true saveas.overwrite=false" << false
                                  << "delay:0 saveas:0 overwr:1 overwr:0";
    QTest::newRow("quoted values, first counts")
        << "saveas.prefix=\"A-\" saveas.prefix=\"B-\" SAVEAS.SUFFIX=\"_r\"" << false << "prefix=A- suffix=_r";
    QTest::newRow("empty quoted value clears") << "saveas.prefix=\"\"" << false << "prefix=";
    QTest::newRow("no quotes: box kept") << "saveas.prefix=A-" << false << "";
    QTest::newRow("this location as written") << "saveas.thislocation=\"P:\\OUT\\\"" << false << "this=P:\\OUT\\";
    QTest::newRow("this location gets its separator")
        << "saveas.thislocation=\"P:\\OUT\" saveas.samelocation=true" << false << "same this=P:\\OUT\\";
    QTest::newRow("posix folder gets a slash") << "saveas.thislocation=\"/srv/out\"" << false << "this=/srv/out/";
    QTest::newRow("empty folder refused") << "saveas.thislocation=\" \"" << false << "this!= ";
    QTest::newRow("template") << "tags.template=\"ABC\"" << false << "template=ABC";
    QTest::newRow("template outside DATA refused")
        << "tags.template=\"..\\..\\x\" tags.template=\"a/b\"" << false << "template!=..\\..\\x";
    QTest::newRow("prefix with a folder refused") << "saveas.prefix=\"..\\\"" << false << "prefix!=..\\";
    QTest::newRow("sorts ignored without IncludeSort")
        << "sort.auto sort.ascending smartsort.descending" << false << "";
    QTest::newRow("sorts") << "sort.auto sort.ascending sort.descending" << true << "auto asc desc";
    QTest::newRow("smart sorts also match the standard ones")
        << "SmartSort.Ascending smartsort.descending" << true << "asc desc smartasc smartdesc";
}

void TestMetaCommands::scan()
{
    QFETCH(QString, text);
    QFETCH(bool, includeSort);
    QFETCH(QString, expected);
    QCOMPARE(describe(scanMetaCommands(text, includeSort)), expected);
}

// A value keyword whose quote is never closed is named once and changes nothing; a refused value
// names its keyword.
void TestMetaCommands::unclosedValues()
{
    const MetaScan open = scanMetaCommands(QStringLiteral("saveas.prefix=\"A- and more"), false);
    QCOMPARE(open.unclosedMarkers, QStringList{QStringLiteral("saveas.prefix=\"")});
    QVERIFY(open.actions.isEmpty());
    const MetaScan refused = scanMetaCommands(QStringLiteral("tags.template=\"a:b\""), false);
    QCOMPARE(refused.refusedKeywords, QStringList{QStringLiteral("tags.template=")});
}

void TestMetaCommands::startLine_data()
{
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("commandLine");
    const QString exe = QStringLiteral("C:\\ACAD\\acad.exe"), scr = QStringLiteral("C:\\ACAD\\SUPPORT\\tessaline.scr");
    QTest::newRow("no switches") << "" << QStringList{"/b", scr} << "\"" + exe + "\" /b \"" + scr + "\"";
    QTest::newRow("blank switches") << "  " << QStringList{"/b", scr} << "\"" + exe + "\" /b \"" + scr + "\"";
    QTest::newRow("nologo") << "/nologo" << QStringList{"/nologo", "/b", scr}
                            << "\"" + exe + "\" /nologo /b \"" + scr + "\"";
    QTest::newRow("profile") << "/p MYPROFILE" << QStringList{"/p", "MYPROFILE", "/b", scr}
                             << "\"" + exe + "\" /p MYPROFILE /b \"" + scr + "\"";
    QTest::newRow("quoted profile") << "/p \"My Profile\"" << QStringList{"/p", "My Profile", "/b", scr}
                                    << "\"" + exe + "\" /p \"My Profile\" /b \"" + scr + "\"";
}

void TestMetaCommands::startLine()
{
    QFETCH(QString, switches);
    QFETCH(QStringList, arguments);
    QFETCH(QString, commandLine);
    const AutoCadStartLine line = autoCadStartLine(QStringLiteral("C:\\ACAD\\acad.exe"), switches,
                                                   QStringLiteral("C:\\ACAD\\SUPPORT\\tessaline.scr"));
    QCOMPARE(line.program, QStringLiteral("C:\\ACAD\\acad.exe"));
    QCOMPARE(line.arguments, arguments);
    QCOMPARE(line.commandLine, commandLine);
}

void TestMetaCommands::runTimes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("time");
    QTest::newRow("default") << "8:30:00 PM" << QTime(20, 30);
    QTest::newRow("lower am") << " 9:05 am" << QTime(9, 5);
    QTest::newRow("24 hours") << "23:59:59" << QTime(23, 59, 59);
    QTest::newRow("empty") << "" << QTime();
    QTest::newRow("no time") << "tonight" << QTime();
    QTest::newRow("out of range") << "25:00:00" << QTime();
}

void TestMetaCommands::runTimes()
{
    QFETCH(QString, text);
    QFETCH(QTime, time);
    const std::optional<QTime> parsed = parseRunTime(text, QLocale::c());
    QCOMPARE(parsed.value_or(QTime()), time);
}

// Due one second before the start time; a start time passed at arming by more than a second means
// the next day (past midnight); a late check is still due; the countdown pads minutes and seconds.
void TestMetaCommands::nightRunStartAndCountdown()
{
    const QDate day(2026, 12, 31);
    const QDateTime armed(day, QTime(20, 0));
    const QDateTime at = nightRunStart(QTime(20, 30), armed);
    QCOMPARE(at, QDateTime(day, QTime(20, 30)));
    QVERIFY(!nightRunDue(at, QDateTime(day, QTime(20, 29, 58))));
    QVERIFY(nightRunDue(at, QDateTime(day, QTime(20, 29, 59))));
    QVERIFY(nightRunDue(at, QDateTime(day, QTime(23, 0)))); // a late tick never skips a day
    QCOMPARE(nightRunStart(QTime(20, 30), QDateTime(day, QTime(20, 30, 1))), QDateTime(day, QTime(20, 30)));
    const QDateTime tomorrow = nightRunStart(QTime(20, 30), QDateTime(day, QTime(21, 0)));
    QCOMPARE(tomorrow, QDateTime(day.addDays(1), QTime(20, 30)));
    QVERIFY(!nightRunDue(tomorrow, QDateTime(day.addDays(1), QTime(0, 0, 1))));
    QCOMPARE(countdownText(30 * 60), QStringLiteral("0:30:00"));
    QCOMPARE(countdownText(9 * 3600 + 5 * 60 + 3), QStringLiteral("9:05:03"));
    QCOMPARE(countdownText(-5), QStringLiteral("0:00:00"));
}

void TestMetaCommands::otherLocationPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension") << "C:\\Scripts"
                                  << "night"
                                  << "C:\\Scripts\\night.SCR";
    QTest::newRow("scr any case") << "C:\\Scripts"
                                  << "night.Scr"
                                  << "C:\\Scripts\\night.Scr";
    QTest::newRow("other extension kept") << "C:\\Scripts"
                                          << "night.txt"
                                          << "C:\\Scripts\\night.txt.SCR";
    QTest::newRow("drive root: one separator") << "C:\\"
                                               << "a"
                                               << "C:\\a.SCR";
    QTest::newRow("posix") << "/srv/scr"
                           << "a.scr"
                           << "/srv/scr/a.scr";
    QTest::newRow("empty name") << "C:\\"
                                << ""
                                << "";
    QTest::newRow("separator refused") << "C:\\"
                                       << "sub\\a"
                                       << "";
    QTest::newRow("slash refused") << "/srv"
                                   << "../a"
                                   << "";
    QTest::newRow("drive refused") << "C:\\"
                                   << "D:a"
                                   << "";
    QTest::newRow("dots refused") << "C:\\"
                                  << "..a"
                                  << "";
}

void TestMetaCommands::otherLocationPaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(otherLocationScriptPath(folder, name).value_or(QString()), expected);
}

QTEST_GUILESS_MAIN(TestMetaCommands)
#include "tst_metacommands.moc"
