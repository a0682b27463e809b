#include "widgets/repaintpacer.h"

#include <QCoreApplication>

namespace tess {

RepaintPacer::RepaintPacer(QEventLoop::ProcessEventsFlags flags) : m_flags(flags) { m_clock.start(); }

void RepaintPacer::repaint()
{
    QCoreApplication::processEvents(m_flags);
    m_clock.restart();
}

} // namespace tess
