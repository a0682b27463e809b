// The tips file and the tip shown: every line a tip, the paragraph rule, the tip after the stored
// one with its position text, the wrap of "<<" and ">>", and the files that hold no tip.

#include "help/tips.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace tess;

class TestTips : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A file and a stored TipNumber give the tip shown first and its position text.
    void firstTipShown_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("position");
        const QByteArray three = "one\r\ntwo\r\nthree\r\n";
        QTest::newRow("first run shows the second tip") << three << "0"
                                                        << "two"
                                                        << "Tip 2/3";
        QTest::newRow("after the stored one") << three << "1"
                                              << "three"
                                              << "Tip 3/3";
        QTest::newRow("after the last: the first") << three << "2"
                                                   << "one"
                                                   << "Tip 1/3";
        QTest::newRow("stored beyond a shortened file") << three << "999"
                                                        << "one"
                                                        << "Tip 1/3";
        QTest::newRow("stored equal to the count") << three << "3"
                                                   << "one"
                                                   << "Tip 1/3";
        QTest::newRow("stored negative") << three << "-3"
                                         << "one"
                                         << "Tip 1/3";
        QTest::newRow("stored not a number") << three << "abc"
                                             << "one"
                                             << "Tip 1/3";
        QTest::newRow("one line") << QByteArray("only") << "0"
                                  << "only"
                                  << "Tip 1/1";
        QTest::newRow("one line with its line end") << QByteArray("only\r\n") << "0"
                                                    << "only"
                                                    << "Tip 1/1";
        QTest::newRow("LF line ends are lines") << QByteArray("a\nb\nc\n") << "0"
                                                << "b"
                                                << "Tip 2/3";
        QTest::newRow("lone CR ends a line too") << QByteArray("a\rb") << "0"
                                                 << "b"
                                                 << "Tip 2/2";
        QTest::newRow("an empty line is an empty tip") << QByteArray("a\r\n\r\nc\r\n") << "0"
                                                       << ""
                                                       << "Tip 2/3";
        QByteArray thousand;
        for (int i = 1; i <= 1000; ++i)
            thousand += "Tip number " + QByteArray::number(i) + "\r\n";
        QTest::newRow("1,000 lines, none dropped") << thousand << "998"
                                                   << "Tip number 1000"
                                                   << "Tip 1000/1000";
        QTest::newRow("1,000 lines wrap") << thousand << "999"
                                          << "Tip number 1"
                                          << "Tip 1/1000";
    }
    void firstTipShown()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, stored);
        QFETCH(QString, tip);
        QFETCH(QString, position);
        const QStringList tips = tipsFromBytes(file);
        const int current = firstTipIndex(stored, int(tips.size()));
        QCOMPARE(tips.at(current), tip);
        QCOMPARE(tipPositionText(current, int(tips.size())), position);
    }

    // Two adjacent spaces, from the left and without overlap, are a paragraph break.
    void paragraphRule_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("tip");
        QTest::newRow("two sentences") << "First.  Second."
                                       << "First.\r\n\r\nSecond.";
        QTest::newRow("three spaces") << "a   b"
                                      << "a\r\n\r\n b";
        QTest::newRow("four spaces") << "a    b"
                                     << "a\r\n\r\n\r\n\r\nb";
        QTest::newRow("one space stays") << "a b"
                                         << "a b";
        QTest::newRow("trailing pair") << "end  "
                                       << "end\r\n\r\n";
    }
    void paragraphRule()
    {
        QFETCH(QString, line);
        QFETCH(QString, tip);
        QCOMPARE(tipWithParagraphs(line), tip);
        // The file reader applies the same rule to every line.
        QCOMPARE(tipsFromBytes(line.toLatin1() + "\r\nnext").first(), tip);
    }

    // ">>" from the last tip and "<<" from the first wrap around; one tip stays where it is.
    void pagingWraps()
    {
        QCOMPARE(nextTipIndex(0, 3), 1);
        QCOMPARE(nextTipIndex(2, 3), 0);
        QCOMPARE(previousTipIndex(2, 3), 1);
        QCOMPARE(previousTipIndex(0, 3), 2);
        QCOMPARE(nextTipIndex(0, 1), 0);
        QCOMPARE(previousTipIndex(0, 1), 0);
        QCOMPARE(tipPositionText(56, 57), QStringLiteral("Tip 57/57"));
    }

    // The tips file found in DATA, whatever the case of its name, and each way it can hold no tip.
    void filesWithoutTips()
    {
        test::Fixture fx;
        const QString expected = fx.folder() + QStringLiteral("/DATA/tips.txt");
        QCOMPARE(tipsFilePath(), expected);
        TipsFile missing = readTipsFile(tipsFilePath());
        QCOMPARE(missing.status, TipsFile::Status::Missing);
        // Without the DATA folder the file is missing just the same.
        QVERIFY(QDir(fx.data()).removeRecursively());
        QCOMPARE(readTipsFile(tipsFilePath()).status, TipsFile::Status::Missing);
        QVERIFY(QDir().mkpath(fx.data()));
        QCOMPARE(tipsFileMissingText(), QStringLiteral("TIPS.TXT file not found in Tessaline directory"));

        fx.writeFile(QStringLiteral("DATA/TIPS.TXT"), QByteArray());
        QCOMPARE(QFileInfo(tipsFilePath()).fileName(), QStringLiteral("TIPS.TXT"));
        QCOMPARE(readTipsFile(tipsFilePath()).status, TipsFile::Status::Empty);
        QCOMPARE(tipsFileEmptyText(), QStringLiteral("TIPS.TXT file is empty"));
        QVERIFY(QFile::remove(fx.data() + QStringLiteral("TIPS.TXT")));

        // A folder where the file should be: unreadable, with the system's reason and the path.
        QVERIFY(QDir().mkpath(expected));
        const TipsFile unreadable = readTipsFile(tipsFilePath());
        QCOMPARE(unreadable.status, TipsFile::Status::Unreadable);
        QVERIFY(!unreadable.reason.isEmpty());
        QVERIFY(tipsFileUnreadableText(unreadable).contains(QDir::toNativeSeparators(expected)));
        QVERIFY(tipsFileUnreadableText(unreadable).contains(unreadable.reason));
        QVERIFY(unreadable.tips.isEmpty());
    }

    // The tips shipped with the program: plain ASCII, CR LF after every line, no empty tip, a few
    // dozen of them.
    void shippedTipsFile()
    {
        const QString path = QStringLiteral(TESSALINE_TEST_DATA "/../../dist/DATA/tips.txt");
        const QByteArray bytes = test::fileBytes(path);
        QVERIFY2(!bytes.isEmpty(), qPrintable(path));
        QVERIFY(bytes.endsWith("\r\n"));
        for (char c : bytes)
            QVERIFY2(c == '\r' || c == '\n' || (c >= 32 && c < 127), "plain ASCII only");
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));
        QVERIFY2(!bytes.contains("&&"), "a tip shows its text as written: one \"&\"");
        const QStringList tips = tipsFromBytes(bytes);
        QVERIFY(tips.size() >= 24);
        for (const QString &tip : tips)
            QVERIFY(!tip.trimmed().isEmpty());
        // A first run, with no tip stored as shown, starts at the second tip: the welcome.
        QCOMPARE(firstTipIndex(QStringLiteral("0"), int(tips.size())), 1);
        QVERIFY(tips.at(1).startsWith(QStringLiteral("Welcome to Tessaline!")));
    }
};

QTEST_GUILESS_MAIN(TestTips)
#include "tst_tips.moc"
