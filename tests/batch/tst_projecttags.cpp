#include "batch/projecttags.h"
#include "batch/tagsubstitution.h"
#include "core/textfiles.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

using namespace tess;

namespace {

// A program folder whose DATA holds the project fixtures and an index of the given lines.
class ProjectFolder
{
public:
    explicit ProjectFolder(const QStringList &index, bool writeIndex = true)
    {
        const QDir fixtures(test::dataPath(QStringLiteral("batch/projects")));
        for (const QString &name : fixtures.entryList(QDir::Files)) {
            if (name != QLatin1String("PTAGMAN.DAT"))
                QFile::copy(fixtures.filePath(name), m_folder.data() + name);
        }
        if (writeIndex) {
            QByteArray bytes;
            for (const QString &line : index)
                bytes += line.toUtf8() + "\r\n";
            m_folder.writeFile(QStringLiteral("DATA/PTAGMAN.DAT"), bytes);
        }
    }
    ProjectTagSet load() const { return ProjectTagSet::load(m_folder.data(), QStringConverter::Utf8); }
    const test::TempProgramFolder &folder() const { return m_folder; }

private:
    test::TempProgramFolder m_folder;
};

const QString kJobPath = QStringLiteral("p:\\jobs\\1234\\dwg\\A-101.dwg");

} // namespace

class TestProjectTags : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void substitution_data();
    void substitution();
    void indexProblems();
    void shortMatchingProjectIsReported();
    void spSubstitutesTagsBroughtInByValues();
    void readerLines_data();
    void readerLines();
    void applyMatchesLiteralReplacement();
    void matchesOfAllPathsAsOneByOne();
};

void TestProjectTags::substitution_data()
{
    QTest::addColumn<QStringList>("index");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString t = QStringLiteral("$PROJECTTAG1$|$projecttag40$");
    QTest::newRow("pattern held anywhere, any case") << QStringList{"JOB1234.PRJ"} << kJobPath << t << "J-1|J-40";
    QTest::newRow("first in the index wins") << QStringList{"JOB1234.PRJ", "ALL.PRJ"} << kJobPath << t << "J-1|J-40";
    QTest::newRow("index order, not file order")
        << QStringList{"ALL.PRJ", "JOB1234.PRJ"} << kJobPath << t << "A-1|A-40";
    QTest::newRow("no match keeps the tags") << QStringList{"JOB1234.PRJ"} << "C:\\other\\x.dwg" << t << t;
    QTest::newRow("# matches a digit") << QStringList{"HASH.PRJ"} << "C:\\Job35\\x.dwg" << t << "H-1|H-40";
    QTest::newRow("# does not match itself") << QStringList{"HASH.PRJ"} << "C:\\Job#5\\x.dwg" << t << t;
    QTest::newRow("empty pattern matches all") << QStringList{"ALL.PRJ"} << "/home/u/x.dwg" << t << "A-1|A-40";
    QTest::newRow("names ignore case") << QStringList{"all.prj"} << "/home/u/x.dwg" << t << "A-1|A-40";
    QTest::newRow("LF-only file") << QStringList{"LFONLY.PRJ"} << "C:\\LFJOB\\x.dwg" << t << "L-1|L-40";
    QTest::newRow("TAG1 leaves TAG10") << QStringList{"JOB1234.PRJ"} << kJobPath << "$PROJECTTAG1$$PROJECTTAG10$"
                                       << "J-1J-10";
    QTest::newRow("a missing file stops the list") << QStringList{"missing.PRJ", "ALL.PRJ"} << kJobPath << t << t;
    QTest::newRow("projects before a missing file apply")
        << QStringList{"JOB1234.PRJ", "missing.PRJ", "ALL.PRJ"} << kJobPath << t << "J-1|J-40";
    QTest::newRow("and only those") << QStringList{"JOB1234.PRJ", "missing.PRJ", "ALL.PRJ"} << "C:\\x.dwg" << t << t;
    QTest::newRow("a parent folder is not followed") << QStringList{"../DATA/ALL.PRJ", "ALL.PRJ"} << kJobPath << t << t;
    QTest::newRow("a sub-folder is not followed") << QStringList{"sub\\ALL.PRJ"} << kJobPath << t << t;
    QTest::newRow("blank index lines are skipped") << QStringList{"", "  ", "ALL.PRJ"} << kJobPath << t << "A-1|A-40";
    // Within a project a later tag in a value is replaced again, an earlier one only by a later project.
    QTest::newRow("cascade within a project") << QStringList{"CASCADE.PRJ"} << "C:\\CASCADE\\x.dwg"
                                              << "$PROJECTTAG1$|$PROJECTTAG3$"
                                              << "two|$PROJECTTAG1$";
    QTest::newRow("a later project fills tags a value brought in")
        << QStringList{"CASCADE.PRJ", "ALL.PRJ"} << "C:\\CASCADE\\x.dwg"
        << "$PROJECTTAG1$|$PROJECTTAG3$"
        << "two|A-1";
}

void TestProjectTags::substitution()
{
    QFETCH(QStringList, index);
    QFETCH(QString, path);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const ProjectFolder folder(index);
    const ProjectTagSet set = folder.load();
    QVERIFY(set.loadError().isEmpty());
    QCOMPARE(set.SubstituteProjectTAGS(text, path), expected);
    // The index is not read again: deleting the files changes nothing for this composition.
    QDir(folder.folder().data()).removeRecursively();
    QCOMPARE(set.SubstituteProjectTAGS(text, path), expected);
}

void TestProjectTags::indexProblems()
{
    {
        const ProjectFolder folder({}, false);
        const ProjectTagSet set = folder.load();
        QVERIFY(set.projects().isEmpty());
        QVERIFY(set.loadError().isEmpty());
        QCOMPARE(set.SubstituteProjectTAGS(QStringLiteral("$PROJECTTAG1$"), kJobPath), QStringLiteral("$PROJECTTAG1$"));
    }
    {
        const ProjectFolder folder({"JOB1234.PRJ", "missing.PRJ", "ALL.PRJ"});
        const ProjectTagSet set = folder.load();
        QCOMPARE(set.projects().size(), 1);
        QCOMPARE(set.stoppedAt(), QStringLiteral("missing.PRJ"));
    }
    {
        // A listed name that cannot be read as a file is a problem found before anything is written.
        const ProjectFolder folder({"JOB1234.PRJ", "FOLDER.PRJ"});
        QVERIFY(QDir().mkpath(folder.folder().data() + QStringLiteral("FOLDER.PRJ")));
        const ProjectTagSet set = folder.load();
        QVERIFY(set.loadError().startsWith(
            QStringLiteral("Error 75 (Path/File access error) in procedure SubstituteProjectTAGS of Form frmMain")));
        QVERIFY(set.loadError().contains(QStringLiteral("FOLDER.PRJ")));
    }
}

void TestProjectTags::shortMatchingProjectIsReported()
{
    const ProjectFolder folder({"SHORT.PRJ", "ALL.PRJ"});
    const ProjectTagSet set = folder.load();
    QCOMPARE(set.projects().size(), 2);
    // Harmless while it matches nothing.
    QVERIFY(set.incompleteMatchMessage(set.matchingProjects(QStringLiteral("C:\\other\\x.dwg"))).isEmpty());
    QCOMPARE(set.SubstituteProjectTAGS(QStringLiteral("$PROJECTTAG1$"), QStringLiteral("C:\\other\\x.dwg")),
             QStringLiteral("A-1"));
    QCOMPARE(set.incompleteMatchMessage(set.matchingProjects(QStringLiteral("C:\\SHORTJOB\\x.dwg"))),
             QStringLiteral("Error 62 (Input past end of file) in procedure SubstituteProjectTAGS of Form frmMain"
                            "\r\nSHORT.PRJ"));
}

void TestProjectTags::spSubstitutesTagsBroughtInByValues()
{
    const ProjectFolder folder({"CASCADE.PRJ"});
    const ProjectTagSet set = folder.load();
    TagEnvironment env;
    env.moment = QDateTime(QDate(2026, 12, 9), QTime(20, 5, 3));
    env.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    const QStringList queue = {QStringLiteral("C:\\CASCADE\\A-101.dwg"), QStringLiteral("C:\\CASCADE\\A-102.dwg")};
    const TagContext tags(TagSettings(), queue, env);
    // Value 4 is "$FILENAME$-"; the second pass runs with file number 0, so -NEXT names the first drawing.
    QCOMPARE(
        set.SpSubstituteProjectTAGS(tags, QStringLiteral("$PROJECTTAG4$$COUNTER$ $FILENAME-NEXT$"), 12, queue.at(1)),
        QStringLiteral("A-102-12 A-101"));
    // A missing file, even one listed after the matching project, ends the project step and leaves out the
    // tag pass; so does a missing index. An empty index is read to its end.
    const ProjectFolder withMissing({"CASCADE.PRJ", "missing.PRJ"});
    const ProjectTagSet stopped = withMissing.load();
    QVERIFY(stopped.endedAtMissingFile());
    QCOMPARE(stopped.SpSubstituteProjectTAGS(tags, QStringLiteral("$PROJECTTAG4$"), 1, queue.at(0)),
             QStringLiteral("$FILENAME$-"));
    const ProjectTagSet noIndex = ProjectFolder({}, false).load();
    QVERIFY(noIndex.endedAtMissingFile());
    QCOMPARE(noIndex.SpSubstituteProjectTAGS(tags, QStringLiteral("$FILENAME$"), 1, queue.at(0)),
             QStringLiteral("$FILENAME$"));
    const ProjectTagSet emptyIndex = ProjectFolder({}).load();
    QVERIFY(!emptyIndex.endedAtMissingFile());
    QCOMPARE(emptyIndex.SpSubstituteProjectTAGS(tags, QStringLiteral("$FILENAME$"), 1, queue.at(0)),
             QStringLiteral("A-101"));
}

void TestProjectTags::readerLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF, last line ended") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("last line open") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("LF and lone CR") << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n\r\n") << QStringList{"", "", "x", ""};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBFp\r\n") << QStringList{"p"};
}

void TestProjectTags::readerLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(splitTextLines(decodeText(bytes, QStringConverter::Utf8)), lines);
    // A project file: line 1 the pattern, at most 40 values.
    const ProjectTagFile p = ProjectTagFile::parse(bytes, QStringConverter::Utf8);
    QCOMPARE(p.pattern, lines.value(0));
    QCOMPARE(p.values, lines.mid(1, 40));
}

// Random texts and values made of project-tag pieces: the result is always the one of the literal
// replacement of $PROJECTTAG1$ … $PROJECTTAG40$, project after project.
void TestProjectTags::applyMatchesLiteralReplacement()
{
    const QStringList fragments = {"$PROJECTTAG", "$projecttag",  "1", "2", "0", "10", "40", "41", "$",
                                   "x",           "$PROJECTTAG3$"};
    QRandomGenerator rng(41);
    auto randomText = [&](int maxPieces) {
        QString t;
        const int n = int(rng.bounded(maxPieces + 1));
        for (int i = 0; i < n; ++i)
            t += fragments.at(int(rng.bounded(qsizetype(fragments.size()))));
        return t;
    };
    for (int round = 0; round < 2000; ++round) {
        QList<ProjectTagFile> files(2);
        for (ProjectTagFile &f : files) {
            for (int v = 0; v < ProjectTagFile::ValueCount; ++v)
                f.values << (v < 4 || v >= 38 || v == 9 ? randomText(3) : QStringLiteral("v%1").arg(v + 1));
        }
        const ProjectTagSet set(files);
        const QString text = randomText(10);
        QString want = text;
        for (const ProjectTagFile &f : files) {
            for (int n = 1; n <= ProjectTagFile::ValueCount; ++n)
                want.replace(QStringLiteral("$PROJECTTAG%1$").arg(n), f.values.at(n - 1), Qt::CaseInsensitive);
        }
        const QString got = set.applyProjects(text, {0, 1});
        if (got != want)
            QFAIL(qPrintable(QStringLiteral("text [%1]: got [%2], want [%3]").arg(text, got, want)));
    }
}

// The matches of a whole queue, worked out once per folder, are those of every path on its own: random
// patterns (wildcards, separators, case) over random paths, many sharing a folder.
void TestProjectTags::matchesOfAllPathsAsOneByOne()
{
    const QStringList patternParts = {"\\",   "/",     "JOB", "job1", "1", "*",      "?", "#",    "[0-9]",
                                      "[!A]", "[a-c]", "-",   ".dwg", "A", "\u00e9", "[", "DWG\\"};
    const QStringList pathParts = {"\\", "/", "JOB", "Job1", "JOB12", "1", "A-", "DWG", "\u00c9", "x", ".dwg", "9"};
    QRandomGenerator rng(20261211);
    auto pick = [&](const QStringList &from, int most) {
        QString t;
        const int n = 1 + int(rng.bounded(most));
        for (int i = 0; i < n; ++i)
            t += from.at(int(rng.bounded(qsizetype(from.size()))));
        return t;
    };
    for (int round = 0; round < 300; ++round) {
        QList<ProjectTagFile> files;
        const int projectCount = 1 + int(rng.bounded(4));
        for (int p = 0; p < projectCount; ++p) {
            ProjectTagFile f;
            f.fileName = QStringLiteral("P%1.PRJ").arg(p);
            f.pattern = pick(patternParts, 4);
            files << f;
        }
        const ProjectTagSet set(files);
        QStringList folders;
        for (int f = 0; f < 4; ++f)
            folders << pick(pathParts, 6);
        QStringList paths;
        for (int i = 0; i < 40; ++i)
            paths << folders.at(int(rng.bounded(qsizetype(folders.size())))) + pick(pathParts, 3);
        std::vector<int> listOf;
        QList<QList<int>> lists;
        set.matchingProjectsOfAll(paths, listOf, lists);
        QCOMPARE(listOf.size(), size_t(paths.size()));
        QList<QList<int>> seen;
        for (qsizetype i = 0; i < paths.size(); ++i) {
            const QList<int> want = set.matchingProjects(paths.at(i));
            if (!seen.contains(want))
                seen << want;
            QVERIFY2(lists.at(listOf[size_t(i)]) == want,
                     qPrintable(QStringLiteral("path %1, patterns %2")
                                    .arg(paths.at(i), QStringList{files.at(0).pattern, files.back().pattern}.join(
                                                          QLatin1String(" | ")))));
        }
        QCOMPARE(lists, seen); // each list once, in the order of first appearance
    }
}

QTEST_GUILESS_MAIN(TestProjectTags)
#include "tst_projecttags.moc"
