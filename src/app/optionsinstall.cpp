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
#include "wizards/frmResetAcadSysVars.h"
#include "wizards/wizardmenu.h"

#include <QAction>

namespace tess {

frmOptions *installOptions(Application &app, frmMain &w)
{
    // A window of its own (not a child of the main window, whose controls keep their names to
    // themselves), standing above the main window whenever it is shown.
    auto *dlg = new frmOptions;
    dlg->setDefaultOwner(&w);

    OptionsHost host;
    host.setMenus = [&w](bool) { WizardMenu::SetMenus(w.menu(MainMenu::Wizards), mainSettings().LT); };
    host.settingsApplied = [&app] { Q_EMIT app.settingsApplied(); };
    host.placeMainWindow = [&w](int left, int top, int width, int height) {
        return w.mainLayout()->placeWindow(left, top, width, height);
    };
    host.placePreview = [](int, int) { frmDWGPreview::resetStoredPosition(); };
    host.endProgram = [&app] { app.endWithoutSavingSettings(); };
    host.scriptsFolderInUse = [] { return UserScriptPane::scriptsHomeFolder(); };
    dlg->setHost(host);
    dlg->Form_Load(mainSettings());

    QAction *item = w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuViewOptions"), QStringLiteral("&Options"));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QObject::connect(item, &QAction::triggered, dlg, [dlg, &w] { dlg->showModal(&w); });

    // The boxes other windows read, and their ways to the dialog: the text editor's when no editor
    // is set, the AutoCAD reset window's when its program is missing.
    setOptionsFields(dlg);
    setOptionsOpener([dlg] { dlg->showModeless(); });
    frmResetAcadSysVars::setProgramPathSource([dlg] { return dlg->autoCadExe(); });
    frmResetAcadSysVars::setOptionsOpener([dlg](QWidget *owner) { dlg->showModal(owner); });
    // Kept until the main window goes.
    QObject::connect(&w, &QObject::destroyed, [dlg] {
        setOptionsOpener(nullptr);
        frmResetAcadSysVars::setProgramPathSource(nullptr);
        frmResetAcadSysVars::setOptionsOpener(nullptr);
        setOptionsFields(nullptr);
        delete dlg;
    });
    return dlg;
}

} // namespace tess
