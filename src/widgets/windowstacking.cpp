#include "widgets/windowstacking.h"

#include "widgets/screenplacement.h"

#include <QWidget>

namespace tess {

namespace {

void setStaysOnTop(QWidget *window, bool on)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    // Changing the flags re-creates the native window and hides it: put it back where it was.
    const bool visible = window->isVisible();
    const QRect outer = outerGeometry(window);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        placeWindow(window, outer.topLeft(), outer.size());
        window->show();
    }
}

} // namespace

void SetWindowTopmost(QWidget *window) { setStaysOnTop(window, true); }

void ClearWindowTopmost(QWidget *window) { setStaysOnTop(window, false); }

} // namespace tess
