#pragma once
// The script editor in the main window: Script > "Script &Editor" (Ctrl+E) and the script pane's
// "&Editor" and list double-click open it modally on a copy of the user script; its "&Ok" writes
// the script back.

namespace tess {

class frmMain;
class UserScriptPane;

void installScriptEditor(frmMain &window, UserScriptPane &pane);

} // namespace tess
