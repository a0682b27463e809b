#pragma once
// Stored window positions come back from other screen set-ups: a window is brought back onto a
// screen when it would open where the user cannot reach its title bar.

#include <QPoint>
#include <QSize>

namespace tess {

// The top left corner for a window of `frameSize` wanted at `topLeft` (logical pixels): unchanged
// while a grip of its title bar lies on a screen's available area; otherwise moved onto the screen
// nearest to it, whole when it fits there.
QPoint keepOnScreen(const QPoint &topLeft, const QSize &frameSize);

} // namespace tess
