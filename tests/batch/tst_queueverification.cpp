#include "batch/queueverification.h"
#include "core/fileio.h"
#include "core/listutils.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

using namespace tess;

namespace {

// Records what a check shows; asks to stop after `stopAfter` labels (0: never).
class RecordingProgress final : public ScanProgress
{
public:
    int intervalMs() const override { return 0; }
    void label(const QString &text) override
    {
        labels << text;
        if (stopAfter > 0 && labels.size() >= stopAfter)
            setStopRequested(true);
    }
    void pump() override {}
    QStringList labels;
    int stopAfter = 0;
};

} // namespace

class TestQueueVerification : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void percent_data();
    void percent();
    void isReadonly();
    void problemsInQueueOrder();
    void progressAndStop();
    void removalTakesEveryEntryOfThePaths();
};

void TestQueueVerification::percent_data()
{
    QTest::addColumn<qint64>("part");
    QTest::addColumn<qint64>("whole");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1 of 8: tie to even") << qint64(1) << qint64(8) << "12";
    QTest::newRow("3 of 8: tie to even") << qint64(3) << qint64(8) << "38";
    QTest::newRow("5 of 8") << qint64(5) << qint64(8) << "62";
    QTest::newRow("1 of 3") << qint64(1) << qint64(3) << "33";
    QTest::newRow("2 of 3") << qint64(2) << qint64(3) << "67";
    QTest::newRow("all") << qint64(3) << qint64(3) << "100";
    QTest::newRow("1 of 200: tie to even") << qint64(1) << qint64(200) << "0";
    QTest::newRow("3 of 200: tie to even") << qint64(3) << qint64(200) << "2";
    QTest::newRow("a large queue") << qint64(99999) << qint64(100000) << "100";
    QTest::newRow("nothing to count") << qint64(0) << qint64(0) << "0";
}

void TestQueueVerification::percent()
{
    QFETCH(qint64, part);
    QFETCH(qint64, whole);
    QFETCH(QString, expected);
    QCOMPARE(percentText(part, whole), expected);
}

void TestQueueVerification::isReadonly()
{
    test::Fixture fx;
    const QString writable = fx.writeFile(QStringLiteral("DWG/A.dwg"), "AC1027");
    const QString locked = fx.writeFile(QStringLiteral("DWG/B.dwg"), "AC1027");
    QVERIFY(setReadOnlyFile(locked, true).ok());
    QVERIFY(!IsReadonly(writable));
    QVERIFY(IsReadonly(locked));
    // A missing file reads as read-only when its folder exists, not when the folder is missing too.
    QVERIFY(IsReadonly(fx.path() + QStringLiteral("DWG/missing.dwg")));
    QVERIFY(!IsReadonly(fx.path() + QStringLiteral("NOFOLDER/missing.dwg")));
    QVERIFY(setReadOnlyFile(locked, false).ok());
}

// Missing files give one upper-case entry each; a read-only file and a folder lower-case ones; a
// file that is both held and read-only would give two. The order is the queue's.
void TestQueueVerification::problemsInQueueOrder()
{
    test::Fixture fx;
    const QString good = fx.writeFile(QStringLiteral("DWG/Good.dwg"), "AC1027");
    const QString ro = fx.writeFile(QStringLiteral("DWG/ReadOnly.dwg"), "AC1027");
    QVERIFY(setReadOnlyFile(ro, true).ok());
    const QString folder = fx.path() + QStringLiteral("DWG");
    const QString missing = fx.path() + QStringLiteral("DWG/Gone.dwg");
    const QList<QueueProblem> problems = verifyQueueFiles({good, missing, ro, folder, missing});
    QCOMPARE(problems, QList<QueueProblem>({{missing, QueueProblem::Missing},
                                            {ro, QueueProblem::ReadOnly},
                                            {folder, QueueProblem::Locked},
                                            {missing, QueueProblem::Missing}}));
    QCOMPARE(problems[0].shown(), missing.toUpper());
    QCOMPARE(problems[1].shown(), ro.toLower());
    QVERIFY(setReadOnlyFile(ro, false).ok());
}

void TestQueueVerification::progressAndStop()
{
    test::Fixture fx;
    const QString a = fx.writeFile(QStringLiteral("a.dwg"), "x");
    const QString missing = fx.path() + QStringLiteral("gone.dwg");
    RecordingProgress progress;
    QVERIFY(verifyQueueFiles({a, a, a}, &progress).isEmpty());
    QCOMPARE(progress.labels, QStringList({"Buffering File Names", "33% Complete", "67% Complete", "100% Complete"}));

    // Stop after the first path: the rest stays untested; what was found so far is kept.
    RecordingProgress stopping;
    stopping.stopAfter = 2;
    const QList<QueueProblem> found = verifyQueueFiles({missing, missing, missing}, &stopping);
    QCOMPARE(found.size(), 1);
    QCOMPARE(stopping.labels.size(), 2);
}

void TestQueueVerification::removalTakesEveryEntryOfThePaths()
{
    const QStringList queue = {"C:\\A.dwg", "C:\\B.dwg", "c:\\a.dwg", "C:\\A.dwg", "C:\\C.dwg"};
    QCOMPARE(removeQueueEntries(queue, {"C:\\A.dwg", "C:\\C.dwg"}), QStringList({"C:\\B.dwg", "c:\\a.dwg"}));
    QCOMPARE(removeQueueEntries(queue, {}), queue);
}

QTEST_GUILESS_MAIN(TestQueueVerification)
#include "tst_queueverification.moc"
