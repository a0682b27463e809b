// Every writer of a whole file on a disk that fills up while it writes: the system refuses the
// bytes past a file-size limit exactly as a full disk refuses them. And every writer on a disk
// that takes every byte but then fails to bring them to the disk (the sync or the close fails, as
// on a full thin volume or a failing disk). The old file must stay as it was, and the writer must
// report the failure with the file and its cause.

#include "batch/composition.h"
#include "batch/runlog.h"
#include "core/favourites.h"
#include "core/statefiles.h"
#include "core/usersets.h"
#include "options/resetandbackup.h"
#include "scripts/scriptlibrary.h"
#include "tags/projectfiles.h"
#include "tags/usertagtemplates.h"
#include "testsupport.h"
#include "utilities/combinetext.h"
#include "utilities/queuelistfolder.h"
#include "wizards/rowfiles.h"

#include <QDir>
#include <QTest>

#include <cerrno>
#include <functional>

using namespace tess;

namespace {

constexpr qint64 kLimit = 4096;

// Far more than the limit, in one line and in many.
QString longText() { return QString(3 * kLimit, QLatin1Char('x')); }
QStringList manyLines() { return QStringList(400, QStringLiteral("/drawings/a rather long folder/sheet.dwg")); }

// What a writer reports: "" when it says it succeeded, else its whole message or reason with the path.
QString reported(const FileResult &r) { return r.ok() ? QString() : r.path + QLatin1Char('\n') + r.reason; }
QString reported(const StateSaveResult &r) { return r.ok ? QString() : r.text(); }

struct Writer {
    QString file;                  // relative to the program folder
    std::function<QString()> save; // writes far more than the limit; returns what it reported
};

// The files the writers replace, each with the old bytes it holds before.
const QByteArray kOld("the old content\r\n");

// The writers that replace a whole file, each writing into the program folder.
QHash<QString, Writer> wholeFileWriters(const test::TempProgramFolder &program)
{
    const QString data = program.data();
    const QString root = program.path();
    std::array<QString, kUserTagCount> tags;
    tags.fill(longText());
    return {
        {QStringLiteral("state files"),
         {QStringLiteral("DATA/tester-list.tmp"),
          [] {
              return reported(writeUserStateFiles(UserState{manyLines(), QString(), QString()}));
          }}},
        {QStringLiteral("User Set snapshot"),
         {QStringLiteral("DATA/tester-2-scr.tmp"),
          [] {
              return reported(writeUserSetFiles(2, UserSetSnapshot{{}, longText(), {}, {}, {}}));
          }}},
        {QStringLiteral("queue list"),
         {QStringLiteral("DATA/Lists/night.txt"),
          [data] { return reported(saveQueueList(data + QStringLiteral("Lists/"), "night.txt", manyLines())); }}},
        {QStringLiteral("script"),
         {QStringLiteral("SCRIPTS/zoom.scr"),
          [root] { return reported(writeScriptFile(root + QStringLiteral("SCRIPTS/zoom.scr"), longText())); }}},
        {QStringLiteral("user-tag template"),
         {QStringLiteral("DATA/office.TAG"),
          [data, tags] { return reported(writeTemplate(data, "office.TAG", tags)); }}},
        {QStringLiteral("project file"),
         {QStringLiteral("DATA/job.prj"),
          [data] {
              return reported(writeProjectFile(data, "job.prj", QStringLiteral("*"), QStringList(40, longText())));
          }}},
        {QStringLiteral("wizard row file"),
         {QStringLiteral("DATA/rows.lay"), [data] { return reported(writeRowFile(data, "rows.lay", manyLines())); }}},
        {QStringLiteral("favourites"),
         {QStringLiteral("DATA/Favorites.dat"),
          [] { return reported(writeFavoritesFile(favoritesFilePath(), manyLines())); }}},
        {QStringLiteral("run log (appended)"),
         {QStringLiteral("DATA/tessaline.log"), [] { return reported(appendRunLog(longText())); }}},
        {QStringLiteral("batch script (composer)"),
         {QStringLiteral("tessaline.scr"),
          [root, program = &program] {
              CompositionSnapshot snap;
              snap.settings.SCROutputPath = root + QStringLiteral("tessaline.scr");
              // The tag settings a composition needs, as a first start stores them.
              snap.settings.COUNTERSTART = 1;
              snap.settings.COUNTERSTEP = 1;
              snap.settings.SHEETCHARS = QStringLiteral("3");
              snap.settings.FIRSTFILECHARS = QStringLiteral("4");
              snap.settings.LASTFILECHARS = QStringLiteral("2");
              snap.queue = {program->writeFile(QStringLiteral("DWG/A.dwg"), "AC1027")};
              snap.userScript = longText();
              snap.programVersion = QStringLiteral("1.0.0");
              const CompositionResult r = composeBatchScript(snap);
              return r.written() ? QString() : r.message;
          }}},
        {QStringLiteral("combined text file"),
         {QStringLiteral("combined.txt"),
          [root, program = &program] {
              const QString input = program->writeFile(QStringLiteral("part.txt"), longText().toLatin1());
              const auto error = combineTextFiles({input}, root + QStringLiteral("combined.txt"), {});
              return error ? error->description : QString();
          }}},
    };
}

} // namespace

class TestFailedWrites : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writerKeepsTheOldFileAndNamesTheCause_data()
    {
        QTest::addColumn<QString>("writer");
        for (const char *name : {"state files", "User Set snapshot", "queue list", "script", "user-tag template",
                                 "project file", "wizard row file", "favourites", "run log (appended)"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void writerKeepsTheOldFileAndNamesTheCause()
    {
        QFETCH(QString, writer);
        test::TempProgramFolder program;
        const QHash<QString, Writer> writers = wholeFileWriters(program);
        const Writer w = writers.value(writer);
        QVERIFY(w.save);
        const QByteArray old = kOld;
        const QString path = program.writeFile(w.file, old);

        QString report;
        {
            test::FileSizeLimit limit(kLimit);
            if (!limit.ok())
                QSKIP("no file-size limit to stand in for a full disk");
            report = w.save();
        }
        QCOMPARE(test::fileBytes(path), old);
        QVERIFY2(!report.isEmpty(), "the failure is reported");
        QVERIFY2(report.contains(QStringLiteral("Disk full")), qPrintable(report));
        QVERIFY2(report.contains(QDir::toNativeSeparators(path)) || report.contains(path), qPrintable(report));
        // No temporary file is left beside it.
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).filter(QFileInfo(path).fileName()),
                 QStringList{QFileInfo(path).fileName()});
    }

    // Every byte is accepted, but the sync (or the close) that should bring them to the disk fails:
    // the file is not put in place (nor the appended block kept), and the cause is named.
    void writerKeepsTheOldFileWhenTheSyncFails_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<int>("call");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("cause");
        const auto sync = int(test::FailingDiskCall::Sync);
        const auto close = int(test::FailingDiskCall::Close);
        for (const char *name :
             {"state files", "User Set snapshot", "queue list", "script", "user-tag template", "project file",
              "wizard row file", "favourites", "run log (appended)", "batch script (composer)", "combined text file"})
            QTest::addRow("%s, sync fails", name) << QString::fromLatin1(name) << sync << EIO << "Disk error";
        for (const char *name : {"state files", "run log (appended)", "batch script (composer)"}) {
            QTest::addRow("%s, sync finds the disk full", name)
                << QString::fromLatin1(name) << sync << ENOSPC << "Disk full";
            QTest::addRow("%s, close fails", name) << QString::fromLatin1(name) << close << EIO << "Disk error";
        }
    }
    void writerKeepsTheOldFileWhenTheSyncFails()
    {
        QFETCH(QString, writer);
        QFETCH(int, call);
        QFETCH(int, code);
        QFETCH(QString, cause);
        test::Fixture fx;
        const QHash<QString, Writer> writers = wholeFileWriters(fx.programFolder());
        const Writer w = writers.value(writer);
        QVERIFY(w.save);
        const QString path = fx.writeFile(w.file, kOld);
        QString report;
        {
            const test::FailingDiskCall failing(test::FailingDiskCall::Call(call), code, QFileInfo(path).fileName());
            report = w.save();
            QVERIFY2(failing.failures() > 0, qPrintable(QStringLiteral("the file is synced: ") + report));
        }
        QCOMPARE(test::fileBytes(path), kOld);
        QVERIFY2(report.contains(cause), qPrintable(report));
        QVERIFY2(report.contains(QDir::toNativeSeparators(path)) || report.contains(path), qPrintable(report));
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).filter(QFileInfo(path).fileName()),
                 QStringList{QFileInfo(path).fileName()});
        QVERIFY(fx.prompter().shown().isEmpty());
        // Once the disk syncs again, the same writer replaces the file.
        QVERIFY2(w.save().isEmpty(), qPrintable(path));
        QVERIFY(test::fileBytes(path) != kOld);
    }

    // The scripts backup copies every script through the file module: a script whose copy does not
    // reach the disk stops the backup with the script and the cause named, and no backup folder,
    // finished or unfinished, is left.
    void backupStopsWhenASyncFails()
    {
        test::Fixture fx;
        fx.writeFile(QStringLiteral("Source/a.scr"), "a");
        fx.writeFile(QStringLiteral("Source/b.scr"), kOld);
        const BackupPlan plan =
            planScriptsBackup(fx.path() + QStringLiteral("Source"), QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
        BackupResult r;
        {
            const test::FailingDiskCall failing(test::FailingDiskCall::Sync, EIO, QStringLiteral("b.scr"));
            r = runScriptsBackup(plan);
            QCOMPARE(failing.failures(), 1);
        }
        QVERIFY(!r.ok);
        QVERIFY2(r.failedPath.endsWith(QStringLiteral("b.scr")), qPrintable(r.failedPath));
        QVERIFY2(r.reason.startsWith(QStringLiteral("Disk error")), qPrintable(r.reason));
        QVERIFY(QDir(fx.path() + QStringLiteral("BACKUP")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(runScriptsBackup(plan).ok);
    }
};

QTEST_GUILESS_MAIN(TestFailedWrites)
#include "tst_failedwrites.moc"
