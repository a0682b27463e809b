#include "batch/scriptreadback.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using namespace tess;

class TestScriptReadBack : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void folderPaths_data();
    void folderPaths();
    void scansReadTheWrittenScript();
    void createsEveryMissingFolderOnYes();
};

void TestScriptReadBack::folderPaths_data()
{
    QTest::addColumn<bool>("posix");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("quoted drawing path") << false << "\"C:\\DWG\\A-101.dwg\"" << QStringList{"C:\\DWG\\"};
    QTest::newRow("quoted path with blanks, answer after it")
        << false << "\"C:\\My Drawings\\Plan A.dwg\" Y" << QStringList{"C:\\My Drawings\\"};
    QTest::newRow("SAVEAS line") << false << "_SAVEAS 2013 \"D:\\OUT\\x.dwg\" Y" << QStringList{"D:\\OUT\\"};
    QTest::newRow("two paths on one line")
        << false << "(command \"copy\" \"C:\\a\\b.txt\" \"E:\\c\\d\\e.txt\")" << QStringList{"C:\\a\\", "E:\\c\\d\\"};
    QTest::newRow("unquoted ends at a blank")
        << false << "-INSERT C:\\Blocks\\Title Block.dwg 0,0" << QStringList{"C:\\Blocks\\"};
    QTest::newRow("UNC") << false << "\"\\\\server\\share\\dwg\\a.dwg\"" << QStringList{"\\\\server\\share\\dwg\\"};
    QTest::newRow("UNC without a share is no path") << false << "\"\\\\server\\a.dwg\"" << QStringList();
    QTest::newRow("drive root") << false << "\"C:\\a.dwg\"" << QStringList{"C:\\"};
    QTest::newRow("lisp, no path") << false << "(if (/= (getvar \"DBMOD\") 0)(command \"_.OPEN\" \"_Y\"))"
                                   << QStringList();
    QTest::newRow("an address is no drive") << false << "; see http://x.org/a\\b" << QStringList();
    QTest::newRow("inside a word is no path") << false << "ABC:\\x\\y" << QStringList();
    QTest::newRow("quote never closed: skipped") << false << "\"C:\\DWG\\A.dwg" << QStringList();
    QTest::newRow("wildcard is no path") << false << "\"C:\\DWG\\*.dwg\" \"D:\\x\\y.dwg\"" << QStringList{"D:\\x\\"};
    QTest::newRow("POSIX quoted") << true << "\"/home/u/dwg/a.dwg\" Y" << QStringList{"/home/u/dwg/"};
    QTest::newRow("POSIX lisp operator is no path") << true << "(if (/= (getvar \"DBMOD\") 0)" << QStringList();
    QTest::newRow("POSIX: drive forms are not read") << true << "\"C:\\DWG\\a.dwg\"" << QStringList();
    QTest::newRow("POSIX name at the root") << true << "_SCRIPT /next.scr" << QStringList{"/"};
}

void TestScriptReadBack::folderPaths()
{
    QFETCH(bool, posix);
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QCOMPARE(folderPathsInLine(line, posix ? ScriptPathForms::Posix : ScriptPathForms::Windows), expected);
}

// One read gives the missing folders (each once, in order) and the first line with a leftover
// project tag, in any case.
void TestScriptReadBack::scansReadTheWrittenScript()
{
    test::Fixture fx;
    const QString have = fx.path() + QStringLiteral("DWG/");
    QVERIFY(QDir().mkpath(have));
    const QString gone1 = fx.path() + QStringLiteral("OUT/A/"), gone2 = fx.path() + QStringLiteral("OUT/B/");
    const QByteArray script = "; header\r\n\"" + have.toUtf8() + "a.dwg\"\r\n_SAVEAS  \"" + gone1.toUtf8() +
                              "a.dwg\"\r\nPRE $projecttag3$\r\n_SAVEAS  \"" + gone2.toUtf8() + "b.dwg\"\r\n\"" +
                              gone1.toUtf8() + "c.dwg\"\r\n$PROJECTTAG1$\r\n";
    const QString path = fx.writeFile(QStringLiteral("tessaline.scr"), script);
    const ScriptReadBack both = readBackBatchScript(path, true, true, QStringConverter::Utf8, ScriptPathForms::Posix);
    QVERIFY(both.error.ok());
    QCOMPARE(both.missingFolders, QStringList({gone1, gone2}));
    QCOMPARE(both.projectTagLine, qint64(4));
    const ScriptReadBack none = readBackBatchScript(path, false, false);
    QVERIFY(none.missingFolders.isEmpty());
    QCOMPARE(none.projectTagLine, qint64(0));
    QCOMPARE(readBackBatchScript(fx.path() + QStringLiteral("none.scr"), true, false).error.error, kFileNotFound);
}

void TestScriptReadBack::createsEveryMissingFolderOnYes()
{
    test::Fixture fx;
    const QString a = fx.path() + QStringLiteral("OUT/A/"), b = fx.path() + QStringLiteral("OUT/B/C/");
    // No: nothing is created.
    fx.prompter().expectMessage(vbNo);
    offerToCreateMissingFolders({a, b});
    QVERIFY(!QFileInfo(a).exists());
    const test::ShownMessage asked = fx.prompter().last();
    QCOMPARE(asked.title, QStringLiteral("Tessaline Directory Scan"));
    QCOMPARE(asked.style, int(vbYesNo | vbExclamation));
    QCOMPARE(asked.text, QStringLiteral("There ONE OR MORE directories referenced in your output script, that do not "
                                        "exist.\r\n") +
                             a + QStringLiteral("\r\n") + b + QStringLiteral("\r\nWould you like to create them ALL?"));
    // Yes: every one, with its parents.
    fx.prompter().expectMessage(vbYes);
    offerToCreateMissingFolders({a, b});
    QVERIFY(QFileInfo(a).isDir());
    QVERIFY(QFileInfo(b).isDir());
    // One that cannot be made (a file stands in its way) is named in one box.
    fx.writeFile(QStringLiteral("FILE"), "x");
    const QString blocked = fx.path() + QStringLiteral("FILE/sub/");
    fx.prompter().expectMessage(vbYes);
    fx.prompter().expectMessage();
    offerToCreateMissingFolders({blocked});
    QVERIFY(fx.prompter().allUsed());
    QCOMPARE(fx.prompter().last().title, QStringLiteral("Error"));
    QVERIFY(fx.prompter().last().text.startsWith(QStringLiteral("Directory could not be created.\r\n(Possibly due to "
                                                                "bad characters)...\r\n\r\nPlease do not use reserved "
                                                                "characters such as\r\n/ : * ? \" < > |")));
    QVERIFY(fx.prompter().last().text.endsWith(blocked));
}

QTEST_GUILESS_MAIN(TestScriptReadBack)
#include "tst_scriptreadback.moc"
