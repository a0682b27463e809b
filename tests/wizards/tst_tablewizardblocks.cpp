// The table wizards without their windows: the texts the title-block and layout wizards give the
// user script, byte for byte, the rows they leave out, the value list, and the output examples
// beside the title-block rows.

#include "testsupport.h"
#include "wizards/outputexamples.h"
#include "wizards/tablewizardblocks.h"

#include <QTest>

using namespace tess;

namespace {

const QString kFolder = QStringLiteral("C:\\APPS\\X"); // in capitals: the same whether file names ignore case
const QString kLoad = QStringLiteral("(LOAD \"C:/APPS/X/LISP/TB_WIZ1.LSP\")\r\n");
const QString kSep = QStringLiteral(";-------------");

// Lines joined by CR LF, the last one without.
QString lines(const QStringList &l) { return l.join(QStringLiteral("\r\n")); }

// One TB_WIZ1 call.
QStringList tbCall(const QString &block, const QString &name, const QString &value)
{
    return {kSep, QStringLiteral("TB_WIZ1"), QLatin1Char('"') + block + QLatin1Char('"'), name, value};
}

// Rows given as {row number (1-based), first text, second text}.
struct Row {
    int number;
    QString first, second;
};

TitleBlockRows titleBlock(const QString &block, const QList<Row> &rows)
{
    TitleBlockRows r;
    r.blockName = block;
    for (const Row &row : rows) {
        r.names[size_t(row.number - 1)] = row.first;
        r.values[size_t(row.number - 1)] = row.second;
    }
    return r;
}

LayoutRows layouts(const QList<Row> &rows)
{
    LayoutRows r;
    for (const Row &row : rows) {
        r.tabNames[size_t(row.number - 1)] = row.first;
        r.newNames[size_t(row.number - 1)] = row.second;
    }
    return r;
}

// Each assignment adds to the one before it (nothing already written is ever taken back).
void verifyGrowing(const QString &script, const QStringList &texts)
{
    QString before = script;
    for (const QString &t : texts) {
        QVERIFY2(t.startsWith(before), qPrintable(t));
        before = t;
    }
}

} // namespace

class TestTableWizardBlocks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void valueListHoldsTheTagChoices()
    {
        const QStringList &c = WizardTagChoices();
        QCOMPARE(c.size(), 81);
        QCOMPARE(c.at(0), QString());
        QCOMPARE(c.mid(1, 13), QStringList({"$DATE$", "$MM/DD/YY$", "$DD/MM/YY$", "$YY/MM/DD$", "$YYYY$", "$YY$",
                                            "$MM$", "$MM-1$", "$MM-2$", "$MM-3$", "$DD$", "$TIME_12$", "$TIME_24$"}));
        QCOMPARE(c.mid(14, 17),
                 QStringList({"$FILENAME$", "$FILEPATH$", "$FILEPATH-1$", "$FILEPATH-2$", "$FILEPATH-3$", "$FILEDRIVE$",
                              "$FILEDRIVE+1$", "$FILEDRIVE+2$", "$FILEDRIVE+3$", "$FIRSTFILECHARS$", "$LASTFILECHARS$",
                              "$SHEET$", "$COUNTER$", "$FILECOUNTINQUEUE$", "$TSL_PATH$", "$USER$", "$COMPUTER$"}));
        for (int n = 1; n <= 50; ++n)
            QCOMPARE(c.at(30 + n), QStringLiteral("$TAG%1$").arg(n));
    }

    // ---- Title block ----

    void titleBlockBlock_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<TitleBlockRows>("rows");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QList<int>>("leftOut");

        const QString regen = QStringLiteral("\r\nREGEN\r\n") + kSep;
        QTest::newRow("two rows on an empty script")
            << QString() << titleBlock(QStringLiteral("TITLE"), {{1, "DWGNO", "$FILENAME$"}, {2, "DATE", "$DATE$"}})
            << kLoad + lines(tbCall("TITLE", "DWGNO", "$FILENAME$") + tbCall("TITLE", "DATE", "$DATE$")) + regen
            << QList<int>();
        QTest::newRow("no filled row") << QString() << titleBlock(QStringLiteral("TITLE"), {})
                                       << kLoad + QStringLiteral("REGEN\r\n") + kSep << QList<int>();
        QTest::newRow("gaps: rows in row order, empty rows leave no trace")
            << QString() << titleBlock(QStringLiteral("TB"), {{47, "LAST", "Z"}, {3, "FIRST", "A"}})
            << kLoad + lines(tbCall("TB", "FIRST", "A") + tbCall("TB", "LAST", "Z")) + regen << QList<int>();
        QTest::newRow("blanks and an empty value are written as they stand")
            << QString() << titleBlock(QStringLiteral(" B "), {{1, " REV ", "  "}, {2, "NOTE", ""}})
            << kLoad + lines(tbCall(" B ", " REV ", "  ") + tbCall(" B ", "NOTE", "")) + regen << QList<int>();
        QTest::newRow("rows without an attribute name are left out")
            << QString()
            << titleBlock(QStringLiteral("TB"), {{2, "", "$DATE$"}, {4, "   ", "X"}, {5, "REV", "B"}, {9, " ", ""}})
            << kLoad + lines(tbCall("TB", "REV", "B")) + regen << QList<int>({2, 4, 9});
        QTest::newRow("empty block name") << QString() << titleBlock(QString(), {{1, "REV", "B"}})
                                          << kLoad + lines(tbCall("", "REV", "B")) + regen << QList<int>();
        QTest::newRow("a pasted line break never reaches the script")
            << QString() << titleBlock(QStringLiteral("T\nB"), {{1, "RE\r\nV", "B\n"}})
            << kLoad + lines(tbCall("TB", "REV", "B")) + regen << QList<int>();
        QTest::newRow("after ZOOM E: the load line on its own line")
            << QStringLiteral("ZOOM E") << titleBlock(QStringLiteral("TB"), {{1, "REV", "B"}})
            << QStringLiteral("ZOOM E\r\n") + kLoad + lines(tbCall("TB", "REV", "B")) + regen << QList<int>();
        QTest::newRow("after another wizard's block")
            << lines({"-PURGE", "A", "*", "N", kSep}) << titleBlock(QStringLiteral("TB"), {{1, "REV", "B"}})
            << lines({"-PURGE", "A", "*", "N", kSep}) + QStringLiteral("\r\n") + kLoad +
                   lines(tbCall("TB", "REV", "B")) + regen
            << QList<int>();
    }
    // The final text, one assignment per line (the load line, five per row written, REGEN, the
    // closing separator), each adding to the one before.
    void titleBlockBlock()
    {
        QFETCH(QString, script);
        QFETCH(TitleBlockRows, rows);
        QFETCH(QString, expected);
        QFETCH(QList<int>, leftOut);
        const QStringList texts = writeTitleBlockScript(script, rows, kFolder);
        QCOMPARE(texts.last(), expected);
        QCOMPARE(titleBlockRowsLeftOut(rows), leftOut);
        QCOMPARE(texts.size(), 3 + 5 * titleBlockRowsWritten(rows).size());
        verifyGrowing(script, texts);
    }

    // ---- Layouts ----

    void layoutBlock_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<LayoutRows>("rows");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QList<int>>("leftOut");

        const auto copy = int(LayoutOperation::Copy), del = int(LayoutOperation::Delete),
                   add = int(LayoutOperation::New), rename = int(LayoutOperation::Rename);
        const LayoutRows two = layouts({{2, "Layout1", "$FILENAME$"}, {5, "Layout2", "Sheet B"}});
        QTest::newRow("rename two rows") << QString() << two << rename
                                         << lines({kSep, "-LAYOUT", "RENAME", "Layout1", "$FILENAME$", kSep, "-LAYOUT",
                                                   "RENAME", "Layout2", "Sheet B", kSep})
                                         << QList<int>();
        QTest::newRow("copy") << QString() << two << copy
                              << lines({kSep, "-LAYOUT", "COPY", "Layout1", "$FILENAME$", kSep, "-LAYOUT", "COPY",
                                        "Layout2", "Sheet B", kSep})
                              << QList<int>();
        QTest::newRow("delete: the new names stay out")
            << QString() << two << del
            << lines({kSep, "-LAYOUT", "DELETE", "Layout1", kSep, "-LAYOUT", "DELETE", "Layout2", kSep})
            << QList<int>();
        QTest::newRow("new") << QString() << two << add
                             << lines({kSep, "-LAYOUT", "NEW", "Layout1", kSep, "-LAYOUT", "NEW", "Layout2", kSep})
                             << QList<int>();
        QTest::newRow("no counting row") << QString() << LayoutRows() << rename << kSep << QList<int>();
        QTest::newRow("blank-only rows count and keep their blanks")
            << QString() << layouts({{1, "  ", " "}}) << rename << lines({kSep, "-LAYOUT", "RENAME", "  ", " ", kSep})
            << QList<int>();
        QTest::newRow("delete leaves out rows without a tab name")
            << QString() << layouts({{1, "", "only hidden"}, {2, "Old", ""}, {3, "   ", ""}, {4, "Gone", "x"}}) << del
            << lines({kSep, "-LAYOUT", "DELETE", "Old", kSep, "-LAYOUT", "DELETE", "Gone", kSep}) << QList<int>({1, 3});
        QTest::newRow("new with text only in the hidden box")
            << QString() << layouts({{1, "", "only hidden"}}) << add << lines({kSep, "-LAYOUT", "NEW", "", kSep})
            << QList<int>();
        QTest::newRow("after ZOOM E: the block on a new line")
            << QStringLiteral("ZOOM E") << layouts({{1, "A", "B"}}) << rename
            << lines({"ZOOM E", kSep, "-LAYOUT", "RENAME", "A", "B", kSep}) << QList<int>();
        QTest::newRow("after another block: the separators stay apart")
            << lines({"-PURGE", "A", "*", "N", kSep}) << layouts({{1, "A", ""}}) << del
            << lines({"-PURGE", "A", "*", "N", kSep, kSep, "-LAYOUT", "DELETE", "A", kSep}) << QList<int>();
        QTest::newRow("after a script that ends its last line: no empty line")
            << QStringLiteral("ZOOM E\r\n") << layouts({{1, "A", ""}}) << add
            << lines({"ZOOM E", kSep, "-LAYOUT", "NEW", "A", kSep}) << QList<int>();
        QTest::newRow("a pasted line break never reaches the script")
            << QString() << layouts({{1, "A\r\n", "B\nC"}}) << copy << lines({kSep, "-LAYOUT", "COPY", "A", "BC", kSep})
            << QList<int>();
    }
    void layoutBlock()
    {
        QFETCH(QString, script);
        QFETCH(LayoutRows, rows);
        QFETCH(int, operation);
        QFETCH(QString, expected);
        QFETCH(QList<int>, leftOut);
        const auto op = LayoutOperation(operation);
        const QStringList texts = writeLayoutScript(script, rows, op);
        QCOMPARE(texts.last(), expected);
        QCOMPARE(layoutRowsLeftOut(rows, op), leftOut);
        verifyGrowing(script, texts);
        // One assignment per line end written (the lead-in's included) and one for the closing
        // separator.
        QCOMPARE(texts.size(), expected.mid(script.size()).count(QStringLiteral("\r\n")) + 1);
    }

    void rowsAreNamedInWarnings()
    {
        QCOMPARE(rowListText({3}), QStringLiteral("Row 3"));
        QCOMPARE(rowListText({3, 7}), QStringLiteral("Rows 3 and 7"));
        QCOMPARE(rowListText({1, 2, 49}), QStringLiteral("Rows 1, 2 and 49"));
    }

    // ---- Output examples ----

    void examples_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");

        const QDateTime may12(QDate(2023, 5, 12), QTime(14, 5, 9));
        const QString before = QStringLiteral("(before)"); // what the example showed
        const QString file = fileDependentExample();
        const struct {
            const char *value;
            QString expected;
        } rows[] = {
            {"$MM/DD/YY$", "05/12/23"},
            {"$DD/MM/YY$", "12/05/23"},
            {"$YY/MM/DD$", "23/05/12"},
            {"$YYYY$", "2023"},
            {"$YY$", "23"},
            {"$MM$", "05"},
            {"$MM-1$", "04"},
            {"$MM-2$", "03"},
            {"$MM-3$", "02"},
            {"$DD$", "12"},
            {"$DATE$", "Friday, May 12, 2023"},
            {"$TIME_12$", "02:05:09 PM"},
            {"$TIME_24$", "14:05:09"},
            {"$FILENAME$", file},
            {"$SHEET$", file},
            {"$COUNTER$", file},
            {"$FILEPATH$", file},
            {"$FILEPATH-7$", file},
            {"$FILEDRIVE+9$", file},
            {"$FIRSTFILECHARS$", file},
            {"$LASTFILECHARS$", file},
            {"$TSL_PATH$", "C:\\Apps\\X\\"},
            {"$FILECOUNTINQUEUE$", "3"},
            {"$USER$", "jdoe"},
            {"$COMPUTER$", "CAD-7"},
            {"$TAG5$", "Harbour Bridge"},
            {"$TAG50$", "last"},
            {"REV B", ""},
            {"", ""},
            {" $DATE$", ""},
            {"$date$", before},
            {"$SHEET-NEXT$", before},
            {"$PROJECTTAG1$", before},
            {"$FILEPATH-10$", before},
            {"$TAG51$", before},
            {"$TAG05$", before},
            {"$", before},
        };
        for (const auto &r : rows)
            QTest::newRow(r.value[0] ? r.value : "(empty)") << may12 << QString::fromLatin1(r.value) << r.expected;
        // 30 days before 31 March is 1 March; 90 days before 15 January is in October.
        QTest::newRow("$MM-1$ on 31 March") << QDateTime(QDate(2023, 3, 31), QTime(9, 0)) << "$MM-1$"
                                            << "03";
        QTest::newRow("$MM-3$ across the year") << QDateTime(QDate(2024, 1, 15), QTime(9, 0)) << "$MM-3$"
                                                << "10";
        QTest::newRow("$TIME_12$ after midnight") << QDateTime(QDate(2023, 5, 12), QTime(0, 7, 1)) << "$TIME_12$"
                                                  << "12:07:01 AM";
    }
    void examples()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        ExampleSources s;
        s.dates = DateTagValues::compute(now, QLocale(QLocale::English, QLocale::UnitedStates));
        s.tags[4] = QStringLiteral("Harbour Bridge");
        s.tags[49] = QStringLiteral("last");
        s.programPath = QStringLiteral("C:\\Apps\\X\\");
        s.loginName = QStringLiteral("jdoe");
        s.computerName = QStringLiteral("CAD-7");
        s.queueCount = 3;
        QCOMPARE(outputExample(value, QStringLiteral("(before)"), s), expected);
    }
};

QTEST_GUILESS_MAIN(TestTableWizardBlocks)
#include "tst_tablewizardblocks.moc"
