// The windows as a user's desktop shows them: on an X display under a window manager that frames,
// stacks and activates them (tools/test starts Xvfb and openbox for this test). Stored places and
// sizes come back exactly, centred windows are centred by their frame, the preview stays above the
// main window, and a double press of Create && RUN starts AutoCAD once.

#include "app/application.h"
#include "core/mainsettings.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwindowfixture.h"
#include "modalguard.h"
#include "preview/frmDWGPreview.h"
#include "scriptedprompter.h"
#include "scripts/scripteditortext.h"
#include "tempprogramfolder.h"
#include "testsupport.h"
#include "uitest.h"
#include "utilities/pickwindows.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QWindow>
#include <cstdio>

using namespace tess;

namespace {

QString stored(const char *key)
{
    return readSetting(QStringLiteral("Startup"), QLatin1String(key), QStringLiteral("<none>"));
}

QByteArray xprop(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("xprop"), arguments);
    if (!p.waitForFinished(5000) || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

bool windowManagerRunning()
{
    return xprop({QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")}).contains("window id");
}

// The managed windows, bottom first, as the window manager stacks them.
QList<WId> stacking()
{
    const QByteArray out = xprop({QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<WId> ids;
    const QRegularExpression hex(QStringLiteral("0x([0-9a-fA-F]+)"));
    for (auto it = hex.globalMatch(QString::fromLatin1(out)); it.hasNext();)
        ids << WId(it.next().captured(1).toULongLong(nullptr, 16));
    return ids;
}

// Whether the window manager stacks `upper` above `lower` (both managed).
bool stackedAbove(const QWidget *upper, const QWidget *lower)
{
    const QList<WId> ids = stacking();
    const qsizetype u = ids.indexOf(upper->winId());
    const qsizetype l = ids.indexOf(lower->winId());
    return u >= 0 && l >= 0 && u > l;
}

// Waits until the window manager has framed the window and the window has stopped moving.
bool waitFramed(QWidget *window)
{
    if (!QTest::qWaitFor(
            [window] {
                return window->isVisible() && window->windowHandle() && window->windowHandle()->isExposed() &&
                       !window->windowHandle()->frameMargins().isNull();
            },
            5000))
        return false;
    QRect last;
    int still = 0;
    return QTest::qWaitFor(
        [&] {
            const QRect now = window->frameGeometry();
            still = now == last ? still + 1 : 0;
            last = now;
            return still >= 5;
        },
        5000);
}

// The visible top-level window of that name.
QWidget *topLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String(name))
            return w;
    return nullptr;
}

QRect pixels(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// A real click of the left button at a point of the screen, as the user's hand makes it: through
// the X server, so the window manager sees it too.
bool clickAt(const QPoint &global, int clicks = 1)
{
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
                              QString::number(global.y()), QStringLiteral("click"), QStringLiteral("--repeat"),
                              QString::number(clicks), QStringLiteral("--delay"), QStringLiteral("60"),
                              QStringLiteral("1")}) == 0;
}

QPoint centreOf(const QWidget *w) { return w->mapToGlobal(w->rect().center()); }

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mainWindowComesBackAsItWasClosed();
    void pickWindowsAndEditorComeBackAsTheyWereClosed();
    void centredWindowsAreCentredByTheirFrame();
    void previewStaysAboveTheMainWindow();
    void doublePressStartsAutoCadOnce();
};

// Start, exit and start again: the stored place and size stay as written, and the frame stands
// exactly there.
void TestDesktop::mainWindowComesBackAsItWasClosed()
{
    test::TempProgramFolder program;
    test::ScriptedPrompter prompts;
    writeSetting(QStringLiteral("Startup"), QStringLiteral("TipsShow"), QStringLiteral("0"));
    writeSetting(QStringLiteral("Startup"), QStringLiteral("Left"), QStringLiteral("1500"));
    writeSetting(QStringLiteral("Startup"), QStringLiteral("Top"), QStringLiteral("1200"));
    writeSetting(QStringLiteral("Startup"), QStringLiteral("Width"), QStringLiteral("13500"));
    writeSetting(QStringLiteral("Startup"), QStringLiteral("Height"), QStringLiteral("10800"));
    for (int run = 0; run < 3; ++run) {
        mainSettings() = MainSettings();
        Application app;
        QVERIFY(app.start());
        QVERIFY(waitFramed(app.mainWindow()));
        QCOMPARE(app.mainWindow()->frameGeometry(), pixels(1500, 1200, 13500, 10800));
        app.finish();
        QCOMPARE(stored("Left"), QStringLiteral("1500"));
        QCOMPARE(stored("Top"), QStringLiteral("1200"));
        QCOMPARE(stored("Width"), QStringLiteral("13500"));
        QCOMPARE(stored("Height"), QStringLiteral("10800"));
    }
    QVERIFY(prompts.shown().isEmpty());
}

// Quick Pick, Quick Pick - Queue and the script editor opened and closed again and again, the
// editor also after a restart: each frame opens where and as large as stored, and stores that back.
void TestDesktop::pickWindowsAndEditorComeBackAsTheyWereClosed()
{
    test::Fixture fx;
    const QString drawing = fx.writeFile(QStringLiteral("A.dwg"), "AC1027");
    const PickGeometry pick{990, 705, 2700, 5400};
    const PickGeometry queuePick{6000, 1500, 3000, 4500};
    writePickGeometry(PickWindow::QuickPick, pick);
    writePickGeometry(PickWindow::QueueQuickPick, queuePick);
    const ScriptEditorGeometry editor{3000, 2250, 11400, 9000};
    writeScriptEditorGeometry(editor);

    auto samePick = [](PickWindow which, const PickGeometry &g) {
        const PickGeometry now = readPickGeometry(which);
        return now.left == g.left && now.top == g.top && now.width == g.width && now.height == g.height;
    };
    auto sameEditor = [&editor] {
        const ScriptEditorGeometry now = readScriptEditorGeometry();
        return now.left == editor.left && now.top == editor.top && now.width == editor.width &&
               now.height == editor.height;
    };
    auto openEditor = [](frmMain *w) {
        test::ModalGuard modals;
        QRect frame;
        modals.answerNextModal([&frame](QWidget *dialog) {
            if (waitFramed(dialog))
                frame = dialog->frameGeometry();
            test::child<QPushButton>(dialog, "cmdSCRCancel")->click();
        });
        QVERIFY(test::triggerAction(w, "mnuScriptEditor"));
        QVERIFY(modals.allAnswered());
        QCOMPARE(frame, pixels(3000, 2250, 11400, 9000));
    };

    for (int run = 0; run < 2; ++run) {
        test::MainWindowFixture main(fx.path(), [&fx](MainSettings &s) { s.ProgramPath = fx.path(); });
        main.setQueue({drawing}, QStringLiteral("ZOOM E"));
        main.w->show();
        QVERIFY(waitFramed(main.w));
        for (int round = 0; round < (run == 0 ? 3 : 1); ++round) {
            openEditor(main.w);
            QVERIFY(sameEditor());
            if (run > 0)
                continue;

            Q_EMIT main.w->fileSelector()->quickPickRequested();
            QWidget *quick = topLevel("frmQuickPick");
            QVERIFY(quick);
            QVERIFY(waitFramed(quick));
            QCOMPARE(quick->frameGeometry(), pixels(pick.left, pick.top, pick.width, pick.height));
            quick->close();
            QVERIFY(samePick(PickWindow::QuickPick, pick));
            QVERIFY(waitFramed(main.w));

            main.w->cmdQueueQuickPick->click();
            QWidget *queue = topLevel("frmQueueQuickPick");
            QVERIFY(queue);
            QVERIFY(waitFramed(queue));
            QCOMPARE(queue->frameGeometry(), pixels(queuePick.left, queuePick.top, queuePick.width, queuePick.height));
            queue->close();
            QVERIFY(samePick(PickWindow::QueueQuickPick, queuePick));
            QVERIFY(waitFramed(main.w));
        }
    }
}

// The night run and the Options open with the middle of their frame within a pixel of the middle
// of the screen's free area.
void TestDesktop::centredWindowsAreCentredByTheirFrame()
{
    test::Fixture fx;
    test::MainWindowFixture main(fx.path());
    // At its default place, near the top left corner: a window centred on it would show.
    main.w->show();
    QVERIFY(waitFramed(main.w));
    const QPoint middle = main.w->screen()->availableGeometry().center();
    auto centred = [&middle](const QWidget *window) {
        const QPoint off = window->frameGeometry().center() - middle;
        return std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1;
    };

    QVERIFY(test::triggerAction(main.w, "mnuNightRun"));
    QWidget *night = topLevel("frmNightRun");
    QVERIFY(night);
    QVERIFY(waitFramed(night));
    QVERIFY2(centred(night), qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                            .arg(night->frameGeometry().x())
                                            .arg(night->frameGeometry().y())
                                            .arg(night->frameGeometry().width())
                                            .arg(night->frameGeometry().height())));
    night->close();

    // "&OK" asks about the settings the fixture made; any answer will do.
    fx.prompter().answerAllWithDefault();
    test::ModalGuard modals;
    bool optionsCentred = false;
    modals.answerNextModal([&](QWidget *dialog) {
        optionsCentred = waitFramed(dialog) && centred(dialog);
        test::child<QPushButton>(dialog, "Command2")->click();
    });
    QVERIFY(test::triggerAction(main.w, "mnuViewOptions"));
    QVERIFY(modals.allAnswered());
    QVERIFY(optionsCentred);
}

// The preview opened at start lies above the main window, stays there when the main window is
// clicked, and is open and above it again after Quick Pick opened and closed.
void TestDesktop::previewStaysAboveTheMainWindow()
{
    test::Fixture fx;
    test::MainWindowFixture main(fx.path(), [&fx](MainSettings &s) {
        s.ProgramPath = fx.path();
        s.DWGPreviewShow = 1;
    });
    main.w->show();
    QVERIFY(waitFramed(main.w));
    QTRY_VERIFY(frmDWGPreview::loadedInstance() && frmDWGPreview::loadedInstance()->isVisible());
    frmDWGPreview *preview = frmDWGPreview::loadedInstance();
    QVERIFY(waitFramed(preview));
    QTRY_VERIFY(stackedAbove(preview, main.w));

    // A click in the main window, away from the preview.
    const QPoint at = main.w->mapToGlobal(QPoint(main.w->width() - 20, main.w->height() - 10));
    QVERIFY(!preview->frameGeometry().contains(at));
    QVERIFY(clickAt(at));
    QTRY_VERIFY(main.w->isActiveWindow());
    QTest::qWait(100);
    QVERIFY(stackedAbove(preview, main.w));

    Q_EMIT main.w->fileSelector()->quickPickRequested();
    QWidget *quick = topLevel("frmQuickPick");
    QVERIFY(quick);
    QVERIFY(waitFramed(quick));
    QTRY_VERIFY(preview->isVisible());
    QVERIFY(waitFramed(preview));
    QTRY_VERIFY(stackedAbove(preview, quick));
    quick->close();
    QVERIFY(waitFramed(main.w));
    QTRY_VERIFY(preview->isVisible());
    QVERIFY(waitFramed(preview));
    QTRY_VERIFY(stackedAbove(preview, main.w));
}

// Two quick clicks on Create && RUN: AutoCAD (the recording launcher) starts once; a press after
// the double-click interval starts it again.
void TestDesktop::doublePressStartsAutoCadOnce()
{
    test::Fixture fx;
    const QString exe = fx.writeFile(QStringLiteral("ACAD/acad"), "#!/bin/sh\n");
    QVERIFY(QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner));
    const QString drawing = fx.writeFile(QStringLiteral("DWG/A.dwg"), "AC1027");
    test::MainWindowFixture main(fx.path(), [&](MainSettings &s) {
        test::MainWindowFixture::composingSettings(s, fx.path());
        s.SCROutputPathNorm = s.SCROutputPath;
        s.OutputToDefaultPath = 1;
        s.AutoCADEXE = exe;
        s.ShowSCRComplete = 0;
    });
    main.setQueue({drawing}, QStringLiteral("_PURGE _ALL _N"));
    main.w->show();
    QVERIFY(waitFramed(main.w));
    main.w->activateWindow();
    QTRY_VERIFY(main.w->isActiveWindow());

    QVERIFY(clickAt(centreOf(main.w->cmdCreateAndRun), 2));
    QTRY_VERIFY(!fx.launcher().calls.isEmpty());
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 200);
    QCOMPARE(fx.launcher().calls.size(), 1);

    QVERIFY(clickAt(centreOf(main.w->cmdCreateAndRun)));
    QTRY_COMPARE(fx.launcher().calls.size(), 2);
    QVERIFY(fx.prompter().shown().isEmpty());
}

int main(int argc, char **argv)
{
    // The set needs a display and a window manager (tools/test starts both); without them it skips.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("SKIP: no X display (tools/test runs this test on Xvfb under openbox)");
        return 77;
    }
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !windowManagerRunning()) {
        std::puts("SKIP: no window manager on the display (tools/test runs this test under openbox)");
        return 77;
    }
    TestDesktop test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
