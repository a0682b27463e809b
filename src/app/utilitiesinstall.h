#pragma once
// The file utilities in the main window: the two pick windows ("&QuickPick", "Quic&kQueue"), the
// Tools item "Combine &Text Files" and the electrical project prompt of the file list.

namespace tess {

class Application;
class frmMain;

void installUtilities(Application &app, frmMain &window);

} // namespace tess
