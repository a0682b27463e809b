// The seams every window relies on: scripted boxes, default answers, root refusal, version text.

#include "core/appenvironment.h"
#include "core/prompts.h"
#include "core/startup.h"
#include "testsupport.h"

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
        test::TempProgramFolder pf;
        QCOMPARE(AppEnvironment::programPath(), pf.path());
        QVERIFY(AppEnvironment::dataFolder().endsWith(QStringLiteral("DATA") + AppEnvironment::separator()));
        AppEnvironment::overrideLoginName(QString());
        QVERIFY(!AppEnvironment::loginName().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSeams)
#include "tst_seams.moc"
