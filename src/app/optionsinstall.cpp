#include "app/optionsinstall.h"

#include "app/application.h"
#include "core/mainsettings.h"
#include "mainwin/frmMain.h"
#include "mainwin/mainlayout.h"
#include "options/frmOptions.h"
#include "options/optionsfields.h"
#include "preview/frmDWGPreview.h"
#include "scripts/texteditor.h"
#include "scripts/userscriptpane.h"
#include "widgets/keptwindow.h"
#include "wizards/frmResetAcadSysVars.h"
#include "wizards/wizardmenu.h"

#include <QAction>
#include <memory>

namespace tess {

namespace {

// The Wizards menu as the "AutoCAD LT" switch has it.
void setWizardMenus(frmMain &w) { WizardMenu::SetMenus(w.menu(MainMenu::Wizards), mainSettings().LT); }

// The dialog, loaded from the settings as they stand when it is made: only the dialog itself
// changes the values it shows, so they are still the values the start read.
frmOptions *makeDialog(Application &app, frmMain &w)
{
    // A window of its own (not a child of the main window, whose controls keep their names to
    // themselves), standing above the main window whenever it is shown.
    auto *dlg = new frmOptions;
    dlg->setDefaultOwner(&w);

    OptionsHost host;
    host.setMenus = [&w](bool) { setWizardMenus(w); };
    host.settingsApplied = [&app] { Q_EMIT app.settingsApplied(); };
    host.placeMainWindow = [&w](int left, int top, int width, int height) {
        return w.mainLayout()->placeWindow(left, top, width, height);
    };
    host.placePreview = [](int, int) { frmDWGPreview::resetStoredPosition(); };
    host.endProgram = [&app] { app.endWithoutSavingSettings(); };
    host.scriptsFolderInUse = [] { return UserScriptPane::scriptsHomeFolder(); };
    dlg->setHost(host);
    dlg->Form_Load(mainSettings());
    return dlg;
}

} // namespace

void installOptions(Application &app, frmMain &w)
{
    // What loading the dialog does to the main window happens now; the dialog is made at its first
    // use (an opening, or a box another window reads).
    setWizardMenus(w);
    auto kept = std::make_shared<KeptWindow<frmOptions>>([&app, &w] { return makeDialog(app, w); });
    setOptionsFieldsMaker([kept] { return kept->get(); });

    QAction *item = w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuViewOptions"), QStringLiteral("&Options"),
                                  QString(), ItemTrait::HiddenInSimpleMode);
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QObject::connect(item, &QAction::triggered, &w, [&w] { optionsFields()->showModal(&w); });

    // The ways to the dialog of other windows: the text editor's when no editor is set, the
    // AutoCAD reset window's when its program is missing.
    setOptionsOpener([] { optionsFields()->showModeless(); });
    frmResetAcadSysVars::setProgramPathSource([] { return optionsFields()->autoCadExe(); });
    frmResetAcadSysVars::setOptionsOpener([](QWidget *owner) { optionsFields()->showModal(owner); });
    // Kept until the main window goes.
    QObject::connect(&w, &QObject::destroyed, [kept] {
        setOptionsOpener(nullptr);
        frmResetAcadSysVars::setProgramPathSource(nullptr);
        frmResetAcadSysVars::setOptionsOpener(nullptr);
        setOptionsFieldsMaker(nullptr);
        setOptionsFields(nullptr);
        delete kept->existing();
    });
}

} // namespace tess
