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
#include "core/pathhelpers.h"
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
#include <QLockFile>
#include <QThread>
#include <exception>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

namespace tess {

namespace {

// A value the store already holds as it is is not written again: a start with nothing new to note
// leaves the store, and the disk, alone.
void noteOtherSetting(const OtherSetting &k, const QString &value)
{
    if (!SettingsStore::instance().contains(k.section, k.key) || readOtherSetting(k) != value)
        writeOtherSetting(k, value);
}

// The lock a running copy holds, in DATA beside the user's state files.
QString runLockPath() { return AppEnvironment::dataFolder() + GetUserNameClean() + QStringLiteral("-running.lock"); }

QString alreadyRunningText(const QString &lockPath)
{
    return QStringLiteral("Tessaline is already running for ") + GetUserNameClean() +
           QStringLiteral(" from this program folder: only one copy may run for each user, so that "
                          "neither overwrites what the other saves.\r\n\r\n"
                          "Use the copy that is running. If none is (it ended on another computer "
                          "without closing), delete ") +
           QDir::toNativeSeparators(lockPath) + QStringLiteral(" and start Tessaline again.");
}

// The box after an exit save that failed: its failures as they are reported elsewhere, then the
// choice. Only an explicit Yes ends the program: Enter, Escape and the box's close keep it running.
bool endWithoutSaving(const QString &failures, const QString &title)
{
    const QString text = failures + QStringLiteral("\r\n\r\nIf Tessaline ends now, what could not be saved is lost. "
                                                   "End Tessaline without saving it?\r\n\r\n"
                                                   "No keeps Tessaline running with your queue and script: free some "
                                                   "space or repair the folder, then exit again.");
    return msgBox(text, vbYesNo | vbExclamation | vbDefaultButton2, title) == vbYes;
}

} // namespace

Application::Application() = default;

Application::~Application()
{
    // The window goes before the seams and settings it uses; the lock goes last.
    m_window.reset();
    m_runLock.reset();
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
#if QT_CONFIG(sessionmanager)
    connect(qApp, &QGuiApplication::commitDataRequest, this, &Application::saveForSession, Qt::DirectConnection);
#endif
    // The window's close ends the event loop once its exit save went through. A loop ended
    // otherwise (the session's end) closes the window here; when the user chooses to stay after a
    // failed save, the program runs on.
    int rc = 0;
    for (;;) {
        rc = QApplication::exec();
        finish();
        if (m_finished)
            return rc;
        m_window->show();
        m_window->raise();
    }
}

bool Application::start()
{
    // A second copy for the same user ends before it writes anything (a root folder holds no DATA).
    if (!isRootFolder(AppEnvironment::programFolder()) && !takeRunLock())
        return false;
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

bool Application::takeRunLock()
{
    const QString data = AppEnvironment::dataFolder();
    if (!QFileInfo(data).isDir() && !QDir().mkpath(data))
        return true; // no DATA: the start names the folder
    auto lock = std::make_unique<QLockFile>(runLockPath());
    // A lock is stale only when its copy is gone (its process ended, on this computer); a copy
    // that runs for days keeps it.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_runLock = std::move(lock);
        return true;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return true; // DATA refuses the lock file: the start goes on as it would without one
    msgBox(alreadyRunningText(runLockPath()), vbOKOnly | vbExclamation, appTitle());
    return false;
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
    w.setExitSave([this] { return saveForExit(); });
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
    // Hidden or not, the window gets its close event: that runs the exit save.
    m_window->close();
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
    m_saveSettingsAtExit = false;
    if (!m_window->close())
        return;
    // Only a running event loop is ended (a later one must not end at once).
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

bool Application::SaveMainSettings()
{
    m_window->store(mainSettings());
    return writeSettings();
}

QString Application::unwrittenSettingsText()
{
    QStringList failed;
    if (writeMainSettings(mainSettings(), &failed))
        return QString();
    return QStringLiteral("These settings could not be written:\n") + failed.join(QLatin1Char('\n'));
}

bool Application::writeSettings()
{
    const QString unwritten = unwrittenSettingsText();
    if (unwritten.isEmpty())
        return true;
    msgBox(unwritten, vbOKOnly | vbExclamation, appTitle());
    return false;
}

bool Application::saveForExit()
{
    if (m_finished)
        return true;
    QString title;
    const QString failures = writeForExit(title);
    if (!failures.isEmpty() && !endWithoutSaving(failures, title))
        return false;
    m_finished = true;
    return true;
}

QString Application::writeForExit(QString &title)
{
    QStringList failures;
    title = appTitle();
    if (m_saveSettingsAtExit) {
        const QString unwritten = unwrittenSettingsText();
        if (!unwritten.isEmpty())
            failures << unwritten;
    }
    const StateSaveResult state = writeUserState();
    if (!state.ok) {
        failures << state.text();
        title = state.title;
    }
    return failures.join(QStringLiteral("\r\n\r\n"));
}

void Application::saveForSession(QSessionManager &manager)
{
#if QT_CONFIG(sessionmanager)
    if (!m_window || m_finished)
        return;
    // A checkpoint leaves the program running: nothing ends here, and the close at the session's
    // real end saves once more.
    m_window->store(mainSettings());
    QString title;
    const QString failures = writeForExit(title);
    if (failures.isEmpty() || !manager.allowsInteraction())
        return;
    const bool end = endWithoutSaving(failures, title);
    manager.release();
    if (!end)
        manager.cancel();
#else
    Q_UNUSED(manager);
#endif
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

StateSaveResult Application::writeUserState()
{
    UserState state;
    state.queue = m_window->queue()->entries();
    if (const ScriptFacts *script = m_window->scriptFacts()) {
        state.script = script->scriptText();
        state.name = script->scriptName();
    }
    return writeUserStateFiles(state);
}

bool Application::saveUserState()
{
    const StateSaveResult r = writeUserState();
    if (!r.ok)
        msgBox(r.text(), vbOKOnly, r.title);
    return r.ok;
}

} // namespace tess
