// The per-user state files: their bytes, the round trip, and what a failed save says.

#include "core/appenvironment.h"
#include "core/statefiles.h"
#include "core/textfiles.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

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
        QTest::newRow("letters beyond ASCII")
            << QStringList{QStringLiteral(u"C:\\Pläne\\Übersicht-\u56F3.dwg"), QString()} << "x"
            << "y"
            << QByteArray("C:\\Pl\xC3\xA4ne\\\xC3\x9C"
                          "bersicht-\xE5\x9B\xB3.dwg\r\n\r\n")
            << QByteArray("x\r\n") << QByteArray("y\r\n");
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

    void listLineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("one break") << QByteArray("\n") << QStringList{""};
        QTest::newRow("no break at the end") << QByteArray("a") << QStringList{"a"};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lone CR and LF") << QByteArray("a\rb\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("blank last line") << QByteArray("a\n\n") << QStringList{"a", ""};
        QTest::newRow("CR before CR LF") << QByteArray("\r\r\n") << QStringList{"", ""};
    }
    void listLineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(stateFileLines(bytes), lines);
    }

    // The lines decoded one by one, from the bytes whole or in pieces, are those of the whole file
    // decoded at once and then split,
    // with the same verdict on its bytes: broken, cut and misplaced characters, byte order marks
    // and every kind of line end among them.
    void linesDecodedAloneMatchTheWholeText()
    {
        const QList<QByteArray> pieces{
            "a",        "\\",           "\r",           "\n",   "\r\n",     "\xC3\xA4", "\xC3",         "\xA4",
            "\xE2\x82", "\xE2\x82\xAC", "\xEF\xBB\xBF", "\xFF", "\xF0\x9F", "\x98\x80", "\xED\xA0\x80", "\xC0\x8A"};
        QRandomGenerator random(20261211);
        for (int round = 0; round < 20000; ++round) {
            QByteArray bytes;
            const int count = random.bounded(12);
            for (int i = 0; i < count; ++i)
                bytes += pieces.at(random.bounded(int(pieces.size())));
            QStringDecoder whole(QStringConverter::System);
            const QString text = whole(bytes);
            // Whole, and in pieces of every size that cuts lines, line ends and characters apart.
            for (const qsizetype pieceSize : {0, 1, 2, 3, 5}) {
                QStringList lines;
                const bool valid = decodeStateFileLines(bytes, lines, pieceSize);
                QVERIFY2(valid == !whole.hasError() && lines == splitTextLines(text),
                         qPrintable(bytes.toHex(' ') + " in pieces of " + QByteArray::number(pieceSize)));
            }
        }
    }

    // Long lines of plain ASCII, now and then one with letters beyond ASCII or a broken character,
    // ended every way, read whole and in pieces that cut them anywhere: the same lines and verdict
    // as the whole file decoded at once.
    void longAsciiLinesDecodeAsTheWholeText()
    {
        const QList<QByteArray> odd{"\xC3\xA4", "\xE2\x82\xAC", "\xEF\xBB\xBF", "\xFF", "\xF0\x9F\x98\x80", "\xC3"};
        const QList<QByteArray> ends{"\r\n", "\r\n", "\n", "\r", ""};
        QRandomGenerator random(31);
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes;
            const int count = random.bounded(40);
            for (int i = 0; i < count; ++i) {
                const int size = random.bounded(70);
                for (int k = 0; k < size; ++k)
                    bytes += char(0x20 + random.bounded(0x5f));
                if (random.bounded(8) == 0)
                    bytes.insert(random.bounded(int(bytes.size()) + 1), odd.at(random.bounded(int(odd.size()))));
                bytes += ends.at(random.bounded(int(ends.size())));
            }
            QStringDecoder whole(QStringConverter::System);
            const QString text = whole(bytes);
            for (const qsizetype pieceSize : {0, 1, 7, 8, 9, 64, 1000}) {
                QStringList lines;
                const bool valid = decodeStateFileLines(bytes, lines, pieceSize);
                QVERIFY2(valid == !whole.hasError() && lines == splitTextLines(text),
                         qPrintable(bytes.toHex(' ') + " in pieces of " + QByteArray::number(pieceSize)));
            }
        }
    }

    // The written bytes are those of one encoder taking the lines in a row, a CR LF after each:
    // ASCII lines among others, empty ones, lone halves of surrogate pairs at either end of a line,
    // lines longer than a piece of the writer.
    void linesAreWrittenAsOneEncoderWritesThem()
    {
        const QList<QString> pool{QStringLiteral("C:\\JOB1\\A-0001.dwg"),
                                  QString(),
                                  QStringLiteral(u"C:\\Pl\u00E4ne\\x.dwg"),
                                  QString(QChar(0xD83D)),
                                  QString(QChar(0xDE00)),
                                  QString(QChar(0xDE00)) + QStringLiteral("tail"),
                                  QStringLiteral("ascii") + QChar(0xD83D),
                                  QStringLiteral("ascii") + QChar(0xDE00),
                                  QStringLiteral(u"pair \U0001F600")};
        const QList<QString> huge{QString(70000, QLatin1Char('y')), QString(70000, QChar(0xE9))};
        QRandomGenerator random(1211);
        for (int round = 0; round < 1000; ++round) {
            QStringList lines;
            const int count = random.bounded(12);
            for (int i = 0; i < count; ++i)
                lines << (random.bounded(30) == 0 ? huge.at(random.bounded(2))
                                                  : pool.at(random.bounded(int(pool.size()))));
            QStringEncoder encode(QStringConverter::System);
            QByteArray expected;
            for (const QString &line : lines)
                expected += QByteArray(encode(line)) + "\r\n";
            QCOMPARE(stateLinesBytes(lines), expected);
        }
    }

    // A queue far larger than one piece of the writer, with letters beyond ASCII and a line longer
    // than a piece: the file holds the lines encoded in a row, and a disk that fills up part of the
    // way through keeps the old file and says so.
    void largeQueueIsWrittenInPieces()
    {
        test::Fixture pf;
        QStringList queue;
        for (int i = 0; i < 30000; ++i)
            queue << QStringLiteral(u"C:\\Pl\u00E4ne\\JOB%1\\A-%2-\u56F3.dwg").arg(i / 1000).arg(i);
        queue.insert(100, QString(100000, QLatin1Char('x')));
        QStringEncoder encode(QStringConverter::System);
        const QByteArray expected = encode(queue.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QVERIFY(writeUserStateFiles({queue, QString(), QString()}).ok);
        QCOMPARE(test::fileBytes(pf.data() + "tester-list.tmp"), expected);
        QCOMPARE(readUserStateFiles().queue, queue);

        const QByteArray old = test::fileBytes(pf.data() + "tester-list.tmp");
        queue.append(queue);
        StateSaveResult r;
        {
            test::FileSizeLimit limit(old.size() / 2);
            if (!limit.ok())
                QSKIP("no file-size limit to stand in for a full disk");
            r = writeUserStateFiles({queue, QString(), QString()});
        }
        QVERIFY(!r.ok);
        QVERIFY2(r.text().contains(QStringLiteral("Disk full")), qPrintable(r.text()));
        QCOMPARE(test::fileBytes(pf.data() + "tester-list.tmp"), old);
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

    // Only a write-protected file is reported as such: a folder standing in a state file's place is
    // a path/file access error with the system's reason.
    void folderInPlaceOfAStateFileIsNotWriteProtected()
    {
        test::TempProgramFolder pf(QStringLiteral("tester"));
        QVERIFY(QDir(pf.data()).mkdir("tester-scr.tmp"));
        const StateSaveResult r = writeUserStateFiles({{"new.dwg"}, "x", "n"});
        QVERIFY(!r.ok);
        QCOMPARE(r.messages.size(), 1);
        const QString scr = pf.data() + "tester-scr.tmp";
        QVERIFY2(r.messages.first().startsWith(QStringLiteral("Path/File access error\r\n") + scr + "\r\n"),
                 qPrintable(r.messages.first()));
        QVERIFY(r.messages.first().size() > QStringLiteral("Path/File access error\r\n\r\n").size() + scr.size());
        QCOMPARE(r.title, QStringLiteral(" Error # 75 was generated by Tessaline."));
        QVERIFY(QFileInfo(scr).isDir());
        QCOMPARE(test::fileBytes(pf.data() + "tester-list.tmp"), QByteArray("new.dwg\r\n"));
        QCOMPARE(test::fileBytes(pf.data() + "tester-s.tmp"), QByteArray("n\r\n"));
    }

    // Only a regular file is replaced: anything else at a state file's name is refused and named for
    // what it is, and left as it was (the link, and what it leads to); the other files are written.
    // A link of the user's own to a regular file is written through and stays a link. Reading such a
    // name never waits on a pipe.
    void onlyARegularFileIsReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named"); // a part of the reason; "" when the file is written
        QTest::newRow("link to a pipe") << "link to a pipe"
                                        << "It is a link to a pipe (FIFO), not to a regular file";
        QTest::newRow("link to a device") << "link to a device"
                                          << "It is a link to a device, not to a regular file";
        QTest::newRow("dangling link") << "dangling link"
                                       << "It is a link to nothing (a dangling link)";
        QTest::newRow("pipe") << "pipe"
                              << "It is a pipe (FIFO), not a regular file";
        QTest::newRow("link of another user") << "link of another user"
                                              << "It is a link that belongs to another user";
        QTest::newRow("link to a regular file") << "link to a regular file"
                                                << "";
    }
    void onlyARegularFileIsReplaced()
    {
#ifdef Q_OS_WIN
        QSKIP("no pipes, devices or links of other users in a folder");
#else
        QFETCH(QString, kind);
        QFETCH(QString, named);
        test::Fixture pf;
        const QString scr = pf.data() + "tester-scr.tmp";
        const QString elsewhere = pf.writeFile("elsewhere/old.txt", "old\r\n");
        const QString pipe = pf.path() + "elsewhere/pipe";
        QString target;
        if (kind == "pipe") {
            QVERIFY(test::makeFifo(scr));
        } else if (kind == "link to a pipe") {
            QVERIFY(test::makeFifo(pipe));
            target = pipe;
        } else if (kind == "link to a device") {
            target = QStringLiteral("/dev/null");
        } else if (kind == "dangling link") {
            target = pf.path() + "elsewhere/none.txt";
        } else {
            target = elsewhere;
        }
        if (!target.isEmpty())
            QVERIFY(QFile::link(target, scr));
        if (kind == "link of another user") {
            if (geteuid() != 0)
                QSKIP("only root can give a link to another user");
            QCOMPARE(::lchown(QFile::encodeName(scr).constData(), 65534, 65534), 0);
        }

        StateSaveResult r;
        {
            const test::HangWatchdog watchdog(20, "a state file that is not a regular file");
            r = writeUserStateFiles({{"new.dwg"}, "x", "n"});
            readUserStateFiles(); // returns at once, whatever it makes of it
        }
        QCOMPARE(test::fileBytes(pf.data() + "tester-list.tmp"), QByteArray("new.dwg\r\n"));
        QCOMPARE(test::fileBytes(pf.data() + "tester-s.tmp"), QByteArray("n\r\n"));
        if (named.isEmpty()) {
            QVERIFY2(r.ok, qPrintable(r.text()));
            QVERIFY(QFileInfo(scr).isSymLink());
            QCOMPARE(test::fileBytes(elsewhere), QByteArray("x\r\n"));
            return;
        }
        QVERIFY(!r.ok);
        QCOMPARE(r.title, QStringLiteral(" Error # 75 was generated by Tessaline."));
        QCOMPARE(r.messages.size(), 1);
        QVERIFY2(r.messages.first().contains(scr + "\r\n" + named), qPrintable(r.messages.first()));
        // Untouched: the name, and what it leads to.
        struct stat st;
        if (kind == "pipe") {
            QVERIFY(::lstat(QFile::encodeName(scr).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        } else {
            QVERIFY(QFileInfo(scr).isSymLink());
            QCOMPARE(QFileInfo(scr).symLinkTarget(), target);
        }
        QCOMPARE(test::fileBytes(elsewhere), QByteArray("old\r\n"));
        QVERIFY(::stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode));
        QVERIFY(kind != "link to a pipe" ||
                (::lstat(QFile::encodeName(pipe).constData(), &st) == 0 && S_ISFIFO(st.st_mode)));
        QVERIFY(!QFileInfo::exists(pf.path() + "elsewhere/none.txt"));
        QCOMPARE(QDir(pf.data()).entryList({"tester-scr.tmp.*"}, QDir::AllEntries | QDir::System | QDir::Hidden),
                 QStringList());
#endif
    }
};

QTEST_GUILESS_MAIN(TestStateFiles)
#include "tst_statefiles.moc"
