#include "core/like.h"
#include "core/listutils.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tess;

namespace {

// Records every progress call; interval 0 so every step is seen.
class RecordingProgress final : public ScanProgress
{
public:
    QStringList labels;
    int pumps = 0;
    std::function<void(const QString &)> onLabel;
    void label(const QString &text) override
    {
        labels.append(text);
        if (onLabel)
            onLabel(text);
    }
    void pump() override { ++pumps; }
    int intervalMs() const override { return 0; }
    void specialFileSkipped(const QString &path) override { special.append(path); }
    QStringList special;
};

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

// Builds the files (and, for names ending in "/", folders) below root.
void makeTree(const QString &root, const QStringList &entries)
{
    for (const QString &e : entries) {
        if (e.endsWith(QLatin1Char('/')))
            QDir().mkpath(root + QLatin1Char('/') + e);
        else
            touch(root + QLatin1Char('/') + e);
    }
}

QStringList relative(const QString &root, const QStringList &paths)
{
    QStringList out;
    for (const QString &p : paths) {
        if (!p.startsWith(root + QLatin1Char('/')))
            out.append(QStringLiteral("<outside> ") + p);
        else
            out.append(p.mid(root.size() + 1));
    }
    return out;
}

// The classic selection sort from the top, as the reference for the order of equal entries.
QStringList referenceSort(QStringList v)
{
    for (qsizetype i = v.size() - 1; i >= 0; --i) {
        QString cand = v[i];
        qsizetype ci = i;
        for (qsizetype j = 0; j <= i; ++j) {
            if (textCompare(v[j], cand) > 0) {
                cand = v[j];
                ci = j;
            }
        }
        if (ci < i) {
            v[ci] = v[i];
            v[i] = cand;
        }
    }
    return v;
}

const QStringList kTree = {
    QStringLiteral("a.dwg"),         QStringLiteral("B.DWG"),      QStringLiteral("c.dwg.bak"),
    QStringLiteral("-A.dwg"),        QStringLiteral("notes.txt"),  QStringLiteral(".hidden.dwg"),
    QStringLiteral("sub.dwg/x.dwg"), QStringLiteral("sub2/y.DWG"), QStringLiteral("sub2/deeper/z.dwg"),
    QStringLiteral("empty/"),
};

} // namespace

class TestListUtils : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void walk_data();
    void walk();
    void walkCountsAndLabels();
    void walkKeepsBackslashSeparator();
    void walkDoesNotFollowLinks();
    void walkSkipsUnreadableFolder();
    void walkPassesOverPipesAndDevices();
    void walkStopsAfterEntryInHand();
    void walkStoppedFromProgress();
    void fileTitles();

    void sort_data();
    void sort();
    void sortTiesMatchSelectionSort();

    void dedup_data();
    void dedup();
    void dedupProgressAndStop();

    void smallHelpers();
};

void TestListUtils::walk_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("trailingSeparator");
    QTest::addColumn<QStringList>("expected");

    // Depth first, parents before children; names in textCompare order within a folder
    // (punctuation before digits before letters), a folder's contents where the folder stands.
    const QStringList dwg = {"-A.dwg",        ".hidden.dwg",       "a.dwg",     "B.DWG",
                             "sub.dwg/x.dwg", "sub2/deeper/z.dwg", "sub2/y.DWG"};
    QTest::newRow("*.DWG without separator") << "*.DWG" << false << dwg;
    QTest::newRow("*.DWG with separator") << "*.DWG" << true << dwg;
    QTest::newRow("short name, longer pattern") << "*-A*.dwg" << false << QStringList{"-A.dwg"};
    QTest::newRow("single letter") << "*z*" << false << QStringList{"sub2/deeper/z.dwg"};
    QTest::newRow("no match") << "*.lsp" << false << QStringList{};
}

void TestListUtils::walk()
{
    QFETCH(QString, pattern);
    QFETCH(bool, trailingSeparator);
    QFETCH(QStringList, expected);
    QTemporaryDir tmp;
    makeTree(tmp.path(), kTree);
    QStringList list{QStringLiteral("kept")};
    RecordingProgress progress;
    SearchFilesIntoList(tmp.path() + (trailingSeparator ? "/" : ""), pattern, list, &progress);
    QCOMPARE(list.takeFirst(), QStringLiteral("kept"));
    QCOMPARE(relative(tmp.path(), list), expected);
    QCOMPARE(progress.foundFileCount(), qint64(expected.size()));
    // Without a progress the walk finds the same.
    QStringList plain;
    SearchFilesIntoList(tmp.path() + (trailingSeparator ? "/" : ""), pattern, plain);
    QCOMPARE(relative(tmp.path(), plain), expected);
}

void TestListUtils::walkCountsAndLabels()
{
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"1.dwg", "2.dwg", "3.dwg", "s/4.dwg", "s/5.dwg", "s/other.txt"});
    RecordingProgress progress;
    progress.setFoundFileCount(10); // never reset by the walk
    QStringList list;
    SearchFilesIntoList(tmp.path(), QStringLiteral("*.dwg"), list, &progress);
    QCOMPARE(list.size(), 5);
    QCOMPARE(progress.foundFileCount(), qint64(15));
    QCOMPARE(progress.labels.last(), QStringLiteral("15 files found"));
    QVERIFY(progress.pumps >= 7); // after every entry when unpaced
}

void TestListUtils::walkKeepsBackslashSeparator()
{
#ifndef Q_OS_WIN
    QSKIP("backslash paths are walked on Windows only");
#else
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"d/a.dwg"});
    const QString native = QDir::toNativeSeparators(tmp.path());
    QStringList list;
    SearchFilesIntoList(native, QStringLiteral("*.dwg"), list);
    QCOMPARE(list, QStringList{native + "\\d\\a.dwg"});
#endif
}

void TestListUtils::walkDoesNotFollowLinks()
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    makeTree(root, {"a.dwg", "sub/b.dwg"});
    if (!QFile::link(root, root + "/sub/loop") || !QFile::link(root + "/a.dwg", root + "/sub/link.dwg") ||
        !QFile::link(root + "/missing.dwg", root + "/sub/dangling.dwg") ||
        !QFile::link(root + "/sub", root + "/tosub.dwg"))
        QSKIP("symbolic links cannot be made here");
    QStringList list;
    SearchFilesIntoList(root, QStringLiteral("*"), list);
    // The loop and the folder link are neither walked nor listed; a link to a file is a file.
    QCOMPARE(relative(root, list), (QStringList{"a.dwg", "sub/b.dwg", "sub/link.dwg"}));
    list.clear();
    SearchFileTitlesIntoList(root, QStringLiteral("*.dwg"), list);
    QCOMPARE(list, (QStringList{"A", "B", "LINK"}));
}

// A pipe named like a drawing, and links to a pipe and to a device: none is listed, each is named.
void TestListUtils::walkPassesOverPipesAndDevices()
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    makeTree(root, {"a.dwg", "sub/b.dwg"});
    if (!test::makeFifo(root + "/sub/fifo.dwg"))
        QSKIP("no named pipes here");
    QVERIFY(QFile::link(root + "/sub/fifo.dwg", root + "/pipe link.dwg"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), root + "/zero.dwg"));
    RecordingProgress progress;
    QStringList list;
    SearchFilesIntoList(root, QStringLiteral("*.dwg"), list, &progress);
    QCOMPARE(relative(root, list), (QStringList{"a.dwg", "sub/b.dwg"}));
    QCOMPARE(relative(root, progress.special), (QStringList{"pipe link.dwg", "sub/fifo.dwg", "zero.dwg"}));
    QCOMPARE(progress.foundFileCount(), 2);
    list.clear();
    SearchFileTitlesIntoList(root, QStringLiteral("*.dwg"), list);
    QCOMPARE(list, (QStringList{"A", "B"}));
}

void TestListUtils::walkSkipsUnreadableFolder()
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    makeTree(root, {"a/1.dwg", "locked/2.dwg", "z/3.dwg"});
    QFile::setPermissions(root + "/locked", QFileDevice::Permissions());
    if (QDir(root + "/locked").isReadable()) {
        QFile::setPermissions(root + "/locked",
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QSKIP("permissions are not enforced for this user (root)");
    }
    QStringList list;
    SearchFilesIntoList(root, QStringLiteral("*.dwg"), list);
    QFile::setPermissions(root + "/locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(relative(root, list), (QStringList{"a/1.dwg", "z/3.dwg"}));
}

// A walk started with the stop flag up handles the first entry of each level it enters
// (descending first when that entry is a folder) and returns.
void TestListUtils::walkStopsAfterEntryInHand()
{
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"aa/b.dwg", "aa/c.dwg", "d.dwg"});
    RecordingProgress stopped;
    stopped.setStopRequested(true);
    QStringList list;
    SearchFilesIntoList(tmp.path(), QStringLiteral("*.dwg"), list, &stopped);
    QCOMPARE(relative(tmp.path(), list), QStringList{"aa/b.dwg"});
    QVERIFY(stopped.stopRequested()); // the walk never clears it
    // The request belongs to its object: another walk with another object goes to the end.
    RecordingProgress other;
    list.clear();
    SearchFilesIntoList(tmp.path(), QStringLiteral("*.dwg"), list, &other);
    QCOMPARE(relative(tmp.path(), list), (QStringList{"aa/b.dwg", "aa/c.dwg", "d.dwg"}));
}

void TestListUtils::walkStoppedFromProgress()
{
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"1.dwg", "2.dwg", "3.dwg", "s/4.dwg"});
    RecordingProgress progress;
    progress.onLabel = [&progress](const QString &text) {
        if (text == QLatin1String("2 files found"))
            progress.setStopRequested(true); // Stop pressed while the window shows 2
    };
    QStringList list;
    SearchFilesIntoList(tmp.path(), QStringLiteral("*.dwg"), list, &progress);
    QCOMPARE(relative(tmp.path(), list), (QStringList{"1.dwg", "2.dwg"}));
}

void TestListUtils::fileTitles()
{
    QTemporaryDir tmp;
    makeTree(tmp.path(), {"Alpha.TAG", "beta.tag", "x.tag.bak", "nested/Gamma.Tag", "nested.tag/"});
    QStringList list;
    RecordingProgress progress;
    progress.setStopRequested(true); // not read by this walk
    SearchFileTitlesIntoList(tmp.path() + "/", QStringLiteral("*.TAG"), list, &progress);
    QCOMPARE(list, (QStringList{"ALPHA", "BETA", "GAMMA"}));
    QCOMPARE(progress.foundFileCount(), qint64(3));
    QVERIFY(progress.labels.isEmpty());
}

void TestListUtils::sort_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("ties moved") << QStringList{"b", "A", "a", "C"} << QStringList{"a", "A", "b", "C"};
    QTest::newRow("ties in place") << QStringList{"x", "X"} << QStringList{"x", "X"};
    QTest::newRow("empty") << QStringList{} << QStringList{};
    QTest::newRow("classes") << QStringList{"b", "10", "_x", "2", "A"} << QStringList{"_x", "10", "2", "A", "b"};
    QTest::newRow("paths") << QStringList{"C:\\B\\x.dwg", "C:\\A b\\y.dwg", "C:\\A\\z.dwg"}
                           << QStringList{"C:\\A b\\y.dwg", "C:\\A\\z.dwg", "C:\\B\\x.dwg"};
}

void TestListUtils::sort()
{
    QFETCH(QStringList, values);
    QFETCH(QStringList, expected);
    SortArrayAscending(values);
    QCOMPARE(values, expected);
}

// Lists full of entries differing only in case: the order of equal entries is the classic
// procedure's, whatever the mix.
void TestListUtils::sortTiesMatchSelectionSort()
{
    QRandomGenerator rng(12345);
    const QStringList alphabet = {"a", "A", "b", "B", "c", "ab", "AB", "aB"};
    for (int round = 0; round < 500; ++round) {
        QStringList values;
        const int n = 1 + int(rng.bounded(12));
        for (int i = 0; i < n; ++i)
            values.append(alphabet.at(rng.bounded(alphabet.size())));
        const QStringList expected = referenceSort(values);
        QStringList got = values;
        SortArrayAscending(got);
        if (got != expected)
            QFAIL(qPrintable(values.join(',') + " gave " + got.join(',') + " instead of " + expected.join(',')));
    }
}

void TestListUtils::dedup_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<qint64>("removed");

    const QStringList mixed = {"A", "B", "a", "C", "A"};
    QTest::newRow("ignoring case") << mixed << true << QStringList{"B", "C", "A"} << qint64(2);
    QTest::newRow("exact case") << mixed << false << QStringList{"B", "a", "C", "A"} << qint64(1);
    QTest::newRow("empty") << QStringList{} << true << QStringList{} << qint64(0);
    QTest::newRow("one entry") << QStringList{"x"} << true << QStringList{"x"} << qint64(0);
    QTest::newRow("last of each group stays") << QStringList{"/p/1.dwg", "/p/2.dwg", "/P/1.DWG", "/p/2.dwg", "/p/3.dwg"}
                                              << true << QStringList{"/P/1.DWG", "/p/2.dwg", "/p/3.dwg"} << qint64(2);
    QTest::newRow("empty entries too") << QStringList{"", "a", ""} << false << QStringList{"a", ""} << qint64(1);
}

void TestListUtils::dedup()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, ignoreCase);
    QFETCH(QStringList, expected);
    QFETCH(qint64, removed);
    RecordingProgress progress;
    progress.setStopRequested(true); // cleared at the start
    QCOMPARE(RemoveDuplicateListItems(entries, &progress, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive),
             removed);
    QCOMPARE(entries, expected);
    QVERIFY(!progress.stopRequested());
}

void TestListUtils::dedupProgressAndStop()
{
    RecordingProgress progress;
    QStringList four{"d", "D", "d", "d"};
    QCOMPARE(RemoveDuplicateListItems(four, &progress, Qt::CaseInsensitive), qint64(3));
    QCOMPARE(progress.labels, (QStringList{"Buffering File Names", "33% Complete", "67% Complete", "100% Complete"}));
    QCOMPARE(four, QStringList{"d"});
    QCOMPARE(duplicatePercentText(1, 9), QStringLiteral("12")); // 0.125: half to even
    QCOMPARE(duplicatePercentText(3, 9), QStringLiteral("38")); // 0.375

    // Stop after the first removal: the entries not yet looked at stay.
    RecordingProgress stopper;
    stopper.onLabel = [&stopper](const QString &text) {
        if (text.endsWith(QLatin1String("% Complete")))
            stopper.setStopRequested(true);
    };
    QStringList list{"x", "x", "y", "y", "y"};
    QCOMPARE(RemoveDuplicateListItems(list, &stopper, Qt::CaseSensitive), qint64(1));
    QCOMPARE(list, (QStringList{"x", "x", "y", "y"}));
    QVERIFY(stopper.stopRequested()); // left as the stop set it
}

void TestListUtils::smallHelpers()
{
    QCOMPARE(TrimAtNull(QStringLiteral("abc")), QStringLiteral("abc"));
    QCOMPARE(TrimAtNull(QString(QChar(0)) + "abc"), QString());
    QCOMPARE(TrimAtNull(QStringLiteral("ab") + QChar(0) + "junk" + QChar(0)), QStringLiteral("ab"));

    const QString p93 = "C:\\" + QString(90, QLatin1Char('x'));
    QCOMPARE(ShortenPathForDisplay(p93, 65), p93);
    QCOMPARE(ShortenPathForDisplay(QStringLiteral("C:\\a.dwg"), 65), QStringLiteral("C:\\a.dwg"));
    QString p100;
    for (int i = 0; i < 100; ++i)
        p100 += QChar(u'0' + i % 10);
    const QString shortened = ShortenPathForDisplay(p100, 85);
    QCOMPARE(shortened.size(), 93);
    QCOMPARE(shortened, p100.left(45) + "..." + p100.right(45));

    QCOMPARE(listClipboardText({"C:\\a.dwg", "C:\\b.dwg"}), QStringLiteral("C:\\a.dwg\r\nC:\\b.dwg"));
    QCOMPARE(listClipboardText({}), QString());
}

QTEST_GUILESS_MAIN(TestListUtils)
#include "tst_listutils.moc"
