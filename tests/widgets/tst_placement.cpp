// Placing controls from a twips table: the conversion of edges, the tab strip, frames, missing
// names, and the widening of a caption that does not fit.

#include "widgets/placement.h"
#include "widgets/programfont.h"
#include "widgets/twips.h"
#include "widgets/wrapcheckbox.h"
#include "widgets/wrappushbutton.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>

using namespace tess;

class TestPlacement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { applyProgramFont(); }

    void edgesAreConverted_data()
    {
        QTest::addColumn<QList<int>>("twips"); // left, top, width, height, page top
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("whole pixels") << QList<int>{240, 600, 1755, 195, 0} << QRect(16, 40, 117, 13);
        QTest::newRow("below a tab strip") << QList<int>{240, 600, 1755, 195, 360} << QRect(16, 16, 117, 13);
        // 100 twips are 6.67 pixels: the left edge rounds to 7, the right edge (200) to 13.
        QTest::newRow("edges round apart") << QList<int>{100, 0, 100, 100, 0} << QRect(7, 0, 6, 7);
        QTest::newRow("halves round up") << QList<int>{7, 8, 8, 7, 0} << QRect(0, 1, 1, 0);
    }
    void edgesAreConverted()
    {
        QFETCH(QList<int>, twips);
        QFETCH(QRect, pixels);
        const Placement p{"x", twips[0], twips[1], twips[2], twips[3]};
        QCOMPARE(placementRect(p, twips[4]), pixels);
    }

    void touchingControlsNeverOverlap()
    {
        // Side by side and one below the other in twips that are no whole pixels.
        for (int start = 0; start < 30; ++start) {
            const QRect a = placementRect({"a", start, start, 100 + start, 70});
            const QRect b = placementRect({"b", start + 100 + start, start, 50, 70});
            const QRect c = placementRect({"c", start, start + 70, 100 + start, 70});
            QVERIFY2(!a.intersects(b) && a.right() + 1 == b.left(), qPrintable(QString::number(start)));
            QVERIFY2(!a.intersects(c) && a.bottom() + 1 == c.top(), qPrintable(QString::number(start)));
        }
    }

    void placesPageAndFrameChildren()
    {
        QWidget page;
        page.setObjectName(QStringLiteral("page"));
        auto *frame = new QGroupBox(QStringLiteral("Frame"), &page);
        frame->setObjectName(QStringLiteral("frame"));
        auto *inFrame = new QPushButton(QStringLiteral("OK"), frame);
        inFrame->setObjectName(QStringLiteral("inFrame"));

        QTest::ignoreMessage(QtWarningMsg, "placeControls: page has no control named nowhere");
        const PlacementResult r = placeControls(
            &page, {{"frame", 240, 960, 3000, 1500}, {"nowhere", 0, 0, 15, 15}, {"inFrame", 240, 360, 1500, 375}},
            kTabStripTwips);
        QCOMPARE(r.missing, QStringList{QStringLiteral("nowhere")});
        QVERIFY(r.unfit.isEmpty());
        QVERIFY(!r.ok());
        // The tab strip comes off the page's own children only.
        QCOMPARE(frame->geometry(), QRect(16, 40, 200, 100));
        QCOMPARE(inFrame->geometry(), QRect(16, 24, 100, 25));
    }

    void widensOnlyWhatDoesNotFit()
    {
        QWidget page;
        page.setObjectName(QStringLiteral("page"));
        const QString caption = QStringLiteral("A caption far wider than its box");
        auto *wide = new QLabel(caption, &page);
        wide->setObjectName(QStringLiteral("wide"));
        auto *room = new QLabel(QStringLiteral("Fits"), &page);
        room->setObjectName(QStringLiteral("room"));
        auto *capped = new QLabel(caption, &page);
        capped->setObjectName(QStringLiteral("capped"));
        const int needed = wide->fontMetrics().horizontalAdvance(caption);

        QTest::ignoreMessage(QtWarningMsg, "placeControls: the caption of capped does not fit");
        const PlacementResult r = placeControls(&page, {{"wide", 0, 0, 300, 255, 15 * (needed + 40)},
                                                        {"room", 0, 300, 1500, 255, 3000},
                                                        {"capped", 0, 600, 300, 255, 600}});
        QVERIFY(r.missing.isEmpty());
        QCOMPARE(r.unfit, QStringList{QStringLiteral("capped")});
        // Just as wide as the caption needs, no wider; a caption with room keeps its table width.
        QCOMPARE(wide->geometry(), QRect(0, 0, needed, 17));
        QCOMPARE(room->width(), 100);
        QCOMPARE(capped->width(), 40);
    }

    // A caption that does not fit grows its control to the narrowest width at which it fits, the
    // width a widening pixel by pixel finds, in the table and in a design width alike.
    void wideningStopsAtTheNarrowestFit_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::newRow("label") << QStringLiteral("label") << QStringLiteral("A caption far wider than its box");
        QTest::newRow("wrapped label") << QStringLiteral("wrapped")
                                       << QStringLiteral("Files in the queue that are no drawings are left out");
        QTest::newRow("button") << QStringLiteral("button") << QStringLiteral("&Create Batch Script");
        QTest::newRow("check box") << QStringLiteral("check") << QStringLiteral("Include Status in AutoCAD Status Bar");
        QTest::newRow("wrapping check box")
            << QStringLiteral("wrapcheck") << QStringLiteral("Include Status in AutoCAD Status Bar");
        QTest::newRow("frame") << QStringLiteral("frame") << QStringLiteral("DYNAMIC Variables Settings");
    }
    void wideningStopsAtTheNarrowestFit()
    {
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QWidget page;
        page.setObjectName(QStringLiteral("page"));
        QWidget *c = nullptr;
        if (kind == QLatin1String("label") || kind == QLatin1String("wrapped")) {
            auto *label = new QLabel(caption, &page);
            label->setWordWrap(kind == QLatin1String("wrapped"));
            c = label;
        } else if (kind == QLatin1String("button")) {
            c = new QPushButton(caption, &page);
        } else if (kind == QLatin1String("check")) {
            c = new QCheckBox(caption, &page);
        } else if (kind == QLatin1String("wrapcheck")) {
            c = new WrapCheckBox(caption, 100, &page);
        } else {
            c = new QGroupBox(caption, &page);
        }
        c->setObjectName(QStringLiteral("c"));
        const auto byHand = [c](QSize size, int widest) {
            while (size.width() < widest && !captionFits(c, size))
                size.rwidth() += 1;
            return size.width();
        };

        const Placement p{"c", 0, 0, 300, 900, 6000};
        const QRect r = placementRect(p);
        QVERIFY(!captionFits(c, r.size()));
        const int tableWidth = byHand(r.size(), twipsToPixels(p.maxWidth));
        QVERIFY(captionFits(c, QSize(tableWidth, r.height())));
        QVERIFY(placeControls(&page, {p}).ok());
        QCOMPARE(c->width(), tableWidth);

        const int designWidth = byHand(QSize(twipsToPixels(300), c->sizeHint().height()), 4000);
        QVERIFY(!setDesignWidth(c, 300));
        QCOMPARE(c->minimumWidth(), designWidth);
        QCOMPARE(c->maximumWidth(), designWidth);
    }

    void captionFitsItsControl()
    {
        QLabel wrapped(QStringLiteral("This gets Looped"));
        wrapped.setWordWrap(true);
        const QFontMetrics fm = wrapped.fontMetrics();
        const int wordWidth = fm.horizontalAdvance(QStringLiteral("This gets"));
        QVERIFY(captionFits(&wrapped, QSize(wordWidth, 2 * fm.height())));
        QVERIFY(!captionFits(&wrapped, QSize(wordWidth, 2 * fm.height() - 1)));                          // a line short
        QVERIFY(!captionFits(&wrapped, QSize(fm.horizontalAdvance(QStringLiteral("Looped")) - 1, 100))); // word cut

        // The access key's "&" takes no room; "&&" shows one "&".
        QPushButton key(QStringLiteral("&Ok")), amp(QStringLiteral("&&Ok"));
        const int margin = 2 * key.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &key);
        const int okWidth = key.fontMetrics().horizontalAdvance(QStringLiteral("Ok")) + margin;
        QVERIFY(captionFits(&key, QSize(okWidth, 25)));
        QVERIFY(!captionFits(&amp, QSize(okWidth, 25)));

        WrapCheckBox box(QStringLiteral("Include Status in AutoCAD Status Bar"), 100);
        const QSize twoLines = box.sizeForWidth(box.sizeForWidth(1000).width() / 2 + 40);
        QVERIFY(captionFits(&box, twoLines));
        QVERIFY(!captionFits(&box, twoLines - QSize(0, 1)));
        QVERIFY(!captionFits(&box, QSize(30, 500))); // narrower than a word
    }

    // A wrapping button's caption fits on as many lines as the button's height holds: a tall button
    // too narrow for its caption on one line keeps its table size, with no warning.
    void wrappingButtonFitsOnItsLines()
    {
        QWidget page;
        page.setObjectName(QStringLiteral("page"));
        const QString caption = QStringLiteral("&Queue DWGs from Project");
        auto *tall = new WrapPushButton(caption, &page);
        tall->setObjectName(QStringLiteral("tall"));
        QPushButton plain(caption);
        const Placement p{"tall", 240, 480, 1695, 615};
        const QSize size = placementRect(p).size();
        QVERIFY(!captionFits(&plain, size)); // on one line it would not show whole
        QVERIFY(captionFits(tall, size));
        QVERIFY(!captionFits(tall, QSize(size.width(), tall->fontMetrics().height()))); // a line short
        QVERIFY(!captionFits(tall, QSize(30, 500)));                                    // narrower than a word

        const PlacementResult r = placeControls(&page, {p});
        QVERIFY(r.ok());
        QCOMPARE(tall->geometry(), placementRect(p));
        QCOMPARE(tall->captionLineCount(), 2);
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
