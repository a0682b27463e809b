#pragma once
// One press, one run: a button whose work runs to its end before the next event is handled (a
// composition, the start of a program) would otherwise run again for the second press of a double
// click, which waits in the event queue until the first run is over. A press that arrives while
// the work runs, or within the system's double-click interval after it ended, is ignored.

#include <QElapsedTimer>
#include <functional>

namespace tess {

class OnePress
{
public:
    // Runs work for this press unless it comes too soon after the last one's; false when ignored.
    bool press(const std::function<void()> &work);
    // Whether a press now would be ignored.
    bool tooSoon() const;

private:
    bool m_running = false;
    QElapsedTimer m_sinceEnd; // invalid until a run ended
};

} // namespace tess
