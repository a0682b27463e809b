#include "batch/runlog.h"
#include "testsupport.h"

#include <QFile>
#include <QtTest>

using namespace tess;

namespace {

RunLogInput sampleInput()
{
    RunLogInput in;
    in.moment = QDateTime(QDate(2026, 12, 9), QTime(8, 5, 3));
    in.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    in.user = QStringLiteral("tester");
    in.computer = QStringLiteral("TESTPC");
    in.osPlatform = QStringLiteral("Windows NT/2K");
    in.os = QStringLiteral("Windows XP");
    in.appTitle = QStringLiteral("Tessaline for AutoCAD");
    in.version = QStringLiteral("1.0.0");
    in.LT = 1;
    in.autoCadExe = QStringLiteral("C:\\ACAD\\acad.exe");
    in.switches = QStringLiteral("/nologo");
    in.normalOutputSelected = false;
    in.normalOutput = QStringLiteral("C:\\ACAD\\SUPPORT\\tessaline.scr");
    in.alternateOutput = QStringLiteral("N:\\SCRIPTS\\tessaline.scr");
    in.textEditor = QStringLiteral("notepad.exe");
    in.preBatch = QStringLiteral("_SDI 1");
    in.userScript = QStringLiteral("ZOOM E\n_PURGE A * N\r\n_AUDIT Y");
    in.delay = 1;
    in.saveAs = 1;
    in.outFormat = QStringLiteral("2013");
    in.prefix = QStringLiteral("N-");
    in.queue = {QStringLiteral("C:\\DWG\\A.dwg"), QStringLiteral("C:\\DWG\\B.dwg")};
    return in;
}

} // namespace

class TestRunLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void block();
    void appendsOneBlockPerRun();
    void failureNamesTheLog();
};

void TestRunLog::block()
{
    const QString stars(91, QLatin1Char('*'));
    const QStringList expected = {stars,
                                  "DATE: 12/9/26",
                                  "TIME: 08:05:03",
                                  "USER: tester",
                                  "PC: TESTPC",
                                  "Operating Platform: Windows NT/2K",
                                  "Operating System: Windows XP",
                                  "Tessaline Title: Tessaline for AutoCAD",
                                  "Tessaline Version: 1.0.0",
                                  "AutoCAD R14 Compatibility : 0",
                                  "AutoCAD LT Compatibility: 1",
                                  "AutoCAD Executable: C:\\ACAD\\acad.exe",
                                  "AutoCAD Switches: /nologo",
                                  "Standard Output Path Selected: False",
                                  "Tessaline Batch Output Path: C:\\ACAD\\SUPPORT\\tessaline.scr",
                                  "Standard Alternate Output Path Selected: True",
                                  "Tessaline Altername Output Path: N:\\SCRIPTS\\tessaline.scr",
                                  "Text Editor: notepad.exe",
                                  "PRE Batch: _SDI 1",
                                  "PRE UserScript: ",
                                  "User Script: ZOOM E",
                                  "_PURGE A * N",
                                  "_AUDIT Y",
                                  "POST User Script: ",
                                  "POST Batch: ",
                                  "Delay Checkbox: 1",
                                  "TestRun Checkbox: 0",
                                  "SaveAS Checkbox: 1",
                                  "SaveAS Output Format: 2013",
                                  "SaveAS Output Prefix: N-",
                                  "SaveAS Output Suffix: ",
                                  "C:\\DWG\\A.dwg",
                                  "C:\\DWG\\B.dwg",
                                  stars};
    QCOMPARE(runLogBlock(sampleInput()), expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

    // An empty queue: the suffix line is followed by the closing asterisks.
    RunLogInput empty = sampleInput();
    empty.queue.clear();
    QVERIFY(runLogBlock(empty).endsWith(QStringLiteral("SaveAS Output Suffix: \r\n") + stars + QStringLiteral("\r\n")));
}

void TestRunLog::appendsOneBlockPerRun()
{
    test::Fixture fx;
    const QString log = fx.data() + QStringLiteral("tessaline.log");
    QCOMPARE(runLogPath(), log);
    const QString one = runLogBlock(sampleInput());
    QVERIFY(appendRunLog(one).ok());
    QVERIFY(appendRunLog(one).ok());
    QCOMPARE(test::fileBytes(log), (one + one).toUtf8());
}

void TestRunLog::failureNamesTheLog()
{
    test::Fixture fx;
    const QString log = fx.path() + QStringLiteral("NODATA/tessaline.log");
    const FileResult r = appendRunLog(QStringLiteral("x\r\n"), log);
    QCOMPARE(r.error, kPathNotFound);
    QVERIFY(runLogFailureMessage(r).contains(log));
}

QTEST_GUILESS_MAIN(TestRunLog)
#include "tst_runlog.moc"
