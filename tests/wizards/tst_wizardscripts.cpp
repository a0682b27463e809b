// The texts the wizards give the user script, byte for byte, and the reset of AutoCAD's system
// variables without its window: which program it starts, with which arguments, and what it says
// when it cannot.

#include "core/autocadprogram.h"
#include "core/listutils.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/processhelpers.h"
#include "testsupport.h"
#include "wizards/resetsysvars.h"
#include "wizards/wizardblocks.h"
#include "wizards/wizardscript.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>

using namespace tess;

namespace {

using Writer = std::function<QStringList(const QString &script)>;

// In capitals, so the blocks read the same whether file names ignore case or not.
const QString kFolder = QStringLiteral("C:\\PROGRAM FILES\\TESSALINE");
const QString kSep = QStringLiteral(";-------------");

QString load(const char *file)
{
    return QStringLiteral("(LOAD \"C:/PROGRAM FILES/TESSALINE/LISP/") + QLatin1String(file) + QStringLiteral("\")\r\n");
}

// Lines joined by CR LF, the last one without.
QString lines(const QStringList &l) { return l.join(QStringLiteral("\r\n")); }

const QString kVbaBlock = lines(
    {QStringLiteral("-VBALOAD \"$TSL_PATH$LISP/Mtext.dvb\""), QStringLiteral("-VBARUN MTEXT.SearchAndReplace"),
     QStringLiteral("ABC"), QStringLiteral("XYZ"), QStringLiteral("VBAUNLOAD \"$TSL_PATH$LISP/Mtext.dvb\""), kSep});

// The script as another wizard's block leaves it.
const QString kPreviousBlock =
    lines({QStringLiteral("-PURGE"), QStringLiteral("A"), QStringLiteral("*"), QStringLiteral("N"), kSep});

RepTextFields repText(bool regular, bool dims, bool blocks, bool mtext)
{
    RepTextFields f;
    f.searchFor = QStringLiteral("ABC");
    f.replaceWith = QStringLiteral("XYZ");
    f.regularText = regular;
    f.dimensions = dims;
    f.blocks = blocks;
    f.mtext = mtext;
    return f;
}

// A temporary folder holding the given files (and a folder named "acad.exe" when asked).
struct ProgramDir {
    QTemporaryDir dir;
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    void touch(const QString &name) const
    {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    // A file that may be run.
    void program(const QString &name) const
    {
        touch(name);
        QVERIFY(test::makeProgram(dir.filePath(name)));
    }
};

} // namespace

class TestWizardScripts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every writer on an empty script, after another wizard's block, and after Overwrite answered
    // Yes: the final text byte for byte, and one assignment per line written.
    void blocks_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<QString>("block");   // the text on an empty script
        QTest::addColumn<int>("assignments"); // on an empty script
        // 1 when ending the old last line is an assignment of its own, 0 when the first line's
        // assignment (the load line, the opening separator) ends it.
        QTest::addColumn<int>("leadIn");

        struct Row {
            const char *name;
            Writer writer;
            QString block;
            int assignments;
        };
        // The wizards whose first assignment ends the old last line together with their first line.
        auto joined = [](const QString &block) {
            return block.startsWith(QLatin1String("(LOAD")) || block.startsWith(QLatin1String(";---"));
        };
        const Row rows[] = {
            {"purge all", [](const QString &s) { return WritePurgeScript(s, PurgeType::All); },
             lines({"-PURGE", "A", "*", "N", kSep}), 5},
            {"purge layers", [](const QString &s) { return WritePurgeScript(s, PurgeType::Layers); },
             lines({"-PURGE", "LA", "*", "N", kSep}), 5},
            {"purge line types", [](const QString &s) { return WritePurgeScript(s, PurgeType::LineTypes); },
             lines({"-PURGE", "LT", "*", "N", kSep}), 5},
            {"purge shapes", [](const QString &s) { return WritePurgeScript(s, PurgeType::Shapes); },
             lines({"-PURGE", "SH", "*", "N", kSep}), 5},
            {"purge text styles", [](const QString &s) { return WritePurgeScript(s, PurgeType::TextStyles); },
             lines({"-PURGE", "ST", "*", "N", kSep}), 5},
            {"reptext regular text",
             [](const QString &s) { return WriteRepTextScript(s, repText(true, false, false, false), kFolder); },
             load("REPTEXT.LSP") + lines({kSep, "REPTEXT", "ABC", "XYZ", "Y", "N", "N", "ALL", "", kSep}), 11},
            {"reptext with blocks",
             [](const QString &s) { return WriteRepTextScript(s, repText(true, true, true, false), kFolder); },
             load("REPTEXT.LSP") + lines({kSep, "REPTEXT", "ABC", "XYZ", "Y", "Y", "Y", "Y", "ALL", "", kSep}), 12},
            {"reptext with mtext",
             [](const QString &s) { return WriteRepTextScript(s, repText(true, false, false, true), kFolder); },
             load("REPTEXT.LSP") + lines({kSep, "REPTEXT", "ABC", "XYZ", "Y", "N", "N", "ALL", "", kSep}) +
                 QStringLiteral("\r\n") + kVbaBlock,
             18},
            {"reptext mtext only",
             [](const QString &s) { return WriteRepTextScript(s, repText(false, false, false, true), kFolder); },
             load("REPTEXT.LSP") + lines({kSep, "REPTEXT", "ABC", "XYZ", "N", "N", "N", "ALL", "", kSep}) +
                 QStringLiteral("\r\n") + kVbaBlock,
             18},
            {"mtext",
             [](const QString &s) { return WriteMtextScript(s, QStringLiteral("ABC"), QStringLiteral("XYZ")); },
             kVbaBlock, 6},
            {"mtext empty texts", [](const QString &s) { return WriteMtextScript(s, QString(), QString()); },
             lines({"-VBALOAD \"$TSL_PATH$LISP/Mtext.dvb\"", "-VBARUN MTEXT.SearchAndReplace", "", "",
                    "VBAUNLOAD \"$TSL_PATH$LISP/Mtext.dvb\"", kSep}),
             6},
            {"log text initial values",
             [](const QString &s) {
                 return WriteLogTextScript(s, QStringLiteral("*SEARCH TEXT*"),
                                           QStringLiteral("$TSL_PATH$DATA/$USER$-TextLog.lst"), kFolder);
             },
             load("LOG_TEXT.LSP") +
                 lines({kSep, "LOG_TEXT", "*SEARCH TEXT*", "ALL", "", "$TSL_PATH$DATA/$USER$-TextLog.lst", kSep}),
             8},
            {"limits initial value",
             [](const QString &s) { return WriteLimitsScript(s, QStringLiteral("C:\\LIMITS_OUT.CSV"), kFolder); },
             load("LIMITS_OUT.LSP") + lines({kSep, "LIMITS_OUT", "C:\\LIMITS_OUT.CSV", kSep}), 5},
            {"page setup",
             [](const QString &s) {
                 return WritePageSetupScript(s, QStringLiteral("C:\\Sheets\\Master.dwg"), QStringLiteral("<default>"));
             },
             lines({kSep, "_EXPERT 2", "_-PSETUPIN", "\"C:\\Sheets\\Master.dwg\"", "\"<default>\"", "_EXPERT 0", kSep}),
             7},
            {"page setup without source",
             [](const QString &s) { return WritePageSetupScript(s, QString(), QStringLiteral("A3")); },
             lines({kSep, "_EXPERT 2", "_-PSETUPIN", "\"\"", "\"A3\"", "_EXPERT 0", kSep}), 7},
            {"pasted line breaks dropped",
             [](const QString &s) {
                 return WriteMtextScript(s, QStringLiteral("AB\r\nC"), QStringLiteral("X\nY\rZ\u2028"));
             },
             lines({"-VBALOAD \"$TSL_PATH$LISP/Mtext.dvb\"", "-VBARUN MTEXT.SearchAndReplace", "ABC", "XYZ",
                    "VBAUNLOAD \"$TSL_PATH$LISP/Mtext.dvb\"", kSep}),
             6},
        };
        for (const Row &r : rows)
            QTest::newRow(r.name) << r.writer << r.block << r.assignments << (joined(r.block) ? 0 : 1);
    }
    void blocks()
    {
        QFETCH(Writer, writer);
        QFETCH(QString, block);
        QFETCH(int, assignments);
        QFETCH(int, leadIn);

        // An empty script: the block starts on the first line.
        QStringList texts = createAssignments(QString(), false, writer);
        QCOMPARE(texts.last(), block);
        QCOMPARE(texts.size(), assignments);
        QVERIFY(!texts.last().endsWith(QLatin1String("\r\n")));

        // After another wizard's block: a new line after its separator, which keeps its text. Each
        // assignment only adds to the one before.
        texts = createAssignments(kPreviousBlock, false, writer);
        QCOMPARE(texts.last(), kPreviousBlock + QStringLiteral("\r\n") + block);
        QCOMPARE(texts.size(), assignments + leadIn);
        QString before = kPreviousBlock;
        for (const QString &t : texts) {
            QVERIFY2(t.startsWith(before) && t.size() > before.size(), qPrintable(t));
            before = t;
        }

        // Overwrite answered Yes: the emptied script first, then the block alone.
        texts = createAssignments(kPreviousBlock, true, writer);
        QCOMPARE(texts.first(), QString());
        QCOMPARE(texts.last(), block);
        QCOMPARE(texts.size(), assignments + 1);
    }

    void plotReplacesTheScript()
    {
        const QStringList texts = writePlotScript();
        QCOMPARE(texts.last(), lines({kSep, "-PLOT", "*", "N", kSep}));
        QCOMPARE(texts.size(), 5);
    }

    // Upper-cased where file names ignore case; elsewhere the folder keeps its letters, or AutoCAD
    // would look for a file that is not there.
    void loadLine_data()
    {
        QTest::addColumn<Qt::CaseSensitivity>("paths");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("line");
        QTest::newRow("lower case, blanks, backslashes")
            << Qt::CaseInsensitive << "c:\\Program Files\\tess ware"
            << "(LOAD \"C:/PROGRAM FILES/TESS WARE/LISP/LOG_TEXT.LSP\")\r\n";
        QTest::newRow("unc") << Qt::CaseInsensitive << "\\\\server\\share\\tess"
                             << "(LOAD \"//SERVER/SHARE/TESS/LISP/LOG_TEXT.LSP\")\r\n";
        QTest::newRow("posix, case ignored") << Qt::CaseInsensitive << "/opt/tess"
                                             << "(LOAD \"/OPT/TESS/LISP/LOG_TEXT.LSP\")\r\n";
        QTest::newRow("posix, case kept") << Qt::CaseSensitive << "/home/Ann/Tess"
                                          << "(LOAD \"/home/Ann/Tess/LISP/LOG_TEXT.LSP\")\r\n";
        QTest::newRow("backslashes, case kept") << Qt::CaseSensitive << "c:\\Tess"
                                                << "(LOAD \"c:/Tess/LISP/LOG_TEXT.LSP\")\r\n";
    }
    void loadLine()
    {
        QFETCH(Qt::CaseSensitivity, paths);
        QFETCH(QString, folder);
        QTEST(LispLoadLine(folder, QStringLiteral("LOG_TEXT.LSP"), paths), "line");
    }

    void overwriteQuestionAndDoneBox()
    {
        test::ScriptedPrompter p;
        p.expectMessage(vbYes);
        p.expectMessage(vbNo);
        p.expectMessage(vbOK);
        QVERIFY(ConfirmOverwrite());
        QVERIFY(!ConfirmOverwrite());
        const test::ShownMessage asked = p.shown().first();
        QCOMPARE(asked.text, QStringLiteral("Continuing will overwrite any currently displayed script\r\nin the "
                                            "Tessaline user-script editor....\r\n\r\nContinue?\r\n"));
        QCOMPARE(asked.style, int(vbYesNo | vbExclamation | vbDefaultButton1));
        QCOMPARE(asked.title, QStringLiteral("Warning"));
        ShowWizardDone();
        QCOMPARE(p.last().text, QStringLiteral("The Wizard has created the user-script.\r\n\r\nYou can now use this "
                                               "script to create a BATCH script.\r\n1)  Add your drawings to the "
                                               "queue and press CREATE."));
        QCOMPARE(p.last().style, int(vbOKOnly | vbExclamation));
        QCOMPARE(p.last().title, QStringLiteral("Done"));
        QVERIFY(p.allUsed());
    }

    // ---- The reset of AutoCAD's system variables ----

    // The program looked for. Where programs end in ".EXE": the configured folder, the configured
    // name less its last four characters and ".EXE", letters compared ignoring case on every file
    // system. Elsewhere: the configured file itself when it is a program.
    void resetProgramLookup_data()
    {
        QTest::addColumn<ProgramNaming>("naming");
        QTest::addColumn<QString>("configured"); // relative to the folder; "" for an empty setting
        QTest::addColumn<QString>("started");    // relative to the folder; "-" for none
        const auto exe = [](const char *name, const char *configured, const char *started) {
            QTest::newRow(name) << ProgramNaming::ExeBesideIt << configured << started;
        };
        exe("as configured", "acad.exe", "acad.exe");
        exe("other case", "ACAD.EXE", "acad.exe");
        exe("other extension", "acad.exx", "acad.exe");
        exe("no extension is cut all the same", "acad", "-");
        exe("missing program", "accoreconsole.exe", "-");
        exe("folder of that name", "tools/acad.exe", "-");
        exe("empty", "", "-");
        const auto asConfigured = [](const char *name, const char *configured, const char *started) {
            QTest::newRow(name) << ProgramNaming::AsConfigured << configured << started;
        };
        asConfigured("as configured: .exe", "acad.exe", "acad.exe");
#ifndef Q_OS_WIN
        asConfigured("as configured: a program without .exe", "bin/acad", "bin/acad");
#endif
        asConfigured("as configured: not a program", "acad.txt", "-");
        asConfigured("as configured: no lookup beside it", "acad.bin", "-");
        // The file system decides whether a name in other letters is the same file.
        asConfigured("as configured: other case", "ACAD.EXE",
                     pathCaseSensitivity() == Qt::CaseSensitive ? "-" : "ACAD.EXE");
        asConfigured("as configured: folder of that name", "tools/acad.exe", "-");
        asConfigured("as configured: empty", "", "-");
    }
    void resetProgramLookup()
    {
        QFETCH(ProgramNaming, naming);
        QFETCH(QString, configured);
        QFETCH(QString, started);
        ProgramDir d;
        d.program(QStringLiteral("acad.exe"));
        d.touch(QStringLiteral("acad.txt"));
        QVERIFY(QDir(d.dir.path()).mkpath(QStringLiteral("tools/ACAD.EXE")));
#ifndef Q_OS_WIN
        QVERIFY(QDir(d.dir.path()).mkpath(QStringLiteral("bin")));
        d.touch(QStringLiteral("bin/acad"));
        QVERIFY(QFile::setPermissions(d.path(QStringLiteral("bin/acad")), QFile::ReadOwner | QFile::ExeOwner));
#endif
        const QString setting = configured.isEmpty() ? QString() : d.path(configured);
        const std::optional<QString> program = autoCadProgramToStart(setting, naming);
        QCOMPARE(program.value_or(QStringLiteral("-")), started == QLatin1String("-") ? started : d.path(started));
        // A name without a folder is never looked up in the current folder.
        QVERIFY(!autoCadProgramToStart(QStringLiteral("acad.exe"), naming));
        // The reset starts what Create && RUN starts.
        if (naming == platformProgramNaming())
            QCOMPARE(resetProgramToStart(setting).value_or(QStringLiteral("-")), program.value_or(QStringLiteral("-")));
    }

    void resetStartsAutoCadOnTheScript()
    {
        test::Fixture fx;
        ProgramDir d;
        d.program(QStringLiteral("acad.exe"));
        const QString script = fx.writeFile(QStringLiteral("DATA/reset.scr"), "_.QUIT\r\n_Y\r\n");
        QCOMPARE(resetScriptPath(), QDir::toNativeSeparators(script));

        QCOMPARE(startResetScript(d.path(QStringLiteral("acad.exe"))), ResetOutcome::Started);
        QCOMPARE(fx.launcher().calls.size(), 1);
        const test::LaunchCall call = fx.launcher().calls.first();
        QCOMPARE(call.program, d.path(QStringLiteral("acad.exe")));
        QCOMPARE(call.arguments, QStringList({QStringLiteral("/b"), resetScriptPath()}));
        QCOMPARE(call.workingFolder, QDir::toNativeSeparators(d.dir.path()));
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    void resetRefusesWhatItCannotStart()
    {
        test::Fixture fx;
        ProgramDir d;
        d.program(QStringLiteral("acad.exe"));

        // No program: "Setup Issue", nothing started.
        fx.prompter().expectMessage(vbOK);
        QCOMPARE(startResetScript(QString()), ResetOutcome::SetupIssue);
        QCOMPARE(fx.prompter().last().text, QStringLiteral("You don't have a valid AutoCAD Executable specified..."
                                                           "\r\n\r\nPlease select it now, and then press 'CREATE' "
                                                           "again..."));
        QCOMPARE(fx.prompter().last().title, QStringLiteral("Setup Issue"));
        QCOMPARE(fx.prompter().last().style, int(vbOKOnly));

        // A program but no reset script: the script is named, nothing started.
        fx.prompter().expectMessage(vbOK);
        QCOMPARE(startResetScript(d.path(QStringLiteral("acad.exe"))), ResetOutcome::ScriptMissing);
        QCOMPARE(fx.prompter().last().text, fileNotFoundMessage(resetScriptPath()));
        QVERIFY(fx.launcher().calls.isEmpty());
        QVERIFY(fx.prompter().allUsed());
    }

    // The command lines keep paths with blanks whole: RunCommandLine hands them over as one argument.
    void commandLinesKeepPathsWhole()
    {
        const QString program = QStringLiteral("C:\\Program Files\\Autodesk\\AutoCAD 2020\\acad.exe");
        const QString script = QStringLiteral("D:\\My Tools\\DATA\\reset.scr");
        QCOMPARE(resetCommandLine(program, QStringLiteral("D:\\Tools\\DATA\\reset.scr")),
                 QStringLiteral("\"C:\\Program Files\\Autodesk\\AutoCAD 2020\\acad.exe\" /b "
                                "\"D:\\Tools\\DATA\\reset.scr\""));
        CommandLineParts parts = splitCommandLine(resetCommandLine(program, script));
        QCOMPARE(parts.program, program);
        QCOMPARE(parts.arguments, QStringList({QStringLiteral("/b"), script}));
        parts = splitCommandLine(notepadCommandLine(script));
        QCOMPARE(parts.program, QStringLiteral("NOTEPAD.EXE"));
        QCOMPARE(parts.arguments, QStringList{script});
    }

#ifndef Q_OS_WIN
    // Elsewhere than Windows the configured text editor opens the script, the path one argument.
    void editOpensTheScriptInTheEditor()
    {
        test::Fixture fx;
        mainSettings().TextEditor = QStringLiteral("myedit --new-window");
        fx.prompter().expectMessage(vbOK);
        editResetScript();
        QCOMPARE(fx.prompter().last().text, fileNotFoundMessage(resetScriptPath()));
        QVERIFY(fx.launcher().calls.isEmpty());

        fx.writeFile(QStringLiteral("DATA/reset.scr"), "_.QUIT\r\n");
        editResetScript();
        QCOMPARE(fx.launcher().calls.size(), 1);
        QCOMPARE(fx.launcher().calls.first().program, QStringLiteral("myedit"));
        QCOMPARE(fx.launcher().calls.first().arguments,
                 QStringList({QStringLiteral("--new-window"), resetScriptPath()}));
        QVERIFY(fx.prompter().allUsed());
    }
#endif
};

QTEST_GUILESS_MAIN(TestWizardScripts)
#include "tst_wizardscripts.moc"
