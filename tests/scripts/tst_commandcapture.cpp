// Command capture as text: which pasted lines are prompts, the answer typed at each, the whole
// captured script, and how pasted line breaks are halved.

#include "scripts/commandcapture.h"

#include <QTest>

using namespace tess;

namespace {

// The worked history: eight lines, joined by the given line end (the last line has none).
QString workedHistory(const QString &lineEnd)
{
    return QStringList{QStringLiteral("Command: LINE"),
                       QStringLiteral("Specify first point: 0,0"),
                       QStringLiteral("Specify next point or [Undo]: 10,0"),
                       QStringLiteral("Specify next point or [Undo]:"),
                       QStringLiteral("Command: zoom"),
                       QStringLiteral("Specify corner of window, enter a scale factor (nX or nXP), or"),
                       QStringLiteral("[All/Center/Dynamic/Extents/Previous/Scale/Window/Object] (real time): e"),
                       QStringLiteral("Regenerating model.")}
        .join(lineEnd);
}

QString workedScript()
{
    return QStringList{QStringLiteral(";BEGIN SCRIPT"),
                       QStringLiteral(";Command: LINE"),
                       QStringLiteral("LINE"),
                       QStringLiteral(";Specify first point: 0,0"),
                       QStringLiteral("0,0"),
                       QStringLiteral(";Specify next point or [Undo]: 10,0"),
                       QStringLiteral("10,0"),
                       QStringLiteral(";Specify next point or [Undo]:"),
                       QString(),
                       QStringLiteral(";Command: zoom"),
                       QStringLiteral("ZOOM"),
                       QStringLiteral(";[All/Center/Dynamic/Extents/Previous/Scale/Window/Object] (real time): e"),
                       QStringLiteral("E"),
                       QStringLiteral(";END SCRIPT")}
        .join(QLatin1Char('\n'));
}

} // namespace

class TestCommandCapture : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lineTests_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<bool>("doubleSpace");
        QTest::newRow("colon") << "Command: LINE" << true << false;
        QTest::newRow("greater-than") << "Enter an option <Yes>" << true << false;
        QTest::newRow("neither") << "Regenerating model." << false << false;
        QTest::newRow("two blanks") << "Select objects:  1 found" << true << true;
        QTest::newRow("one blank, a tab") << "a \tb" << false << false;
        QTest::newRow("empty") << "" << false << false;
    }
    void lineTests()
    {
        QFETCH(QString, line);
        QFETCH(bool, prompt);
        QFETCH(bool, doubleSpace);
        QCOMPARE(HasPromptChar(line), prompt);
        QCOMPARE(HasDoubleSpace(line), doubleSpace);
    }

    void extractAnswer_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("answer");
        QTest::newRow("command") << "Command: zoom"
                                 << "ZOOM";
        QTest::newRow("nothing typed") << "Specify next point or [Undo]:"
                                       << "";
        QTest::newRow("only blanks typed") << "Command:    "
                                           << "";
        QTest::newRow("blanks trimmed, inner kept") << "Enter text:  hello  world "
                                                    << "HELLO  WORLD";
        QTest::newRow("mouse corner") << "Specify opposite corner:" << mousePointsPlaceholder();
        QTest::newRow("corner with a typed point") << "Specify other corner: 5,5" << mousePointsPlaceholder();
        QTest::newRow("Corner is a prompt") << "Specify opposite Corner:"
                                            << "";
        // A ":" or ">" inside the answer does not end the prompt.
        QTest::newRow("drive in the default and the answer") << "Enter name <C:\\a.dwg>: D:\\b.dwg"
                                                             << "D:\\B.DWG";
        QTest::newRow("time") << "Specify time: 10:30"
                              << "10:30";
        QTest::newRow("greater-than then colon") << "Enter scale <1>: 2"
                                                 << "2";
        QTest::newRow("colon then greater-than") << "Enter value: <1> 3"
                                                 << "3";
        QTest::newRow("default ends the line") << "Enter value: <1>"
                                               << "";
        // Without a blank after any of them, the rightmost one ends the prompt.
        QTest::newRow("no blank after the colon") << "Command:line"
                                                  << "LINE";
        QTest::newRow("no blank anywhere") << "a:b>c:d"
                                           << "D";
    }
    void extractAnswer()
    {
        QFETCH(QString, line);
        QFETCH(QString, answer);
        QCOMPARE(ExtractAnswer(line), answer);
    }

    void capture_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("script");
        QTest::newRow("worked, CR LF") << workedHistory(QStringLiteral("\r\n")) << workedScript();
        QTest::newRow("worked, LF") << workedHistory(QStringLiteral("\n")) << workedScript();
        QTest::newRow("worked, CR") << workedHistory(QStringLiteral("\r")) << workedScript();
        QTest::newRow("worked, blank lines and a final break")
            << QStringLiteral("\r\n\n") + workedHistory(QStringLiteral("\r\n\r\n")) + QStringLiteral("\r\n")
            << workedScript();
        QTest::newRow("empty") << ""
                               << ";BEGIN SCRIPT\n;END SCRIPT";
        QTest::newRow("no prompt anywhere") << "Regenerating model.\r\nDone."
                                            << ";BEGIN SCRIPT\n;END SCRIPT";
        QTest::newRow("command alone") << "Command:"
                                       << ";BEGIN SCRIPT\n;Command:\n\n;END SCRIPT";
        QTest::newRow("double blank dropped")
            << "Command: ERASE\nSelect objects:  1 found\nSelect objects: \n"
            << ";BEGIN SCRIPT\n;Command: ERASE\nERASE\n;Select objects: \n\n;END SCRIPT";
        // The comment is the line as it stood: case and blanks kept.
        QTest::newRow("comment unchanged") << "Command: Line \r\n"
                                           << ";BEGIN SCRIPT\n;Command: Line \nLINE\n;END SCRIPT";
        QTest::newRow("mouse corner") << "Specify opposite corner:"
                                      << QStringLiteral(";BEGIN SCRIPT\n;Specify opposite corner:\n") +
                                             mousePointsPlaceholder() + QStringLiteral("\n;END SCRIPT");
        const QString longAnswer(100000, QLatin1Char('x'));
        QTest::newRow("100,000 characters")
            << QStringLiteral("Enter text: ") + longAnswer
            << QStringLiteral(";BEGIN SCRIPT\n;Enter text: ") + longAnswer + QLatin1Char('\n') + longAnswer.toUpper() +
                   QStringLiteral("\n;END SCRIPT");
    }
    void capture()
    {
        QFETCH(QString, history);
        QFETCH(QString, script);
        QCOMPARE(captureCommands(history), script);
    }

    void halveLineBreaks_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("input");
        QTest::newRow("one stays one") << "a\r\nb"
                                       << "a\nb";
        QTest::newRow("two become one") << "a\r\n\r\nb"
                                        << "a\nb";
        QTest::newRow("three become two") << "a\r\n\r\n\r\nb"
                                          << "a\n\nb";
        QTest::newRow("four become two") << "a\n\n\n\nb"
                                         << "a\n\nb";
        QTest::newRow("LF pairs") << "Command: LINE\n\nSpecify first point: 0,0\n\n"
                                  << "Command: LINE\nSpecify first point: 0,0\n";
        QTest::newRow("CR pairs") << "a\r\rb"
                                  << "a\nb";
        QTest::newRow("CR then CR LF is two") << "a\r\r\nb"
                                              << "a\nb";
        QTest::newRow("LF then CR is two") << "a\n\rb"
                                           << "a\nb";
        QTest::newRow("leading run") << "\n\n\nx"
                                     << "\n\nx";
        QTest::newRow("no break") << "Command: LINE"
                                  << "Command: LINE";
        QTest::newRow("empty") << ""
                               << "";
    }
    void halveLineBreaks()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, input);
        QCOMPARE(halveDoubledLineBreaks(pasted), input);
    }

    void instructionText()
    {
        const QString text = captureInstructionText();
        QVERIFY(text.endsWith(QLatin1Char('\n')));
        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 31); // thirty lines, the last one ended too
        QCOMPARE(lines.first(), QStringLiteral("Instructions:"));
        QCOMPARE(
            lines.at(29),
            QStringLiteral("Please consult the Online FAQ or write to the address in README.md for free support."));
    }
};

QTEST_GUILESS_MAIN(TestCommandCapture)
#include "tst_commandcapture.moc"
