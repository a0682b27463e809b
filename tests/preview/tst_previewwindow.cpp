// The drawing preview window in the real main window: "&Preview" and its stored position (defaults,
// bad values, off screen), the close box and the public hide, the file list's click (arrow keys
// too) on real, synthetic, damaged and vanished drawings, the window at start, the Options reset
// of the position, and the picture filling the window with its proportions kept.

#include "appwindow.h"
#include "core/mainsettings.h"
#include "core/settingsstore.h"
#include "mainwindowfixture.h"
#include "panecontrols.h"
#include "preview/dwgthumbnail.h"
#include "preview/frmDWGPreview.h"
#include "syntheticdrawing.h"
#include "testsupport.h"
#include "widgets/filelistbox.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace tess;

namespace {

const QString kStartup = QStringLiteral("Startup");
const QString kLeft = QStringLiteral("DWGPreviewLeft");
const QString kTop = QStringLiteral("DWGPreviewTop");

struct Window {
    test::Fixture fx;
    QTemporaryDir drawings;
    std::unique_ptr<test::MainWindowFixture> main;
    frmMain *w = nullptr;

    // The folder holds a real drawing, a synthetic one with a 2 x 2 bitmap and a text file, in this order.
    explicit Window(const std::function<void(MainSettings &)> &prepare = {})
    {
        QFile::copy(test::dataPath(QStringLiteral("dwg/empty.dwg")), path(QStringLiteral("a-real.dwg")));
        test::SyntheticDrawing d;
        d.entries = {{1, QByteArray(80, 'h')}, {2, test::bitmap8()}};
        write(QStringLiteral("b-bitmap.dwg"), d.bytes());
        write(QStringLiteral("c-notes.dwg"), "a text file named like a drawing\r\n");
        main = std::make_unique<test::MainWindowFixture>(drawings.path(), [this, &prepare](MainSettings &s) {
            s.ProgramPath = fx.path();
            s.DWGPreviewShow = 0;
            if (prepare)
                prepare(s);
        });
        w = main->w;
    }
    QString path(const QString &name) const { return drawings.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
    }
    // Shows the main window and waits until it is on the screen, where the user can press anything.
    void show() const
    {
        w->show();
        if (!QTest::qWaitForWindowExposed(w))
            qFatal("the main window did not come on the screen");
    }
    QPushButton *previewButton() const { return test::queueControl<QPushButton>(w, "cmdDWGPreviewShow"); }
    FileListBox *files() const { return test::fileList(w); }
    static frmDWGPreview *preview() { return frmDWGPreview::loadedInstance(); }
    static bool previewShown() { return preview() && preview()->isVisible(); }
    static DwgThumbnail *thumbnail() { return preview()->DwgThumbnail1; }
    static QString stored(const QString &key) { return readSetting(kStartup, key, QStringLiteral("<none>")); }
};

// Whether the user can reach the window's title bar on some screen.
bool reachable(const QWidget *window)
{
    const QRect titleBar(window->pos(), QSize(window->width(), 16));
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(titleBar))
            return true;
    return false;
}

} // namespace

class TestPreviewWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void previewButtonOpensAtStoredPosition_data();
    void previewButtonOpensAtStoredPosition();
    void closeBoxAndPublicHideStorePosition();
    void fileListClickShowsPreview();
    void openAtStartFollowsSetting_data();
    void openAtStartFollowsSetting();
    void optionsResetMovesOpenWindow();
    void pictureFillsWindowKeepingProportions();
    void programEndDoesNotStorePosition();
};

void TestPreviewWindow::previewButtonOpensAtStoredPosition_data()
{
    QTest::addColumn<QString>("left"); // "<none>": no stored value
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPoint>("pos");         // (-1, -1): anywhere the title bar can be reached
    QTest::addColumn<QString>("storedLeft"); // after "&Preview" hides it again; "" : the place it opened at
    QTest::addColumn<QString>("storedTop");

    const QPoint onScreen(-1, -1);
    QTest::newRow("no stored position") << "<none>"
                                        << "<none>" << QPoint(67, 67) << "1000"
                                        << "1000";
    QTest::newRow("stored position") << "3000"
                                     << "1500" << QPoint(200, 100) << "3000"
                                     << "1500";
    QTest::newRow("between two pixels") << "3007"
                                        << "1493" << QPoint(200, 100) << "3007"
                                        << "1493";
    QTest::newRow("left not a number") << "abc"
                                       << "1500" << QPoint(67, 100) << "1000"
                                       << "1500";
    QTest::newRow("empty texts") << ""
                                 << "" << QPoint(67, 67) << "1000"
                                 << "1000";
    QTest::newRow("beyond 32 bits") << "99999999999"
                                    << "1500" << QPoint(67, 100) << "1000"
                                    << "1500";
    QTest::newRow("far right and below") << "900000"
                                         << "900000" << onScreen << ""
                                         << "";
    QTest::newRow("far left and above") << "-900000"
                                        << "-45000" << onScreen << ""
                                        << "";
    QTest::newRow("32-bit extremes") << "2147483647"
                                     << "-2147483648" << onScreen << ""
                                     << "";
}

void TestPreviewWindow::previewButtonOpensAtStoredPosition()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPoint, pos);
    QFETCH(QString, storedLeft);
    QFETCH(QString, storedTop);

    Window win;
    if (left != QLatin1String("<none>")) {
        writeSetting(kStartup, kLeft, left);
        writeSetting(kStartup, kTop, top);
    }
    win.show();
    QVERIFY(!Window::previewShown());

    win.previewButton()->click();
    QVERIFY(Window::previewShown());
    QCOMPARE(Window::preview()->windowTitle(), QStringLiteral(" Preview"));
    if (pos == QPoint(-1, -1))
        QVERIFY2(reachable(Window::preview()),
                 qPrintable(
                     QStringLiteral("at %1, %2").arg(Window::preview()->pos().x()).arg(Window::preview()->pos().y())));
    else
        QCOMPARE(Window::preview()->pos(), pos);
    const QPoint openedAt = Window::preview()->pos();
    // A bad value never disables the button (and shows no box: the fixture fails on one).
    QVERIFY(win.previewButton()->isEnabled());

    win.previewButton()->click();
    QVERIFY(!Window::previewShown());
    QCOMPARE(Window::stored(kLeft), storedLeft.isEmpty() ? QString::number(openedAt.x() * 15) : storedLeft);
    QCOMPARE(Window::stored(kTop), storedTop.isEmpty() ? QString::number(openedAt.y() * 15) : storedTop);

    // And open again where it was.
    win.previewButton()->click();
    QCOMPARE(Window::preview()->pos(), openedAt);
}

void TestPreviewWindow::closeBoxAndPublicHideStorePosition()
{
    Window win;
    win.show();
    win.previewButton()->click();
    frmDWGPreview *p = Window::preview();
    ShowDrawingPreview(win.path(QStringLiteral("b-bitmap.dwg")));
    QTRY_VERIFY(!Window::thumbnail()->picture().isNull());

    // Moved, then closed with its close box: the position is stored and the picture goes.
    p->move(300, 200);
    QVERIFY(p->close());
    QVERIFY(!p->isVisible());
    QCOMPARE(Window::stored(kLeft), QStringLiteral("4500"));
    QCOMPARE(Window::stored(kTop), QStringLiteral("3000"));
    QVERIFY(Window::thumbnail()->picture().isNull());
    win.previewButton()->click();
    QCOMPARE(p->pos(), QPoint(300, 200));

    // The public hide of other windows: position stored, the drawing kept.
    ShowDrawingPreview(win.path(QStringLiteral("b-bitmap.dwg")));
    QTRY_VERIFY(!Window::thumbnail()->picture().isNull());
    p->move(150, 90);
    p->Form_Unload();
    QVERIFY(!p->isVisible());
    QCOMPARE(Window::stored(kLeft), QStringLiteral("2250"));
    QCOMPARE(Window::stored(kTop), QStringLiteral("1350"));
    QVERIFY(!Window::thumbnail()->picture().isNull());
}

void TestPreviewWindow::fileListClickShowsPreview()
{
    Window win;
    win.show();
    QApplication::setActiveWindow(win.w);
    QVERIFY(QTest::qWaitForWindowActive(win.w));
    FileListBox *files = win.files();
    QCOMPARE(files->count(), 3);
    files->setFocus();
    QCOMPARE(QApplication::focusWidget(), files);

    // A click on the real drawing: the window opens at its stored place, the list keeps the focus.
    files->setCurrentRow(0);
    QVERIFY(Window::previewShown());
    QCOMPARE(Window::preview()->pos(), QPoint(67, 67));
    QTRY_COMPARE(Window::thumbnail()->picture().size(), QSize(256, 91));
    QCOMPARE(Window::thumbnail()->drawingPath(), win.path(QStringLiteral("a-real.dwg")));
    QCOMPARE(QApplication::activeWindow(), win.w);
    QCOMPARE(QApplication::focusWidget(), files);

    // An arrow key counts as a click.
    QTest::keyClick(files, Qt::Key_Down);
    QTRY_COMPARE(Window::thumbnail()->picture().size(), QSize(2, 2));
    QCOMPARE(Window::thumbnail()->drawingPath(), win.path(QStringLiteral("b-bitmap.dwg")));

    // No drawing: an empty picture, the reason as its tooltip, no box.
    QTest::keyClick(files, Qt::Key_Down);
    QTRY_VERIFY(!Window::thumbnail()->isLoading());
    QVERIFY(Window::thumbnail()->picture().isNull());
    QVERIFY2(Window::thumbnail()->toolTip().contains(QLatin1String("not a drawing")),
             qPrintable(Window::thumbnail()->toolTip()));

    // Hidden by "&Preview", the window comes back with the next click.
    win.previewButton()->click();
    QVERIFY(!Window::previewShown());
    QTest::keyClick(files, Qt::Key_Up);
    QVERIFY(Window::previewShown());
    QTRY_COMPARE(Window::thumbnail()->picture().size(), QSize(2, 2));

    // A drawing gone since the list was filled: empty picture, the system's reason.
    QVERIFY(QFile::remove(win.path(QStringLiteral("a-real.dwg"))));
    QTest::keyClick(files, Qt::Key_Up);
    QTRY_VERIFY(!Window::thumbnail()->isLoading());
    QVERIFY(Window::thumbnail()->picture().isNull());
    QVERIFY2(Window::thumbnail()->toolTip().contains(QLatin1String("cannot be read")),
             qPrintable(Window::thumbnail()->toolTip()));
}

void TestPreviewWindow::openAtStartFollowsSetting_data()
{
    QTest::addColumn<int>("show");
    QTest::newRow("DWGPreviewShow 1") << 1;
    QTest::newRow("DWGPreviewShow 0") << 0;
}

void TestPreviewWindow::openAtStartFollowsSetting()
{
    QFETCH(int, show);
    Window win([show](MainSettings &s) { s.DWGPreviewShow = qint16(show); });
    writeSetting(kStartup, kLeft, QStringLiteral("1500"));
    writeSetting(kStartup, kTop, QStringLiteral("750"));
    // Not before the main window is there.
    QVERIFY(!Window::previewShown());
    win.show();
    // Once the main window is on the screen, above it.
    QTRY_COMPARE(Window::previewShown(), show == 1);
    if (show == 1)
        QCOMPARE(Window::preview()->pos(), QPoint(100, 50));
    // Only at the first showing.
    win.previewButton()->click();
    win.w->hide();
    win.show();
    QCOMPARE(Window::previewShown(), show != 1);
}

void TestPreviewWindow::optionsResetMovesOpenWindow()
{
    Window win;
    win.show();
    win.previewButton()->click();
    frmDWGPreview *p = Window::preview();
    p->move(400, 300);

    frmDWGPreview::resetStoredPosition();
    QVERIFY(p->isVisible());
    QCOMPARE(p->pos(), QPoint(67, 67));
    QCOMPARE(Window::stored(kLeft), QStringLiteral("1000"));
    QCOMPARE(Window::stored(kTop), QStringLiteral("1000"));

    // A hidden window stays hidden; the next "&Preview" opens it at the reset place.
    p->move(400, 300);
    p->Form_Unload();
    QCOMPARE(Window::stored(kLeft), QStringLiteral("6000"));
    frmDWGPreview::resetStoredPosition();
    QVERIFY(!p->isVisible());
    QCOMPARE(Window::stored(kLeft), QStringLiteral("1000"));
    QCOMPARE(Window::stored(kTop), QStringLiteral("1000"));
    win.previewButton()->click();
    QCOMPARE(p->pos(), QPoint(67, 67));
}

void TestPreviewWindow::pictureFillsWindowKeepingProportions()
{
    Window win;
    win.show();
    ShowDrawingPreview(win.path(QStringLiteral("b-bitmap.dwg")));
    QTRY_COMPARE(Window::thumbnail()->picture().size(), QSize(2, 2));
    frmDWGPreview *p = Window::preview();
    // 3720 x 2265 twips at first; never below 3640 x 2551 twips outside (3490 x 2176 inside).
    QCOMPARE(p->size(), QSize(248, 151));
    QCOMPARE(p->minimumSize(), QSize(233, 146));

    // Made smaller from outside (where no window manager holds the minimum): it springs back.
    p->windowHandle()->setGeometry(QRect(p->pos(), QSize(40, 40)));
    QTRY_COMPARE(p->size(), QSize(233, 146));

    p->resize(600, 200);
    QTRY_COMPARE(Window::thumbnail()->geometry(), QRect(0, 0, 600, 200));
    // The square picture as a 200 x 200 square in the middle: blue top left, red under it.
    const QImage shot = Window::thumbnail()->grab().toImage();
    const QColor background = Window::thumbnail()->palette().color(QPalette::Base);
    QCOMPARE(shot.pixelColor(shot.width() * 50 / 600, shot.height() / 2), background);
    QCOMPARE(shot.pixelColor(shot.width() * 550 / 600, shot.height() / 2), background);
    QCOMPARE(shot.pixelColor(shot.width() * 220 / 600, shot.height() * 20 / 200), QColor(Qt::blue));
    QCOMPARE(shot.pixelColor(shot.width() * 220 / 600, shot.height() * 180 / 200), QColor(Qt::red));
}

void TestPreviewWindow::programEndDoesNotStorePosition()
{
    Window win;
    writeSetting(kStartup, kLeft, QStringLiteral("1500"));
    writeSetting(kStartup, kTop, QStringLiteral("750"));
    win.show();
    win.previewButton()->click();
    QVERIFY(Window::previewShown());
    Window::preview()->move(300, 200);
    // The main window closes and the program ends with the preview open where the user moved it.
    win.main->app->app().finish();
    QVERIFY(!Window::previewShown());
    QCOMPARE(Window::stored(kLeft), QStringLiteral("1500"));
    QCOMPARE(Window::stored(kTop), QStringLiteral("750"));
}

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
