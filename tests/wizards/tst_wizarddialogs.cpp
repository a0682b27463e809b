// The wizard windows in the main window as the program builds it: their menu entries and the
// AutoCAD LT rule, what each writes into the user script, the overwrite question, the lifecycle
// (Hide keeps the fields, the close box discards them), the page-setup picker and the reset of
// AutoCAD's system variables.

#include "appwindow.h"
#include "core/fileselector.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/scriptfacts.h"
#include "modalguard.h"
#include "testsupport.h"
#include "uitest.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/programfont.h"
#include "wizards/frmLOGTextWiz.h"
#include "wizards/frmLayoutWiz.h"
#include "wizards/frmMtextSNR.h"
#include "wizards/frmPageSetupInWiz.h"
#include "wizards/frmPageSetupWizSelect.h"
#include "wizards/frmPlotWiz.h"
#include "wizards/frmPurgeWiz.h"
#include "wizards/frmRepTextWiz.h"
#include "wizards/frmReportLimitsWiz.h"
#include "wizards/frmResetAcadSysVars.h"
#include "wizards/frmTBWiz.h"
#include "wizards/resetsysvars.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using namespace tess;

namespace {

const QString kSep = QStringLiteral(";-------------");

QPushButton *button(QWidget *w, const char *name) { return test::child<QPushButton>(w, name); }

// The visible captions (with their access keys) and names of a menu's items, separators left out.
QStringList itemNames(const QMenu *m)
{
    QStringList out;
    for (const QAction *a : m->actions())
        if (!a->isSeparator())
            out << a->objectName();
    return out;
}

// Opens a window through its menu item and runs `act` on it while it is shown modally.
void openThrough(const frmMain &w, const char *item, const std::function<void(QWidget *)> &act)
{
    test::ModalGuard modals;
    modals.answerNextModal(act);
    QVERIFY(test::triggerAction(w, item));
    QVERIFY(modals.allAnswered());
}

// The options opener of the reset window, put back when the test leaves.
struct OptionsOpenerGuard {
    ~OptionsOpenerGuard() { frmResetAcadSysVars::setOptionsOpener(nullptr); }
};

} // namespace

class TestWizardDialogs : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<test::Fixture> m_fx;
    std::unique_ptr<QTemporaryDir> m_drawings;
    QString m_dir; // the drawing folder, native, no trailing separator

    QString drawing(const QString &name) const { return m_dir + QDir::separator() + name; }
    test::ScriptedPrompter &prompter() { return m_fx->prompter(); }
    static QString script(const test::AppWindow &w) { return w->scriptFacts()->scriptText(); }

private Q_SLOTS:
    // The program's own font, which the windows' twips places assume.
    void initTestCase() { applyProgramFont(); }

    void init()
    {
        m_fx = std::make_unique<test::Fixture>();
        m_drawings = std::make_unique<QTemporaryDir>();
        m_dir = QDir::toNativeSeparators(m_drawings->path());
        QDir().mkpath(m_drawings->filePath(QStringLiteral("sub")));
        for (const char *n : {"a.dwg", "B.DWG", "notes.txt", "sub/c.dwg"}) {
            QFile f(m_drawings->filePath(QLatin1String(n)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        mainSettings() = MainSettings();
        mainSettings().SourcePath = m_dir;
        mainSettings().DWGPattern = QStringLiteral("*.dwg");
    }
    void cleanup()
    {
        QVERIFY(m_fx->prompter().allUsed());
        m_drawings.reset();
        m_fx.reset();
    }

    // ---- Menus ----

    void menuEntries_data()
    {
        QTest::addColumn<int>("lt");
        QTest::addColumn<int>("simple");
        QTest::newRow("full AutoCAD") << 0 << 0;
        QTest::newRow("AutoCAD LT") << 1 << 0;
        QTest::newRow("simple mode") << 0 << 1;
    }
    void menuEntries()
    {
        QFETCH(int, lt);
        QFETCH(int, simple);
        mainSettings().LT = qint16(lt);
        mainSettings().SimpleMode = qint16(simple);
        test::AppWindow w;

        const QMenu *wizards = w->menu(MainMenu::Wizards);
        QCOMPARE(itemNames(wizards),
                 QStringList({"mnuCopyPageSetups", "mnuRenameLayoutTabs", "mnuPlotWiz", "mnuPurgeWiz",
                              "mnuReportLimitsWiz", "mnuReportTextWiz", "mnuRepTextWiz", "mnuMTEXTSnR", "mnuTBWiz"}));
        const QStringList captions{"&Import Page Setup",
                                   "L&ayouts",
                                   "P&lot",
                                   "&Purge",
                                   "R&eport Limits to File",
                                   "Search and &LOG Text",
                                   "S&earch and Replace Text",
                                   "Seach and Replace &MTEXT",
                                   "&Title-Block Update"};
        const QStringList lisp{"mnuReportLimitsWiz", "mnuReportTextWiz", "mnuRepTextWiz", "mnuMTEXTSnR", "mnuTBWiz"};
        for (int i = 0; i < captions.size(); ++i) {
            const QAction *a = wizards->actions().at(i);
            QCOMPARE(a->text(), captions.at(i));
            if (a->objectName() == QLatin1String("mnuPlotWiz")) {
                QVERIFY(!a->isVisible()); // never shown (an invisible action counts as disabled too)
                continue;
            }
            QVERIFY(a->isVisible());
            QCOMPARE(a->isEnabled(), !(lt == 1 && lisp.contains(a->objectName())));
        }
        QTRY_COMPARE(wizards->menuAction()->isVisible(), simple == 0);

        // The reset stays on the Tools menu in every mode.
        const QAction *reset = test::findAction(*w, "mnuResetAcadVars");
        QVERIFY(w->menu(MainMenu::Tools)->actions().contains(const_cast<QAction *>(reset)));
        QCOMPARE(reset->text(), QString::fromUtf8("&Reset AutoCAD\u00AE System Variables"));
        QVERIFY(reset->isVisible());
        QVERIFY(reset->isEnabled());
    }

    // SetMenus after the Options dialog applied LT, and for an entry added later, when the menu
    // opens.
    void setMenusFollowsTheLtSetting()
    {
        test::AppWindow w;
        QVERIFY(test::findAction(*w, "mnuRepTextWiz")->isEnabled());
        mainSettings().LT = 1;
        Q_EMIT w.app().settingsApplied();
        for (const char *name : {"mnuReportLimitsWiz", "mnuReportTextWiz", "mnuRepTextWiz", "mnuMTEXTSnR", "mnuTBWiz"})
            QVERIFY2(!test::findAction(*w, name)->isEnabled(), name);
        for (const char *name : {"mnuCopyPageSetups", "mnuRenameLayoutTabs", "mnuPurgeWiz"})
            QVERIFY2(test::findAction(*w, name)->isEnabled(), name);

        QAction *later = w->addMenuItem(MainMenu::Wizards, QStringLiteral("mnuTBWiz"), QStringLiteral("Later"));
        Q_EMIT w->menu(MainMenu::Wizards)->aboutToShow();
        QVERIFY(!later->isEnabled());
        mainSettings().LT = 0;
        Q_EMIT w.app().settingsApplied();
        QVERIFY(later->isEnabled());
        QVERIFY(test::findAction(*w, "mnuMTEXTSnR")->isEnabled());
    }

    // ---- What each wizard writes ----

    void wizardsWriteTheirBlocks_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<std::function<void(QWidget *)>>("fill");
        QTest::addColumn<QString>("expected"); // the script box's text ("\n" between lines)

        // The load line's start; the program folder is the test's own, known once the test runs.
        const QString load = QStringLiteral("$LOAD$");
        auto setText = [](QWidget *d, const char *name, const char *text) {
            test::child<QLineEdit>(d, name)->setText(QLatin1String(text));
        };
        QTest::newRow("purge layers") << "mnuPurgeWiz" << std::function<void(QWidget *)>([](QWidget *d) {
            test::child<QRadioButton>(d, "optLayers")->setChecked(true);
        }) << QStringList({"-PURGE", "LA", "*", "N", kSep}).join('\n');
        QTest::newRow("text with blocks and MTEXT")
            << "mnuRepTextWiz" << std::function<void(QWidget *)>([setText](QWidget *d) {
                   setText(d, "tbSearchFor", "Rev A");
                   setText(d, "tbReplaceText", "Rev B");
                   test::child<QCheckBox>(d, "chkBlocks")->setChecked(true);
                   test::child<QCheckBox>(d, "chkSearchMtext")->setChecked(true);
               })
            << load + QStringLiteral("REPTEXT.LSP\")\n") +
                   QStringList({kSep, "REPTEXT", "Rev A", "Rev B", "Y", "N", "Y", "Y", "ALL", "", kSep,
                                "-VBALOAD \"$TSL_PATH$LISP/Mtext.dvb\"", "-VBARUN MTEXT.SearchAndReplace", "Rev A",
                                "Rev B", "VBAUNLOAD \"$TSL_PATH$LISP/Mtext.dvb\"", kSep})
                       .join('\n');
        QTest::newRow("mtext") << "mnuMTEXTSnR" << std::function<void(QWidget *)>([setText](QWidget *d) {
            setText(d, "tbSource", "OLD");
            setText(d, "tbReplace", "NEW");
        })
                               << QStringList({"-VBALOAD \"$TSL_PATH$LISP/Mtext.dvb\"",
                                               "-VBARUN MTEXT.SearchAndReplace", "OLD", "NEW",
                                               "VBAUNLOAD \"$TSL_PATH$LISP/Mtext.dvb\"", kSep})
                                      .join('\n');
        QTest::newRow("log text, initial values")
            << "mnuReportTextWiz" << std::function<void(QWidget *)>([](QWidget *) {})
            << load + QStringLiteral("LOG_TEXT.LSP\")\n") +
                   QStringList(
                       {kSep, "LOG_TEXT", "*SEARCH TEXT*", "ALL", "", "$TSL_PATH$DATA/$USER$-TextLog.lst", kSep})
                       .join('\n');
        QTest::newRow("limits") << "mnuReportLimitsWiz" << std::function<void(QWidget *)>([setText](QWidget *d) {
            setText(d, "tbOutput", "$TSL_PATH$DATA/limits.csv");
        })
                                << load + QStringLiteral("LIMITS_OUT.LSP\")\n") +
                                       QStringList({kSep, "LIMITS_OUT", "$TSL_PATH$DATA/limits.csv", kSep}).join('\n');
        QTest::newRow("page setup") << "mnuCopyPageSetups" << std::function<void(QWidget *)>([setText](QWidget *d) {
            setText(d, "Text1", "C:\\Sheets\\Master.dwg");
        })
                                    << QStringList({kSep, "_EXPERT 2", "_-PSETUPIN", "\"C:\\Sheets\\Master.dwg\"",
                                                    "\"<default>\"", "_EXPERT 0", kSep})
                                           .join('\n');
    }
    // On an empty script with a drawing queued: the block, both Create buttons enabled, the window
    // hidden, then the closing message.
    void wizardsWriteTheirBlocks()
    {
        QFETCH(QString, item);
        QFETCH(std::function<void(QWidget *)>, fill);
        QFETCH(QString, expected);
        expected.replace(QLatin1String("$LOAD$"), QStringLiteral("(LOAD \"") + test::lispFolder(m_fx->folder()));
        test::AppWindow w;
        w->queuePane()->setQueueEntries({drawing(QStringLiteral("a.dwg"))});
        QVERIFY(!w->Command1_Compile->isEnabled());

        prompter().expectMessage(vbOK);
        QWidget *wizard = nullptr;
        openThrough(*w, item.toLatin1().constData(), [&](QWidget *d) {
            wizard = d;
            fill(d);
            test::child<QPushButton>(d, "cmdCreate")->click();
        });
        QVERIFY(wizard && !wizard->isVisible());
        QCOMPARE(script(w), expected);
        QCOMPARE(prompter().last().title, QStringLiteral("Done"));
        QVERIFY(w->Command1_Compile->isEnabled());
        QVERIFY(w->cmdCreateAndRun->isEnabled());
    }

    void overwriteAnsweredNoChangesNothing()
    {
        test::AppWindow w;
        w->scriptFacts()->setScriptText(QStringLiteral("LINE1\nLINE2"));
        prompter().expectMessage(vbNo);
        openThrough(*w, "mnuPurgeWiz", [](QWidget *d) {
            test::child<QRadioButton>(d, "optOverWrite")->setChecked(true);
            button(d, "cmdCreate")->click();
            QVERIFY(d->isVisible()); // still open with its fields
            d->close();
        });
        QCOMPARE(prompter().last().title, QStringLiteral("Warning"));

        // The plot wizard asks every time; No leaves the script too.
        auto *plot = new frmPlotWiz(w->scriptFacts(), w.get());
        prompter().expectMessage(vbNo);
        plot->Command1->click();
        QCOMPARE(script(w), QStringLiteral("LINE1\nLINE2"));
        delete plot;
    }

    // Overwrite answered Yes: the script holds only the block, and the change handling ran once for
    // the emptying and once per line.
    void overwriteRunsTheChangeHandlingPerAssignment()
    {
        mainSettings().METAEnabled = 1;
        mainSettings().METAImmediate = 1;
        test::AppWindow w;
        w->scriptFacts()->setScriptText(QStringLiteral("OLD"));
        mainSettings().SCRChanged = false;
        QSignalSpy changes(&w.app(), &Application::metaScanRequested);
        prompter().expectMessage(vbYes);
        prompter().expectMessage(vbOK);
        openThrough(*w, "mnuPurgeWiz", [](QWidget *d) {
            test::child<QRadioButton>(d, "optOverWrite")->setChecked(true);
            button(d, "cmdCreate")->click();
        });
        QCOMPARE(script(w), QStringList({"-PURGE", "A", "*", "N", kSep}).join('\n'));
        QCOMPARE(changes.count(), 6);
        QVERIFY(mainSettings().SCRChanged);

        // The plot wizard empties the script the same way.
        auto *plot = new frmPlotWiz(w->scriptFacts(), w.get());
        prompter().expectMessage(vbYes);
        prompter().expectMessage(vbOK);
        plot->Command1->click();
        QCOMPARE(script(w), QStringList({kSep, "-PLOT", "*", "N", kSep}).join('\n'));
        QVERIFY(!plot->isVisible());
        delete plot;
    }

    // ---- Lifecycle ----

    void hideKeepsTheFieldsAndTheCloseBoxDiscardsThem()
    {
        test::AppWindow w;
        QPointer<QWidget> first;
        prompter().expectMessage(vbOK);
        openThrough(*w, "mnuPurgeWiz", [&](QWidget *d) {
            first = d;
            test::child<QRadioButton>(d, "optShapes")->setChecked(true);
            test::child<QRadioButton>(d, "optOverWrite")->setChecked(false);
            button(d, "cmdCreate")->click();
        });
        openThrough(*w, "mnuPurgeWiz", [&](QWidget *d) {
            QCOMPARE(d, first.data());
            QVERIFY(test::child<QRadioButton>(d, "optShapes")->isChecked());
            // Without a Cancel button Escape does nothing: the window and its choice stay.
            test::child<QRadioButton>(d, "optLayers")->setChecked(true);
            QTest::keyClick(d, Qt::Key_Escape);
            QVERIFY(d->isVisible());
            QVERIFY(test::child<QRadioButton>(d, "optLayers")->isChecked());
            test::child<QRadioButton>(d, "optShapes")->setChecked(true);
            d->close(); // the close box: nothing is written
        });
        QCOMPARE(script(w), QStringList({"-PURGE", "SH", "*", "N", kSep}).join('\n'));
        openThrough(*w, "mnuPurgeWiz", [&](QWidget *d) {
            QVERIFY(d != first.data());
            QVERIFY(test::child<QRadioButton>(d, "optALL")->isChecked());
            QVERIFY(test::child<QRadioButton>(d, "optAppend")->isChecked());
            d->close();
        });

        // Cancel hides too; Escape is Cancel where there is one.
        openThrough(*w, "mnuReportTextWiz", [](QWidget *d) {
            test::child<QLineEdit>(d, "tbSearchFor")->setText(QStringLiteral("A*"));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        openThrough(*w, "mnuReportTextWiz", [](QWidget *d) {
            QCOMPARE(test::child<QLineEdit>(d, "tbSearchFor")->text(), QStringLiteral("A*"));
            button(d, "cmdCancel")->click();
        });
        QCOMPARE(script(w), QStringList({"-PURGE", "SH", "*", "N", kSep}).join('\n'));
    }

    void repTextCreateNeedsOneTickedBox()
    {
        frmRepTextWiz d(nullptr);
        QVERIFY(d.cmdCreate->isEnabled());
        d.chkRegText->setChecked(false);
        QVERIFY(!d.cmdCreate->isEnabled());
        for (QCheckBox *box : {d.chkDims, d.chkBlocks, d.chkSearchMtext, d.chkRegText}) {
            box->setChecked(true);
            QVERIFY2(d.cmdCreate->isEnabled(), qPrintable(box->objectName()));
            box->setChecked(false);
            QVERIFY(!d.cmdCreate->isEnabled());
        }
    }

    void fieldsDropLineBreaks()
    {
        frmRepTextWiz d(nullptr);
        d.tbSearchFor->setText(QStringLiteral("AB"));
        d.tbSearchFor->setCursorPosition(1);
        d.tbSearchFor->insert(QStringLiteral("1\r\n2\n"));
        QCOMPARE(d.tbSearchFor->text(), QStringLiteral("A12B"));
        QCOMPARE(d.tbSearchFor->cursorPosition(), 3);
    }

    // ---- The page-setup picker ----

    void pickerStartsAtTheMainFolderAndKeepsItsPlace()
    {
        test::AppWindow w;
        auto pickFrom = [&](const QString &expectedFolder, const char *file) {
            test::ModalGuard modals;
            modals.answerNextModal([&](QWidget *wizard) {
                modals.answerNextModal([&](QWidget *picker) {
                    auto *p = qobject_cast<frmPageSetupWizSelect *>(picker);
                    QVERIFY(p);
                    QCOMPARE(p->Dir1->path(), expectedFolder);
                    QStringList names;
                    for (int i = 0; i < p->File1->count(); ++i)
                        names << p->File1->item(i)->text();
                    QVERIFY(!names.contains(QStringLiteral("notes.txt")));
                    QVERIFY(!p->cmdSelect->isEnabled());
                    const auto items = p->File1->findItems(QLatin1String(file), Qt::MatchExactly);
                    QCOMPARE(items.size(), 1);
                    p->File1->setCurrentItem(items.first());
                    QVERIFY(p->cmdSelect->isEnabled());
                    p->cmdSelect->click();
                    QVERIFY(!p->isVisible());
                    QVERIFY(!p->cmdSelect->isEnabled());
                });
                button(wizard, "cmdSelectFile")->click();
                QCOMPARE(test::child<QLineEdit>(wizard, "Text1")->text(),
                         joinFolderAndName(expectedFolder, QLatin1String(file)));
                button(wizard, "cmdCancel")->click();
            });
            test::findAction(*w, "mnuCopyPageSetups")->trigger();
            QVERIFY(modals.allAnswered());
        };
        pickFrom(m_dir, "B.DWG");

        // The picker keeps its folder when the main window moves on ...
        QVERIFY(w->fileSelector()->setDirPath(drawing(QStringLiteral("sub"))));
        pickFrom(m_dir, "a.dwg");

        // ... until its close box discards it.
        test::ModalGuard modals;
        modals.answerNextModal([&](QWidget *wizard) {
            modals.answerNextModal([](QWidget *picker) { picker->close(); });
            button(wizard, "cmdSelectFile")->click();
            button(wizard, "cmdCancel")->click();
        });
        test::findAction(*w, "mnuCopyPageSetups")->trigger();
        QVERIFY(modals.allAnswered());
        pickFrom(drawing(QStringLiteral("sub")), "c.dwg");
    }

    void pickerGoesBackFromADriveThatDoesNotAnswer()
    {
        frmPageSetupWizSelect p(MainFileLists{QString(), m_dir, m_dir});
        p.Dir1->setPath(drawing(QStringLiteral("sub")));
        const QString before = p.Drive1->drive();
        prompter().expectMessage(vbOK);
        p.Drive1->addItem(QStringLiteral("gone"), QStringLiteral("/no/such/volume"));
        p.Drive1->setCurrentIndex(p.Drive1->count() - 1);
        QCOMPARE(prompter().last().text,
                 QStringLiteral("That Drive is not responding...\rPlease select a different drive!"));
        QCOMPARE(prompter().last().title, appTitle());
        QCOMPARE(prompter().last().style, int(vbOKOnly));
        QCOMPARE(p.Drive1->drive(), before);
        QCOMPARE(p.Dir1->path(), drawing(QStringLiteral("sub")));
    }

    // ---- The reset of AutoCAD's system variables ----

    void resetStartsAutoCadAndStaysOpen()
    {
        QTemporaryDir acad;
        QFile exe(acad.filePath(QStringLiteral("acad.exe")));
        QVERIFY(exe.open(QIODevice::WriteOnly));
        exe.close();
        QVERIFY(test::makeProgram(exe.fileName()));
        m_fx->writeFile(QStringLiteral("DATA/reset.scr"), "_.QUIT\r\n_Y\r\n");
        mainSettings().AutoCADEXE = QDir::toNativeSeparators(exe.fileName());
        test::AppWindow w;
        openThrough(*w, "mnuResetAcadVars", [](QWidget *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral(" Reset AutoCAD System Variables"));
            button(d, "cmdReset")->click();
            QVERIFY(d->isVisible());
            button(d, "cmdCancel")->click();
        });
        QCOMPARE(m_fx->launcher().calls.size(), 1);
        QCOMPARE(m_fx->launcher().calls.first().program, mainSettings().AutoCADEXE);
        QCOMPARE(m_fx->launcher().calls.first().arguments, QStringList({QStringLiteral("/b"), resetScriptPath()}));
    }

    void resetWithoutAValidProgramOpensTheOptions_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("empty") << QString();
        QTest::newRow("missing") << QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/none/acad.exe"));
        QTest::newRow("no extension") << QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/acad"));
    }
    void resetWithoutAValidProgramOpensTheOptions()
    {
        QFETCH(QString, program);
        m_fx->writeFile(QStringLiteral("DATA/reset.scr"), "_.QUIT\r\n");
        mainSettings().AutoCADEXE = program;
        OptionsOpenerGuard guard;
        QList<QWidget *> owners;
        frmResetAcadSysVars::setOptionsOpener([&owners](QWidget *owner) { owners << owner; });
        frmResetAcadSysVars d;
        prompter().expectMessage(vbOK);
        d.cmdReset->click();
        QCOMPARE(prompter().last().title, QStringLiteral("Setup Issue"));
        QCOMPARE(owners, QList<QWidget *>{&d});
        QVERIFY(m_fx->launcher().calls.isEmpty());
    }

    // ---- Looks ----

    // Every window places each control of its table, every caption fits, and no two controls of
    // one parent overlap.
    void windowsPlaceTheirControls()
    {
        std::vector<std::unique_ptr<WizardWindow>> windows;
        windows.emplace_back(std::make_unique<frmPurgeWiz>(nullptr));
        windows.emplace_back(std::make_unique<frmRepTextWiz>(nullptr));
        windows.emplace_back(std::make_unique<frmMtextSNR>(nullptr));
        windows.emplace_back(std::make_unique<frmLOGTextWiz>(nullptr));
        windows.emplace_back(std::make_unique<frmReportLimitsWiz>(nullptr));
        windows.emplace_back(std::make_unique<frmPageSetupInWiz>(nullptr, nullptr));
        windows.emplace_back(std::make_unique<frmPageSetupWizSelect>(MainFileLists{QString(), m_dir, m_dir}));
        windows.emplace_back(std::make_unique<frmResetAcadSysVars>());
        windows.emplace_back(std::make_unique<frmPlotWiz>(nullptr));
        windows.emplace_back(std::make_unique<frmTBWiz>(nullptr, nullptr));
        windows.emplace_back(std::make_unique<frmLayoutWiz>(nullptr));
        for (const auto &win : windows) {
            const QString name = win->objectName();
            // A tab page takes its place when the shown tab control shows it.
            win->show();
            QVERIFY(QTest::qWaitForWindowExposed(win.get()));
            for (QTabWidget *tabs : win->findChildren<QTabWidget *>())
                for (int page = tabs->count() - 1; page >= 0; --page)
                    tabs->setCurrentIndex(page);
            QVERIFY2(win->placement().ok(),
                     qPrintable(name + QStringLiteral(": ") + win->placement().missing.join(',') +
                                QStringLiteral(" / ") + win->placement().unfit.join(',')));
            QList<QWidget *> controls = win->findChildren<QWidget *>();
            // Qt's own parts of a control (scroll bars, viewports, a tab bar's hidden scroll buttons) are
            // not placed by the table.
            controls.removeIf([](const QWidget *c) {
                return c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_")) ||
                       (c->isHidden() && qobject_cast<QTabBar *>(c->parentWidget()));
            });
            for (QWidget *a : controls) {
                if (a->parentWidget())
                    QVERIFY2(a->parentWidget()->rect().contains(a->geometry()),
                             qPrintable(name + QStringLiteral(": ") + a->objectName() + QStringLiteral(" sticks out")));
                for (QWidget *b : controls) {
                    // The pages of a tab control lie on one another.
                    if (a == b || a->parentWidget() != b->parentWidget() ||
                        qobject_cast<QStackedWidget *>(a->parentWidget()))
                        continue;
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                             qPrintable(name + QStringLiteral(": ") + a->objectName() + QStringLiteral(" overlaps ") +
                                        b->objectName()));
                }
            }
        }
    }
};

QTEST_MAIN(TestWizardDialogs)
#include "tst_wizarddialogs.moc"
