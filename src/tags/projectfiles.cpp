#include "tags/projectfiles.h"

#include "batch/projecttags.h"
#include "core/like.h"
#include "core/pathhelpers.h"
#include "core/textfiles.h"
#include "tags/datafilenames.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace tess {

QString activeProjectExtension() { return QStringLiteral(".PRJ"); }
QString inactiveProjectExtension() { return QStringLiteral(".PRX"); }

bool hasProjectExtension(const QString &name)
{
    return name.endsWith(activeProjectExtension(), Qt::CaseInsensitive) ||
           name.endsWith(inactiveProjectExtension(), Qt::CaseInsensitive);
}

QString projectSaveFileName(const QString &typedName, bool activeTab)
{
    if (hasProjectExtension(typedName))
        return typedName;
    return typedName + (activeTab ? activeProjectExtension() : inactiveProjectExtension());
}

QString projectTitle(const QString &fileName) { return fileName.left(std::max<qsizetype>(0, fileName.size() - 4)); }

QStringList projectFileNames(const QString &dataFolder, const QString &extension)
{
    QStringList names;
    for (const QString &file : filesWithExtension(dataFolder, extension)) {
        if (isAcceptableDataFileName(projectTitle(file)))
            names << file;
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = textCompare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

ProjectRead readProjectFile(const QString &dataFolder, const QString &fileName)
{
    ProjectRead r;
    const QString folder = withTrailingSeparator(dataFolder);
    if (!isAcceptableDataFileName(fileName)) {
        // A name that could lead outside DATA is never read.
        r.failure.error = kFileNotFound;
        r.failure.path = joinPath(folder, fileName);
        r.failure.reason = fileErrorDescription(kFileNotFound);
        return r;
    }
    const QString onDisk = findFileIgnoringCase(dataFolder, fileName);
    QByteArray bytes;
    r.failure = readWholeFile(joinPath(folder, onDisk.isEmpty() ? fileName : onDisk), bytes);
    if (!r.failure.ok())
        return r;
    const ProjectTagFile file = ProjectTagFile::parse(bytes);
    r.ok = true;
    r.pattern = file.pattern;
    r.values = file.values;
    while (r.values.size() < kProjectValueCount)
        r.values << QString();
    return r;
}

QByteArray projectFileBytes(const QString &pattern, const QStringList &values)
{
    QStringList lines;
    lines << withoutLineBreaks(pattern);
    for (int i = 0; i < kProjectValueCount; ++i)
        lines << withoutLineBreaks(values.value(i));
    return fileBytesFromText(lines.join(QLatin1Char('\n')));
}

FileResult writeProjectFile(const QString &dataFolder, const QString &fileName, const QString &pattern,
                            const QStringList &values)
{
    return writeWholeFile(filePathForWriting(dataFolder, fileName), projectFileBytes(pattern, values));
}

QByteArray projectIndexBytes(const QStringList &activeFiles)
{
    if (activeFiles.isEmpty())
        return QByteArray();
    return fileBytesFromText(activeFiles.join(QLatin1Char('\n')));
}

FileResult writeProjectIndex(const QString &dataFolder, const QStringList &activeFiles)
{
    QStringList names;
    for (const QString &f : activeFiles) {
        if (f.endsWith(activeProjectExtension(), Qt::CaseInsensitive) && isAcceptableDataFileName(f))
            names << f;
    }
    return writeWholeFile(filePathForWriting(dataFolder, projectIndexFileName()), projectIndexBytes(names));
}

FileResult ensureDataFolder(const QString &dataFolder)
{
    FileResult r;
    r.path = dataFolder;
    if (QFileInfo(dataFolder).isDir() || MakeFolderPath(dataFolder))
        return r;
    r.error = kPathNotFound;
    r.reason = QStringLiteral("The folder could not be created");
    return r;
}

QString pickedFolderPattern(const QString &folder)
{
    const QString upper = withTrailingSeparator(folder).toUpper();
    QString pattern;
    pattern.reserve(upper.size() + 8);
    for (const QChar c : upper) {
        if (c == QLatin1Char('[') || c == QLatin1Char('#') || c == QLatin1Char('?') || c == QLatin1Char('*'))
            pattern += QLatin1Char('[') + c + QLatin1Char(']');
        else
            pattern += c;
    }
    return pattern;
}

} // namespace tess
