// The script editor's logic without its window: the pick lists, replace-all, the stored place and
// size, and the texts the LISP and VBA pickers append.

#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "scripts/loadlines.h"
#include "scripts/scripteditortext.h"
#include "testsupport.h"

#include <QTest>

using namespace tess;

Q_DECLARE_METATYPE(tess::LoadLineKind)

class TestScriptEditorText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pickListsHoldTheirEntriesInOrder()
    {
        QCOMPARE(dynamicTagChoices().size(), 34);
        QCOMPARE(dynamicTagChoices().first(), QStringLiteral("$DATE$"));
        QCOMPARE(dynamicTagChoices().at(13), QStringLiteral("$FILENAME$"));
        QCOMPARE(dynamicTagChoices().at(30), QStringLiteral("$FILECOUNTINQUEUE$"));
        QCOMPARE(dynamicTagChoices().last(), QStringLiteral("$COMPUTER$"));
        QCOMPARE(QStringList(dynamicTagChoices()).removeDuplicates(), 0);
        QCOMPARE(userTagChoices().size(), 50);
        QCOMPARE(userTagChoices().at(1), QStringLiteral("$TAG2$"));
        QCOMPARE(userTagChoices().last(), QStringLiteral("$TAG50$"));
        QCOMPARE(projectTagChoices().size(), 40);
        QCOMPARE(projectTagChoices().first(), QStringLiteral("$PROJECTTAG1$"));
        QCOMPARE(projectTagChoices().last(), QStringLiteral("$PROJECTTAG40$"));
        QCOMPARE(metaCommandChoices().size(), 18);
        QCOMPARE(metaCommandChoices().first(), QStringLiteral(";TESTRUN=FALSE"));
        QCOMPARE(metaCommandChoices().at(9), QStringLiteral(";SAVEAS.THISLOCATION="));
        QCOMPARE(metaCommandChoices().last(), QStringLiteral(";SMARTSORT.DESCENDING"));
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<Qt::CaseSensitivity>("cs");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("hits");
        const QString lines = QStringLiteral("LINE 0,0 1,1\nLine\nline\nOUTLINE");
        QTest::newRow("ignoring case, parts of words too")
            << lines << "line"
            << "arc" << Qt::CaseInsensitive << "arc 0,0 1,1\narc\narc\nOUTarc" << 4;
        QTest::newRow("matching case") << lines << "line"
                                       << "arc" << Qt::CaseSensitive << "LINE 0,0 1,1\nLine\narc\nOUTLINE" << 1;
        QTest::newRow("no overlaps, left to right") << "aaaaa"
                                                    << "aa"
                                                    << "b" << Qt::CaseSensitive << "bba" << 2;
        QTest::newRow("replacement not searched again") << "ab"
                                                        << "a"
                                                        << "aa" << Qt::CaseSensitive << "aab" << 1;
        QTest::newRow("replaced by nothing") << "A-B-C"
                                             << "-"
                                             << "" << Qt::CaseSensitive << "ABC" << 2;
        QTest::newRow("empty search changes nothing") << "abc"
                                                      << ""
                                                      << "x" << Qt::CaseInsensitive << "abc" << 0;
        QTest::newRow("not found") << "abc"
                                   << "d"
                                   << "x" << Qt::CaseInsensitive << "abc" << 0;
        QTest::newRow("search longer than text") << "ab"
                                                 << "abc"
                                                 << "x" << Qt::CaseInsensitive << "ab" << 0;
        QTest::newRow("whole text") << "Zoom"
                                    << "ZOOM"
                                    << "" << Qt::CaseInsensitive << "" << 1;
        QTest::newRow("line breaks stay") << "a\nb\n"
                                          << "b"
                                          << "c" << Qt::CaseSensitive << "a\nc\n"
                                          << 1;
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(Qt::CaseSensitivity, cs);
        QFETCH(QString, result);
        QFETCH(int, hits);
        const ReplaceAllResult r = replaceAllText(text, search, replacement, cs);
        QCOMPARE(r.text, result);
        QCOMPARE(r.hits, hits);
    }

    void storedGeometry_data()
    {
        QTest::addColumn<QStringList>("stored"); // left, top, width, height; "-" for none
        QTest::addColumn<QList<int>>("read");
        QTest::newRow("nothing stored") << QStringList{"-", "-", "-", "-"} << QList<int>{200, 200, 11250, 8835};
        QTest::newRow("stored values") << QStringList{"300", "450", "12000", "9000"}
                                       << QList<int>{300, 450, 12000, 9000};
        QTest::newRow("not numbers give the defaults")
            << QStringList{"abc", "", "wide", "1e99"} << QList<int>{200, 200, 11250, 8835};
        QTest::newRow("the reset position") << QStringList{"0", "0", "-", "-"} << QList<int>{0, 0, 11250, 8835};
        QTest::newRow("below the smallest size")
            << QStringList{"-5", "10", "9000", "5000"} << QList<int>{-5, 10, 11250, 6620};
    }
    void storedGeometry()
    {
        QFETCH(QStringList, stored);
        QFETCH(QList<int>, read);
        test::Fixture fx;
        const QStringList keys{"SCREditLeft", "SCREditTop", "SCREditWidth", "SCREditHeight"};
        for (int i = 0; i < 4; ++i) {
            if (stored.at(i) != QLatin1String("-"))
                writeSetting(QStringLiteral("Startup"), keys.at(i), stored.at(i));
        }
        const ScriptEditorGeometry g = readScriptEditorGeometry();
        QCOMPARE((QList<int>{g.left, g.top, g.width, g.height}), read);
    }

    void geometryIsWrittenAsDecimalText()
    {
        test::Fixture fx;
        writeScriptEditorGeometry({-120, 345, 12345, 7000});
        QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("SCREditLeft"), QString()), "-120");
        QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("SCREditHeight"), QString()), "7000");
        const ScriptEditorGeometry g = readScriptEditorGeometry();
        QCOMPARE((QList<int>{g.left, g.top, g.width, g.height}), (QList<int>{-120, 345, 12345, 7000}));
    }

    void acceptedFiles_data()
    {
        QTest::addColumn<LoadLineKind>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lsp") << LoadLineKind::Lisp << "tb_wiz1.lsp" << true;
        QTest::newRow("LSP any case") << LoadLineKind::Lisp << "A.LsP" << true;
        QTest::newRow("longer extension") << LoadLineKind::Lisp << "a.lspx" << false;
        QTest::newRow("no dot") << LoadLineKind::Lisp << "xlsp" << false;
        QTest::newRow("only the extension") << LoadLineKind::Lisp << ".lsp" << false;
        QTest::newRow("dvb for lisp") << LoadLineKind::Lisp << "a.dvb" << false;
        QTest::newRow("dvb") << LoadLineKind::Vba << "Mtext.DVB" << true;
        QTest::newRow("lsp for vba") << LoadLineKind::Vba << "a.lsp" << false;
    }
    void acceptedFiles()
    {
        QFETCH(LoadLineKind, kind);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(acceptsLoadFile(kind, name), accepted);
    }

    void pickerConfigs()
    {
        QCOMPARE(loadPickerConfig(LoadLineKind::Lisp).objectName, QStringLiteral("frmLispSelector"));
        QCOMPARE(loadPickerConfig(LoadLineKind::Lisp).caption, QStringLiteral(" Select .LSP File"));
        QCOMPARE(loadPickerConfig(LoadLineKind::Lisp).pattern, QStringLiteral("*.lsp"));
        QCOMPARE(loadPickerConfig(LoadLineKind::Vba).objectName, QStringLiteral("frmVBAselector"));
        QCOMPARE(loadPickerConfig(LoadLineKind::Vba).caption, QStringLiteral("Select VBA Routine"));
        QCOMPARE(loadPickerConfig(LoadLineKind::Vba).pattern, QStringLiteral("*.dvb"));
    }

    void loadLines_data()
    {
        QTest::addColumn<LoadLineKind>("kind");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("addition");
        QTest::addColumn<Qt::CaseSensitivity>("paths");
        const QString vbaComment =
            QStringLiteral(";REPLACE \"YOURMODULE.YOURMACRO\" WITH THE APPROPRIATE SUBROUTINE CALL\r\n");
        QTest::newRow("lisp") << LoadLineKind::Lisp << ""
                              << "C:\\Acad\\Lisp"
                              << "tb_wiz1.lsp"
                              << "(LOAD \"C:/ACAD/LISP/TB_WIZ1.LSP\")\r\n"
                              << Qt::CaseInsensitive;
        QTest::newRow("lisp at a drive's root: two slashes") << LoadLineKind::Lisp << ""
                                                             << "D:\\"
                                                             << "x.lsp"
                                                             << "(LOAD \"D://X.LSP\")\r\n"
                                                             << Qt::CaseInsensitive;
        QTest::newRow("lisp, posix folder") << LoadLineKind::Lisp << ""
                                            << "/opt/lisp"
                                            << "a.lsp"
                                            << "(LOAD \"/OPT/LISP/A.LSP\")\r\n"
                                            << Qt::CaseInsensitive;
        QTest::newRow("lisp, posix root") << LoadLineKind::Lisp << ""
                                          << "/"
                                          << "a.lsp"
                                          << "(LOAD \"/A.LSP\")\r\n"
                                          << Qt::CaseInsensitive;
        QTest::newRow("unterminated last line gets a line break first") << LoadLineKind::Lisp << "ZOOM E"
                                                                        << "C:\\L"
                                                                        << "a.lsp"
                                                                        << "\r\n(LOAD \"C:/L/A.LSP\")\r\n"
                                                                        << Qt::CaseInsensitive;
        QTest::newRow("script ending in CR LF") << LoadLineKind::Lisp << "ZOOM E\r\n"
                                                << "C:\\L"
                                                << "a.lsp"
                                                << "(LOAD \"C:/L/A.LSP\")\r\n"
                                                << Qt::CaseInsensitive;
        QTest::newRow("script ending in LF (the box's form)") << LoadLineKind::Lisp << "ZOOM E\n"
                                                              << "C:\\L"
                                                              << "a.lsp"
                                                              << "(LOAD \"C:/L/A.LSP\")\r\n"
                                                              << Qt::CaseInsensitive;
        QTest::newRow("vba") << LoadLineKind::Vba << ""
                             << "C:\\Macros"
                             << "Mtext.dvb"
                             << vbaComment +
                                    "(COMMAND \"-VBARUN\" \"C:\\\\MACROS\\\\MTEXT.DVB!YOURMODULE.YOURMACRO\")\r\n"
                             << Qt::CaseInsensitive;
        QTest::newRow("vba at a drive's root: four backslashes")
            << LoadLineKind::Vba << ""
            << "D:\\"
            << "x.dvb" << vbaComment + "(COMMAND \"-VBARUN\" \"D:\\\\\\\\X.DVB!YOURMODULE.YOURMACRO\")\r\n"
            << Qt::CaseInsensitive;
        QTest::newRow("vba, posix folder")
            << LoadLineKind::Vba << ""
            << "/opt/m"
            << "x.dvb" << vbaComment + "(COMMAND \"-VBARUN\" \"\\\\OPT\\\\M\\\\X.DVB!YOURMODULE.YOURMACRO\")\r\n"
            << Qt::CaseInsensitive;
        QTest::newRow("vba after an unterminated line")
            << LoadLineKind::Vba << "REGEN"
            << "C:\\M"
            << "x.dvb"
            << "\r\n" + vbaComment + "(COMMAND \"-VBARUN\" \"C:\\\\M\\\\X.DVB!YOURMODULE.YOURMACRO\")\r\n"
            << Qt::CaseInsensitive;
        // Where file names tell case apart, the path keeps its letters (the rest is in capitals).
        QTest::newRow("lisp, case kept") << LoadLineKind::Lisp << ""
                                         << "/home/Ann/Lisp"
                                         << "Tb_Wiz1.lsp"
                                         << "(LOAD \"/home/Ann/Lisp/Tb_Wiz1.lsp\")\r\n"
                                         << Qt::CaseSensitive;
        QTest::newRow("vba, case kept")
            << LoadLineKind::Vba << ""
            << "/opt/Macros"
            << "Mtext.dvb"
            << vbaComment + "(COMMAND \"-VBARUN\" \"\\\\opt\\\\Macros\\\\Mtext.dvb!YOURMODULE.YOURMACRO\")\r\n"
            << Qt::CaseSensitive;
    }
    void loadLines()
    {
        QFETCH(Qt::CaseSensitivity, paths);
        QFETCH(LoadLineKind, kind);
        QFETCH(QString, script);
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(QString, addition);
        const LoadLineAddition r = loadLineAddition(kind, script, folder, file, paths);
        QVERIFY(r.ok);
        QVERIFY(r.error.isEmpty());
        QCOMPARE(r.text, addition);
    }

    void loadLinesRefused_data()
    {
        QTest::addColumn<LoadLineKind>("kind");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("errorPart");
        QTest::newRow("no selection") << LoadLineKind::Lisp << "C:\\L"
                                      << ""
                                      << "select a file";
        QTest::newRow("quote in the name") << LoadLineKind::Lisp << "/tmp"
                                           << "a\"b.lsp"
                                           << "/tmp/a\"b.lsp";
        QTest::newRow("quote in the folder") << LoadLineKind::Vba << "C:\\x\"y"
                                             << "m.dvb"
                                             << "double quote";
    }
    void loadLinesRefused()
    {
        QFETCH(LoadLineKind, kind);
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(QString, errorPart);
        const LoadLineAddition r = loadLineAddition(kind, QStringLiteral("ZOOM E"), folder, file);
        QVERIFY(!r.ok);
        QVERIFY(r.text.isEmpty());
        QVERIFY2(r.error.contains(errorPart), qPrintable(r.error));
    }
};

QTEST_GUILESS_MAIN(TestScriptEditorText)
#include "tst_scripteditortext.moc"
