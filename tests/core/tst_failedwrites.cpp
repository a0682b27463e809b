// Every writer of a whole file on a disk that fills up while it writes: the system refuses the
// bytes past a file-size limit exactly as a full disk refuses them. The old file must stay as it
// was, and the writer must report the failure with the file and its cause.

#include "batch/runlog.h"
#include "core/favourites.h"
#include "core/statefiles.h"
#include "core/usersets.h"
#include "scripts/scriptlibrary.h"
#include "tags/projectfiles.h"
#include "tags/usertagtemplates.h"
#include "testsupport.h"
#include "utilities/queuelistfolder.h"
#include "wizards/rowfiles.h"

#include <QDir>
#include <QTest>

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
        const QString data = program.data();
        std::array<QString, kUserTagCount> tags;
        tags.fill(longText());

        const QHash<QString, Writer> writers{
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
              [&] { return reported(saveQueueList(data + QStringLiteral("Lists/"), "night.txt", manyLines())); }}},
            {QStringLiteral("script"),
             {QStringLiteral("SCRIPTS/zoom.scr"),
              [&] {
                  return reported(writeScriptFile(program.path() + QStringLiteral("SCRIPTS/zoom.scr"), longText()));
              }}},
            {QStringLiteral("user-tag template"),
             {QStringLiteral("DATA/office.TAG"), [&] { return reported(writeTemplate(data, "office.TAG", tags)); }}},
            {QStringLiteral("project file"),
             {QStringLiteral("DATA/job.prj"),
              [&] {
                  return reported(writeProjectFile(data, "job.prj", QStringLiteral("*"), QStringList(40, longText())));
              }}},
            {QStringLiteral("wizard row file"),
             {QStringLiteral("DATA/rows.lay"), [&] { return reported(writeRowFile(data, "rows.lay", manyLines())); }}},
            {QStringLiteral("favourites"),
             {QStringLiteral("DATA/Favorites.dat"),
              [] { return reported(writeFavoritesFile(favoritesFilePath(), manyLines())); }}},
            {QStringLiteral("run log (appended)"),
             {QStringLiteral("DATA/tessaline.log"), [] { return reported(appendRunLog(longText())); }}},
        };
        const Writer w = writers.value(writer);
        QVERIFY(w.save);
        const QByteArray old("the old content\r\n");
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
};

QTEST_GUILESS_MAIN(TestFailedWrites)
#include "tst_failedwrites.moc"
