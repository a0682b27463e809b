#include "core/pathhelpers.h"
#include "utilities/renamerplan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

// A folder holding files whose contents are their names, so a test sees which file bears which name.
struct Folder {
    QTemporaryDir dir;
    explicit Folder(const QStringList &names)
    {
        for (const QString &n : names)
            writeFile(dir.filePath(n), n.toUtf8());
    }
    QString path() const { return withTrailingSeparator(dir.path(), QLatin1Char('/')); }
    RenameEntry entry(const QString &from, const QString &to) const { return {path(), from, to}; }
    QStringList names() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
};

} // namespace

class tst_RenamerPlan : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void invalidNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "A-001.dwg" << true;
        QTest::newRow("leading dot") << ".dwg" << true;
        QTest::newRow("device-like") << "CONSOLE.dwg" << true;
        QTest::newRow("COM0") << "COM0.dwg" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dotdot") << ".." << false;
        for (const char c : QByteArray("\\/:*?\"<>|"))
            QTest::newRow(qPrintable(QStringLiteral("char %1").arg(QChar(c))))
                << QStringLiteral("a%1b.dwg").arg(QChar(c)) << false;
        QTest::newRow("control") << "a\tb.dwg" << false;
        QTest::newRow("trailing dot") << "a.dwg." << false;
        QTest::newRow("trailing blank") << "a.dwg " << false;
        QTest::newRow("CON") << "CON" << false;
        QTest::newRow("nul.dwg") << "nul.dwg" << false;
        QTest::newRow("COM1.txt") << "COM1.txt" << false;
        QTest::newRow("lpt9") << "lpt9" << false;
        QTest::newRow("255") << QString(251, QLatin1Char('a')) + ".dwg" << true;
        QTest::newRow("256") << QString(252, QLatin1Char('a')) + ".dwg" << false;
    }
    void invalidNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(invalidFileNameReason(name).isEmpty(), valid);
    }

    void invalidNamesRefuseEverythingInOneList()
    {
        Folder f({"A.dwg", "B.dwg", "C.dwg"});
        const QList<RenameEntry> entries{f.entry("A.dwg", "A1.dwg"), f.entry("B.dwg", "B?.dwg"),
                                         f.entry("C.dwg", "CON.dwg")};
        const FinalizePlan plan = planFinalize(entries);
        QVERIFY(!plan.canRename());
        QCOMPARE(plan.invalidNames.size(), 2);
        QVERIFY(invalidNamesMessage(plan.invalidNames).contains("CON.dwg"));
    }

    void duplicatesAcrossFoldersAndCase()
    {
        Folder f1({"A.dwg"}), f2({"B.dwg"});
        QVERIFY(planFinalize({f1.entry("A.dwg", "X.dwg"), f2.entry("B.dwg", "X.dwg")}).duplicates);
        QVERIFY(planFinalize({f1.entry("A.dwg", "x.dwg"), f2.entry("B.dwg", "X.DWG")}).duplicates);
        QVERIFY(!planFinalize({f1.entry("A.dwg", "X.dwg"), f2.entry("B.dwg", "Y.dwg")}).duplicates);
    }

    void collisions_data()
    {
        QTest::addColumn<QStringList>("from");
        QTest::addColumn<QStringList>("to");
        QTest::addColumn<QList<qsizetype>>("colliding");
        QTest::newRow("case only") << QStringList{"a.dwg"} << QStringList{"A.dwg"} << QList<qsizetype>{0};
        QTest::newRow("swap") << QStringList{"a.dwg", "b.dwg"} << QStringList{"b.dwg", "a.dwg"}
                              << QList<qsizetype>{0, 1};
        QTest::newRow("chain") << QStringList{"a.dwg", "b.dwg"} << QStringList{"b.dwg", "d.dwg"} << QList<qsizetype>{0};
        QTest::newRow("unqueued target, other case")
            << QStringList{"a.dwg"} << QStringList{"Z.DWG"} << QList<qsizetype>{0};
        QTest::newRow("unchanged entry passed over")
            << QStringList{"a.dwg", "b.dwg"} << QStringList{"a.dwg", "d.dwg"} << QList<qsizetype>{};
    }
    void collisions()
    {
        QFETCH(QStringList, from);
        QFETCH(QStringList, to);
        QFETCH(QList<qsizetype>, colliding);
        Folder f({"a.dwg", "b.dwg", "c.dwg", "z.dwg"});
        QList<RenameEntry> entries;
        for (qsizetype i = 0; i < from.size(); ++i)
            entries.append(f.entry(from.at(i), to.at(i)));
        int listed = 0;
        const FinalizePlan plan = planFinalize(entries, [&listed](const QString &folder) {
            ++listed;
            return listFolderNames(folder);
        });
        QCOMPARE(plan.collisions, colliding);
        QVERIFY(listed <= 1); // each folder read once
        QCOMPARE(f.names(), (QStringList{"a.dwg", "b.dwg", "c.dwg", "z.dwg"}));
    }

    void passRenamesWithoutTouchingContents()
    {
        Folder f({"A.dwg", "B.dwg", "C.dwg"});
        const QList<RenameEntry> entries{f.entry("A.dwg", "A1.dwg"), f.entry("B.dwg", "B.dwg"),
                                         f.entry("C.dwg", "C1.dwg")};
        QVERIFY(planFinalize(entries).canRename());
        const RenamePass pass = runRenamePass(entries);
        QVERIFY(pass.complete());
        QCOMPARE(pass.renamed, (QList<qsizetype>{0, 2}));
        QCOMPARE(f.names(), (QStringList{"A1.dwg", "B.dwg", "C1.dwg"}));
        QCOMPARE(contentOf(f.path() + "A1.dwg"), QByteArray("A.dwg"));
        QCOMPARE(contentOf(f.path() + "C1.dwg"), QByteArray("C.dwg"));
    }

    void renameNeverReplaces()
    {
        // A target that appeared after the checks: the real rename refuses it and both files stay.
        Folder f({"A.dwg", "B.dwg"});
        const RenameOutcome r = renameNoReplace(f.path() + "A.dwg", f.path() + "B.dwg");
        QCOMPARE(r.failure, RenameFailure::TargetExists);
        QCOMPARE(contentOf(f.path() + "A.dwg"), QByteArray("A.dwg"));
        QCOMPARE(contentOf(f.path() + "B.dwg"), QByteArray("B.dwg"));
        QCOMPARE(renameNoReplace(f.path() + "gone.dwg", f.path() + "x.dwg").failure, RenameFailure::NotFound);
    }

    void passStopsAtFirstFailure_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("text");
        QTest::newRow("locked") << int(RenameFailure::Locked)
                                << "The file\r\nB.dwg\r\nwas not able to be renamed due to the file being locked.";
        QTest::newRow("appeared") << int(RenameFailure::TargetExists)
                                  << "in procedure cmdDoIt_Click of Form frmFileRenamer";
    }
    void passStopsAtFirstFailure()
    {
        QFETCH(int, failure);
        QFETCH(QString, text);
        Folder f({"A.dwg", "B.dwg", "C.dwg"});
        const QList<RenameEntry> entries{f.entry("A.dwg", "A1.dwg"), f.entry("B.dwg", "B1.dwg"),
                                         f.entry("C.dwg", "C1.dwg")};
        // The seam refuses B as a locked file or as a target that appeared since the checks would.
        auto rename = [failure](const QString &from, const QString &to) {
            if (from.endsWith("B.dwg")) {
                RenameOutcome r;
                r.failure = RenameFailure(failure);
                r.code = 5;
                r.reason = QStringLiteral("refused");
                return r;
            }
            return renameNoReplace(from, to);
        };
        const RenamePass pass = runRenamePass(entries, rename);
        QCOMPARE(pass.failedIndex, qsizetype(1));
        QCOMPARE(pass.renamed, QList<qsizetype>{0});
        QCOMPARE(f.names(), (QStringList{"A1.dwg", "B.dwg", "C.dwg"}));
        const QString message = passStoppedMessage(entries, pass);
        QVERIFY2(message.contains(text), qPrintable(message));
        QVERIFY(message.contains("A.dwg -> A1.dwg"));
        QVERIFY(message.contains("refused"));

        // Pressed again after the cause is gone: the renamed entry no longer changes, the rest go.
        const QList<RenameEntry> again{f.entry("A1.dwg", "A1.dwg"), f.entry("B.dwg", "B1.dwg"),
                                       f.entry("C.dwg", "C1.dwg")};
        QVERIFY(planFinalize(again).canRename());
        QVERIFY(runRenamePass(again).complete());
        QCOMPARE(f.names(), (QStringList{"A1.dwg", "B1.dwg", "C1.dwg"}));
        QCOMPARE(contentOf(f.path() + "B1.dwg"), QByteArray("B.dwg"));
    }

    void vanishedFile()
    {
        Folder f({"A.dwg", "B.dwg"});
        const QList<RenameEntry> entries{f.entry("A.dwg", "A1.dwg"), f.entry("B.dwg", "B1.dwg")};
        QVERIFY(planFinalize(entries).canRename());
        QVERIFY(QFile::remove(f.path() + "A.dwg"));
        const RenamePass pass = runRenamePass(entries);
        QCOMPARE(pass.failedIndex, qsizetype(0));
        QCOMPARE(pass.failure.failure, RenameFailure::NotFound);
        QVERIFY(passStoppedMessage(entries, pass).contains("in the source list, was not found."));
        QCOMPARE(f.names(), QStringList{"B.dwg"});
    }
};

QTEST_GUILESS_MAIN(tst_RenamerPlan)
#include "tst_renamerplan.moc"
