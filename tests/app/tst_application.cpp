// The program from start to exit through the application object: what it refuses, what it
// restores, and what it writes back.

#include "app/application.h"
#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/settingsstore.h"
#include "core/settingskeys.h"
#include "core/startup.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "mainwin/scriptfacts.h"
#include "testsupport.h"

#include <QAction>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <algorithm>

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

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { mainSettings() = MainSettings(); }

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
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
