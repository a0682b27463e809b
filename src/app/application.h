#pragma once
// The program from start to end. start() refuses a root program folder and a second copy for the
// same user, records the version and reads the settings, builds the main window with every
// subsystem installed, restores the per-user state files and shows the window. The window's close
// (File "E&xit", the close box, the end of the event loop or of the session) runs the exit save,
// which writes the settings and the state files while the window is still there: when a write
// fails the user chooses between staying and ending without it. main() only runs it; tests start,
// act and finish through it as the program does.

#include <QObject>
#include <memory>

class QLockFile;
class QSessionManager;

namespace tess {

class frmMain;
class ScriptFacts;
struct StateSaveResult;
struct UserState;

class Application final : public QObject
{
    Q_OBJECT
public:
    Application();
    ~Application() override;

    // The whole run: the real dialogs and launcher, start, the event loop and finish. Returns the
    // exit code. The application object comes with the program font (runWithApplication).
    int run();

    // False (after the "Ooops" box) when the program must not run from its folder.
    bool start();
    // The main window with every subsystem installed, loaded from MainSettings as they stand
    // (start() reads the store first), restored from the state files, not yet shown.
    frmMain *buildWindow();
    // Closes the window as the user would: its close stores its state and runs the exit save. The
    // run has ended afterwards unless the save failed and the user chose to stay.
    void finish();

    frmMain *mainWindow() const { return m_window.get(); }

    // "&Save Settings Now": the window's state and the settings now, then the state files.
    void saveSettingsNow();
    // Ends the run after the settings store was emptied: the window closes and its exit save writes
    // the per-user state files (queue, script, name) so nothing typed is lost, but not the
    // settings, so the store stays empty; the event loop ends and finish() writes nothing more.
    // When that save fails and the user stays, the program runs on and its exits still leave the
    // settings unwritten.
    void endWithoutSavingSettings();
    // True once the run has ended (finish() or endWithoutSavingSettings()).
    bool hasFinished() const { return m_finished; }

Q_SIGNALS:
    // Values of MainSettings changed outside the windows that show them (the Options dialog):
    // every window refreshes what it shows.
    void settingsApplied();
    // Apply the user script's META commands (includeSort: its sort commands too).
    void metaScanRequested(bool includeSort);
    // The window is shown and TipsShow is 1: the tip-of-the-day window (once it exists) shows
    // itself modally here, before "Application Path" is written.
    void tipsRequested();

private:
    // One copy per user and program folder: a lock file in DATA named after the user. False (after
    // saying so) when another copy holds it; true when the lock is taken or DATA cannot hold one.
    bool takeRunLock();
    // The window's queue, script and name from the state files as read (before the window was made).
    void restoreUserState(const UserState &state);
    // The state files written from the window; the result names any failure (no box).
    StateSaveResult writeUserState();
    bool saveUserState();
    // The window's controls into MainSettings, then the settings into the store (the User Set
    // index last, by SaveFace).
    bool SaveMainSettings();
    // The settings into the store; the text naming what could not be written, "" when all was.
    QString unwrittenSettingsText();
    bool writeSettings();
    // The exit save, run by the window's close once its state is in MainSettings: the settings
    // (unless the store was emptied on purpose) and the state files. True when the program may
    // end: everything was written, or the user chose to end without it.
    bool saveForExit();
    // The exit's writes; the failures in one text ("" when none) and the title of their box.
    QString writeForExit(QString &title);
    // The session ends (log-out, shut-down), or the session manager asks for a checkpoint: the
    // exit's writes are made while the user may still be asked; staying after a failure cancels
    // the session's end.
    void saveForSession(QSessionManager &manager);

    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<QLockFile> m_runLock;
    bool m_finished = false;
    bool m_saveSettingsAtExit = true;
};

} // namespace tess
