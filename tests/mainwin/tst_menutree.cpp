// The whole menu tree of the main window as the program builds it (every subsystem installed):
// each entry of the menu bar and of the queue's pop-up with its object name, caption, shortcut key,
// place and state; the entries simple mode hides; the wizards AutoCAD LT switches off; the pop-up's
// bold first entry; and the Alt letters of the menu titles that buttons of the window share.

#include "appwindow.h"
#include "core/mainsettings.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuecontrols.h"
#include "mainwin/queuelistview.h"
#include "mainwin/queuepane.h"
#include "panecontrols.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace tess;

namespace {

// One row per entry, in the order the entries stand in their menu.
//   menu:    the object name of the menu holding the entry; "menuBar" for the titles on the bar
//   name:    the entry's object name (a submenu's own name for a submenu's entry)
//   caption: as set, "&" before the access key, "&&" for one "&"; "-" for a separator
//   key:     the shortcut key in portable text ("Ctrl+E", "F1"); "" for none
//   state:   the state it is built with: "" visible and enabled, "disabled", or "hidden"
// At start the control-state rule for the empty queue decides the enabled state of the entries it
// governs; the other entries show the state they are built with. A later item is one more row at
// its place.
struct MenuRow {
    const char *menu;
    const char *name;
    const char *caption;
    const char *key;
    const char *state;
};

const MenuRow kMenuTree[] = {
    // ---- The menu bar ----
    {"menuBar", "mnuFile", "&File", "", ""},
    {"menuBar", "mnuQueue", "&Queue", "", ""},
    {"menuBar", "mnuScript", "&Script", "", ""},
    {"menuBar", "mnuTools", "&Tools", "", ""},
    {"menuBar", "mnuScriptCreationWizards", "&Wizards", "", ""},
    {"menuBar", "mnuHelp", "&Help", "", ""},

    {"mnuFile", "mnuSaveSettings", "&Save Settings Now", "", ""},
    {"mnuFile", "mnuFileExit", "E&xit", "", ""},

    {"mnuQueue", "mnuSort2", "&Sort", "", ""},
    {"mnuQueue", "mnuRemoveDuplicates", "&Remove Duplicates", "", ""},
    {"mnuQueue", "mnuVerifyFilesInQueue", "&Verify Files", "", ""},
    {"mnuQueue", "mnuReportDWGVersion", "R&eport DWG files AutoCAD Version", "", ""},
    {"mnuQueue", "mnublank004", "-", "", ""},
    {"mnuQueue", "mnuFileLists", "&File Lists", "", ""},
    {"mnuSort2", "mnuAscending2", "&Ascending", "", ""},
    {"mnuSort2", "mnuDescending2", "&Descending", "", ""},
    {"mnuSort2", "mnublank002", "-", "", ""},
    {"mnuSort2", "mnuSmartSort2", "&Smart-Sort", "", ""},
    {"mnuSort2", "mnuReverseOrder2", "&Reverse", "", ""},

    {"mnuScript", "mnuScriptEditor", "Script &Editor", "Ctrl+E", ""},
    {"mnuScript", "mnuScriptBrowser", "Script &Browser", "", ""},
    {"mnuScript", "mnuPlaceholder1", "-", "", ""},
    {"mnuScript", "mnuCheckScriptSyntax", "&Check Script Syntax", "", ""},
    {"mnuScript", "mnublank001", "-", "", ""},
    {"mnuScript", "mnuOutputOther", "&Create Batch Script in a Different Location", "", ""},
    {"mnuScript", "mnuViewBatchScript", "&View \"tessaline.scr\"", "", ""},

    {"mnuTools", "mnuCommandCapture", "&Capture AutoCAD\u00AE Commands to Script", "", ""},
    {"mnuTools", "mnuRenamer", "&File Renamer", "Ctrl+R", ""},
    {"mnuTools", "mnuNightRun", "&Night Run", "", ""},
    {"mnuTools", "mnuResetAcadVars", "&Reset AutoCAD\u00AE System Variables", "", ""},
    {"mnuTools", "mnuDWGRevScan", "&Find DWGs by AutoCAD DWG Version", "", ""},
    {"mnuTools", "mnuCombineText", "Combine &Text Files", "", ""},
    {"mnuTools", "mnubreak002", "-", "", ""},
    {"mnuTools", "mnuUserTagManager", "User Tag M&anager", "Ctrl+T", ""},
    {"mnuTools", "mnuProjectTagManager", "Project Tag &Manager", "Ctrl+P", ""},
    {"mnuTools", "mnubreak001", "-", "", ""},
    {"mnuTools", "mnuViewOptions", "&Options", "Ctrl+O", ""},

    {"mnuScriptCreationWizards", "mnuCopyPageSetups", "&Import Page Setup", "", ""},
    {"mnuScriptCreationWizards", "mnuRenameLayoutTabs", "L&ayouts", "", ""},
    {"mnuScriptCreationWizards", "mnuPlotWiz", "P&lot", "", "hidden"},
    {"mnuScriptCreationWizards", "mnuPurgeWiz", "&Purge", "", ""},
    {"mnuScriptCreationWizards", "mnuReportLimitsWiz", "R&eport Limits to File", "", ""},
    {"mnuScriptCreationWizards", "mnuReportTextWiz", "Search and &LOG Text", "", ""},
    {"mnuScriptCreationWizards", "mnuRepTextWiz", "S&earch and Replace Text", "", ""},
    {"mnuScriptCreationWizards", "mnuMTEXTSnR", "Seach and Replace &MTEXT", "", ""},
    {"mnuScriptCreationWizards", "mnuTBWiz", "&Title-Block Update", "", ""},

    {"mnuHelp", "mnuReadmeh", "&Setup Instructions && Tutorials", "F1", ""},
    {"mnuHelp", "mnuOnlineFAQ", "&Help Online (FAQ)", "F2", ""},
    {"mnuHelp", "mnuForum", "Tessaline User &Forum (Online)", "F3", ""},
    {"mnuHelp", "mnuWebHome", "&Tessaline Homepage (README.md)", "F4", ""},
    {"mnuHelp", "mnuWebVideos", "&Instructional Videos (YouTube)", "F5", ""},
    {"mnuHelp", "mnuHelpBreak", "-", "", ""},
    {"mnuHelp", "mnuTipOfTheDay", "Show &Tip of the Day", "", ""},
    {"mnuHelp", "mnuHelpAbout", "&About Tessaline", "", ""},

    // ---- The queue's pop-up (never on the bar) ----
    {"mnuPUForm", "mnuOpen", "&Open Selected File(s)", "", ""},
    {"mnuPUForm", "mnuSkip", "S&kip Past Selected File", "", ""},
    {"mnuPUForm", "mnuSort", "&Sort", "", ""},
    {"mnuPUForm", "mnuFont", "&Text Size", "", ""},
    {"mnuPUForm", "mnuCase", "&Change Case", "", ""},
    {"mnuPUForm", "mnuRemove", "&Remove", "", ""},
    {"mnuPUForm", "mnuReportDWGVersions", "Report DWG Versions", "", ""},
    {"mnuPUForm", "mnunothing4", "-", "", ""},
    {"mnuPUForm", "mnuGotoDir", "<- &Goto Dir", "", "disabled"},
    {"mnuPUForm", "mnuOpenDirInExplorer", "&Open Explorer in Directory", "", ""},
    {"mnuPUForm", "mnunothing5", "-", "", ""},
    {"mnuPUForm", "mnuFileSystemChecks", "&File System Checks", "", ""},
    {"mnuPUForm", "mnuCopy", "&Copy to Clipboard", "", ""},
    {"mnuSort", "mnuSortAscending", "&Ascending", "", ""},
    {"mnuSort", "mnuSortDescending", "&Descending", "", ""},
    {"mnuSort", "mnuPlaceholder", "-", "", ""},
    {"mnuSort", "mnuSmartSort", "S&mart-Sort", "", ""},
    {"mnuSort", "mnuReverseOrder", "&Reverse", "", "disabled"},
    {"mnuFont", "mnuTextLarger", "&Larger", "", ""},
    {"mnuFont", "mnuTextSmaller", "&Smaller", "", ""},
    {"mnuCase", "mnuQueueUpperCase", "&UPPER", "", "disabled"},
    {"mnuCase", "mnuQueueLowerCase", "&lower", "", "disabled"},
    {"mnuRemove", "mnuRemoveSelectedFiles", "&Selected Files", "", ""},
    {"mnuRemove", "mnuRemoveUnselectedFiles", "&Unselected Files", "", ""},
    {"mnuFileSystemChecks", "mnuRemoveDuplicates2", "&Remove Duplicates", "", "disabled"},
    {"mnuFileSystemChecks", "mnuVerifyFiles2", "&Verify Files", "", "disabled"},
    {"mnuCopy", "cmdAll", "&All", "", ""},
    {"mnuCopy", "mnuSelected", "&Selected", "", ""},
    {"cmdAll", "mnuCopyListtoClip", "&Paths and Filenames", "", ""},
    {"cmdAll", "mnuCopyWithExt", "&Filenames With Extension", "", ""},
    {"cmdAll", "mnuCopyWOExtension", "Filenames &Without Extension", "", ""},
    {"cmdAll", "mnuCopyClipCSV", "Filename(s) &Comma Separated", "", ""},
    {"mnuSelected", "mnuCopySelectedtoClip", "&Path(s) and Filename(s)", "", ""},
    {"mnuSelected", "mnuCopySelFilewithExt", "&Filename(s) With Extension", "", ""},
    {"mnuSelected", "mnuCopySelFileWOExt", "Filename(s) &Without Extension", "", ""},
    {"mnuSelected", "mnuCopySelFileCSV", "Filename(s) &Comma Separated", "", ""},
};

// The entries simple mode hides (a whole menu by its own name); every other entry keeps its state.
const char *const kSimpleModeHidden[] = {
    "mnuScriptCreationWizards", "mnuRenamer",       "mnuCheckScriptSyntax", "mnuViewOptions",  "mnuProjectTagManager",
    "mnuUserTagManager",        "mnubreak001",      "mnubreak002",          "mnuPlaceholder1", "mnublank001",
    "mnuCommandCapture",        "mnuScriptBrowser", "mnuScriptEditor",
};

// The wizards that need AutoLISP: off while the AutoCAD LT option is on.
const char *const kLispWizards[] = {"mnuReportLimitsWiz", "mnuReportTextWiz", "mnuRepTextWiz", "mnuMTEXTSnR",
                                    "mnuTBWiz"};

// Where a row's menu is: the bar or a menu of the window.
QWidget *container(const frmMain &w, const QString &menu)
{
    if (menu == QLatin1String("menuBar"))
        return w.menuBar();
    return w.menuByName(menu);
}

QString entryName(const QAction *a) { return a->menu() ? a->menu()->objectName() : a->objectName(); }

QAction *entry(const frmMain &w, const QString &menu, const QString &name)
{
    QWidget *c = container(w, menu);
    if (!c)
        return nullptr;
    for (QAction *a : c->actions())
        if (entryName(a) == name)
            return a;
    return nullptr;
}

QStringList rowNamesOf(const QString &menu)
{
    QStringList names;
    for (const MenuRow &r : kMenuTree)
        if (menu == QLatin1String(r.menu))
            names << QString::fromUtf8(r.name);
    return names;
}

QStringList menusOfTheTable()
{
    QStringList menus;
    for (const MenuRow &r : kMenuTree)
        if (!menus.contains(QLatin1String(r.menu)))
            menus << QString::fromUtf8(r.menu);
    return menus;
}

// Every menu reachable from the bar and from the pop-up, by object name.
void collectMenus(const QWidget *c, QStringList &names)
{
    for (const QAction *a : c->actions()) {
        if (QMenu *m = a->menu()) {
            names << m->objectName();
            collectMenus(m, names);
        }
    }
}

// Menu bar titles show once the deferred visibility pass has run.
void settle() { QCoreApplication::processEvents(); }

} // namespace

class TestMenuTree : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { mainSettings() = MainSettings(); }

    // Each entry: its caption, shortcut key, kind (separator or not) and its state at start.
    void menuTree_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("state");
        for (const MenuRow &r : kMenuTree)
            QTest::newRow(qPrintable(QStringLiteral("%1/%2").arg(QLatin1String(r.menu), QLatin1String(r.name))))
                << QString::fromUtf8(r.menu) << QString::fromUtf8(r.name) << QString::fromUtf8(r.caption)
                << QString::fromUtf8(r.key) << QString::fromUtf8(r.state);
    }
    void menuTree()
    {
        QFETCH(QString, menu);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, key);
        QFETCH(QString, state);
        test::Fixture fx;
        test::AppWindow w;
        settle();
        const QAction *a = entry(*w, menu, name);
        QVERIFY2(a, qPrintable(name + QStringLiteral(" is not in ") + menu));
        if (caption == QLatin1String("-")) {
            QVERIFY(a->isSeparator());
        } else {
            QVERIFY(!a->isSeparator());
            QCOMPARE(a->text(), caption);
        }
        QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), key);
        // The control-state rule has the last word on the entries it governs; a hidden entry also
        // takes no input.
        const int ruled = computeQueueControlStates(w->queueControlInputs()).stateOf(name);
        const bool enabled =
            state != QLatin1String("hidden") && (ruled >= 0 ? ruled == 1 : state != QLatin1String("disabled"));
        QCOMPARE(a->isEnabled(), enabled);
        QCOMPARE(a->isVisible(), state != QLatin1String("hidden"));
    }

    // Each menu holds exactly its rows, in their order; every menu of the bar and the pop-up has rows.
    void menusHoldTheirRowsInOrder_data()
    {
        QTest::addColumn<QString>("menu");
        for (const QString &menu : menusOfTheTable())
            QTest::newRow(qPrintable(menu)) << menu;
    }
    void menusHoldTheirRowsInOrder()
    {
        QFETCH(QString, menu);
        test::Fixture fx;
        test::AppWindow w;
        QWidget *c = container(*w, menu);
        QVERIFY(c);
        QStringList names;
        for (const QAction *a : c->actions())
            names << entryName(a);
        QCOMPARE(names, rowNamesOf(menu));
    }
    void everyMenuHasRows()
    {
        test::Fixture fx;
        test::AppWindow w;
        QStringList menus{QStringLiteral("menuBar"), QStringLiteral("mnuPUForm")};
        collectMenus(w->menuBar(), menus);
        collectMenus(w->menu(MainMenu::QueuePopup), menus);
        QCOMPARE(menus.size(), menusOfTheTable().size());
        for (const QString &menu : menus)
            QVERIFY2(menusOfTheTable().contains(menu), qPrintable(menu));
        QVERIFY(!w->menuBar()->actions().contains(w->menu(MainMenu::QueuePopup)->menuAction()));
    }

    // The pop-up opens on its default entry, in bold.
    void popupDefaultEntryIsBold()
    {
        test::Fixture fx;
        test::AppWindow w;
        QMenu *popup = w->menu(MainMenu::QueuePopup);
        QAction *open = entry(*w, QStringLiteral("mnuPUForm"), QStringLiteral("mnuOpen"));
        QCOMPARE(popup->actions().first(), open);
        QCOMPARE(popup->defaultAction(), open);
        QVERIFY(open->font().bold());
        for (QAction *a : popup->actions())
            QCOMPARE(a->font().bold(), a == open);
    }

    // Simple mode hides the Wizards menu, the script tools, the tag managers, the Options and the
    // separators between them; everything else keeps its state. Switching back shows them again.
    void simpleModeHides_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("hidden");
        for (const MenuRow &r : kMenuTree) {
            const QString menu = QString::fromUtf8(r.menu);
            if (menu == QLatin1String("mnuPUForm") || QByteArray(r.state) == "hidden")
                continue;
            bool hidden = false;
            for (const char *name : kSimpleModeHidden)
                hidden = hidden || QByteArray(name) == r.name;
            QTest::newRow(r.name) << menu << QString::fromUtf8(r.name) << hidden;
        }
    }
    void simpleModeHides()
    {
        QFETCH(QString, menu);
        QFETCH(QString, name);
        QFETCH(bool, hidden);
        test::Fixture fx;
        mainSettings().SimpleMode = 1;
        test::AppWindow w;
        settle();
        const QAction *a = entry(*w, menu, name);
        QVERIFY(a);
        QCOMPARE(a->isVisible(), !hidden);
        mainSettings().SimpleMode = 0;
        w->applySettings(mainSettings());
        settle();
        QVERIFY(a->isVisible());
    }

    // The AutoCAD LT option switches off the wizards that need AutoLISP, at start and after the
    // Options dialog applied it; the other wizards stay on.
    void ltSwitchesLispWizards_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("needsLisp");
        for (const MenuRow &r : kMenuTree) {
            if (QByteArray(r.menu) != "mnuScriptCreationWizards" || QByteArray(r.state) == "hidden")
                continue;
            bool lisp = false;
            for (const char *name : kLispWizards)
                lisp = lisp || QByteArray(name) == r.name;
            QTest::newRow(r.name) << QString::fromUtf8(r.name) << lisp;
        }
    }
    void ltSwitchesLispWizards()
    {
        QFETCH(QString, name);
        QFETCH(bool, needsLisp);
        test::Fixture fx;
        mainSettings().LT = 1;
        test::AppWindow w;
        const QAction *a = entry(*w, QStringLiteral("mnuScriptCreationWizards"), name);
        QVERIFY(a);
        QCOMPARE(a->isEnabled(), !needsLisp);
        mainSettings().LT = 0;
        Q_EMIT w.app().settingsApplied();
        QVERIFY(a->isEnabled());
        mainSettings().LT = 1;
        Q_EMIT w.app().settingsApplied();
        QCOMPARE(a->isEnabled(), !needsLisp);
    }

    // Alt+F opens "&File" although "&Favorites" shares the letter, so Alt+F, X ends the program; a
    // second Alt+F gives the button its turn, a third opens the menu again.
    void altLetterOpensTheMenu()
    {
        test::Fixture fx;
        test::AppWindow w;
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        settle();
        auto *favorites = w->findChild<QPushButton *>(QStringLiteral("Command18"));
        QVERIFY(favorites && favorites->isVisible() && favorites->text() == QStringLiteral("&Favorites"));
        test::queueList(w)->setFocus();
        QMenu *file = w->menu(MainMenu::File);

        QTest::keyClick(w.get(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), file);
        // Alt closes the open menu; the letter is then the button's turn.
        QTest::keyClick(file, Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), favorites);
        QVERIFY(!file->isVisible());
        QTest::keyClick(w.get(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), file);

        QTest::keyClick(file, Qt::Key_X);
        QTRY_VERIFY(!w->isVisible());
    }

    // The same for every other title whose letter a control shares ("&Tools" and "&Test Run",
    // "&Queue" and "&QuickPick"): the menu opens first.
    void altLetterOfEveryTitle_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("menu");
        QTest::newRow("Alt+F") << int(Qt::Key_F) << "mnuFile";
        QTest::newRow("Alt+Q") << int(Qt::Key_Q) << "mnuQueue";
        QTest::newRow("Alt+S") << int(Qt::Key_S) << "mnuScript";
        QTest::newRow("Alt+T") << int(Qt::Key_T) << "mnuTools";
        QTest::newRow("Alt+W") << int(Qt::Key_W) << "mnuScriptCreationWizards";
        QTest::newRow("Alt+H") << int(Qt::Key_H) << "mnuHelp";
    }
    void altLetterOfEveryTitle()
    {
        QFETCH(int, key);
        QFETCH(QString, menu);
        test::Fixture fx;
        test::AppWindow w;
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        settle();
        test::queueList(w)->setFocus();
        QTest::keyClick(w.get(), Qt::Key(key), Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), w->menuByName(menu));
        w->menuByName(menu)->hide();
    }
};

QTEST_MAIN(TestMenuTree)
#include "tst_menutree.moc"
