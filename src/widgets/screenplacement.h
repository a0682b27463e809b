#pragma once
// Stored window positions come back from other screen set-ups: a window is brought back onto a
// screen when it would open where the user cannot reach its title bar.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace tess {

// ---- Placing a window ----
//
// Every window that stores its place, or is given one, is placed through these. A place is the
// frame's top left corner and the outer size (the settings keep both, in twips); the client area
// is what is left inside the frame. The frame is the window system's: it is known only once the
// window manager has framed the window. Until then the frame last seen on any window of the
// program stands for it; when the window's own frame turns out otherwise (or none comes), the
// window is placed again as soon as that is known, so it opens exactly where and as large as
// asked, under any window manager and without one. No window opens with its title bar off every
// screen.

// Places the window with its frame's top left corner at topLeft and, when outerSize is valid, at
// that outer size (else its client keeps its size). leastOuter, when valid, is the smallest outer
// size the user may size the window to. Works on a hidden window (the place holds for its next
// showing) and on a shown one.
void placeWindow(QWidget *window, const QPoint &topLeft, const QSize &outerSize = QSize(),
                 const QSize &leastOuter = QSize());

// Moves the window, by its frame, to the middle of the free area of the screen that `owner` stands
// on (the window's own screen without an owner). The window's size must be known; a window moved
// this way keeps its place when it is hidden and shown again.
void centreOnScreen(QWidget *window, const QWidget *owner = nullptr);

// The window's frame (its place and outer size) as placeWindow takes it: the frame as it stands,
// or, while it is minimized, maximized or full screen, the one it comes back to.
QRect outerGeometry(const QWidget *window);

// The margins of the window's frame: its own once framed, else the last seen on any window.
QMargins frameMargins(const QWidget *window);

// A line for a message box, such as a path, that has no blank to wrap at and is wider than a
// message box lets its text grow: its middle gives way to "…", so the box stays on the screen
// and both ends of the line show. A line that fits comes back unchanged.
QString elideForMessageBox(const QString &line);

// The top left corner for a window of `frameSize` wanted at `topLeft` (logical pixels): unchanged
// while a grip of its title bar lies on a screen's available area; otherwise moved onto the screen
// nearest to it, whole when it fits there.
QPoint keepOnScreen(const QPoint &topLeft, const QSize &frameSize);

} // namespace tess
