#include "batch/drawingaccess.h"
#include "batch/queueverification.h"
#include "core/fileio.h"
#include "core/listutils.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <optional>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

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
    void cachedAccessMatchesTheGeneralAnswer_data();
    void cachedAccessMatchesTheGeneralAnswer();
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

void TestQueueVerification::cachedAccessMatchesTheGeneralAnswer_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("expected"); // exists, usable, read-only as bits 4, 2, 1; -1 when it depends on the user
    QTest::newRow("plain") << "plain" << 6;
    QTest::newRow("read-only") << "read-only" << 7;
    QTest::newRow("hidden") << "hidden" << 6;
    QTest::newRow("missing, folder there") << "missing" << 1;
    QTest::newRow("missing folder") << "no folder" << 0;
    QTest::newRow("a folder") << "folder" << 4;
    QTest::newRow("link to a file") << "link" << 6;
    QTest::newRow("dangling link") << "dangling" << 0;
    QTest::newRow("unreadable") << "unreadable" << -1;
    QTest::newRow("another owner") << "other owner" << -1;
    QTest::newRow("another owner's 0644, this user may not write it") << "other user" << 7;
    QTest::newRow("empty path") << "empty" << 0;
}

// The quick look of a whole queue gives for every kind of entry what the three checks asked one at a
// time give, the second time too.
void TestQueueVerification::cachedAccessMatchesTheGeneralAnswer()
{
    QFETCH(QString, kind);
    QFETCH(int, expected);
    test::Fixture fx;
    const QString plain = fx.writeFile(QStringLiteral("DWG/A.dwg"), "AC1027");
    QString path = plain;
    if (kind == QLatin1String("read-only")) {
        QVERIFY(setReadOnlyFile(plain, true).ok());
    } else if (kind == QLatin1String("hidden")) {
        path = fx.writeFile(QStringLiteral("DWG/.B.dwg"), "AC1027");
    } else if (kind == QLatin1String("missing")) {
        path = fx.path() + QStringLiteral("DWG/Gone.dwg");
    } else if (kind == QLatin1String("no folder")) {
        path = fx.path() + QStringLiteral("NOFOLDER/Gone.dwg");
    } else if (kind == QLatin1String("folder")) {
        path = fx.path() + QStringLiteral("DWG");
    } else if (kind == QLatin1String("link") || kind == QLatin1String("dangling")) {
        path = fx.path() + QStringLiteral("DWG/L.dwg");
        const QString target = kind == QLatin1String("link") ? plain : fx.path() + QStringLiteral("DWG/none.dwg");
        if (!QFile::link(target, path))
            QSKIP("no links here");
    } else if (kind == QLatin1String("unreadable")) {
        QVERIFY(QFile::setPermissions(plain, QFileDevice::WriteOwner));
    } else if (kind == QLatin1String("other owner")) {
#ifdef Q_OS_WIN
        QSKIP("owners are not compared here");
#else
        if (::geteuid() != 0 || ::chown(QFile::encodeName(plain).constData(), 4321, 4321) != 0)
            QSKIP("needs to give a file away");
#endif
    } else if (kind == QLatin1String("empty")) {
        path.clear();
    }
    std::optional<test::OtherUser> other;
    if (kind == QLatin1String("other user")) {
        QVERIFY(test::openToEveryone(fx.folder()));
        other.emplace();
        if (!other->ok())
            QSKIP("only root can act as another user");
    }

    const DrawingAccess general = drawingAccessOf(path);
    if (expected >= 0)
        QCOMPARE(general, (DrawingAccess{(expected & 4) != 0, (expected & 2) != 0, (expected & 1) != 0}));
    DrawingAccessCache cache;
    cache.of(plain); // the folder is looked at before
    QCOMPARE(cache.of(path), general);
    QCOMPARE(cache.of(path), general);
    other.reset();
    QFile::setPermissions(plain, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
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
