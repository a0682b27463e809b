#include "app/application.h"

#include "app/captureinstall.h"
#include "app/composerinstall.h"
#include "app/createruninstall.h"
#include "app/fontwarmup.h"
#include "app/helpinstall.h"
#include "app/optionsinstall.h"
#include "app/previewinstall.h"
#include "app/queueextrasinstall.h"
#include "app/renamerinstall.h"
#include "app/scriptsinstall.h"
#include "app/tagsinstall.h"
#include "app/utilitiesinstall.h"
#include "app/wizardsinstall.h"
#include "batch/batchcomposer.h"
#include "core/appenvironment.h"
#include "core/drawingqueue.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "core/scriptfacts.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "core/statefiles.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "widgets/uiprompter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <exception>

namespace tess {

namespace {

// A value the store already holds as it is is not written again: a start with nothing new to note
// leaves the store, and the disk, alone.
void noteOtherSetting(const OtherSetting &k, const QString &value)
{
    if (!SettingsStore::instance().contains(k.section, k.key) || readOtherSetting(k) != value)
        writeOtherSetting(k, value);
}

} // namespace

Application::Application() = default;

Application::~Application()
{
    // The window goes before the seams and settings it uses.
    m_window.reset();
}

int Application::run()
{
    installUiSeams();
    // A failure anywhere in the start is shown and ends the program with a non-zero code; the
    // settings are not written (nothing of the window was loaded to write back).
    bool started = false;
    try {
        started = start();
    } catch (const std::exception &e) {
        msgBox(startFailureText(1, QString::fromLocal8Bit(e.what())), vbOKOnly, appTitle());
    } catch (...) {
        msgBox(startFailureText(1, QStringLiteral("Unknown failure")), vbOKOnly, appTitle());
    }
    if (!started) {
        m_finished = true;
        return 1;
    }
    const int rc = QApplication::exec();
    finish();
    return rc;
}

bool Application::start()
{
    // The version and the program's path go to the settings store in one write, before the first
    // window that may write settings itself (the tip of the day), or before the refusal.
    SettingsBatch batch;
    noteOtherSetting(OtherKeys::Version, ProgramVersionString());
    if (isRootFolder(AppEnvironment::programFolder())) {
        batch.end();
        msgBox(rootFolderRefusalText(), vbOKOnly | vbCritical, QStringLiteral("Ooops"));
        return false;
    }
    // DATA holds the state files the exit writes: made now, not discovered missing after a day's work.
    const QString data = AppEnvironment::dataFolder();
    if (!QFileInfo(data).isDir() && !QDir().mkpath(data))
        msgBox(QStringLiteral("The folder ") + QDir::toNativeSeparators(data) +
                   QStringLiteral(" could not be created: the queue and the user script cannot be kept."),
               vbOKOnly | vbExclamation, appTitle());
    loadMainSettings(mainSettings());
    frmMain *w = buildWindow();
    w->setWindowTitle(QStringLiteral("Tessaline v") + ProgramVersionString());
    w->show();
    // The tip of the day is shown (modal) only when TipsShow is exactly 1; any other number shows
    // nothing. The tips window installs itself through tipsRequested.
    if (mainSettings().TipsShow == 1) {
        batch.end();
        Q_EMIT tipsRequested();
    }
    noteOtherSetting(OtherKeys::ApplicationPath, AppEnvironment::programPath());
    return true;
}

frmMain *Application::buildWindow()
{
    m_finished = false;
    // The state files are read before the window is made: reading them needs no font, while the
    // fonts may still be loading on their own threads.
    const UserState state = readUserStateFiles();
    waitForFontConfiguration();
    m_window = std::make_unique<frmMain>();
    frmMain &w = *m_window;
    connect(&w, &frmMain::saveSettingsRequested, this, &Application::saveSettingsNow);
    connect(w.queuePane(), &QueuePane::metaScanRequested, this, &Application::metaScanRequested);

    // One install step per subsystem.
    SimpleScriptSelector *simple = installScripts(*this, w);
    installTags(*this, w);
    installWizards(*this, w);
    installPreview(*this, w);
    installQueueExtras(*this, w);
    installOptions(*this, w);
    BatchComposer *composer = installComposer(*this, w, simple);
    installCreateRun(*this, w, composer);
    installRenamer(*this, w, composer);
    installUtilities(*this, w);
    installCapture(*this, w);
    installHelp(*this, w);

    // The batch options as stored: the restored script's meta commands never override them.
    const MainSettings stored = mainSettings();
    w.load(mainSettings());
    restoreUserState(state);
    w.batchFlowTab()->load(stored);
    w.applySettings(mainSettings());
    mainSettings().SCRChanged = false;
    connect(this, &Application::settingsApplied, &w, [&w] { w.applySettings(mainSettings()); });
    return &w;
}

void Application::finish()
{
    if (!m_window || m_finished)
        return;
    if (m_window->isVisible())
        m_window->close();
    m_finished = true;
    SaveMainSettings();
    saveUserState();
}

void Application::saveSettingsNow()
{
    if (!m_window)
        return;
    m_window->showStatus(QStringLiteral("Saving"));
    SaveMainSettings();
    saveUserState();
    m_window->showStatus(readyStatusText());
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

bool Application::SaveMainSettings()
{
    m_window->store(mainSettings());
    return writeSettings();
}

bool Application::writeSettings()
{
    QStringList failed;
    if (writeMainSettings(mainSettings(), &failed))
        return true;
    msgBox(QStringLiteral("These settings could not be written:\n") + failed.join(QLatin1Char('\n')),
           vbOKOnly | vbExclamation, appTitle());
    return false;
}

// The queue, the user script and its name as the per-user state files hold them. A file that
// exists but could not be read or decoded, or whose entries the queue refused, is kept as a copy
// beside it (the exit writes the file anew) and named in one message.
void Application::restoreUserState(const UserState &state)
{
    QList<StateFileTrouble> troubled = state.unreadable;
    // Empty lines and unsafe entries are refused and named, as on every other way into the queue.
    if (m_window->queue()->replace(state.queue) < state.queue.size())
        troubled << StateFileTrouble{userStateFilePath(StateFile::List),
                                     QStringLiteral("holds entries the queue cannot take")};
    if (ScriptFacts *script = m_window->scriptFacts()) {
        script->setScriptText(state.script);
        script->setScriptName(state.name);
    }
    if (!troubled.isEmpty()) {
        QStringList copies;
        for (const StateFileTrouble &file : troubled)
            copies << keepStateFileCopy(file.path);
        msgBox(unreadableStateFilesMessage(troubled, copies), vbOKOnly | vbExclamation, appTitle());
    }
    mainSettings().SCRChanged = false;
    m_window->RefreshQueueControls();
}

bool Application::saveUserState()
{
    UserState state;
    state.queue = m_window->queue()->entries();
    if (const ScriptFacts *script = m_window->scriptFacts()) {
        state.script = script->scriptText();
        state.name = script->scriptName();
    }
    const StateSaveResult r = writeUserStateFiles(state);
    if (!r.ok)
        msgBox(r.text(), vbOKOnly, r.title);
    return r.ok;
}

} // namespace tess
