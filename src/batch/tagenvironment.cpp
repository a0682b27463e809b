// What a composition's tags read of the world: the moment, the locale, the program and the user,
// and the date texts made from them.

#include "batch/tagsubstitution.h"

#include "core/appenvironment.h"
#include "core/clock.h"
#include "core/mainsettings.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace tess {

namespace {

// The name without its terminating NUL, as the system-name functions give it.
QString withoutTrailingNul(QString name)
{
    if (name.endsWith(QChar(0)))
        name.chop(1);
    return name;
}

QString two(int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); }

// The separator between the first two fields of a locale format ("M/d/yy" -> "/"), or the fallback.
QString separatorOf(const QString &format, QChar fallback)
{
    bool inQuote = false;
    bool seenField = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            inQuote = !inQuote;
            continue;
        }
        if (inQuote)
            continue;
        if (c.isLetter()) {
            seenField = true;
            continue;
        }
        if (seenField && !c.isSpace())
            return QString(c);
    }
    return QString(fallback);
}

// The locale's long time format without its time-zone fields ("t" runs outside quotes).
QString longTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool inQuote = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
        if (!inQuote && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    out = out.trimmed();
    // A zone field in the middle leaves two blanks behind.
    while (out.contains(QLatin1String("  ")))
        out.replace(QLatin1String("  "), QLatin1String(" "));
    return out;
}

} // namespace

TagEnvironment TagEnvironment::current()
{
    TagEnvironment e;
    e.moment = Clock::now();
    e.locale = QLocale();
    e.programPath = AppEnvironment::programPath();
    e.loginName = withoutTrailingNul(AppEnvironment::loginName());
    e.computerName = withoutTrailingNul(AppEnvironment::computerName());
    e.now = &Clock::now;
    e.nowMSecs = &Clock::msecsSinceEpoch;
    return e;
}

DateTagValues DateTagValues::compute(const QDateTime &moment, const QLocale &locale)
{
    DateTagValues v;
    const QDate d = moment.date();
    const QTime t = moment.time();
    const QString ds = separatorOf(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
    const QString ts = separatorOf(locale.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
    const QString mm = two(d.month()), dd = two(d.day()), yy = two(d.year() % 100);
    v.MMDDYY = mm + ds + dd + ds + yy;
    v.DDMMYY = dd + ds + mm + ds + yy;
    v.YYMMDD = yy + ds + mm + ds + dd;
    v.YYYY = QString::number(d.year()).rightJustified(4, QLatin1Char('0'));
    v.LONGDATE = locale.dayName(d.dayOfWeek(), QLocale::LongFormat) + QStringLiteral(", ") +
                 locale.monthName(d.month(), QLocale::ShortFormat) + QLatin1Char(' ') + QString::number(d.day()) +
                 QStringLiteral(", ") + v.YYYY;
    v.YY = yy;
    v.MM = mm;
    v.MM_1 = two(d.addDays(-30).month());
    v.MM_2 = two(d.addDays(-60).month());
    v.MM_3 = two(d.addDays(-90).month());
    v.DD = dd;
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    v.TodayTime_12 = two(h12) + ts + two(t.minute()) + ts + two(t.second()) + QLatin1Char(' ') +
                     (t.hour() < 12 ? locale.amText() : locale.pmText());
    v.TodayTime_24 = QString::number(t.hour()) + ts + two(t.minute()) + ts + two(t.second());
    return v;
}

void DateTagValues::writeTo(MainSettings &s) const
{
    s.MMDDYY = MMDDYY;
    s.DDMMYY = DDMMYY;
    s.YYMMDD = YYMMDD;
    s.LONGDATE = LONGDATE;
    s.YYYY = YYYY;
    s.YY = YY;
    s.MM = MM;
    s.MM_1 = MM_1;
    s.MM_2 = MM_2;
    s.MM_3 = MM_3;
    s.DD = DD;
    s.TodayTime_12 = TodayTime_12;
    s.TodayTime_24 = TodayTime_24;
}

QString headerDateText(const QDateTime &moment, const QLocale &locale)
{
    return locale.toString(moment.date(), QLocale::ShortFormat);
}

QString headerTimeText(const QDateTime &moment, const QLocale &locale)
{
    return locale.toString(moment.time(), longTimeFormatWithoutZone(locale));
}

} // namespace tess
