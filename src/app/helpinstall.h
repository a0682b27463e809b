#pragma once
// The Help menu: the five items that open the README (F1 to F5), the tip of the day (also shown at
// the program's start when TipsShow is 1) and the About box.

namespace tess {

class Application;
class frmMain;

void installHelp(Application &app, frmMain &w);

} // namespace tess
