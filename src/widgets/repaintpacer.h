#pragma once
// Long work done in the window's own thread lets the window repaint now and then: at most every
// 50 ms, so a thousand small steps cost no more than a few repaints.

#include <QElapsedTimer>
#include <QEventLoop>

namespace tess {

class RepaintPacer
{
public:
    static constexpr int kIntervalMs = 50;

    // flags: the events handled at each repaint (by default none of the user's input).
    explicit RepaintPacer(QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeUserInputEvents);

    // 50 ms have passed since the last repaint (or the start).
    bool due() const { return m_clock.elapsed() >= kIntervalMs; }
    // Handles the pending events now and starts the next interval.
    void repaint();
    // Repaints when due.
    void tick()
    {
        if (due())
            repaint();
    }

private:
    QEventLoop::ProcessEventsFlags m_flags;
    QElapsedTimer m_clock;
};

} // namespace tess
