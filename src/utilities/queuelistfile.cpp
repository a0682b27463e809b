#include "utilities/queuelistfile.h"

#include "core/textfiles.h"

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
    const bool utf8 = bytes.startsWith(utf8Bom());
    const QStringConverter::Encoding encoding = utf8 ? QStringConverter::Utf8 : QStringConverter::System;
    return decodeLinesApart(bytes, encoding, utf8 ? utf8Bom().size() : 0, undecodable);
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
