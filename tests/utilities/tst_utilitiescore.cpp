// The logic of the file utilities: the pick windows' geometry, rows and resource warning, the
// combine's line rule, refusals and failures, and the electrical project file's lines.

#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "testsupport.h"
#include "utilities/combinetext.h"
#include "utilities/pickwindows.h"
#include "utilities/wdpproject.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString writeTo(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

// The line rule byte by byte: a CR, with the LF after it if there is one, becomes CR LF; every
// other byte is copied; a file whose last line is open gets CR LF.
QByteArray byTheLineRule(const QList<QByteArray> &files)
{
    QByteArray out;
    for (const QByteArray &f : files) {
        bool open = false;
        for (qsizetype i = 0; i < f.size(); ++i) {
            if (f.at(i) == '\r') {
                out += "\r\n";
                if (i + 1 < f.size() && f.at(i + 1) == '\n')
                    ++i;
                open = false;
            } else {
                out += f.at(i);
                open = true;
            }
        }
        if (open)
            out += "\r\n";
    }
    return out;
}

} // namespace

class TestUtilitiesCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pickGeometryFallsBackPerKeyAndRoundTrips()
    {
        test::Fixture fx;
        writeSetting(QStringLiteral("Startup"), QStringLiteral("QPLeft"), QStringLiteral("abc"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("QPTop"), QStringLiteral("2000"));
        const PickGeometry g = readPickGeometry(PickWindow::QuickPick);
        QCOMPARE(g.left, 1000); // not a number: the key's default
        QCOMPARE(g.top, 2000);
        QCOMPARE(g.width, 1890);
        QCOMPARE(g.height, 4110);

        writePickGeometry(PickWindow::QueueQuickPick, {11, 22, 3333, 4444});
        const PickGeometry q = readPickGeometry(PickWindow::QueueQuickPick);
        QCOMPARE(QList<int>({q.left, q.top, q.width, q.height}), QList<int>({11, 22, 3333, 4444}));
        QCOMPARE(readPickGeometry(PickWindow::QuickPick).top, 2000); // the other window's keys are apart
    }

    void filterAndRows()
    {
        QCOMPARE(quickPickPattern(QStringLiteral("A12")), QStringLiteral("*A12*"));
        QCOMPARE(quickPickPattern(QString()), QStringLiteral("**"));
        QCOMPARE(queuePickNames({QStringLiteral("C:\\A\\x.dwg"), QStringLiteral("D:\\B\\x.dwg"), QString(),
                                 QStringLiteral("/home/u/y.dwg"), QStringLiteral("bare.dwg")}),
                 QStringList({QStringLiteral("x.dwg"), QStringLiteral("x.dwg"), QString(), QStringLiteral("y.dwg"),
                              QStringLiteral("bare.dwg")}));
    }

    void resourceWarning_data()
    {
        QTest::addColumn<bool>("warn");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("opened");
        QTest::addColumn<int>("asked");
        QTest::newRow("yes twice") << true << 5 << QList<bool>{true, true} << 12 << 2;
        QTest::newRow("no after the fifth") << true << 5 << QList<bool>{false} << 5 << 1;
        QTest::newRow("warnings off") << false << 5 << QList<bool>{} << 12 << 0;
        QTest::newRow("limit reached at the last file") << true << 12 << QList<bool>{true} << 12 << 1;
    }
    void resourceWarning()
    {
        QFETCH(bool, warn);
        QFETCH(int, limit);
        QFETCH(QList<bool>, answers);
        QStringList paths;
        for (int i = 1; i <= 12; ++i)
            paths.append(QStringLiteral("f%1.dwg").arg(i));
        QStringList opened;
        int asked = 0;
        const OpenRun run = openWithResourceWarning(
            paths, warn, limit, [&](const QString &p) { opened.append(p); },
            [&](int l) {
                [&] { QCOMPARE(l, limit); }();
                return asked < answers.size() ? answers.at(asked++) : (++asked, false);
            });
        QTEST(int(opened.size()), "opened");
        QTEST(asked, "asked");
        QCOMPARE(opened, paths.mid(0, opened.size()));
        QCOMPARE(run.stopped, opened.size() < 12);
        QVERIFY(resourceWarningText(5).startsWith(
            QStringLiteral("You have attempted to open more than 5 files at a time.\r\n\r\n")));
    }

    void combineLineRule_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("two and three lines")
            << QList<QByteArray>{"a\r\nb\r\n", "c\r\nd\r\ne\r\n"} << QByteArray("a\r\nb\r\nc\r\nd\r\ne\r\n");
        QTest::newRow("missing last line end") << QList<QByteArray>{"a\r\nb", "c"} << QByteArray("a\r\nb\r\nc\r\n");
        QTest::newRow("lone CR ends a line") << QList<QByteArray>{"a\rb\r"} << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone LF stays inside") << QList<QByteArray>{"a\nb\n"} << QByteArray("a\nb\n\r\n");
        QTest::newRow("empty lines kept, empty file adds nothing")
            << QList<QByteArray>{"\r\n\r\nx\r\n", "", "\r"} << QByteArray("\r\n\r\nx\r\n\r\n");
        QTest::newRow("header rows twice") << QList<QByteArray>{"h1,h2\r\n1,2\r\n", "h1,h2\r\n3,4\r\n"}
                                           << QByteArray("h1,h2\r\n1,2\r\nh1,h2\r\n3,4\r\n");
        QTest::newRow("bytes not decoded")
            << QList<QByteArray>{QByteArray("\xe9\xff\x00z", 4)} << QByteArray("\xe9\xff\x00z\r\n", 6);
        QTest::newRow("CR then LF in the next file") << QList<QByteArray>{"a\r", "\nb"} << QByteArray("a\r\n\nb\r\n");
    }
    void combineLineRule()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QByteArray, expected);
        QCOMPARE(combineBytes(files), expected);

        // The same through files, with a CR LF split across the writer's pieces.
        QTemporaryDir dir;
        QStringList inputs;
        for (qsizetype i = 0; i < files.size(); ++i)
            inputs.append(writeTo(dir.filePath(QStringLiteral("in%1.csv").arg(i)), files.at(i)));
        const QString out = dir.filePath(QStringLiteral("out.csv"));
        QVERIFY(!combineTextFiles(inputs, out).has_value());
        QCOMPARE(contents(out), expected);

        QByteArray pieces;
        CombineLineWriter w;
        w.feed("a\r", 2, pieces);
        w.feed("\nb", 2, pieces);
        w.finish(pieces);
        QCOMPARE(pieces, QByteArray("a\r\nb\r\n"));
    }

    // Files longer than the combine's read blocks (1 MB), with line ends cut by a block's end:
    // CR | LF, a lone CR | other byte, other byte | LF, a file ending in CR exactly at a block's end.
    void combineAcrossBlocks()
    {
        constexpr qsizetype kBlock = 1 << 20;
        QRandomGenerator rng(99);
        const auto randomBytes = [&rng](qsizetype size) {
            QByteArray b(size, 'x');
            for (char &c : b) {
                const quint32 r = rng.bounded(64);
                c = r == 0 ? '\r' : r == 1 ? '\n' : char('a' + r % 26);
            }
            return b;
        };
        QList<QByteArray> files;
        for (const char *cut : {"\r\n", "\rx", "x\n"}) {
            QByteArray f = randomBytes(kBlock + 1000);
            f[kBlock - 1] = cut[0];
            f[kBlock] = cut[1];
            files.append(f);
        }
        files.last().append('\r');
        QByteArray endsInCr = randomBytes(kBlock);
        endsInCr[kBlock - 1] = '\r';
        files.append(endsInCr);
        files.append("\nafter a CR that ended the file before");

        const QByteArray expected = byTheLineRule(files);
        QCOMPARE(combineBytes(files), expected);
        QTemporaryDir dir;
        QStringList inputs;
        for (qsizetype i = 0; i < files.size(); ++i)
            inputs.append(writeTo(dir.filePath(QStringLiteral("in%1.csv").arg(i)), files.at(i)));
        const QString out = dir.filePath(QStringLiteral("out.csv"));
        QVERIFY(!combineTextFiles(inputs, out).has_value());
        QVERIFY(contents(out) == expected);
    }

    void combineFailureKeepsThePreviousOutput()
    {
        QTemporaryDir dir;
        const QString a = writeTo(dir.filePath(QStringLiteral("a.txt")), "one\r\n");
        const QString gone = dir.filePath(QStringLiteral("gone.txt"));
        const QString out = writeTo(dir.filePath(QStringLiteral("out.csv")), "previous\r\n");
        int calls = 0;
        const auto error = combineTextFiles({a, gone, a}, out, [&] { ++calls; });
        QVERIFY(error.has_value());
        QCOMPARE(error->step, 104);
        QVERIFY2(error->description.contains(gone), qPrintable(error->description));
        QVERIFY(error->description.startsWith(QStringLiteral("File not found")));
        QCOMPARE(contents(out), QByteArray("previous\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
        QCOMPARE(calls, 1);
    }

    void combineOutputRefusals()
    {
        QTemporaryDir dir;
        const QString a = writeTo(dir.filePath(QStringLiteral("a.txt")), "x\r\n");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString folder = dir.path();
        QCOMPARE(checkCombineOutput(folder, QString(), {a}), CombineOutputProblem::EmptyName);
        QCOMPARE(checkCombineOutput(folder, QStringLiteral("   "), {a}), CombineOutputProblem::EmptyName);
        QCOMPARE(checkCombineOutput(folder, QStringLiteral("sub"), {a}), CombineOutputProblem::IsFolder);
        QCOMPARE(checkCombineOutput(folder, QStringLiteral("a.txt"), {a}), CombineOutputProblem::IsInput);
        // The same file through another path.
        QCOMPARE(checkCombineOutput(folder + QStringLiteral("/sub"), QStringLiteral("../a.txt"), {a}),
                 CombineOutputProblem::IsInput);
        QCOMPARE(checkCombineOutput(folder, QStringLiteral("output"), {a}), CombineOutputProblem::None);
        QCOMPARE(combineOutputPath(QStringLiteral("C:\\"), QStringLiteral("o.csv")), QStringLiteral("C:\\o.csv"));
        QCOMPARE(combineOutputPath(QStringLiteral("C:\\Out"), QStringLiteral("o")), QStringLiteral("C:\\Out\\o"));
        QCOMPARE(combineOutputPath(QStringLiteral("/tmp/x"), QStringLiteral("o.csv")), QStringLiteral("/tmp/x/o.csv"));
    }

    void wdpLines()
    {
        QTemporaryDir dir;
        const QString wdp = writeTo(dir.filePath(QStringLiteral("p.wdp")),
                                    "+[1]Title\r\n?x\r\n*opt\r\nA.dwg\r\n\r\n sub\\B.DWG\r\n\rC.dwg\nD.dwg");
        const WdpDrawings d = readWdpDrawingLines(wdp);
        QVERIFY(d.file.ok());
        QCOMPARE(d.lines, QStringList({QStringLiteral("A.dwg"), QStringLiteral(" sub\\B.DWG"), QStringLiteral("C.dwg"),
                                       QStringLiteral("D.dwg")}));
        QCOMPARE(wdpProjectFolder(QStringLiteral("C:\\P\\p.wdp")), QStringLiteral("C:\\P"));
        QCOMPARE(wdpQueuePaths(QStringLiteral("C:\\P"), {QStringLiteral(" A.dwg")}),
                 QStringList({QStringLiteral("C:\\P\\ A.dwg")}));
        // In a drive's root: one separator after the drive.
        QCOMPARE(wdpQueuePaths(wdpProjectFolder(QStringLiteral("C:\\p.wdp")), {QStringLiteral("A.dwg")}),
                 QStringList({QStringLiteral("C:\\A.dwg")}));

        const WdpDrawings missing = readWdpDrawingLines(dir.filePath(QStringLiteral("gone.wdp")));
        QVERIFY(!missing.file.ok());
        QVERIFY(missing.lines.isEmpty());
    }

    void wdpNotInProjectIgnoresCase()
    {
        const QStringList lines{QStringLiteral("A.DWG"), QStringLiteral("sub\\b.dwg")};
        QCOMPARE(wdpNotInProjectPaths(
                     QStringLiteral("/p"),
                     {QStringLiteral("a.dwg"), QStringLiteral("b.dwg"), QString(), QStringLiteral("c.dwg")}, lines),
                 QStringList({QStringLiteral("/p/b.dwg"), QStringLiteral("/p/c.dwg")}));
        QVERIFY(wdpNotInProjectPaths(QStringLiteral("/p"), {QStringLiteral("a.dwg")}, lines).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUtilitiesCore)
#include "tst_utilitiescore.moc"
