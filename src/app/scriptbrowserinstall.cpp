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
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <memory>

namespace tess {

namespace {

// Notes whether the window it watches was closed (its close box), as against hidden.
class CloseWatcher final : public QObject
{
public:
    explicit CloseWatcher(QObject *window) { window->installEventFilter(this); }
    bool closed() const { return m_closed; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            m_closed = true;
        return false;
    }

private:
    bool m_closed = false;
};

// Shows the window modally, owned by the main window. Its close box unloads it (once the modal
// show has returned); its confirming action only hides it, and it keeps its contents for the
// next opening.
void showModal(QDialog *window)
{
    CloseWatcher watcher(window);
    window->exec();
    if (watcher.closed())
        delete window;
}

} // namespace

void installScriptBrowser(Application &, frmMain &w, UserScriptPane *pane, SimpleScriptSelector *simple)
{
    // Each window is made on its first opening and stays loaded until its close box unloads it.
    auto browser = std::make_shared<KeptWindow<frmScrBrowser>>([pane, &w] { return new frmScrBrowser(pane, &w); });
    auto loadBrowser = [browser] { return browser->get(); };

    // "&Browse" opens on the folder the drawing file selector shows.
    QObject::connect(pane, &UserScriptPane::browseRequested, &w, [loadBrowser, &w] {
        frmScrBrowser *b = loadBrowser();
        b->showFolder(w.files()->folder());
        showModal(b);
    });
    // The menu item opens where the browser was left.
    QAction *menuItem = w.addMenuItem(MainMenu::Script, QStringLiteral("mnuScriptBrowser"),
                                      QStringLiteral("Script &Browser"), QStringLiteral("mnuPlaceholder1"));
    QObject::connect(menuItem, &QAction::triggered, &w, [loadBrowser] { showModal(loadBrowser()); });

    // The script list's stored filters: the window opens with the list's filter in its pattern box,
    // and a double-click puts an entry into that filter.
    auto scriptFilters = std::make_shared<KeptWindow<frmDWGFilter>>([pane, &w] {
        return new frmDWGFilter(
            scriptFilterConfig(), [pane](const QString &fragment) { pane->setFilterText(fragment); }, &w);
    });
    QObject::connect(pane, &UserScriptPane::scriptFilterRequested, &w, [scriptFilters, pane] {
        frmDWGFilter *filters = scriptFilters->get();
        filters->tbDWGFilter->setText(pane->filterText());
        showModal(filters);
    });

    // The simple-mode stored filters: the pattern box keeps what it held.
    auto simpleFilters = std::make_shared<KeptWindow<frmDWGFilter>>([simple, &w] {
        return new frmDWGFilter(
            simpleScriptFilterConfig(), [simple](const QString &fragment) { simple->setFilterText(fragment); }, &w);
    });
    QObject::connect(simple, &SimpleScriptSelector::simpleFilterRequested, &w,
                     [simpleFilters] { showModal(simpleFilters->get()); });
}

} // namespace tess
