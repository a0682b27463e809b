// The queue's list work: what may enter, the orders with their ties, the moves of the selected run,
// and the control-state rule.

#include "core/like.h"
#include "core/queueops.h"
#include "mainwin/queuecontrols.h"
#include "mainwin/queuedrop.h"
#include "testsupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace tess;

namespace {

// The selection procedure exactly as the queue's sorts describe it, for comparison.
QList<qsizetype> selectionByHand(const QStringList &keys)
{
    QList<qsizetype> at(keys.size());
    for (qsizetype i = 0; i < at.size(); ++i)
        at[i] = i;
    for (qsizetype p = at.size() - 1; p >= 0; --p) {
        qsizetype best = p;
        for (qsizetype i = 0; i <= p; ++i) {
            if (textCompare(keys.at(at.at(i)), keys.at(at.at(best))) > 0)
                best = i;
        }
        if (best < p)
            std::swap(at[best], at[p]);
    }
    return at;
}

QStringList split(const char *text) { return QString::fromUtf8(text).split(QLatin1Char('|'), Qt::SkipEmptyParts); }

// The queue's rules written plainly, one character at a time, for comparison.
bool acceptableByHand(const QString &entry)
{
    if (entry.isEmpty())
        return false;
    for (QChar c : entry) {
        const char16_t u = c.unicode();
        if (u == u'"' || u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029 || u == 0xfffd)
            return false;
    }
    return true;
}
bool textFileByHand(const QString &entry)
{
    const QStringView tail = QStringView(entry).right(3);
    return tail.compare(u"csv", Qt::CaseInsensitive) == 0 || tail.compare(u"txt", Qt::CaseInsensitive) == 0;
}

// Paths of printable ASCII with, now and then, a unit from anywhere in UTF-16 (controls, quotes,
// surrogates, the separators, letters that fold to ASCII ones).
QString randomEntry(QRandomGenerator &rng)
{
    static const char16_t rare[] = {u'"',   0x00,   0x1f,   0x7f,   0x80,   0x9f, 0xa0,   0x17f, 0x2028,
                                    0x2029, 0xfffd, 0xd800, 0xdc00, 0x212a, u'C', u'S',   u'V',  u'T',
                                    u'X',   u'c',   u's',   u'v',   u't',   u'x', 0xff43, 0xe9};
    QString s;
    const int n = rng.bounded(8);
    for (int i = 0; i < n; ++i) {
        const quint32 pick = rng.bounded(10);
        if (pick < 6)
            s += QChar(char16_t(0x20 + rng.bounded(0x5f)));
        else if (pick < 9)
            s += QChar(rare[rng.bounded(int(std::size(rare)))]);
        else
            s += QChar(char16_t(rng.bounded(0x10000)));
    }
    return s;
}

} // namespace

class TestQueueOps : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusesQuotesAndControlCharacters()
    {
        const QStringList in{QStringLiteral("C:\\A\\ok.dwg"),          QStringLiteral("C:\\A\\bad\".dwg"),
                             QStringLiteral("C:\\A\\line\nbreak.dwg"), QString(),
                             QStringLiteral("/a/b\x7f.dwg"),           QStringLiteral("/a/ümlaut.dwg"),
                             QFile::decodeName("/a/latin1-\xe9.dwg")};
        const QueueEntryFilter f = filterQueueEntries(in);
        QCOMPARE(f.accepted, (QStringList{in.at(0), in.at(5)}));
        QCOMPARE(f.refused, (QStringList{in.at(1), in.at(2), in.at(3), in.at(4), in.at(6)}));
        const QString msg = refusedEntriesMessage(f.refused);
        QVERIFY(msg.startsWith(QStringLiteral("5 entries")));
        QVERIFY(msg.contains(QStringLiteral("C:\\A\\bad\".dwg")));
        QVERIFY(msg.contains(QStringLiteral("line<0x0a>break"))); // the break is named, not printed
        QVERIFY(refusedEntriesMessage({}).isEmpty());
    }

    // Every refused unit is refused wherever it stands in a long path, and its neighbours are not.
    void refusedUnits_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("refused");
        for (int u : {0x00, 0x09, 0x0a, 0x0d, 0x1f, 0x22, 0x7f, 0x80, 0x85, 0x9f, 0x2028, 0x2029, 0xfffd})
            QTest::addRow("U+%04X", u) << u << true;
        for (int u : {0x20, 0x21, 0x23, 0x7e, 0xa0, 0xe9, 0x2027, 0x202a, 0xfffc, 0xfffe, 0xd800})
            QTest::addRow("U+%04X", u) << u << false;
    }
    void refusedUnits()
    {
        QFETCH(int, unit);
        QFETCH(bool, refused);
        const QString path = QStringLiteral("C:\\Projects\\JOB12\\DWG\\A-0345.dwg");
        for (qsizetype at : {qsizetype(0), qsizetype(1), path.size() / 2, path.size() - 1, path.size()}) {
            QString entry = path;
            entry.insert(at, QChar(char16_t(unit)));
            QVERIFY2(isAcceptableQueueEntry(entry) != refused, qPrintable(QString::number(at)));
        }
        QCOMPARE(isAcceptableQueueEntry(QString(QChar(char16_t(unit)))), !refused);
    }

    // An entry as long as the longest path the system opens goes in; one unit, or one byte of the
    // file-name encoding, more is refused, and the box names it by its start and its length.
    void entriesLongerThanAPathAreRefused_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("accepted");
        const qsizetype n = kLongestOpenablePath;
        const QString head = QStringLiteral("/d/");
        QTest::newRow("longest") << head + QString(n - head.size(), QLatin1Char('a')) << true;
        QTest::newRow("one more") << head + QString(n + 1 - head.size(), QLatin1Char('a')) << false;
        QTest::newRow("10 million") << QString(10'000'000, QLatin1Char('a')) << false;
#ifndef Q_OS_WIN
        // Letters of two and three bytes: fewer units reach the same number of bytes.
        const QString twoBytes = QString(n / 2, QChar(0xe9)) + QString(n % 2, QLatin1Char('a'));
        QTest::newRow("two-byte letters, longest") << twoBytes << true;
        QTest::newRow("two-byte letters, one byte more") << twoBytes + QLatin1Char('a') << false;
        const QString threeBytes = QString(n / 3, QChar(0x20ac)) + QString(n % 3, QLatin1Char('a'));
        QTest::newRow("three-byte letters, longest") << threeBytes << true;
        QTest::newRow("three-byte letters, one byte more") << threeBytes + QLatin1Char('a') << false;
#endif
    }
    void entriesLongerThanAPathAreRefused()
    {
        QFETCH(QString, entry);
        QFETCH(bool, accepted);
        QCOMPARE(isAcceptableQueueEntry(entry), accepted);
        const QueueEntryFilter f = filterQueueEntries({QStringLiteral("/d/a.dwg"), entry});
        QCOMPARE(f.accepted.size(), accepted ? 2 : 1);
        if (accepted)
            return;
        const QString msg = refusedEntriesMessage(f.refused);
        QVERIFY2(msg.size() < 1000, qPrintable(msg.left(1000)));
        QVERIFY(msg.contains(QStringLiteral("longer than the longest path the system can open")));
        QVERIFY(msg.contains(entry.left(100)));
        QVERIFY(msg.contains(QStringLiteral("... (%1 characters)").arg(entry.size())));
    }

    void entryTestsMatchThePlainRules()
    {
        QRandomGenerator rng(31);
        QStringList entries;
        for (int i = 0; i < 20000; ++i) {
            const QString e = randomEntry(rng);
            QCOMPARE(isAcceptableQueueEntry(e), acceptableByHand(e));
            QCOMPARE(isTextFileEntry(e), textFileByHand(e));
            QCOMPARE(isTextFileEntry(QStringLiteral("a.") + e.right(2)),
                     textFileByHand(QStringLiteral("a.") + e.right(2)));
            entries << e;
        }
        const QueueEntryFilter f = filterQueueEntries(entries);
        QStringList accepted, refused;
        for (const QString &e : entries)
            (acceptableByHand(e) ? accepted : refused) << e;
        QCOMPARE(f.accepted, accepted);
        QCOMPARE(f.refused, refused);
    }

    void orders_data()
    {
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<int>("sortType");
        QTest::addColumn<QStringList>("expected");
        const QStringList sheets = split("C:\\JOB\\SHEET10.DWG|C:\\JOB\\SHEET9.DWG|C:\\JOB\\A.DWG");
        QTest::newRow("ascending") << sheets << 0 << split("C:\\JOB\\A.DWG|C:\\JOB\\SHEET10.DWG|C:\\JOB\\SHEET9.DWG");
        QTest::newRow("descending") << sheets << 1 << split("C:\\JOB\\SHEET9.DWG|C:\\JOB\\SHEET10.DWG|C:\\JOB\\A.DWG");
        QTest::newRow("smart") << sheets << 2 << split("C:\\JOB\\A.DWG|C:\\JOB\\SHEET9.DWG|C:\\JOB\\SHEET10.DWG");
        QTest::newRow("smart reversed") << sheets << 3
                                        << split("C:\\JOB\\SHEET10.DWG|C:\\JOB\\SHEET9.DWG|C:\\JOB\\A.DWG");
        QTest::newRow("other type keeps") << sheets << 7 << sheets;
        // The longest title of the whole queue sets the padding, across folders.
        QTest::newRow("smart across folders") << split("C:\\P\\X.DWG|C:\\P\\SUB\\Y.DWG|C:\\P\\LONG.DWG") << 2
                                              << split("C:\\P\\X.DWG|C:\\P\\LONG.DWG|C:\\P\\SUB\\Y.DWG");
        QTest::newRow("posix smart") << split("/job/b10.dwg|/job/b9.dwg") << 2 << split("/job/b9.dwg|/job/b10.dwg");
        // Ties: the order the selection procedure leaves.
        QTest::newRow("ascending tie") << split("C:\\A\\X.DWG|c:\\a\\x.dwg") << 0 << split("C:\\A\\X.DWG|c:\\a\\x.dwg");
        QTest::newRow("descending tie") << split("C:\\A\\X.DWG|c:\\a\\x.dwg") << 1
                                        << split("c:\\a\\x.dwg|C:\\A\\X.DWG");
        QTest::newRow("smart tie") << split("C:\\A\\X.DWG|c:\\a\\x.dwg") << 2 << split("c:\\a\\x.dwg|C:\\A\\X.DWG");
        QTest::newRow("smart three cases")
            << split("C:\\A\\X.DWG|c:\\a\\x.dwg|C:\\a\\X.dwg") << 2 << split("c:\\a\\x.dwg|C:\\a\\X.dwg|C:\\A\\X.DWG");
        QTest::newRow("smart one") << split("C:\\A\\X.DWG") << 2 << split("C:\\A\\X.DWG");
        QTest::newRow("smart none") << QStringList() << 2 << QStringList();
    }
    void orders()
    {
        QFETCH(QStringList, queue);
        QFETCH(int, sortType);
        QFETCH(QStringList, expected);
        QCOMPARE(performSortOrder(queue, sortType), expected);
    }

    // The fast procedure leaves exactly the order of the step-by-step one, ties included.
    void selectionOrderMatchesTheProcedure()
    {
        QRandomGenerator rng(4711);
        const QStringList alphabet = split("a|A|b|B|_|1|a1|A1|ab|AB|Ab|x.dwg|X.DWG|x_|");
        for (int round = 0; round < 300; ++round) {
            QStringList keys;
            const int n = rng.bounded(0, 14);
            for (int i = 0; i < n; ++i)
                keys.append(rng.bounded(8) == 0 ? QString() : alphabet.at(rng.bounded(int(alphabet.size()))));
            QCOMPARE(selectionOrder(keys), selectionByHand(keys));
            QStringList byHand;
            for (qsizetype i : selectionByHand(keys))
                byHand.append(keys.at(i));
            QCOMPARE(sortedAscending(keys), byHand);
        }
    }

    void caseChangesKeepOrder()
    {
        const QStringList q = split("C:\\a\\Ü.dwg|/x/Y.DWG");
        QCOMPARE(upperCasedEntries(q, QLocale::c()), split("C:\\A\\Ü.DWG|/X/Y.DWG"));
        QCOMPARE(lowerCasedEntries(q, QLocale::c()), split("c:\\a\\ü.dwg|/x/y.dwg"));
    }

    // The locale's case mapping, not the invariant one: Turkish has a dotted capital I and a
    // dotless small i.
    void caseChangesFollowTheLocale()
    {
        test::Fixture fx;
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        if (turkish.toUpper(QStringLiteral("i")) != QStringLiteral("\u0130"))
            QSKIP("Qt was built without the locale case mappings (no ICU)");
        const QStringList q{QStringLiteral("C:\\Pi\\LIST.dwg")};
        QCOMPARE(upperCasedEntries(q, turkish), QStringList{QStringLiteral("C:\\P\u0130\\LIST.DWG")});
        QCOMPARE(lowerCasedEntries(q, turkish), QStringList{QStringLiteral("c:\\pi\\l\u0131st.dwg")});
        fx.setLocale(turkish);
        const QStringList upper = upperCasedEntries(q);
        QCOMPARE(upper, QStringList{QStringLiteral("C:\\P\u0130\\LIST.DWG")});
    }

    void moves_data()
    {
        QTest::addColumn<QList<qsizetype>>("selected");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("afterUp");
        QTest::addColumn<QString>("afterDown");
        // Entries are the letters; the selected indexes move.
        QTest::newRow("run 5-7") << QList<qsizetype>{5, 6, 7} << "abcdefghij"
                                 << "abcdfgheij"
                                 << "abcdeifghj";
        QTest::newRow("two runs: only the lower moves") << QList<qsizetype>{1, 2, 5, 6} << "abcdefgh"
                                                        << "abcdfgeh"
                                                        << "abcdehfg";
        QTest::newRow("run at the top") << QList<qsizetype>{0, 1} << "abcd"
                                        << "abcd"
                                        << "cabd";
        QTest::newRow("run at the bottom") << QList<qsizetype>{2, 3} << "abcd"
                                           << "acdb"
                                           << "abcd";
        QTest::newRow("nothing selected") << QList<qsizetype>{} << "abcd"
                                          << "abcd"
                                          << "abcd";
        QTest::newRow("single") << QList<qsizetype>{2} << "abcd"
                                << "acbd"
                                << "abdc";
    }
    void moves()
    {
        QFETCH(QList<qsizetype>, selected);
        QFETCH(QString, before);
        QFETCH(QString, afterUp);
        QFETCH(QString, afterDown);
        auto apply = [&](const QueueMove &m) -> QString {
            QStringList l;
            for (QChar c : before)
                l.append(QString(c));
            if (m.isValid() && !moveListItem(l, m.source, m.target))
                return QStringLiteral("(refused)");
            return l.join(QString());
        };
        QCOMPARE(apply(moveUpStep(selected, before.size())), afterUp);
        QCOMPARE(apply(moveDownStep(selected, before.size())), afterDown);
    }

    void moveListItemRefusesOutsideTargets()
    {
        QStringList l = split("a|b|c");
        QVERIFY(!moveListItem(l, 0, 3)); // target = count
        QVERIFY(!moveListItem(l, 0, -1));
        QVERIFY(!moveListItem(l, 3, 0)); // no such source
        QVERIFY(moveListItem(l, 0, 2));
        QCOMPARE(l, split("b|c|a"));
    }

    void controlStates_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("f");
        QTest::addColumn<bool>("scriptEmpty");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("c");
        // name=state pairs; 1 on, 0 off, - unchanged
        QTest::addColumn<QString>("expect");
        QTest::newRow("empty queue") << 0 << 0 << 0 << false << false << 0
                                     << "cmdRemoveAllDwg=0 cmdQueueQuickPick=0 Command1_Compile=0 cmdCreateAndRun=0 "
                                        "cmdRemoveDwg=0 mnuCopySelectedtoClip=0 mnuSort=0 mnuRenamer=0 "
                                        "mnuCombineText=0 cmdAddAll=0 cmdAddDwg=0 mnuCopyWithExt=- cmdSAVESCR=1";
        QTest::newRow("one entry, script") << 1 << 0 << 3 << false << false << 0
                                           << "Command1_Compile=1 cmdCreateAndRun=1 cmdQueueQuickPick=1 "
                                              "cmdAddAll=1 cmdAddDwg=- mnuCopyWithExt=1 mnuOpen=0 cmdRemoveDwg=0";
        QTest::newRow("entries, empty script")
            << 4 << 0 << 1 << true << false << 0 << "Command1_Compile=- cmdCreateAndRun=- cmdQueueQuickPick=1";
        QTest::newRow("one selected") << 4 << 1 << 1 << false << false << 0
                                      << "mnuOpen=1 mnuSkip=1 mnuGotoDir=1 mnuOpenDirInExplorer=1 "
                                         "mnuRemoveSelectedFiles=1 mnuSelected=1 mnuCopySelectedtoClip=1 "
                                         "cmdRemoveDwg=-";
        QTest::newRow("two selected") << 4 << 2 << 1 << false << false << 0
                                      << "mnuOpen=1 mnuSkip=0 mnuGotoDir=0 mnuOpenDirInExplorer=0 "
                                         "mnuRemoveSelectedFiles=1 mnuSelected=1";
        QTest::newRow("text files only") << 2 << 0 << 1 << false << false << 2 << "mnuCombineText=1";
        QTest::newRow("one drawing among text files") << 3 << 0 << 1 << false << false << 2 << "mnuCombineText=0";
        QTest::newRow("read-only") << 2 << 0 << 1 << false << true << 0 << "cmdSAVESCR=0 cmdDeleteSCR=0";
    }
    void controlStates()
    {
        QFETCH(int, n);
        QFETCH(int, k);
        QFETCH(int, f);
        QFETCH(bool, scriptEmpty);
        QFETCH(bool, readOnly);
        QFETCH(int, c);
        QFETCH(QString, expect);
        // Two items as features add them: one for a queue with entries, one for text files only.
        const QList<QPair<QString, QueueNeed>> items{{QStringLiteral("mnuRenamer"), QueueNeed::Entries},
                                                     {QStringLiteral("mnuCombineText"), QueueNeed::TextFilesOnly}};
        const QueueControlStates s = computeQueueControlStates({n, k, f, scriptEmpty, readOnly, c, items});
        QCOMPARE(s.queueCaption, QStringLiteral("Queue = %1").arg(n));
        for (const QString &pair : expect.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString name = pair.section(QLatin1Char('='), 0, 0);
            const QString want = pair.section(QLatin1Char('='), 1);
            const int got = s.stateOf(name);
            QVERIFY2(want == QLatin1String("-") ? got == -1 : got == want.toInt(), qPrintable(pair));
        }
    }

    // A dropped file list: one drive path per line matching "?:\" and the drawing filter.
    void droppedLists_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("quoted, blanks, network, empty, comment")
            << QStringLiteral("\"C:\\A\\one.dwg\"\r\nC:\\A\\two.dwg \r\n\\\\srv\\s\\x.dwg\r\n\r\n; note\r\n"
                              "rel\\y.dwg\r\n\"\r\nD:\\B\\THREE.DWG")
            << QStringLiteral("*.dwg") << split("C:\\A\\one.dwg|D:\\B\\THREE.DWG");
        QTest::newRow("lone CR and LF end lines too")
            << QStringLiteral("C:\\a.dwg\rC:\\b.dwg\nC:\\c.dwg\r\n") << QStringLiteral("*.dwg")
            << split("C:\\a.dwg|C:\\b.dwg|C:\\c.dwg");
        QTest::newRow("the filter decides") << QStringLiteral("C:\\a.dwg\r\nC:\\b.dxf\r\nC:\\P1.dwg")
                                            << QStringLiteral("P?.dwg") << split("C:\\P1.dwg");
        QTest::newRow("kept as written, unquoted only at both ends")
            << QStringLiteral("c:\\A b\\x.DWG\r\n\"C:\\q.dwg\r\nC:\\in\"side.dwg") << QStringLiteral("*.dwg")
            << split("c:\\A b\\x.DWG|C:\\in\"side.dwg");
#ifndef Q_OS_WIN
        QTest::newRow("absolute POSIX paths")
            << QStringLiteral("/job/a.dwg\nrel/b.dwg\n/job/c.txt") << QStringLiteral("*.dwg") << split("/job/a.dwg");
#endif
    }
    void droppedLists()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QStringList, expected);
        QCOMPARE(droppedListEntries(text, pattern), expected);
    }

    void textFileEntries()
    {
        QCOMPARE(countTextFileEntries(split("a.TXT|b.csv|ctxt|d.dwg|xt|.tXt|a.csV|a.cs|a.c@v|a.dsv|b.Csvx")),
                 qsizetype(5));
        // Beyond ASCII a letter counts by its case folding: the long s is an "s".
        QVERIFY(isTextFileEntry(QStringLiteral("a.c\u017Fv")));
        QVERIFY(!isTextFileEntry(QStringLiteral("a.\u00E7sv")));
    }
};

QTEST_GUILESS_MAIN(TestQueueOps)
#include "tst_queueops.moc"
