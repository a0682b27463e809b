#include "utilities/renamerrules.h"

#include <cmath>
#include <limits>

namespace tess {

NameParts splitName(const QString &name)
{
    NameParts p;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        p.base = name;
        return p;
    }
    p.hasDot = true;
    p.base = name.left(dot);
    p.extension = name.mid(dot);
    return p;
}

std::optional<QString> StripFirstXChars(const QString &text, int n)
{
    if (n <= 0)
        return text;
    if (n > text.size())
        return std::nullopt;
    return text.mid(n);
}

namespace {

// A number typed into a box: trimmed, a plain decimal number; std::nullopt for letters or nothing.
std::optional<double> numberOf(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

QString renumberText(qint64 value, int digits)
{
    const QString magnitude = QString::number(value < 0 ? -value : value);
    const QString padded = magnitude.rightJustified(std::max(digits, 0), QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + padded : padded;
}

RenamePreview previewRenumber(const QStringList &names, const QString &startText, const QString &stepText, int digits,
                              bool append)
{
    RenamePreview r;
    const std::optional<double> startValue = numberOf(startText);
    const std::optional<double> step = numberOf(stepText);
    std::optional<qint32> start;
    if (startValue) {
        const double rounded = std::round(*startValue); // halfway away from zero
        if (rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max())
            start = qint32(rounded);
    }
    if (!start || !step) {
        r.stop = PreviewStop::NotANumber;
        r.stopIndex = 0;
        return r;
    }
    r.names.reserve(names.size());
    // Beyond this a double no longer holds every whole number.
    constexpr double limit = 9007199254740992.0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const double value = std::round(double(*start) + *step * double(i));
        if (!(std::fabs(value) < limit)) {
            r.stop = PreviewStop::NotANumber;
            r.stopIndex = i;
            return r;
        }
        const QString number = renumberText(qint64(value), digits);
        const NameParts parts = splitName(names.at(i));
        if (!parts.hasDot || (!append && parts.base.size() < number.size())) {
            r.stop = PreviewStop::StringLength;
            r.stopIndex = i;
            return r;
        }
        if (append)
            r.names.append(parts.base + number + parts.extension);
        else
            r.names.append(parts.base.left(parts.base.size() - number.size()) + number + parts.extension);
    }
    return r;
}

RenamePreview previewReplaceFirst(const QStringList &names, int n, const QString &with)
{
    RenamePreview r;
    r.names.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const std::optional<QString> rest = StripFirstXChars(names.at(i), n);
        if (!rest)
            r.tooShort.append(i);
        r.names.append(with + rest.value_or(QString()));
    }
    return r;
}

RenamePreview previewInsert(const QStringList &names, const QString &text, int p)
{
    RenamePreview r;
    r.names.reserve(names.size());
    const qsizetype at = std::max(p, 0);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names.at(i);
        if (name.size() < at) {
            r.stop = PreviewStop::InsertPastEnd;
            r.stopIndex = i;
            return r;
        }
        r.names.append(name.left(at) + text + name.mid(at));
    }
    return r;
}

RenamePreview previewAppend(const QStringList &names, const QString &text)
{
    RenamePreview r;
    r.names.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const NameParts parts = splitName(names.at(i));
        if (!parts.hasDot) {
            r.stop = PreviewStop::StringLength;
            r.stopIndex = i;
            return r;
        }
        r.names.append(parts.base + text + parts.extension);
    }
    return r;
}

RenamePreview previewPad(const QStringList &names, const QString &padChar, bool fromStart)
{
    RenamePreview r;
    if (names.isEmpty())
        return r;
    qsizetype longest = 0;
    qsizetype shortest = std::numeric_limits<qsizetype>::max();
    for (const QString &name : names) {
        longest = std::max(longest, name.size());
        shortest = std::min(shortest, name.size());
    }
    if (shortest == longest) {
        r.stop = PreviewStop::SameLength;
        r.stopIndex = 0;
        return r;
    }
    r.names.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names.at(i);
        const QString pad = padChar.repeated(longest - name.size());
        if (fromStart) {
            r.names.append(pad + name);
            continue;
        }
        const NameParts parts = splitName(name);
        if (!parts.hasDot) {
            r.stop = PreviewStop::StringLength;
            r.stopIndex = i;
            return r;
        }
        r.names.append(parts.base + pad + parts.extension);
    }
    return r;
}

QString replaceAllIgnoringCase(const QString &name, const QString &find, const QString &with)
{
    if (find.isEmpty())
        return name;
    QString out = name;
    return out.replace(find, with, Qt::CaseInsensitive);
}

RenamePreview previewReplaceAll(const QStringList &names, const QString &find, const QString &with)
{
    RenamePreview r;
    r.names.reserve(names.size());
    for (const QString &name : names)
        r.names.append(replaceAllIgnoringCase(name, find, with));
    return r;
}

QString previewStopMessage(PreviewStop stop)
{
    switch (stop) {
    case PreviewStop::StringLength: return QStringLiteral("String Length Error.");
    case PreviewStop::NotANumber: return QStringLiteral("You must use number, not letters.");
    case PreviewStop::SameLength:
        return QStringLiteral("All filenames are the same length.\r\nThey don't need Padding.");
    case PreviewStop::None:
    case PreviewStop::InsertPastEnd: break;
    }
    return {};
}

} // namespace tess
