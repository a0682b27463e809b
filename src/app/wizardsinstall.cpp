#include "app/wizardsinstall.h"

#include "app/application.h"
#include "core/mainsettings.h"
#include "mainwin/frmMain.h"
#include "wizards/wizardmenu.h"

#include <QAction>
#include <QMenu>

namespace tess {

void installWizards(Application &app, frmMain &w)
{
    auto *wizards = new WizardMenu(
        &w, [&w] { return w.scriptFacts(); }, *w.queue(), *w.files());

    struct Entry {
        MainMenu menu;
        const char *name;
        const char *caption;
        void (WizardMenu::*handler)();
        const char *before = ""; // the item it stands before; "" at the end
    };
    // "&Wizards" in its order.
    const Entry entries[] = {
        {MainMenu::Wizards, "mnuCopyPageSetups", "&Import Page Setup", &WizardMenu::mnuCopyPageSetups_Click},
        {MainMenu::Wizards, "mnuRenameLayoutTabs", "L&ayouts", &WizardMenu::mnuRenameLayoutTabs_Click},
        {MainMenu::Wizards, "mnuPlotWiz", "P&lot", &WizardMenu::mnuPlotWiz_Click},
        {MainMenu::Wizards, "mnuPurgeWiz", "&Purge", &WizardMenu::mnuPurgeWiz_Click},
        {MainMenu::Wizards, "mnuReportLimitsWiz", "R&eport Limits to File", &WizardMenu::mnuReportLimitsWiz_Click},
        {MainMenu::Wizards, "mnuReportTextWiz", "Search and &LOG Text", &WizardMenu::mnuReportTextWiz_Click},
        {MainMenu::Wizards, "mnuRepTextWiz", "S&earch and Replace Text", &WizardMenu::mnuRepTextWiz_Click},
        {MainMenu::Wizards, "mnuMTEXTSnR", "Seach and Replace &MTEXT", &WizardMenu::mnuMTEXTSnR_Click},
        {MainMenu::Wizards, "mnuTBWiz", "&Title-Block Update", &WizardMenu::mnuTBWiz_Click},
        {MainMenu::Tools, "mnuResetAcadVars", "&Reset AutoCAD\u00AE System Variables",
         &WizardMenu::mnuResetAcadVars_Click, "mnubreak002"},
    };
    for (const Entry &e : entries) {
        QAction *a =
            w.addMenuItem(e.menu, QLatin1String(e.name), QString::fromUtf8(e.caption), QLatin1String(e.before));
        QObject::connect(a, &QAction::triggered, wizards, e.handler);
        // The plot wizard's entry is never shown.
        if (a->objectName() == QLatin1String("mnuPlotWiz"))
            a->setVisible(false);
    }

    // SetMenus: now, after the Options dialog applied its values, and each time the menu opens (so
    // entries installed later follow the rule too).
    QMenu *menu = w.menu(MainMenu::Wizards);
    auto setMenus = [menu] { WizardMenu::SetMenus(menu, mainSettings().LT); };
    setMenus();
    QObject::connect(&app, &Application::settingsApplied, menu, setMenus);
    QObject::connect(menu, &QMenu::aboutToShow, menu, setMenus);
}

} // namespace tess
