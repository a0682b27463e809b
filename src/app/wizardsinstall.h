#pragma once
// The script creation wizards in the main window: the "&Wizards" menu entries, the Tools entry of
// the reset of AutoCAD's system variables, and the AutoCAD LT rule of the menu (SetMenus).

namespace tess {

class Application;
class frmMain;

void installWizards(Application &app, frmMain &window);

} // namespace tess
