#pragma once
// The user-script subsystem in the main window: the "User Script" tab, the simple-mode script
// selector, the script facts the window reads, and the script's menu items.

namespace tess {

class Application;
class frmMain;

void installScripts(Application &app, frmMain &window);

} // namespace tess
