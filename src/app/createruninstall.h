#pragma once
// Create && RUN, the batch script in another location, the night run and the META commands in the
// main window: "Create && &RUN Batch Script", their menu items and the scan on request.

namespace tess {

class Application;
class BatchComposer;
class frmMain;

// composer: the one installed before; Create && RUN runs its composition.
void installCreateRun(Application &app, frmMain &window, BatchComposer *composer);

} // namespace tess
