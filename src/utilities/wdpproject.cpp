#include "utilities/wdpproject.h"

#include "core/pathhelpers.h"
#include "core/textfiles.h"

#include <QSet>

namespace tess {

WdpDrawings readWdpDrawingLines(const QString &projectFile)
{
    WdpDrawings result;
    QByteArray bytes;
    result.file = readWholeFile(projectFile, bytes);
    if (!result.file.ok())
        return result;
    const QString text = textFromFileBytes(bytes);
    qsizetype start = 0;
    const qsizetype n = text.size();
    auto take = [&](qsizetype end) {
        const QString line = text.mid(start, end - start);
        if (!line.isEmpty() && line.at(0) != QLatin1Char('*') && line.at(0) != QLatin1Char('+') &&
            line.at(0) != QLatin1Char('?'))
            result.lines.append(line);
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            take(i);
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        take(n);
    return result;
}

QString wdpProjectFolder(const QString &projectFile) { return ShlRemoveFileSpec(projectFile); }

QStringList wdpQueuePaths(const QString &projectFolder, const QStringList &drawingLines)
{
    const QString prefix = withTrailingSeparator(projectFolder, QLatin1Char('\\'));
    QStringList paths;
    paths.reserve(drawingLines.size());
    for (const QString &line : drawingLines)
        paths.append(prefix + line);
    return paths;
}

QStringList wdpNotInProjectPaths(const QString &projectFolder, const QStringList &folderNames,
                                 const QStringList &drawingLines)
{
    QSet<QString> listed;
    listed.reserve(drawingLines.size());
    for (const QString &line : drawingLines)
        listed.insert(line.toCaseFolded());
    QStringList names;
    for (const QString &name : folderNames) {
        if (!name.isEmpty() && !listed.contains(name.toCaseFolded()))
            names.append(name);
    }
    return wdpQueuePaths(projectFolder, names);
}

} // namespace tess
