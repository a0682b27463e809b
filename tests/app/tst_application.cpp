// The program from start to exit through the application object: what it refuses, what it
// restores, and what it writes back.

#include "app/application.h"
#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/scriptfacts.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "options/optionsfields.h"
#include "panecontrols.h"
#include "tags/frmVARSetup.h"
#include "tags/tagmanagers.h"
#include "testsupport.h"
#include "uitest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLockFile>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

using namespace tess;

namespace {

QString stored(const char *section, const char *key)
{
    return readSetting(QLatin1String(section), QLatin1String(key), QStringLiteral("<none>"));
}

// A value as the INI file writes it (escaped and quoted as QSettings does on this platform).
QByteArray iniText(const QString &value)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("value.ini"));
    {
        QSettings ini(file, QSettings::IniFormat);
        ini.setValue(QStringLiteral("v"), value);
    }
    for (const QByteArray &line : test::fileBytes(file).split('\n'))
        if (line.startsWith("v="))
            return line.mid(2).trimmed();
    return QByteArray();
}

// A settings file as the golden file holds it: LF line ends; sections, and keys within a section, in
// alphabetical order ignoring case (the INI writer's own order differs between platforms); and the
// values that depend on the machine replaced by names: $VERSION$ the program's version,
// $DEFAULTSOURCE$ the platform's default drawing folder, $PROGRAMPATH$ the program folder.
QByteArray canonicalIni(QByteArray bytes)
{
    const QByteArray version = iniText(ProgramVersionString());
    const QByteArray source = iniText(defaultSourcePath());
    const QByteArray programPath = iniText(AppEnvironment::programPath());
    bytes.replace("\r\n", "\n");
    QMap<QByteArray, QList<QByteArray>> sections; // by the section's name in lower case
    QMap<QByteArray, QByteArray> headers;
    QByteArray current;
    for (const QByteArray &line : bytes.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith('[')) {
            current = line.toLower();
            headers[current] = line;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        QByteArray value = line.mid(eq + 1);
        if (value == version)
            value = "$VERSION$";
        else if (value == source)
            value = "$DEFAULTSOURCE$";
        else
            value.replace(programPath, "$PROGRAMPATH$");
        sections[current] << line.left(eq + 1) + value;
    }
    QByteArray out;
    for (auto it = sections.begin(); it != sections.end(); ++it) {
        std::sort(it->begin(), it->end(),
                  [](const QByteArray &a, const QByteArray &b) { return a.toLower() < b.toLower(); });
        out += (out.isEmpty() ? "" : "\n") + headers.value(it.key()) + '\n' + it->join('\n') + '\n';
    }
    return out;
}

// The tip of the day shows modally at every start while TipsShow is 1 (the default): pressed
// "&Close" on as soon as it shows, counting the showings.
class TipsCloser
{
public:
    TipsCloser()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != QLatin1String("frmTips"))
                return;
            if (auto *close = modal->findChild<QPushButton *>(QStringLiteral("cmdClose"))) {
                ++closed;
                close->click();
            }
        });
        m_timer.start();
    }
    int closed = 0;

private:
    QTimer m_timer;
};

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        mainSettings() = MainSettings();
        m_tips = std::make_unique<TipsCloser>();
    }
    void cleanup() { m_tips.reset(); }

    // The settings file after a first start and exit on an empty store, byte for byte but for the
    // order of its lines and the values that depend on the machine.
    void firstStartAndExitWriteTheGoldenFile()
    {
        test::Fixture fx;
        {
            Application app;
            QVERIFY(app.start());
            app.finish();
        }
        QVERIFY(fx.prompter().shown().isEmpty());
        const QString diff = test::goldenMismatch(canonicalIni(test::fileBytes(fx.settingsFile())),
                                                  QStringLiteral("golden/first-start.ini"));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    // A start with nothing new to note (the same version, the same program folder) leaves the
    // settings file as the last exit wrote it.
    void repeatedStartLeavesTheSettingsFileAlone()
    {
        test::Fixture fx;
        {
            Application app;
            QVERIFY(app.start());
            app.finish();
        }
        // The tip of the day (which stores its own switch) stays away.
        writeSetting(QStringLiteral("Startup"), QStringLiteral("TipsShow"), QStringLiteral("0"));
        const QByteArray written = test::fileBytes(fx.settingsFile());
        const QDateTime modified = QFileInfo(fx.settingsFile()).lastModified();
        mainSettings() = MainSettings();
        SettingsStore::useFile(fx.settingsFile());
        QTest::qWait(20); // a rewrite would now show in the time of the file
        {
            Application app;
            QVERIFY(app.start());
            QCOMPARE(test::fileBytes(fx.settingsFile()), written);
            QCOMPARE(QFileInfo(fx.settingsFile()).lastModified(), modified);
        }
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    // A window nobody moved keeps its stored place and size exactly, run after run, and never
    // stores a size below the window's minimum.
    void unchangedRunsKeepPlaceAndSize_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("heightAfter");
        QTest::newRow("defaults") << QString() << QString() << QStringLiteral("10130");
        QTest::newRow("odd twips") << QStringLiteral("527") << QStringLiteral("11111") << QStringLiteral("11111");
        QTest::newRow("below minimum") << QStringLiteral("0") << QStringLiteral("9000") << QStringLiteral("10130");
    }
    void unchangedRunsKeepPlaceAndSize()
    {
        QFETCH(QString, left);
        QFETCH(QString, height);
        QFETCH(QString, heightAfter);
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        if (!left.isEmpty())
            writeSetting(QStringLiteral("Startup"), QStringLiteral("Left"), left);
        if (!height.isEmpty())
            writeSetting(QStringLiteral("Startup"), QStringLiteral("Height"), height);
        const QString expectedLeft = left.isEmpty() ? QStringLiteral("520") : left;
        for (int run = 0; run < 2; ++run) {
            mainSettings() = MainSettings();
            Application app;
            QVERIFY(app.start());
            QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
            app.finish();
            QCOMPARE(stored("Startup", "Left"), expectedLeft);
            QCOMPARE(stored("Startup", "Top"), QStringLiteral("520"));
            QCOMPARE(stored("Startup", "Width"), QStringLiteral("13084"));
            QCOMPARE(stored("Startup", "Height"), heightAfter);
            QCOMPARE(stored("Startup", "HDividerTop"), QStringLiteral("3600"));
        }
        QVERIFY(prompts.shown().isEmpty());
    }

    // Values applied elsewhere reach the window at the one notification.
    void settingsAppliedRefreshesTheWindow()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        Application app;
        QVERIFY(app.start());
        frmMain *w = app.mainWindow();
        QVERIFY(w->SSTab1->isVisible());
        mainSettings().SimpleMode = 1;
        mainSettings().TotalFilesProcessed = 12;
        Q_EMIT app.settingsApplied();
        QVERIFY(!w->SSTab1->isVisible());
        QVERIFY(w->frameSimpleScrSelect->isVisible());
        QCOMPARE(w->lblFilesProcessed->text(), QStringLiteral("Processed =  12"));
    }

    void rootFolderIsRefusedBeforeAnythingElse()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        prompts.expectMessage(vbOK);
        AppEnvironment::overrideProgramFolder(QStringLiteral("/"));
        Application app;
        QVERIFY(!app.start());
        QCOMPARE(prompts.last().title, QStringLiteral("Ooops"));
        QVERIFY(!app.mainWindow());
    }

    // The queue, the script and its name survive an exit and a new start; "Save Settings Now"
    // writes them at once.
    void stateSurvivesARestart()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        const QStringList queue{QStringLiteral("/d/a.dwg"), QStringLiteral("/d/b.dwg")};
        {
            Application app;
            QVERIFY(app.start());
            app.mainWindow()->queuePane()->setQueueEntries(queue);
            app.mainWindow()->scriptFacts()->setScriptText(QStringLiteral("ZOOM\nE"));
            app.mainWindow()->scriptFacts()->setScriptName(QStringLiteral("zoom"));
            app.mainWindow()->findChild<QAction *>(QStringLiteral("mnuSaveSettings"))->trigger();
            QCOMPARE(test::fileBytes(program.data() + QStringLiteral("tester-list.tmp")),
                     QByteArray("/d/a.dwg\r\n/d/b.dwg\r\n"));
            app.mainWindow()->queuePane()->setQueueEntries({queue.first()});
            app.finish();
        }
        mainSettings() = MainSettings();
        Application again;
        QVERIFY(again.start());
        QCOMPARE(again.mainWindow()->queuePane()->queueEntries(), QStringList{queue.first()});
        QCOMPARE(again.mainWindow()->scriptFacts()->scriptText(), QStringLiteral("ZOOM\nE"));
        QCOMPARE(again.mainWindow()->scriptFacts()->scriptName(), QStringLiteral("zoom"));
        QVERIFY(prompts.shown().isEmpty());
    }

    // A state file the start could not take whole is named and kept beside itself as a copy, so the
    // exit's new file destroys nothing.
    void stateFilesTheStartCannotTakeAreKept_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QString>("reason");
        const QString notText = QStringLiteral("(it is not valid text in the system's encoding)");
        QTest::newRow("list in UTF-16") << "tester-list.tmp"
                                        << QByteArray("\xff\xfe/\x00"
                                                      "a\x00\r\x00\n\x00",
                                                      10)
                                        << 1 << notText;
        QTest::newRow("list with an empty line") << "tester-list.tmp" << QByteArray("/d/a.dwg\r\n\r\n/d/b.dwg\r\n") << 2
                                                 << QStringLiteral("(it holds entries the queue cannot take)");
        QTest::newRow("script in another encoding") << "tester-scr.tmp" << QByteArray("ZOOM \xc4\r\n") << 1 << notText;
        QTest::newRow("name with bytes not in the encoding")
            << "tester-s.tmp" << QByteArray("na\xe9me\r\n") << 1 << notText;
    }
    void stateFilesTheStartCannotTakeAreKept()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(int, boxes);
        QFETCH(QString, reason);
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        const QString path = program.writeFile(QStringLiteral("DATA/") + file, bytes);
        for (int i = 0; i < boxes; ++i)
            prompts.expectMessage();
        {
            Application app;
            QVERIFY(app.start());
            QCOMPARE(prompts.shown().size(), boxes);
            const QString text = prompts.last().text;
            QVERIFY2(text.contains(path + QStringLiteral("\r\n    kept as ") + path + QStringLiteral(".kept\r\n    ") +
                                   reason),
                     qPrintable(text));
            app.finish();
        }
        QCOMPARE(test::fileBytes(path + QStringLiteral(".kept")), bytes);
        QVERIFY(QFileInfo::exists(path));
    }

    // "Save Settings Now" says "Saving" while it writes and "Ready" when done; a write that fails
    // at the exit is reported as it is there.
    void saveSettingsNowAndTheExitReportTheirWork()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        Application app;
        QVERIFY(app.start());
        frmMain *w = app.mainWindow();
        QCOMPARE(w->lblUpdate->text(), QStringLiteral("Ready"));
        QString during;
        connect(w, &frmMain::storingSettings, this, [&] { during = w->lblUpdate->text(); });
        w->lblUpdate->setText(QStringLiteral("Sorting"));
        w->findChild<QAction *>(QStringLiteral("mnuSaveSettings"))->trigger();
        QCOMPARE(during, QStringLiteral("Saving"));
        QCOMPARE(w->lblUpdate->text(), QStringLiteral("Ready"));
        QVERIFY(prompts.shown().isEmpty());

        // The DATA folder gone before the exit: the state files' failure is named, and the user
        // ends without them.
        QVERIFY(QDir(program.data()).removeRecursively());
        prompts.expectMessage(vbYes);
        app.finish();
        QCOMPARE(prompts.shown().size(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral(" Error # 76 was generated by Tessaline."));
        QVERIFY(app.hasFinished());
    }

    // The exit save runs while the window is still there. When a write fails, one box names every
    // failure and asks; No keeps the program running with the queue and the script as they were
    // (the old files untouched), and the next exit, once the writes go through, saves them. Yes
    // ends without saving. Every way out goes through it: File "E&xit", the close box and the end
    // of the event loop.
    void failedExitSaveAsksWhileTheWindowIsThere_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("answer");
        QTest::newRow("File Exit, stay") << "File Exit" << int(vbNo);
        QTest::newRow("close box, stay") << "close box" << int(vbNo);
        QTest::newRow("event loop's end, stay") << "quit" << int(vbNo);
        QTest::newRow("File Exit, end") << "File Exit" << int(vbYes);
        QTest::newRow("event loop's end, end") << "quit" << int(vbYes);
    }
    void failedExitSaveAsksWhileTheWindowIsThere()
    {
        QFETCH(QString, way);
        QFETCH(int, answer);
        test::Fixture fx;
        Application app;
        QVERIFY(app.start());
        frmMain *w = app.mainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QString list = fx.data() + QStringLiteral("tester-list.tmp");
        w->queuePane()->setQueueEntries({QStringLiteral("/d/old.dwg")});
        QVERIFY(test::triggerAction(*w, "mnuSaveSettings"));
        const QByteArray oldList = test::fileBytes(list);
        const QByteArray oldSettings = test::fileBytes(fx.settingsFile());
        const QStringList queue{QStringLiteral("/d/a.dwg"), QStringLiteral("/d/b.dwg")};
        w->queuePane()->setQueueEntries(queue);
        w->scriptFacts()->setScriptText(QStringLiteral("ZOOM\nE"));
        mainSettings().TotalFilesProcessed = 77;

        const auto leave = [&] {
            if (way == QLatin1String("File Exit")) {
                QVERIFY(test::triggerAction(*w, "mnuFileExit"));
            } else if (way == QLatin1String("close box")) {
                test::pressCloseBox(w);
            } else {
                // The loop's end asks the windows to close; one the user keeps ends the loop later.
                QTimer quit, stop;
                quit.setSingleShot(true);
                stop.setSingleShot(true);
                connect(&quit, &QTimer::timeout, this, [] { QCoreApplication::quit(); });
                connect(&stop, &QTimer::timeout, this, [] { QCoreApplication::exit(2); });
                quit.start(0);
                stop.start(200);
                QApplication::exec();
            }
        };
        {
            test::FileSizeLimit limit(1);
            if (!limit.ok())
                QSKIP("no file-size limit on this system");
            bool shownWithTheWindow = false;
            fx.prompter().expectMessage(answer, [&] { shownWithTheWindow = w->isVisible(); });
            leave();
            QVERIFY(shownWithTheWindow);
        }
        QCOMPARE(fx.prompter().shown().size(), 1);
        const test::ShownMessage box = fx.prompter().last();
        QCOMPARE(box.style, int(vbYesNo | vbExclamation | vbDefaultButton2));
        QCOMPARE(box.title, QStringLiteral(" Error # 75 was generated by Tessaline."));
        QVERIFY2(box.text.startsWith(QStringLiteral("These settings could not be written:\n")), qPrintable(box.text));
        QVERIFY2(box.text.contains(list), qPrintable(box.text));
        QVERIFY2(box.text.endsWith(QStringLiteral("End Tessaline without saving it?\r\n\r\nNo keeps Tessaline "
                                                  "running with your queue and script: free some space or repair "
                                                  "the folder, then exit again.")),
                 qPrintable(box.text));
        QCOMPARE(test::fileBytes(list), oldList);
        QCOMPARE(test::fileBytes(fx.settingsFile()), oldSettings);
        if (answer == vbYes) {
            QVERIFY(app.hasFinished());
            app.finish(); // nothing more is written or asked
            QCOMPARE(test::fileBytes(list), oldList);
            QCOMPARE(fx.prompter().shown().size(), 1);
            return;
        }
        QVERIFY(!app.hasFinished());
        QVERIFY(w->isVisible());
        QCOMPARE(w->queuePane()->queueEntries(), queue);
        QCOMPARE(w->scriptFacts()->scriptText(), QStringLiteral("ZOOM\nE"));

        // Room again: the same way out saves everything and ends.
        leave();
        QVERIFY(app.hasFinished());
        QCOMPARE(fx.prompter().shown().size(), 1);
        QCOMPARE(test::fileBytes(list), QByteArray("/d/a.dwg\r\n/d/b.dwg\r\n"));
        QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("tester-scr.tmp")), QByteArray("ZOOM\r\nE\r\n"));
        QVERIFY(test::fileBytes(fx.settingsFile()).contains("Counter=77"));
    }

    // A saved queue holding an entry longer than any path starts as any other: the entry is refused
    // and named by its start and length, the file kept beside itself, the rest of the queue restored;
    // the exit writes the queue without it.
    void savedQueueWithAnEntryLongerThanAPath()
    {
        test::Fixture fx;
        const QByteArray longEntry = "/d/" + QByteArray(20 * 1024 * 1024, 'x') + ".dwg";
        const QByteArray bytes = "/d/a.dwg\r\n" + longEntry + "\r\n/d/b.dwg\r\n";
        const QString list = fx.writeFile(QStringLiteral("DATA/tester-list.tmp"), bytes);
        fx.prompter().expectMessage();
        fx.prompter().expectMessage();
        Application app;
        QVERIFY(app.start());
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        QCOMPARE(app.mainWindow()->queuePane()->queueEntries(),
                 (QStringList{QStringLiteral("/d/a.dwg"), QStringLiteral("/d/b.dwg")}));
        QCOMPARE(fx.prompter().shown().size(), 2);
        const QString refused = fx.prompter().shown().at(0).text;
        QVERIFY2(refused.size() < 1000, qPrintable(refused.left(1000)));
        QVERIFY(refused.startsWith(QStringLiteral("1 entry was not added to the queue")));
        QVERIFY(refused.contains(QStringLiteral("(%1 characters)").arg(longEntry.size())));
        QVERIFY(fx.prompter().last().text.contains(list + QStringLiteral("\r\n    kept as ") + list +
                                                   QStringLiteral(".kept")));
        app.finish();
        QCOMPARE(test::fileBytes(list + QStringLiteral(".kept")), bytes);
        QCOMPARE(test::fileBytes(list), QByteArray("/d/a.dwg\r\n/d/b.dwg\r\n"));
    }

    // One copy per user and program folder: a second start while the first holds the lock says so
    // and ends before it writes anything; the first copy's lock stays. Once the first copy has
    // ended, the next start runs.
    void secondStartForTheSameUserWritesNothing()
    {
        test::Fixture fx;
        const QString lockPath = fx.data() + QStringLiteral("tester-running.lock");
        QLockFile first(lockPath);
        QVERIFY(first.tryLock(0));
        const QByteArray lockBytes = test::fileBytes(lockPath);
        const QByteArray settings = test::fileBytes(fx.settingsFile());
        const QStringList files = QDir(fx.data()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        fx.prompter().expectMessage();
        {
            Application second;
            QVERIFY(!second.start());
            QVERIFY(!second.mainWindow());
        }
        QCOMPARE(fx.prompter().shown().size(), 1);
        QCOMPARE(fx.prompter().last().title, appTitle());
        QVERIFY2(fx.prompter().last().text.startsWith(QStringLiteral("Tessaline is already running for tester ")),
                 qPrintable(fx.prompter().last().text));
        QVERIFY(fx.prompter().last().text.contains(QDir::toNativeSeparators(lockPath)));
        QCOMPARE(test::fileBytes(fx.settingsFile()), settings);
        QCOMPARE(QDir(fx.data()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), files);
        QCOMPARE(test::fileBytes(lockPath), lockBytes);
        QVERIFY(first.isLocked());

        first.unlock();
        Application next;
        QVERIFY(next.start());
        QVERIFY(QFileInfo::exists(lockPath));
        next.finish();
        QCOMPARE(fx.prompter().shown().size(), 1);
    }

    // A lock left behind by a copy whose process is gone (it did not end normally) is taken over.
    void lockOfAnEndedCopyIsTakenOver()
    {
        test::Fixture fx;
        const QString lockPath = fx.data() + QStringLiteral("tester-running.lock");
        QByteArray bytes;
        {
            QLockFile crashed(lockPath);
            QVERIFY(crashed.tryLock(0));
            bytes = test::fileBytes(lockPath);
        }
        // The same lock, of a process number no process has.
        bytes = "2147483646" + bytes.mid(bytes.indexOf('\n'));
        fx.writeFile(QStringLiteral("DATA/tester-running.lock"), bytes);
        Application app;
        QVERIFY(app.start());
        QVERIFY(test::fileBytes(lockPath) != bytes);
        app.finish();
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    // DATA missing at start is made then, so the exit can keep the day's work.
    void missingDataFolderIsMadeAtStart()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        QVERIFY(QDir(program.data()).removeRecursively());
        Application app;
        QVERIFY(app.start());
        QVERIFY(QFileInfo(program.data()).isDir());
        app.mainWindow()->queuePane()->setQueueEntries({QStringLiteral("/d/a.dwg")});
        app.finish();
        QCOMPARE(test::fileBytes(program.data() + QStringLiteral("tester-list.tmp")), QByteArray("/d/a.dwg\r\n"));
        QVERIFY(prompts.shown().isEmpty());
    }

    // The Options dialog and the user tag manager are made at their first use, each once; what
    // their loading does elsewhere (the Wizards menu as LT has it, the pad digits within 2 to 9) is
    // done at start without them, and the made manager reports to the main window's status label.
    void hiddenWindowsAreMadeAtFirstUse()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        writeSetting(QStringLiteral("Startup"), QStringLiteral("LT"), QStringLiteral("1"));
        writeSetting(QStringLiteral("UserTags"), QStringLiteral("PadDigits"), QStringLiteral("15"));
        const auto made = [](const char *name) {
            const QWidgetList all = QApplication::allWidgets();
            return std::count_if(all.cbegin(), all.cend(),
                                 [name](const QWidget *w) { return w->objectName() == QLatin1String(name); });
        };
        Application app;
        QVERIFY(app.start());
        frmMain *w = app.mainWindow();
        QCOMPARE(made("frmOptions"), 0);
        QCOMPARE(made("frmVARSetup"), 0);
        QVERIFY(!test::findAction(*w, "mnuRepTextWiz")->isEnabled());
        QCOMPARE(mainSettings().PADDIGITS, qint16(9));

        OptionsFields *options = optionsFields();
        QCOMPARE(made("frmOptions"), 1);
        QCOMPARE(optionsFields(), options);
        QVERIFY(!test::findAction(*w, "mnuRepTextWiz")->isEnabled());
        TagManagers::instance()->applyTemplateCommand(QStringLiteral("NONE"));
        QCOMPARE(made("frmVARSetup"), 1);
        QCOMPARE(w->lblUpdate->text(), QStringLiteral(".TAG File Not Found"));
        QCOMPARE(TagManagers::instance()->userTagManager()->padDigits(), 9);
        QCOMPARE(made("frmVARSetup"), 1);
        app.finish();
        QVERIFY(prompts.shown().isEmpty());
    }

    // The load as the store holds it: a drawing folder that is gone is said once and the selector
    // starts in the current folder; LT disables Test Run; the queue is still restored.
    void loadTakesTheStoreAsItIs()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        const QString gone = program.path() + QStringLiteral("gone");
        writeSetting(QStringLiteral("Paths"), QStringLiteral("Source"), gone);
        writeSetting(QStringLiteral("Startup"), QStringLiteral("LT"), QStringLiteral("1"));
        program.writeFile(QStringLiteral("DATA/tester-list.tmp"), "/d/a.dwg\r\n");
        prompts.expectMessage();
        Application app;
        QVERIFY(app.start());
        QCOMPARE(prompts.shown().size(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral(" No big deal..."));
        QCOMPARE(prompts.last().text, QStringLiteral(" The previously saved working-path is unavailable (possibly "
                                                     "renamed)...") +
                                          gone + QStringLiteral("\r Defaulting to current path."));
        frmMain *w = app.mainWindow();
        QCOMPARE(QDir(w->fileSelector()->folder()), QDir(QDir::currentPath()));
        QCOMPARE(w->queuePane()->queueEntries(), QStringList{QStringLiteral("/d/a.dwg")});
        QVERIFY(!test::queueControl<QCheckBox>(w, "chkTestRun")->isEnabled());
        QCOMPARE(w->lblUpdate->text(), QStringLiteral("Ready"));
    }

    // A place and size beyond every screen open the window on screen at a size that fits, and the
    // exit stores what was shown.
    void farPlaceAndSizeComeOnScreen()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        writeSetting(QStringLiteral("Startup"), QStringLiteral("Left"), QStringLiteral("60000"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("Height"), QStringLiteral("2147483647"));
        Application app;
        QVERIFY(app.start());
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        const QRect shown = app.mainWindow()->frameGeometry();
        const QRect screen = app.mainWindow()->screen()->availableGeometry();
        QVERIFY(screen.contains(shown.topLeft()));
        QVERIFY(shown.height() <= std::max(screen.height(), 10130 / 15 + 1));
        app.finish();
        QCOMPARE(stored("Startup", "Left").toInt(), shown.left() * 15);
        QCOMPARE(stored("Startup", "Height").toInt(), shown.height() * 15);
    }

    // The tip window is asked for only when TipsShow is exactly 1, before "Application Path" is
    // written.
    void tipsOnlyWhenTipsShowIsOne_data()
    {
        QTest::addColumn<QString>("tipsShow");
        QTest::addColumn<bool>("shown");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("2") << "2" << false;
        QTest::newRow("-1") << "-1" << false;
    }
    void tipsOnlyWhenTipsShowIsOne()
    {
        QFETCH(QString, tipsShow);
        QFETCH(bool, shown);
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        writeSetting(QStringLiteral("Startup"), QStringLiteral("TipsShow"), tipsShow);
        Application app;
        int asked = 0;
        QString pathWhenAsked;
        connect(&app, &Application::tipsRequested, this, [&] {
            ++asked;
            pathWhenAsked = stored("Paths", "Application Path");
        });
        QVERIFY(app.start());
        QCOMPARE(asked, shown ? 1 : 0);
        QCOMPARE(m_tips->closed, asked);
        if (shown)
            QCOMPARE(pathWhenAsked, QStringLiteral("<none>"));
        app.finish();
        QCOMPARE(stored("Startup", "TipsShow"), tipsShow);
        QVERIFY(prompts.shown().isEmpty());
    }

    // A window closed maximised stores the place and size it comes back to.
    void maximisedWindowStoresItsNormalPlace()
    {
        test::TempProgramFolder program;
        test::ScriptedPrompter prompts;
        writeSetting(QStringLiteral("Startup"), QStringLiteral("Left"), QStringLiteral("1500"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("Top"), QStringLiteral("750"));
        Application app;
        QVERIFY(app.start());
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        // Moved by the user, then maximised.
        app.mainWindow()->move(200, 100);
        QTRY_COMPARE(app.mainWindow()->frameGeometry().topLeft(), QPoint(200, 100));
        app.mainWindow()->showMaximized();
        QTRY_VERIFY(app.mainWindow()->isMaximized());
        app.finish();
        QCOMPARE(stored("Startup", "Left"), QStringLiteral("3000"));
        QCOMPARE(stored("Startup", "Top"), QStringLiteral("1500"));
        QCOMPARE(stored("Startup", "Width"), QStringLiteral("13084"));
    }

private:
    std::unique_ptr<TipsCloser> m_tips;
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
