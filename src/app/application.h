#pragma once
// The program from start to end. start() refuses a root program folder, records the version and
// reads the settings, builds the main window with every subsystem installed, restores the per-user
// state files and shows the window; finish() stores the window's state, writes the settings and
// the state files and reports every failure. main() only runs it; tests start, act and finish
// through it as the program does.

#include <QObject>
#include <memory>

namespace tess {

class frmMain;
class ScriptFacts;
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
    // Closes the window (it stores its state), writes the settings and the state files.
    void finish();

    frmMain *mainWindow() const { return m_window.get(); }

    // "&Save Settings Now": the window's state and the settings now, then the state files.
    void saveSettingsNow();
    // Ends the run after the settings store was emptied: the per-user state files (queue, script,
    // name) are written so nothing typed is lost, the settings are not, so the store stays empty;
    // the event loop ends and finish() writes nothing more.
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
    // The window's queue, script and name from the state files as read (before the window was made).
    void restoreUserState(const UserState &state);
    bool saveUserState();
    // The window's controls into MainSettings, then the settings into the store (the User Set
    // index last, by SaveFace).
    bool SaveMainSettings();
    bool writeSettings();

    std::unique_ptr<frmMain> m_window;
    bool m_finished = false;
};

} // namespace tess
