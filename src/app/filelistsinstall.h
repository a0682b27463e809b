#pragma once
// The saved queue lists in the main window: the button "File&Lists" and the Queue menu's
// "&File Lists" open the File Lists window; loading a list runs the main window's steps.

namespace tess {

class Application;
class frmMain;

void installFileLists(Application &app, frmMain &window);

} // namespace tess
