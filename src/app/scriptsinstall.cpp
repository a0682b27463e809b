#include "app/scriptsinstall.h"

#include "app/application.h"
#include "app/scriptbrowserinstall.h"
#include "app/scripteditorinstall.h"
#include "core/appenvironment.h"
#include "core/fileselection.h"
#include "core/mainsettings.h"
#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "scripts/simplescriptselector.h"
#include "scripts/texteditor.h"
#include "scripts/userscriptpane.h"
#include "widgets/placement.h"

#include <QAction>
#include <QGroupBox>
#include <QLayout>
#include <QTabWidget>
#include <memory>

namespace tess {

namespace {

// The script pane as the main window sees it.
class PaneScriptFacts final : public QObject, public ScriptFacts
{
public:
    explicit PaneScriptFacts(UserScriptPane *pane) : QObject(pane), m_pane(pane) {}
    bool scriptIsEmpty() const override { return m_pane->scriptText().isEmpty(); }
    bool readOnlyTicked() const override { return m_pane->readOnlyTicked(); }
    QString scriptText() const override { return m_pane->scriptText(); }
    QString scriptName() const override { return m_pane->scriptName(); }
    void setScriptText(const QString &text) override { m_pane->setScriptText(text); }
    void setScriptName(const QString &name) override { m_pane->setScriptName(name); }

private:
    UserScriptPane *m_pane;
};

} // namespace

SimpleScriptSelector *installScripts(Application &app, frmMain &w)
{
    FileSelection *files = w.files();

    auto *pane = new UserScriptPane;
    w.tabUserScript->layout()->addWidget(pane);
    pane->setSources(w.queue(), files);
    QObject::connect(pane, &UserScriptPane::createButtonsEnabledRequested, &w, &frmMain::setCreateButtonsEnabled);
    QObject::connect(pane, &UserScriptPane::metaScanRequested, &app, &Application::metaScanRequested);
    QObject::connect(pane, &UserScriptPane::controlStatesChanged, &w, &frmMain::RefreshQueueControls);
    if (!pane->setScriptListFolder(UserScriptPane::scriptsHomeFolder()))
        pane->setScriptListFolder(AppEnvironment::subFolder(QStringLiteral("SCRIPTS")));
    QObject::connect(files, &FileSelection::folderChanged, pane, &UserScriptPane::drawingFolderChanged);
    pane->setFilterText(mainSettings().SCRPattern);
    // Leaving the "User Script" tab re-reads the script list.
    auto previousTab = std::make_shared<int>(w.SSTab1->currentIndex());
    QObject::connect(w.SSTab1, &QTabWidget::currentChanged, pane, [pane, &w, previousTab](int index) {
        if (*previousTab == w.SSTab1->indexOf(w.tabUserScript))
            pane->frameUserScriptList_Click();
        *previousTab = index;
    });

    // The script folder may have changed with the settings.
    QObject::connect(&app, &Application::settingsApplied, pane, [pane] {
        if (!pane->setScriptListFolder(UserScriptPane::scriptsHomeFolder()))
            pane->setScriptListFolder(AppEnvironment::subFolder(QStringLiteral("SCRIPTS")));
    });

    auto *simple = new SimpleScriptSelector(pane);
    w.frameSimpleScrSelect->layout()->setContentsMargins(0, 0, 0, 0);
    keepLayoutTop(w.frameSimpleScrSelect, 240);
    w.frameSimpleScrSelect->layout()->addWidget(simple);
    simple->fillFrame(w.frameSimpleScrSelect->contentsMargins());
    simple->setFolder(SimpleScriptSelector::simpleScriptsFolder());

    QAction *view = w.addMenuItem(MainMenu::Script, QStringLiteral("mnuViewBatchScript"),
                                  QStringLiteral("&View \"tessaline.scr\""));
    QObject::connect(view, &QAction::triggered, &w, [] { mnuViewBatchScript_Click(); });

    w.setScriptFacts(new PaneScriptFacts(pane));
    // The Create buttons follow the script now shown.
    pane->applyCreateRule();
    installScriptEditor(w, *pane);
    installScriptBrowser(app, w, pane, simple);
    return simple;
}

} // namespace tess
