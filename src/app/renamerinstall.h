#pragma once
// The file renamer in the main window: the Tools item "&File Renamer" (Ctrl+R) and its opener.

namespace tess {

class Application;
class BatchComposer;
class frmMain;

// composer: the one installed before; its queue check and report serve the renamer too.
void installRenamer(Application &app, frmMain &window, BatchComposer *composer);

} // namespace tess
