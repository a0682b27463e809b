// The row files of the title-block and layout wizards on a temporary DATA folder: the bytes
// written, what is read back from whole, short, long and LF files, the template list, deleting,
// and the texts of the boxes a failed save or a short file shows.

#include "core/fileio.h"
#include "tags/datafilenames.h"
#include "testsupport.h"
#include "wizards/rowfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tess;

namespace {

// n texts "L1" ... "Ln".
QStringList numbered(int n)
{
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << QStringLiteral("L%1").arg(i);
    return l;
}

QByteArray crLfLines(const QStringList &lines)
{
    QByteArray b;
    for (const QString &l : lines)
        b += l.toUtf8() + "\r\n";
    return b;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestWizardRowFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void kindsAndStateFileNames()
    {
        test::Fixture fx(QStringLiteral("jdoe"));
        QCOMPARE(RowFileKind::titleBlock().stateFileName(), QStringLiteral("jdoe-tbw.tmp"));
        QCOMPARE(RowFileKind::layout().stateFileName(), QStringLiteral("jdoe-LTW.tmp"));
        QCOMPARE(RowFileKind::titleBlock().lines, 101);
        QCOMPARE(RowFileKind::layout().lines, 100);
    }

    // Every text on its own line, empty texts as empty lines, blanks and tags as typed; read back
    // as written.
    void writeAndReadBack()
    {
        test::Fixture fx;
        QStringList texts = numbered(101);
        texts[0] = QString();
        texts[1] = QStringLiteral("  blanks  ");
        texts[2] = QStringLiteral("$TAG5$ \u00e9t\u00e9");
        texts[100] = QString();
        QVERIFY(writeRowFile(fx.data(), QStringLiteral("Job.TBW"), texts).ok());
        QCOMPARE(fileBytes(fx.data() + QStringLiteral("Job.TBW")), crLfLines(texts));

        const RowFileRead r = readRowFile(fx.data(), QStringLiteral("Job.TBW"), RowFileKind::titleBlock());
        QCOMPARE(r.status, RowFileRead::Read);
        QCOMPARE(r.lines, texts);
        QVERIFY(!r.cutShort());

        // A line break that reached a text is dropped: the file keeps its 101 lines.
        texts[5] = QStringLiteral("A\r\nB");
        QVERIFY(writeRowFile(fx.data(), QStringLiteral("Job.TBW"), texts).ok());
        QCOMPARE(readRowFile(fx.data(), QStringLiteral("Job.TBW"), RowFileKind::titleBlock()).lines.at(5),
                 QStringLiteral("AB"));
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("layout");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("cutShort");

        QTest::newRow("101 lines") << crLfLines(numbered(101)) << false << numbered(101) << false;
        QTest::newRow("60 lines") << crLfLines(numbered(60)) << false << numbered(60) << true;
        QTest::newRow("more than 101 lines") << crLfLines(numbered(130)) << false << numbered(101) << false;
        QTest::newRow("LF line ends") << numbered(101).join('\n').toUtf8() + "\n" << false << numbered(101) << false;
        QTest::newRow("last line without line end")
            << numbered(101).join("\r\n").toUtf8() << false << numbered(101) << false;
        QTest::newRow("empty file") << QByteArray() << false << QStringList() << true;
        QTest::newRow("layout: 100 lines") << crLfLines(numbered(100)) << true << numbered(100) << false;
        QTest::newRow("layout: 99 lines") << crLfLines(numbered(99)) << true << numbered(99) << true;
        QTest::newRow("layout: 101 lines") << crLfLines(numbered(101)) << true << numbered(100) << false;
        QTest::newRow("only empty lines") << crLfLines(QStringList(101)) << false << QStringList(101) << false;
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, layout);
        QFETCH(QStringList, lines);
        QFETCH(bool, cutShort);
        test::Fixture fx;
        fx.writeFile(QStringLiteral("DATA/rows.tmp"), bytes);
        const RowFileRead r = readRowFile(fx.data(), QStringLiteral("rows.tmp"),
                                          layout ? RowFileKind::layout() : RowFileKind::titleBlock());
        QCOMPARE(r.status, RowFileRead::Read);
        QCOMPARE(r.lines, lines);
        QCOMPARE(r.cutShort(), cutShort);
        QCOMPARE(r.path, QDir::toNativeSeparators(fx.data() + QStringLiteral("rows.tmp")));
    }

    // File names ignore letter case on every platform: the existing file is the one read and the
    // one replaced; nothing is found outside DATA itself.
    void namesIgnoreLetterCase()
    {
        test::Fixture fx;
        fx.writeFile(QStringLiteral("DATA/ABC.TBW"), crLfLines(numbered(101)));
        QCOMPARE(readRowFile(fx.data(), QStringLiteral("abc.TBW"), RowFileKind::titleBlock()).lines, numbered(101));

        QVERIFY(writeRowFile(fx.data(), QStringLiteral("abc.TBW"), QStringList(101, QStringLiteral("new"))).ok());
        QCOMPARE(QDir(fx.data()).entryList(QDir::Files), QStringList{QStringLiteral("ABC.TBW")});
        QCOMPARE(fileBytes(fx.data() + QStringLiteral("ABC.TBW")), crLfLines(QStringList(101, QStringLiteral("new"))));

        fx.writeFile(QStringLiteral("outside.TBW"), crLfLines(numbered(101)));
        for (const char *name : {"missing.TBW", "../outside.TBW", "..", "sub/x.TBW"})
            QCOMPARE(readRowFile(fx.data(), QLatin1String(name), RowFileKind::titleBlock()).status,
                     RowFileRead::NotFound);
    }

    // A failed save keeps the old file and names its cause.
    void saveFailures()
    {
        test::Fixture fx;
        const QString path = fx.writeFile(QStringLiteral("DATA/Locked.ltw"), "old\r\n");
        QVERIFY(setReadOnlyFile(path, true).ok());
        const FileResult locked = writeRowFile(fx.data(), QStringLiteral("Locked.ltw"), numbered(100));
        QCOMPARE(locked.error, kPermissionDenied);
        QCOMPARE(fileBytes(path), QByteArray("old\r\n"));
        QCOMPARE(rowFileSaveFailureText(locked, RowFileKind::layout()),
                 QStringLiteral("File is Write protected...\r\n") + QDir::toNativeSeparators(path) +
                     QStringLiteral("\r\n"));
        QVERIFY(setReadOnlyFile(path, false).ok());

        QVERIFY(QDir(fx.data()).removeRecursively());
        const FileResult noData = writeRowFile(fx.data(), QStringLiteral("tester-tbw.tmp"), numbered(101));
        QCOMPARE(noData.error, kPathNotFound);
        QCOMPARE(rowFileSaveFailureText(noData, RowFileKind::titleBlock()),
                 QStringLiteral("\\DATA\\ directory does not exist in the Tessaline directory...\r\n Please create "
                                "it, and try saving again."));

        FileResult other;
        other.error = kPathFileAccessError;
        other.reason = QStringLiteral("Disk full");
        QCOMPARE(rowFileSaveFailureText(other, RowFileKind::titleBlock()),
                 QStringLiteral("Error 75 (Disk full) in procedure SaveTBW of Form frmTBWiz"));
        QCOMPARE(rowFileSaveFailureText(other, RowFileKind::layout()),
                 QStringLiteral("Error 75 (Disk full) in procedure SaveLTW of Form frmLayWiz"));
        QCOMPARE(rowFileCutShortText(QStringLiteral("C:\\T\\DATA\\a.TBW")),
                 QStringLiteral("Input past end-of file... file may be corrupted...\r\nC:\\T\\DATA\\a.TBW"));
    }

    // The templates of DATA itself, upper-cased, one entry per file in the order the system lists the
    // folder (not sorted); the other family, other files and sub-folders stay out.
    void templateList()
    {
        test::Fixture fx;
        for (const char *name : {"DATA/b.TBW", "DATA/_z.TBW", "DATA/A1.tbw", "DATA/c.TBW", "DATA/Rename.ltw",
                                 "DATA/x.TBW.bak", "DATA/.TBW", "DATA/sub/deep.TBW", "DATA/tester-tbw.tmp"})
            fx.writeFile(QLatin1String(name), "x\r\n");
        const auto titles = [&fx](const QStringList &files) {
            QStringList t;
            for (const QString &f : test::inListingOrder(fx.data(), files))
                t << f.chopped(4).toUpper();
            return t;
        };
        QCOMPARE(rowTemplateNames(fx.data(), RowFileKind::titleBlock()),
                 titles({"b.TBW", "_z.TBW", "A1.tbw", "c.TBW"}));
        // Where letter case makes another file, that file has its own entry.
        if (!QFile::exists(fx.data() + QStringLiteral("a1.TBW"))) {
            fx.writeFile(QStringLiteral("DATA/a1.TBW"), "x\r\n");
            QCOMPARE(rowTemplateNames(fx.data(), RowFileKind::titleBlock()),
                     titles({"b.TBW", "_z.TBW", "A1.tbw", "c.TBW", "a1.TBW"}));
        }
        QCOMPARE(rowTemplateNames(fx.data(), RowFileKind::layout()), QStringList({"RENAME"}));
        QDir(fx.data()).removeRecursively();
        QCOMPARE(rowTemplateNames(fx.data(), RowFileKind::titleBlock()), QStringList());
    }

    void deleting()
    {
        test::Fixture fx;
        const QString kept = fx.writeFile(QStringLiteral("DATA/Keep.TBW"), "x\r\n");
        const QString gone = fx.writeFile(QStringLiteral("DATA/Gone.TBW"), "x\r\n");
        QVERIFY(deleteDataFile(fx.data(), QStringLiteral("GONE.TBW")).ok());
        QVERIFY(!QFile::exists(gone));
        QCOMPARE(deleteDataFile(fx.data(), QStringLiteral("GONE.TBW")).error, kFileNotFound);
        QCOMPARE(deleteDataFile(fx.data(), QStringLiteral("../DATA/Keep.TBW")).error, kFileNotFound);
        QVERIFY(setReadOnlyFile(kept, true).ok());
        QCOMPARE(deleteDataFile(fx.data(), QStringLiteral("keep.tbw")).error, kPermissionDenied);
        QVERIFY(QFile::exists(kept));
        QVERIFY(setReadOnlyFile(kept, false).ok());
    }
};

QTEST_GUILESS_MAIN(TestWizardRowFiles)
#include "tst_wizardrowfiles.moc"
