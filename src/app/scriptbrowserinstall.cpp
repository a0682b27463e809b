#include "app/scriptbrowserinstall.h"

#include "app/application.h"
#include "core/fileselection.h"
#include "mainwin/frmDWGFilter.h"
#include "mainwin/frmMain.h"
#include "scripts/frmScrBrowser.h"
#include "scripts/scriptfilterconfigs.h"
#include "scripts/simplescriptselector.h"
#include "scripts/userscriptpane.h"
#include "widgets/keptwindow.h"

#include <QAction>
#include <QLineEdit>
#include <memory>

namespace tess {

namespace {

// Shows the window modally, owned by the main window. Its close box unloads it (once the modal
// show has returned); its confirming action only hides it, and it keeps its contents for the
// next opening.
template <class Window> void showModal(KeptWindow<Window> &window)
{
    window.get()->exec();
    window.releaseIfUnloaded();
}

} // namespace

void installScriptBrowser(Application &, frmMain &w, UserScriptPane *pane, SimpleScriptSelector *simple)
{
    // Each window is made on its first opening and stays loaded until its close box unloads it.
    auto browser = std::make_shared<KeptWindow<frmScrBrowser>>([pane, &w] { return new frmScrBrowser(pane, &w); });

    // "&Browse" opens on the folder the drawing file selector shows.
    QObject::connect(pane, &UserScriptPane::browseRequested, &w, [browser, &w] {
        browser->get()->showFolder(w.files()->folder());
        showModal(*browser);
    });
    // The menu item opens where the browser was left.
    QAction *menuItem =
        w.addMenuItem(MainMenu::Script, QStringLiteral("mnuScriptBrowser"), QStringLiteral("Script &Browser"),
                      QStringLiteral("mnuPlaceholder1"), ItemTrait::HiddenInSimpleMode);
    QObject::connect(menuItem, &QAction::triggered, &w, [browser] { showModal(*browser); });

    // The script list's stored filters: the window opens with the list's filter in its pattern box,
    // and a double-click puts an entry into that filter.
    auto scriptFilters = std::make_shared<KeptWindow<frmDWGFilter>>([pane, &w] {
        return new frmDWGFilter(
            scriptFilterConfig(), [pane](const QString &fragment) { pane->setFilterText(fragment); }, &w);
    });
    QObject::connect(pane, &UserScriptPane::scriptFilterRequested, &w, [scriptFilters, pane] {
        scriptFilters->get()->tbDWGFilter->setText(pane->filterText());
        showModal(*scriptFilters);
    });

    // The simple-mode stored filters: the pattern box keeps what it held.
    auto simpleFilters = std::make_shared<KeptWindow<frmDWGFilter>>([simple, &w] {
        return new frmDWGFilter(
            simpleScriptFilterConfig(), [simple](const QString &fragment) { simple->setFilterText(fragment); }, &w);
    });
    QObject::connect(simple, &SimpleScriptSelector::simpleFilterRequested, &w,
                     [simpleFilters] { showModal(*simpleFilters); });
}

} // namespace tess
