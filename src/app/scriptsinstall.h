#pragma once
// The user-script subsystem in the main window: the "User Script" tab, the simple-mode script
// selector, the script facts the window reads, and the script's menu items.

namespace tess {

class Application;
class frmMain;
class SimpleScriptSelector;

// Returns the simple-mode script selector (owned by the window) for the composer.
SimpleScriptSelector *installScripts(Application &app, frmMain &window);

} // namespace tess
