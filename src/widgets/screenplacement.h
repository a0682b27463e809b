#pragma once
// Stored window positions come back from other screen set-ups: a window is brought back onto a
// screen when it would open where the user cannot reach its title bar.

#include <QPoint>
#include <QSize>
#include <QString>

class QWidget;

namespace tess {

// Moves the window to the middle of the free area of the screen that `owner` stands on (the
// window's own screen without an owner). The window's size must be known; a window moved this
// way keeps its place when it is hidden and shown again.
void centreOnScreen(QWidget *window, const QWidget *owner = nullptr);

// A line for a message box, such as a path, that has no blank to wrap at and is wider than a
// message box lets its text grow: its middle gives way to "…", so the box stays on the screen
// and both ends of the line show. A line that fits comes back unchanged.
QString elideForMessageBox(const QString &line);

// The top left corner for a window of `frameSize` wanted at `topLeft` (logical pixels): unchanged
// while a grip of its title bar lies on a screen's available area; otherwise moved onto the screen
// nearest to it, whole when it fits there.
QPoint keepOnScreen(const QPoint &topLeft, const QSize &frameSize);

} // namespace tess
