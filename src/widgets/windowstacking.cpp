#include "widgets/windowstacking.h"

#include <QWidget>

namespace tess {

namespace {

void setStaysOnTop(QWidget *window, bool on)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    // Changing the flags re-creates the native window and hides it: put it back where it was.
    const bool visible = window->isVisible();
    const QPoint pos = window->pos();
    const QSize size = window->size();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    window->move(pos);
    window->resize(size);
    if (visible)
        window->show();
}

} // namespace

void SetWindowTopmost(QWidget *window) { setStaysOnTop(window, true); }

void ClearWindowTopmost(QWidget *window) { setStaysOnTop(window, false); }

} // namespace tess
