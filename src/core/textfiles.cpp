#include "core/textfiles.h"

#include <QStringConverter>

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

} // namespace tess
