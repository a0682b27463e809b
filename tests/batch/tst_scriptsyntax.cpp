#include "batch/scriptsyntax.h"
#include "testsupport.h"

#include <QtTest>

using namespace tess;

namespace {

// The short names of the warnings shown, in order ("blank" … "postbatch"), "+hint" when the hint follows.
QString shortNames(const ScriptSyntaxWarnings &w)
{
    const QList<QPair<QString, QString>> keys = {
        {"SPACE on a blank line", "space"},
        {"ends with a SPACE.", "trailing"},
        {"DOUBLE SPACE", "double"},
        {"Carriage Return (blank line)", "blank"},
        {"LISP commands", "lisp"},
        {"Your PREBATCH", "prebatch"},
        {"Your PREUSERSCRIPT", "preuserscript"},
        {"Your POSTUSERSCRIPT", "postuserscript"},
        {"Your POSTBATCH", "postbatch"},
    };
    QStringList names;
    for (const QString &m : w.messages) {
        QString name = QStringLiteral("?");
        for (const auto &k : keys)
            if (m.contains(k.first))
                name = k.second;
        names << name;
    }
    return names.join(QLatin1Char(' ')) + (w.hint ? QStringLiteral(" +hint") : QString());
}

ScriptSyntaxInput allOn(const QString &script)
{
    ScriptSyntaxInput in;
    in.script = script;
    in.WarnSpaceInBlank = in.WarnLineEndsWithSpace = in.WarnDoubleSpace = in.WarnBlankLine = in.WarnLTLisp = 1;
    in.LT = 1;
    return in;
}

} // namespace

class TestScriptSyntax : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void warnings_data();
    void warnings();
    void messagesAndBoxes();
};

void TestScriptSyntax::warnings_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("switches"); // 1 = on: space, trailing, double, blank, lisp, LT
    QTest::addColumn<QString>("preBatch");
    QTest::addColumn<QString>("postBatch");
    QTest::addColumn<QString>("expected");

    QTest::newRow("all five, in table order, then the hint") << "ZOOM E\n \n(command \"_QSAVE\")  x \n\nEND"
                                                             << "111111"
                                                             << ""
                                                             << ""
                                                             << "space trailing double blank lisp +hint";
    QTest::newRow("clean script") << "ZOOM E\n_QSAVE"
                                  << "111111"
                                  << ""
                                  << ""
                                  << "";
    QTest::newRow("blank at the very end: no trailing warning") << "ZOOM E "
                                                                << "111111"
                                                                << ""
                                                                << ""
                                                                << "";
    QTest::newRow("a line of two blanks") << "A\n  \nB"
                                          << "111111"
                                          << ""
                                          << ""
                                          << "trailing double +hint";
    QTest::newRow("CR LF line ends count the same") << "A \r\nB"
                                                    << "111111"
                                                    << ""
                                                    << ""
                                                    << "trailing +hint";
    QTest::newRow("empty first line is not a blank line") << "\nA"
                                                          << "111111"
                                                          << ""
                                                          << ""
                                                          << "";
    QTest::newRow("lisp without LT") << "(setq a 1)"
                                     << "111110"
                                     << ""
                                     << ""
                                     << "";
    QTest::newRow("lisp, LT on, its test off") << "(setq a 1)"
                                               << "111101"
                                               << ""
                                               << ""
                                               << "";
    QTest::newRow("closing before opening is no lisp") << ") x ("
                                                       << "111111"
                                                       << ""
                                                       << ""
                                                       << "";
    QTest::newRow("tests off: nothing") << "A \n\n  \n"
                                        << "000000"
                                        << ""
                                        << ""
                                        << "";
    QTest::newRow("boxes warn with every test off, without the hint") << "A"
                                                                      << "000000"
                                                                      << "_SDI 1\n"
                                                                      << "_SDI 0 "
                                                                      << "prebatch postbatch";
    QTest::newRow("empty boxes warn of nothing") << "A"
                                                 << "111111"
                                                 << ""
                                                 << ""
                                                 << "";
}

void TestScriptSyntax::warnings()
{
    QFETCH(QString, script);
    QFETCH(QString, switches);
    QFETCH(QString, preBatch);
    QFETCH(QString, postBatch);
    QFETCH(QString, expected);
    ScriptSyntaxInput in;
    in.script = script;
    qint16 *tests[] = {&in.WarnSpaceInBlank, &in.WarnLineEndsWithSpace,
                       &in.WarnDoubleSpace,  &in.WarnBlankLine,
                       &in.WarnLTLisp,       &in.LT};
    for (int i = 0; i < 6; ++i)
        *tests[i] = switches.at(i) == QLatin1Char('1') ? 1 : 0;
    in.preBatch = preBatch;
    in.postBatch = postBatch;
    QCOMPARE(shortNames(scriptSyntaxWarnings(in)).trimmed(), expected);
}

// Each warning is its own box with the warning title; the hint comes last under the program's name.
void TestScriptSyntax::messagesAndBoxes()
{
    test::Fixture fx;
    ScriptSyntaxInput in = allOn(QStringLiteral("(a)"));
    in.preUserScript = QStringLiteral("ZOOM E\n");
    for (int i = 0; i < 3; ++i)
        fx.prompter().expectMessage();
    CheckScriptSyntax(in);
    QVERIFY(fx.prompter().allUsed());
    const QList<test::ShownMessage> &shown = fx.prompter().shown();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown[0].text, QStringLiteral("\r\nOne of the lines of your script may contain LISP commands,\r\nyet you "
                                           "have the LT option enabled.\r\n\r\n(AutoCAD LT doesn't support "
                                           "lisp).\r\n\r\nIf this is intentional, no problem..."));
    QCOMPARE(shown[0].title, QStringLiteral("(Only a Warning - Script will still be created)"));
    QCOMPARE(shown[0].style, int(vbOKOnly | vbExclamation));
    QCOMPARE(shown[1].text, QStringLiteral("\r\nYour PREUSERSCRIPT command (on the SETTINGS TAB) seems to end with a "
                                           "SPACE or a CARRIAGE RETURN.\r\nPlease correct this and recreate your Batch "
                                           "Script."));
    QCOMPARE(shown[2].text, QStringLiteral("\r\nYou can disable 'Script Syntax Warnings' in the 'Tools -> Options' "
                                           "menu,\r\n(found under the 'Prefs' Tab)."));
    QCOMPARE(shown[2].title, QStringLiteral("Tessaline"));
}

QTEST_GUILESS_MAIN(TestScriptSyntax)
#include "tst_scriptsyntax.moc"
