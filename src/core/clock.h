#pragma once
// The program's one source of "now". Tests fix it.

#include <QDateTime>

namespace tess {

class Clock
{
public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    // The same moment as milliseconds since the epoch: a cheap reading (no time-zone lookup), for code
    // that only needs to know whether the second has changed.
    static qint64 msecsSinceEpoch();
    // Freezes the clock at the given moment (local time) until reset().
    static void setFixed(const QDateTime &moment);
    static void reset();
    // True while the clock is frozen (tests put it back as they found it).
    static bool isFixed();
};

} // namespace tess
