#include "mainwin/queuedrop.h"

#include "core/fileio.h"
#include "core/like.h"
#include "core/textfiles.h"

#include <QFileInfo>

namespace tess {

DroppedItemKind classifyDroppedItem(const QString &path, const QString &filterText)
{
    if (path.isEmpty())
        return DroppedItemKind::Ignored;
    if (QFileInfo(path).isDir())
        return DroppedItemKind::Folder;
    if (Like(path, filterText))
        return DroppedItemKind::Entry;
    if (Like(path, QStringLiteral("*.TXT")))
        return DroppedItemKind::FileList;
    return DroppedItemKind::Ignored;
}

QStringList droppedListEntries(QStringView text, const QString &dwgPattern)
{
    const LikePattern drivePath(QStringLiteral("?:\\") + dwgPattern);
#ifndef Q_OS_WIN
    const LikePattern rootedPath(QStringLiteral("/") + dwgPattern);
#endif
    QStringList out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        QString line = text.mid(start, end - start).toString();
        // The line break: CR LF, CR or LF.
        start = end;
        if (start < n && text.at(start) == u'\r') {
            ++start;
            if (start < n && text.at(start) == u'\n')
                ++start;
        } else if (start < n) {
            ++start; // LF
        }

        if (line.size() >= 2 && line.front() == u'"' && line.back() == u'"')
            line = line.mid(1, line.size() - 2);
        else if (line == QLatin1String("\""))
            line.clear();
        if (line.isEmpty())
            continue;
#ifdef Q_OS_WIN
        const bool taken = drivePath.matches(line);
#else
        const bool taken = drivePath.matches(line) || rootedPath.matches(line);
#endif
        if (taken)
            out.append(line);
    }
    return out;
}

FileResult readDroppedFileList(const QString &path, const QString &dwgPattern, QStringList &entries,
                               QStringList *undecodable)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return {kPathFileAccessError, path, QStringLiteral("Not a regular file")};
    QByteArray bytes;
    const FileResult r = readWholeFile(path, bytes);
    if (!r.ok())
        return r;
    // Line by line, so that a line that is not valid text is refused alone.
    const QString text = decodeLinesApart(bytes, QStringConverter::System, 0, undecodable).join(QLatin1Char('\n'));
    entries = droppedListEntries(text, dwgPattern);
    return r;
}

} // namespace tess
