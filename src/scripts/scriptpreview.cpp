#include "scripts/scriptpreview.h"

#include "core/pathhelpers.h"
#include "core/textfiles.h"

#include <QFileInfo>

namespace tess {

namespace {

ScriptPreview refused(const QString &path, const QString &reason)
{
    ScriptPreview r;
    r.error = kPathFileAccessError;
    r.path = path;
    r.reason = reason;
    r.notText = true;
    return r;
}

QString tooLargeReason() { return QStringLiteral("It is not a text script: it is larger than 1 MB."); }

} // namespace

ScriptPreview readScriptPreview(const QString &path)
{
    // The size first, so a large file is never read whole.
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxPreviewBytes)
        return refused(path, tooLargeReason());
    QByteArray bytes;
    ScriptPreview r;
    static_cast<FileResult &>(r) = readWholeFile(path, bytes);
    if (!r.ok())
        return r;
    if (bytes.size() > kMaxPreviewBytes) // grown since it was measured
        return refused(path, tooLargeReason());
    if (bytes.contains('\0'))
        return refused(path, QStringLiteral("It is not a text script: it holds NUL characters."));
    r.text = textFromFileBytes(bytes);
    return r;
}

QString scriptNameOfPreviewed(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QString name = FileNameOf(path);
    if (name.endsWith(QLatin1String(".scr"), Qt::CaseInsensitive))
        return name.chopped(4);
    return name;
}

} // namespace tess
