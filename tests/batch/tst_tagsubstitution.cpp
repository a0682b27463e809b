#include "batch/tagsubstitution.h"
#include "core/appenvironment.h"
#include "core/clock.h"
#include "core/mainsettings.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QtTest>

#include <limits>

using namespace tess;

namespace {

const QDateTime kMoment(QDate(2026, 12, 9), QTime(20, 5, 3)); // a Wednesday
const QLocale kUs(QLocale::English, QLocale::UnitedStates);

TagEnvironment environment(const QDateTime &moment = kMoment, const QLocale &locale = kUs)
{
    TagEnvironment e;
    e.moment = moment;
    e.locale = locale;
    e.programPath = QStringLiteral("C:\\Apps\\Batch\\");
    e.loginName = QStringLiteral("tester");
    e.computerName = QStringLiteral("TESTPC");
    return e;
}

TagSettings baseSettings()
{
    TagSettings s;
    s.SHEETCHARS = QStringLiteral("3");
    s.FIRSTFILECHARS = QStringLiteral("4");
    s.LASTFILECHARS = QStringLiteral("2");
    s.TRIMZEROS = 1;
    s.TAG[0] = QStringLiteral("GADGETS && CO.");
    s.TAG[49] = QStringLiteral("fifty");
    return s;
}

const QStringList kWinQueue = {QStringLiteral("C:\\P\\DWG\\A-099.dwg"), QStringLiteral("C:\\P\\DWG\\A-101.dwg"),
                               QStringLiteral("C:\\P\\DWG\\B-020.dwg")};
const QStringList kPosixQueue = {QStringLiteral("/p/dwg/A-099.dwg"), QStringLiteral("/p/dwg/A-101.dwg"),
                                 QStringLiteral("/p/dwg/B-020.dwg")};

// The literal cascade: every row in order, one whole-text replacement each, ignoring case.
QString literalCascade(const TagContext &ctx, QString text, qint64 counter, const QString &file, qsizetype number)
{
    const QStringList &names = TagContext::tagNames();
    for (int row = 1; row <= names.size(); ++row)
        text.replace(names.at(row - 1), ctx.tagValue(row, counter, file, number), Qt::CaseInsensitive);
    return text;
}

// The same, stopped (nullopt) before a row would take the text past the bound.
std::optional<QString> literalCascadeWithin(const TagContext &ctx, QString text, qint64 counter, const QString &file,
                                            qsizetype number, qsizetype bound)
{
    if (text.size() > bound)
        return std::nullopt;
    const QStringList &names = TagContext::tagNames();
    for (int row = 1; row <= names.size(); ++row) {
        const QString &name = names.at(row - 1);
        const QString value = ctx.tagValue(row, counter, file, number);
        qsizetype matches = 0;
        for (qsizetype at = text.indexOf(name, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(name, at + name.size(), Qt::CaseInsensitive))
            ++matches;
        if (text.size() + matches * (value.size() - name.size()) > bound)
            return std::nullopt;
        text.replace(name, value, Qt::CaseInsensitive);
    }
    return text;
}

} // namespace

class TestTagSubstitution : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tagTable_data();
    void tagTable();
    void cascade_data();
    void cascade();
    void cascadeMatchesLiteralReplacement();
    void bound_data();
    void bound();
    void longCascadeKeepsItsResult();
    void neighbours_data();
    void neighbours();
    void counter_data();
    void counter();
    void fileCharacters_data();
    void fileCharacters();
    void badCounts_data();
    void badCounts();
    void dates_data();
    void dates();
    void oneMomentPerText();
    void emptyNamesGiveEmptyValues();
    void preparedTextIsReusable();
    void drawingValuesAsTagValue();
};

void TestTagSubstitution::tagTable_data()
{
    QTest::addColumn<bool>("posix");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("expected");

    struct Row {
        const char *tag, *win, *posix;
    };
    const Row rows[] = {
        {"$MM/DD/YY$", "12/09/26", "12/09/26"},
        {"$DD/MM/YY$", "09/12/26", "09/12/26"},
        {"$YY/MM/DD$", "26/12/09", "26/12/09"},
        {"$DATE$", "Wednesday, Dec 9, 2026", "Wednesday, Dec 9, 2026"},
        {"$YYYY$", "2026", "2026"},
        {"$YY$", "26", "26"},
        {"$MM$", "12", "12"},
        {"$MM-1$", "11", "11"},
        {"$MM-2$", "10", "10"},
        {"$MM-3$", "09", "09"},
        {"$DD$", "09", "09"},
        {"$TIME_12$", "08:05:03 PM", "08:05:03 PM"},
        {"$TIME_24$", "20:05:03", "20:05:03"},
        {"$COUNTER$", "7", "7"},
        {"$FILECOUNTINQUEUE$", "3", "3"},
        {"$TSL_PATH$", "C:/Apps/Batch/", "C:/Apps/Batch/"},
        {"$USER$", "tester", "tester"},
        {"$COMPUTER$", "TESTPC", "TESTPC"},
        {"$FILENAME$", "A-101", "A-101"},
        {"$FILENAME-PREV$", "A-099", "A-099"},
        {"$FILENAME-NEXT$", "B-020", "B-020"},
        {"$FILEPATH$", "C:\\P\\DWG\\", "/p/dwg/"},
        {"$FILEPATH-1$", "C:\\P\\", "/p/"},
        {"$FILEPATH-2$", "C:\\", "/"},
        {"$FILEPATH-9$", "C:\\", "/"},
        {"$FILEDRIVE$", "C:\\", "/"},
        {"$FILEDRIVE+1$", "C:\\P\\", "/p/"},
        {"$FILEDRIVE+2$", "C:\\P\\DWG\\", "/p/dwg/"},
        {"$FILEDRIVE+3$", "C:\\P\\DWG\\A-101.dwg", "/p/dwg/A-101.dwg"},
        {"$FILEDRIVE+9$", "C:\\P\\DWG\\A-101.dwg", "/p/dwg/A-101.dwg"},
        {"$FIRSTFILECHARS$", "A-10", "A-10"},
        {"$LASTFILECHARS$", "01", "01"},
        {"$SHEET$", "101", "101"},
        {"$SHEET-PREV$", "99", "99"},
        {"$SHEET-NEXT$", "20", "20"},
        {"$TAG1$", "GADGETS && CO.", "GADGETS && CO."},
        {"$TAG2$", "", ""},
        {"$TAG50$", "fifty", "fifty"},
    };
    for (const Row &r : rows) {
        QTest::addRow("win %s", r.tag) << false << QString::fromLatin1(r.tag) << QString::fromLatin1(r.win);
        QTest::addRow("posix %s", r.tag) << true << QString::fromLatin1(r.tag) << QString::fromLatin1(r.posix);
    }
}

void TestTagSubstitution::tagTable()
{
    QFETCH(bool, posix);
    QFETCH(QString, tag);
    QFETCH(QString, expected);
    const QStringList &queue = posix ? kPosixQueue : kWinQueue;
    const TagContext ctx(baseSettings(), queue, environment());
    QVERIFY(ctx.isValid());
    QCOMPARE(ctx.SubstituteTAGS(QLatin1Char('<') + tag + QLatin1Char('>'), 7, queue.at(1), 2),
             QLatin1Char('<') + expected + QLatin1Char('>'));
    // Every tag is replaced in any letter case.
    QCOMPARE(ctx.SubstituteTAGS(tag.toLower(), 7, queue.at(1), 2), expected);
}

void TestTagSubstitution::cascade_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tags"); // "n=value" pairs
    QTest::addColumn<QString>("expected");

    QTest::newRow("no tags") << "_PURGE _ALL _N" << QStringList() << "_PURGE _ALL _N";
    QTest::newRow("empty") << "" << QStringList() << "";
    QTest::newRow("not a tag") << "$$ $NOTATAG$ $ 5$" << QStringList() << "$$ $NOTATAG$ $ 5$";
    QTest::newRow("mixed case, every occurrence")
        << "$filename$/$FileName$/$FILENAME$" << QStringList() << "A-101/A-101/A-101";
    QTest::newRow("later row in a value is expanded") << "$TAG3$" << QStringList{"3=x$TAG7$y", "7=Z"} << "xZy";
    QTest::newRow("earlier row in a value stays") << "$TAG5$" << QStringList{"5=$FILENAME$"} << "$FILENAME$";
    QTest::newRow("TAG12 holds TAG40") << "$TAG12$" << QStringList{"12=[$TAG40$]", "40=forty"} << "[forty]";
    QTest::newRow("TAG40 holds TAG12") << "$TAG40$" << QStringList{"12=twelve", "40=[$TAG12$]"} << "[$TAG12$]";
    QTest::newRow("a row never sees its own value") << "$TAG1$" << QStringList{"1=$TAG1$"} << "$TAG1$";
    QTest::newRow("case folding beyond ASCII")
        << "$\u017Fheet$|$TAG1$|$\u0130$" << QStringList{"1=\u212A"} << "101|\u212A|$\u0130$";
    QTest::newRow("$TAG1$ does not touch $TAG10$") << "$TAG1$,$TAG10$" << QStringList{"1=one", "10=ten"} << "one,ten";
    // Two tags sharing one "$": the earlier row takes it, the later one is broken.
    QTest::newRow("shared dollar, earlier row first") << "$TAG1$DD$" << QStringList{"1=T"} << "$TAG109";
    QTest::newRow("shared dollar, same row") << "$DD$DD$" << QStringList() << "09DD$";
    // Replacements join text around them into new tags, for later rows only.
    QTest::newRow("empty value forms a later tag") << "$TA$TAG1$G9$" << QStringList{"1=", "9=nine"} << "nine";
    QTest::newRow("empty value forms an earlier tag") << "$TAG$TAG2$1$" << QStringList{"1=one", "2="} << "$TAG1$";
    QTest::newRow("value with a dollar joins the next tag") << "$TAG1$TAG2$" << QStringList{"1=X$", "2=two"} << "Xtwo";
    QTest::newRow("value ending a tag to its left") << "$TAG$DD$" << QStringList{"3=three"} << "$TAG09";
    QTest::newRow("value opening a tag") << "x$TAG1$$y" << QStringList{"1=$TAG3", "3=three"} << "xthreey";
    QTest::newRow("value opening a non-tag") << "a$TAG1$TAG4$" << QStringList{"1=$TAG3", "3=three"} << "a$TAG3TAG4$";
}

void TestTagSubstitution::cascade()
{
    QFETCH(QString, text);
    QFETCH(QStringList, tags);
    QFETCH(QString, expected);
    TagSettings s = baseSettings();
    s.TAG[0].clear();
    for (const QString &t : tags) {
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        s.TAG[size_t(t.left(eq).toInt() - 1)] = t.mid(eq + 1);
    }
    const TagContext ctx(s, kWinQueue, environment());
    QCOMPARE(ctx.SubstituteTAGS(text, 7, kWinQueue.at(1), 2), expected);
    QCOMPARE(ctx.SubstituteTAGS(text, 7, kWinQueue.at(1), 2), literalCascade(ctx, text, 7, kWinQueue.at(1), 2));
}

// Random texts made of tag pieces, dollars and values that hold dollars and partial tags: the result is
// always the one of the literal row-by-row replacement.
void TestTagSubstitution::cascadeMatchesLiteralReplacement()
{
    const QStringList fragments = {"$",      "$$",        "TAG",   "TAG1",    "TAG2", "1$",         "DD",      "$DD$",
                                   "$TAG3$", "$tag2$",    "x",     "FILE",    "NAME", "$FILENAME$", "$SHEET$", "MM",
                                   "-1",     "$COUNTER$", "$TAG4", "$TAG50$", " ",    "\r\n"};
    QRandomGenerator rng(20261209);
    auto randomText = [&](int maxPieces) {
        QString t;
        const int n = int(rng.bounded(maxPieces + 1));
        for (int i = 0; i < n; ++i)
            t += fragments.at(int(rng.bounded(qsizetype(fragments.size()))));
        return t;
    };
    for (int round = 0; round < 3000; ++round) {
        TagSettings s = baseSettings();
        for (int t = 0; t < 6; ++t)
            s.TAG[size_t(t)] = randomText(3);
        s.TAG[49] = randomText(3);
        const TagContext ctx(s, kWinQueue, environment());
        const QString text = randomText(12);
        const QString got = ctx.SubstituteTAGS(text, 7, kWinQueue.at(1), 2);
        const QString want = literalCascade(ctx, text, 7, kWinQueue.at(1), 2);
        if (got != want) {
            QString values;
            for (int t = 0; t < 6; ++t)
                values += QStringLiteral(" TAG%1=[%2]").arg(t + 1).arg(s.TAG[size_t(t)]);
            QFAIL(qPrintable(QStringLiteral("text [%1]%2: got [%3], want [%4]").arg(text, values, got, want)));
        }
    }
}

void TestTagSubstitution::bound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tags"); // "n=value" pairs; "*" alone: TAGn = two TAGn+1 for every n
    QTest::addColumn<QString>("file");
    QTest::addColumn<qsizetype>("bound");
    QTest::addColumn<bool>("within");

    const QString file = kWinQueue.at(1);
    QTest::newRow("doubling at every row") << "$TAG1$" << QStringList{"*"} << file << qsizetype(100000) << false;
    QTest::newRow("exactly at the bound") << "<$TAG1$>" << QStringList{"1=abcdefgh"} << file << qsizetype(10) << true;
    QTest::newRow("one past the bound") << "<$TAG1$>" << QStringList{"1=abcdefghi"} << file << qsizetype(10) << false;
    QTest::newRow("grows past, shrinks back: still refused")
        << "$TAG1$" << QStringList{"1=$TAG2$$TAG2$$TAG2$", "2=$TAG3$$TAG3$", "3="} << file << qsizetype(20) << false;
    QTest::newRow("shrinking text stays within")
        << "$TAG1$$TAG1$$TAG1$" << QStringList{"1="} << file << qsizetype(18) << true;
    QTest::newRow("text alone longer than the bound")
        << "_ZOOM _E ZOOM" << QStringList() << file << qsizetype(12) << false;
    // A drawing path whose first folder holds path tags of later rows: every such row copies the folders,
    // and so the tags of the rows after it, again (all eighteen: 2^18 copies).
    auto tagged = [](int filepathTags, int filedriveTags) {
        QString first;
        for (int n = 1; n <= filepathTags; ++n)
            first += QStringLiteral("$FILEPATH-%1$").arg(n);
        for (int n = 1; n <= filedriveTags; ++n)
            first += QStringLiteral("$FILEDRIVE+%1$").arg(n);
        return QStringLiteral("C:\\") + first + QStringLiteral("\\P\\Q\\R\\S\\T\\U\\V\\W\\X\\A-101.dwg");
    };
    QTest::newRow("drawing path of path tags")
        << "$FILEPATH$" << QStringList() << tagged(9, 9) << qsizetype(100000) << false;
    QTest::newRow("a few path tags, no bound") << "$FILEPATH$" << QStringList() << tagged(2, 1) << qsizetype(1) << true;
}

// A substitution that would pass the bound at any row gives nothing (nullopt, or the empty text through
// SubstituteTAGS); one that stays within gives the literal result.
void TestTagSubstitution::bound()
{
    QFETCH(QString, text);
    QFETCH(QStringList, tags);
    QFETCH(QString, file);
    QFETCH(qsizetype, bound);
    QFETCH(bool, within);
    TagSettings s = baseSettings();
    s.TAG[0].clear();
    for (const QString &t : tags) {
        if (t == QLatin1String("*")) {
            for (int n = 1; n < 50; ++n)
                s.TAG[size_t(n - 1)] = QStringLiteral("$TAG%1$$TAG%1$").arg(n + 1);
            continue;
        }
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        s.TAG[size_t(t.left(eq).toInt() - 1)] = t.mid(eq + 1);
    }
    TagContext ctx(s, {kWinQueue.at(0), file}, environment());
    if (bound == 1) // "no bound": the literal result is the reference
        bound = 0;
    ctx.setMaxTextSize(bound);
    const std::optional<QString> got = ctx.trySubstituteTAGS(text, 7, file, 2);
    QCOMPARE(got.has_value(), within);
    if (within) {
        const QString want =
            bound > 0 ? *literalCascadeWithin(ctx, text, 7, file, 2, bound) : literalCascade(ctx, text, 7, file, 2);
        QCOMPARE(*got, want);
        QVERIFY(bound <= 0 || got->size() <= bound);
    } else {
        QVERIFY(!literalCascadeWithin(ctx, text, 7, file, 2, bound));
        QCOMPARE(ctx.SubstituteTAGS(text, 7, file, 2), QString());
        QString out = QStringLiteral("kept");
        QVERIFY(!ctx.substituteInto(out, ctx.prepare(text), 7, file, 2));
        QCOMPARE(out, QStringLiteral("kept"));
    }
}

// Thousands of tags taken through every row (each value the tag of the next row) and random texts under
// small bounds: the result is always the literal one, bounded the same way.
void TestTagSubstitution::longCascadeKeepsItsResult()
{
    TagSettings s = baseSettings();
    for (int n = 1; n < 50; ++n)
        s.TAG[size_t(n - 1)] =
            n % 7 == 0 ? QStringLiteral("[$TAG%1$]").arg(n + 1) : QStringLiteral("$TAG%1$").arg(n + 1);
    s.TAG[49] = QStringLiteral("$FILENAME$"); // an earlier row: stays literal
    const TagContext ctx(s, kWinQueue, environment());
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += i % 3 == 0   ? QStringLiteral("$TAG1$ ")
                : i % 3 == 1 ? QStringLiteral("$tag7$$")
                             : QStringLiteral("$FILENAME$\r\n");
    QCOMPARE(ctx.SubstituteTAGS(text, 7, kWinQueue.at(1), 2), literalCascade(ctx, text, 7, kWinQueue.at(1), 2));

    const QStringList fragments = {"$", "$$", "TAG1", "TAG2", "1$", "$TAG3$", "$tag2$", "x", "$TAG1$", "$TAG4$"};
    QRandomGenerator rng(20261210);
    auto randomText = [&](int maxPieces) {
        QString t;
        const int n = int(rng.bounded(maxPieces + 1));
        for (int i = 0; i < n; ++i)
            t += fragments.at(int(rng.bounded(qsizetype(fragments.size()))));
        return t;
    };
    for (int round = 0; round < 2000; ++round) {
        TagSettings r = baseSettings();
        for (int t = 0; t < 4; ++t)
            r.TAG[size_t(t)] = randomText(4);
        TagContext bounded(r, kWinQueue, environment());
        const qsizetype bound = 10 + qsizetype(rng.bounded(200));
        bounded.setMaxTextSize(bound);
        const QString text = randomText(12);
        const std::optional<QString> got = bounded.trySubstituteTAGS(text, 7, kWinQueue.at(1), 2);
        const std::optional<QString> want = literalCascadeWithin(bounded, text, 7, kWinQueue.at(1), 2, bound);
        if (got != want)
            QFAIL(
                qPrintable(QStringLiteral("text [%1] bound %2: got [%3], want [%4]")
                               .arg(text)
                               .arg(bound)
                               .arg(got.value_or(QStringLiteral("<none>")), want.value_or(QStringLiteral("<none>")))));
    }
}

void TestTagSubstitution::neighbours_data()
{
    QTest::addColumn<qsizetype>("filenumber");
    QTest::addColumn<QString>("expected");

    // The queue's sheets: 99, 101, 20 (TRIMZEROS on).
    QTest::newRow("first") << qsizetype(1) << "|A-101||101";
    QTest::newRow("middle") << qsizetype(2) << "A-099|B-020|99|20";
    QTest::newRow("last") << qsizetype(3) << "A-101||101|";
    QTest::newRow("file number 0: next is the first") << qsizetype(0) << "|A-099||99";
    QTest::newRow("past the end") << qsizetype(9) << "|||";
    QTest::newRow("negative") << qsizetype(-4) << "|||";
}

void TestTagSubstitution::neighbours()
{
    QFETCH(qsizetype, filenumber);
    QFETCH(QString, expected);
    const TagContext ctx(baseSettings(), kWinQueue, environment());
    QCOMPARE(ctx.SubstituteTAGS(QStringLiteral("$FILENAME-PREV$|$FILENAME-NEXT$|$SHEET-PREV$|$SHEET-NEXT$"), 1,
                                QStringLiteral("C:\\X\\self.dwg"), filenumber),
             expected);
}

void TestTagSubstitution::counter_data()
{
    QTest::addColumn<qint16>("pad");
    QTest::addColumn<qint16>("digits");
    QTest::addColumn<qint64>("counter");
    QTest::addColumn<QString>("expected");

    QTest::newRow("padded") << qint16(1) << qint16(3) << qint64(7) << "007";
    QTest::newRow("longer than the width") << qint16(1) << qint16(3) << qint64(1234) << "1234";
    QTest::newRow("not padded") << qint16(0) << qint16(3) << qint64(7) << "7";
    QTest::newRow("negative padded") << qint16(1) << qint16(3) << qint64(-7) << "-007";
    QTest::newRow("negative plain") << qint16(0) << qint16(3) << qint64(-7) << "-7";
    QTest::newRow("width 0") << qint16(1) << qint16(0) << qint64(5) << "5";
    QTest::newRow("past 16 bits") << qint16(0) << qint16(2) << qint64(40000) << "40000";
    QTest::newRow("past 32 bits") << qint16(1) << qint16(2) << qint64(5000000000) << "5000000000";
    QTest::newRow("smallest 64-bit") << qint16(1) << qint16(25) << std::numeric_limits<qint64>::min()
                                     << "-0000009223372036854775808";
}

void TestTagSubstitution::counter()
{
    QFETCH(qint16, pad);
    QFETCH(qint16, digits);
    QFETCH(qint64, counter);
    QFETCH(QString, expected);
    TagSettings s = baseSettings();
    s.PADCOUNTER = pad;
    s.PADDIGITS = digits;
    const TagContext ctx(s, kWinQueue, environment());
    QCOMPARE(ctx.SubstituteTAGS(QStringLiteral("$Counter$"), counter, kWinQueue.at(0), 1), expected);
}

void TestTagSubstitution::fileCharacters_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("sheetChars");
    QTest::addColumn<QString>("firstChars");
    QTest::addColumn<QString>("lastChars");
    QTest::addColumn<qint16>("trim");
    QTest::addColumn<QString>("expected"); // sheet|first|last|file name

    QTest::newRow("trim 001") << "C:\\P\\A-001.dwg"
                              << "3"
                              << "4"
                              << "2" << qint16(1) << "1|A-00|01|A-001";
    QTest::newRow("no trim 001") << "C:\\P\\A-001.dwg"
                                 << "3"
                                 << "4"
                                 << "2" << qint16(0) << "001|A-00|01|A-001";
    QTest::newRow("trim 000") << "C:\\P\\A-000.dwg"
                              << "3"
                              << "4"
                              << "2" << qint16(1) << "|A-00|00|A-000";
    QTest::newRow("trim 010") << "C:\\P\\A-010.dwg"
                              << "3"
                              << "4"
                              << "2" << qint16(1) << "10|A-01|10|A-010";
    QTest::newRow("no trim 010") << "C:\\P\\A-010.dwg"
                                 << "3"
                                 << "4"
                                 << "2" << qint16(0) << "010|A-01|10|A-010";
    // The sheet would start before the first character: only the sheet is empty.
    QTest::newRow("sheet before the start") << "C:\\A.dwg"
                                            << "5"
                                            << "4"
                                            << "2" << qint16(0) << "|A|A|A";
    QTest::newRow("sheet of the whole stem") << "C:\\A.dwg"
                                             << "4"
                                             << "4"
                                             << "2" << qint16(0) << "C:\\A|A|A|A";
    QTest::newRow("negative counts act as 0") << "C:\\P\\A-101.dwg"
                                              << "-2"
                                              << "-1"
                                              << "-3" << qint16(0) << "|||A-101";
    QTest::newRow("counts longer than the title") << "C:\\P\\A-101.dwg"
                                                  << "3"
                                                  << "40"
                                                  << "40" << qint16(0) << "101|A-101|A-101|A-101";
    QTest::newRow("blanks and decimals") << "C:\\P\\A-101.dwg"
                                         << " 3 "
                                         << "2.5"
                                         << "1.5" << qint16(0) << "101|A-|01|A-101";
    QTest::newRow("short path") << "abc"
                                << "3"
                                << "4"
                                << "2" << qint16(0) << "|||";
    QTest::newRow("batch placeholder") << "-INVALID-    "
                                       << "3"
                                       << "4"
                                       << "2" << qint16(0) << "ID-|-INV|D-|-INVALID-";
}

void TestTagSubstitution::fileCharacters()
{
    QFETCH(QString, path);
    TagSettings s = baseSettings();
    QFETCH(QString, sheetChars);
    QFETCH(QString, firstChars);
    QFETCH(QString, lastChars);
    QFETCH(qint16, trim);
    QFETCH(QString, expected);
    s.SHEETCHARS = sheetChars;
    s.FIRSTFILECHARS = firstChars;
    s.LASTFILECHARS = lastChars;
    s.TRIMZEROS = trim;
    const TagContext ctx(s, QStringList{path}, environment());
    QVERIFY(ctx.isValid());
    QCOMPARE(ctx.SubstituteTAGS(QStringLiteral("$SHEET$|$FIRSTFILECHARS$|$LASTFILECHARS$|$FILENAME$"), 1, path, 1),
             expected);
}

void TestTagSubstitution::badCounts_data()
{
    QTest::addColumn<QString>("sheetChars");
    QTest::addColumn<QString>("firstChars");
    QTest::addColumn<QString>("message");

    const QString mismatch = QStringLiteral("Error 13 (Type mismatch) in procedure SubstituteTAGS of Form frmMain");
    QTest::newRow("sheet not a number") << "abc"
                                        << "4" << mismatch;
    QTest::newRow("sheet empty") << ""
                                 << "4" << mismatch;
    QTest::newRow("first not a number") << "3"
                                        << "4x" << mismatch;
    QTest::newRow("sheet past 16 bits") << "40000"
                                        << "4"
                                        << "Error 6 (Overflow) in procedure SubstituteTAGS of Form frmMain";
}

void TestTagSubstitution::badCounts()
{
    QFETCH(QString, sheetChars);
    QFETCH(QString, firstChars);
    QFETCH(QString, message);
    TagSettings s = baseSettings();
    s.SHEETCHARS = sheetChars;
    s.FIRSTFILECHARS = firstChars;
    const TagContext ctx(s, kWinQueue, environment());
    QVERIFY(!ctx.isValid());
    QCOMPARE(ctx.errorMessage(), message);
    QCOMPARE(ctx.SubstituteTAGS(QStringLiteral("$FILENAME$"), 1, kWinQueue.at(0), 1), QString());
}

void TestTagSubstitution::dates_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QLocale de(QLocale::German, QLocale::Germany);
    QTest::newRow("31 March, months back")
        << QDateTime(QDate(2027, 3, 31), QTime(9, 0, 0)) << kUs << "$MM$ $MM-1$ $MM-2$ $MM-3$"
        << "03 03 01 12";
    QTest::newRow("midnight on the 12-hour clock")
        << QDateTime(QDate(2026, 1, 2), QTime(0, 4, 5)) << kUs << "$TIME_12$|$TIME_24$"
        << "12:04:05 AM|0:04:05";
    QTest::newRow("noon") << QDateTime(QDate(2026, 1, 2), QTime(12, 0, 0)) << kUs << "$TIME_12$"
                          << "12:00:00 PM";
    QTest::newRow("single-digit day and month")
        << QDateTime(QDate(2031, 2, 3), QTime(1, 2, 3)) << kUs << "$DATE$|$MM/DD/YY$|$YY$"
        << "Monday, Feb 3, 2031|02/03/31|31";
    QTest::newRow("German separators") << kMoment << de << "$MM/DD/YY$|$TIME_24$"
                                       << "12.09.26|20:05:03";
}

void TestTagSubstitution::dates()
{
    QFETCH(QDateTime, moment);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const TagContext ctx(baseSettings(), kWinQueue, environment(moment, locale));
    QCOMPARE(ctx.SubstituteTAGS(text, 1, kWinQueue.at(0), 1), expected);
}

// The header shows the moment the context was made (short date, long time without a time zone); every
// text reads the clock once, so a composition that runs across midnight dates each text by its own moment.
void TestTagSubstitution::oneMomentPerText()
{
    test::Fixture fx;
    fx.setLocale(kUs);
    fx.setClock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    const TagContext ctx(baseSettings(), kWinQueue);
    const QString text = QStringLiteral("$YYYY$-$MM$-$DD$ $TIME_24$ $mm/dd/yy$");
    QCOMPARE(ctx.SubstituteTAGS(text, 1, kWinQueue.at(0), 1), QStringLiteral("2026-12-31 23:59:59 12/31/26"));
    fx.setClock(QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1)));
    QCOMPARE(ctx.SubstituteTAGS(text, 1, kWinQueue.at(1), 2), QStringLiteral("2027-01-01 0:00:01 01/01/27"));
    QCOMPARE(ctx.headerDate(), QStringLiteral("12/31/26"));
    QCOMPARE(ctx.headerTime(), QStringLiteral("11:59:59 PM"));
    QCOMPARE(ctx.SubstituteTAGS(QStringLiteral("$USER$@$COMPUTER$"), 1, kWinQueue.at(0), 1),
             QStringLiteral("tester@TESTPC"));

    // The members hold the texts of the last text with a date or time tag.
    MainSettings s;
    ctx.dates().writeTo(s);
    QCOMPARE(s.MMDDYY, QStringLiteral("01/01/27"));
    QCOMPARE(s.TodayTime_12, QStringLiteral("12:00:01 AM"));

    // One reading per text, however many date and time tags it holds (a clock that moves at every reading
    // would otherwise mix two days in one text); none for a text without them.
    int readings = 0;
    TagEnvironment e = environment();
    e.now = [&readings] {
        ++readings;
        return QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)).addSecs(readings - 1);
    };
    const TagContext ticking(baseSettings(), kWinQueue, e);
    QCOMPARE(ticking.SubstituteTAGS(QStringLiteral("$DD$/$MM$/$YYYY$ $TIME_24$ $TAG1$ $DATE$"), 1, kWinQueue.at(0), 1),
             QStringLiteral("31/12/2026 23:59:59 GADGETS && CO. Thursday, Dec 31, 2026"));
    QCOMPARE(readings, 1);
    QCOMPARE(ticking.SubstituteTAGS(QStringLiteral("$DD$ $TIME_24$"), 1, kWinQueue.at(0), 1),
             QStringLiteral("01 0:00:00"));
    QCOMPARE(readings, 2);
    QCOMPARE(ticking.SubstituteTAGS(QStringLiteral("$FILENAME$ $TAG1$"), 1, kWinQueue.at(0), 1),
             QStringLiteral("A-099 GADGETS && CO."));
    QCOMPARE(readings, 2);
}

void TestTagSubstitution::emptyNamesGiveEmptyValues()
{
    TagEnvironment e = environment();
    e.computerName.clear();
    e.loginName.clear();
    const TagContext ctx(baseSettings(), kWinQueue, e);
    QCOMPARE(ctx.SubstituteTAGS(QStringLiteral("[$USER$][$COMPUTER$] $FILENAME$"), 1, kWinQueue.at(0), 1),
             QStringLiteral("[][] A-099"));
}

void TestTagSubstitution::preparedTextIsReusable()
{
    const TagContext ctx(baseSettings(), kWinQueue, environment());
    const PreparedTagText p = ctx.prepare(QStringLiteral("-INSERT $FILENAME$ $COUNTER$\r\n"));
    QString out;
    for (qsizetype i = 0; i < kWinQueue.size(); ++i)
        ctx.substituteInto(out, p, 10 + 5 * i, kWinQueue.at(i), i + 1);
    QCOMPARE(out, QStringLiteral("-INSERT A-099 10\r\n-INSERT A-101 15\r\n-INSERT B-020 20\r\n"));
    // A text without a tag comes back as the same string.
    const QString plain = QString::fromLatin1("ZOOM E $ $X$");
    QCOMPARE(ctx.SubstituteTAGS(plain, 1, kWinQueue.at(0), 1).constData(), plain.constData());
}

// The values of one drawing, taken as parts of its path and reused from drawing to drawing, are those
// tagValue gives for every row: short and odd paths, counts past the title, leading zeros, negative and
// padded counters.
void TestTagSubstitution::drawingValuesAsTagValue()
{
    const QStringList paths = {"C:\\P\\DWG\\A-099.dwg",
                               "/p/dwg/B-0020.dwg",
                               "\\\\SRV\\SHARE\\0007.dwg",
                               "C:\\P\\",
                               "x.dw",
                               "abc",
                               "",
                               "C:\\A/B\\000.dwg",
                               "C:\\D\\.dwg",
                               "D:\\\u00e9t\u00e9\\\U0001F600-12.dwg",
                               "no separator at all.dwg"};
    for (const char *sheet : {"3", "0", "40"}) {
        for (const char *chars : {"4", "0", "99"}) {
            for (const qint16 trim : {qint16(0), qint16(1)}) {
                for (const qint16 pad : {qint16(0), qint16(1)}) {
                    TagSettings settings = baseSettings();
                    settings.SHEETCHARS = QString::fromLatin1(sheet);
                    settings.FIRSTFILECHARS = QString::fromLatin1(chars);
                    settings.LASTFILECHARS = QString::fromLatin1(chars);
                    settings.TRIMZEROS = trim;
                    settings.PADCOUNTER = pad;
                    settings.PADDIGITS = 5;
                    const TagContext ctx(settings, paths, environment());
                    TagValues values(ctx);
                    for (qsizetype i = 0; i < paths.size(); ++i) {
                        const qint64 counter = i % 3 == 0 ? -qint64(i) * 7
                                               : i == 4   ? std::numeric_limits<qint64>::min()
                                                          : qint64(i) * 1000;
                        values.reset(counter, paths.at(i), i + 1);
                        for (int pass = 0; pass < 2; ++pass) { // the second time from what was kept
                            for (int row = 1; row <= TagContext::tagNames().size(); ++row) {
                                QCOMPARE(values.value(row).toString(), ctx.tagValue(row, counter, paths.at(i), i + 1));
                            }
                        }
                    }
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestTagSubstitution)
#include "tst_tagsubstitution.moc"
