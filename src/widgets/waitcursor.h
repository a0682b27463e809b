#pragma once
// The hourglass pointer for the lifetime of a scope. Each guard restores only the pointer it set,
// so nested guards and other windows' pointers stay balanced.

#include <QApplication>

namespace tess {

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    // Gives the pointer back early (once).
    void restore()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_on = true;
};

} // namespace tess
