#include "core/textfiles.h"

#include <QStringConverter>
#include <QStringDecoder>

namespace tess {

QString textFromFileBytes(const QByteArray &bytes)
{
    QStringDecoder decode(QStringConverter::System);
    QString text = decode(bytes);
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QByteArray fileBytesFromText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    t += QLatin1String("\r\n");
    QStringEncoder encode(QStringConverter::System);
    return encode(t);
}

QString withCrLfLineEnds(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out += QLatin1String("\r\n");
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QStringList decodeLinesApart(const QByteArray &bytes, QStringConverter::Encoding encoding, qsizetype from,
                             QStringList *undecodable)
{
    QStringList lines;
    qsizetype start = from;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes.at(end) != '\r' && bytes.at(end) != '\n')
            ++end;
        QStringDecoder decode(encoding);
        const QString line = decode(QByteArrayView(bytes).sliced(start, end - start));
        if (decode.hasError()) {
            if (undecodable)
                undecodable->append(line);
        } else {
            lines.append(line);
        }
        start = end;
        if (start < n && bytes.at(start) == '\r') {
            ++start;
            if (start < n && bytes.at(start) == '\n')
                ++start;
        } else if (start < n) {
            ++start;
        }
    }
    return lines;
}

QStringList splitTextLines(QStringView text)
{
    // The list is made at its size first (a line break at most per line).
    const QChar *d = text.data();
    const qsizetype n = text.size();
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        breaks += d[i] == QLatin1Char('\n') || d[i] == QLatin1Char('\r');
    QStringList lines;
    lines.reserve(breaks + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i] == QLatin1Char('\r') || d[i] == QLatin1Char('\n')) {
            lines.append(QString(d + start, i - start));
            if (d[i] == QLatin1Char('\r') && i + 1 < n && d[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QString(d + start, n - start));
    return lines;
}

} // namespace tess
