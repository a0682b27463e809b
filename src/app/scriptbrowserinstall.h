#pragma once
// The script browser and the two script filter windows in the main window: Script > "Script
// &Browser" and the script pane's "&Browse" open the browser; the pane's "Filter" and the
// simple-mode selector's "Filter" open their stored-filter windows.

namespace tess {

class Application;
class SimpleScriptSelector;
class UserScriptPane;
class frmMain;

void installScriptBrowser(Application &app, frmMain &window, UserScriptPane *pane, SimpleScriptSelector *simple);

} // namespace tess
