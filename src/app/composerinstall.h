#pragma once
// The batch-script composer in the main window: "&Create Batch Script", the script's syntax check
// and the queue check in the menus, the file access error report and the completion window.

namespace tess {

class Application;
class BatchComposer;
class frmMain;
class SimpleScriptSelector;

// Returns the composer (owned by the window) for the parts that run it too. simple: the simple-mode
// script selector, which loads its script into the user script before a composition.
BatchComposer *installComposer(Application &app, frmMain &window, SimpleScriptSelector *simple);

} // namespace tess
