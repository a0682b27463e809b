// The script browser's reading of a script: the text the script pane loads from the same file, and
// the refusal of files that are no text scripts or cannot be read.

#include "scripts/scriptlibrary.h"
#include "scripts/scriptpreview.h"
#include "testsupport.h"

#include <QTest>

using namespace tess;

class TestScriptPreview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsAsThePaneLoads_data();
    void readsAsThePaneLoads();
    void refusesWhatIsNoTextScript_data();
    void refusesWhatIsNoTextScript();
    void missingFileKeepsItsError();
    void nameOfThePreviewedFile_data();
    void nameOfThePreviewedFile();
};

void TestScriptPreview::readsAsThePaneLoads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("saved script, final CR LF dropped") << QByteArray("ZOOM\r\nE\r\n") << "ZOOM\nE";
    QTest::newRow("no final line break: nothing lost") << QByteArray("ZOOM\r\nE") << "ZOOM\nE";
    QTest::newRow("one character") << QByteArray("Z") << "Z";
    QTest::newRow("two final breaks: one kept") << QByteArray("ZOOM\r\n\r\n") << "ZOOM\n";
    QTest::newRow("LF lines") << QByteArray("A\nB\n") << "A\nB";
    QTest::newRow("CR lines") << QByteArray("A\rB\r") << "A\nB";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("exactly 1 MB") << QByteArray(kMaxPreviewBytes, 'x') << QString(kMaxPreviewBytes, QLatin1Char('x'));
}

void TestScriptPreview::readsAsThePaneLoads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    test::Fixture fx;
    const QString path = fx.writeFile(QStringLiteral("SCRIPTS/a.scr"), bytes);
    const ScriptPreview r = readScriptPreview(path);
    QVERIFY(r.ok());
    QVERIFY(!r.notText);
    QCOMPARE(r.text, text);
    QCOMPARE(r.text, readScriptFile(path).text); // what the script pane would load
}

void TestScriptPreview::refusesWhatIsNoTextScript_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    // A screen saver is a program file: NUL bytes near its start.
    QTest::newRow("NUL bytes") << QByteArray("MZ\x90\0\x03\0\0\0", 8) << "NUL";
    QTest::newRow("NUL at the end") << QByteArray("ZOOM\r\nE\r\n\0", 10) << "NUL";
    QTest::newRow("over 1 MB") << QByteArray(kMaxPreviewBytes + 1, 'x') << "1 MB";
}

void TestScriptPreview::refusesWhatIsNoTextScript()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    test::Fixture fx;
    const QString path = fx.writeFile(QStringLiteral("SCRIPTS/screen.scr"), bytes);
    const ScriptPreview r = readScriptPreview(path);
    QVERIFY(!r.ok());
    QVERIFY(r.notText);
    QVERIFY(r.text.isEmpty());
    QCOMPARE(r.path, path);
    QVERIFY2(r.reason.contains(reason), qPrintable(r.reason));
}

void TestScriptPreview::missingFileKeepsItsError()
{
    test::Fixture fx;
    const ScriptPreview r = readScriptPreview(fx.path() + QStringLiteral("SCRIPTS/gone.scr"));
    QCOMPARE(r.error, kFileNotFound);
    QVERIFY(!r.notText);
    QVERIFY(r.text.isEmpty());
}

void TestScriptPreview::nameOfThePreviewedFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("windows") << "D:\\PROJ\\Plot1.scr"
                             << "Plot1";
    QTest::newRow("posix, upper-case extension") << "/home/a/PURGE.SCR"
                                                 << "PURGE";
    QTest::newRow("dots in the name") << "/s/a.b.scr"
                                      << "a.b";
    QTest::newRow("nothing previewed") << ""
                                       << "";
}

void TestScriptPreview::nameOfThePreviewedFile()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(scriptNameOfPreviewed(path), name);
}

QTEST_GUILESS_MAIN(TestScriptPreview)
#include "tst_scriptpreview.moc"
