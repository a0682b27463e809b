#include "wizards/outputexamples.h"

#include <QHash>

namespace tess {

namespace {

using DateMember = QString DateTagValues::*;

const QHash<QString, DateMember> &dateTags()
{
    static const QHash<QString, DateMember> tags{
        {QStringLiteral("$MM/DD/YY$"), &DateTagValues::MMDDYY},
        {QStringLiteral("$DD/MM/YY$"), &DateTagValues::DDMMYY},
        {QStringLiteral("$YY/MM/DD$"), &DateTagValues::YYMMDD},
        {QStringLiteral("$YYYY$"), &DateTagValues::YYYY},
        {QStringLiteral("$YY$"), &DateTagValues::YY},
        {QStringLiteral("$MM$"), &DateTagValues::MM},
        {QStringLiteral("$MM-1$"), &DateTagValues::MM_1},
        {QStringLiteral("$MM-2$"), &DateTagValues::MM_2},
        {QStringLiteral("$MM-3$"), &DateTagValues::MM_3},
        {QStringLiteral("$DD$"), &DateTagValues::DD},
        {QStringLiteral("$DATE$"), &DateTagValues::LONGDATE},
        {QStringLiteral("$TIME_12$"), &DateTagValues::TodayTime_12},
        {QStringLiteral("$TIME_24$"), &DateTagValues::TodayTime_24},
    };
    return tags;
}

// The tags whose value comes from each drawing's path, name or place in the batch.
bool dependsOnFile(const QString &value)
{
    static const QStringList fixed{QStringLiteral("$SHEET$"),        QStringLiteral("$FILENAME$"),
                                   QStringLiteral("$FILEPATH$"),     QStringLiteral("$FILEDRIVE$"),
                                   QStringLiteral("$COUNTER$"),      QStringLiteral("$FIRSTFILECHARS$"),
                                   QStringLiteral("$LASTFILECHARS$")};
    if (fixed.contains(value))
        return true;
    // "$FILEPATH-1$" to "$FILEPATH-9$", "$FILEDRIVE+1$" to "$FILEDRIVE+9$"
    for (const QLatin1String stem : {QLatin1String("$FILEPATH-"), QLatin1String("$FILEDRIVE+")}) {
        if (value.size() == stem.size() + 2 && value.startsWith(stem) && value.back() == QLatin1Char('$')) {
            const QChar digit = value.at(stem.size());
            if (digit >= QLatin1Char('1') && digit <= QLatin1Char('9'))
                return true;
        }
    }
    return false;
}

// n for "$TAGn$" with n from 1 to 50, else 0.
int userTagNumber(const QString &value)
{
    if (!value.startsWith(QLatin1String("$TAG")) || !value.endsWith(QLatin1Char('$')) || value.size() < 6)
        return 0;
    const QStringView digits = QStringView(value).mid(4, value.size() - 5);
    if (digits.startsWith(QLatin1Char('0')))
        return 0;
    for (const QChar c : digits)
        if (!c.isDigit() || c.unicode() > 127)
            return 0;
    const int n = digits.toInt();
    return n >= 1 && n <= 50 ? n : 0;
}

} // namespace

QString fileDependentExample() { return QStringLiteral("(Output depends on file)"); }

QString outputExample(const QString &value, const QString &previous, const ExampleSources &sources)
{
    if (!value.startsWith(QLatin1Char('$')))
        return QString();
    if (const auto it = dateTags().constFind(value); it != dateTags().constEnd())
        return sources.dates.*(it.value());
    if (dependsOnFile(value))
        return fileDependentExample();
    if (value == QLatin1String("$TSL_PATH$"))
        return sources.programPath;
    if (value == QLatin1String("$FILECOUNTINQUEUE$"))
        return QString::number(sources.queueCount);
    if (value == QLatin1String("$USER$"))
        return sources.loginName;
    if (value == QLatin1String("$COMPUTER$"))
        return sources.computerName;
    if (const int n = userTagNumber(value))
        return sources.tags[size_t(n - 1)];
    return previous;
}

} // namespace tess
