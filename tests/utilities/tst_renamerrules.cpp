#include "utilities/renamerrules.h"

#include <QtTest>

using namespace tess;

class tst_RenamerRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void splitAndStrip()
    {
        QCOMPARE(splitName(QStringLiteral("PLAN.A.dwg")).base, QStringLiteral("PLAN.A"));
        QCOMPARE(splitName(QStringLiteral(".dwg")).base, QString());
        QCOMPARE(splitName(QStringLiteral(".dwg")).extension, QStringLiteral(".dwg"));
        QVERIFY(!splitName(QStringLiteral("README")).hasDot);
        QCOMPARE(StripFirstXChars(QStringLiteral("ABC"), 0), std::optional<QString>(QStringLiteral("ABC")));
        QCOMPARE(StripFirstXChars(QStringLiteral("ABC"), -2), std::optional<QString>(QStringLiteral("ABC")));
        QCOMPARE(StripFirstXChars(QStringLiteral("ABC"), 3), std::optional<QString>(QString()));
        QVERIFY(!StripFirstXChars(QStringLiteral("ABC"), 4));
    }

    void renumber_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("digits");
        QTest::addColumn<bool>("append");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("stop");
        const QStringList two{"PLAN.dwg", "PLAN-B.dwg"};
        QTest::newRow("append") << two << "1"
                                << "1" << 3 << true << QStringList{"PLAN001.dwg", "PLAN-B002.dwg"}
                                << int(PreviewStop::None);
        QTest::newRow("overwrite") << QStringList{"SHEET-999.dwg", "SHEET-999.dwg"} << "1"
                                   << "1" << 3 << false << QStringList{"SHEET-001.dwg", "SHEET-002.dwg"}
                                   << int(PreviewStop::None);
        QTest::newRow("step 0") << two << "7"
                                << "0" << 2 << true << QStringList{"PLAN07.dwg", "PLAN-B07.dwg"}
                                << int(PreviewStop::None);
        QTest::newRow("negative start") << two << "-1"
                                        << "1" << 3 << true << QStringList{"PLAN-001.dwg", "PLAN-B000.dwg"}
                                        << int(PreviewStop::None);
        QTest::newRow("halfway away from zero")
            << two << "0"
            << "0.5" << 1 << true << QStringList{"PLAN0.dwg", "PLAN-B1.dwg"} << int(PreviewStop::None);
        QTest::newRow("halfway start") << two << "-2.5"
                                       << "1" << 1 << true << QStringList{"PLAN-3.dwg", "PLAN-B-2.dwg"}
                                       << int(PreviewStop::None);
        QTest::newRow("32-bit start") << QStringList{"A.dwg"} << "2147483647"
                                      << "1" << 3 << true << QStringList{"A2147483647.dwg"} << int(PreviewStop::None);
        QTest::newRow("start beyond 32 bits") << two << "2147483648"
                                              << "1" << 3 << true << QStringList{} << int(PreviewStop::NotANumber);
        QTest::newRow("letters") << two << "1a"
                                 << "1" << 3 << true << QStringList{} << int(PreviewStop::NotANumber);
        QTest::newRow("empty step") << two << "1"
                                    << "" << 3 << true << QStringList{} << int(PreviewStop::NotANumber);
        QTest::newRow("huge step") << two << "1"
                                   << "1e300" << 3 << true << QStringList{"PLAN001.dwg"}
                                   << int(PreviewStop::NotANumber);
        QTest::newRow("no dot stops") << QStringList{"A.dwg", "README", "B.dwg"} << "1"
                                      << "1" << 3 << true << QStringList{"A001.dwg"} << int(PreviewStop::StringLength);
        QTest::newRow("short base") << QStringList{"A1.dwg"} << "1"
                                    << "1" << 3 << false << QStringList{} << int(PreviewStop::StringLength);
    }
    void renumber()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, start);
        QFETCH(QString, step);
        QFETCH(int, digits);
        QFETCH(bool, append);
        QFETCH(QStringList, expected);
        QFETCH(int, stop);
        const RenamePreview p = previewRenumber(names, start, step, digits, append);
        QCOMPARE(p.names, expected);
        QCOMPARE(int(p.stop), stop);
    }

    void renumberPastNineHundredNinetyNine()
    {
        QStringList names(1001, QStringLiteral("SHEET-XXXX.dwg"));
        const RenamePreview p = previewRenumber(names, QStringLiteral("1"), QStringLiteral("1"), 3, false);
        QVERIFY(p.complete());
        QCOMPARE(p.names.at(998), QStringLiteral("SHEET-X999.dwg"));
        QCOMPARE(p.names.at(999), QStringLiteral("SHEET-1000.dwg"));
    }

    void replaceFirst()
    {
        const RenamePreview p = previewReplaceFirst(
            {QStringLiteral("ABCDEF.dwg"), QStringLiteral("ABC"), QStringLiteral("XY")}, 4, QStringLiteral("Z"));
        QVERIFY(p.complete());
        QCOMPARE(p.names, (QStringList{"ZEF.dwg", "Z", "Z"}));
        QCOMPARE(p.tooShort, QList<qsizetype>({1, 2})); // one message for each short name
    }

    void insert_data()
    {
        QTest::addColumn<int>("at");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("complete");
        QTest::newRow("front") << 0 << QStringList{"XAB.dwg", "XLONGER.dwg"} << true;
        QTest::newRow("after extension") << 6 << QStringList{"AB.dwgX", "LONGERX.dwg"} << true;
        QTest::newRow("past the end") << 7 << QStringList{} << false;
    }
    void insert()
    {
        QFETCH(int, at);
        QFETCH(QStringList, expected);
        QFETCH(bool, complete);
        const RenamePreview p = previewInsert({QStringLiteral("AB.dwg"), QStringLiteral("LONGER.dwg")}, "X", at);
        QCOMPARE(p.names, expected);
        QCOMPARE(p.complete(), complete);
        if (!complete)
            QCOMPARE(p.stop, PreviewStop::InsertPastEnd);
    }

    void append()
    {
        QCOMPARE(previewAppend({QStringLiteral("PLAN.A.dwg"), QStringLiteral(".dwg")}, "-X").names,
                 (QStringList{"PLAN.A-X.dwg", "-X.dwg"}));
        const RenamePreview p = previewAppend({QStringLiteral("A.dwg"), QStringLiteral("NODOT")}, "-X");
        QCOMPARE(p.stop, PreviewStop::StringLength);
        QCOMPARE(p.names, QStringList{"A-X.dwg"});
    }

    void pad_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("pad");
        QTest::addColumn<bool>("fromStart");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("stop");
        const QStringList ab{"A1.dwg", "A100.dwg"};
        QTest::newRow("end") << ab << "0" << false << QStringList{"A100.dwg", "A100.dwg"} << int(PreviewStop::None);
        QTest::newRow("start") << ab << "0" << true << QStringList{"00A1.dwg", "A100.dwg"} << int(PreviewStop::None);
        QTest::newRow("empty pad") << ab << "" << true << ab << int(PreviewStop::None);
        QTest::newRow("same length") << QStringList{"A1.dwg", "B2.dwg"} << "0" << true << QStringList{}
                                     << int(PreviewStop::SameLength);
        QTest::newRow("single name") << QStringList{"A1.dwg"} << "0" << true << QStringList{}
                                     << int(PreviewStop::SameLength);
        QTest::newRow("empty list") << QStringList{} << "0" << true << QStringList{} << int(PreviewStop::None);
        QTest::newRow("end without dot") << QStringList{"A1.dwg", "LONGNAME"} << "0" << false << QStringList{"A100.dwg"}
                                         << int(PreviewStop::StringLength);
    }
    void pad()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, pad);
        QFETCH(bool, fromStart);
        QFETCH(QStringList, expected);
        QFETCH(int, stop);
        const RenamePreview p = previewPad(names, pad, fromStart);
        QCOMPARE(p.names, expected);
        QCOMPARE(int(p.stop), stop);
    }

    void replacerAndCompound()
    {
        QCOMPARE(previewReplaceAll({QStringLiteral("a.DWG"), QStringLiteral("b.dwg")}, "dwg", "dxf").names,
                 (QStringList{"a.dxf", "b.dxf"}));
        QCOMPARE(previewReplaceAll({QStringLiteral("aaa.dwg")}, "aa", "b").names, QStringList{"ba.dwg"});
        QCOMPARE(previewReplaceAll({QStringLiteral("x.dwg")}, "", "b").names, QStringList{"x.dwg"});
        // Compound: the rule again over the preview doubles each run of ones once more.
        RenamePreview p = previewReplaceAll({QStringLiteral("A1-11.dwg")}, "1", "11");
        QCOMPARE(p.names, QStringList{"A11-1111.dwg"});
        p = previewReplaceAll(p.names, "1", "11");
        QCOMPARE(p.names, QStringList{"A1111-11111111.dwg"});
    }
};

QTEST_GUILESS_MAIN(tst_RenamerRules)
#include "tst_renamerrules.moc"
