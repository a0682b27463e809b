#include "app/optionsinstall.h"

#include "app/application.h"
#include "core/mainsettings.h"
#include "mainwin/frmMain.h"
#include "mainwin/mainlayout.h"
#include "options/frmOptions.h"
#include "options/optionsfields.h"
#include "scripts/texteditor.h"
#include "scripts/userscriptpane.h"
#include "wizards/wizardmenu.h"

#include <QAction>

namespace tess {

frmOptions *installOptions(Application &app, frmMain &w)
{
    // A window of its own (not a child of the main window, whose controls keep their names to
    // themselves), standing above the main window whenever it is shown.
    auto *dlg = new frmOptions;
    dlg->setDefaultOwner(&w);

    OptionsHooks hooks;
    hooks.setMenus = [&w](bool) { WizardMenu::SetMenus(w.menu(MainMenu::Wizards), mainSettings().LT); };
    hooks.settingsApplied = [&app] { Q_EMIT app.settingsApplied(); };
    hooks.placeMainWindow = [&w](int left, int top, int width, int height) {
        return w.mainLayout()->placeWindow(left, top, width, height);
    };
    // The drawing preview window, when there is one, answers placePreview.
    hooks.endProgram = [&app] { app.endWithoutSavingSettings(); };
    hooks.scriptsFolderInUse = [] { return UserScriptPane::scriptsHomeFolder(); };
    dlg->setHooks(hooks);
    dlg->Form_Load(mainSettings());

    QAction *item = w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuViewOptions"), QStringLiteral("&Options"));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QObject::connect(item, &QAction::triggered, dlg, [dlg, &w] { dlg->showModal(&w); });

    // The boxes other windows read, and the text editor's way to the dialog when no editor is set.
    setOptionsFields(dlg);
    setOptionsOpener([dlg] { dlg->showModeless(); });
    // Kept until the main window goes.
    QObject::connect(&w, &QObject::destroyed, [dlg] {
        setOptionsOpener(nullptr);
        setOptionsFields(nullptr);
        delete dlg;
    });
    return dlg;
}

} // namespace tess
