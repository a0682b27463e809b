// The per-user state files: their bytes, the round trip, and what a failed save says.

#include "core/appenvironment.h"
#include "core/statefiles.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tess;

class TestStateFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bytesOnDisk_data()
    {
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("listBytes");
        QTest::addColumn<QByteArray>("scrBytes");
        QTest::addColumn<QByteArray>("nameBytes");
        QTest::newRow("empty") << QStringList() << QString() << QString() << QByteArray() << QByteArray("\r\n")
                               << QByteArray("\r\n");
        QTest::newRow("entries") << QStringList{"C:\\DWG\\A-101.dwg", "/srv/dwg/b.dwg"} << "ZOOM E\n_QSAVE"
                                 << "purge" << QByteArray("C:\\DWG\\A-101.dwg\r\n/srv/dwg/b.dwg\r\n")
                                 << QByteArray("ZOOM E\r\n_QSAVE\r\n") << QByteArray("purge\r\n");
        QTest::newRow("script ending in a line break")
            << QStringList() << "ZOOM E\n"
            << "x" << QByteArray() << QByteArray("ZOOM E\r\n\r\n") << QByteArray("x\r\n");
    }
    void bytesOnDisk()
    {
        QFETCH(QStringList, queue);
        QFETCH(QString, script);
        QFETCH(QString, name);
        QFETCH(QByteArray, listBytes);
        QFETCH(QByteArray, scrBytes);
        QFETCH(QByteArray, nameBytes);
        test::Fixture pf;
        const StateSaveResult r = writeUserStateFiles({queue, script, name});
        QVERIFY(r.ok);
        QCOMPARE(test::fileBytes(pf.data() + "tester-list.tmp"), listBytes);
        QCOMPARE(test::fileBytes(pf.data() + "tester-scr.tmp"), scrBytes);
        QCOMPARE(test::fileBytes(pf.data() + "tester-s.tmp"), nameBytes);

        const UserState back = readUserStateFiles();
        QCOMPARE(back.queue, queue);
        QCOMPARE(back.script, script);
        QCOMPARE(back.name, name);
    }

    void readsListsWithLoneLineFeedsAndOnlyTheFirstNameLine()
    {
        test::Fixture pf;
        pf.writeFile("DATA/tester-list.tmp", "a.dwg\nb.dwg\n");
        pf.writeFile("DATA/tester-s.tmp", "first\r\nsecond\r\n");
        const UserState s = readUserStateFiles();
        QCOMPARE(s.queue, (QStringList{"a.dwg", "b.dwg"}));
        QCOMPARE(s.name, QStringLiteral("first"));
        QCOMPARE(s.script, QString());
    }

    void missingDataFolderIsReportedOnceAndNothingWritten()
    {
        test::Fixture pf;
        QVERIFY(QDir(pf.data()).removeRecursively());
        const StateSaveResult r = writeUserStateFiles({{"a.dwg"}, "x", "n"});
        QVERIFY(!r.ok);
        QCOMPARE(r.messages.size(), 1);
        QVERIFY(r.messages.first().startsWith(QStringLiteral(" Your ") + pf.folder()));
        QVERIFY(r.messages.first().endsWith(QStringLiteral("Please recreate this directory or reinstall Tessaline")));
        QVERIFY(!QFileInfo::exists(pf.data()));
    }

    void writeProtectedListKeepsItsContentAndTheOthersAreWritten()
    {
        test::Fixture pf;
        const QString list = pf.writeFile("DATA/tester-list.tmp", "old.dwg\r\n");
        QFile::setPermissions(list, QFile::ReadOwner | QFile::ReadGroup);
        const StateSaveResult r = writeUserStateFiles({{"new.dwg"}, "x", "n"});
        QVERIFY(!r.ok);
        QCOMPARE(r.messages, QStringList{QStringLiteral("File is write protected\r\n") + list});
        QCOMPARE(test::fileBytes(list), QByteArray("old.dwg\r\n"));
        QCOMPARE(test::fileBytes(pf.data() + "tester-s.tmp"), QByteArray("n\r\n"));
        QFile::setPermissions(list, QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TestStateFiles)
#include "tst_statefiles.moc"
