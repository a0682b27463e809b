#pragma once
// The Options subsystem in the main window: the Options dialog, made hidden at its first use and
// kept for the rest of the run, its Tools menu item "&Options" (Ctrl+O), and its connections to the
// main window, the script pane (through the settings-applied notification) and the application's
// end.

namespace tess {

class Application;
class frmMain;

void installOptions(Application &app, frmMain &window);

} // namespace tess
