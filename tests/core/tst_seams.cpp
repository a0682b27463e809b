// The seams every window relies on: scripted boxes and pickers, default answers, root refusal,
// version text, and the test fixture that puts every global back.

#include "core/appenvironment.h"
#include "core/clock.h"
#include "core/launcher.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "testsupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace tess;

class TestSeams : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultAnswers_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("answer");
        QTest::newRow("ok") << int(vbOKOnly) << int(vbOK);
        QTest::newRow("yesno") << int(vbYesNo | vbQuestion) << int(vbYes);
        QTest::newRow("yesno default no") << int(vbYesNo | vbDefaultButton2) << int(vbNo);
        QTest::newRow("yesnocancel third") << int(vbYesNoCancel | vbDefaultButton3) << int(vbCancel);
        QTest::newRow("okcancel second") << int(vbOKCancel | vbDefaultButton2) << int(vbCancel);
    }
    void defaultAnswers()
    {
        QFETCH(int, style);
        QFETCH(int, answer);
        QCOMPARE(defaultAnswer(style), answer);
    }

    void scriptedBoxesAnswerInOrderAndRecord()
    {
        test::ScriptedPrompter p;
        p.expectMessage(vbNo);
        p.expectFolder(QStringLiteral("/tmp"));
        QCOMPARE(msgBox(QStringLiteral("Sure?"), vbYesNo), int(vbNo));
        QCOMPARE(p.last().title, appTitle());
        QCOMPARE(pickFolder(QStringLiteral("Pick"), QString()).value(), QStringLiteral("/tmp"));
        QVERIFY(p.allUsed());
    }

    void pickersAreRecordedAndNamed()
    {
        test::ScriptedPrompter p;
        p.expectOpenFile(QStringLiteral("/lib/a.scr"));
        p.expectSaveFile(std::nullopt);
        p.expectInput(QStringLiteral("Set 2"));
        p.expectFolder(QStringLiteral("/tmp")); // never asked for
        QCOMPARE(
            pickOpenFile(QStringLiteral("Open Script"), QStringLiteral("/lib"), QStringLiteral("Script Files (*.scr)"))
                .value(),
            QStringLiteral("/lib/a.scr"));
        QVERIFY(!pickSaveFile(QStringLiteral("Save Batch Script"), QStringLiteral("/out/tessaline.scr"),
                              QStringLiteral("*.scr")));
        QCOMPARE(inputBox(QStringLiteral("Name?"), QString(), QStringLiteral("Set 1")).value(),
                 QStringLiteral("Set 2"));

        QCOMPARE(p.pickers().size(), 3);
        const test::ShownPicker open = p.pickers().at(0);
        QCOMPARE(open.kind, test::ShownPicker::OpenFile);
        QCOMPARE(open.title, QStringLiteral("Open Script"));
        QCOMPARE(open.folder, QStringLiteral("/lib"));
        QCOMPARE(open.filter, QStringLiteral("Script Files (*.scr)"));
        const test::ShownPicker save = p.pickers().at(1);
        QCOMPARE(save.kind, test::ShownPicker::SaveFile);
        QCOMPARE(save.folder, QStringLiteral("/out/tessaline.scr"));
        const test::ShownPicker input = p.lastPicker();
        QCOMPARE(input.kind, test::ShownPicker::Input);
        QCOMPARE(input.title, appTitle());
        QCOMPARE(input.prompt, QStringLiteral("Name?"));
        QCOMPARE(input.defaultText, QStringLiteral("Set 1"));

        // What is left is named, with the pickers that were shown by title.
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("unused: folder picker answer /tmp \\| shown: "
                                                               "file picker \"Open Script\".*save picker "
                                                               "\"Save Batch Script\".*input box")));
        QVERIFY(!p.allUsed());
        QVERIFY(pickFolder(QStringLiteral("Output folder"), QString()).has_value());
        QVERIFY(p.allUsed());

        // A picker without an answer fails the test and answers nothing.
        QEXPECT_FAIL("", "a picker without an answer fails the test", Continue);
        QVERIFY(!pickFolder(QStringLiteral("Where to?"), QStringLiteral("/srv")).has_value());
        QCOMPARE(test::describePicker(p.lastPicker()), QStringLiteral("folder picker \"Where to?\" (folder /srv)"));
    }

    void rootFolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("root");
        QTest::newRow("drive") << "C:\\" << true;
        QTest::newRow("drive bare") << "D:" << true;
        QTest::newRow("unc") << "\\\\server\\share\\" << true;
        QTest::newRow("unc bare") << "\\\\server\\share" << true;
        QTest::newRow("posix") << "/" << true;
        QTest::newRow("folder") << "C:\\Tessaline" << false;
        QTest::newRow("unc folder") << "\\\\server\\share\\tess" << false;
        QTest::newRow("posix folder") << "/opt/tessaline" << false;
        QTest::newRow("drive-relative") << "C:tess" << false;
        QTest::newRow("server without share") << "\\\\server\\" << false;
        QTest::newRow("empty") << "" << false;
    }
    void rootFolders()
    {
        QFETCH(QString, folder);
        QFETCH(bool, root);
        QCOMPARE(isRootFolder(folder), root);
    }

    void versionTextHasNoLeadingZeros() { QCOMPARE(makeVersionString(10, 0, 3), QStringLiteral("10.0.3")); }

    void programFolderIsOverriddenAndLoginNeverEmpty()
    {
        test::Fixture fx;
        QCOMPARE(AppEnvironment::programPath(), fx.path());
        QVERIFY(AppEnvironment::dataFolder().endsWith(QStringLiteral("DATA") + AppEnvironment::separator()));
        AppEnvironment::overrideLoginName(QString());
        QVERIFY(!AppEnvironment::loginName().isEmpty());
    }

    // Every global is back as it was when a fixture ends, with fixtures nested, with the seams
    // replaced by hand inside them, and when a failed check leaves the test early.
    void fixturePutsEveryGlobalBack()
    {
        const QString folderBefore = AppEnvironment::programFolder();
        const QString loginBefore = AppEnvironment::loginName();
        const QString computerBefore = AppEnvironment::computerName();
        const QString storeBefore = SettingsStore::instance().fileName();
        Prompter *const prompterBefore = prompter();
        Launcher *const launcherBefore = launcher();
        const QLocale localeBefore;
        const qint32 widthBefore = mainSettings().FormWidth;
        // Outside any fixture the process has a settings file of its own, never the user's.
        QVERIFY2(storeBefore.startsWith(QDir::tempPath()), qPrintable(storeBefore));

        const QDateTime outerMoment(QDate(2026, 12, 31), QTime(23, 59, 59));
        {
            test::Fixture outer;
            outer.setClock(outerMoment);
            QCOMPARE(SettingsStore::instance().fileName(), outer.settingsFile());
            QCOMPARE(prompter(), &outer.prompter());
            QCOMPARE(launcher(), &outer.launcher());
            QCOMPARE(AppEnvironment::computerName(), QStringLiteral("TESTPC"));
            QString innerFolder, innerStore;
            [&] {
                test::Fixture inner(QStringLiteral("other"));
                innerFolder = inner.path();
                innerStore = inner.settingsFile();
                inner.setClock(QDateTime(QDate(2030, 1, 1), QTime(8, 0)));
                inner.setLocale(QLocale(QLocale::German, QLocale::Germany));
                mainSettings().FormWidth = widthBefore + 1;
                AppEnvironment::overrideComputerName(QStringLiteral("ELSEWHERE"));
                setPrompter(nullptr);
                setLauncher(nullptr);
                QVERIFY(writeSetting(QStringLiteral("Startup"), QStringLiteral("Width"), QStringLiteral("1")));
                QEXPECT_FAIL("", "a failed check leaves the test early", Abort);
                QVERIFY(false);
            }();
            QVERIFY(innerFolder != outer.path());
            QVERIFY(innerStore != outer.settingsFile());
            QCOMPARE(Clock::now(), outerMoment);
            QCOMPARE(AppEnvironment::programPath(), outer.path());
            QCOMPARE(AppEnvironment::loginName(), QStringLiteral("tester"));
            QCOMPARE(AppEnvironment::computerName(), QStringLiteral("TESTPC"));
            QCOMPARE(prompter(), &outer.prompter());
            QCOMPARE(launcher(), &outer.launcher());
            QCOMPARE(SettingsStore::instance().fileName(), outer.settingsFile());
            QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("Width"), QStringLiteral("none")),
                     QStringLiteral("none"));
            QCOMPARE(mainSettings().FormWidth, widthBefore);
            QCOMPARE(QLocale(), localeBefore);
        }
        QVERIFY(!Clock::isFixed());
        QCOMPARE(AppEnvironment::programFolder(), folderBefore);
        QCOMPARE(AppEnvironment::loginName(), loginBefore);
        QCOMPARE(AppEnvironment::computerName(), computerBefore);
        QCOMPARE(AppEnvironment::programFolderOverride(), QString());
        QCOMPARE(SettingsStore::instance().fileName(), storeBefore);
        QCOMPARE(prompter(), prompterBefore);
        QCOMPARE(launcher(), launcherBefore);
        QCOMPARE(QLocale(), localeBefore);
    }
};

QTEST_GUILESS_MAIN(TestSeams)
#include "tst_seams.moc"
