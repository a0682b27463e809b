#include "utilities/queuelistfile.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tess {

namespace {

const QByteArray &utf8Bom()
{
    static const QByteArray bom("\xEF\xBB\xBF");
    return bom;
}

} // namespace

QString QueueListFile::extension() { return QStringLiteral(".LST"); }

QString QueueListFile::fileNameFor(const QString &listName, bool personal, const QString &login)
{
    return (personal ? login + QLatin1Char('-') : QString()) + listName + extension();
}

QByteArray QueueListFile::bytesOf(const QStringList &entries)
{
    QString text;
    for (const QString &e : entries)
        text += e + QStringLiteral("\r\n");
    QStringEncoder encode(QStringConverter::System);
    QByteArray bytes = encode(text);
    // The system's encoding cannot carry every character of the queue: UTF-8 keeps them all.
    QStringDecoder decode(QStringConverter::System);
    const QString back = decode(bytes);
    if (encode.hasError() || decode.hasError() || back != text)
        bytes = utf8Bom() + text.toUtf8();
    return bytes;
}

QStringList QueueListFile::linesOf(const QByteArray &bytes, QStringList *undecodable)
{
    QStringList lines;
    const bool utf8 = bytes.startsWith(utf8Bom());
    const QStringConverter::Encoding encoding = utf8 ? QStringConverter::Utf8 : QStringConverter::System;
    qsizetype start = utf8 ? utf8Bom().size() : 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes.at(end) != '\r' && bytes.at(end) != '\n')
            ++end;
        // Each line alone, so that a line that is not valid text is set apart by itself.
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

FileResult QueueListFile::read(const QString &path, QStringList &lines, QStringList *undecodable)
{
    QByteArray bytes;
    const FileResult r = readWholeFile(path, bytes);
    if (r.ok())
        lines = linesOf(bytes, undecodable);
    return r;
}

FileResult QueueListFile::write(const QString &path, const QStringList &entries)
{
    return writeWholeFile(path, bytesOf(entries));
}

} // namespace tess
