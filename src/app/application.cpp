#include "app/application.h"

#include "app/optionsinstall.h"
#include "app/composerinstall.h"
#include "app/previewinstall.h"
#include "app/scriptsinstall.h"
#include "app/tagsinstall.h"
#include "app/utilitiesinstall.h"
#include "app/wizardsinstall.h"
#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "core/statefiles.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "mainwin/scriptfacts.h"
#include "widgets/programfont.h"
#include "widgets/uiprompter.h"

#include <QApplication>
#include <QThread>

namespace tess {

Application::Application() = default;

Application::~Application()
{
    // The window goes before the seams and settings it uses.
    m_window.reset();
}

int Application::run()
{
    installUiSeams();
    applyProgramFont();
    if (!start())
        return 1;
    const int rc = QApplication::exec();
    finish();
    return rc;
}

bool Application::start()
{
    writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), ProgramVersionString());
    if (isRootFolder(AppEnvironment::programFolder())) {
        msgBox(rootFolderRefusalText(), vbOKOnly | vbCritical, QStringLiteral("Ooops"));
        return false;
    }
    loadMainSettings(mainSettings());
    frmMain *w = buildWindow();
    w->setWindowTitle(QStringLiteral("Tessaline v") + ProgramVersionString());
    w->show();
    writeSetting(QStringLiteral("Paths"), QStringLiteral("Application Path"), AppEnvironment::programPath());
    return true;
}

frmMain *Application::buildWindow()
{
    m_finished = false;
    m_window = std::make_unique<frmMain>();
    frmMain &w = *m_window;
    connect(&w, &frmMain::saveSettingsRequested, this, &Application::saveSettingsNow);
    connect(w.queuePane(), &QueuePane::metaScanRequested, this, &Application::metaScanRequested);

    // One install step per subsystem.
    installScripts(*this, w);
    installTags(*this, w);
    installWizards(*this, w);
    installPreview(*this, w);
    installOptions(*this, w);
    installComposer(*this, w);
    installUtilities(*this, w);

    w.load(mainSettings());
    restoreUserState();
    connect(this, &Application::settingsApplied, &w, [&w] { w.applySettings(mainSettings()); });
    return &w;
}

void Application::finish()
{
    if (!m_window || m_finished)
        return;
    // Closing stores the window's state into the settings (a window already closed did so).
    if (m_window->isVisible())
        m_window->close();
    else
        m_window->store(mainSettings());
    m_finished = true;
    writeSettings();
    saveUserState();
}

void Application::saveSettingsNow()
{
    m_window->store(mainSettings());
    writeSettings();
    saveUserState();
}

void Application::endWithoutSavingSettings()
{
    if (!m_window || m_finished)
        return;
    saveUserState();
    m_finished = true;
    m_window->hide();
    // Only a running event loop is ended (a later one must not end at once).
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

void Application::writeSettings()
{
    QStringList failed;
    if (!writeMainSettings(mainSettings(), &failed))
        msgBox(QStringLiteral("These settings could not be written:\n") + failed.join(QLatin1Char('\n')),
               vbOKOnly | vbExclamation, appTitle());
}

// The queue, the user script and its name as the per-user state files hold them.
void Application::restoreUserState()
{
    const UserState state = readUserStateFiles();
    QStringList queue;
    for (const QString &entry : state.queue)
        if (!entry.isEmpty())
            queue << entry;
    m_window->queuePane()->setQueueEntries(queue);
    if (ScriptFacts *script = m_window->scriptFacts()) {
        script->setScriptText(state.script);
        script->setScriptName(state.name);
    }
    mainSettings().SCRChanged = false;
    m_window->RefreshQueueControls();
}

void Application::saveUserState()
{
    UserState state;
    state.queue = m_window->queuePane()->queueEntries();
    if (const ScriptFacts *script = m_window->scriptFacts()) {
        state.script = script->scriptText();
        state.name = script->scriptName();
    }
    const StateSaveResult r = writeUserStateFiles(state);
    for (const QString &m : r.messages)
        msgBox(m, vbOKOnly, r.title);
}

} // namespace tess
