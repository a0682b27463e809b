#pragma once
// Command capture in the main window: the Tools menu's "&Capture AutoCAD® Commands to Script" and
// the capture window it opens.

namespace tess {

class Application;
class frmMain;

void installCapture(Application &app, frmMain &window);

} // namespace tess
