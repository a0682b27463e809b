#pragma once
// The drawing preview in the main window: the file list's click shows the clicked drawing's
// preview, "&Preview" opens and closes the preview window, and with "open the drawing preview
// window at start" set the window opens when the main window first shows. The Options dialog's
// reset of the preview position calls frmDWGPreview::resetStoredPosition() (preview/frmDWGPreview.h).

namespace tess {

class Application;
class frmMain;

void installPreview(Application &app, frmMain &window);

} // namespace tess
