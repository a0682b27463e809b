#include "core/fileio.h"

#include "core/messages.h"
#include "core/pathhelpers.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#endif

namespace tess {

namespace {

// The system's code of the last failed call on this thread is cleared before a write, so that a
// code read after the write belongs to it.
void clearSystemError()
{
#ifdef Q_OS_WIN
    ::SetLastError(0);
#else
    errno = 0;
#endif
}

// Whether the last failed call on this thread failed for want of space: a full disk, a quota, or
// a file grown past the size the system allows.
bool systemErrorIsDiskFull()
{
#ifdef Q_OS_WIN
    const DWORD code = ::GetLastError();
    return code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL || code == ERROR_FILE_TOO_LARGE;
#else
    const int code = errno;
#ifdef EDQUOT
    if (code == EDQUOT)
        return true;
#endif
    return code == ENOSPC || code == EFBIG;
#endif
}

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

namespace {

// Opens a file to be read whole: it must exist and be a regular file.
FileResult openWholeFile(QFile &f)
{
    const QString path = f.fileName();
    FileResult r = checkPlace(path);
    if (!r.ok())
        return r;
    const QFileInfo fi(path);
    if (!fi.exists())
        return failure(kFileNotFound, path, fileNotFoundText());
    // A pipe or a device has no whole content (and reading a pipe could wait for ever).
    if (!fi.isFile())
        return failure(kPathFileAccessError, path, notRegularFileText());
    if (!f.open(QIODevice::ReadOnly))
        return failure(openErrorNumber(f, path, false), path, f.errorString());
    return r;
}

} // namespace

FileResult readWholeFile(const QString &path, QByteArray &bytes)
{
    bytes.clear();
    QFile f(path);
    const FileResult r = openWholeFile(f);
    if (!r.ok())
        return r;
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        bytes.clear();
        return failure(kPathFileAccessError, path, f.errorString());
    }
    return r;
}

FileResult readFileInPieces(const QString &path, qsizetype pieceSize, const std::function<void(QByteArrayView)> &take)
{
    QFile f(path);
    const FileResult r = openWholeFile(f);
    if (!r.ok())
        return r;
    QByteArray piece(pieceSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = f.read(piece.data(), pieceSize);
        if (n < 0)
            return failure(kPathFileAccessError, path, f.errorString());
        if (n == 0)
            return r;
        take(QByteArrayView(piece.constData(), n));
    }
}

FileResult writeWholeFile(const QString &path, const QByteArray &bytes)
{
    WholeFileWriter f(path);
    if (FileResult r = f.start(); !r.ok())
        return r;
    f.write(bytes);
    return f.finish();
}

WholeFileWriter::WholeFileWriter(const QString &path) : m_file(path) { m_result.path = path; }

WholeFileWriter::~WholeFileWriter() { cancel(); }

FileResult WholeFileWriter::start()
{
    const QString path = m_file.fileName();
    m_result = checkPlace(path);
    // The replacement would take the place of a read-only file without asking: refuse it.
    if (m_result.ok() && isReadOnlyFile(path))
        m_result = failure(kPermissionDenied, path, QStringLiteral("The file is read-only"));
    // Unbuffered: a buffered QSaveFile can take bytes the disk then refuses at commit() and still
    // report the commit as done, leaving a short file in place of the old one.
    if (m_result.ok() && !m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        m_result = failure(openErrorNumber(m_file, path, true), path, m_file.errorString());
    if (m_result.ok())
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return m_result;
}

qint64 WholeFileWriter::readData(char *, qint64) { return -1; }

qint64 WholeFileWriter::writeData(const char *data, qint64 size)
{
    if (!m_result.ok() || !m_file.isOpen())
        return -1;
    QString reason;
    if (!writeAllTo(m_file, data, size, reason)) {
        m_result = failure(kPathFileAccessError, m_file.fileName(), reason);
        setErrorString(reason);
        m_file.cancelWriting();
        return -1;
    }
    return size;
}

namespace {

// The file a save is about to replace, held open while the new one is put in place: the old file's
// pages are then freed when it is closed, on a thread of its own, instead of inside the rename that
// replaces it (for a file of a gigabyte that takes a good part of a second). Small files are not
// worth a thread; on Windows an open file could not be replaced, so nothing is held there.
class OldFileRelease
{
public:
    explicit OldFileRelease(const QString &path)
    {
#ifndef Q_OS_WIN
        constexpr off_t kWorthAThread = 16 * 1024 * 1024;
        const QByteArray native = QFile::encodeName(path);
        const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= kWorthAThread)
            m_fd = fd;
        else
            ::close(fd);
#else
        Q_UNUSED(path);
#endif
    }
    ~OldFileRelease()
    {
#ifndef Q_OS_WIN
        if (m_fd < 0)
            return;
        try {
            std::thread([fd = m_fd] { ::close(fd); }).detach();
        } catch (const std::system_error &) {
            ::close(m_fd); // no thread to be had: freed here, as without the hold
        }
#endif
    }
    OldFileRelease(const OldFileRelease &) = delete;
    OldFileRelease &operator=(const OldFileRelease &) = delete;

private:
    int m_fd = -1;
};

} // namespace

FileResult WholeFileWriter::finish()
{
    if (!m_file.isOpen()) // never started, or cancelled
        return m_result.ok() ? failure(kPathFileAccessError, m_file.fileName(), QStringLiteral("Nothing was written"))
                             : m_result;
    QIODevice::close();
    if (!m_result.ok()) {
        m_file.cancelWriting();
        m_file.commit(); // only closes: a cancelled save never replaces the file
        return m_result;
    }
    const OldFileRelease old(m_file.fileName());
    if (!m_file.commit())
        m_result = failure(kPathFileAccessError, m_file.fileName(), m_file.errorString());
    return m_result;
}

void WholeFileWriter::cancel()
{
    if (QIODevice::isOpen())
        QIODevice::close();
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit(); // closes the cancelled file and removes the temporary one
    }
}

bool writeAllTo(QFileDevice &file, const char *data, qint64 size, QString &reason)
{
    // The system may take part of a piece at a time: the rest is offered until it is all taken or
    // refused, so that a refusal comes with its cause.
    qint64 done = 0;
    while (done < size) {
        clearSystemError();
        const qint64 n = file.write(data + done, size - done);
        if (n <= 0) {
            const bool full = systemErrorIsDiskFull();
            reason = file.errorString();
            if (full)
                reason = QStringLiteral("Disk full (") + reason + QLatin1Char(')');
            else if (reason.isEmpty())
                reason = pathFileAccessErrorText();
            return false;
        }
        done += n;
    }
    return true;
}

bool isRegularFile(const QString &path) { return QFileInfo(path).isFile(); }

QString notRegularFileText() { return QStringLiteral("It is not a regular file (a pipe, device or socket)"); }

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        return false;
    if (!(fi.permissions() & QFileDevice::WriteOwner))
        return true;
#ifdef Q_OS_WIN
    return false;
#else
    // The owner may write it; whether this process may is the system's answer for its effective
    // user (another user's file, a file system mounted read-only).
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) != 0;
#endif
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
