// "&Create Batch Script" pressed in the real main window on a program folder of the test's own: the file
// written, the checks before it (syntax warnings, queue check and its report), the close-out after it
// (run log, processed total, read-back scans, completion window) and the ways a composition stops.

#include "appwindow.h"
#include "batch/batchcomposer.h"
#include "batch/frmFileErrorReport.h"
#include "batch/frmScrComplete.h"
#include "core/fileio.h"
#include "core/mainsettings.h"
#include "core/scriptfacts.h"
#include "core/settingsstore.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "mainwindowfixture.h"
#include "modalguard.h"
#include "options/optionsfields.h"
#include "panecontrols.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cerrno>
#include <optional>

using namespace tess;

namespace {

// The main window on the fixture's program folder, with the composer's settings made plain: LT open
// lines, every check and close-out step off unless a test turns it on.
struct Window : test::MainWindowFixture {
    test::Fixture &fx;

    explicit Window(test::Fixture &f, const std::function<void(MainSettings &)> &prepare = {})
        : MainWindowFixture(f.path(),
                            [&f, &prepare](MainSettings &s) {
                                composingSettings(s, f.path());
                                s.LoadOpen = 0;
                                if (prepare)
                                    prepare(s);
                            }),
          fx(f)
    {
    }
    BatchComposer *composer() const { return w->findChild<BatchComposer *>(); }
    QString drawing(const QString &name) const { return fx.writeFile(QStringLiteral("DWG/") + name, "AC1027"); }
    QString missing(const QString &name) const { return fx.path() + QStringLiteral("DWG/") + name; }
    void setQueue(const QStringList &queue, const QString &script = QStringLiteral("_PURGE _ALL _N")) const
    {
        MainWindowFixture::setQueue(queue, script);
    }
    void press() const
    {
        QVERIFY(w->Command1_Compile->isEnabled());
        // A press of its own, not the second of a double click (which would be ignored).
        QVERIFY(QTest::qWaitFor([this] { return !composer()->createPress().tooSoon(); }));
        w->Command1_Compile->click();
    }
    QString output() const { return mainSettings().SCROutputPath; }
    // The script's lines after its three header lines.
    QStringList body() const
    {
        const QString text = QString::fromUtf8(test::fileBytes(output()));
        if (!text.endsWith(QLatin1String("\r\n")))
            return {QStringLiteral("<no script>")};
        return text.chopped(2).split(QStringLiteral("\r\n")).mid(3);
    }
    QAction *action(const char *menu, const char *name) const
    {
        QMenu *m = w->menuByName(QLatin1String(menu));
        return m ? m->findChild<QAction *>(QLatin1String(name)) : nullptr;
    }
};

QStringList opened(const QString &path, bool normal)
{
    return normal ? QStringList{"_OPEN \"" + path + "\""} : QStringList{"_OPEN \"" + path + "\"", "Y"};
}

} // namespace

class TestComposer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createsTheScript();
    void windowTakesNoInputWhileComposing();
    void openFormsFollowTheDrawingStates();
    void menuItems();
    void reportButtons_data();
    void reportButtons();
    void verifyFilesMenu();
    void syntaxWarningsComeFirst();
    void projectTagsAndLeftovers();
    void saveAsAndRunLog();
    void runLogFailureDoesNotStopTheScript_data();
    void runLogFailureDoesNotStopTheScript();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void missingFoldersScan();
    void completionWindow();
    void nightRunSkipsTheChecks();
    void nightRunWritesTheScansIntoTheRunLog();
};

// The minimal script: the drawings in queue order, the read-only one without its save line; the
// processed total grows by the drawings composed; the labels end at "Ready"; the date members hold the
// composition's date and time.
void TestComposer::createsTheScript()
{
    test::Fixture fx;
    fx.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    fx.setClock(QDateTime(QDate(2026, 12, 9), QTime(20, 5, 3)));
    Window win(fx, [](MainSettings &s) { s.TotalFilesProcessed = 5; });
    const QString a = win.drawing(QStringLiteral("A-101.dwg")), b = win.drawing(QStringLiteral("A-102.dwg"));
    QVERIFY(setReadOnlyFile(b, true).ok());
    win.setQueue({a, b});
    win.press();
    QStringList expected = opened(a, true);
    expected << "_PURGE _ALL _N"
             << "_QSAVE";
    expected << opened(b, false) << "_PURGE _ALL _N";
    QCOMPARE(win.body(), expected);
    QCOMPARE(mainSettings().TotalFilesProcessed, 7.0);
    QCOMPARE(win.w->lblFilesProcessed->text(),
             QStringLiteral("Processed = 7")); // the load writes the blank, a composition does not
    QCOMPARE(win.w->lblUpdate->text(), QStringLiteral("Ready"));
    QCOMPARE(mainSettings().MMDDYY, QStringLiteral("12/09/26"));
    QCOMPARE(mainSettings().LONGDATE, QStringLiteral("Wednesday, Dec 9, 2026"));
    QCOMPARE(mainSettings().TodayTime_24, QStringLiteral("20:05:03"));
    QVERIFY(!mainSettings().StopBatch);
    QVERIFY(!test::queueControl<QPushButton>(win.w, "cmdRemoveDwg")->isEnabled());
    QCOMPARE(win.w->queuePane()->queueEntries(), QStringList({a, b})); // the queue stays as it was
    QVERIFY(fx.prompter().shown().isEmpty());
    QVERIFY(setReadOnlyFile(b, false).ok());
}

// While the composition runs the window repaints, but takes no input: the queue, the buttons and the
// menus are disabled and a second press does nothing; a close waits until it is over.
void TestComposer::windowTakesNoInputWhileComposing()
{
    test::Fixture fx;
    Window win(fx);
    QStringList queue;
    for (int i = 0; i < 3; ++i)
        queue << win.drawing(QStringLiteral("D%1.dwg").arg(i));
    win.setQueue(queue);
    win.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(win.w));
    bool seen = false, central = true, menus = true;
    QString progress;
    QTimer::singleShot(0, win.w, [&] {
        seen = true;
        central = win.w->centralWidget()->isEnabled();
        menus = win.w->menuBar()->isEnabled();
        progress = win.w->lblUpdate->text();
        QVERIFY(win.composer()->isComposing());
        QVERIFY(!win.composer()->Command1_Compile_Click()); // a second composition does not start
        win.w->close();
    });
    win.press();
    QVERIFY(seen);
    QVERIFY(!central);
    QVERIFY(!menus);
    QVERIFY(progress.startsWith(QLatin1String("Progress = ")));
    QVERIFY(progress.endsWith(QLatin1Char('%')));
    QCOMPARE(win.body().size(), 9);
    QVERIFY(win.w->centralWidget()->isEnabled());
    QVERIFY(win.w->isVisible()); // the close came during the composition: it follows now
    QTRY_VERIFY(!win.w->isVisible());
}

// The add-on's load method: the first drawing that cannot be opened normally (missing or read-only)
// gets the locked lines, every later one the "previous locked" lines; each composition starts afresh.
void TestComposer::openFormsFollowTheDrawingStates()
{
    test::Fixture fx;
    Window win(fx, [](MainSettings &s) { s.LoadOpen = 3; });
    const QString a = win.drawing(QStringLiteral("A.dwg")), ro = win.drawing(QStringLiteral("RO.dwg")),
                  gone = win.missing(QStringLiteral("GONE.dwg"));
    QVERIFY(setReadOnlyFile(ro, true).ok());
    win.setQueue({a, ro, gone});
    const QString open =
        QStringLiteral("(if (/= (getvar \"DBMOD\") 0)(command \"_VQOPEN\" \"_Y\")(command \"_VQOPEN\"))");
    const QString locked = QStringLiteral("(if (/= (getvar \"DBMOD\") 0)(command \"_VQOPEN\")(command \"_VQOPEN\"))");
    const QStringList expected = {";NORMAL FILE LOAD",
                                  open,
                                  a,
                                  "_PURGE _ALL _N",
                                  "_QSAVE",
                                  ";LOCKED FILE",
                                  locked,
                                  ro,
                                  "_PURGE _ALL _N",
                                  ";*** PREVIOUS LOCKED FILE",
                                  locked,
                                  gone,
                                  "_Y",
                                  "_PURGE _ALL _N"};
    win.press();
    QCOMPARE(win.body(), expected);
    win.press();
    QCOMPARE(win.body(), expected);
    QVERIFY(setReadOnlyFile(ro, false).ok());
}

void TestComposer::menuItems()
{
    test::Fixture fx;
    Window win(fx);
    QAction *syntax = win.action("mnuScript", "mnuCheckScriptSyntax");
    QVERIFY(syntax);
    QCOMPARE(syntax->text(), QStringLiteral("&Check Script Syntax"));
    QAction *verify = win.action("mnuQueue", "mnuVerifyFilesInQueue");
    QVERIFY(verify);
    QCOMPARE(verify->text(), QStringLiteral("&Verify Files"));
    QAction *verify2 = win.action("mnuFileSystemChecks", "mnuVerifyFiles2");
    QVERIFY(verify2);
    QCOMPARE(verify2->text(), QStringLiteral("&Verify Files"));
    // Verify Files follows the queue like the other queue items.
    QVERIFY(!verify->isEnabled());
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    QVERIFY(verify->isEnabled());
    QVERIFY(verify2->isEnabled());
}

void TestComposer::reportButtons_data()
{
    QTest::addColumn<QStringList>("clicks"); // buttons pressed in the report, in order
    QTest::addColumn<int>("lt");
    QTest::addColumn<QString>("queueAfter"); // of good (g), missing (m), read-only (r)
    QTest::addColumn<bool>("written");

    QTest::newRow("Continue removes the missing drawing") << QStringList{"cmdContinue"} << 0 << "g r" << true;
    QTest::newRow("Continue with LT removes the read-only one too") << QStringList{"cmdContinue"} << 1 << "g" << true;
    QTest::newRow("Cancel stops, the queue stays") << QStringList{"cmdCancel"} << 0 << "g m r m" << false;
    QTest::newRow("Ignore goes on without removing") << QStringList{"cmdIgnore"} << 0 << "g m r m" << true;
    QTest::newRow("remove read-only, then Continue")
        << QStringList{"cmdRemoveREADONLY", "cmdContinue"} << 0 << "g" << true;
}

// The queue: a good drawing, a missing one (queued twice) and a read-only one. The report lists the
// missing ones upper-cased and the read-only one lower-cased; its buttons act on the queue by path.
void TestComposer::reportButtons()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, lt);
    QFETCH(QString, queueAfter);
    QFETCH(bool, written);
    test::Fixture fx;
    Window win(fx, [lt](MainSettings &s) {
        s.VerifyFilesBit = 1;
        s.LT = qint16(lt);
    });
    const QString g = win.drawing(QStringLiteral("Good.dwg")), m = win.missing(QStringLiteral("Gone.dwg")),
                  r = win.drawing(QStringLiteral("ReadOnly.dwg"));
    QVERIFY(setReadOnlyFile(r, true).ok());
    win.setQueue({g, m, r, m});
    fx.writeFile(QStringLiteral("tessaline.scr"), "PREVIOUS\r\n");
    test::ModalGuard modals;
    QStringList shown;
    bool labelsOn = false;
    modals.answerNextModal([&](QWidget *dialog) {
        auto *report = qobject_cast<frmFileErrorReport *>(dialog);
        QVERIFY(report);
        QCOMPARE(report->windowTitle(), QStringLiteral(" File Access Error Report"));
        for (int i = 0; i < report->lstFileErrors->count(); ++i)
            shown << report->lstFileErrors->item(i)->text();
        labelsOn = report->lblNonExist->isEnabled() && report->lblReadOnly->isEnabled() &&
                   report->cmdRemoveREADONLY->isEnabled();
        for (const QString &name : clicks)
            report->findChild<QPushButton *>(name)->click();
    });
    win.press();
    QVERIFY(modals.allAnswered());
    QCOMPARE(shown, QStringList({m.toUpper(), r.toLower(), m.toUpper()}));
    QVERIFY(labelsOn);
    const QHash<QChar, QString> paths = {{'g', g}, {'m', m}, {'r', r}};
    QStringList expectedQueue;
    for (const QString &k : queueAfter.split(QLatin1Char(' ')))
        expectedQueue << paths.value(k.at(0));
    QCOMPARE(win.w->queuePane()->queueEntries(), expectedQueue);
    QCOMPARE(win.w->lblFilesInQueue->text(), QStringLiteral("Queue = %1").arg(expectedQueue.size()));
    QCOMPARE(mainSettings().StopBatch, !written);
    if (written)
        QCOMPARE(win.body().count(QStringLiteral("_PURGE _ALL _N")), expectedQueue.size());
    else
        QCOMPARE(test::fileBytes(win.output()), QByteArray("PREVIOUS\r\n"));
    QVERIFY(setReadOnlyFile(r, false).ok());
}

// Queue > Verify Files: with every file present the "available" box; after a Cancel in the report its
// entries stay, so no such box; the report copies its list to the clipboard.
void TestComposer::verifyFilesMenu()
{
    test::Fixture fx;
    Window win(fx);
    const QString a = win.drawing(QStringLiteral("A.dwg")), gone = win.missing(QStringLiteral("Gone.dwg"));
    win.setQueue({a});
    fx.prompter().expectMessage();
    win.action("mnuQueue", "mnuVerifyFilesInQueue")->trigger();
    QCOMPARE(fx.prompter().last().text, QStringLiteral("All Files in Queue are Available."));
    QCOMPARE(fx.prompter().last().title, QStringLiteral("Files Verified"));
    QCOMPARE(fx.prompter().last().style, int(vbOKOnly | vbExclamation));

    win.setQueue({a, gone});
    fx.prompter().clearShown();
    fx.prompter().expectMessage(); // the clipboard count
    test::ModalGuard modals;
    modals.answerNextModal([](QWidget *dialog) {
        auto *report = qobject_cast<frmFileErrorReport *>(dialog);
        report->cmdCopytoClip->click();
        report->cmdCancel->click();
    });
    win.action("mnuFileSystemChecks", "mnuVerifyFiles2")->trigger();
    QVERIFY(modals.allAnswered());
    QCOMPARE(fx.prompter().shown().size(), 1);
    QCOMPARE(fx.prompter().last().text, QStringLiteral("1 Items Copied to the Clipboard"));
    QCOMPARE(QGuiApplication::clipboard()->text(), gone.toUpper());
    QCOMPARE(win.w->queuePane()->queueEntries(), QStringList({a, gone}));
}

// The warnings read the script and the Settings tab's boxes as they stand; the composition shows them
// first and writes the script all the same. Simple mode skips them.
void TestComposer::syntaxWarningsComeFirst()
{
    test::Fixture fx;
    Window win(fx, [](MainSettings &s) {
        s.WarnDoubleSpace = 1;
        s.WarnBlankLine = 1;
    });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))}, QStringLiteral("ZOOM  E"));
    win.get<QPlainTextEdit>("tbPostBatch")->setPlainText(QStringLiteral("_SDI 0\n"));
    for (int i = 0; i < 3; ++i)
        fx.prompter().expectMessage();
    win.action("mnuScript", "mnuCheckScriptSyntax")->trigger();
    QVERIFY(fx.prompter().allUsed());
    QVERIFY(fx.prompter().shown()[0].text.contains(QLatin1String("DOUBLE SPACE")));
    QVERIFY(fx.prompter().shown()[1].text.contains(QLatin1String("Your POSTBATCH command")));
    QCOMPARE(fx.prompter().shown()[2].title, QStringLiteral("Tessaline"));

    fx.prompter().clearShown();
    for (int i = 0; i < 3; ++i)
        fx.prompter().expectMessage();
    win.press();
    QVERIFY(fx.prompter().allUsed());
    QVERIFY(win.body().contains(QStringLiteral("ZOOM  E")));
}

// Project tags come from the active project that matches the drawing; one left in the pre-user-script
// is reported with the first line that holds it.
void TestComposer::projectTagsAndLeftovers()
{
    test::Fixture fx;
    QByteArray project = "\\JOB1\\\r\n";
    project.replace('\\', '/');
    for (int i = 1; i <= 40; ++i)
        project += "JOB1 VALUE " + QByteArray::number(i) + "\r\n";
    fx.writeFile(QStringLiteral("DATA/JOB1.PRJ"), project);
    fx.writeFile(QStringLiteral("DATA/PTAGMAN.DAT"), "JOB1.PRJ\r\n");
    Window win(fx, [](MainSettings &s) {
        s.ScanForRogueTags = 1;
        s.PreUserScript = QStringLiteral("ZOOM E $projecttag3$");
    });
    const QString a = fx.writeFile(QStringLiteral("JOB1/A.dwg"), "x"),
                  b = fx.writeFile(QStringLiteral("JOB2/B.dwg"), "x");
    win.setQueue({a, b}, QStringLiteral("-ATTEDIT $PROJECTTAG1$ $FILENAME$"));
    fx.prompter().expectMessage();
    win.press();
    QVERIFY(fx.prompter().allUsed());
    const QStringList body = win.body();
    QVERIFY(body.contains(QStringLiteral("-ATTEDIT JOB1 VALUE 1 A")));
    QVERIFY(body.contains(QStringLiteral("-ATTEDIT $PROJECTTAG1$ B")));
    QCOMPARE(fx.prompter().last().title, QStringLiteral("Warning"));
    QCOMPARE(fx.prompter().last().style, int(vbOKOnly | vbCritical));
    // Three header lines, then the open line of the first drawing: the pre part is line 5.
    QCOMPARE(fx.prompter().last().text, QStringLiteral("The output script contains Project Tags that were not "
                                                       "substituted.\r\nThe first occurence is on line 5 of the "
                                                       "output file"));
}

// SAVEAS through the window's switch and tab; the run log block records the run as composed.
void TestComposer::saveAsAndRunLog()
{
    test::Fixture fx;
    Window win(fx, [](MainSettings &s) { s.EnableLogging = 1; });
    const QString a = win.drawing(QStringLiteral("A.dwg")), b = win.drawing(QStringLiteral("B.dxf"));
    win.setQueue({a, b});
    test::queueControl<QCheckBox>(win.w, "chkSaveAS")->setChecked(true);
    win.get<QLineEdit>("tbPrefix")->setText(QStringLiteral("N-$COUNTER$-"));
    win.press();
    win.press();
    const QString folder = fx.path() + QStringLiteral("DWG/");
    QStringList expected = opened(a, true);
    expected << "_PURGE _ALL _N"
             << "_SAVEAS  \"" + folder + "N-1-A.dwg\"";
    expected << opened(b, true) << "_PURGE _ALL _N"
             << "_SAVEAS  \"" + folder + "N-2-B.DWG\"";
    QCOMPARE(win.body(), expected);

    const QStringList log =
        QString::fromUtf8(test::fileBytes(fx.data() + QStringLiteral("tessaline.log"))).split(QStringLiteral("\r\n"));
    const QString stars(91, QLatin1Char('*'));
    QCOMPARE(log.count(stars), 4); // two blocks
    QVERIFY(log.contains(QStringLiteral("SaveAS Checkbox: 1")));
    QVERIFY(log.contains(QStringLiteral("SaveAS Output Prefix: N-$COUNTER$-")));
    QVERIFY(log.contains(QStringLiteral("User Script: _PURGE _ALL _N")));
    QCOMPARE(log.mid(log.indexOf(QStringLiteral("SaveAS Output Suffix: ")) + 1, 3), QStringList({a, b, stars}));
}

// A run log that cannot be written, or whose block does not reach the disk: one message naming the
// log and the cause; the batch script is written all the same. A pipe as the log never makes the
// composition wait.
void TestComposer::runLogFailureDoesNotStopTheScript_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("named"); // a part of the message
    QTest::newRow("no DATA folder") << "nodata"
                                    << "The folder does not exist";
    QTest::newRow("a pipe as the log") << "pipe"
                                       << "It is a pipe (FIFO), not a regular file";
    QTest::newRow("a link to a device as the log") << "device"
                                                   << "It is a link to a device, not to a regular file";
    QTest::newRow("the log's sync fails") << "sync"
                                          << "Disk error";
}

void TestComposer::runLogFailureDoesNotStopTheScript()
{
    QFETCH(QString, kind);
    QFETCH(QString, named);
    test::Fixture fx;
    Window win(fx, [](MainSettings &s) { s.EnableLogging = 1; });
    const QString log = fx.data() + QStringLiteral("tessaline.log");
    if (kind == QLatin1String("nodata"))
        QVERIFY(QDir(fx.data()).removeRecursively());
    else if (kind == QLatin1String("pipe") && !test::makeFifo(log))
        QSKIP("no named pipes here");
    else if (kind == QLatin1String("device") && !QFile::link(QStringLiteral("/dev/null"), log))
        QSKIP("no /dev/null to link to");
    else if (kind == QLatin1String("sync"))
        fx.writeFile(QStringLiteral("DATA/tessaline.log"), "old\r\n");
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    fx.prompter().expectMessage();
    {
        const test::HangWatchdog watchdog(60, "Create Batch Script with the run log on a pipe");
        std::optional<test::FailingDiskCall> failing;
        if (kind == QLatin1String("sync"))
            failing.emplace(test::FailingDiskCall::Sync, EIO, QStringLiteral("tessaline.log"));
        win.press();
    }
    QVERIFY(fx.prompter().allUsed());
    QVERIFY2(fx.prompter().last().text.contains(log + QStringLiteral("\r\n")), qPrintable(fx.prompter().last().text));
    QVERIFY2(fx.prompter().last().text.contains(named), qPrintable(fx.prompter().last().text));
    QVERIFY(!mainSettings().StopBatch);
    QCOMPARE(win.body().size(), 3);
    if (kind == QLatin1String("sync"))
        QCOMPARE(test::fileBytes(log), QByteArray("old\r\n"));
    if (kind != QLatin1String("nodata"))
        QVERIFY(!QFileInfo(log).isFile() || kind == QLatin1String("sync")); // the pipe or the link stays
}

void TestComposer::failuresWriteNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // a part of the message
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("options"); // the Options window comes up first
    QTest::newRow("output folder missing") << "nofolder"
                                           << "Tessaline Setup Alert"
                                           << "Tessaline script output path not found" << int(vbOKOnly) << true;
    QTest::newRow("read-only output file") << "readonly"
                                           << "Tessaline Alert"
                                           << "should NOT be READ-ONLY" << int(vbOKOnly) << true;
    QTest::newRow("output file of another user") << "otheruser"
                                                 << "Tessaline Alert"
                                                 << "should NOT be READ-ONLY" << int(vbOKOnly) << true;
    QTest::newRow("output file held by another program")
        << "held"
        << "Tessaline Alert"
        << "Please wait for AutoCAD to finish using the Script" << int(vbOKOnly) << false;
    QTest::newRow("a drawing whose tags grow without end") << "tags"
                                                           << "Tessaline Alert"
                                                           << "$FILEPATH-1$" << int(vbOKOnly | vbCritical) << false;
    QTest::newRow("a project file short of its tags")
        << "project"
        << "Tessaline for AutoCAD"
        << "Error 62 (Input past end of file) in procedure SubstituteProjectTAGS of Form frmMain\r\nS.PRJ"
        << int(vbOKOnly) << false;
    QTest::newRow("empty user script") << "empty"
                                       << "Tessaline Alert"
                                       << "The user script is empty" << int(vbOKOnly | vbExclamation) << false;
    QTest::newRow("disk full while writing") << "full"
                                             << "Tessaline Alert"
                                             << "Disk full" << int(vbOKOnly | vbCritical) << false;
    QTest::newRow("the script's sync fails")
        << "sync"
        << "Tessaline Alert"
        << "Disk error (Input/output error)" << int(vbOKOnly | vbCritical) << false;
    QTest::newRow("a pipe as the output file")
        << "pipe"
        << "Tessaline Alert"
        << "It is a pipe (FIFO), not a regular file" << int(vbOKOnly | vbCritical) << false;
}

// Every failure of a night run (no checks before): one message, StopBatch set, nothing started, the
// previous script untouched and the window free again.
void TestComposer::failuresWriteNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QString, text);
    test::Fixture fx;
    Window win(fx);
    fx.writeFile(QStringLiteral("tessaline.scr"), "PREVIOUS\r\n");
    QStringList queue = {win.drawing(QStringLiteral("A.dwg"))};
    QString script = QStringLiteral("_PURGE _ALL _N");
    std::optional<test::HeldFile> held;
    std::optional<test::OtherUser> other;
    if (kind == QLatin1String("nofolder")) {
        mainSettings().SCROutputPath = fx.path() + QStringLiteral("NOFOLDER/tessaline.scr");
    } else if (kind == QLatin1String("readonly")) {
        QVERIFY(setReadOnlyFile(win.output(), true).ok());
    } else if (kind == QLatin1String("held")) {
        held.emplace(win.output());
        if (!held->ok())
            QSKIP("no file lease on this file system");
    } else if (kind == QLatin1String("tags")) {
        QString tagged;
        for (int n = 1; n <= 9; ++n)
            tagged += QStringLiteral("$FILEPATH-%1$$FILEDRIVE+%1$").arg(n);
        queue << fx.path() + tagged + QStringLiteral("/P/Q/R/S/T/U/V/W/X/Y/A-101.dwg");
        script = QStringLiteral("-INSERT $FILEPATH$");
    } else if (kind == QLatin1String("project")) {
        fx.writeFile(QStringLiteral("DATA/S.PRJ"), "\r\nVALUE 1\r\n"); // every drawing, one value of 40
        fx.writeFile(QStringLiteral("DATA/PTAGMAN.DAT"), "S.PRJ\r\n");
        script = QStringLiteral("-ATTEDIT $PROJECTTAG1$");
    } else if (kind == QLatin1String("pipe")) {
        mainSettings().SCROutputPath = fx.path() + QStringLiteral("pipe.scr");
        if (!test::makeFifo(mainSettings().SCROutputPath))
            QSKIP("no named pipes here");
    } else if (kind == QLatin1String("full")) {
        if (!test::FileSizeLimit(qint64(1) << 40).ok())
            QSKIP("no file-size limit to stand in for a full disk");
        script = QStringLiteral("_PURGE _ALL _N\n").repeated(600); // far more than the limit below
    }
    win.setQueue(queue, script);
    fx.prompter().expectMessage();
    if (kind == QLatin1String("empty")) {
        win.w->scriptFacts()->setScriptText(QString());
        QVERIFY(!win.composer()->Command1_Compile_Click(true));
    } else if (kind == QLatin1String("full")) {
        const test::FileSizeLimit limit(4096);
        QVERIFY(!win.composer()->Command1_Compile_Click(true));
    } else if (kind == QLatin1String("otheruser")) {
        // Root's script, mode 0644, in a folder everyone may write: its owner could replace it, this
        // user may not.
        QVERIFY(test::openToEveryone(fx.folder()));
        other.emplace();
        if (!other->ok())
            QSKIP("only root can act as another user");
        QVERIFY(!win.composer()->Command1_Compile_Click(true));
        other.reset();
    } else if (kind == QLatin1String("sync")) {
        const test::FailingDiskCall failing(test::FailingDiskCall::Sync, EIO, QStringLiteral("tessaline.scr"));
        QVERIFY(!win.composer()->Command1_Compile_Click(true));
    } else if (kind == QLatin1String("pipe")) {
        const test::HangWatchdog watchdog(60, "Create Batch Script on a pipe");
        QVERIFY(!win.composer()->Command1_Compile_Click(true));
    } else {
        QVERIFY(!win.composer()->Command1_Compile_Click(true));
    }
    held.reset();
    QVERIFY(fx.prompter().allUsed());
    QCOMPARE(fx.prompter().last().title, title);
    QVERIFY2(fx.prompter().last().text.contains(text), qPrintable(fx.prompter().last().text));
    QTEST(fx.prompter().last().style, "style");
    QTEST(optionsFields()->isOnScreen(), "options");
    QVERIFY(mainSettings().StopBatch);
    QVERIFY(fx.launcher().calls.isEmpty());
    QVERIFY(win.w->centralWidget()->isEnabled());
    if (kind == QLatin1String("readonly"))
        QVERIFY(setReadOnlyFile(win.output(), false).ok());
    QCOMPARE(test::fileBytes(fx.path() + QStringLiteral("tessaline.scr")), QByteArray("PREVIOUS\r\n"));
    QCOMPARE(mainSettings().TotalFilesProcessed, 0.0);
    if (kind != QLatin1String("empty"))
        QVERIFY(win.w->lblUpdate->text() != QStringLiteral("Ready"));
    if (kind == QLatin1String("full") || kind == QLatin1String("sync") || kind == QLatin1String("pipe"))
        QVERIFY2(fx.prompter().last().text.contains(mainSettings().SCROutputPath),
                 qPrintable(fx.prompter().last().text));
}

// A folder that the script names and that does not exist is asked about; Yes creates it.
void TestComposer::missingFoldersScan()
{
    test::Fixture fx;
    const QString out = fx.path() + QStringLiteral("OUT/PLOTS/");
    Window win(fx, [&out](MainSettings &s) {
        s.WarnFoldersNotExist = 1;
        s.PostUserScript = QStringLiteral("-EXPORT \"") + out + QStringLiteral("$FILENAME$.wmf\"");
    });
    win.setQueue({win.drawing(QStringLiteral("A.dwg")), win.drawing(QStringLiteral("B.dwg"))});
    fx.prompter().expectMessage(vbYes);
    win.press();
    QVERIFY(fx.prompter().allUsed());
    QCOMPARE(fx.prompter().last().title, QStringLiteral("Tessaline Directory Scan"));
    QVERIFY(fx.prompter().last().text.contains(QStringLiteral("\r\n") + out + QStringLiteral("\r\n")));
    QVERIFY(QFileInfo(out).isDir());
    // Now that it exists, nothing is asked.
    win.press();
    QCOMPARE(fx.prompter().shown().size(), 1);
}

// The completion window names the script just written; the run variant is used once; unticking its box
// and pressing OK stores "0", after which it is not shown.
void TestComposer::completionWindow()
{
    test::Fixture fx;
    Window win(fx, [](MainSettings &s) { s.ShowSCRComplete = 1; });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    test::ModalGuard modals;
    QStringList seen;
    auto look = [&](bool untick) {
        modals.answerNextModal([&seen, untick](QWidget *dialog) {
            auto *done = qobject_cast<frmScrComplete *>(dialog);
            QVERIFY(done);
            seen << done->lblOutputPathAndFile->text() << done->Label3->text().left(8)
                 << (done->Text1->isVisible() ? QStringLiteral("macro") : QStringLiteral("no macro"));
            if (untick)
                done->Check1->setChecked(false);
            done->Command1->click();
        });
    };
    look(false);
    win.composer()->useRunVariantOnce();
    win.press();
    look(false);
    win.press();
    look(true);
    win.press();
    win.press(); // not shown any more
    QVERIFY(modals.allAnswered());
    QCOMPARE(modals.opened(), 3);
    const QString out = win.output();
    QCOMPARE(seen, QStringList({out, "After yo", "no macro", out, "1) Alt-T", "macro", out, "1) Alt-T", "macro"}));
    QCOMPARE(mainSettings().ShowSCRComplete, qint16(0));
    QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("ShowSCRComplete"), QString()), QStringLiteral("0"));
}

// A night run shows no syntax warning and runs no queue check.
void TestComposer::nightRunSkipsTheChecks()
{
    test::Fixture fx;
    Window win(fx, [](MainSettings &s) {
        s.VerifyFilesBit = 1;
        s.WarnDoubleSpace = 1;
    });
    const QString a = win.drawing(QStringLiteral("A.dwg")), gone = win.missing(QStringLiteral("Gone.dwg"));
    win.setQueue({a, gone}, QStringLiteral("ZOOM  E"));
    QVERIFY(win.composer()->Command1_Compile_Click(true));
    QVERIFY(fx.prompter().shown().isEmpty());
    QStringList expected = opened(a, true);
    expected << "ZOOM  E"
             << "_QSAVE" << opened(gone, false) << "ZOOM  E";
    QCOMPARE(win.body(), expected);
}

// A night run shows none of the scans' boxes: the missing folder is made, and both findings go into
// the run log, with logging off too (nothing else would record them).
void TestComposer::nightRunWritesTheScansIntoTheRunLog()
{
    test::Fixture fx;
    fx.setClock(QDateTime(QDate(2026, 12, 31), QTime(20, 30)));
    const QString out = fx.path() + QStringLiteral("OUT/PLOTS/");
    Window win(fx, [&out](MainSettings &s) {
        s.WarnFoldersNotExist = 1;
        s.ScanForRogueTags = 1;
        s.PreUserScript = QStringLiteral("ZOOM E $projecttag3$");
        s.PostUserScript = QStringLiteral("-EXPORT \"") + out + QStringLiteral("$FILENAME$.wmf\"");
    });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    QVERIFY(win.composer()->Command1_Compile_Click(true));
    QVERIFY(fx.prompter().shown().isEmpty());
    QVERIFY(QFileInfo(out).isDir());
    QCOMPARE(QString::fromUtf8(test::fileBytes(fx.data() + QStringLiteral("tessaline.log"))),
             QStringLiteral("NIGHT RUN 2026-12-31 20:30:00, checks of the batch script ") + win.output() +
                 QStringLiteral(":\r\n"
                                "Folders named in the batch script that did not exist, created:\r\n    ") +
                 out +
                 QStringLiteral("\r\nThe output script contains Project Tags that were not substituted.\r\n"
                                "The first occurence is on line 5 of the output file\r\n"));
}

QTEST_MAIN(TestComposer)
#include "tst_composer.moc"
