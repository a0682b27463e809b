#pragma once
// The file renamer in the main window: the Tools item "&File Renamer" (Ctrl+R) and its opener.

namespace tess {

class Application;
class frmMain;

void installRenamer(Application &app, frmMain &window);

} // namespace tess
