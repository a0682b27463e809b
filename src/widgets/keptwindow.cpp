#include "widgets/keptwindow.h"

#include <QCloseEvent>
#include <QWidget>

namespace tess {

void releaseOnClose(QWidget *window, const QCloseEvent *event)
{
    if (event->isAccepted())
        window->deleteLater();
}

} // namespace tess
