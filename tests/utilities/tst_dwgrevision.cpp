// Drawing releases: the release table, the header reader on real and synthetic drawings, the
// release name of one drawing, the release scan's walk and the drawing-version report's file.

#include "core/appenvironment.h"
#include "core/listutils.h"
#include "testsupport.h"
#include "utilities/dwgrevision.h"
#include "utilities/dwgversionreport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/types.h>
#endif

using namespace tess;

namespace {

// A drawing-like file: the bytes given, then some padding as a real drawing would have.
QString writeDrawing(const QString &path, const QByteArray &head, bool pad = true)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(head);
    if (pad)
        f.write(QByteArray(64, '\0'));
    return path;
}

// Records the scan's progress; every call is due (interval 0) unless told otherwise.
class RecordingProgress final : public ScanProgress
{
public:
    void label(const QString &text) override { labels.append(text); }
    void pump() override
    {
        ++pumps;
        if (onPump)
            onPump();
    }
    int intervalMs() const override { return interval; }
    QStringList labels;
    int pumps = 0;
    int interval = 0;
    std::function<void()> onPump;
};

DwgReleaseSwitches only(std::initializer_list<int> rows)
{
    DwgReleaseSwitches s{};
    for (int r : rows)
        s[size_t(r)] = 1;
    return s;
}

constexpr int kR12 = 0, kR14 = 2, kR2000 = 3, kR2004 = 4, kR2013 = 7;

QStringList relative(const QStringList &paths, const QString &root)
{
    QStringList out;
    for (const QString &p : paths)
        out.append(p.startsWith(root) ? p.mid(root.size()) : p);
    return out;
}

} // namespace

class TestDwgRevision : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // ---- The table ----

    void tableKeepsCaptionsAndReportNamesApart()
    {
        QStringList captions, codes, names, boxes;
        for (const DwgRelease &r : DWGRevTable) {
            boxes.append(QLatin1String(r.checkBox));
            captions.append(QLatin1String(r.caption));
            codes.append(QLatin1String(r.code));
            names.append(QLatin1String(r.reportName));
        }
        QCOMPARE(boxes, (QStringList{"chkR12", "chkR13", "chkR14", "chkR2000", "chkR2004", "chkR2007", "chkR2010",
                                     "chkR2013"}));
        QCOMPARE(captions, (QStringList{"R12/LT2", "R13/LT95", "R14/LT97/LT98", "R2000(i)/2002", "R2004/05/06",
                                        "R2007/08/09", "R2010/11/12", "R2013/14/15/16"}));
        QCOMPARE(codes, (QStringList{"AC1009", "AC1012", "AC1014", "AC1015", "AC1018", "AC1021", "AC1024", "AC1027"}));
        QCOMPARE(names, (QStringList{"R12", "R13", "R14", "R2000/2002/2003", "R2004/2005/2006", "R2007/2008/2009",
                                     "R2010/2011", "R2013/2014"}));
    }

    // ---- One drawing's release ----

    void realDrawingsGiveTheirCodeAndRelease_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("release");
        QTest::newRow("AC1015") << "dwg/sample_AC1015.dwg" << QByteArray("AC1015") << "R2000/2002/2003";
        QTest::newRow("AC1018") << "dwg/sample_AC1018.dwg" << QByteArray("AC1018") << "R2004/2005/2006";
        QTest::newRow("AC1027") << "dwg/sample_AC1027.dwg" << QByteArray("AC1027") << "R2013/2014";
        // A later release than the table knows: no name, and no error either.
        QTest::newRow("AC1032") << "dwg/empty.dwg" << QByteArray("AC1032") << "";
    }
    void realDrawingsGiveTheirCodeAndRelease()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, code);
        QFETCH(QString, release);
        const QString path = test::sharedFixturePath(file);
        if (path.isEmpty())
            QSKIP("shared fixtures not found");
        const DwgHeader h = readDwgHeader(path);
        QCOMPARE(int(h.status), int(DwgHeader::Ok));
        QCOMPARE(h.code, code);
        const DwgRevision r = ReturnDWGFileREV(path);
        QCOMPARE(r.name, release);
        QVERIFY(r.error.isEmpty());
    }

    void releaseOfSyntheticFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("release");
        QTest::newRow("R12") << QByteArray("AC1009xx") << "R12";
        QTest::newRow("lower-case code") << QByteArray("ac1015rest") << "R2000/2002/2003";
        QTest::newRow("mixed case") << QByteArray("aC1024") << "R2010/2011";
        QTest::newRow("exactly six bytes") << QByteArray("AC1014") << "R14";
        QTest::newRow("unknown code") << QByteArray("AC1032....") << "";
        QTest::newRow("not a drawing") << QByteArray("hello world") << "";
        for (int n = 0; n <= 5; ++n)
            QTest::addRow("%d bytes", n) << QByteArray("AC1015").left(n) << "Unknown Version";
    }
    void releaseOfSyntheticFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, release);
        QTemporaryDir dir;
        const QString path = writeDrawing(dir.filePath(QStringLiteral("a.dwg")), bytes, false);
        const DwgRevision r = ReturnDWGFileREV(path);
        QCOMPARE(r.name, release);
        QVERIFY(r.error.isEmpty());
    }

    void missingFileOrFolderAndUnreadableFiles()
    {
        QTemporaryDir dir;
        QCOMPARE(ReturnDWGFileREV(dir.filePath(QStringLiteral("gone.dwg"))).name, QStringLiteral("File Doesn't Exist"));
        QCOMPARE(ReturnDWGFileREV(dir.filePath(QStringLiteral("nofolder/gone.dwg"))).name,
                 QStringLiteral("File Doesn't Exist"));
        QVERIFY(ReturnDWGFileREV(dir.filePath(QStringLiteral("nofolder/gone.dwg"))).error.isEmpty());

        // A folder given as the drawing: no name, one error text naming the path.
        QDir(dir.path()).mkdir(QStringLiteral("folder.dwg"));
        const QString folderPath = dir.filePath(QStringLiteral("folder.dwg"));
        const DwgRevision asFolder = ReturnDWGFileREV(folderPath);
        QCOMPARE(asFolder.name, QString());
        QVERIFY2(asFolder.error.startsWith(QStringLiteral("Error 75 (")), qPrintable(asFolder.error));
        QVERIFY(asFolder.error.endsWith(QStringLiteral(") ReturnDWGFileREV - \r\n") + folderPath));

        // A file the reader cannot open (as a locked one): the same, with the reader's reason.
        const QString locked = writeDrawing(dir.filePath(QStringLiteral("locked.dwg")), "AC1015");
        auto lockedReader = [&](const QString &path) {
            if (path != locked)
                return readDwgHeader(path);
            DwgHeader h;
            h.status = DwgHeader::Unreadable;
            h.error = 70;
            h.reason = QStringLiteral("Permission denied");
            return h;
        };
        const DwgRevision r = ReturnDWGFileREV(locked, lockedReader);
        QCOMPARE(r.name, QString());
        QCOMPARE(r.error, QStringLiteral("Error 70 (Permission denied) ReturnDWGFileREV - \r\n") + locked);
    }

#ifndef Q_OS_WIN
    void pipeNamedLikeADrawingIsNeverWaitedOn()
    {
        QTemporaryDir dir;
        const QString pipe = dir.filePath(QStringLiteral("pipe.dwg"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const DwgHeader h = readDwgHeader(pipe);
        QCOMPARE(int(h.status), int(DwgHeader::Unreadable));
        QCOMPARE(h.error, 75);
    }
#endif

    // ---- The scan's walk ----

    void scanFindsChosenReleasesBelowTheFolder()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        writeDrawing(root + QStringLiteral("a.dwg"), "AC1009");
        writeDrawing(root + QStringLiteral("B.DWG"), "ac1015"); // lower-case code
        writeDrawing(root + QStringLiteral("c.DwG"), "AC1018"); // a release not chosen
        writeDrawing(root + QStringLiteral("d.dwg"), "AC1032"); // unknown: neither list
        writeDrawing(root + QStringLiteral(".dwg"), "AC1009");  // shorter than the pattern
        writeDrawing(root + QStringLiteral("e.dxf"), "AC1009"); // does not match the pattern
        writeDrawing(root + QStringLiteral("Sub/Deeper/x.dwg"), "AC1009");
        writeDrawing(root + QStringLiteral("Sub/y.dwg"), "AC1015");

        QStringList opened;
        auto reader = [&](const QString &path) {
            opened.append(path.mid(root.size()));
            return readDwgHeader(path);
        };
        QStringList matches, problems;
        RecordingProgress progress;
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR12, kR2000}), matches, problems, &progress,
                         reader);
        // Paths as they are on a case-sensitive system; a folder's entries in name order, its
        // sub-folders walked where they stand.
        const QStringList expected{"a.dwg", "B.DWG", "Sub/Deeper/x.dwg", "Sub/y.dwg"};
        if (pathCaseSensitivity() == Qt::CaseSensitive)
            QCOMPARE(relative(matches, root), expected);
        else
            QCOMPARE(matches.size(), expected.size());
        QCOMPARE(problems, QStringList());
        QCOMPARE(progress.foundFileCount(), qint64(4));
        // Only names at least as long as the pattern and matching it were opened.
        QCOMPARE(opened, (QStringList{"a.dwg", "B.DWG", "c.DwG", "d.dwg", "Sub/Deeper/x.dwg", "Sub/y.dwg"}));
    }

    void realDrawingsInATree()
    {
        const QString fixtures = test::sharedFixturePath(QStringLiteral("dwg/sample_AC1015.dwg"));
        if (fixtures.isEmpty())
            QSKIP("shared fixtures not found");
        QTemporaryDir dir;
        for (const char *name : {"sample_AC1015.dwg", "sample_AC1018.dwg", "sample_AC1027.dwg", "empty.dwg"})
            QVERIFY(QFile::copy(QFileInfo(fixtures).absolutePath() + QLatin1Char('/') + QLatin1String(name),
                                dir.filePath(QLatin1String(name))));
        QStringList matches, problems;
        DwgReleaseSwitches all;
        all.fill(1);
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), all, matches, problems);
        QCOMPARE(relative(matches, dir.path() + QLatin1Char('/')),
                 (QStringList{"sample_AC1015.dwg", "sample_AC1018.dwg", "sample_AC1027.dwg"}));
        QCOMPARE(problems, QStringList());
        matches.clear();
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR2013}), matches, problems);
        QCOMPARE(relative(matches, dir.path() + QLatin1Char('/')), QStringList{"sample_AC1027.dwg"});
    }

    // Short and unreadable files are listed apart and the walk goes on with the next entry of the
    // same folder and with the other folders.
    void unreadableFilesAreListedAndTheWalkGoesOn()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        writeDrawing(root + QStringLiteral("a-short.dwg"), "AC10", false);
        writeDrawing(root + QStringLiteral("b-empty.dwg"), "", false);
        writeDrawing(root + QStringLiteral("c-good.dwg"), "AC1014");
        writeDrawing(root + QStringLiteral("d-locked.dwg"), "AC1014");
        writeDrawing(root + QStringLiteral("e-good.dwg"), "AC1014");
        writeDrawing(root + QStringLiteral("f/g.dwg"), "AC1014");
        auto reader = [&](const QString &path) {
            if (!path.endsWith(QLatin1String("d-locked.dwg")))
                return readDwgHeader(path);
            DwgHeader h;
            h.status = DwgHeader::Unreadable;
            h.error = 70;
            h.reason = QStringLiteral("Permission denied");
            return h;
        };
        QStringList matches, problems;
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR14}), matches, problems, nullptr, reader);
        QCOMPARE(relative(matches, root), (QStringList{"c-good.dwg", "e-good.dwg", "f/g.dwg"}));
        QCOMPARE(relative(problems, root), (QStringList{"a-short.dwg", "b-empty.dwg", "d-locked.dwg"}));
    }

#ifndef Q_OS_WIN
    // Links are never followed nor opened; a pipe is never opened; a folder that cannot be
    // listed gives nothing.
    void linksPipesAndUnlistableFolders()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        writeDrawing(root + QStringLiteral("sub/real.dwg"), "AC1014");
        QVERIFY(QFile::link(root, root + QStringLiteral("sub/loop"))); // a loop
        QVERIFY(QFile::link(root + QStringLiteral("sub/real.dwg"), root + QStringLiteral("link.dwg")));
        QVERIFY(QFile::link(root + QStringLiteral("gone.dwg"), root + QStringLiteral("dangling.dwg")));
        QVERIFY(QFile::link(root + QStringLiteral("sub"), root + QStringLiteral("folder.dwg")));
        QCOMPARE(::mkfifo(QFile::encodeName(root + QStringLiteral("pipe.dwg")).constData(), 0600), 0);
        QDir().mkpath(root + QStringLiteral("closed"));
        writeDrawing(root + QStringLiteral("closed/hidden.dwg"), "AC1014");
        ::chmod(QFile::encodeName(root + QStringLiteral("closed")).constData(), 0);
        QStringList opened;
        auto reader = [&](const QString &path) {
            opened.append(path.mid(root.size()));
            return readDwgHeader(path);
        };
        QStringList matches, problems;
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR14}), matches, problems, nullptr, reader);
        ::chmod(QFile::encodeName(root + QStringLiteral("closed")).constData(), 0700);
        // Root may list the closed folder all the same; anything else found there is its drawing.
        matches.removeAll(root + QStringLiteral("closed/hidden.dwg"));
        opened.removeAll(QStringLiteral("closed/hidden.dwg"));
        // A link to a drawing is read like the drawing; links to folders or to nothing are not.
        QCOMPARE(relative(matches, root), QStringList({"link.dwg", "sub/real.dwg"}));
        QCOMPARE(opened, QStringList({"link.dwg", "sub/real.dwg"}));
        QCOMPARE(problems, QStringList());
    }
#endif

    void rootFolderWithItsSeparatorIsNotDoubled()
    {
        QTemporaryDir dir;
        writeDrawing(dir.filePath(QStringLiteral("a.dwg")), "AC1009");
        QStringList matches, problems;
        SearchForFileREV(dir.path() + QLatin1Char('/'), QStringLiteral("*.DWG"), only({kR12}), matches, problems);
        QCOMPARE(matches, QStringList{revScanListedPath(dir.path() + QStringLiteral("/a.dwg"))});
    }

    void stopEndsTheWalkAfterTheEntryInHand()
    {
        QTemporaryDir dir;
        for (const char *name : {"a.dwg", "b.dwg", "c/d.dwg", "e.dwg"})
            writeDrawing(dir.filePath(QLatin1String(name)), "AC1009");
        RecordingProgress progress;
        auto reader = [&](const QString &path) {
            // The user presses Stop while the first drawing is being read.
            progress.setStopRequested(true);
            return readDwgHeader(path);
        };
        QStringList matches, problems;
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR12}), matches, problems, &progress, reader);
        QCOMPARE(matches.size(), 1);
        QCOMPARE(progress.foundFileCount(), qint64(1));
        QVERIFY(progress.stopRequested());
    }

    void twoScansAppendAndTheCountIsTheCallers()
    {
        QTemporaryDir dir;
        writeDrawing(dir.filePath(QStringLiteral("a.dwg")), "AC1009");
        writeDrawing(dir.filePath(QStringLiteral("b.dwg")), "AC1009");
        QStringList matches, problems;
        RecordingProgress progress;
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR12}), matches, problems, &progress);
        progress.setFoundFileCount(0);
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR12}), matches, problems, &progress);
        QCOMPARE(matches.size(), 4);
        QCOMPARE(progress.foundFileCount(), qint64(2));
    }

    void statusLineNamesTheFolderWalked()
    {
        const QString seventy = QStringLiteral("/") + QString(69, QLatin1Char('x'));
        QCOMPARE(seventy.size(), 70);
        QCOMPARE(revScanStatusText(seventy),
                 QStringLiteral("Scanning: ") + seventy.left(45) + QStringLiteral("...") + seventy.right(45));
        const QString fits = QString(55, QLatin1Char('y'));
        QCOMPARE(revScanStatusText(fits), QStringLiteral("Scanning: ") + fits);
        QCOMPARE(revScanStatusText(fits + QLatin1Char('z')).size(), 10 + 93);

        // With every step due, the line follows the walk into each folder.
        QTemporaryDir dir;
        writeDrawing(dir.filePath(QStringLiteral("Sub/a.dwg")), "AC1009");
        RecordingProgress progress;
        QStringList matches, problems;
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR12}), matches, problems, &progress);
        QCOMPARE(progress.labels.first(), revScanStatusText(dir.path()));
        QVERIFY(progress.labels.contains(revScanStatusText(dir.path() + QStringLiteral("/Sub"))));
        QVERIFY(progress.pumps >= 2);

        // At the usual pace, a quick walk repaints the line once.
        RecordingProgress paced;
        paced.interval = 60000;
        SearchForFileREV(dir.path(), QStringLiteral("*.DWG"), only({kR12}), matches, problems, &paced);
        QCOMPARE(paced.labels, QStringList{revScanStatusText(dir.path())});
    }

    // ---- The version report ----

    void reportLinesByteForByte()
    {
        test::Fixture fx;
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        const QString present = writeDrawing(root + QStringLiteral("Present.DWG"), "AC1015");
        const QString shortFile = writeDrawing(root + QStringLiteral("short.dwg"), "AC1", false);
        const QString unknown = writeDrawing(root + QStringLiteral("later.dwg"), "AC1032");
        const QString missing = root + QStringLiteral("missing.dwg");
        const QString noFolder = root + QStringLiteral("nofolder/x.dwg");
        const QString comma = writeDrawing(root + QStringLiteral("a,b.dwg"), "AC1009");
        const QStringList queue{present, missing, shortFile, unknown, noFolder, comma, present.toUpper()};

        const DwgVersionReportResult r = writeDwgVersionReport(queue);
        QVERIFY(r.file.ok());
        QCOMPARE(r.readErrors, QStringList());
        QCOMPARE(dwgVersionReportPath(), fx.data() + QStringLiteral("tester-DWGVersion.csv"));
        const QString upperLine = pathCaseSensitivity() == Qt::CaseSensitive ? QStringLiteral("File Doesn't Exist, ")
                                                                             : QStringLiteral("R2000/2002/2003, ");
        const QByteArray expected =
            ("R2000/2002/2003, " + present + "\r\n" + "File Doesn't Exist, " + missing + "\r\n" + "Unknown Version, " +
             shortFile + "\r\n" + ", " + unknown + "\r\n" + "File Doesn't Exist, " + noFolder + "\r\n" + "R12, " +
             comma + "\r\n" + upperLine + present.toUpper() + "\r\n")
                .toUtf8();
        QCOMPARE(test::fileBytes(dwgVersionReportPath()), expected);

        // A second run leaves only its own lines.
        QVERIFY(writeDwgVersionReport(QStringList{present}).file.ok());
        QCOMPARE(test::fileBytes(dwgVersionReportPath()), ("R2000/2002/2003, " + present + "\r\n").toUtf8());
        // An empty queue gives an empty report.
        QVERIFY(writeDwgVersionReport(QStringList()).file.ok());
        QCOMPARE(test::fileBytes(dwgVersionReportPath()), QByteArray());
    }

    void reportThatCannotBeWrittenKeepsThePreviousOne()
    {
        test::Fixture fx;
        const QString report = fx.writeFile(QStringLiteral("DATA/tester-DWGVersion.csv"), "previous\r\n");
        // The DATA folder is gone: error 76, nothing written.
        const QString data = fx.data();
        QVERIFY(QDir(data).rename(data, fx.path() + QStringLiteral("DATA-away")));
        const DwgVersionReportResult gone = writeDwgVersionReport(QStringList{QStringLiteral("/x.dwg")});
        QCOMPARE(gone.file.error, 76);
        QVERIFY(dwgVersionReportFailureMessage(gone.file).contains(report));
        QVERIFY(QDir(data).rename(fx.path() + QStringLiteral("DATA-away"), data));
        // A report that may not be replaced: the previous one stays as it was.
        QVERIFY(setReadOnlyFile(report, true).ok());
        const DwgVersionReportResult held = writeDwgVersionReport(QStringList{QStringLiteral("/x.dwg")});
        setReadOnlyFile(report, false);
        QVERIFY(!held.file.ok());
        QCOMPARE(test::fileBytes(report), QByteArray("previous\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDwgRevision)
#include "tst_dwgrevision.moc"
