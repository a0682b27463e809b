#include "tags/usertagform.h"

#include "core/mainsettings.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "tags/datafilenames.h"

#include <limits>

namespace tess {

UserTagForm UserTagForm::fromSettings(const MainSettings &s, int previousPadDigits)
{
    UserTagForm f;
    f.counterStart = QString::number(s.COUNTERSTART);
    f.counterStep = QString::number(s.COUNTERSTEP);
    f.firstFileChars = s.FIRSTFILECHARS;
    f.lastFileChars = s.LASTFILECHARS;
    f.sheetChars = s.SHEETCHARS;
    f.trimZeros = s.TRIMZEROS != 0;
    f.padCounter = s.PADCOUNTER != 0;
    f.padDigits = s.PADDIGITS >= kPadDigitsMin && s.PADDIGITS <= kPadDigitsMax ? s.PADDIGITS : previousPadDigits;
    for (int i = 0; i < kUserTagCount; ++i)
        f.tags[size_t(i)] = s.TAG[size_t(i)];
    return f;
}

void normalizeUserTagMembers(MainSettings &s)
{
    s.PADDIGITS = qint16(qBound<int>(kPadDigitsMin, s.PADDIGITS, kPadDigitsMax));
    for (QString &tag : s.TAG)
        tag = withoutLineBreaks(tag);
}

QString charCountTitle(CharCountBox box)
{
    return box == CharCountBox::Sheet ? QStringLiteral("Sheet Value") : QStringLiteral("Filename Value");
}

QString charCountResetValue(CharCountBox box)
{
    switch (box) {
    case CharCountBox::Sheet: return QStringLiteral("1");
    case CharCountBox::First: return QStringLiteral("4");
    case CharCountBox::Last: return QStringLiteral("2");
    }
    return QStringLiteral("1");
}

bool isValidCharCount(const QString &text)
{
    if (text.isEmpty() || text.size() > 3 || text.at(0) < QLatin1Char('1') || text.at(0) > QLatin1Char('9'))
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return text.toInt() <= 255;
}

QString charCountMessage(const QString &text, CharCountBox box)
{
    if (isValidCharCount(text))
        return QString();
    const bool startsWithDigit = !text.isEmpty() && text.at(0) >= QLatin1Char('1') && text.at(0) <= QLatin1Char('9');
    const QString rule = startsWithDigit ? QStringLiteral("Value must be a whole number from \"1\" to \"255\".")
                                         : QStringLiteral("Value must be greater than \"0\".");
    return rule + QStringLiteral("\r\nResetting to \"") + charCountResetValue(box) + QStringLiteral("\".");
}

std::optional<qint32> parseCounterText(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (!t.isEmpty() && (t.at(0) == QLatin1Char('+') || t.at(0) == QLatin1Char('-')))
        i = 1;
    if (i >= t.size() || t.size() - i > 12)
        return std::nullopt;
    for (qsizetype k = i; k < t.size(); ++k) {
        if (t.at(k) < QLatin1Char('0') || t.at(k) > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(v);
}

std::optional<UserTagFormProblem> checkUserTagForm(const UserTagForm &form)
{
    using P = UserTagFormProblem;
    const struct {
        P::Box box;
        CharCountBox count;
        const QString &text;
    } counts[] = {{P::FirstFileChars, CharCountBox::First, form.firstFileChars},
                  {P::LastFileChars, CharCountBox::Last, form.lastFileChars},
                  {P::SheetChars, CharCountBox::Sheet, form.sheetChars}};
    for (const auto &c : counts) {
        const QString message = charCountMessage(c.text, c.count);
        if (!message.isEmpty())
            return P{c.box, message, charCountTitle(c.count)};
    }
    const QString range = QStringLiteral(" must be a whole number from -2147483648 to 2147483647.");
    if (!parseCounterText(form.counterStart))
        return P{P::CounterStart, QStringLiteral("The counter's \"Start at\"") + range,
                 QStringLiteral("Counter Value")};
    if (!parseCounterText(form.counterStep))
        return P{P::CounterStep, QStringLiteral("The counter's \"Step\"") + range, QStringLiteral("Counter Value")};
    return std::nullopt;
}

namespace {

// The text each stored member of section "UserTags" takes from the form, by member name.
QString formText(const UserTagForm &form, const StoredSetting &entry)
{
    if (const auto *tag = std::get_if<TagMember>(&entry.target))
        return form.tags[size_t(tag->index)];
    const QString &m = entry.member;
    if (m == QLatin1String("FIRSTFILECHARS"))
        return form.firstFileChars;
    if (m == QLatin1String("LASTFILECHARS"))
        return form.lastFileChars;
    if (m == QLatin1String("SHEETCHARS"))
        return form.sheetChars;
    if (m == QLatin1String("TRIMZEROS"))
        return form.trimZeros ? QStringLiteral("1") : QStringLiteral("0");
    if (m == QLatin1String("COUNTERSTART"))
        return form.counterStart;
    if (m == QLatin1String("COUNTERSTEP"))
        return form.counterStep;
    if (m == QLatin1String("PADCOUNTER"))
        return form.padCounter ? QStringLiteral("1") : QStringLiteral("0");
    if (m == QLatin1String("PADDIGITS"))
        return QString::number(form.padDigits);
    Q_ASSERT_X(false, "formText", "a key of UserTags the form does not hold");
    return QString();
}

} // namespace

QStringList writeUserTagSettings(const UserTagForm &form)
{
    QStringList failed;
    for (const StoredSetting &entry : storedSettings()) {
        if (entry.section != SettingsSection::UserTags)
            continue;
        if (!writeSetting(QString(entry.section), entry.key, formText(form, entry)))
            failed << entry.key;
    }
    return failed;
}

void applyUserTagForm(MainSettings &s, const UserTagForm &form)
{
    s.FIRSTFILECHARS = form.firstFileChars;
    s.LASTFILECHARS = form.lastFileChars;
    s.SHEETCHARS = form.sheetChars;
    s.TRIMZEROS = form.trimZeros ? 1 : 0;
    s.COUNTERSTART = parseCounterText(form.counterStart).value_or(s.COUNTERSTART);
    s.COUNTERSTEP = parseCounterText(form.counterStep).value_or(s.COUNTERSTEP);
    s.PADCOUNTER = form.padCounter ? 1 : 0;
    s.PADDIGITS = qint16(qBound(kPadDigitsMin, form.padDigits, kPadDigitsMax));
    for (int i = 0; i < kUserTagCount; ++i)
        s.TAG[size_t(i)] = form.tags[size_t(i)];
}

} // namespace tess
