// The queue's copy texts, the favourite folders file and the skip list.
#include "core/appenvironment.h"
#include "core/favourites.h"
#include "core/fileio.h"
#include "core/listutils.h"
#include "mainwin/queuecopies.h"
#include "mainwin/skiplist.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tess;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

} // namespace

class TestQueueFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void copyTexts_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("text");
        const QStringList two{QStringLiteral("C:\\JOB\\A-101.DWG"), QStringLiteral("C:\\JOB\\A-102.DWG")};
        const QStringList one{QStringLiteral("C:\\JOB\\A-101.DWG")};
        const int path = int(CopyPart::FullPath), name = int(CopyPart::FileName), title = int(CopyPart::FileTitle);
        const int joined = int(CopyLayout::JoinedLines), term = int(CopyLayout::TerminatedLines),
                  comma = int(CopyLayout::CommaList);
        QTest::newRow("two paths joined") << two << path << joined << "C:\\JOB\\A-101.DWG\r\nC:\\JOB\\A-102.DWG";
        QTest::newRow("two paths terminated") << two << path << term << "C:\\JOB\\A-101.DWG\r\nC:\\JOB\\A-102.DWG\r\n";
        QTest::newRow("two names") << two << name << joined << "A-101.DWG\r\nA-102.DWG";
        QTest::newRow("two titles comma") << two << title << comma << "A-101, A-102";
        QTest::newRow("one path joined") << one << path << joined << "C:\\JOB\\A-101.DWG";
        QTest::newRow("one path terminated") << one << path << term << "C:\\JOB\\A-101.DWG\r\n";
        QTest::newRow("one comma") << one << title << comma << "A-101";
        QTest::newRow("none") << QStringList() << path << term << "";
        QTest::newRow("four-letter extension keeps its point")
            << QStringList{QStringLiteral("/plans/PLAN.JPEG")} << title << term << "PLAN.\r\n";
    }
    void copyTexts()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, part);
        QFETCH(int, layout);
        QFETCH(QString, text);
        QCOMPARE(queueCopyText(entries, CopyPart(part), CopyLayout(layout)), text);
    }

    void copyKindsNameEightItems()
    {
        QCOMPARE(queueCopyKinds().size(), 8);
        int selected = 0;
        for (const QueueCopyKind &k : queueCopyKinds())
            selected += k.selectedOnly ? 1 : 0;
        QCOMPARE(selected, 4);
    }

    void favouritesReadSortedWithBlankAndLfLines()
    {
        test::Fixture fx;
        const QString file = fx.writeFile(QStringLiteral("DATA/Favorites.dat"), "D:\\B\\\nC:\\A\\\r\n\r\nc:\\a\\\r");
        const FavoritesRead read = readFavoritesFile(file);
        QVERIFY(read.result.ok());
        QStringList list = read.entries;
        QCOMPARE(list.size(), 4);
        sortIgnoringCase(list);
        QCOMPARE(list, (QStringList{QString(), QStringLiteral("C:\\A\\"), QStringLiteral("c:\\a\\"),
                                    QStringLiteral("D:\\B\\")}));
        QVERIFY(writeFavoritesFile(file, list).ok());
        QCOMPARE(fileBytes(file), QByteArray("\r\nC:\\A\\\r\nc:\\a\\\r\nD:\\B\\\r\n"));
    }

    void favouritesMissingFileIsEmptyAndNotCreated()
    {
        test::Fixture fx;
        const FavoritesRead read = readFavoritesFile(favoritesFilePath());
        QVERIFY(read.result.ok());
        QVERIFY(read.entries.isEmpty());
        QVERIFY(!QFile::exists(favoritesFilePath()));
    }

    void addFavouriteFolderRules()
    {
        const QChar sep = AppEnvironment::separator();
        QStringList list{QStringLiteral("a") + sep, QStringLiteral("m") + sep};
        QVERIFY(addFavouriteFolder(list, QStringLiteral("k")));
        QCOMPARE(list.at(1), QStringLiteral("k") + sep);
        QVERIFY(!addFavouriteFolder(list, QStringLiteral("k") + sep)); // same folder with its separator
        QVERIFY(!addFavouriteFolder(list, QString()));
        // Case follows the file system's identity of paths.
        const bool added = addFavouriteFolder(list, QStringLiteral("K"));
        QCOMPARE(added, pathCaseSensitivity() == Qt::CaseSensitive);
        QStringList roots;
        QVERIFY(addFavouriteFolder(roots, QStringLiteral("C:\\")));
        QCOMPARE(roots, QStringList{QStringLiteral("C:\\")});
        QVERIFY(addFavouriteFolder(roots, QStringLiteral("C:\\Old")));
        QCOMPARE(roots.last(), QStringLiteral("C:\\Old\\"));
    }

    void skipListAppendsAndCreatesData()
    {
        test::Fixture fx;
        QVERIFY(QDir(fx.data()).removeRecursively());
        QVERIFY(appendToSkipList(QStringLiteral("C:\\JOB\\A.DWG")).ok());
        QVERIFY(appendToSkipList(QStringLiteral("C:\\JOB\\A.DWG")).ok()); // no duplicate check
        QCOMPARE(skipListPath(), fx.data() + QStringLiteral("!Skipped_tester.lst"));
        QCOMPARE(fileBytes(skipListPath()), QByteArray("C:\\JOB\\A.DWG\r\nC:\\JOB\\A.DWG\r\n"));
    }

    void skipListFailureIsReported()
    {
        test::Fixture fx;
        QVERIFY(appendToSkipList(QStringLiteral("first")).ok());
        QVERIFY(setReadOnlyFile(skipListPath(), true).ok());
        const FileResult r = appendToSkipList(QStringLiteral("second"));
        setReadOnlyFile(skipListPath(), false);
        QVERIFY(!r.ok());
        QCOMPARE(r.path, skipListPath());
        QCOMPARE(fileBytes(skipListPath()), QByteArray("first\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestQueueFiles)
#include "tst_queuefiles.moc"
