#pragma once
// The queue's extras in the main window: the pop-up's entry actions ("&Open Selected File(s)" as
// its bold default item, "S&kip Past Selected File", "<- &Goto Dir", "&Open Explorer in
// Directory"), the queue's click, double-click and keys, the eight "&Copy to Clipboard" items, and
// the favourite folders ("&Favorites", "&Add" and the automatic additions).

namespace tess {

class Application;
class frmMain;

void installQueueExtras(Application &app, frmMain &window);

// The automatic addition of the current folder to the favourite folders (after composing).
void addDirToFavoritesAutomatically(frmMain &window);

} // namespace tess
