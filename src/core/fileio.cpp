#include "core/fileio.h"

#include "core/messages.h"
#include "core/pathhelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
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

// Whether the system's error code means a want of space: a full disk, a quota, or a file grown past
// the size the system allows.
bool isDiskFullCode(int code)
{
#ifdef Q_OS_WIN
    return code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL || code == ERROR_FILE_TOO_LARGE;
#else
#ifdef EDQUOT
    if (code == EDQUOT)
        return true;
#endif
    return code == ENOSPC || code == EFBIG;
#endif
}

// Whether the last failed call on this thread failed for want of space.
bool systemErrorIsDiskFull()
{
#ifdef Q_OS_WIN
    return isDiskFullCode(int(::GetLastError()));
#else
    return isDiskFullCode(errno);
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
// error. Some systems report a refused open as a plain open error, so the access is checked as well.
int openErrorNumber(bool refused, const QString &path, bool writing)
{
    if (refused)
        return kPermissionDenied;
    if (writing) {
        const QFileInfo fi(path);
        const QString folder = FolderOf(path);
        const QFileInfo dir(folder.isEmpty() ? QStringLiteral(".") : folder);
        if ((fi.exists() && !fi.isWritable()) || (dir.isDir() && !dir.isWritable()))
            return kPermissionDenied;
    } else if (!QFileInfo(path).isReadable()) {
        return kPermissionDenied;
    }
    return kPathFileAccessError;
}

// ---- What stands at a name ----

enum class Kind { Missing, Regular, Folder, Pipe, Device, Socket, Link, Other };

// The entry at a name, links not followed.
struct Entry {
    Kind kind = Kind::Missing;
    bool foreignLink = false; // a link that belongs to another user than the one running the program
    int code = 0;             // the system's error code when the name could not be looked at
};

#ifndef Q_OS_WIN
Kind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return Kind::Regular;
    if (S_ISDIR(mode))
        return Kind::Folder;
    if (S_ISFIFO(mode))
        return Kind::Pipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Kind::Device;
    if (S_ISSOCK(mode))
        return Kind::Socket;
    if (S_ISLNK(mode))
        return Kind::Link;
    return Kind::Other;
}
#endif

Entry entryAt(const QString &path)
{
    Entry e;
#ifdef Q_OS_WIN
    const QFileInfo fi(path);
    if (fi.isSymbolicLink())
        e.kind = Kind::Link;
    else if (!fi.exists())
        e.kind = Kind::Missing;
    else if (fi.isDir())
        e.kind = Kind::Folder;
    else
        e.kind = fi.isFile() ? Kind::Regular : Kind::Other;
#else
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        e.code = errno;
        return e;
    }
    e.kind = kindOfMode(st.st_mode);
    // The rule the system applies to links in shared folders: a link is followed only for its owner.
    e.foreignLink = e.kind == Kind::Link && st.st_uid != ::geteuid();
#endif
    return e;
}

// What the name is, links followed: Kind::Link for a link to nothing.
Kind kindBehind(const QString &path)
{
    QString current = path;
    for (int depth = 0; depth < 40; ++depth) {
        const Entry e = entryAt(current);
        if (e.kind != Kind::Link)
            return e.kind == Kind::Missing && depth > 0 ? Kind::Link : e.kind;
        current = QFileInfo(current).symLinkTarget();
        if (current.isEmpty())
            return Kind::Link;
    }
    return Kind::Other;
}

QString notRegularText(Kind kind, bool throughLink)
{
    const QString start = throughLink ? QStringLiteral("It is a link to ") : QStringLiteral("It is ");
    const QString notRegular =
        throughLink ? QStringLiteral(", not to a regular file") : QStringLiteral(", not a regular file");
    switch (kind) {
    case Kind::Folder:
        return start + QStringLiteral("a folder, not ") +
               (throughLink ? QStringLiteral("to a file") : QStringLiteral("a file"));
    case Kind::Pipe: return start + QStringLiteral("a pipe (FIFO)") + notRegular;
    case Kind::Device: return start + QStringLiteral("a device") + notRegular;
    case Kind::Socket: return start + QStringLiteral("a socket") + notRegular;
    case Kind::Link: return QStringLiteral("It is a link to nothing (a dangling link)");
    case Kind::Missing:
    case Kind::Regular:
    case Kind::Other: break;
    }
    return QStringLiteral("It is not a regular file");
}

// The regular file a writer replaces for the name path: the name itself when it is free or a regular
// file, else the regular file at the end of its links, each of them the user's own. Anything else
// is refused (75) with a reason naming what stands there.
FileResult resolveWriteTarget(const QString &path, QString &target)
{
    FileResult ok;
    ok.path = path;
    QString current = path;
    for (int depth = 0; depth < 40; ++depth) {
        const Entry e = entryAt(current);
        switch (e.kind) {
        case Kind::Regular: target = current; return ok;
        case Kind::Missing:
            if (depth > 0 && (e.code == 0 || e.code == ENOENT || e.code == ENOTDIR))
                return failure(kPathFileAccessError, path, notRegularText(Kind::Link, false));
            target = current; // a new file, or one the open names the failure of
            return ok;
        case Kind::Link:
            if (e.foreignLink)
                return failure(kPathFileAccessError, path,
                               QStringLiteral("It is a link that belongs to another user: it is not followed"));
            current = QFileInfo(current).symLinkTarget();
            if (current.isEmpty())
                return failure(kPathFileAccessError, path, notRegularText(Kind::Link, false));
            break;
        default: return failure(kPathFileAccessError, path, notRegularText(e.kind, depth > 0));
        }
    }
    return failure(kPathFileAccessError, path, QStringLiteral("Too many links lead on from it (a loop)"));
}

// ---- The system calls ----

// The reason of a failed call of the C runtime by its errno (the same codes as the system's on POSIX).
QString errnoReason(int code)
{
#ifdef Q_OS_WIN
    const QString text = QString::fromLocal8Bit(std::strerror(code));
    return code == ENOSPC ? QStringLiteral("Disk full (") + text + QLatin1Char(')') : text;
#else
    return systemErrorReason(code);
#endif
}

#ifdef Q_OS_WIN
std::wstring nativeName(const QString &path) { return QDir::toNativeSeparators(path).toStdWString(); }
#else
QByteArray nativeName(const QString &path) { return QFile::encodeName(path); }
#endif

int systemSync(int handle, const QString &)
{
#ifdef Q_OS_WIN
    const HANDLE h = reinterpret_cast<HANDLE>(::_get_osfhandle(handle));
    if (h == INVALID_HANDLE_VALUE)
        return ERROR_INVALID_HANDLE;
    return ::FlushFileBuffers(h) ? 0 : int(::GetLastError());
#else
    // A file system that cannot sync at all says so with one of these: nothing more can be done.
    auto unsupported = [](int code) {
#if ENOTSUP != EOPNOTSUPP
        if (code == EOPNOTSUPP)
            return true;
#endif
        return code == EINVAL || code == ENOSYS || code == ENOTSUP;
    };
    int r = 0;
#if defined(_POSIX_SYNCHRONIZED_IO) && _POSIX_SYNCHRONIZED_IO > 0
    do
        r = ::fdatasync(handle);
    while (r != 0 && errno == EINTR);
    if (r == 0)
        return 0;
    if (!unsupported(errno))
        return errno;
#endif
    do
        r = ::fsync(handle);
    while (r != 0 && errno == EINTR);
    return r == 0 || unsupported(errno) ? 0 : errno;
#endif
}

int systemClose(int handle, const QString &)
{
#ifdef Q_OS_WIN
    return ::_close(handle) == 0 ? 0 : int(ERROR_INVALID_HANDLE);
#else
    // An interrupted close has released the descriptor all the same; the data was synced before.
    return ::close(handle) == 0 || errno == EINTR ? 0 : errno;
#endif
}

DiskCalls &installedCalls()
{
    static DiskCalls calls = systemDiskCalls();
    return calls;
}

// Puts the file from in place of the file to, replacing it. 0, or the system's error code.
int renameOver(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return ::MoveFileExW(nativeName(from).c_str(), nativeName(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : int(::GetLastError());
#else
    return ::rename(nativeName(from).constData(), nativeName(to).constData()) == 0 ? 0 : errno;
#endif
}

void removeFile(const QString &path)
{
#ifdef Q_OS_WIN
    ::_wunlink(nativeName(path).c_str());
#else
    ::unlink(nativeName(path).constData());
#endif
}

// Opens a file that must be regular for reading or appending, never waiting on a pipe. handle is
// the open descriptor (the C runtime's on Windows) on success.
FileResult openRegular(const QString &path, QIODevice::OpenMode mode, int &handle)
{
    handle = -1;
    FileResult r = checkPlace(path);
    if (!r.ok())
        return r;
    const bool writing = mode & QIODevice::WriteOnly;
    // Looked at first so that a device is never opened (opening some has effects of its own).
    const Kind kind = kindBehind(path);
    if (kind == Kind::Missing && !writing)
        return failure(kFileNotFound, path, fileNotFoundText());
    if (kind != Kind::Missing && kind != Kind::Regular)
        return failure(kPathFileAccessError, path, notRegularText(kind, entryAt(path).kind == Kind::Link));
#ifdef Q_OS_WIN
    const int flags = _O_BINARY | _O_NOINHERIT | (writing ? _O_WRONLY | _O_APPEND | _O_CREAT : _O_RDONLY);
    handle = ::_wopen(nativeName(path).c_str(), flags, _S_IREAD | _S_IWRITE);
    if (handle < 0) {
        const int code = errno;
        if (code == ENOENT && !writing)
            return failure(kFileNotFound, path, fileNotFoundText());
        return failure(openErrorNumber(code == EACCES, path, writing), path, errnoReason(code));
    }
#else
    // Without blocking: a pipe put at the name since the look above opens at once (or not at all),
    // and the look at what was opened refuses it.
    const int flags = O_CLOEXEC | O_NONBLOCK | (writing ? O_WRONLY | O_APPEND | O_CREAT : O_RDONLY);
    const QByteArray native = nativeName(path);
    do
        handle = ::open(native.constData(), flags, 0666);
    while (handle < 0 && errno == EINTR);
    if (handle < 0) {
        const int code = errno;
        const Kind now = kindBehind(path);
        if (now != Kind::Missing && now != Kind::Regular)
            return failure(kPathFileAccessError, path, notRegularText(now, entryAt(path).kind == Kind::Link));
        if (code == ENOENT && !writing)
            return failure(kFileNotFound, path, fileNotFoundText());
        return failure(openErrorNumber(code == EACCES || code == EPERM || code == EROFS, path, writing), path,
                       errnoReason(code));
    }
    struct stat st;
    const bool looked = ::fstat(handle, &st) == 0;
    if (!looked || !S_ISREG(st.st_mode)) {
        const Kind opened = looked ? kindOfMode(st.st_mode) : Kind::Other;
        ::close(handle);
        handle = -1;
        return failure(kPathFileAccessError, path, notRegularText(opened, entryAt(path).kind == Kind::Link));
    }
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
#endif
    return r;
}

// Opens a file to be read whole: it must exist and be a regular file.
FileResult openWholeFile(QFile &f) { return openRegularFile(f, QIODevice::ReadOnly); }

} // namespace

DiskCalls systemDiskCalls() { return DiskCalls{systemSync, systemClose}; }

DiskCalls setDiskCalls(DiskCalls calls)
{
    const DiskCalls system = systemDiskCalls();
    if (!calls.sync)
        calls.sync = system.sync;
    if (!calls.close)
        calls.close = system.close;
    return std::exchange(installedCalls(), std::move(calls));
}

QString systemErrorReason(int code)
{
#ifdef Q_OS_WIN
    QString text;
    wchar_t *buffer = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, DWORD(code), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    if (buffer) {
        text = QString::fromWCharArray(buffer).trimmed();
        ::LocalFree(buffer);
    }
    if (text.isEmpty())
        text = QStringLiteral("System error %1").arg(code);
    const bool diskError = code == ERROR_IO_DEVICE || code == ERROR_CRC;
#else
    const QString text = qt_error_string(code);
    const bool diskError = code == EIO;
#endif
    if (isDiskFullCode(code))
        return QStringLiteral("Disk full (") + text + QLatin1Char(')');
    if (diskError)
        return QStringLiteral("Disk error (") + text + QLatin1Char(')');
    return text;
}

FileResult openRegularFile(QFile &file, QIODevice::OpenMode mode)
{
    const QString path = file.fileName();
    int handle = -1;
    FileResult r = openRegular(path, mode, handle);
    if (!r.ok())
        return r;
    if (!file.open(handle, mode, QFileDevice::AutoCloseHandle)) {
#ifdef Q_OS_WIN
        ::_close(handle);
#else
        ::close(handle);
#endif
        return failure(kPathFileAccessError, path, file.errorString());
    }
    return r;
}

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

QString notReplaceableReason(const QString &path)
{
    QString target;
    return resolveWriteTarget(path, target).reason;
}

FileResult appendToFile(const QString &path, const QByteArray &bytes)
{
    int handle = -1;
    FileResult r = openRegular(path, QIODevice::WriteOnly | QIODevice::Append, handle);
    if (!r.ok())
        return r;
    QFile f;
    f.open(handle, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
    const qint64 oldSize = f.size();
    const DiskCalls &calls = installedCalls();
    if (!writeAllTo(f, bytes.constData(), bytes.size(), r.reason))
        r.error = kPathFileAccessError;
    else if (const int code = calls.sync(handle, path); code != 0)
        r = failure(kPathFileAccessError, path, systemErrorReason(code));
    // Bytes that did not all reach the disk are taken back: the file keeps only whole appends.
    if (!r.ok())
        f.resize(oldSize);
    f.close();
    if (const int code = calls.close(handle, path); code != 0 && r.ok()) {
        r = failure(kPathFileAccessError, path, systemErrorReason(code));
        QFile::resize(path, oldSize);
    }
    return r;
}

FileResult copyWholeFile(const QString &from, const QString &to)
{
    constexpr qsizetype kPiece = 1024 * 1024;
    WholeFileWriter out(to);
    if (FileResult r = out.start(); !r.ok())
        return r;
    const FileResult read = readFileInPieces(from, kPiece, [&out](QByteArrayView piece) {
        if (out.result().ok())
            out.write(piece.data(), piece.size());
    });
    if (!read.ok())
        return read; // the writer cancels
    return out.finish();
}

WholeFileWriter::WholeFileWriter(const QString &path) { m_result.path = path; }

WholeFileWriter::~WholeFileWriter() { cancel(); }

FileResult WholeFileWriter::start()
{
    const QString path = m_result.path;
    m_result = checkPlace(path);
    if (m_result.ok())
        m_result = resolveWriteTarget(path, m_target);
    // The replacement would take the place of a read-only file without asking: refuse it.
    if (m_result.ok() && isReadOnlyFile(path))
        m_result = failure(kPermissionDenied, path, QStringLiteral("The file is read-only"));
    if (!m_result.ok())
        return m_result;

        // The temporary file, beside the file it replaces, under a name no other file has.
#ifndef Q_OS_WIN
    struct stat old;
    const bool exists = ::stat(nativeName(m_target).constData(), &old) == 0 && S_ISREG(old.st_mode);
#endif
    int code = EEXIST;
    for (int attempt = 0; m_handle < 0 && code == EEXIST && attempt < 100; ++attempt) {
        QString suffix(6, Qt::Uninitialized);
        static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (QChar &c : suffix)
            c = QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
        m_temp = m_target + QLatin1Char('.') + suffix;
#ifdef Q_OS_WIN
        m_handle = ::_wopen(nativeName(m_temp).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                            _S_IREAD | _S_IWRITE);
#else
        // Until it has the old file's permissions, nobody else may read it.
        m_handle =
            ::open(nativeName(m_temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
#endif
        code = m_handle < 0 ? errno : 0;
    }
    if (m_handle < 0) {
        m_temp.clear();
        m_result = failure(openErrorNumber(code == EACCES || code == EPERM || code == EROFS, path, true), path,
                           code == EEXIST ? pathFileAccessErrorText() : errnoReason(code));
        return m_result;
    }
#ifndef Q_OS_WIN
    if (exists)
        ::fchmod(m_handle, old.st_mode & 0777);
#endif
    // Unbuffered: a buffered file could take bytes the disk refuses later.
    if (!m_file.open(m_handle, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)) {
        const QString reason = m_file.errorString();
        discard();
        m_result = failure(kPathFileAccessError, path, reason);
        return m_result;
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return m_result;
}

qint64 WholeFileWriter::readData(char *, qint64) { return -1; }

qint64 WholeFileWriter::writeData(const char *data, qint64 size)
{
    if (!m_result.ok() || m_handle < 0)
        return -1;
    QString reason;
    if (!writeAllTo(m_file, data, size, reason)) {
        setErrorString(reason);
        failed(kPathFileAccessError, reason);
        return -1;
    }
    return size;
}

void WholeFileWriter::discard()
{
    if (m_file.isOpen())
        m_file.close();
    if (m_handle >= 0) {
        systemClose(std::exchange(m_handle, -1), m_result.path);
    }
    if (!m_temp.isEmpty())
        removeFile(std::exchange(m_temp, QString()));
}

FileResult WholeFileWriter::failed(int error, const QString &reason)
{
    discard();
    m_result = failure(error, m_result.path, reason);
    return m_result;
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
    if (m_handle < 0) // never started, cancelled, or a write failed
        return m_result.ok() ? failure(kPathFileAccessError, m_result.path, QStringLiteral("Nothing was written"))
                             : m_result;
    QIODevice::close();
    m_file.close();
    // The file takes the old one's place only once its bytes are on the disk and it was closed
    // without an error: a sync or a close can be the first to hear of a full or failing disk.
    const DiskCalls &calls = installedCalls();
    if (const int code = calls.sync(m_handle, m_result.path); code != 0)
        return failed(kPathFileAccessError, systemErrorReason(code));
    if (const int code = calls.close(std::exchange(m_handle, -1), m_result.path); code != 0)
        return failed(kPathFileAccessError, systemErrorReason(code));
    const OldFileRelease old(m_target);
    if (const int code = renameOver(m_temp, m_target); code != 0)
        return failed(kPathFileAccessError, systemErrorReason(code));
    m_temp.clear();
    return m_result;
}

void WholeFileWriter::cancel()
{
    if (QIODevice::isOpen())
        QIODevice::close();
    discard();
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

QString notRegularFileText(const QString &path)
{
    return notRegularText(kindBehind(path), entryAt(path).kind == Kind::Link);
}

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
