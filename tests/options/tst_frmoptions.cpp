// The Options dialog through its real controls: its layout, its load, "&OK" (refusals, applied
// members, stored keys), the LT consequences in the main window, the checks while editing, the four
// pickers, the resets and the backup.

#include "app/application.h"
#include "appwindow.h"
#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/processhelpers.h"
#include "core/scriptfacts.h"
#include "core/settingsstore.h"
#include "core/statefiles.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "modalguard.h"
#include "options/frmAutoCADEXEBrowse.h"
#include "options/frmBrowseSCRIPSDir.h"
#include "options/frmOptions.h"
#include "options/frmSCRDirSelect.h"
#include "options/frmTXTEDITORDirSelect.h"
#include "options/optionsfields.h"
#include "options/pickerpaths.h"
#include "panecontrols.h"
#include "preview/frmDWGPreview.h"
#include "scripts/texteditor.h"
#include "testsupport.h"
#include "widgets/dirlistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/listwidgets.h"
#include "widgets/placement.h"
#include "widgets/programfont.h"
#include "wizards/frmResetAcadSysVars.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace tess;

namespace {

QString stored(const char *section, const char *key)
{
    return readSetting(QLatin1String(section), QLatin1String(key), QStringLiteral("<none>"));
}

// A dialog of its own on a temporary program folder, loaded from the settings of an empty store
// (changed by `prepare` first), with its hooks recorded.
struct Harness {
    test::Fixture fx;
    frmOptions dlg;
    int applied = 0;
    QList<bool> menus;
    QList<QPoint> previewPlaces;
    QString scriptsInUse;

    explicit Harness(const std::function<void(MainSettings &)> &prepare = {})
    {
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        if (prepare)
            prepare(mainSettings());
        scriptsInUse = fx.path() + QStringLiteral("SCRIPTS");
        OptionsHost h;
        h.setMenus = [this](bool on) { menus.append(on); };
        h.settingsApplied = [this] { ++applied; };
        h.placePreview = [this](int left, int top) { previewPlaces.append(QPoint(left, top)); };
        h.scriptsFolderInUse = [this] { return scriptsInUse; };
        dlg.setHost(h);
        dlg.Form_Load(mainSettings());
    }
    bool nothingStored() const { return SettingsStore::instance().sections().isEmpty(); }
    // Sets a control as the user would: a box's text, a check box or option ("1" ticks or selects).
    void edit(const QString &nameAndValue)
    {
        const qsizetype eq = nameAndValue.indexOf(QLatin1Char('='));
        const QString name = nameAndValue.left(eq);
        const QString value = nameAndValue.mid(eq + 1).replace(QStringLiteral("%P"), fx.path());
        QWidget *w = dlg.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        if (auto *box = qobject_cast<QLineEdit *>(w))
            box->setText(value);
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            b->setChecked(value == QLatin1String("1"));
    }
};

frmOptions *installedDialog() { return dynamic_cast<frmOptions *>(optionsFields()); }

void selectFile(FileListBox *list, const QString &name)
{
    const QList<QListWidgetItem *> items = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(name));
    list->setCurrentItem(items.first());
}

// Named controls whose caption is cut short, that stick out of their parent, or that overlap a
// named sibling (the file-limit box stands over the blanks of its check box's caption on purpose).
QStringList layoutProblems(QWidget *window)
{
    QStringList problems;
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) || w->isWindow() ||
            w->isHidden())
            continue;
        if (w->window() != window)
            continue;
        controls << w;
        if (!captionFits(w, w->size()))
            problems << w->objectName() + QStringLiteral(" cut short");
        if (!w->parentWidget()->rect().contains(w->geometry()))
            problems << w->objectName() + QStringLiteral(" outside its parent");
    }
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            QWidget *a = controls[i], *b = controls[j];
            const QStringList pair{a->objectName(), b->objectName()};
            if (a->parentWidget() != b->parentWidget() || pair.contains(QStringLiteral("tbResourceFileLimit")))
                continue;
            if (a->geometry().intersects(b->geometry()))
                problems << pair.join(QStringLiteral(" overlaps "));
        }
    return problems;
}

// The dialog checks a box that lost the focus once the focus has settled (a queued call): this runs
// that check now, so a box it would show has been shown when it returns.
void runQueuedFocusChecks(QWidget &dialog) { QCoreApplication::sendPostedEvents(&dialog, QEvent::MetaCall); }

} // namespace

class TestFrmOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { applyProgramFont(); }

    // Every page shown in the program font: whole captions, nothing outside its frame or page, no
    // two controls on top of each other; the same for the four pickers.
    void layoutIsWhole()
    {
        Harness h;
        QCOMPARE(h.dlg.windowTitle(), QStringLiteral(" Tessaline Options"));
        QStringList tabs;
        for (int i = 0; i < h.dlg.SSTab1->count(); ++i)
            tabs << h.dlg.SSTab1->tabText(i);
        QCOMPARE(tabs, (QStringList{"Config", "Prefs", "GUI", "Log", "Reset", "Backup"}));
        QCOMPARE(h.dlg.SSTab1->currentIndex(), 0);
        h.dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.dlg));
        for (int i = 0; i < h.dlg.SSTab1->count(); ++i) {
            h.dlg.SSTab1->setCurrentIndex(i);
            QApplication::processEvents();
        }
        QStringList problems = layoutProblems(&h.dlg);
        // The file-limit box covers the blanks of its caption, not its words.
        const QRect box = h.dlg.tbResourceFileLimit->geometry();
        const QRect check = h.dlg.chkResourcesStarved->geometry();
        const QFontMetrics fm = h.dlg.chkResourcesStarved->fontMetrics();
        if (box.right() > check.left() + h.dlg.chkResourcesStarved->sizeHint().width() - fm.horizontalAdvance("files."))
            problems << QStringLiteral("the file-limit box covers \"files.\"");
        if (box.left() < check.left() + fm.horizontalAdvance(QStringLiteral("Warn when attempting to open more than")))
            problems << QStringLiteral("the file-limit box covers \"than\"");
        const QList<QDialog *> pickers = {h.dlg.autoCadPicker(), h.dlg.outputFolderPicker(), h.dlg.textEditorPicker(),
                                          h.dlg.scriptFolderPicker()};
        for (QDialog *p : pickers)
            problems += layoutProblems(p);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // The load shows every member, with the dependent controls in line.
    void loadShowsTheSettings()
    {
        Harness h([](MainSettings &s) {
            s.LT = 1;
            s.OutputToDefaultPath = 0;
            s.METAEnabled = 0;
            s.METAImmediate = 1;
            s.AutoSortEnabled = 0;
            s.AutoSortType = 7;
            s.EnableDelay = 0;
            s.Delay = QStringLiteral("150");
            s.LoadOpen = 3;
            s.SCRIPTSPathOption = true;
            s.SCRIPTSDir = QStringLiteral("/srv/scripts");
            s.ResourceFileLimit = 12;
        });
        QVERIFY(h.dlg.optAltOutputPath->isChecked());
        QVERIFY(h.dlg.chkLT->isChecked());
        QCOMPARE(h.dlg.optLoadOpen[0]->text(), QStringLiteral("Use OPEN"));
        QCOMPARE(h.dlg.optLoadOpen[1]->text(), QStringLiteral("Use RECOVER"));
        QVERIFY(h.dlg.optLoadOpen[3]->isChecked());
        QVERIFY(!h.dlg.chkMetaImmediate->isChecked() && !h.dlg.chkMetaImmediate->isEnabled());
        for (QRadioButton *o : h.dlg.optSort)
            QVERIFY(!o->isEnabled() && !o->isChecked());
        QVERIFY(!h.dlg.tbDelay->isEnabled());
        QCOMPARE(h.dlg.tbDelay->text(), QStringLiteral("150"));
        QVERIFY(h.dlg.optScriptDirDefault[1]->isChecked());
        QCOMPARE(h.dlg.tbScriptDir->text(), QStringLiteral("/srv/scripts"));
        QCOMPARE(h.dlg.tbResourceFileLimit->text(), QStringLiteral("12"));
        QCOMPARE(h.menus, QList<bool>{false});

        // Enabling META makes Live META Update usable, still unticked; the sort options follow their box.
        h.dlg.chkMetaEnable->setChecked(true);
        QVERIFY(h.dlg.chkMetaImmediate->isEnabled() && !h.dlg.chkMetaImmediate->isChecked());
        h.dlg.chkMetaImmediate->setChecked(true);
        h.dlg.chkMetaEnable->setChecked(false);
        QVERIFY(!h.dlg.chkMetaImmediate->isEnabled() && !h.dlg.chkMetaImmediate->isChecked());
        h.dlg.chkAutoSortEnabled->setChecked(true);
        for (QRadioButton *o : h.dlg.optSort)
            QVERIFY(o->isEnabled());
        h.dlg.chkLT->setChecked(false);
        QCOMPARE(h.dlg.optLoadOpen[0]->text(), QStringLiteral("Use OPEN (with DBMOD)"));
        QCOMPARE(h.dlg.optLoadOpen[1]->text(), QStringLiteral("Use RECOVER (with DBMOD)"));
    }

    // A field "&OK" cannot apply: a message naming it, the focus in it on its own tab, nothing
    // applied, nothing stored, the dialog still open.
    void okRefusesWhatItCannotApply_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QList<int>>("answers"); // the boxes shown, answered in order
        const QList<int> ok{vbOK};
        QTest::newRow("switches") << QStringList{"tbSwitches=p x"} << "tbSwitches" << ok;
        QTest::newRow("other without folder")
            << QStringList{"optScriptDirDefault1=1", "tbScriptDir="} << "tbScriptDir" << ok;
        QTest::newRow("file limit not a number")
            << QStringList{"tbResourceFileLimit=ten"} << "tbResourceFileLimit" << ok;
        QTest::newRow("file limit too large")
            << QStringList{"tbResourceFileLimit=32768"} << "tbResourceFileLimit" << ok;
        QTest::newRow("delay with a fraction") << QStringList{"tbDelay=1.5"} << "tbDelay" << ok;
        QTest::newRow("negative delay") << QStringList{"tbDelay=-1"} << "tbDelay" << ok;
        QTest::newRow("missing folder not made")
            << QStringList{"optScriptDirDefault1=1", "tbScriptDir=%PNew Scripts"} << "tbScriptDir" << QList<int>{vbNo};
    }
    void okRefusesWhatItCannotApply()
    {
        QFETCH(QStringList, edits);
        QFETCH(QString, field);
        QFETCH(QList<int>, answers);
        Harness h;
        h.dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&h.dlg));
        h.dlg.SSTab1->setCurrentIndex(4);
        for (const QString &e : edits)
            h.edit(e);
        // The alternate output's question never comes first: nothing is asked before the checks.
        h.dlg.optAltOutputPath->setChecked(true);
        const MainSettings before = mainSettings();
        for (int a : answers)
            h.fx.prompter().expectMessage(a);
        h.dlg.Command2->click();
        QVERIFY(h.fx.prompter().allUsed());
        QWidget *expected = h.dlg.findChild<QWidget *>(field);
        QCOMPARE(QApplication::focusWidget(), expected);
        QVERIFY(h.dlg.SSTab1->currentWidget()->isAncestorOf(expected));
        QVERIFY(h.dlg.isVisible());
        QVERIFY(h.dlg.optAltOutputPath->isChecked());
        QVERIFY(h.nothingStored());
        QCOMPARE(h.applied, 0);
        QCOMPARE(mainSettings().Delay, before.Delay);
        QCOMPARE(mainSettings().ResourceFileLimit, before.ResourceFileLimit);
        QCOMPARE(mainSettings().Switches, before.Switches);
        QCOMPARE(mainSettings().SCRIPTSDir, before.SCRIPTSDir);
        QCOMPARE(mainSettings().OutputToDefaultPath, before.OutputToDefaultPath);
        QVERIFY(!QFileInfo::exists(h.fx.path() + QStringLiteral("New Scripts")));
    }

    // A missing script folder is made on Yes, then applied.
    void okMakesAMissingScriptFolder()
    {
        Harness h;
        h.edit(QStringLiteral("optScriptDirDefault1=1"));
        h.edit(QStringLiteral("tbScriptDir=%PNew Scripts/Mine"));
        h.fx.prompter().expectMessage(vbYes);
        h.dlg.Command2->click();
        QVERIFY(h.fx.prompter().allUsed());
        const QString folder = h.fx.path() + QStringLiteral("New Scripts/Mine");
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(mainSettings().SCRIPTSDir, folder);
        QVERIFY(mainSettings().SCRIPTSPathOption);
        QCOMPARE(stored("Paths", "SCRIPTSPath"), folder);
        QCOMPARE(h.applied, 1);
    }

    // A missing folder of the output file in use: "&OK" offers to make it. Yes makes it and applies;
    // No applies and stores the path as typed (a drive that is not mounted now); a folder that
    // cannot be made keeps the dialog open on the "Config" tab with nothing applied, the box of that
    // output ready for a correction.
    void okOffersAMissingOutputFolder_data()
    {
        QTest::addColumn<bool>("alternate");
        QTest::addColumn<QString>("output"); // below the program folder; "|" blocks the folder with a file
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("made");
        QTest::addColumn<bool>("applied");
        QTest::newRow("normal, made") << false << "SUPPORT/deep/tessaline.scr" << int(vbYes) << true << true;
        QTest::newRow("normal, declined") << false << "SUPPORT/tessaline.scr" << int(vbNo) << false << true;
        QTest::newRow("alternate, made") << true << "N/SCRIPTS/tessaline.scr" << int(vbYes) << true << true;
        QTest::newRow("alternate, declined") << true << "N/SCRIPTS/tessaline.scr" << int(vbNo) << false << true;
        QTest::newRow("cannot be made") << false << "|/sub/tessaline.scr" << int(vbYes) << false << false;
    }
    void okOffersAMissingOutputFolder()
    {
        QFETCH(bool, alternate);
        QFETCH(QString, output);
        QFETCH(int, answer);
        QFETCH(bool, made);
        QFETCH(bool, applied);
        Harness h;
        if (output.startsWith(QLatin1Char('|'))) {
            h.fx.writeFile(QStringLiteral("blocked"), "a file where the folder would go");
            output.replace(0, 1, QStringLiteral("blocked"));
        }
        const QString file = h.fx.path() + output;
        const QString folder = QFileInfo(file).path();
        h.dlg.show();
        h.dlg.SSTab1->setCurrentIndex(3);
        QLineEdit *box = alternate ? h.dlg.tbAltOutput : h.dlg.Text1;
        box->setText(file);
        if (alternate) {
            h.dlg.optAltOutputPath->setChecked(true);
            h.fx.prompter().expectMessage(vbYes); // "Really?"
        }
        h.fx.prompter().expectMessage(answer);
        if (!applied)
            h.fx.prompter().expectMessage(vbOK); // could not be created
        h.dlg.Command2->click();
        QVERIFY(h.fx.prompter().allUsed());
        const QList<test::ShownMessage> shown = h.fx.prompter().shown();
        const test::ShownMessage offer = shown.at(alternate ? 1 : 0);
        QCOMPARE(offer.text, QStringLiteral("The folder for your batch script does not exist:\r\n") + folder +
                                 QStringLiteral("\r\n\r\nCreate it now?"));
        QCOMPARE(offer.style, int(vbYesNo | vbQuestion));
        QCOMPARE(QFileInfo(folder).isDir(), made);
        QCOMPARE(h.applied, applied ? 1 : 0);
        QCOMPARE(h.dlg.isVisible(), !applied);
        QCOMPARE(mainSettings().SCROutputPath, applied ? file : QString());
        if (applied) {
            QCOMPARE(stored("Paths", alternate ? "OutputAlt" : "OutputNorm"), file);
        } else {
            QVERIFY(h.nothingStored());
            QCOMPARE(h.dlg.SSTab1->currentIndex(), 0);
            QCOMPARE(h.fx.prompter().last().text.contains(folder), true);
        }
    }

    // What "&OK" writes, key by key; the output choice is left to the exit save.
    void okWritesTheKeys_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const auto row = [](const char *name, QStringList edits, const char *section, const char *key,
                            const QString &value) {
            QTest::newRow(name) << edits << QString::fromLatin1(section) << QString::fromLatin1(key) << value;
        };
        row("LT", {"chkLT=1"}, "Startup", "LT", "1");
        row("normal output", {"Text1=%PDATA/tessaline.scr"}, "Paths", "OutputNorm", "%PDATA/tessaline.scr");
        row("alternate output", {"tbAltOutput=N:\\SCRIPTS\\tessaline.scr"}, "Paths", "OutputAlt",
            "N:\\SCRIPTS\\tessaline.scr");
        row("switches kept as typed", {"tbSwitches=/p \"f:\\a b.arg\" "}, "Paths", "Switches", "/p \"f:\\a b.arg\" ");
        row("AutoCAD", {"tbAutoCadEXE=C:\\Program Files\\AutoCAD\\acad.exe"}, "Paths", "AutoCADEXE",
            "C:\\Program Files\\AutoCAD\\acad.exe");
        row("text editor", {"Text2=C:\\Program Files\\Some Editor\\editor.exe"}, "Programs", "TextEditor",
            "C:\\Program Files\\Some Editor\\editor.exe");
        row("empty delay", {"tbDelay="}, "Startup", "Delay", "2000");
        row("delay", {"tbDelay=150"}, "Startup", "Delay", "150");
        row("empty file limit", {"tbResourceFileLimit="}, "Startup", "ResourceFileLimit", "10");
        row("file limit", {"tbResourceFileLimit=7"}, "Startup", "ResourceFileLimit", "7");
        row("sort type", {"optSort2=1"}, "Startup", "AutoSortType", "2");
        row("sort type while sorting is off", {"chkAutoSortEnabled=0", "optSort3=1"}, "Startup", "AutoSortType", "3");
        row("load method", {"optLoadOpen3=1"}, "Startup", "LoadMethod_Open", "3");
        row("other open command", {"tbOpenOther=_OPEN2"}, "Startup", "LoadMethod_Other", "_OPEN2");
        row("verify off", {"chkVerifyFilesInQueue=0"}, "Startup", "VerifyFiles", "0");
        row("folder warning", {"chkWarnFolderNotExist=1"}, "Startup", "WarnFolderNotExist", "1");
        row("live META", {"chkMetaEnable=1", "chkMetaImmediate=1"}, "Startup", "METAImmediate", "1");
        row("preview", {"chkShowPreview=0"}, "Startup", "DWGPreviewShow", "0");
        row("favorites", {"chkFavorites=0"}, "Startup", "AutoADDFavorites", "0");
        row("editor after composing", {"Check1=1"}, "Startup", "AutoLaunchEditor", "1");
        row("minimize", {"chkAutoMinimize=1"}, "Startup", "AutoMinimize", "1");
        row("logging", {"chkEnableLogging=1"}, "Startup", "EnableLogging", "1");
        row("default script folder", {"optScriptDirDefault0=1"}, "Paths", "SCRIPTSPath",
            QDir::toNativeSeparators(QStringLiteral("%PSCRIPTS")));
        row("default script option", {"optScriptDirDefault0=1"}, "Paths", "SCRIPTSPathOption", "False");
        row("other script folder", {"optScriptDirDefault1=1", "tbScriptDir=%PLISP"}, "Paths", "SCRIPTSPath", "%PLISP");
        row("other script option", {"optScriptDirDefault1=1", "tbScriptDir=%PLISP"}, "Paths", "SCRIPTSPathOption",
            "True");
    }
    void okWritesTheKeys()
    {
        QFETCH(QStringList, edits);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        Harness h;
        for (const QString &e : edits)
            h.edit(e);
        h.dlg.Command2->click();
        QVERIFY(h.fx.prompter().shown().isEmpty());
        QCOMPARE(readSetting(section, key, QStringLiteral("<none>")), value.replace(QStringLiteral("%P"), h.fx.path()));
        QCOMPARE(stored("Startup", "OutputToDefaultPath"), QStringLiteral("<none>"));
        QCOMPARE(h.applied, 1);
        QCOMPARE(h.menus.size(), 2); // the load's and "&OK"'s SetMenus
    }

    // Escape does not leave the dialog (no close box either: "&OK" is the way out); the program's
    // end closes it, so a dialog left open never keeps the program running.
    void onlyOkLeavesButTheEndCloses()
    {
        Harness h;
        h.dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.dlg));
        QVERIFY(!(h.dlg.windowFlags() & Qt::WindowCloseButtonHint));
        QTest::keyClick(h.dlg.tbAutoCadEXE, Qt::Key_Escape);
        QVERIFY(h.dlg.isVisible());
        QApplication::closeAllWindows();
        QVERIFY(!h.dlg.isVisible());
        QVERIFY(h.nothingStored());
    }

    // With the alternate output chosen, "&OK" asks first; No falls back to the normal output.
    void okAsksAboutTheAlternateOutput()
    {
        Harness h([](MainSettings &s) { s.OutputToDefaultPath = 0; });
        const QString normal = h.fx.path() + QStringLiteral("DATA/tessaline.scr");
        const QString alternate = h.fx.path() + QStringLiteral("BACKUP/tessaline.scr");
        h.dlg.Text1->setText(normal);
        h.dlg.tbAltOutput->setText(alternate);
        h.dlg.show();
        h.fx.prompter().expectMessage(vbNo);
        h.dlg.Command2->click();
        QCOMPARE(h.fx.prompter().last().title, QStringLiteral("Really?"));
        QCOMPARE(h.fx.prompter().last().style, int(vbYesNo | vbQuestion | vbDefaultButton2));
        QVERIFY(h.dlg.optNormalOutputPath->isChecked());
        QCOMPARE(mainSettings().OutputToDefaultPath, qint16(1));
        QCOMPARE(mainSettings().SCROutputPath, normal);
        QVERIFY(!h.dlg.isVisible());

        h.dlg.optAltOutputPath->setChecked(true);
        h.fx.prompter().expectMessage(vbYes);
        h.dlg.Command2->click();
        QCOMPARE(mainSettings().OutputToDefaultPath, qint16(0));
        QCOMPARE(mainSettings().SCROutputPath, alternate);
        QVERIFY(h.fx.prompter().allUsed());
    }

    // Tools > Options opens the dialog modally over the main window; a second opening while it is
    // open brings it forward instead of nesting. Other windows read the boxes as typed.
    void menuItemOpensTheDialog()
    {
        test::Fixture fx;
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        test::AppWindow w;
        frmOptions *dlg = installedDialog();
        QVERIFY(dlg);
        QAction *item = w->findChild<QAction *>(QStringLiteral("mnuViewOptions"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("&Options"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QVERIFY(w->menu(MainMenu::Tools)->actions().contains(item));

        const QString typed = fx.path() + QStringLiteral("typed.scr");
        dlg->Text1->setText(typed);
        QCOMPARE(optionsFields()->normalOutputFile(), typed);
        QVERIFY(mainSettings().SCROutputPathNorm != typed);
        QVERIFY(!optionsFields()->isOnScreen());

        test::ModalGuard modals;
        bool onScreen = false;
        modals.answerNextModal([&](QWidget *d) {
            QCOMPARE(d, dlg);
            onScreen = optionsFields()->isOnScreen();
            dlg->showModal(); // already open: no second opening
            dlg->Command2->click();
        });
        item->trigger();
        QVERIFY(modals.allAnswered());
        QCOMPARE(modals.opened(), 1);
        QVERIFY(onScreen);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(mainSettings().SCROutputPathNorm, typed);
    }

    // Other windows reach the dialog: the text editor without an editor shows it without waiting;
    // the AutoCAD reset window reads its AutoCAD box as typed and, without a valid program, shows it
    // modally over itself.
    void otherWindowsOpenTheDialog()
    {
        test::Fixture fx;
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        test::AppWindow w;
        frmOptions *dlg = installedDialog();
        mainSettings().TextEditor.clear();
        fx.prompter().expectMessage();
        OpenBatchScriptInEditor();
        QVERIFY(dlg->isVisible());
        dlg->Command2->click();
        QVERIFY(!dlg->isVisible());

        const QString acad = fx.writeFile(QStringLiteral("Auto CAD/acad.exe"), "x");
        QVERIFY(test::makeProgram(acad));
        fx.writeFile(QStringLiteral("DATA/reset.scr"), "x\r\n");
        dlg->tbAutoCadEXE->setText(acad);
        mainSettings().AutoCADEXE = QStringLiteral("/stored/acad.exe");
        frmResetAcadSysVars reset(w.get());
        reset.cmdReset_Click();
        QCOMPARE(fx.launcher().calls.size(), 1);
        QCOMPARE(fx.launcher().calls[0].program, acad);

        dlg->tbAutoCadEXE->setText(fx.path() + QStringLiteral("Nowhere/acad.exe"));
        test::ModalGuard modals;
        modals.answerNextModal([&](QWidget *d) {
            QCOMPARE(d, dlg);
            dlg->Command2->click();
        });
        fx.prompter().expectMessage();
        reset.cmdReset_Click();
        QCOMPARE(fx.prompter().last().title, QStringLiteral("Setup Issue"));
        QVERIFY(modals.allAnswered());
        QCOMPARE(mainSettings().AutoCADEXE, fx.path() + QStringLiteral("Nowhere/acad.exe"));
        QVERIFY(fx.prompter().allUsed());
    }

    // LT: the Lisp wizards off, Test Run unticked and disabled, and it stays unticked whoever ticks
    // it; without LT both come back, Test Run with the tick it has.
    void ltOptionInTheMainWindow()
    {
        test::Fixture fx;
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        test::AppWindow w;
        frmOptions *dlg = installedDialog();
        QAction *limits = w->findChild<QAction *>(QStringLiteral("mnuReportLimitsWiz"));
        QAction *purge = w->findChild<QAction *>(QStringLiteral("mnuPurgeWiz"));
        QVERIFY(limits && purge);
        QVERIFY(limits->isEnabled());
        QCheckBox *testRun = test::queueControl<QCheckBox>(w, "chkTestRun");
        testRun->setChecked(true);
        QSignalSpy applied(&w.app(), &Application::settingsApplied);

        dlg->chkLT->setChecked(true);
        dlg->Command2->click();
        QCOMPARE(applied.count(), 1);
        QCOMPARE(mainSettings().LT, qint16(1));
        QVERIFY(!limits->isEnabled());
        QVERIFY(purge->isEnabled());
        QVERIFY(!testRun->isChecked() && !testRun->isEnabled());
        // A META command (or anything else) ticking Test Run meets the same rule.
        testRun->setChecked(true);
        QVERIFY(!testRun->isChecked());

        dlg->chkLT->setChecked(false);
        dlg->Command2->click();
        QVERIFY(limits->isEnabled());
        QVERIFY(testRun->isEnabled() && !testRun->isChecked());
        testRun->setChecked(true);
        dlg->Command2->click();
        QVERIFY(testRun->isChecked());
    }

    // A window built with LT on shows Test Run unticked and disabled, whatever was stored.
    void ltOptionAtStart()
    {
        test::Fixture fx;
        writeSetting(QStringLiteral("Startup"), QStringLiteral("LT"), QStringLiteral("1"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("TestRun"), QStringLiteral("1"));
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        test::AppWindow w;
        QCheckBox *testRun = test::queueControl<QCheckBox>(w, "chkTestRun");
        QVERIFY(!testRun->isChecked() && !testRun->isEnabled());
        QVERIFY(installedDialog()->chkLT->isChecked());
        QVERIFY(!w->findChild<QAction *>(QStringLiteral("mnuReportLimitsWiz"))->isEnabled());
    }

    // Leaving the switches box with bad switches: one message, the focus back, no loop; leaving
    // for "&OK" leaves the check to "&OK". Leaving the output box with another name: a message,
    // the focus goes on.
    void boxChecksWhenTheFocusLeaves()
    {
        Harness h;
        h.dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&h.dlg));
        h.dlg.tbSwitches->setFocus(Qt::TabFocusReason);
        h.dlg.tbSwitches->setText(QStringLiteral("p x"));
        h.fx.prompter().expectMessage();
        h.dlg.Text2->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(h.dlg.tbSwitches->hasFocus());
        runQueuedFocusChecks(h.dlg);
        QCOMPARE(h.fx.prompter().shown().size(), 1);
        QCOMPARE(h.fx.prompter().last().text,
                 QStringLiteral("Switch box must be blank, or contain a valid Switch with Parameter.\r\n\r\n(See "
                                "AutoCAD's help for more information on this feature)"));
        QCOMPARE(h.fx.prompter().last().style, int(vbOKOnly | vbExclamation));
        QCOMPARE(h.fx.prompter().last().title, appTitle());
        // Another window taking the focus is no leaving.
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(h.dlg.tbSwitches, &away);
        h.dlg.Command2->setFocus(Qt::MouseFocusReason);
        runQueuedFocusChecks(h.dlg);
        QCOMPARE(h.fx.prompter().shown().size(), 1);
        h.fx.prompter().expectMessage();
        h.dlg.Command2->click();
        QCOMPARE(QApplication::focusWidget(), h.dlg.tbSwitches);
        QVERIFY(h.nothingStored());

        h.dlg.tbSwitches->setText(QStringLiteral("/p x"));
        h.dlg.Text1->setFocus(Qt::TabFocusReason);
        h.dlg.Text1->setText(QStringLiteral("/out/batch.txt"));
        h.fx.prompter().expectMessage();
        h.dlg.Text2->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(h.fx.prompter().shown().size(), 3);
        QCOMPARE(h.fx.prompter().last().style, int(vbOKOnly));
        QVERIFY(h.fx.prompter().last().text.startsWith(QStringLiteral("Ooops.. Please confirm")));
        QVERIFY(h.dlg.Text2->hasFocus());
        h.dlg.Text1->setFocus(Qt::TabFocusReason);
        h.dlg.Text1->setText(QStringLiteral("/out/BATCH.Scr"));
        h.dlg.Text2->setFocus(Qt::TabFocusReason);
        runQueuedFocusChecks(h.dlg);
        QCOMPARE(h.fx.prompter().shown().size(), 3);
        QVERIFY(h.fx.prompter().allUsed());
    }

    // The output-folder picker at a root and in a folder, into the output box in use.
    void outputFolderPicker_data()
    {
        QTest::addColumn<bool>("atRoot");
        QTest::addColumn<bool>("normal");
        QTest::newRow("root, normal") << true << true;
        QTest::newRow("root, alternate") << true << false;
        QTest::newRow("folder, normal") << false << true;
        QTest::newRow("folder, alternate") << false << false;
    }
    void outputFolderPicker()
    {
        QFETCH(bool, atRoot);
        QFETCH(bool, normal);
        Harness h([](MainSettings &s) {
            s.SCROutputPathNorm = QStringLiteral("N");
            s.SCROutputPathAlt = QStringLiteral("A");
        });
        (normal ? h.dlg.optNormalOutputPath : h.dlg.optAltOutputPath)->setChecked(true);
        frmSCRDirSelect *p = h.dlg.outputFolderPicker();
        const QString folder = atRoot ? QDir::toNativeSeparators(QDir::rootPath())
                                      : QDir::toNativeSeparators(h.fx.path() + QStringLiteral("DATA"));
        QVERIFY(p->showFolder(folder));
        p->SCRSelectCommandOk->click();
        const QString expected = atRoot ? folder + QStringLiteral("tessaline.scr")
                                        : folder + QDir::separator() + QStringLiteral("tessaline.scr");
        QCOMPARE(h.dlg.Text1->text(), normal ? expected : QStringLiteral("N"));
        QCOMPARE(h.dlg.tbAltOutput->text(), normal ? QStringLiteral("A") : expected);
    }

    // The AutoCAD picker takes a program only; Yes to its question sets the normal output file even
    // while the alternate one is in use.
    void autoCadPicker()
    {
        Harness h([](MainSettings &s) {
            s.OutputToDefaultPath = 0;
            s.SCROutputPathNorm = QStringLiteral("N");
        });
        const QString exe = h.fx.writeFile(QStringLiteral("Auto CAD/acad.exe"), "x");
        QVERIFY(test::makeProgram(exe));
        h.fx.writeFile(QStringLiteral("Auto CAD/readme.txt"), "x");
        const QString folder = QDir::toNativeSeparators(h.fx.path() + QStringLiteral("Auto CAD"));
        frmAutoCADEXEBrowse *p = h.dlg.autoCadPicker();
        QVERIFY(p->showFolder(folder));
        QCOMPARE(listEntries(p->File1), QStringList{"acad.exe"});
        QVERIFY(!p->cmdOk->isEnabled());
        selectFile(p->File1, QStringLiteral("acad.exe"));
        QVERIFY(p->cmdOk->isEnabled());

        h.fx.prompter().expectMessage(vbNo);
        p->cmdOk->click();
        QCOMPARE(h.dlg.tbAutoCadEXE->text(), QDir::toNativeSeparators(exe));
        QCOMPARE(h.dlg.Text1->text(), QStringLiteral("N"));
        QCOMPARE(h.fx.prompter().last().style, int(vbYesNo | vbExclamation));

        h.fx.prompter().expectMessage(vbYes);
        p->cmdOk->click();
        QCOMPARE(h.dlg.Text1->text(), folder + QDir::separator() + QStringLiteral("SUPPORT") + QDir::separator() +
                                          QStringLiteral("tessaline.scr"));
        QCOMPARE(h.dlg.tbAltOutput->text(), mainSettings().SCROutputPathAlt);

        // Another folder: no program chosen, no OK (never "folder\" alone).
        QVERIFY(p->showFolder(h.fx.path() + QStringLiteral("DATA")));
        QVERIFY(!p->cmdOk->isEnabled());
        QVERIFY(h.fx.prompter().allUsed());
    }

    // The text-editor picker: a double-click takes the program; no program, no OK.
    void textEditorPicker()
    {
        Harness h;
        const QString editor = h.fx.writeFile(QStringLiteral("Some Editor/editor.exe"), "x");
        QVERIFY(test::makeProgram(editor));
        frmTXTEDITORDirSelect *p = h.dlg.textEditorPicker();
        QVERIFY(p->showFolder(h.fx.path() + QStringLiteral("Some Editor")));
        QVERIFY(!p->TXTEDITORCommandOk->isEnabled());
        p->TXTEDITORCommandOk_Click();
        QCOMPARE(h.dlg.Text2->text(), mainSettings().TextEditor);
        selectFile(p->File1, QStringLiteral("editor.exe"));
        QVERIFY(p->TXTEDITORCommandOk->isEnabled());
        Q_EMIT p->File1->itemDoubleClicked(p->File1->currentItem());
        QCOMPARE(h.dlg.Text2->text(), QDir::toNativeSeparators(editor));
    }

    // The script-folder picker through its browse button: it starts in the box's folder, Cancel
    // writes nothing, the next opening shows the folder where it was left, and its OK takes the
    // folder shown (a root keeps its separator, any other folder has none).
    void scriptFolderPicker()
    {
        Harness h;
        test::ModalGuard modals;
        const QString data = QDir::toNativeSeparators(h.fx.path() + QStringLiteral("DATA"));
        const QString lisp = QDir::toNativeSeparators(h.fx.path() + QStringLiteral("LISP"));
        h.dlg.tbScriptDir->setText(data);
        QString first, second;
        modals.answerNextModal([&](QWidget *d) {
            auto *p = qobject_cast<frmBrowseSCRIPSDir *>(d);
            QVERIFY(p);
            first = p->Dir1->path();
            QVERIFY(p->cmdOk->isEnabled());
            p->Dir1->setPath(lisp);
            p->cmdCancel->click();
        });
        h.dlg.cmdBrowseSCRIPTSDir->click();
        QCOMPARE(first, data);
        QCOMPARE(h.dlg.tbScriptDir->text(), data);
        modals.answerNextModal([&](QWidget *d) {
            auto *p = qobject_cast<frmBrowseSCRIPSDir *>(d);
            second = p->Dir1->path();
            p->cmdOk->click();
        });
        h.dlg.cmdBrowseSCRIPTSDir->click();
        QVERIFY(modals.allAnswered());
        QCOMPARE(second, lisp);
        QCOMPARE(h.dlg.tbScriptDir->text(), lisp);

        frmBrowseSCRIPSDir *p = h.dlg.scriptFolderPicker();
        QVERIFY(p->showFolder(QDir::rootPath()));
        p->cmdOk->click();
        QCOMPARE(h.dlg.tbScriptDir->text(), QDir::toNativeSeparators(QDir::rootPath()));
    }

    // The settings-store reset: the sections go (the user tags stay), the queue and the script
    // typed since the last save are written to the state files, and the program ends without
    // storing its settings again. No changes nothing.
    void settingsStoreReset()
    {
        test::Fixture fx;
        writeSetting(QStringLiteral("UserTags"), QStringLiteral("TAG1"), QStringLiteral("KEEP"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("Left"), QStringLiteral("300"));
        writeSetting(QStringLiteral("Paths"), QStringLiteral("Source"), fx.folder());
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        test::AppWindow w;
        frmOptions *dlg = installedDialog();
        w->queuePane()->setQueueEntries({QStringLiteral("/d/A-101.dwg")});
        w->scriptFacts()->setScriptText(QStringLiteral("ZOOM E"));

        fx.prompter().expectMessage(vbNo);
        dlg->cmdResetRegistry->click();
        QCOMPARE(fx.prompter().last().title, QStringLiteral("Tessaline Message"));
        QCOMPARE(fx.prompter().last().style, int(vbYesNo | vbExclamation | vbDefaultButton2));
        QCOMPARE(stored("Startup", "Left"), QStringLiteral("300"));
        QVERIFY(!w.app().hasFinished());

        fx.prompter().expectMessage(vbYes);
        fx.prompter().expectMessage();
        dlg->cmdResetRegistry->click();
        QCOMPARE(fx.prompter().last().text, QStringLiteral("Reset Complete.... \r\n Tessaline will NOW SHUTDOWN ... "
                                                           "THEN PLEASE RESTART TESSALINE!"));
        QVERIFY(w.app().hasFinished());
        const UserState state = readUserStateFiles();
        QCOMPARE(state.queue, QStringList{"/d/A-101.dwg"});
        QCOMPARE(state.script, QStringLiteral("ZOOM E"));
        w.app().finish();
        QCOMPARE(SettingsStore::instance().sections(), QStringList{"UserTags"});
        QCOMPARE(stored("UserTags", "TAG1"), QStringLiteral("KEEP"));
        QVERIFY(fx.prompter().allUsed());
    }

    // The main window moves to 200, 200 twips and takes at least its smallest size; a maximized
    // window keeps its place.
    void mainWindowReset()
    {
        test::Fixture fx;
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        test::AppWindow w;
        frmOptions *dlg = installedDialog();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->resize(w->width() + 100, w->height() + 100);
        dlg->cmdResetAPPPos->click();
        QTRY_COMPARE(w->frameGeometry().topLeft(), QPoint(13, 13));
        MainSettings s;
        w->store(s);
        QCOMPARE(s.LeftCoord, 200);
        QCOMPARE(s.TopCoord, 200);
        QCOMPARE(s.FormWidth, 13084);
        QCOMPARE(s.FormHeight, 10130);

        w->showMaximized();
        QTRY_VERIFY(w->isMaximized());
        const QRect before = w->geometry();
        dlg->cmdResetAPPPos->click();
        QCOMPARE(w->geometry(), before);
        QVERIFY(w->isMaximized());
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    // The position resets write their keys; the preview's moves the preview and leaves the
    // dialog as it was.
    void positionResets()
    {
        Harness h;
        h.dlg.show();
        h.dlg.cmdResetDWGPreviewPos->click();
        QCOMPARE(h.previewPlaces, QList<QPoint>{QPoint(1000, 1000)});
        QVERIFY(h.dlg.isVisible());
        QCOMPARE(stored("Startup", "DWGPreviewLeft"), QStringLiteral("1000"));
        h.dlg.cmdResetQPPos->click();
        QCOMPARE(stored("Startup", "QPQueueHeight"), QStringLiteral("4110"));
        h.dlg.cmdResetSCREditPos->click();
        QCOMPARE(stored("Startup", "SCREditTop"), QStringLiteral("0"));
        QVERIFY(h.fx.prompter().shown().isEmpty());
    }

    // In the program, the preview reset moves an open preview window; the dialog stays open.
    void previewResetMovesTheOpenPreview()
    {
        test::Fixture fx;
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        test::AppWindow w;
        frmOptions *dlg = installedDialog();
        w->show();
        // The preview shows once the main window it floats above is on the screen.
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        frmDWGPreview *preview = frmDWGPreview::instance();
        preview->showAtStoredPosition();
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        preview->move(300, 250);
        dlg->show();
        dlg->cmdResetDWGPreviewPos->click();
        QTRY_COMPARE(preview->frameGeometry().topLeft(), QPoint(67, 67));
        QVERIFY(preview->isVisible());
        QVERIFY(dlg->isVisible());
        QCOMPARE(stored("Startup", "DWGPreviewLeft"), QStringLiteral("1000"));
    }

    // The backup copies the script folder in use into BACKUP and says so only when it did.
    void backup()
    {
        test::Fixture fx;
        fx.setClock(QDateTime(QDate(2025, 3, 4), QTime(5, 6, 7)));
        fx.writeFile(QStringLiteral("Team Scripts/PURGE.SCR"), "_PURGE\r\n");
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        mainSettings().SCRIPTSPathOption = true;
        mainSettings().SCRIPTSDir = fx.path() + QStringLiteral("Team Scripts");
        test::AppWindow w;
        frmOptions *dlg = installedDialog();

        fx.prompter().expectMessage(vbNo);
        dlg->cmdBackup->click();
        QVERIFY(fx.prompter().last().text.contains(QDir::toNativeSeparators(mainSettings().SCRIPTSDir)));
        QCOMPARE(fx.prompter().last().style, int(vbYesNo | vbExclamation | vbDefaultButton2));
        QVERIFY(QDir(fx.path() + QStringLiteral("BACKUP")).isEmpty());

        fx.prompter().expectMessage(vbYes);
        fx.prompter().expectMessage();
        dlg->cmdBackup->click();
        QCOMPARE(fx.prompter().last().text, QStringLiteral("Backup Complete.... "));
        QCOMPARE(test::fileBytes(fx.path() + QStringLiteral("BACKUP/2025-03-04-05-06-07/SCRIPTS/PURGE.SCR")),
                 QByteArray("_PURGE\r\n"));

        // The folder gone: the failure is reported, never "Backup Complete".
        QDir(mainSettings().SCRIPTSDir).removeRecursively();
        fx.prompter().expectMessage(vbYes);
        fx.prompter().expectMessage();
        dlg->cmdBackup->click();
        QVERIFY2(fx.prompter().last().text.startsWith(QStringLiteral("The backup could not be completed")),
                 qPrintable(fx.prompter().last().text));
        QCOMPARE(QDir(fx.path() + QStringLiteral("BACKUP")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{"2025-03-04-05-06-07"});

        dlg->cmdExploreBackup->click();
        QCOMPARE(fx.launcher().calls.size(), 1);
        if (showExplorerFoldersWithFileManager())
            QCOMPARE(fx.launcher().calls[0].program, AppEnvironment::subFolder(QStringLiteral("BACKUP")));
        QVERIFY(fx.prompter().allUsed());
    }
};

QTEST_MAIN(TestFrmOptions)
#include "tst_frmoptions.moc"
