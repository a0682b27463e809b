// The saved queue list file and the list folder: the bytes written and read back, the line ends a
// list may have, the names a list may take, and saving, renaming and deleting without losing a file.

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "testsupport.h"
#include "utilities/queuelistfile.h"
#include "utilities/queuelistfolder.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTest>

using namespace tess;

namespace {

QStringList filesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    return names;
}

} // namespace

class TestQueueListFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedBytesAreTheEntriesWithCrLfAndReadBackUnchanged()
    {
        const QStringList entries{QStringLiteral("C:\\Jobs\\A 1.dwg"), QStringLiteral("  padded.dwg  "),
                                  QStringLiteral("/home/u/Pläne/b.DWG"), QStringLiteral("'quoted'")};
        const QByteArray bytes = QueueListFile::bytesOf(entries);
        // In the system's encoding: "ä" is one byte under a Windows code page, two in UTF-8.
        QStringEncoder system(QStringConverter::System);
        QCOMPARE(bytes, QByteArray(system(entries.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))));
        QCOMPARE(QueueListFile::linesOf(bytes), entries);
        QCOMPARE(QueueListFile::bytesOf({}), QByteArray());
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        const QStringList ab{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << ab;
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << ab;
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << ab;
        QTest::newRow("mixed") << QByteArray("a\rb\n") << ab;
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << ab;
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{QString()};
        QTest::newRow("empty line kept") << QByteArray("a\r\n\r\nb\r\n")
                                         << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
        QTest::newRow("LF CR is two ends")
            << QByteArray("a\n\rb") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
        QTest::newRow("blanks and quotes kept")
            << QByteArray(" \"C:\\x.dwg\" \r\n") << QStringList{QStringLiteral(" \"C:\\x.dwg\" ")};
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QTEST(QueueListFile::linesOf(bytes), "lines");
    }

    void undecodableLinesAreSetApart()
    {
        QStringList bad;
        // A UTF-8 list (with its byte order mark) with a byte no UTF-8 text holds.
        const QStringList lines = QueueListFile::linesOf(QByteArray("\xEF\xBB\xBF"
                                                                    "a.dwg\r\nb\xFF.dwg\r\nc.dwg\r\n"),
                                                         &bad);
        QCOMPARE(lines, QStringList({QStringLiteral("a.dwg"), QStringLiteral("c.dwg")}));
        QCOMPARE(bad.size(), 1);
        // A UTF-8 list with its byte order mark reads as UTF-8 whatever the system's encoding.
        QCOMPARE(QueueListFile::linesOf(QByteArray("\xEF\xBB\xBFx\xC3\xA4.dwg\r\n")),
                 QStringList{QStringLiteral("xä.dwg")});
    }

    void fileNames()
    {
        QCOMPARE(QueueListFile::fileNameFor(QStringLiteral("JOB12.LST"), false, QStringLiteral("user7")),
                 QStringLiteral("JOB12.LST.LST"));
        QCOMPARE(QueueListFile::fileNameFor(QStringLiteral("JOB12"), true, QStringLiteral("user7")),
                 QStringLiteral("user7-JOB12.LST"));
        QCOMPARE(personalListPattern(QStringLiteral("user7")), QStringLiteral("user7*.LST"));
        QCOMPARE(personalListPattern(QStringLiteral("a*b[c")), QStringLiteral("a[*]b[[]c*.LST"));
        QVERIFY(hasListExtension(QStringLiteral("job13.txt")));
        QVERIFY(hasListExtension(QStringLiteral("JOB.Lst")));
        QVERIFY(!hasListExtension(QStringLiteral("JOB13")));
        QVERIFY(!hasListExtension(QStringLiteral("JOB.LST.bak")));
    }

    void namesThatCannotNameAList_data()
    {
        QTest::addColumn<QString>("name");
        for (const char c : QByteArray("\\/:*?\"<>|"))
            QTest::addRow("character %c", c) << QStringLiteral("a%1b.LST").arg(QLatin1Char(c));
        QTest::newRow("tab") << QStringLiteral("a\tb.LST");
        QTest::newRow("line feed") << QStringLiteral("a\nb.LST");
        QTest::newRow("device") << QStringLiteral("CON.LST");
        QTest::newRow("device lower case") << QStringLiteral("com1.txt");
        QTest::newRow("empty") << QString();
        QTest::newRow("parent folder") << QStringLiteral("..");
        QTest::newRow("trailing dot") << QStringLiteral("JOB.");
    }
    void namesThatCannotNameAList()
    {
        QFETCH(QString, name);
        QVERIFY(!listFileNameProblem(name).isEmpty());
        test::Fixture fx;
        QCOMPARE(saveQueueList(fx.data(), name, {QStringLiteral("a.dwg")}).error, kPathFileAccessError);
        QCOMPARE(filesIn(fx.data()), QStringList());
        QVERIFY(listFileNameProblem(QStringLiteral("user7-JOB 12 (rev).LST")).isEmpty());
    }

    void saveReplacesTheListOfThatNameIgnoringCase()
    {
        test::Fixture fx;
        fx.writeFile(QStringLiteral("DATA/job12.lst"), "old\r\n");
        const FileResult r = saveQueueList(fx.data(), QStringLiteral("JOB12.LST"), {QStringLiteral("new.dwg")});
        QVERIFY2(r.ok(), qPrintable(r.reason));
        QCOMPARE(filesIn(fx.data()), QStringList{QStringLiteral("job12.lst")});
        QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("job12.lst")), QByteArray("new.dwg\r\n"));
    }

    void aFailedSaveKeepsTheOldListAndSaysWhy()
    {
        test::Fixture fx;
        const QString path = fx.writeFile(QStringLiteral("DATA/JOB.LST"), "old\r\n");
        QVERIFY(setReadOnlyFile(path, true).ok());
        FileResult r = saveQueueList(fx.data(), QStringLiteral("JOB.LST"), {QStringLiteral("new.dwg")});
        QCOMPARE(r.error, kPermissionDenied);
        QVERIFY(!r.reason.isEmpty());
        QCOMPARE(test::fileBytes(path), QByteArray("old\r\n"));
        QVERIFY(setReadOnlyFile(path, false).ok());

        // No DATA folder: path not found, nothing written anywhere.
        QDir(fx.data()).removeRecursively();
        r = saveQueueList(fx.data(), QStringLiteral("JOB.LST"), {QStringLiteral("new.dwg")});
        QCOMPARE(r.error, kPathNotFound);
        QVERIFY(!QFileInfo::exists(fx.data()));
    }

    void renameNeverReplacesAFile()
    {
        test::Fixture fx;
        const QString a = fx.writeFile(QStringLiteral("DATA/A.LST"), "a\r\n");
        const QString b = fx.writeFile(QStringLiteral("DATA/b.lst"), "b\r\n");
        ListRenameResult r = renameQueueList(fx.data(), QStringLiteral("A.LST"), QStringLiteral("B.LST"));
        QCOMPARE(r.outcome, ListRenameOutcome::NameTaken);
        QCOMPARE(test::fileBytes(a), QByteArray("a\r\n"));
        QCOMPARE(test::fileBytes(b), QByteArray("b\r\n"));
        QCOMPARE(filesIn(fx.data()), QStringList({QStringLiteral("A.LST"), QStringLiteral("b.lst")}));

        // A case change of the list itself is no clash.
        r = renameQueueList(fx.data(), QStringLiteral("A.LST"), QStringLiteral("a.lst"));
        QCOMPARE(r.outcome, ListRenameOutcome::Renamed);
        QCOMPARE(filesIn(fx.data()), QStringList({QStringLiteral("a.lst"), QStringLiteral("b.lst")}));
        QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("a.lst")), QByteArray("a\r\n"));

        r = renameQueueList(fx.data(), QStringLiteral("a.lst"), QStringLiteral("JOB13"));
        QCOMPARE(r.outcome, ListRenameOutcome::Renamed);
        QCOMPARE(filesIn(fx.data()), QStringList({QStringLiteral("b.lst"), QStringLiteral("JOB13")}));

        // A list that is gone; a name that would leave DATA.
        r = renameQueueList(fx.data(), QStringLiteral("gone.LST"), QStringLiteral("x.LST"));
        QCOMPARE(r.outcome, ListRenameOutcome::Failed);
        QCOMPARE(r.file.error, kFileNotFound);
        r = renameQueueList(fx.data(), QStringLiteral("b.lst"), QStringLiteral("../b.lst"));
        QCOMPARE(r.outcome, ListRenameOutcome::Failed);
        QCOMPARE(filesIn(fx.data()), QStringList({QStringLiteral("b.lst"), QStringLiteral("JOB13")}));
        QCOMPARE(filesIn(fx.path()).contains(QStringLiteral("b.lst")), false);
    }

    void deleteSaysWhyItDidNot()
    {
        test::Fixture fx;
        const QString path = fx.writeFile(QStringLiteral("DATA/KEEP.LST"), "k\r\n");
        QVERIFY(setReadOnlyFile(path, true).ok());
        FileResult r = deleteQueueList(fx.data(), QStringLiteral("KEEP.LST"));
        QCOMPARE(r.error, kPermissionDenied);
        QCOMPARE(r.path, path);
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(setReadOnlyFile(path, false).ok());
        QVERIFY(deleteQueueList(fx.data(), QStringLiteral("KEEP.LST")).ok());
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(deleteQueueList(fx.data(), QStringLiteral("KEEP.LST")).error, kFileNotFound);
    }
};

QTEST_GUILESS_MAIN(TestQueueListFile)
#include "tst_queuelistfile.moc"
