#pragma once
// The drawing-release utilities in the main window: the Tools item "&Find DWGs by AutoCAD DWG
// Version" with its scan window, and the drawing-version report of the queue from the Queue menu
// ("R&eport DWG files AutoCAD Version") and the queue's pop-up menu ("Report DWG Versions").

namespace tess {

class frmMain;

void installRevScan(frmMain &window);

} // namespace tess
