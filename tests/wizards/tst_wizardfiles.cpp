// The files beside the program that the wizards' lines and the reset call: each is staged under the
// exact name the lines use, and each AutoLISP command reads exactly its answers, in their order,
// as whole lines.

#include "core/appenvironment.h"
#include "testsupport.h"
#include "wizards/resetsysvars.h"
#include "wizards/wizardblocks.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace tess;

namespace {

QString stageDir() { return QStringLiteral(TESSALINE_STAGE_DIR); }

QString staged(const QString &relative) { return stageDir() + QLatin1Char('/') + relative; }

// The file name after "/LISP/" in a generated load line.
QString loadedFile(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("/LISP/([^\"]+)\"\\)"));
    return re.match(text).captured(1);
}

// The AutoLISP text without its comments and with every string literal emptied, so that
// parentheses and words inside them do not count.
QString lispCode(const QString &source)
{
    QString out;
    bool inString = false;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (inString) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == QLatin1Char('"')) {
                inString = false;
                out += c;
            }
            continue;
        }
        if (c == QLatin1Char(';')) {
            while (i < source.size() && source.at(i) != QLatin1Char('\n'))
                ++i;
            out += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('"'))
            inString = true;
        out += c;
    }
    return out;
}

// The text of the top-level form that starts at `from` (up to its closing parenthesis).
QString formAt(const QString &code, qsizetype from)
{
    int depth = 0;
    for (qsizetype i = from; i < code.size(); ++i) {
        if (code.at(i) == QLatin1Char('('))
            ++depth;
        else if (code.at(i) == QLatin1Char(')') && --depth == 0)
            return code.mid(from, i - from + 1);
    }
    return QString();
}

} // namespace

class TestWizardFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every file a generated line or the reset names is in the staged program folder, with the
    // letter case the line uses (the LISP folder is read on case-sensitive file systems too).
    void stagedUnderTheNamesTheLinesUse()
    {
        const QString folder = QStringLiteral("C:\\Tess");
        QStringList names{QStringLiteral("TB_WIZ1.LSP")}; // the title-block wizard's load line
        names << loadedFile(WriteRepTextScript(QString(), RepTextFields(), folder).last())
              << loadedFile(WriteLogTextScript(QString(), QString(), QString(), folder).last())
              << loadedFile(WriteLimitsScript(QString(), QString(), folder).last());
        QCOMPARE(names, QStringList({"TB_WIZ1.LSP", "REPTEXT.LSP", "LOG_TEXT.LSP", "LIMITS_OUT.LSP"}));
        for (const QString &name : names)
            QVERIFY2(QDir(staged(QStringLiteral("LISP"))).entryList(QDir::Files).contains(name), qPrintable(name));
        // Mtext.dvb is made from the module's source inside AutoCAD, as README.txt says.
        for (const char *name : {"Mtext.bas", "README.txt"})
            QVERIFY2(QFileInfo(staged(QStringLiteral("LISP/")) + QLatin1String(name)).isFile(), name);

        const QString previous = AppEnvironment::programFolderOverride();
        AppEnvironment::overrideProgramFolder(QDir::toNativeSeparators(stageDir()));
        const QString script = resetScriptPath();
        AppEnvironment::overrideProgramFolder(previous);
        QVERIFY2(QDir(QFileInfo(script).path()).entryList(QDir::Files).contains(QStringLiteral("reset.scr")),
                 qPrintable(script));
    }

    // Each command: defined under its file's name, its parentheses balanced, its answers read in
    // the order the generated lines give them; free text is read whole (getstring with T) and the
    // selection with an interactive ssget, which takes "ALL" and the empty line.
    void lispCommandsReadTheirAnswers_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("reads");
        const QString s = QStringLiteral("getstring");
        const QString sel = QStringLiteral("ssget");
        // REPTEXT: search, replacement, TEXT, DIMENSION, BLOCKS, the line after a Y, the selection.
        QTest::newRow("REPTEXT") << "REPTEXT" << QStringList{s, s, s, s, s, s, sel};
        QTest::newRow("LOG_TEXT") << "LOG_TEXT" << QStringList{s, sel, s};
        QTest::newRow("LIMITS_OUT") << "LIMITS_OUT" << QStringList{s};
        QTest::newRow("TB_WIZ1") << "TB_WIZ1" << QStringList{s, s, s};
    }
    void lispCommandsReadTheirAnswers()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, reads);
        const QByteArray bytes = test::fileBytes(staged(QStringLiteral("LISP/") + command + QStringLiteral(".LSP")));
        const QString code = lispCode(QString::fromUtf8(bytes));

        int depth = 0;
        for (const QChar c : code) {
            depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') ? -1 : 0;
            QVERIFY(depth >= 0);
        }
        QCOMPARE(depth, 0);

        const qsizetype at =
            code.indexOf(QStringLiteral("(defun c:") + command + QLatin1Char(' '), 0, Qt::CaseInsensitive);
        QVERIFY2(at >= 0, "the command is not defined");
        const QString body = formAt(code, at);
        static const QRegularExpression read(QStringLiteral("\\((getstring|ssget|getkword|getint|getreal)\\b([^)]*)"),
                                             QRegularExpression::CaseInsensitiveOption);
        QStringList found;
        for (auto it = read.globalMatch(body); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            found << m.captured(1).toLower();
            if (found.last() == QLatin1String("getstring"))
                QVERIFY2(m.captured(2).trimmed().startsWith(QLatin1String("T ")), qPrintable(m.captured(0)));
            if (found.last() == QLatin1String("ssget"))
                QVERIFY2(!m.captured(2).trimmed().startsWith(QLatin1Char('"')), "the selection is asked, not taken");
        }
        QCOMPARE(found, reads);
    }

    void vbaModuleReadsItsTwoAnswers()
    {
        const QString text = QString::fromUtf8(test::fileBytes(staged(QStringLiteral("LISP/Mtext.bas"))));
        QVERIFY(text.startsWith(QLatin1String("Attribute VB_Name = \"MTEXT\"\r\n")));
        const qsizetype sub = text.indexOf(QLatin1String("Public Sub SearchAndReplace()"));
        QVERIFY(sub > 0);
        QCOMPARE(text.count(QLatin1String("GetString(True,")), 2);
        QVERIFY(text.indexOf(QLatin1String("GetString(True,")) > sub);
        QVERIFY(text.lastIndexOf(QLatin1String("GetString(True,")) < text.indexOf(QLatin1String("For Each")));
        QCOMPARE(QString::fromUtf8(test::fileBytes(staged(QStringLiteral("LISP/README.txt")))).count(QLatin1Char('\n')),
                 1);
    }

    // The reset script: no empty line (in a script it repeats the last command), every line ended
    // by CR LF, the variables named in its first comment line, AutoCAD ended without saving.
    void resetScriptEndsAutoCad()
    {
        const QByteArray bytes = test::fileBytes(staged(QStringLiteral("DATA/reset.scr")));
        QVERIFY(bytes.endsWith("\r\n"));
        QList<QByteArray> lines = bytes.split('\n');
        lines.removeLast();
        for (const QByteArray &line : lines) {
            QVERIFY2(line.endsWith('\r'), line.constData());
            QVERIFY2(line.size() > 1, "empty line");
        }
        QVERIFY(lines.first().startsWith(';'));
        for (const QByteArray &line : lines.mid(1)) {
            if (line.startsWith("_.SETVAR "))
                QVERIFY2(lines.first().contains(line.split(' ').at(1)), line.constData());
        }
        QCOMPARE(lines.at(lines.size() - 2), QByteArray("_.QUIT\r"));
        QCOMPARE(lines.last(), QByteArray("_Y\r"));
    }
};

QTEST_GUILESS_MAIN(TestWizardFiles)
#include "tst_wizardfiles.moc"
