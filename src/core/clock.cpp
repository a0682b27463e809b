#include "core/clock.h"

namespace tess {

namespace {
QDateTime g_fixed;
}

QDateTime Clock::now() { return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime(); }

qint64 Clock::msecsSinceEpoch()
{
    return g_fixed.isValid() ? g_fixed.toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch();
}

void Clock::setFixed(const QDateTime &moment) { g_fixed = moment; }

void Clock::reset() { g_fixed = QDateTime(); }

bool Clock::isFixed() { return g_fixed.isValid(); }

} // namespace tess
