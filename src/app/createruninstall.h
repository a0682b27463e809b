#pragma once
// Create && RUN, the batch script in another location, the night run and the META commands in the
// main window: "Create && &RUN Batch Script", their menu items and the scan on request.

namespace tess {

class Application;
class frmMain;

void installCreateRun(Application &app, frmMain &window);

} // namespace tess
