#pragma once
// What the two pick windows (" Quick Pick" and " Quick Pick - Queue") do apart from their
// controls: their stored geometry, the "contains" filter, the paths of listed files, the rows of
// the queue list and opening several drawings with the resource warning.

#include "core/settingskeys.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tess {

// A window's outer place and size in twips.
struct PickGeometry {
    int left = 1000;
    int top = 1000;
    int width = 1890;
    int height = 4110;
};

enum class PickWindow { QuickPick, QueueQuickPick };

// Section Startup, QP* or QPQueue*; a stored value that is not a whole number gives that key's
// default.
PickGeometry readPickGeometry(PickWindow which);
// Writes left, top, width and height in that order; the positions (0 to 3) of the keys that could
// not be written.
QList<int> writePickGeometry(PickWindow which, const PickGeometry &g);

// The list pattern of a filter fragment: "*" + text + "*" ("**" lists every file).
QString quickPickPattern(const QString &filterText);

// The file names shown for queue entries: the text after the last separator, the whole entry when
// it holds none.
QStringList queuePickNames(const QStringList &queueEntries);

// "You have attempted to open more than <limit> files at a time." ... the question asked each time
// `limit` files were opened since the start or the last Yes.
QString resourceWarningText(int limit);

struct OpenRun {
    int opened = 0;       // files handed to `open`
    bool stopped = false; // the user answered No
};

// Opens the paths in order. With warn set, after each `limit` files since the start or the last
// Yes, `askContinue(limit)` decides whether to go on.
OpenRun openWithResourceWarning(const QStringList &paths, bool warn, int limit,
                                const std::function<void(const QString &)> &open,
                                const std::function<bool(int limit)> &askContinue);

} // namespace tess
