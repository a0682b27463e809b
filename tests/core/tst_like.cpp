#include "core/like.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <numeric>
#include <random>

using namespace tess;

namespace {

// textOrder against a stable sort by textCompare; false after a failed comparison.
bool orderIsTheStableSort(const QStringList &texts)
{
    std::vector<qsizetype> expected(texts.size());
    std::iota(expected.begin(), expected.end(), qsizetype(0));
    std::stable_sort(expected.begin(), expected.end(),
                     [&](qsizetype a, qsizetype b) { return textCompare(texts.at(a), texts.at(b)) < 0; });
    const TextOrder got = textOrder(texts);
    [&] {
        QCOMPARE(got.order, expected);
        for (size_t k = 0; k < expected.size(); ++k) {
            const bool equal = k > 0 && textCompare(texts.at(expected[k - 1]), texts.at(expected[k])) == 0;
            QCOMPARE(bool(got.equalsPrevious[k]), equal);
        }
    }();
    return !QTest::currentTestFailed();
}

} // namespace

class TestLike : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void like_data();
    void like();
    void longTextWithManyStars();
    void textCompareOrder_data();
    void textCompareOrder();
    void textOrderIsTheStableSort();
};

void TestLike::like_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("expected");

    // Literals and case.
    QTest::newRow("exact") << "abc.dwg"
                           << "abc.dwg" << true;
    QTest::newRow("case ignored") << "ABC.DWG"
                                  << "abc.dwg" << true;
    QTest::newRow("longer text") << "abc.dwgx"
                                 << "abc.dwg" << false;
    QTest::newRow("shorter text") << "abc.dw"
                                  << "abc.dwg" << false;
    QTest::newRow("empty both") << ""
                                << "" << true;
    QTest::newRow("empty pattern") << "a"
                                   << "" << false;
    QTest::newRow("non-ASCII case") << QString::fromUtf8("ÄBÇ") << QString::fromUtf8("äbç") << true;
    // Stars.
    QTest::newRow("star alone") << "anything"
                                << "*" << true;
    QTest::newRow("star empty text") << ""
                                     << "*" << true;
    QTest::newRow("stars only") << ""
                                << "***" << true;
    QTest::newRow("extension") << "Plan.DWG"
                               << "*.dwg" << true;
    QTest::newRow("extension bak") << "plan.dwg.bak"
                                   << "*.dwg" << false;
    QTest::newRow("short name long pattern") << "-A.dwg"
                                             << "*-A*.dwg" << true;
    QTest::newRow("single letter") << "x"
                                   << "*x*" << true;
    QTest::newRow("head and tail overlap") << "a"
                                           << "a*a" << false;
    QTest::newRow("head and tail") << "aba"
                                   << "a*a" << true;
    QTest::newRow("middle needs later place") << "xabcabd"
                                              << "x*abd" << true;
    QTest::newRow("middle segments in order") << "a1b2c3"
                                              << "*b*c*" << true;
    QTest::newRow("middle segments out of order") << "a1c2b3"
                                                  << "*b*c*" << false;
    QTest::newRow("middle may not eat the tail") << "ab"
                                                 << "*b*b" << false;
    QTest::newRow("double star") << "abc"
                                 << "a**c" << true;
    // One-character atoms.
    QTest::newRow("question") << "a1c"
                              << "a?c" << true;
    QTest::newRow("question needs one") << "ac"
                                        << "a?c" << false;
    QTest::newRow("hash digit") << "A-101"
                                << "A-###" << true;
    QTest::newRow("hash letter") << "A-10x"
                                 << "A-###" << false;
    QTest::newRow("hash with star") << "S12.dwg"
                                    << "S#*" << true;
    // Lists.
    QTest::newRow("list hit") << "b"
                              << "[abc]" << true;
    QTest::newRow("list case") << "B"
                               << "[abc]" << true;
    QTest::newRow("list miss") << "d"
                               << "[abc]" << false;
    QTest::newRow("range") << "m"
                           << "[a-z]" << true;
    QTest::newRow("range upper bounds, lower text") << "m"
                                                    << "[A-Z]" << true;
    QTest::newRow("range miss") << "5"
                                << "[a-z]" << false;
    QTest::newRow("negated hit") << "5"
                                 << "[!a-z]" << true;
    QTest::newRow("negated miss") << "q"
                                  << "[!a-z]" << false;
    QTest::newRow("negated case") << "Q"
                                  << "[!a-z]" << false;
    QTest::newRow("leading dash literal") << "-"
                                          << "[-a]" << true;
    QTest::newRow("trailing dash literal") << "-"
                                           << "[a-]" << true;
    QTest::newRow("star in list is literal") << "*"
                                             << "[*]" << true;
    QTest::newRow("star in list not wildcard") << "ab"
                                               << "[*]" << false;
    QTest::newRow("question in list is literal") << "x"
                                                 << "[?]" << false;
    QTest::newRow("hash in list is literal") << "#"
                                             << "[#]" << true;
    QTest::newRow("list inside stars") << "drawing-B.dwg"
                                       << "*-[ab].dwg" << true;
    QTest::newRow("empty list matches nothing extra") << "ab"
                                                      << "a[]b" << true;
    QTest::newRow("unclosed bracket literal") << "a[b"
                                              << "a[b" << true;
}

void TestLike::like()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, expected);
    QCOMPARE(Like(text, pattern), expected);
    QCOMPARE(LikePattern(pattern).matches(text), expected);
}

// The classic backtracking matcher takes exponential time here; this one answers at once.
void TestLike::longTextWithManyStars()
{
    const QString text = QString(200000, QLatin1Char('a'));
    QVERIFY(!Like(text, QStringLiteral("*a*a*a*a*a*a*a*a*b")));
    QVERIFY(Like(text + QLatin1Char('b'), QStringLiteral("*a*a*a*a*a*a*a*a*b")));
}

void TestLike::textCompareOrder_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");

    QTest::newRow("case only") << "Plan.DWG"
                               << "plan.dwg" << 0;
    QTest::newRow("letters") << "apple"
                             << "Banana" << -1;
    QTest::newRow("digit before letter") << "9"
                                         << "a" << -1;
    QTest::newRow("punctuation before digit") << "_"
                                              << "0" << -1;
    QTest::newRow("space before digit") << " "
                                        << "0" << -1;
    QTest::newRow("punctuation before letter") << "~"
                                               << "A" << -1;
    QTest::newRow("underscore before letter") << "a_b"
                                              << "ab" << -1;
    QTest::newRow("prefix first") << "abc"
                                  << "abcd" << -1;
    QTest::newRow("backslash before letter") << "C:\\A\\x"
                                             << "C:\\Ab" << -1;
    QTest::newRow("digits by code") << "10"
                                    << "9" << -1;
    QTest::newRow("empty first") << ""
                                 << "a" << -1;
}

void TestLike::textCompareOrder()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    QCOMPARE(qBound(-1, textCompare(a, b), 1), sign);
    QCOMPARE(qBound(-1, textCompare(b, a), 1), -sign);
}

// Random lists built to meet every case of the keyed order: long shared prefixes (several key
// stretches deep), entries equal or differing only in case, prefixes of one another, empty
// entries, non-ASCII letters, digits and symbols, and alphabets large enough to shrink the keys.
void TestLike::textOrderIsTheStableSort()
{
    QRandomGenerator rng(2024);
    // Pieces of the texts, "|" between them (the last one empty).
    const QStringList pieces =
        QStringLiteral("C:\\Projects\\Job|c:\\PROJECTS\\job|\\Sheets\\|A-|Arch-|.dwg|.DWG|_| |0|9|"
                       "x|X|\u00e9|\u00c9|\u00df|\u03a3|\u03c3|\u03c2|\u0663|\u4e2d|~|-|")
            .split(QLatin1Char('|'));
    const QString longPrefix = QStringLiteral("D:\\Drawings\\A very long folder name shared by all\\");
    for (int round = 0; round < 400; ++round) {
        const bool wideAlphabet = round % 5 == 0;
        const bool sharedStart = round % 3 == 0;
        const int n = int(rng.bounded(1, round < 390 ? 60 : 3000));
        QStringList texts;
        for (int i = 0; i < n; ++i) {
            if (i > 0 && rng.bounded(6) == 0) { // an earlier entry again, maybe in the other case
                const QString &again = texts.at(rng.bounded(i));
                texts.append(rng.bounded(2) ? again.toUpper() : again);
                continue;
            }
            QString t = sharedStart ? longPrefix : QString();
            for (int k = 0, parts = int(rng.bounded(0, 8)); k < parts; ++k) {
                if (wideAlphabet && rng.bounded(3) == 0)
                    t += QChar(char16_t(rng.bounded(0x80, 0xd800)));
                else
                    t += pieces.at(rng.bounded(pieces.size()));
            }
            if (i > 0 && rng.bounded(8) == 0) { // a prefix of an earlier entry
                const QString &earlier = texts.at(rng.bounded(i));
                t = earlier.left(rng.bounded(earlier.size() + 1));
            }
            texts.append(t);
        }

        QVERIFY(orderIsTheStableSort(texts));
    }
    QVERIFY(textOrder({}).order.empty());

    // Texts that part one at a time, far apart along one long text (and in another case): every
    // level of keys sets only one of them apart, deeper than the keys are taken.
    QString along;
    for (int i = 0; i < 100 * 200; ++i)
        along += QChar(char16_t(u'a' + rng.bounded(3)));
    QStringList parting = {along};
    for (int level = 0; level < 100; ++level) {
        const QString branch = along.left(level * 200 + 10) + QLatin1Char('z');
        parting.append(level % 2 ? branch.toUpper() : branch);
    }
    std::shuffle(parting.begin(), parting.end(), std::mt19937(7));
    QVERIFY(orderIsTheStableSort(parting));
}

QTEST_GUILESS_MAIN(TestLike)
#include "tst_like.moc"
