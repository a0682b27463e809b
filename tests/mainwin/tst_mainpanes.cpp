// The script panes inside the real main window: where they sit, how they meet the queue, the
// Create buttons, the run switches, the control-state refresh and the menus.

#include "appwindow.h"
#include "core/mainsettings.h"
#include "core/settingsstore.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuelistview.h"
#include "mainwin/saveastab.h"
#include "mainwindowfixture.h"
#include "panecontrols.h"
#include "scripts/scriptfilelist.h"
#include "scripts/scriptlibrary.h"
#include "scripts/userscriptpane.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace tess;

namespace {

struct Window {
    test::TempProgramFolder tmp;
    test::ScriptedPrompter prompts;
    test::MainWindowFixture main;
    frmMain *w = nullptr;

    explicit Window(const std::function<void(MainSettings &)> &prepare = {})
        : main(tmp.path(),
               [this, &prepare](MainSettings &s) {
                   s.SHEETCHARS = QStringLiteral("3");
                   s.FIRSTFILECHARS = QStringLiteral("4");
                   s.LASTFILECHARS = QStringLiteral("2");
                   if (prepare)
                       prepare(s);
                   prompts.answerAllWithDefault();
               }),
          w(main.w)
    {
    }
    template <typename T> T *get(const char *name) const { return main.get<T>(name); }
    void type(const QString &text) const { main.type(text); }
    bool createEnabled() const { return main.createEnabled(); }
};

} // namespace

class TestMainPanes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void panesSitInTheirPagesAndNamesStayUnique()
    {
        Window win;
        QVERIFY(win.w->tabUserScript->isAncestorOf(win.get<QPlainTextEdit>("Text1")));
        QVERIFY(win.w->tabUserScript->isAncestorOf(win.get<ScriptFileList>("File2")));
        QVERIFY(win.w->tabSettings->isAncestorOf(win.get<QPlainTextEdit>("tbPreBatch")));
        QVERIFY(win.w->tabSaveAs->isAncestorOf(win.get<QLineEdit>("tbPrefix")));
        QVERIFY(win.w->frameSimpleScrSelect->isAncestorOf(win.get<ScriptFileList>("fsSimpleScript")));
        // Opening the larger editor adds no second box of the same name under the window.
        win.w->batchFlowTab()->settingsEditor();
        QCOMPARE(win.w->findChildren<QPlainTextEdit *>(QStringLiteral("tbPreBatch")).size(), 1);
        // The list shows the program's SCRIPTS folder.
        QCOMPARE(win.w->findChild<UserScriptPane *>()->scriptListFolder(), win.tmp.path() + QStringLiteral("SCRIPTS/"));
    }

    void createButtonsFollowScriptAndQueue()
    {
        Window win;
        QVERIFY(!win.createEnabled());
        win.type(QStringLiteral("Z"));
        QVERIFY(!win.createEnabled()); // the queue is empty
        win.w->queuePane()->addToQueue({win.tmp.path() + QStringLiteral("A-101.dwg")}, false);
        win.w->enableCreateButtonsForScript(); // the after-add step
        QVERIFY(win.createEnabled());
        QTest::keyClick(win.get<QPlainTextEdit>("Text1"), Qt::Key_Backspace);
        QVERIFY(!win.createEnabled());
        win.type(QStringLiteral("ZOOM E"));
        QVERIFY(win.createEnabled());
        win.get<QPushButton>("cmdClearSCREditor")->click();
        QVERIFY(!win.createEnabled());
    }

    void readOnlyBoxAndTheWindowsRefreshAgree()
    {
        Window win;
        const QString p = win.tmp.writeFile(QStringLiteral("SCRIPTS/Locked.scr"), "X\r\n");
        setReadOnlyFile(p, true);
        win.get<QLineEdit>("Text2")->setText(QStringLiteral("Locked"));
        win.w->RefreshQueueControls();
        QVERIFY(win.get<QCheckBox>("chkReadOnly")->isChecked());
        QVERIFY(!win.get<QPushButton>("cmdSAVESCR")->isEnabled());
        QVERIFY(!win.get<QPushButton>("cmdDeleteSCR")->isEnabled());
        win.get<QCheckBox>("chkReadOnly")->setChecked(false);
        QVERIFY(!isReadOnlyFile(p));
        QVERIFY(win.get<QPushButton>("cmdSAVESCR")->isEnabled());
    }

    void runSwitchesOfTheOptionsFrame()
    {
        Window win;
        test::queueControl<QCheckBox>(win.w, "chkTestRun")->setChecked(true);
        test::queueControl<QCheckBox>(win.w, "chkSaveAS")->setChecked(true);
        QVERIFY(!test::queueControl<QCheckBox>(win.w, "chkTestRun")->isChecked());
        test::queueControl<QCheckBox>(win.w, "chkTestRun")->setChecked(true);
        QVERIFY(!test::queueControl<QCheckBox>(win.w, "chkSaveAS")->isChecked());
        test::queueControl<QCheckBox>(win.w, "chkDelay")->setChecked(true);
        QCOMPARE(mainSettings().UseDelay, qint16(-1));
    }

    void settingsShowAndStoreBack()
    {
        Window win([](MainSettings &s) {
            s.PreBatch = QStringLiteral("_SDI 1\r\n_FILEDIA 0");
            s.PostUserScript = QStringLiteral("_CLOSE");
            s.DebugComments = 1;
            s.UseDelay = 1;
            s.TestRun = 1;
            s.NamePrefix = QStringLiteral("NEW-");
            s.DWGOutFolder = QStringLiteral("C:\\Out\\");
            s.SaveAsOriginalLocation = 0;
            s.SaveAsType = QStringLiteral("2004");
            s.OverWriteFiles = 1;
            s.SCRPattern = QStringLiteral("title");
        });
        QCOMPARE(win.get<QPlainTextEdit>("tbPreBatch")->toPlainText(), QStringLiteral("_SDI 1\n_FILEDIA 0"));
        QVERIFY(win.get<QCheckBox>("cbIncludeDebugComments")->isChecked());
        QVERIFY(test::queueControl<QCheckBox>(win.w, "chkDelay")->isChecked() &&
                test::queueControl<QCheckBox>(win.w, "chkTestRun")->isChecked());
        QCOMPARE(mainSettings().UseDelay, qint16(-1));
        QVERIFY(win.get<QRadioButton>("optSpecFolder")->isChecked());
        QCOMPARE(win.get<QComboBox>("cmbOutFormat")->currentText(), QStringLiteral("2004"));
        QCOMPARE(win.get<ScriptFileList>("File2")->pattern(), QStringLiteral("*title*.scr"));

        mainSettings() = MainSettings();
        win.w->store(mainSettings());
        const MainSettings &s = mainSettings();
        QCOMPARE(s.PreBatch, QStringLiteral("_SDI 1\r\n_FILEDIA 0"));
        QCOMPARE(s.PostUserScript, QStringLiteral("_CLOSE"));
        QCOMPARE(s.DebugComments, qint16(1));
        QCOMPARE(s.UseDelay, qint16(1));
        QCOMPARE(s.TestRun, qint16(1));
        QCOMPARE(s.SAVEAS, qint16(0));
        QCOMPARE(s.NamePrefix, QStringLiteral("NEW-"));
        QCOMPARE(s.DWGOutFolder, QStringLiteral("C:\\Out\\"));
        QCOMPARE(s.SaveAsOriginalLocation, qint16(0));
        QCOMPARE(s.SaveAsType, QStringLiteral("2004"));
        QCOMPARE(s.OverWriteFiles, qint16(1));
    }

    // The "Settings" and SAVEAS pages make their controls when first opened; until then nothing
    // of them is looked up by name. Made later, they show the loaded values and take the page's
    // place in the focus order.
    void pagesAreMadeWhenFirstOpened()
    {
        Window win([](MainSettings &s) {
            s.PreBatch = QStringLiteral("_SDI 1\r\n_FILEDIA 0");
            s.NamePrefix = QStringLiteral("NEW-");
        });
        BatchFlowTab *flow = win.w->batchFlowTab();
        QVERIFY(!flow->isBuilt() && !win.w->saveAsTab()->isBuilt());
        QCOMPARE(win.w->missingControlNames({QStringLiteral("tbPreBatch")}), QStringList{"tbPreBatch"});
        auto nextFocusable = [](QWidget *from) {
            QWidget *w = from->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || from->isAncestorOf(w))
                w = w->nextInFocusChain();
            return w;
        };
        QWidget *afterPage = nextFocusable(flow);

        win.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(win.w));
        win.w->SSTab1->setCurrentWidget(win.w->tabSettings);
        QVERIFY(flow->isBuilt() && !win.w->saveAsTab()->isBuilt());
        auto *preBatch = test::child<QPlainTextEdit>(flow, "tbPreBatch");
        QVERIFY(preBatch->isVisible());
        QCOMPARE(preBatch->toPlainText(), QStringLiteral("_SDI 1\n_FILEDIA 0"));
        QVERIFY(test::child<QPushButton>(flow, "cmdClear")->isVisible());
        QVERIFY(win.w->missingControlNames({QStringLiteral("tbPreBatch")}).isEmpty());
        // Tab goes through the page's controls right after the page, then on as before.
        QWidget *w = flow;
        int own = 0;
        for (w = flow->nextInFocusChain(); flow->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus);
             w = w->nextInFocusChain())
            own += flow->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) ? 1 : 0;
        QCOMPARE(w, afterPage);
        QVERIFY(own >= 9); // four boxes, four buttons, two check boxes

        win.w->SSTab1->setCurrentWidget(win.w->tabSaveAs);
        auto *prefix = test::child<QLineEdit>(win.w->saveAsTab(), "tbPrefix");
        QVERIFY(prefix->isVisible());
        QCOMPARE(prefix->text(), QStringLiteral("NEW-"));
    }

    // What the exit writes does not depend on whether the pages were ever opened.
    void exitWritesTheSameWhetherThePagesWereOpened()
    {
        const auto prepare = [](MainSettings &s) {
            s.PreBatch = QStringLiteral("_SDI 1\n_FILEDIA 0\r"); // lone line ends
            s.PostUserScript = QString::fromUtf8("_CLOSE\u00a0Y");
            s.IncludeStatus = 3;
            s.UseDelay = 1;
            s.NamePrefix = QStringLiteral("$COUNTER$-");
            s.DWGOutFolder = QStringLiteral("C:\\Out\\");
            s.SaveAsOriginalLocation = 0;
            s.SaveAsType = QString();
            s.OverWriteFiles = -1;
        };
        QByteArray written[2];
        for (int opened = 0; opened < 2; ++opened) {
            Window win(prepare);
            if (opened) {
                win.w->batchFlowTab()->build();
                win.w->saveAsTab()->build();
            }
            win.main.app->app().finish();
            written[opened] =
                test::fileBytes(SettingsStore::usedFile()).replace(QDir::cleanPath(win.tmp.path()).toUtf8(), "<tmp>");
        }
        QCOMPARE(written[0], written[1]);
        QVERIFY2(written[0].contains("Initialize=_SDI 1\\r\\n_FILEDIA 0\\r\\n\n"), written[0].constData());
    }

    void saveAsExampleFollowsTheQueueClick()
    {
        Window win;
        win.w->queuePane()->addToQueue({QStringLiteral("C:\\DWG\\A-101.dwg"), QStringLiteral("C:\\DWG\\B-7.dwg")},
                                       false);
        win.get<QLineEdit>("tbSuffix")->setText(QStringLiteral("-$COUNTER$"));
        QCOMPARE(win.get<QLineEdit>("tbSAVEASExOutput")->text(), QStringLiteral("A-101-1.DWG"));
        test::queueList(win.w)->setItems({QStringLiteral("/srv/Z-9.dwg")});
        test::queueList(win.w)->selectAll();
        QCOMPARE(win.get<QLineEdit>("tbSAVEASExOutput")->text(), QStringLiteral("Z-9-1.DWG"));
    }

    void viewBatchScriptMenuItem()
    {
        Window win;
        test::RecordingLauncher launches;
        QMenu *script = win.w->menuByName(QStringLiteral("mnuScript"));
        QVERIFY(script);
        QAction *view = script->findChild<QAction *>(QStringLiteral("mnuViewBatchScript"));
        QVERIFY(view);
        QCOMPARE(view->text(), QStringLiteral("&View \"tessaline.scr\""));
        QCOMPARE(script->actions().last(), view);
        mainSettings().TextEditor = QStringLiteral("notepad.exe");
        mainSettings().SCROutputPath = win.tmp.writeFile(QStringLiteral("Out Dir/tessaline.scr"), "OPEN\r\n");
        view->trigger();
        QCOMPARE(launches.calls.size(), 1);
        QCOMPARE(launches.calls[0].arguments, QStringList{mainSettings().SCROutputPath});
    }
};

QTEST_MAIN(TestMainPanes)
#include "tst_mainpanes.moc"
