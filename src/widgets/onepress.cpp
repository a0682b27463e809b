#include "widgets/onepress.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace tess {

bool OnePress::tooSoon() const
{
    if (m_running)
        return true;
    return m_sinceEnd.isValid() && m_sinceEnd.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

bool OnePress::press(const std::function<void()> &work)
{
    if (tooSoon())
        return false;
    m_running = true;
    // The interval counts from the end, whichever way the work ends.
    struct End {
        OnePress &guard;
        ~End()
        {
            guard.m_running = false;
            guard.m_sinceEnd.start();
        }
    } end{*this};
    work();
    return true;
}

} // namespace tess
