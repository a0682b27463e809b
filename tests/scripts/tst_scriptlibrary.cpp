// The script library on disk and the text editor launch: file text, names, listings, read-only,
// delete, and the editor's command.

#include "core/mainsettings.h"
#include "scripts/scriptlibrary.h"
#include "scripts/texteditor.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tess;

class TestScriptLibrary : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileTextDropsOneLineEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("crlf") << QByteArray("ZOOM E\r\n") << "ZOOM E";
        QTest::newRow("no line end") << QByteArray("ZOOM E") << "ZOOM E";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("one char") << QByteArray("Z") << "Z";
        QTest::newRow("only crlf") << QByteArray("\r\n") << "";
        QTest::newRow("lone lf") << QByteArray("A\nB\n") << "A\nB";
        QTest::newRow("lone cr") << QByteArray("A\rB\r") << "A\nB";
        QTest::newRow("two line ends keep one") << QByteArray("A\r\n\r\n") << "A\n";
        QTest::newRow("blank last line") << QByteArray("A\r\n \r\n") << "A\n ";
    }
    void fileTextDropsOneLineEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(textFromFileBytes(bytes), text);
    }

    void roundTripIsByteExact_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one line") << "ZOOM E";
        QTest::newRow("lines") << "_LAYER\nS\n0\n\n(command \"_.ZOOM\" \"E\")";
        QTest::newRow("trailing blank line") << "QSAVE\n";
        QTest::newRow("blanks kept") << "  -LAYER  \n  ";
        QTest::newRow("non-ascii") << QString::fromUtf8("TEXT Ü ÿ € \u00a0end");
        QTest::newRow("empty") << "";
    }
    void roundTripIsByteExact()
    {
        QFETCH(QString, text);
        const QByteArray bytes = fileBytesFromText(text);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(!bytes.contains("\n\n") && !QByteArray(bytes).replace("\r\n", "").contains('\n'));
        QCOMPARE(textFromFileBytes(bytes), text);
        // And a file of CR LF lines saves back to the very same bytes.
        QCOMPARE(fileBytesFromText(textFromFileBytes(bytes)), bytes);
    }

    void trimBlanksOnlyTouchesBlanks()
    {
        QCOMPARE(trimBlanks(QStringLiteral("  ZOOM E  ")), QStringLiteral("ZOOM E"));
        QCOMPARE(trimBlanks(QStringLiteral(" \tA\n ")), QStringLiteral("\tA\n"));
        QCOMPARE(trimBlanks(QStringLiteral("   ")), QString());
    }

    void scriptNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("problem");
        const int ok = int(ScriptNameProblem::None), bad = int(ScriptNameProblem::BadCharacter),
                  dev = int(ScriptNameProblem::DeviceName), dots = int(ScriptNameProblem::DotDot);
        QTest::newRow("plain") << "MYSCRIPT" << ok;
        QTest::newRow("with extension") << "A.scr" << ok;
        QTest::newRow("blanks and dots") << "Title block v2.1" << ok;
        QTest::newRow("empty") << "" << int(ScriptNameProblem::Empty);
        for (const char *c : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|", "\t"})
            QTest::newRow(qPrintable(QStringLiteral("char %1").arg(QLatin1String(c))))
                << QStringLiteral("a%1b").arg(QLatin1String(c)) << bad;
        QTest::newRow("parent") << ".." << dots;
        QTest::newRow("dots inside") << "a..b" << dots;
        QTest::newRow("traversal") << "..\\..\\evil" << bad;
        QTest::newRow("con") << "CON" << dev;
        QTest::newRow("nul lower with ext") << "nul.txt" << dev;
        QTest::newRow("com1") << "Com1" << dev;
        QTest::newRow("lpt9") << "LPT9" << dev;
        QTest::newRow("com10 is fine") << "COM10" << ok;
        QTest::newRow("console word is fine") << "CONSOLE" << ok;
    }
    void scriptNames()
    {
        QFETCH(QString, name);
        QFETCH(int, problem);
        QCOMPARE(int(checkScriptName(name)), problem);
    }

    void listingShowsOnlyScriptsMatchingOnePattern()
    {
        test::Fixture fx;
        const test::TempProgramFolder &tmp = fx.programFolder();
        const QString dir = tmp.path() + QStringLiteral("SCRIPTS/");
        for (const char *n : {"b-title.scr", "A-Title.SCR", "title.txt", "title.scr.bak", "x;title.scr", "other.scr"})
            tmp.writeFile(QStringLiteral("SCRIPTS/") + QLatin1String(n), "X\r\n");
        QDir(dir).mkdir(QStringLiteral("sub-title.scr"));
        QCOMPARE(listScriptFiles(dir, scriptListPattern(QStringLiteral("title"))),
                 QStringList({"A-Title.SCR", "b-title.scr", "x;title.scr"}));
        // A ";" is an ordinary character, never a list of patterns.
        QCOMPARE(listScriptFiles(dir, scriptListPattern(QStringLiteral("x;t"))), QStringList({"x;title.scr"}));
        QCOMPARE(listScriptFiles(dir, QStringLiteral("*.txt")), QStringList());
        QCOMPARE(listScriptFiles(dir, QStringLiteral("**.scr")).size(), 4);
        QVERIFY(isAcceptableScriptPattern(scriptListPattern(QStringLiteral("a?b;c[x]"))));
        QVERIFY(!isAcceptableScriptPattern(scriptListPattern(QStringLiteral("../x"))));
        QVERIFY(!isAcceptableScriptPattern(scriptListPattern(QStringLiteral("a|b"))));
        QCOMPARE(scriptPathInFolder(dir, QStringLiteral("a-title.scr")), dir + QStringLiteral("A-Title.SCR"));
        QCOMPARE(scriptPathInFolder(dir, QStringLiteral("new.scr")), dir + QStringLiteral("new.scr"));
    }

    void filterCharactersStandForThemselves_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("hash is no digit") << "#" << QStringList{"Fix#2.scr"};
        QTest::newRow("bracket is no list") << "[old]" << QStringList{"[old] a.scr"};
        QTest::newRow("open bracket") << "[o" << QStringList{"[old] a.scr"};
        QTest::newRow("question mark is one character") << "fix?2" << QStringList{"Fix#2.scr", "Fix12.scr"};
        QTest::newRow("star") << "f*2" << QStringList{"Fix#2.scr", "Fix12.scr"};
    }
    void filterCharactersStandForThemselves()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, listed);
        test::Fixture fx;
        const test::TempProgramFolder &tmp = fx.programFolder();
        for (const char *n : {"Fix#2.scr", "Fix12.scr", "[old] a.scr", "o.scr"})
            tmp.writeFile(QStringLiteral("SCRIPTS/") + QLatin1String(n), "X\r\n");
        QCOMPARE(listScriptFiles(tmp.path() + QStringLiteral("SCRIPTS/"), scriptListPattern(filter)), listed);
    }

    void readErrors()
    {
        test::Fixture fx;
        const test::TempProgramFolder &tmp = fx.programFolder();
        const QString dir = tmp.path() + QStringLiteral("SCRIPTS/");
        QCOMPARE(readScriptFile(dir + QStringLiteral("gone.scr")).error, 53);
        QCOMPARE(readScriptFile(tmp.path() + QStringLiteral("NOFOLDER/a.scr")).error, 76);
        const QString p = tmp.writeFile(QStringLiteral("SCRIPTS/a.scr"), "ZOOM E\r\n");
        const ScriptFileResult r = readScriptFile(p);
        QVERIFY(r.ok());
        QCOMPARE(r.text, QStringLiteral("ZOOM E"));
    }

    void writeReplacesWholeAndRefusesReadOnly()
    {
        test::Fixture fx;
        const test::TempProgramFolder &tmp = fx.programFolder();
        const QString p = tmp.writeFile(QStringLiteral("SCRIPTS/a.scr"), "OLD\r\n");
        QVERIFY(writeScriptFile(p, QStringLiteral("NEW\nLINE")).ok());
        QCOMPARE(test::fileBytes(p), QByteArray("NEW\r\nLINE\r\n"));

        QVERIFY(setReadOnlyFile(p, true).ok());
        const ScriptFileResult r = writeScriptFile(p, QStringLiteral("OTHER"));
        QCOMPARE(r.error, 70);
        QCOMPARE(r.path, p);
        QVERIFY(!r.reason.isEmpty());
        QCOMPARE(test::fileBytes(p), QByteArray("NEW\r\nLINE\r\n"));
        QVERIFY(fileFailureMessage(QStringLiteral("Saving"), r).contains(p));

        QCOMPARE(writeScriptFile(tmp.path() + QStringLiteral("NOFOLDER/a.scr"), QStringLiteral("X")).error, 76);
    }

    void deleteRefusesReadOnlyAndOtherFiles()
    {
        test::Fixture fx;
        const test::TempProgramFolder &tmp = fx.programFolder();
        const QString ro = tmp.writeFile(QStringLiteral("SCRIPTS/ro.scr"), "X\r\n");
        const QString txt = tmp.writeFile(QStringLiteral("SCRIPTS/notes.txt"), "X\r\n");
        const QString rw = tmp.writeFile(QStringLiteral("SCRIPTS/rw.scr"), "X\r\n");
        setReadOnlyFile(ro, true);
        QCOMPARE(deleteScriptFile(ro).error, 70);
        QVERIFY(QFile::exists(ro));
        QVERIFY(!deleteScriptFile(txt).ok());
        QVERIFY(QFile::exists(txt));
        QVERIFY(deleteScriptFile(rw).ok());
        QVERIFY(!QFile::exists(rw));
        QCOMPARE(deleteScriptFile(rw).error, 53);
    }

    void copyBesideBatchScriptKeepsCase_data()
    {
        QTest::addColumn<QString>("batch");
        QTest::addColumn<QString>("copy");
        QTest::newRow("windows") << "C:\\Work\\Out\\tessaline.scr"
                                 << "C:\\Work\\Out\\tessaline-tester.scr";
        QTest::newRow("posix") << "/home/Ann/Out/tessaline.scr"
                               << "/home/Ann/Out/tessaline-tester.scr";
        QTest::newRow("no folder") << "tessaline.scr"
                                   << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void copyBesideBatchScriptKeepsCase()
    {
        QFETCH(QString, batch);
        QFETCH(QString, copy);
        QCOMPARE(batchScriptCopyPath(batch, QStringLiteral("tester")), copy);
    }

    void editorCommand_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QString file = QStringLiteral("C:\\My Work\\tessaline.scr");
        QTest::newRow("plain") << "notepad.exe"
                               << "notepad.exe" << QStringList{file};
        QTest::newRow("quoted with blanks") << "\"C:\\Program Files\\Ed\\ed.exe\" -n"
                                            << "C:\\Program Files\\Ed\\ed.exe" << QStringList{"-n", file};
        QTest::newRow("own arguments") << "gedit --new-window"
                                       << "gedit" << QStringList{"--new-window", file};
    }
    void editorCommand()
    {
        QFETCH(QString, editor);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const EditorCommand cmd = tess::editorCommand(editor, QStringLiteral("C:\\My Work\\tessaline.scr"));
        QCOMPARE(cmd.program, program);
        QCOMPARE(cmd.arguments, arguments);
    }

    void editorLaunches()
    {
        test::Fixture fx;
        const test::TempProgramFolder &tmp = fx.programFolder();
        test::ScriptedPrompter &prompts = fx.prompter();
        test::RecordingLauncher &launches = fx.launcher();
        int optionsShown = 0;
        setOptionsOpener([&] { ++optionsShown; });
        const QString batch = tmp.writeFile(QStringLiteral("Out Folder/tessaline.scr"), "X\r\n");
        mainSettings().SCROutputPath = batch;

        // The file is one argument, however many blanks its path holds.
        mainSettings().TextEditor = QStringLiteral("notepad.exe");
        OpenBatchScriptInEditor();
        QCOMPARE(launches.calls.size(), 1);
        QCOMPARE(launches.calls[0].program, QStringLiteral("notepad.exe"));
        QCOMPARE(launches.calls[0].arguments, QStringList{batch});
        QVERIFY(prompts.shown().isEmpty());

        // No batch script yet: said so, nothing started.
        mainSettings().SCROutputPath = tmp.path() + QStringLiteral("Out Folder/none.scr");
        prompts.expectMessage();
        OpenBatchScriptInEditor();
        QCOMPARE(launches.calls.size(), 1);
        QVERIFY(prompts.last().text.contains(mainSettings().SCROutputPath));

        // A missing editor program.
        launches.nextResult = LaunchResult{false, true, QStringLiteral("File not found")};
        prompts.expectMessage();
        OpenFileInEditor(batch);
        QCOMPARE(
            prompts.last().text,
            QStringLiteral(
                "Sorry the TEXT EDITOR specified does not exist.\rPlease select menu 'Tools -> Options' and edit it."));
        QCOMPARE(prompts.last().title, QStringLiteral("Tessaline"));

        // No editor set: the message, then the Options window; nothing started.
        mainSettings().TextEditor.clear();
        prompts.expectMessage();
        OpenFileInEditor(batch);
        QCOMPARE(prompts.last().text, QStringLiteral("Please select menu 'Tools -> Options' and setup a text editor"));
        QCOMPARE(optionsShown, 1);
        QCOMPARE(launches.calls.size(), 2);
        QVERIFY(prompts.allUsed());
        setOptionsOpener(nullptr);
        mainSettings().SCROutputPath.clear();
    }
};

QTEST_GUILESS_MAIN(TestScriptLibrary)
#include "tst_scriptlibrary.moc"
