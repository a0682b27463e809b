// The desktop opener as the program runs it: its exit status is read when it ends, and an opener
// that could not open the file is reported as a missing one is. A stand-in opener named xdg-open
// comes first on PATH.

#include "core/messages.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "fixture.h"
#include "help/readme.h"
#include "widgets/uilauncher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;

namespace {

// The real launcher, with a stand-in xdg-open that records its argument and ends with exitCode.
class StandInOpener
{
public:
    StandInOpener(test::Fixture &fx, int exitCode) : m_fx(fx), m_path(qgetenv("PATH"))
    {
        m_log = m_bin.filePath(QStringLiteral("opened.txt"));
        const QString opener = m_bin.filePath(QStringLiteral("xdg-open"));
        QFile f(opener);
        if (!f.open(QIODevice::WriteOnly) ||
            f.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\nexit %2\n")
                        .arg(m_log)
                        .arg(exitCode)
                        .toUtf8()) < 0)
            qFatal("cannot write the stand-in opener");
        f.close();
        QFile::setPermissions(opener, QFile::permissions(opener) | QFile::ExeOwner);
        qputenv("PATH", m_bin.path().toUtf8() + ':' + m_path);
        setLauncher(&m_launcher);
    }
    ~StandInOpener()
    {
        setLauncher(&m_fx.launcher());
        qputenv("PATH", m_path);
    }
    // The targets the opener was given, once it has ended.
    QStringList opened() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    test::Fixture &m_fx;
    QByteArray m_path;
    QTemporaryDir m_bin;
    QString m_log;
    UiLauncher m_launcher;
};

} // namespace

class TestUiLauncher : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void failingOpenerIsReported_data();
    void failingOpenerIsReported();
    void failingOpenerOfTheReadmeIsReported();
};

void TestUiLauncher::failingOpenerIsReported_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::newRow("opened") << 0;
    QTest::newRow("no program for it") << 3;
    QTest::newRow("the program failed") << 4;
}

// The opening returns at once; the opener's failure shows the box of a failed opening when it ends.
void TestUiLauncher::failingOpenerIsReported()
{
    QFETCH(int, exitCode);
    test::Fixture fx;
    const QString file = fx.writeFile(QStringLiteral("notes.txt"), "notes");
    StandInOpener opener(fx, exitCode);
    if (exitCode != 0)
        fx.prompter().expectMessage(vbOK);
    QVERIFY(OpenWithAssociatedProgram(file).ok);
    QTRY_COMPARE(opener.opened(), QStringList{file});
    if (exitCode == 0) {
        // Its end comes right after its last line.
        QTest::qWait(200);
        QVERIFY(fx.prompter().shown().isEmpty());
        return;
    }
    QTRY_COMPARE(fx.prompter().shown().size(), 1);
    QCOMPARE(fx.prompter().last().text, openFailureMessage(file, QStringLiteral("No program could open ") + file));
    QVERIFY(fx.prompter().last().style & vbExclamation);
}

// Help: the README's opener fails and no text editor is set: the box names the README.
void TestUiLauncher::failingOpenerOfTheReadmeIsReported()
{
    test::Fixture fx;
    fx.writeFile(QStringLiteral("README.md"), "# Read me\n");
    mainSettings().TextEditor.clear();
    StandInOpener opener(fx, 3);
    fx.prompter().expectMessage(vbOK);
    QVERIFY(openReadme());
    QTRY_COMPARE(fx.prompter().shown().size(), 1);
    QVERIFY(fx.prompter().last().text.startsWith(QStringLiteral("The README could not be opened.")));
    QVERIFY(fx.prompter().last().text.contains(QStringLiteral("README.md")));
}

QTEST_MAIN(TestUiLauncher)
#include "tst_uilauncher.moc"
