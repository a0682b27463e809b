// The files and rules of the tag managers without their windows: names that may name a file in
// DATA, user-tag templates, project files and the active-project index (read back through the
// composer's reader), picked-folder patterns, and the checks and stores of the user tag settings.

#include "batch/projecttags.h"
#include "core/fileio.h"
#include "core/mainsettings.h"
#include "core/settingsstore.h"
#include "tags/datafilenames.h"
#include "tags/projectfiles.h"
#include "tags/usertagform.h"
#include "tags/usertagtemplates.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tess;

namespace {

QByteArray crlfLines(const QStringList &lines)
{
    QByteArray b;
    for (const QString &l : lines)
        b += l.toUtf8() + "\r\n";
    return b;
}

QStringList numbered(const QString &prefix, int count)
{
    QStringList l;
    for (int i = 1; i <= count; ++i)
        l << prefix + QString::number(i);
    return l;
}

std::array<QString, kUserTagCount> sampleTags()
{
    std::array<QString, kUserTagCount> t;
    t[0] = QStringLiteral("GADGETS && CO.");
    t[1] = QStringLiteral("  blanks kept  ");
    t[2] = QStringLiteral("Ünïcode ÆØÅ");
    t[49] = QStringLiteral("last");
    return t;
}

QStringList dataEntries(const QString &data)
{
    return QDir(data).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestTagFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameRules_data();
    void nameRules();

    void templateRoundTrip();
    void templateReading_data();
    void templateReading();
    void templateNamesFromDataOnly();
    void templateWriteDeleteAndProtect();

    void projectSaveNames_data();
    void projectSaveNames();
    void projectReading_data();
    void projectReading();
    void projectNeverReadOutsideData();
    void projectFilesAndIndexReachTheComposer();
    void indexEmptyAndExistingInOtherCase();

    void pickedFolderPattern_data();
    void pickedFolderPattern();
    void invalidPatternMatchesNothing_data();
    void invalidPatternMatchesNothing();

    void charCounts_data();
    void charCounts();
    void counterTexts_data();
    void counterTexts();
    void formCheckOrder();
    void okStoresKeysAsTypedAndSetsMembers();
    void membersNormalized_data();
    void membersNormalized();
};

// ---- Names ----

void TestTagFiles::nameRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("problem");
    const int none = int(NameProblem::None);
    QTest::newRow("plain") << "Acme" << none;
    QTest::newRow("blank inside, dots inside") << "Job 12.rev.b" << none;
    QTest::newRow("COM0 is no device") << "COM0" << none;
    QTest::newRow("CONSOLE is no device") << "CONSOLE" << none;
    QTest::newRow("empty") << "" << int(NameProblem::Empty);
    for (const char *c : {"\\", "/", ":", "*", "?", "<", ">", "|"})
        QTest::newRow(qPrintable(QStringLiteral("char %1").arg(QLatin1String(c))))
            << QStringLiteral("A%1B").arg(QLatin1String(c)) << int(NameProblem::ReservedCharacter);
    QTest::newRow("parent folder") << "..\\x" << int(NameProblem::ReservedCharacter);
    QTest::newRow("double quote") << "A\"B" << int(NameProblem::OtherCharacter);
    QTest::newRow("tab") << "A\tB" << int(NameProblem::OtherCharacter);
    QTest::newRow("line break") << "A\nB" << int(NameProblem::OtherCharacter);
    QTest::newRow("trailing dot") << "Acme." << int(NameProblem::TrailingDotOrBlank);
    QTest::newRow("trailing blank") << "Acme " << int(NameProblem::TrailingDotOrBlank);
    QTest::newRow("..") << ".." << int(NameProblem::TrailingDotOrBlank);
    QTest::newRow("CON") << "CON" << int(NameProblem::ReservedDeviceName);
    QTest::newRow("con with extension") << "con.TAG" << int(NameProblem::ReservedDeviceName);
    QTest::newRow("nul blank before dot") << "Nul .txt" << int(NameProblem::ReservedDeviceName);
    QTest::newRow("COM9") << "COM9" << int(NameProblem::ReservedDeviceName);
    QTest::newRow("lpt1") << "lpt1" << int(NameProblem::ReservedDeviceName);
}

void TestTagFiles::nameRules()
{
    QFETCH(QString, name);
    QFETCH(int, problem);
    QCOMPARE(int(dataFileNameProblem(name)), problem);
}

// ---- Templates ----

void TestTagFiles::templateRoundTrip()
{
    test::Fixture fx;
    std::array<QString, kUserTagCount> tags = sampleTags();
    tags[3] = QStringLiteral("pasted\r\nover two lines");
    QVERIFY(writeTemplate(fx.data(), QStringLiteral("Acme.TAG"), tags).ok());

    // Exactly 50 lines, each ended by CR LF, empty ones included; the line break is gone.
    const QByteArray bytes = test::fileBytes(fx.data() + QStringLiteral("Acme.TAG"));
    QCOMPARE(bytes.count("\r\n"), 50);
    QVERIFY(bytes.startsWith("GADGETS && CO.\r\n  blanks kept  \r\n"));
    QVERIFY(bytes.endsWith("\r\nlast\r\n"));

    const TemplateRead read = readTemplate(fx.data(), QStringLiteral("ACME.tag"));
    QCOMPARE(read.status, TemplateRead::Found);
    QCOMPARE(read.lines.size(), kUserTagCount);
    tags[3] = QStringLiteral("pastedover two lines");
    for (int i = 0; i < kUserTagCount; ++i)
        QCOMPARE(read.lines.at(i), tags[size_t(i)]);
}

void TestTagFiles::templateReading_data()
{
    QTest::addColumn<QString>("onDisk");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines");
    const QStringList fifty = numbered(QStringLiteral("v"), 50);
    QTest::newRow("short file") << "Short.TAG" << crlfLines(numbered(QStringLiteral("v"), 10)) << "SHORT.TAG"
                                << int(TemplateRead::Found) << numbered(QStringLiteral("v"), 10);
    QTest::newRow("extra lines ignored") << "Long.TAG" << crlfLines(numbered(QStringLiteral("v"), 60)) << "Long.TAG"
                                         << int(TemplateRead::Found) << fifty;
    QTest::newRow("LF line ends") << "unix.tag"
                                  << (numbered(QStringLiteral("v"), 50).join(QLatin1Char('\n')) + "\n").toUtf8()
                                  << "UNIX.TAG" << int(TemplateRead::Found) << fifty;
    QTest::newRow("empty lines kept") << "Blank.TAG" << QByteArray("\r\n").repeated(50) << "Blank.TAG"
                                      << int(TemplateRead::Found) << QStringList(50, QString());
    QTest::newRow("missing") << "Other.TAG" << QByteArray("x\r\n") << "Missing.TAG" << int(TemplateRead::NotFound)
                             << QStringList();
    QTest::newRow("no name before the extension")
        << ".TAG" << crlfLines(fifty) << ".TAG" << int(TemplateRead::NotFound) << QStringList();
    QTest::newRow("device name") << "Other.TAG" << QByteArray() << "CON.TAG" << int(TemplateRead::NotFound)
                                 << QStringList();
}

void TestTagFiles::templateReading()
{
    QFETCH(QString, onDisk);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, asked);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    test::Fixture fx;
    fx.writeFile(QStringLiteral("DATA/") + onDisk, bytes);
    const TemplateRead read = readTemplate(fx.data(), asked);
    QCOMPARE(int(read.status), status);
    QCOMPARE(read.lines, lines);
}

void TestTagFiles::templateNamesFromDataOnly()
{
    test::Fixture fx;
    for (const char *name : {"Acme.TAG", "acme.tag", "beta.Tag", "Zeta.TAG", "10.TAG", ".TAG", "x.TAGS", "y.txt",
                             "sub/Deep.TAG", "trail .TAG"})
        fx.writeFile(QStringLiteral("DATA/") + QLatin1String(name), "x\r\n");
    QDir(fx.data()).mkdir(QStringLiteral("Folder.TAG"));
    QCOMPARE(templateNames(fx.data()), QStringList({QStringLiteral("10"), QStringLiteral("ACME"),
                                                    QStringLiteral("BETA"), QStringLiteral("ZETA")}));
    QVERIFY(templateNames(fx.folder() + QStringLiteral("/missing")).isEmpty());
}

void TestTagFiles::templateWriteDeleteAndProtect()
{
    test::Fixture fx;
    const std::array<QString, kUserTagCount> tags = sampleTags();
    fx.writeFile(QStringLiteral("DATA/acme.tag"), "old\r\n");

    // Another letter case names the same file: it is replaced, no second file appears.
    QVERIFY(writeTemplate(fx.data(), QStringLiteral("ACME.TAG"), tags).ok());
    QCOMPARE(dataEntries(fx.data()), QStringList{QStringLiteral("acme.tag")});
    QCOMPARE(templateFileState(fx.data(), QStringLiteral("Acme")), TemplateFileState::Writable);

    // Protected: neither replaced nor deleted.
    QVERIFY(setTemplateReadOnly(fx.data(), QStringLiteral("ACME"), true).ok());
    QCOMPARE(templateFileState(fx.data(), QStringLiteral("acme")), TemplateFileState::ReadOnly);
    QCOMPARE(writeTemplate(fx.data(), QStringLiteral("Acme.TAG"), {}).error, kPermissionDenied);
    QCOMPARE(deleteTemplate(fx.data(), QStringLiteral("ACME")).error, kPermissionDenied);
    QCOMPARE(readTemplate(fx.data(), QStringLiteral("ACME.TAG")).lines.first(), tags[0]);

    QVERIFY(setTemplateReadOnly(fx.data(), QStringLiteral("ACME"), false).ok());
    QVERIFY(deleteTemplate(fx.data(), QStringLiteral("ACME")).ok());
    QVERIFY(dataEntries(fx.data()).isEmpty());
    QCOMPARE(deleteTemplate(fx.data(), QStringLiteral("ACME")).error, kFileNotFound);
    QCOMPARE(templateFileState(fx.data(), QStringLiteral("ACME")), TemplateFileState::Missing);
}

// ---- Project files and index ----

void TestTagFiles::projectSaveNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("activeTab");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("active") << "P7" << true << "P7.PRJ";
    QTest::newRow("inactive") << "P7" << false << "P7.PRX";
    QTest::newRow("typed .PRX on the Active tab") << "P7.PRX" << true << "P7.PRX";
    QTest::newRow("typed .prj on the Inactive tab") << "p1.prj" << false << "p1.prj";
    QTest::newRow("PR in the name") << "SUPPR1" << true << "SUPPR1.PRJ";
    QTest::newRow("other PR extension") << "X.PRA" << true << "X.PRA.PRJ";
}

void TestTagFiles::projectSaveNames()
{
    QFETCH(QString, typed);
    QFETCH(bool, activeTab);
    QFETCH(QString, fileName);
    QCOMPARE(projectSaveFileName(typed, activeTab), fileName);
}

void TestTagFiles::projectReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("valuesRead");
    QTest::newRow("whole") << crlfLines(QStringList{QStringLiteral("C:\\JOBS\\")} + numbered(QStringLiteral("v"), 40))
                           << "C:\\JOBS\\" << 40;
    QTest::newRow("short: the rest empty")
        << crlfLines(QStringList{QStringLiteral("P*")} + numbered(QStringLiteral("v"), 10)) << "P*" << 10;
    QTest::newRow("extra lines ignored") << crlfLines(QStringList{QString()} + numbered(QStringLiteral("v"), 45)) << ""
                                         << 40;
    QTest::newRow("lone CR")
        << (QStringList{QStringLiteral("X")} + numbered(QStringLiteral("v"), 40)).join(QLatin1Char('\r')).toUtf8()
        << "X" << 40;
    QTest::newRow("empty file") << QByteArray() << "" << 0;
}

void TestTagFiles::projectReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, pattern);
    QFETCH(int, valuesRead);
    test::Fixture fx;
    fx.writeFile(QStringLiteral("DATA/p100.prj"), bytes);
    const ProjectRead read = readProjectFile(fx.data(), QStringLiteral("P100.PRJ"));
    QVERIFY(read.ok);
    QCOMPARE(read.pattern, pattern);
    QCOMPARE(read.values.size(), kProjectValueCount);
    for (int i = 0; i < kProjectValueCount; ++i)
        QCOMPARE(read.values.at(i), i < valuesRead ? QStringLiteral("v%1").arg(i + 1) : QString());
}

void TestTagFiles::projectNeverReadOutsideData()
{
    test::Fixture fx;
    fx.writeFile(QStringLiteral("outside.PRJ"), crlfLines(numbered(QStringLiteral("v"), 41)));
    const ProjectRead read = readProjectFile(fx.data(), QStringLiteral("..") + QDir::separator() + "outside.PRJ");
    QVERIFY(!read.ok);
    QCOMPARE(read.failure.error, kFileNotFound);
    QCOMPARE(readProjectFile(fx.data(), QStringLiteral("Missing.PRJ")).failure.error, kFileNotFound);
}

void TestTagFiles::projectFilesAndIndexReachTheComposer()
{
    test::Fixture fx;
    QStringList a, b;
    for (int i = 1; i <= kProjectValueCount; ++i) {
        a << QStringLiteral("A%1").arg(i);
        b << QStringLiteral("B%1").arg(i);
    }
    a[4] = QStringLiteral("line\nbreak");
    QVERIFY(writeProjectFile(fx.data(), QStringLiteral("A.PRJ"), QStringLiteral("C:\\JOBS\\"), a).ok());
    QVERIFY(writeProjectFile(fx.data(), QStringLiteral("b.PRJ"), QStringLiteral("C:\\JOBS\\P1\\"), b).ok());
    QVERIFY(writeProjectFile(fx.data(), QStringLiteral("C.PRX"), QString(), b).ok());
    QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("A.PRJ")).count("\r\n"), 41);

    const QStringList active = projectFileNames(fx.data(), activeProjectExtension());
    QCOMPARE(active, (QStringList{QStringLiteral("A.PRJ"), QStringLiteral("b.PRJ")}));
    QCOMPARE(projectFileNames(fx.data(), inactiveProjectExtension()), QStringList{QStringLiteral("C.PRX")});
    // Names that do not end in ".PRJ" never reach the index.
    QVERIFY(writeProjectIndex(fx.data(), active + QStringList{QStringLiteral("C.PRX")}).ok());
    QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("PTAGMAN.DAT")), QByteArray("A.PRJ\r\nb.PRJ\r\n"));

    // The first matching project in the index supplies the values; a value never brings a line break.
    const ProjectTagSet set = ProjectTagSet::load(fx.data());
    QCOMPARE(set.SubstituteProjectTAGS(QStringLiteral("$PROJECTTAG1$ $projecttag5$ $PROJECTTAG40$"),
                                       QStringLiteral("c:\\jobs\\p1\\x.dwg")),
             QStringLiteral("A1 linebreak A40"));
    QCOMPARE(set.SubstituteProjectTAGS(QStringLiteral("$PROJECTTAG1$"), QStringLiteral("D:\\other\\x.dwg")),
             QStringLiteral("$PROJECTTAG1$"));
}

void TestTagFiles::indexEmptyAndExistingInOtherCase()
{
    test::Fixture fx;
    fx.writeFile(QStringLiteral("DATA/ptagman.dat"), "OLD.PRJ\r\n");
    QVERIFY(writeProjectIndex(fx.data(), {}).ok());
    QCOMPARE(dataEntries(fx.data()), QStringList{QStringLiteral("ptagman.dat")});
    QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("ptagman.dat")), QByteArray());

    // A missing DATA folder is made; a folder standing where the index belongs is an error.
    QVERIFY(QDir(fx.data()).removeRecursively());
    QVERIFY(ensureDataFolder(fx.data()).ok());
    QVERIFY(QDir(fx.data()).mkdir(QStringLiteral("PTAGMAN.DAT")));
    const FileResult r = writeProjectIndex(fx.data(), {QStringLiteral("A.PRJ")});
    QCOMPARE(r.error, kPathFileAccessError);
    QVERIFY(r.path.endsWith(QStringLiteral("PTAGMAN.DAT")));
}

// ---- Picked folders and patterns ----

void TestTagFiles::pickedFolderPattern_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("inside");
    QTest::addColumn<QString>("outside");
    QTest::newRow("windows folder") << "C:\\Jobs\\P100"
                                    << "C:\\JOBS\\P100\\"
                                    << "c:\\jobs\\p100\\sub\\A.dwg"
                                    << "C:\\Jobs\\P1000\\A.dwg";
    QTest::newRow("drive root") << "D:\\"
                                << "D:\\"
                                << "d:\\x.dwg"
                                << "C:\\x.dwg";
    QTest::newRow("hash") << "C:\\JOB#1"
                          << "C:\\JOB[#]1\\"
                          << "C:\\JOB#1\\A.dwg"
                          << "C:\\JOB11\\A.dwg";
    QTest::newRow("brackets") << "/home/u/Job[2]"
                              << "/HOME/U/JOB[[]2]/"
                              << "/home/u/job[2]/a.dwg"
                              << "/home/u/job2/a.dwg";
    QTest::newRow("question mark and star") << "/srv/a?b*"
                                            << "/SRV/A[?]B[*]/"
                                            << "/srv/A?B*/x.dwg"
                                            << "/srv/aXbYY/x.dwg";
}

void TestTagFiles::pickedFolderPattern()
{
    QFETCH(QString, folder);
    QFETCH(QString, pattern);
    QFETCH(QString, inside);
    QFETCH(QString, outside);
    QCOMPARE(tess::pickedFolderPattern(folder), pattern);
    QVERIFY(isValidProjectPattern(pattern));
    QVERIFY(ProjectPathMatches(inside, pattern));
    QVERIFY(!ProjectPathMatches(outside, pattern));
}

void TestTagFiles::invalidPatternMatchesNothing_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("applied"); // the project whose values the drawing C:\JOB[1\z.dwg takes
    QTest::newRow("empty") << "" << true << "bad";
    QTest::newRow("list") << "C:\\JOB[0-9]\\" << true << "all";
    QTest::newRow("negated list") << "JOB[!x]" << true << "bad";
    QTest::newRow("dash at the end") << "[a-]" << true << "all";
    QTest::newRow("unclosed") << "C:\\JOB[1\\" << false << "all";
    QTest::newRow("backward range") << "[z-a]" << false << "all";
}

void TestTagFiles::invalidPatternMatchesNothing()
{
    QFETCH(QString, pattern);
    QFETCH(bool, valid);
    QFETCH(QString, applied);
    QCOMPARE(isValidProjectPattern(pattern), valid);

    // A project of that pattern, first in the index, before one that matches everything.
    ProjectTagFile bad;
    bad.fileName = QStringLiteral("BAD.PRJ");
    bad.pattern = pattern;
    ProjectTagFile all;
    all.fileName = QStringLiteral("ALL.PRJ");
    for (int i = 0; i < kProjectValueCount; ++i) {
        bad.values << QStringLiteral("bad");
        all.values << QStringLiteral("all");
    }
    const ProjectTagSet set({bad, all});
    const QString drawing = QStringLiteral("C:\\JOB[1\\z.dwg");
    QCOMPARE(set.invalidPatternProjects(), valid ? QStringList() : QStringList{QStringLiteral("BAD.PRJ")});
    // Never an empty text: an invalid pattern is no match.
    QCOMPARE(set.SubstituteProjectTAGS(QStringLiteral("ZOOM $PROJECTTAG1$"), drawing),
             QStringLiteral("ZOOM ") + applied);
}

// ---- User tag settings ----

void TestTagFiles::charCounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // for the sheet box; "" when valid
    const QString greater = QStringLiteral("Value must be greater than \"0\".\r\nResetting to \"1\".");
    const QString whole = QStringLiteral("Value must be a whole number from \"1\" to \"255\".\r\nResetting to \"1\".");
    QTest::newRow("3") << "3"
                       << "";
    QTest::newRow("12") << "12"
                        << "";
    QTest::newRow("255") << "255"
                         << "";
    QTest::newRow("0") << "0" << greater;
    QTest::newRow("empty") << "" << greater;
    QTest::newRow("05") << "05" << greater;
    QTest::newRow("blank first") << " 3" << greater;
    QTest::newRow("1A") << "1A" << whole;
    QTest::newRow("256") << "256" << whole;
    QTest::newRow("fraction") << "2.5" << whole;
    QTest::newRow("huge") << "99999999999" << whole;
}

void TestTagFiles::charCounts()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QCOMPARE(isValidCharCount(text), message.isEmpty());
    QCOMPARE(charCountMessage(text, CharCountBox::Sheet), message);
    if (!message.isEmpty()) {
        QVERIFY(charCountMessage(text, CharCountBox::First).endsWith(QStringLiteral("Resetting to \"4\".")));
        QVERIFY(charCountMessage(text, CharCountBox::Last).endsWith(QStringLiteral("Resetting to \"2\".")));
    }
}

void TestTagFiles::counterTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("007") << "007" << true << 7;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("plus and blanks") << " +12 " << true << 12;
    QTest::newRow("max") << "2147483647" << true << 2147483647;
    QTest::newRow("min") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("above 32 bits") << "2147483648" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("word") << "ten" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
}

void TestTagFiles::counterTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<qint32> v = parseCounterText(text);
    QCOMPARE(v.has_value(), valid);
    if (valid)
        QCOMPARE(*v, value);
}

void TestTagFiles::formCheckOrder()
{
    UserTagForm f;
    f.counterStart = QStringLiteral("x");
    f.counterStep = QStringLiteral("1");
    f.firstFileChars = QStringLiteral("4");
    f.lastFileChars = QStringLiteral("1A");
    f.sheetChars = QStringLiteral("0");
    // The first box in the order of the store: last characters before the sheet and the counter.
    std::optional<UserTagFormProblem> p = checkUserTagForm(f);
    QVERIFY(p);
    QCOMPARE(p->box, UserTagFormProblem::LastFileChars);
    QCOMPARE(p->title, QStringLiteral("Filename Value"));
    f.lastFileChars = QStringLiteral("2");
    QCOMPARE(checkUserTagForm(f)->box, UserTagFormProblem::SheetChars);
    f.sheetChars = QStringLiteral("3");
    p = checkUserTagForm(f);
    QCOMPARE(p->box, UserTagFormProblem::CounterStart);
    QCOMPARE(p->title, QStringLiteral("Counter Value"));
    f.counterStart = QStringLiteral("1");
    f.counterStep = QString();
    QCOMPARE(checkUserTagForm(f)->box, UserTagFormProblem::CounterStep);
    f.counterStep = QStringLiteral("-1");
    QVERIFY(!checkUserTagForm(f));
}

void TestTagFiles::okStoresKeysAsTypedAndSetsMembers()
{
    test::Fixture fx;
    UserTagForm f;
    f.counterStart = QStringLiteral("007");
    f.counterStep = QStringLiteral("5");
    f.firstFileChars = QStringLiteral("4");
    f.lastFileChars = QStringLiteral("2");
    f.sheetChars = QStringLiteral("12");
    f.trimZeros = false;
    f.padCounter = true;
    f.padDigits = 4;
    f.tags = sampleTags();
    QVERIFY(writeUserTagSettings(f).isEmpty());

    const SettingsStore &store = SettingsStore::instance();
    QCOMPARE(store.keys(QStringLiteral("UserTags")).size(), 58);
    const auto stored = [&store](const char *key) {
        return store.read(QStringLiteral("UserTags"), QLatin1String(key), QStringLiteral("<none>"));
    };
    QCOMPARE(stored("CounterStart"), QStringLiteral("007"));
    QCOMPARE(stored("CounterStep"), QStringLiteral("5"));
    QCOMPARE(stored("SheetChars"), QStringLiteral("12"));
    QCOMPARE(stored("TrimZeros"), QStringLiteral("0"));
    QCOMPARE(stored("PadCounterEnabled"), QStringLiteral("1"));
    QCOMPARE(stored("PadDigits"), QStringLiteral("4"));
    QCOMPARE(stored("TAG1"), QStringLiteral("GADGETS && CO."));
    QCOMPARE(stored("TAG2"), QStringLiteral("  blanks kept  "));
    QCOMPARE(stored("TAG7"), QString());

    MainSettings s;
    applyUserTagForm(s, f);
    QCOMPARE(s.COUNTERSTART, 7);
    QCOMPARE(s.COUNTERSTEP, 5);
    QCOMPARE(s.SHEETCHARS, QStringLiteral("12"));
    QCOMPARE(s.TRIMZEROS, qint16(0));
    QCOMPARE(s.PADCOUNTER, qint16(1));
    QCOMPARE(s.PADDIGITS, qint16(4));
    QCOMPARE(s.TAG[0], QStringLiteral("GADGETS && CO."));
    QCOMPARE(s.TAG[49], QStringLiteral("last"));

    // The boxes show the members back: the counter as a number.
    const UserTagForm shown = UserTagForm::fromSettings(s);
    QCOMPARE(shown.counterStart, QStringLiteral("7"));
    QCOMPARE(shown.tags, f.tags);
}

void TestTagFiles::membersNormalized_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("member");
    QTest::addColumn<int>("shown"); // by a form whose spinner stood at 5
    QTest::newRow("0") << 0 << 2 << 5;
    QTest::newRow("2") << 2 << 2 << 2;
    QTest::newRow("9") << 9 << 9 << 9;
    QTest::newRow("10") << 10 << 9 << 5;
    QTest::newRow("-3") << -3 << 2 << 5;
}

void TestTagFiles::membersNormalized()
{
    QFETCH(int, stored);
    QFETCH(int, member);
    QFETCH(int, shown);
    MainSettings s;
    s.PADDIGITS = qint16(stored);
    s.TAG[4] = QStringLiteral("two\r\nlines\n");
    s.TAG[5] = QStringLiteral("  kept  ");
    QCOMPARE(UserTagForm::fromSettings(s, 5).padDigits, shown);
    normalizeUserTagMembers(s);
    QCOMPARE(int(s.PADDIGITS), member);
    QCOMPARE(s.TAG[4], QStringLiteral("twolines"));
    QCOMPARE(s.TAG[5], QStringLiteral("  kept  "));
}

QTEST_GUILESS_MAIN(TestTagFiles)
#include "tst_tagfiles.moc"
