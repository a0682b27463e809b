#include "scripts/commandcapture.h"

#include <QStringList>

namespace tess {

namespace {

bool isPromptChar(QChar c) { return c == QLatin1Char(':') || c == QLatin1Char('>'); }

bool isLineBreak(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

// The length of the line break at `at` (2 for CR LF, else 1); the caller knows a break stands there.
qsizetype breakLength(QStringView text, qsizetype at)
{
    return text[at] == QLatin1Char('\r') && at + 1 < text.size() && text[at + 1] == QLatin1Char('\n') ? 2 : 1;
}

// The text without the blanks at either end (blanks only, as the answer's rule says).
QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

bool HasPromptChar(QStringView line)
{
    for (QChar c : line) {
        if (isPromptChar(c))
            return true;
    }
    return false;
}

bool HasDoubleSpace(QStringView line) { return line.contains(QStringView(u"  ")); }

QString mousePointsPlaceholder()
{
    return QStringLiteral(";< *** POINT(S) SELECTED WITH MOUSE - PLEASE REPLACE THIS LINE WITH COORDINATE(S) *** >");
}

QString ExtractAnswer(QStringView line)
{
    // The match is case-sensitive: "Corner:" is an ordinary prompt.
    if (line.contains(QStringView(u"corner:")))
        return mousePointsPlaceholder();
    // The prompt ends at the rightmost ":" or ">" that a blank follows or that ends the line; a ":"
    // inside the answer (a drive "D:\", a time "10:30") does not end it. Only when no such character
    // stands there does the rightmost ":" or ">" of all count. A line without either is its own answer.
    qsizetype rightmost = -1;
    qsizetype promptEnd = -1;
    for (qsizetype i = line.size() - 1; i >= 0; --i) {
        if (!isPromptChar(line[i]))
            continue;
        if (rightmost < 0)
            rightmost = i;
        if (i + 1 == line.size() || line[i + 1] == QLatin1Char(' ')) {
            promptEnd = i;
            break;
        }
    }
    const qsizetype end = promptEnd >= 0 ? promptEnd : rightmost;
    return trimBlanks(line.sliced(end + 1)).toString().toUpper();
}

QString captureCommands(QStringView history)
{
    static const QString begin = QStringLiteral(";BEGIN SCRIPT");
    static const QString end = QStringLiteral(";END SCRIPT");
    // The script is built whole: the box that shows it is set once.
    QString script;
    script.reserve(begin.size() + end.size() + 2 * history.size() + 16);
    script += begin;
    qsizetype at = 0;
    const qsizetype size = history.size();
    while (at < size) {
        qsizetype lineEnd = at;
        while (lineEnd < size && !isLineBreak(history[lineEnd]))
            ++lineEnd;
        const QStringView line = history.sliced(at, lineEnd - at);
        if (HasPromptChar(line) && !HasDoubleSpace(line)) {
            script += QStringLiteral("\n;");
            script += line;
            script += QLatin1Char('\n');
            script += ExtractAnswer(line);
        }
        at = lineEnd < size ? lineEnd + breakLength(history, lineEnd) : size;
    }
    script += QLatin1Char('\n');
    script += end;
    return script;
}

QString halveDoubledLineBreaks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    qsizetype at = 0;
    const qsizetype size = text.size();
    while (at < size) {
        if (!isLineBreak(text[at])) {
            qsizetype next = at;
            while (next < size && !isLineBreak(text[next]))
                ++next;
            out += text.sliced(at, next - at);
            at = next;
            continue;
        }
        qsizetype breaks = 0;
        while (at < size && isLineBreak(text[at])) {
            at += breakLength(text, at);
            ++breaks;
        }
        out += QString((breaks + 1) / 2, QLatin1Char('\n'));
    }
    return out;
}

QString captureInstructionText()
{
    static const QStringList lines{
        QStringLiteral("Instructions:"),
        QStringLiteral(""),
        QStringLiteral("1) Open AutoCAD and perform your required commands, making sure that all commands "),
        QStringLiteral("are COMMAND LINE commands.  Make sure that no commands call dialog boxes."),
        QStringLiteral("(Some commands like LAYER use -LAYER to suppress the dialog boxes)"),
        QStringLiteral(""),
        QStringLiteral("Note: Make sure you RESPOND to all AutoCAD prompts, rather than just "),
        QStringLiteral("pressing <ENTER> to select the default response."),
        QStringLiteral(""),
        QStringLiteral("2) When you complete your commands  in AutoCAD, press F2 to open the \"Text "),
        QStringLiteral("Window\", and with the mouse, select the series of commands you want to \"record\".  "),
        QStringLiteral("Make sure to include everything from the first significant \"COMMAND:\" prompt to the last "),
        QStringLiteral("one."),
        QStringLiteral(""),
        QStringLiteral("3) Right click on the selected text (a menu should pop-up), and click on \"Copy\".  (This "),
        QStringLiteral("will copy the selected text to the Windows Clipboard)"),
        QStringLiteral(""),
        QStringLiteral("4) Return to this application, and press the \"Get AutoCAD Scrollback text  from "),
        QStringLiteral("Clipboard\" button at the bottom of the application.  (This will dump the commands into"),
        QStringLiteral("the \"Input\" window."),
        QStringLiteral(""),
        QStringLiteral("5) Review your \"Input\", and make any obvious adjustments."),
        QStringLiteral(""),
        QStringLiteral("6) Press the \"Capture AutoCAD Commands --->\" button, and the extracted commands "),
        QStringLiteral("should show up in the window to the right."),
        QStringLiteral(""),
        QStringLiteral("7) Press the \"Paste in Tessaline\" button, to copy the extracted commands into the "),
        QStringLiteral("Tessaline mini-script window."),
        QStringLiteral(""),
        QStringLiteral("Please consult the Online FAQ or write to the address in README.md for free support."),
    };
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace tess
