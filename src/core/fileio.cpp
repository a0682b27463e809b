#include "core/fileio.h"

#include "core/messages.h"
#include "core/pathhelpers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tess {

namespace {

FileResult failure(int error, const QString &path, const QString &reason)
{
    FileResult r;
    r.error = error;
    r.path = path;
    r.reason = reason;
    return r;
}

// The checks every whole-file operation starts with: the folder must exist (76) and no folder may
// stand where the file should be (75). Returns a failure, or an ok result naming the path.
FileResult checkPlace(const QString &path)
{
    const QString folder = FolderOf(path);
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        return failure(kPathNotFound, path, QStringLiteral("The folder does not exist"));
    if (QFileInfo(path).isDir())
        return failure(kPathFileAccessError, path, QStringLiteral("A folder of that name exists"));
    FileResult ok;
    ok.path = path;
    return ok;
}

// The error number of a file that could not be opened: permission denied when the system says so
// or when the file (reading) or its folder (writing) refuses the access, else a path/file access
// error. Qt reports a refused open as a plain open error on some systems, so the access is checked
// as well.
int openErrorNumber(const QFileDevice &f, const QString &path, bool writing)
{
    if (f.error() == QFileDevice::PermissionsError)
        return kPermissionDenied;
    if (writing) {
        const QString folder = FolderOf(path);
        const QFileInfo dir(folder.isEmpty() ? QStringLiteral(".") : folder);
        if (dir.isDir() && !dir.isWritable())
            return kPermissionDenied;
    } else if (!QFileInfo(path).isReadable()) {
        return kPermissionDenied;
    }
    return kPathFileAccessError;
}

} // namespace

FileResult readWholeFile(const QString &path, QByteArray &bytes)
{
    bytes.clear();
    FileResult r = checkPlace(path);
    if (!r.ok())
        return r;
    const QFileInfo fi(path);
    if (!fi.exists())
        return failure(kFileNotFound, path, fileNotFoundText());
    // A pipe or a device has no whole content (and reading a pipe could wait for ever).
    if (!fi.isFile())
        return failure(kPathFileAccessError, path, QStringLiteral("It is not a regular file"));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return failure(openErrorNumber(f, path, false), path, f.errorString());
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        bytes.clear();
        return failure(kPathFileAccessError, path, f.errorString());
    }
    return r;
}

FileResult writeWholeFile(const QString &path, const QByteArray &bytes)
{
    FileResult r = checkPlace(path);
    if (!r.ok())
        return r;
    // The replacement would take the place of a read-only file without asking: refuse it.
    if (isReadOnlyFile(path))
        return failure(kPermissionDenied, path, QStringLiteral("The file is read-only"));
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return failure(openErrorNumber(f, path, true), path, f.errorString());
    if (f.write(bytes) != bytes.size()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        return failure(kPathFileAccessError, path, reason);
    }
    // Buffered bytes are written here: a full disk shows at the latest now, and the old file stays.
    if (!f.commit())
        return failure(kPathFileAccessError, path, f.errorString());
    return r;
}

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() && !(fi.permissions() & QFileDevice::WriteOwner);
}

FileResult setReadOnlyFile(const QString &path, bool readOnly)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        return failure(kFileNotFound, path, fileNotFoundText());
    QFileDevice::Permissions p = fi.permissions();
    if (readOnly)
        p &= ~(QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther);
    else
        p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    QFile f(path);
    if (!f.setPermissions(p) || isReadOnlyFile(path) != readOnly)
        return failure(kPermissionDenied, path,
                       f.errorString().isEmpty() ? QStringLiteral("Permission denied") : f.errorString());
    FileResult ok;
    ok.path = path;
    return ok;
}

} // namespace tess
