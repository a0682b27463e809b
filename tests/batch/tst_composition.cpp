#include "batch/composition.h"
#include "batch/queueverification.h"
#include "core/fileio.h"
#include "core/listutils.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace tess;

namespace {

// A snapshot of a program folder's queue: the drawings named are created unless they start with "-".
struct Composition {
    test::Fixture &fx;
    CompositionSnapshot snap;

    explicit Composition(test::Fixture &f) : fx(f)
    {
        snap.settings = MainSettings();
        snap.settings.SCROutputPath = fx.path() + QStringLiteral("tessaline.scr");
        snap.settings.COUNTERSTART = 1;
        snap.settings.COUNTERSTEP = 1;
        snap.settings.SHEETCHARS = QStringLiteral("3");
        snap.settings.FIRSTFILECHARS = QStringLiteral("4");
        snap.settings.LASTFILECHARS = QStringLiteral("2");
        snap.settings.SaveAsType = QStringLiteral("Don't Change");
        snap.settings.SaveAsOriginalLocation = -1;
        snap.settings.Delay = QStringLiteral("2000");
        snap.userScript = QStringLiteral("_PURGE _ALL _N");
        snap.programVersion = QStringLiteral("1.0.0");
    }
    QString drawing(const QString &name)
    {
        if (name.startsWith(QLatin1Char('-')))
            return fx.path() + QStringLiteral("DWG/") + name.mid(1);
        return fx.writeFile(QStringLiteral("DWG/") + name, "AC1027");
    }
    // The body lines of the written script (after its three header lines).
    QStringList body() const
    {
        QStringList lines =
            QString::fromUtf8(test::fileBytes(snap.settings.SCROutputPath)).split(QStringLiteral("\r\n"));
        return lines.mid(3, lines.size() - 4);
    }
};

} // namespace

class TestComposition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheWholeScript();
    void outputFileErrors_data();
    void outputFileErrors();
    void anotherUsersDrawingIsNotSaved();
    void failedStepKeepsThePreviousScript();
    void saveAsTargets_data();
    void saveAsTargets();
    void earlierTargetCountsAsExisting();
    void shortProjectIsNamedByTheUserScriptStep();
    void missingProjectFileEndsTheNameStep_data();
    void missingProjectFileEndsTheNameStep();
};

// Drawing states are read from the disk: a missing drawing gets the read-only form and no save line,
// a read-only one the read-only form; the count is every queued drawing.
void TestComposition::writesTheWholeScript()
{
    test::Fixture fx;
    Composition c(fx);
    const QString a = c.drawing(QStringLiteral("A.dwg")), ro = c.drawing(QStringLiteral("RO.dwg")),
                  gone = c.drawing(QStringLiteral("-GONE.dwg"));
    QVERIFY(setReadOnlyFile(ro, true).ok());
    c.snap.queue = {a, ro, gone};
    c.snap.settings.LoadOpen = 2;
    c.snap.settings.OpenOther = QStringLiteral("_OPEN");
    QList<qsizetype> progress;
    const CompositionResult r = composeBatchScript(c.snap, [&](qsizetype done, qsizetype) { progress << done; });
    QVERIFY(r.written());
    QCOMPARE(r.composed, qsizetype(3));
    QCOMPARE(progress, QList<qsizetype>({1, 2, 3}));
    QCOMPARE(c.body(), QStringList({"_OPEN", "\"" + a + "\"", "_PURGE _ALL _N", "_QSAVE", "_OPEN", "\"" + ro + "\" Y",
                                    "_PURGE _ALL _N", "_OPEN", "\"" + gone + "\" Y", "_PURGE _ALL _N"}));
    QVERIFY(setReadOnlyFile(ro, false).ok());
}

void TestComposition::outputFileErrors_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("folder missing") << "nofolder" << kPathNotFound;
    QTest::newRow("read-only file") << "readonly" << kPathFileAccessError;
    QTest::newRow("a folder in its place") << "folder" << kPathFileAccessError;
    QTest::newRow("held by another program") << "held" << kPermissionDenied;
    QTest::newRow("another user's file") << "otheruser" << kPathFileAccessError;
#ifdef Q_OS_UNIX
    // Not a file at all: named for what it is, never opened (error 0: a failure with a message).
    QTest::newRow("a socket in its place") << "socket" << 0;
#endif
}

// Nothing is written and the previous file keeps its content.
void TestComposition::outputFileErrors()
{
    QFETCH(QString, kind);
    QFETCH(int, error);
    test::Fixture fx;
    Composition c(fx);
    c.snap.queue = {c.drawing(QStringLiteral("A.dwg"))};
    QString &out = c.snap.settings.SCROutputPath;
    std::optional<test::HeldFile> held;
    std::optional<test::OtherUser> other;
    if (kind == QLatin1String("nofolder")) {
        out = fx.path() + QStringLiteral("NOFOLDER/tessaline.scr");
    } else if (kind == QLatin1String("readonly")) {
        fx.writeFile(QStringLiteral("tessaline.scr"), "OLD\r\n");
        QVERIFY(setReadOnlyFile(out, true).ok());
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(out));
    } else if (kind == QLatin1String("held")) {
        fx.writeFile(QStringLiteral("tessaline.scr"), "OLD\r\n");
        held.emplace(out);
        if (!held->ok())
            QSKIP("no file lease on this file system");
    } else if (kind == QLatin1String("otheruser")) {
        // Root's file of mode 0644 in a folder everyone may write: only its owner may replace it.
        fx.writeFile(QStringLiteral("tessaline.scr"), "OLD\r\n");
        QVERIFY(test::openToEveryone(fx.folder()));
        other.emplace();
        if (!other->ok())
            QSKIP("only root can act as another user");
    } else {
#ifdef Q_OS_UNIX
        out = fx.path() + QStringLiteral("held.scr");
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(out);
        QVERIFY(size_t(name.size()) < sizeof(addr.sun_path));
        memcpy(addr.sun_path, name.constData(), size_t(name.size()));
        QCOMPARE(::bind(s, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)), 0);
        ::close(s);
#endif
    }
    const CompositionResult r = composeBatchScript(c.snap);
    other.reset();
    held.reset();
    if (error == 0) {
        QCOMPARE(int(r.status), int(CompositionResult::Failed));
        QVERIFY2(r.message.contains(out + QStringLiteral("\r\nIt is a socket, not a regular file")),
                 qPrintable(r.message));
    } else {
        QCOMPARE(int(r.status), int(CompositionResult::OpenFailed));
        QCOMPARE(r.error, error);
    }
    if (kind == QLatin1String("held") || kind == QLatin1String("otheruser"))
        QCOMPARE(test::fileBytes(out), QByteArray("OLD\r\n"));
    if (kind == QLatin1String("readonly")) {
        QCOMPARE(test::fileBytes(out), QByteArray("OLD\r\n"));
        QVERIFY(setReadOnlyFile(out, false).ok());
    }
    QVERIFY(!QFileInfo::exists(fx.path() + QStringLiteral("NOFOLDER")));
    QCOMPARE(QDir(fx.path()).entryList({"*.scr.*"}, QDir::Files | QDir::Hidden), QStringList());
}

// A drawing this user may not write (root's, mode 0644, seen by another user) is listed by the queue
// check and gets the read-only form without "_QSAVE"; the drawing of that user beside it is saved.
void TestComposition::anotherUsersDrawingIsNotSaved()
{
#ifdef Q_OS_UNIX
    if (::geteuid() != 0)
        QSKIP("only root can act as another user");
    test::Fixture fx;
    Composition c(fx);
    const QString theirs = c.drawing(QStringLiteral("THEIRS.dwg")), mine = c.drawing(QStringLiteral("MINE.dwg"));
    QVERIFY(test::openToEveryone(fx.folder()));
    QCOMPARE(::chown(QFile::encodeName(mine).constData(), 65534, 65534), 0);
    c.snap.queue = {theirs, mine};
    c.snap.settings.LoadOpen = 2;
    c.snap.settings.OpenOther = QStringLiteral("_OPEN");
    QList<QueueProblem> problems;
    CompositionResult r;
    {
        test::OtherUser other;
        QVERIFY(other.ok());
        problems = verifyQueueFiles(c.snap.queue);
        r = composeBatchScript(c.snap);
    }
    QCOMPARE(problems, QList<QueueProblem>({{theirs, QueueProblem::ReadOnly}}));
    QCOMPARE(problems.first().shown(), theirs.toLower());
    QVERIFY(r.written());
    QCOMPARE(c.body(), QStringList({"_OPEN", "\"" + theirs + "\" Y", "_PURGE _ALL _N", "_OPEN", "\"" + mine + "\"",
                                    "_PURGE _ALL _N", "_QSAVE"}));
#else
    QSKIP("owners are not compared here");
#endif
}

// A drawing whose path holds the tags of later rows grows past the bound at its block: the message names
// it, and the script written before stays as it was.
void TestComposition::failedStepKeepsThePreviousScript()
{
    test::Fixture fx;
    Composition c(fx);
    fx.writeFile(QStringLiteral("tessaline.scr"), "PREVIOUS\r\n");
    QString tagged;
    for (int n = 1; n <= 9; ++n)
        tagged += QStringLiteral("$FILEPATH-%1$$FILEDRIVE+%1$").arg(n);
    const QString grown = fx.path() + tagged + QStringLiteral("/P/Q/R/S/T/U/V/W/X/Y/A-101.dwg");
    c.snap.queue = {c.drawing(QStringLiteral("A.dwg")), grown};
    c.snap.userScript = QStringLiteral("-INSERT $FILEPATH$");
    const CompositionResult r = composeBatchScript(c.snap);
    QCOMPARE(int(r.status), int(CompositionResult::Failed));
    QVERIFY2(r.message.contains(grown), qPrintable(r.message));
    QCOMPARE(test::fileBytes(c.snap.settings.SCROutputPath), QByteArray("PREVIOUS\r\n"));
    QCOMPARE(QDir(fx.path()).entryList({"tessaline.scr*"}, QDir::Files | QDir::Hidden), QStringList{"tessaline.scr"});
}

void TestComposition::saveAsTargets_data()
{
    QTest::addColumn<QStringList>("names"); // drawings in DWG/
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("ignoringCase");
    QTest::addColumn<int>("conflicts");

    QTest::newRow("distinct targets") << QStringList{"A.dwg", "B.dwg"} << "_new" << false << 0;
    QTest::newRow("a dxf saved over the queued dwg") << QStringList{"A.dxf", "A.DWG"} << "" << false << 1;
    QTest::newRow("two drawings, one target where case is ignored")
        << QStringList{"A.dwg", "A.dxf"} << "_x" << true << 1;
    QTest::newRow("one drawing queued twice") << QStringList{"A.dwg", "A.dwg"} << "_x" << false << 1;
    QTest::newRow("letter case: one file where case is ignored") << QStringList{"A.dwg", "a.dwg"} << "_x" << true << 1;
    QTest::newRow("letter case: two files where it counts") << QStringList{"A.dwg", "a.dwg"} << "_x" << false << 0;
    QTest::newRow("saved over itself is no conflict") << QStringList{"A.dwg"} << "" << false << 0;
}

void TestComposition::saveAsTargets()
{
    QFETCH(QStringList, names);
    QFETCH(QString, suffix);
    QFETCH(bool, ignoringCase);
    QFETCH(int, conflicts);
    QStringList queue, targets;
    for (const QString &n : names) {
        queue << QStringLiteral("C:\\DWG\\") + n;
        QString name = n.left(n.size() - 4) + suffix + n.right(4);
        name.replace(QLatin1String(".dxf"), QLatin1String(".DWG"), Qt::CaseInsensitive);
        targets << QStringLiteral("C:\\DWG\\") + name;
    }
    const QStringList found =
        saveAsTargetConflicts(queue, targets, ignoringCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    QCOMPARE(found.size(), conflicts);

    // Through a composition: listed with OK and Cancel; Cancel writes nothing.
    if (conflicts == 0 || ignoringCase != (pathCaseSensitivity() == Qt::CaseInsensitive))
        return;
    test::Fixture fx;
    Composition c(fx);
    for (const QString &n : names)
        c.snap.queue << c.drawing(n);
    c.snap.settings.SAVEAS = 1;
    c.snap.settings.NameSuffix = suffix;
    fx.prompter().expectMessage(vbCancel);
    QCOMPARE(int(composeBatchScript(c.snap).status), int(CompositionResult::Cancelled));
    QVERIFY(!QFileInfo::exists(c.snap.settings.SCROutputPath));
    QCOMPARE(fx.prompter().last().style, int(vbOKCancel | vbExclamation | vbDefaultButton2));
    QVERIFY2(fx.prompter().last().text.contains(c.snap.queue.at(1)), qPrintable(fx.prompter().last().text));
    fx.prompter().expectMessage(vbOK);
    QVERIFY(composeBatchScript(c.snap).written());
    QVERIFY(fx.prompter().allUsed());
}

// With "Overwrite existing files", a target that an earlier drawing of the batch saves gets " Y" like
// one that exists already; the shared target is asked about first.
void TestComposition::earlierTargetCountsAsExisting()
{
    test::Fixture fx;
    Composition c(fx);
    c.snap.queue = {fx.writeFile(QStringLiteral("J1/A.dwg"), "x"), fx.writeFile(QStringLiteral("J2/A.dwg"), "x"),
                    fx.writeFile(QStringLiteral("J1/C.dwg"), "x")};
    const QString out = fx.path() + QStringLiteral("OUT/");
    fx.writeFile(QStringLiteral("OUT/C.dwg"), "old");
    c.snap.settings.SAVEAS = 1;
    c.snap.settings.OverWriteFiles = 1;
    c.snap.settings.SaveAsOriginalLocation = 0;
    c.snap.settings.DWGOutFolder = out;
    fx.prompter().expectMessage(vbOK);
    QVERIFY(composeBatchScript(c.snap).written());
    QVERIFY(fx.prompter().allUsed());
    QStringList saves;
    for (const QString &l : c.body())
        if (l.startsWith(QLatin1String("_SAVEAS")))
            saves << l;
    QCOMPARE(saves, QStringList({"_SAVEAS  \"" + out + "A.dwg\"", "_SAVEAS  \"" + out + "A.dwg\" Y",
                                 "_SAVEAS  \"" + out + "C.dwg\" Y"}));
}

// With SAVEAS on, a matching project file too short for its tags stops the composition before anything is
// written, named by the step that meets it first: the user script's, before the drawing's SAVEAS name.
void TestComposition::shortProjectIsNamedByTheUserScriptStep()
{
    test::Fixture fx;
    Composition c(fx);
    fx.writeFile(QStringLiteral("DATA/JOB1.PRJ"), "DWG\r\nONE\r\nTWO\r\n");
    fx.writeFile(QStringLiteral("DATA/PTAGMAN.DAT"), "JOB1.PRJ\r\n");
    c.snap.queue = {c.drawing(QStringLiteral("plan2.dwg"))};
    c.snap.userScript = QStringLiteral("-ATTEDIT $PROJECTTAG1$");
    c.snap.settings.SAVEAS = 1;
    c.snap.settings.NamePrefix = QStringLiteral("$PROJECTTAG2$_");
    const CompositionResult r = composeBatchScript(c.snap);
    QCOMPARE(int(r.status), int(CompositionResult::Failed));
    QCOMPARE(r.message, QStringLiteral("Error 62 (Input past end of file) in procedure SubstituteProjectTAGS of "
                                       "Form frmMain\r\nJOB1.PRJ"));
    QVERIFY(!QFileInfo::exists(c.snap.settings.SCROutputPath));
}

void TestComposition::missingProjectFileEndsTheNameStep_data()
{
    QTest::addColumn<QByteArray>("index"); // PTAGMAN.DAT; null: none
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("name");

    QTest::newRow("a listed file missing") << QByteArray("JOB1.PRJ\r\nGONE.PRJ\r\n") << "$PROJECTTAG2$_"
                                           << "$FILENAME$_plan2.dwg";
    QTest::newRow("every listed file there") << QByteArray("JOB1.PRJ\r\n") << "$PROJECTTAG2$_"
                                             << "plan2_plan2.dwg";
    QTest::newRow("no index") << QByteArray() << "$TAG1$_"
                              << "$FILENAME$_plan2.dwg";
    QTest::newRow("an empty index") << QByteArray("") << "$TAG1$_"
                                    << "plan2_plan2.dwg";
}

// The SAVEAS name's project step ends at a missing project file (or a missing index) without its own tag
// pass: a tag that a project value or a tag value brings in stays as it is.
void TestComposition::missingProjectFileEndsTheNameStep()
{
    QFETCH(QByteArray, index);
    QFETCH(QString, prefix);
    QFETCH(QString, name);
    test::Fixture fx;
    Composition c(fx);
    QByteArray project = "DWG\r\nONE\r\n$FILENAME$\r\n";
    for (int i = 3; i <= 40; ++i)
        project += "V" + QByteArray::number(i) + "\r\n";
    fx.writeFile(QStringLiteral("DATA/JOB1.PRJ"), project);
    if (!index.isNull())
        fx.writeFile(QStringLiteral("DATA/PTAGMAN.DAT"), index);
    c.snap.queue = {c.drawing(QStringLiteral("plan2.dwg"))};
    c.snap.settings.SAVEAS = 1;
    c.snap.settings.NamePrefix = prefix;
    c.snap.settings.TAG[0] = QStringLiteral("$FILENAME$");
    QVERIFY(composeBatchScript(c.snap).written());
    QCOMPARE(c.body().last(), "_SAVEAS  \"" + fx.path() + QStringLiteral("DWG/") + name + QLatin1Char('"'));
}

QTEST_GUILESS_MAIN(TestComposition)
#include "tst_composition.moc"
