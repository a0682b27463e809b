// Keeping a window above all others and letting it go again.

#include "widgets/windowstacking.h"

#include <QTest>
#include <QWidget>

using namespace tess;

class TestWindowStacking : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void topmostKeepsPlaceSizeAndVisibility()
    {
        QWidget w;
        w.setGeometry(120, 80, 300, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint pos = w.pos();
        const QSize size = w.size();

        SetWindowTopmost(&w);
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
        QCOMPARE(w.pos(), pos);
        QCOMPARE(w.size(), size);

        ClearWindowTopmost(&w);
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
        QCOMPARE(w.pos(), pos);
        QCOMPARE(w.size(), size);

        // A hidden window stays hidden; a null one is ignored.
        QWidget hidden;
        SetWindowTopmost(&hidden);
        QVERIFY(hidden.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!hidden.isVisible());
        SetWindowTopmost(nullptr);
        ClearWindowTopmost(nullptr);
    }
};

QTEST_MAIN(TestWindowStacking)
#include "tst_windowstacking.moc"
