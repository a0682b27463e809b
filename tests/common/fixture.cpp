#include "fixture.h"

#include "core/clock.h"

namespace tess::test {

Fixture::SavedGlobals::SavedGlobals()
    : m_settings(mainSettings()), m_clockFixed(Clock::isFixed()), m_clock(Clock::now()), m_locale(QLocale())
{
}

Fixture::SavedGlobals::~SavedGlobals()
{
    mainSettings() = m_settings;
    if (m_clockFixed)
        Clock::setFixed(m_clock);
    else
        Clock::reset();
    QLocale::setDefault(m_locale);
}

Fixture::Fixture(const QString &login) : m_folder(login) {}

Fixture::~Fixture() = default;

void Fixture::setClock(const QDateTime &moment) { Clock::setFixed(moment); }

void Fixture::setLocale(const QLocale &locale) { QLocale::setDefault(locale); }

} // namespace tess::test
