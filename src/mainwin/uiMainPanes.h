#pragma once
// Fills the main window's "User Script", "Settings" and "SAVEAS" tabs and its simple-mode
// "Script Selector" frame, wires the three run switches of the "Options" frame, and adds the
// menu items of the user script and the batch script.

namespace tess {

class frmMain;
class UserScriptPane;
class SimpleScriptSelector;
class BatchFlowTab;
class SaveAsTab;

// Creates the panes inside the window's pages and frame and shows the settings of MainSettings
// in them (script list folder and filter, batch-flow boxes and switches, SAVEAS options).
void installScriptPanes(frmMain *w);

// Copies the panes' values back into MainSettings (the batch-flow texts, the switches, the SAVEAS
// options, the script filter) before the settings are written.
void storeScriptPanesInSettings(frmMain *w);

// The panes of a window after installScriptPanes (nullptr before).
UserScriptPane *userScriptPane(const frmMain *w);
SimpleScriptSelector *simpleScriptSelector(const frmMain *w);
BatchFlowTab *batchFlowTab(const frmMain *w);
SaveAsTab *saveAsTab(const frmMain *w);

} // namespace tess
