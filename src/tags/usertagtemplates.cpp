#include "tags/usertagtemplates.h"

#include "batch/projecttags.h"
#include "core/like.h"
#include "core/pathhelpers.h"
#include "core/textfiles.h"
#include "tags/datafilenames.h"

#include <QFile>
#include <algorithm>

namespace tess {

namespace {

FileResult notFound(const QString &path)
{
    FileResult r;
    r.error = kFileNotFound;
    r.path = path;
    r.reason = fileErrorDescription(kFileNotFound);
    return r;
}

// The existing template file of that name (without extension), or "".
QString existingTemplatePath(const QString &dataFolder, const QString &name)
{
    const QString onDisk = findFileIgnoringCase(dataFolder, name + templateExtension());
    return onDisk.isEmpty() ? QString() : joinPath(withTrailingSeparator(dataFolder), onDisk);
}

} // namespace

QString templateExtension() { return QStringLiteral(".TAG"); }

QStringList templateNames(const QString &dataFolder)
{
    const QString ext = templateExtension();
    QStringList names;
    for (const QString &file : filesWithExtension(dataFolder, ext)) {
        const QString title = file.left(file.size() - ext.size());
        if (!isAcceptableDataFileName(title))
            continue;
        const QString name = title.toUpper();
        if (!names.contains(name))
            names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return textCompare(a, b) < 0; });
    return names;
}

TemplateRead readTemplate(const QString &dataFolder, const QString &fileName)
{
    TemplateRead r;
    const qsizetype titleSize = fileName.size() - templateExtension().size();
    if (titleSize <= 0 || !isAcceptableDataFileName(fileName.left(titleSize)))
        return r;
    const QString onDisk = findFileIgnoringCase(dataFolder, fileName);
    if (onDisk.isEmpty())
        return r;
    QByteArray bytes;
    const FileResult read = readWholeFile(joinPath(withTrailingSeparator(dataFolder), onDisk), bytes);
    if (!read.ok()) {
        r.status = read.error == kFileNotFound ? TemplateRead::NotFound : TemplateRead::Failed;
        return r;
    }
    r.status = TemplateRead::Found;
    r.lines = splitTextLines(decodeText(bytes, QStringConverter::System));
    if (r.lines.size() > kUserTagCount)
        r.lines.resize(kUserTagCount);
    return r;
}

QByteArray templateFileBytes(const std::array<QString, kUserTagCount> &tags)
{
    QStringList lines;
    for (const QString &t : tags)
        lines << withoutLineBreaks(t);
    return fileBytesFromText(lines.join(QLatin1Char('\n')));
}

FileResult writeTemplate(const QString &dataFolder, const QString &fileName,
                         const std::array<QString, kUserTagCount> &tags)
{
    return writeWholeFile(filePathForWriting(dataFolder, fileName), templateFileBytes(tags));
}

TemplateFileState templateFileState(const QString &dataFolder, const QString &name)
{
    const QString path = existingTemplatePath(dataFolder, name);
    if (path.isEmpty())
        return TemplateFileState::Missing;
    return isReadOnlyFile(path) ? TemplateFileState::ReadOnly : TemplateFileState::Writable;
}

FileResult deleteTemplate(const QString &dataFolder, const QString &name)
{
    const QString path = existingTemplatePath(dataFolder, name);
    if (path.isEmpty())
        return notFound(joinPath(withTrailingSeparator(dataFolder), name + templateExtension()));
    FileResult r;
    r.path = path;
    if (isReadOnlyFile(path)) {
        r.error = kPermissionDenied;
        r.reason = fileErrorDescription(kPermissionDenied);
        return r;
    }
    QFile f(path);
    if (!f.remove()) {
        r.error = f.exists() ? kPermissionDenied : kFileNotFound;
        r.reason = f.errorString();
    }
    return r;
}

FileResult setTemplateReadOnly(const QString &dataFolder, const QString &name, bool readOnly)
{
    const QString path = existingTemplatePath(dataFolder, name);
    if (path.isEmpty())
        return notFound(joinPath(withTrailingSeparator(dataFolder), name + templateExtension()));
    return setReadOnlyFile(path, readOnly);
}

} // namespace tess
