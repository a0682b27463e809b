#pragma once
// The lifetime most of the program's secondary windows share: the window is made at its first
// opening and kept between openings (its own buttons only hide it, so its boxes keep what the
// user set); its close box releases it, so the next opening makes a fresh one. A modeless window
// releases itself (releaseOnClose); a modal one tells its opener that its close box ended the show
// (wasUnloaded()), and the opener releases it after the show (releaseIfUnloaded).

#include <QPointer>

#include <functional>

class QCloseEvent;
class QWidget;

namespace tess {

// For a window's closeEvent, after the base class ran: a close that went through releases the
// window once control is back in the event loop.
void releaseOnClose(QWidget *window, const QCloseEvent *event);

template <class Window> class KeptWindow
{
public:
    // make: builds the window (owned by its parent) at the first opening and after a release.
    explicit KeptWindow(std::function<Window *()> make) : m_make(std::move(make)) {}

    // The window, made now when there is none.
    Window *get()
    {
        if (!m_window)
            m_window = m_make();
        return m_window;
    }
    // The window while it exists; nullptr before the first opening and after a release.
    Window *existing() const { return m_window.data(); }
    // Releases the window now: the opener of a modal window calls it once the show returned
    // after the close box ended it. The next get() makes a fresh one.
    void release()
    {
        if (m_window)
            m_window->deleteLater();
        m_window.clear();
    }
    // After a modal show: when its close box ended the show, the window goes at once (nothing of
    // it runs any more once the show has returned), and the next get() makes a fresh one.
    void releaseIfUnloaded()
    {
        if (m_window && m_window->wasUnloaded())
            delete m_window.data();
    }

private:
    std::function<Window *()> m_make;
    QPointer<Window> m_window;
};

} // namespace tess
