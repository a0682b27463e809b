// Starting programs from command lines, opening targets, copying folder trees, topmost windows.

#include "core/processhelpers.h"
#include "scripts/texteditor.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString oopsText(const QString &commandLine)
{
    return QStringLiteral(" ") + commandLine.toUpper() + QStringLiteral(" string is incorrect...\r") +
           QStringLiteral(" Please check your settings (under the 'Tools -> Options' menu) or contact ") +
           supportEmailAddress() + QStringLiteral(".");
}

} // namespace

class TestProcessHelpers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commandLineSplit_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("workingFolder");
        QTest::addColumn<QString>("rewritten");

        QTest::newRow("quoted exe, /b, quoted script")
            << "\"C:\\Program Files\\App\\acad.exe\" /b \"C:\\My Scripts\\tessaline.scr\""
            << "C:\\Program Files\\App\\acad.exe" << QStringList{"/b", "C:\\My Scripts\\tessaline.scr"}
            << "C:\\Program Files\\App"
            << "C:\\Program Files\\App\\acad.exe /b \"C:\\My Scripts\\tessaline.scr\"";
        QTest::newRow("explorer") << "explorer.exe /n,/e, C:\\Data"
                                  << "explorer.exe" << QStringList{"/n,/e,", "C:\\Data"} << ""
                                  << "explorer.exe /n,/e, C:\\Data";
        QTest::newRow("drive root") << "C:\\app.exe"
                                    << "C:\\app.exe" << QStringList{} << "C:\\"
                                    << "C:\\app.exe";
        QTest::newRow("root") << "\\app.exe x"
                              << "\\app.exe" << QStringList{"x"} << "\\"
                              << "\\app.exe x";
        QTest::newRow("posix root") << "/app x"
                                    << "/app" << QStringList{"x"} << "/"
                                    << "/app x";
        QTest::newRow("unclosed quote") << "\"C:\\a b\\app.exe x"
                                        << "\"C:\\a b\\app.exe x" << QStringList{} << "\"C:\\a b"
                                        << "\"C:\\a b\\app.exe x";
        QTest::newRow("argument glued to the quote") << "\"C:\\a b\\app.exe\"/x"
                                                     << "C:\\a b\\app.exe" << QStringList{"/x"} << "C:\\a b"
                                                     << "C:\\a b\\app.exe/x";
        QTest::newRow("program ends at the next quote") << "\"C:\\app.exe\"/b \"D:\\x.scr\""
                                                        << "C:\\app.exe" << QStringList{"/b", "D:\\x.scr"} << "C:\\"
                                                        << "C:\\app.exe/b \"D:\\x.scr\"";
        QTest::newRow("several blanks") << "gedit    a   b "
                                        << "gedit" << QStringList{"a", "b"} << ""
                                        << "gedit    a   b ";
        QTest::newRow("quote inside a quoted path")
            << "/usr/bin/gedit \"/tmp/it\"s here.txt\""
            << "/usr/bin/gedit" << QStringList{"/tmp/it\"s here.txt"} << "/usr/bin"
            << "/usr/bin/gedit \"/tmp/it\"s here.txt\"";
        QTest::newRow("quote inside an unquoted path") << "/usr/bin/gedit /tmp/a\"b.txt"
                                                       << "/usr/bin/gedit" << QStringList{"/tmp/a\"b.txt"} << "/usr/bin"
                                                       << "/usr/bin/gedit /tmp/a\"b.txt";
        QTest::newRow("line breaks in paths")
            << "\"/opt/my\napp/run\" \"/tmp/two\nlines.scr\" /tmp/x\r\ny"
            << "/opt/my\napp/run" << QStringList{"/tmp/two\nlines.scr", "/tmp/x\r\ny"} << "/opt/my\napp"
            << "/opt/my\napp/run \"/tmp/two\nlines.scr\" /tmp/x\r\ny";
        QTest::newRow("unclosed quoted argument") << "app \"/tmp/a b"
                                                  << "app" << QStringList{"/tmp/a b"} << ""
                                                  << "app \"/tmp/a b";
        QTest::newRow("empty quoted argument") << "app \"\" x"
                                               << "app" << QStringList{"", "x"} << ""
                                               << "app \"\" x";
        QTest::newRow("empty") << ""
                               << "" << QStringList{} << ""
                               << "";
    }
    void commandLineSplit()
    {
        QFETCH(QString, commandLine);
        const CommandLineParts p = splitCommandLine(commandLine);
        QTEST(p.program, "program");
        QTEST(p.arguments, "arguments");
        QTEST(p.workingFolder, "workingFolder");
        QTEST(p.rewritten, "rewritten");
    }

    // An unquoted program path with blanks, as the Options pickers store it: the whole text or
    // the longest part before a blank that names an existing file is the program. "%T" stands for
    // a temporary folder holding "Some Editor/editor.exe", "Some Editor/editor.exe more/x" and
    // "Tools/run".
    void commandLineWithBlanksInProgram_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("workingFolder");

        QTest::newRow("whole text") << "%T/Some Editor/editor.exe"
                                    << "%T/Some Editor/editor.exe" << QStringList{} << "%T/Some Editor";
        QTest::newRow("trailing blanks") << "%T/Some Editor/editor.exe  "
                                         << "%T/Some Editor/editor.exe" << QStringList{} << "%T/Some Editor";
        QTest::newRow("with arguments") << "%T/Some Editor/editor.exe /b %T/x.scr"
                                        << "%T/Some Editor/editor.exe" << QStringList{"/b", "%T/x.scr"}
                                        << "%T/Some Editor";
        QTest::newRow("longest existing prefix")
            << "%T/Some Editor/editor.exe more/x -n"
            << "%T/Some Editor/editor.exe more/x" << QStringList{"-n"} << "%T/Some Editor/editor.exe more";
        QTest::newRow("tab before the arguments")
            << "%T/Some Editor/editor.exe\t-n"
            << "%T/Some Editor/editor.exe" << QStringList{"-n"} << "%T/Some Editor";
        QTest::newRow("no blank in the program") << "%T/Tools/run a b"
                                                 << "%T/Tools/run" << QStringList{"a", "b"} << "%T/Tools";
        QTest::newRow("a folder is no program") << "%T/Some Editor x"
                                                << "%T/Some" << QStringList{"Editor", "x"} << "%T";
        QTest::newRow("missing program: first blank") << "%T/Other Editor/editor.exe x"
                                                      << "%T/Other" << QStringList{"Editor/editor.exe", "x"} << "%T";
        QTest::newRow("quoted stays quoted") << "\"%T/Some Editor/editor.exe\" x"
                                             << "%T/Some Editor/editor.exe" << QStringList{"x"} << "%T/Some Editor";
    }
    void commandLineWithBlanksInProgram()
    {
        QTemporaryDir tmp;
        writeFile(tmp.path() + "/Some Editor/editor.exe", "x");
        writeFile(tmp.path() + "/Some Editor/editor.exe more/x", "x");
        writeFile(tmp.path() + "/Tools/run", "x");
        const auto at = [&tmp](QString s) { return s.replace(QStringLiteral("%T"), tmp.path()); };
        QFETCH(QString, commandLine);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, workingFolder);
        const CommandLineParts p = splitCommandLine(at(commandLine));
        QCOMPARE(p.program, at(program));
        QStringList expected;
        for (const QString &a : arguments)
            expected << at(a);
        QCOMPARE(p.arguments, expected);
        QCOMPARE(p.workingFolder, at(workingFolder));
    }

    // The text editor and RunCommandLine start such a program with the rest as its arguments.
    void programWithBlanksIsStarted()
    {
        test::ScriptedPrompter prompter;
        test::RecordingLauncher rec;
        QTemporaryDir tmp;
        const QString editor = tmp.path() + "/Some Editor/editor.exe";
        writeFile(editor, "x");
        const QString script = tmp.path() + "/My Scripts/tessaline.scr";
        writeFile(script, "x");

        QVERIFY(RunCommandLine(editor + " " + script, 1).ok);
        const EditorCommand cmd = editorCommand(editor, script);
        QCOMPARE(rec.calls.size(), 1);
        QCOMPARE(rec.calls[0].program, editor);
        QCOMPARE(rec.calls[0].arguments, QStringList{script});
        QCOMPARE(rec.calls[0].workingFolder, tmp.path() + "/Some Editor");
        QCOMPARE(cmd.program, editor);
        QCOMPARE(cmd.arguments, QStringList{script});
        QCOMPARE(cmd.workingFolder, tmp.path() + "/Some Editor");
        QVERIFY(prompter.shown().isEmpty());
    }

    void runPassesProgramAndArgumentsApart()
    {
        test::ScriptedPrompter prompter;
        test::RecordingLauncher rec;
        const QString line = "\"C:\\Program Files\\App\\acad.exe\" /b \"C:\\My Scripts\\tessaline.scr\"";
        QString callers = line;
        QVERIFY(RunCommandLine(callers, 1).ok);
        QCOMPARE(callers, line); // the caller's text is not rewritten

        // A given working folder is used unchanged; none and no folder in the program: the current one.
        QVERIFY(RunCommandLine(QStringLiteral("gedit notes.txt"), 1, QStringLiteral("/srv/work")).ok);
        QVERIFY(RunCommandLine(QStringLiteral("gedit"), 1).ok);

        QCOMPARE(rec.calls.size(), 3);
        QCOMPARE(rec.calls[0].program, QStringLiteral("C:\\Program Files\\App\\acad.exe"));
        QCOMPARE(rec.calls[0].arguments, (QStringList{"/b", "C:\\My Scripts\\tessaline.scr"}));
        QCOMPARE(rec.calls[0].workingFolder, QStringLiteral("C:\\Program Files\\App"));
        QVERIFY(!rec.calls[0].isOpen);
        QCOMPARE(rec.calls[1].workingFolder, QStringLiteral("/srv/work"));
        QCOMPARE(rec.calls[1].arguments, QStringList{"notes.txt"});
        QCOMPARE(rec.calls[2].workingFolder, QDir::toNativeSeparators(QDir::currentPath()));
        QCOMPARE(rec.calls[2].arguments, QStringList{});
        QVERIFY(prompter.shown().isEmpty());
    }

    void runPassesAnExistingPathWithBlanksWhole()
    {
        test::ScriptedPrompter prompter;
        test::RecordingLauncher rec;
        QTemporaryDir tmp;
        const QString file = tmp.path() + "/My Scripts/batch run.scr";
        writeFile(file, "x");
        const QString missing = tmp.path() + "/My Scripts/gone.scr";
        QVERIFY(RunCommandLine("viewer " + file + " ", 1).ok);
        QVERIFY(RunCommandLine("viewer " + missing, 1).ok);
        QVERIFY(RunCommandLine("viewer \"" + file + "\" -x", 1).ok);
        QCOMPARE(rec.calls.size(), 3);
        QCOMPARE(rec.calls[0].arguments, QStringList{file});
        QCOMPARE(rec.calls[1].arguments, (QStringList{tmp.path() + "/My", "Scripts/gone.scr"}));
        QCOMPARE(rec.calls[2].arguments, (QStringList{file, "-x"}));
    }

    void runReportsEveryFailure()
    {
        test::ScriptedPrompter prompter;
        {
            test::RecordingLauncher rec;
            rec.nextResult = {false, true, QStringLiteral("File not found")};
            prompter.expectMessage();
            const QString line = "\"C:\\Program Files\\Nope\\acad.exe\" /b \"C:\\x.scr\"";
            QVERIFY(!RunCommandLine(line, 1).ok);
            QCOMPARE(prompter.last().title, QStringLiteral("Oops"));
            QCOMPARE(prompter.last().style, int(vbOKOnly));
            QCOMPARE(prompter.last().text, oopsText("C:\\Program Files\\Nope\\acad.exe /b \"C:\\x.scr\""));

            rec.nextResult = {false, false, QStringLiteral("Permission denied")};
            prompter.expectMessage();
            QVERIFY(!RunCommandLine(QStringLiteral("/opt/app/run x"), 1).ok);
            QCOMPARE(prompter.last().title, appTitle());
            QVERIFY2(prompter.last().text.contains(QStringLiteral("/opt/app/run x")), qPrintable(prompter.last().text));
            QVERIFY2(prompter.last().text.contains(QStringLiteral("Permission denied")),
                     qPrintable(prompter.last().text));
        }
        // The real launcher: a program that does not exist, with or without a folder.
        for (const QString &line : {QStringLiteral("/nonexistent/tessaline-nope.exe /b x.scr"),
                                    QStringLiteral("tessaline-no-such-program-on-path x")}) {
            prompter.expectMessage();
            const LaunchResult r = RunCommandLine(line, 1);
            QVERIFY(!r.ok);
            QVERIFY(r.notFound);
            QCOMPARE(prompter.last().text, oopsText(line));
        }
        QVERIFY(prompter.allUsed());
    }

#ifndef Q_OS_WIN
    void runStartsARealProgramFoundOnPath()
    {
        test::ScriptedPrompter prompter;
        QVERIFY(RunCommandLine(QStringLiteral("true \"an argument\""), 1).ok);
        QVERIFY(prompter.shown().isEmpty());
    }
#endif

    void explorerFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("isExplorer");
        QTest::addColumn<QString>("folder");
        QTest::newRow("folder") << "explorer.exe"
                                << "/n,/e, C:\\Data" << true << "C:\\Data";
        QTest::newRow("select") << "EXPLORER.EXE"
                                << "/n,/e,/select, C:\\Data\\x.dwg" << true << "C:\\Data";
        QTest::newRow("select at root") << "explorer.exe"
                                        << "/n,/e,/select, /a.dwg" << true << "/";
        QTest::newRow("blanks in folder") << "explorer.exe"
                                          << "/n,/e, /home/u/My Folder " << true << "/home/u/My Folder";
        QTest::newRow("quoted, full path") << "C:\\Windows\\explorer.exe"
                                           << "/e,\"C:\\x y\"" << true << "C:\\x y";
        QTest::newRow("quote in folder") << "explorer.exe"
                                         << "/n,/e, /tmp/a\"b" << true << "/tmp/a\"b";
        QTest::newRow("no target") << "explorer.exe"
                                   << "/n,/e," << true << QDir::toNativeSeparators(QDir::currentPath());
        QTest::newRow("other program") << "notepad.exe"
                                       << "/n,/e, C:\\Data" << false << "";
        QTest::newRow("explorer in a name") << "myexplorer.exe"
                                            << "x" << false << "";
    }
    void explorerFolder()
    {
        QFETCH(QString, program);
        QFETCH(QString, arguments);
        QFETCH(bool, isExplorer);
        const std::optional<QString> f = explorerFolderOf(program, arguments);
        QCOMPARE(f.has_value(), isExplorer);
        if (f)
            QTEST(*f, "folder");
    }

    void explorerCommandLineShowsTheFolder()
    {
        test::ScriptedPrompter prompter;
        test::RecordingLauncher rec;
        QVERIFY(RunCommandLine(QStringLiteral("explorer.exe /n,/e,/select, /tmp/My Folder/a.dwg"), 1).ok);
        QCOMPARE(rec.calls.size(), 1);
        if (showExplorerFoldersWithFileManager()) {
            QVERIFY(rec.calls[0].isOpen);
            QCOMPARE(rec.calls[0].program, QStringLiteral("/tmp/My Folder"));
        } else {
            QVERIFY(!rec.calls[0].isOpen);
            QCOMPARE(rec.calls[0].program, QStringLiteral("explorer.exe"));
        }
    }

    void openWithAssociatedProgram()
    {
        test::ScriptedPrompter prompter;
        test::RecordingLauncher rec;
        QVERIFY(OpenWithAssociatedProgram(QStringLiteral("https://example.com/a b")).ok);
        QCOMPARE(rec.calls.size(), 1);
        QVERIFY(rec.calls[0].isOpen);
        QCOMPARE(rec.calls[0].program, QStringLiteral("https://example.com/a b"));
        QVERIFY(prompter.shown().isEmpty());

        rec.nextResult = {false, false, QStringLiteral("No browser")};
        prompter.expectMessage();
        QVERIFY(!OpenWithAssociatedProgram(QStringLiteral("mailto:x@y.z")).ok);
        QVERIFY(prompter.last().text.contains(QStringLiteral("mailto:x@y.z")));
        QVERIFY(prompter.last().text.contains(QStringLiteral("No browser")));
        QVERIFY(prompter.allUsed());
    }

    void shellCopyCopiesTheWholeTree()
    {
        QTemporaryDir tmp;
        const QString src = tmp.path() + "/SCRIPTS";
        writeFile(src + "/a.scr", "ZOOM\r\nE\r\n");
        writeFile(src + "/.hidden", "h");
        writeFile(src + "/sub/deeper/b c.scr", "deep");
        QDir(src).mkpath("empty");
#ifndef Q_OS_WIN
        writeFile(src + "/odd\"name\nwith break.scr", "odd");
        // A link back up the tree: copied as a link, never followed.
        QVERIFY(QFile::link(src, src + "/sub/loop"));
#endif
        const QString dst = tmp.path() + "/BACKUP/2024-01-02-03-04-05/SCRIPTS/";
        const CopyResult r = ShellCopy(src + "/", dst);
        QVERIFY2(r.ok, qPrintable(r.failedPath + ": " + r.reason));
        QCOMPARE(test::fileBytes(dst + "a.scr"), QByteArray("ZOOM\r\nE\r\n"));
        QCOMPARE(test::fileBytes(dst + ".hidden"), QByteArray("h"));
        QCOMPARE(test::fileBytes(dst + "sub/deeper/b c.scr"), QByteArray("deep"));
        QVERIFY(QFileInfo(dst + "empty").isDir());
#ifndef Q_OS_WIN
        QCOMPARE(test::fileBytes(dst + "odd\"name\nwith break.scr"), QByteArray("odd"));
        QVERIFY(QFileInfo(dst + "sub/loop").isSymLink());
        QCOMPARE(QFileInfo(dst + "sub/loop").symLinkTarget(), QFileInfo(src).canonicalFilePath());
#endif
        // A single file goes into an existing folder.
        QVERIFY(ShellCopy(src + "/a.scr", tmp.path() + "/BACKUP").ok);
        QCOMPARE(test::fileBytes(tmp.path() + "/BACKUP/a.scr"), QByteArray("ZOOM\r\nE\r\n"));
    }

    void shellCopyNamesWhatFailed()
    {
        QTemporaryDir tmp;
        const QString src = tmp.path() + "/SCRIPTS";
        writeFile(src + "/a.scr", "new a");
        writeFile(src + "/b.scr", "new b");

        // The destination is a file.
        writeFile(tmp.path() + "/file", "x");
        CopyResult r = ShellCopy(src, tmp.path() + "/file");
        QVERIFY(!r.ok);
        QCOMPARE(r.failedPath, QDir::toNativeSeparators(tmp.path() + "/file"));
        QVERIFY(!r.reason.isEmpty());
        QCOMPARE(test::fileBytes(tmp.path() + "/file"), QByteArray("x"));

        // A file already at the destination is neither overwritten nor passed over.
        writeFile(tmp.path() + "/dst/b.scr", "old b");
        r = ShellCopy(src, tmp.path() + "/dst");
        QVERIFY(!r.ok);
        QCOMPARE(r.failedPath, QDir::toNativeSeparators(tmp.path() + "/dst/b.scr"));
        QCOMPARE(test::fileBytes(tmp.path() + "/dst/b.scr"), QByteArray("old b"));

        // Missing source; destination inside the source.
        r = ShellCopy(tmp.path() + "/nothing", tmp.path() + "/dst2");
        QVERIFY(!r.ok);
        QCOMPARE(r.failedPath, tmp.path() + "/nothing");
        QVERIFY(!QFileInfo::exists(tmp.path() + "/dst2"));
        r = ShellCopy(src, src + "/BACKUP/x");
        QVERIFY(!r.ok);
        QVERIFY(!QFileInfo::exists(src + "/BACKUP"));
    }
};

QTEST_GUILESS_MAIN(TestProcessHelpers)
#include "tst_processhelpers.moc"
