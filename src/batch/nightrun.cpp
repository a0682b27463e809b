#include "batch/nightrun.h"

#include <QTimeZone>
#include <algorithm>

namespace tess {

std::optional<QTime> parseRunTime(const QString &text, const QLocale &locale)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    static const char *formats[] = {"h:mm:ss AP", "h:mm AP", "h:mm:ssAP", "h:mmAP", "H:mm:ss", "H:mm"};
    for (const char *f : formats) {
        const QTime time = QLocale::c().toTime(t.toUpper(), QLatin1String(f));
        if (time.isValid())
            return time;
    }
    for (const QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
        const QTime time = locale.toTime(t, type);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

QDateTime nightRunStart(const QTime &start, const QDateTime &armedAt)
{
    QDateTime at(armedAt.date(), start, armedAt.timeZone());
    if (at.addSecs(1) < armedAt)
        at = QDateTime(armedAt.date().addDays(1), start, armedAt.timeZone());
    return at;
}

bool nightRunDue(const QDateTime &start, const QDateTime &now) { return now >= start.addSecs(-1); }

QString countdownText(qint64 seconds)
{
    seconds = std::max<qint64>(seconds, 0);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace tess
