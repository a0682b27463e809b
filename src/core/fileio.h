#pragma once
// Whole files on disk: reading one, writing one through a temporary file beside it (a crash or a
// failure leaves the old file as it was), appending to one, their read-only state, and the
// program's error number of each failure.
//
// Failures map by their real cause:
//   53 file not found     the file to read, or whose state to change, does not exist
//   70 permission denied  a write-protected file, or a folder the user may not write into
//   75 path/file access   anything but a regular file stands at the name (a folder, a pipe, a device,
//                         a socket, a link to nothing or a link of another user), a full disk, any
//                         other I/O error
//   76 path not found     the file's folder does not exist
//
// A write is complete only when every byte was accepted, reached the disk (the file synced and
// closed without an error) and the file was put in place: any failure cancels the save, the old file
// stays, and the reason names the cause ("Disk full (...)" for a full disk, a quota or a file grown
// past the system's size limit, "Disk error (...)" for a failing disk).
//
// Only regular files are read, appended to or replaced; a link to a regular file is followed (and
// stays a link when the file behind it is replaced). Nothing is ever opened in a way that could wait
// on a pipe.

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <functional>

namespace tess {

constexpr int kFileNotFound = 53;
constexpr int kPermissionDenied = 70;
constexpr int kPathFileAccessError = 75;
constexpr int kPathNotFound = 76;

struct FileResult {
    int error = 0;  // 0, or one of the numbers above
    QString path;   // the file concerned
    QString reason; // the system's reason when error != 0
    bool ok() const { return error == 0; }
};

// Opens a file that must be a regular file (or a link to one) for reading (ReadOnly) or appending
// (WriteOnly | Append, created when missing). A pipe never makes the open wait: on POSIX the file is
// opened without blocking and what was opened is looked at, so a pipe or device put at the name
// after any earlier look is refused too. Fails with 53 (a file to read is missing), 75 (not a
// regular file: the reason names what it is), 70, 76. On success file is open and owns the handle.
FileResult openRegularFile(QFile &file, QIODevice::OpenMode mode);

// The whole content of a file. bytes is empty after a failure.
FileResult readWholeFile(const QString &path, QByteArray &bytes);
// The whole content of a file handed to take in pieces of at most pieceSize bytes, in order, through
// one buffer (no copy of the whole file is made). Fails as readWholeFile fails, also after some
// pieces were taken.
FileResult readFileInPieces(const QString &path, qsizetype pieceSize, const std::function<void(QByteArrayView)> &take);

// Replaces the file's content with bytes, or creates it. The bytes go to a temporary file beside it
// that takes the file's place only once it is complete and on the disk, so a failure (or a crash)
// leaves the old file. A read-only file is never replaced.
FileResult writeWholeFile(const QString &path, const QByteArray &bytes);

// Why a writer may not replace what stands at path, or "" when it may: the name is free, a regular
// file, or a link (the user's own, on POSIX) to one. Else the reason WholeFileWriter::start() gives,
// naming what stands there (a folder, a pipe, a device, a socket, a link to nothing, a link of another
// user).
QString notReplaceableReason(const QString &path);

// Appends bytes to the regular file at path (created when missing), whole or not at all: after a
// refused byte, a failed sync or a failed close the file is cut back to its old length. Done when
// the bytes are on the disk.
FileResult appendToFile(const QString &path, const QByteArray &bytes);

// Copies the regular file from to the new file to, through a WholeFileWriter.
FileResult copyWholeFile(const QString &from, const QString &to);

// A file written whole in pieces (a stream, a copy): the device every writer of a whole file uses.
// The bytes go unbuffered to a temporary file beside the file, so a refused byte shows at the write
// that refused it; after the first failed write every later write fails too, and finish() cancels
// instead of putting the file in place. finish() syncs the temporary file and closes it, and only
// when both succeed renames it over the file. Destroyed unfinished, it cancels: the old file stays.
//
// The name must be free, a regular file, or a link to one that belongs to the user running the
// program (POSIX): the regular file at the end of the links is the one replaced.
//
//     WholeFileWriter out(path);
//     if (FileResult r = out.start(); !r.ok()) return r;
//     out.write(...);                 // as often as needed; a failure is kept in out.result()
//     return out.finish();            // the first failure, or the file is in place
class WholeFileWriter final : public QIODevice
{
public:
    explicit WholeFileWriter(const QString &path);
    ~WholeFileWriter() override;
    WholeFileWriter(const WholeFileWriter &) = delete;
    WholeFileWriter &operator=(const WholeFileWriter &) = delete;

    // Opens the temporary file. Fails as writeWholeFile fails (76, 75 also for a name that is not a
    // regular file, 70 also for a read-only file).
    FileResult start();
    // Puts the file in place when every write succeeded; otherwise cancels and returns the failure.
    FileResult finish();
    // Drops what was written: the old file stays.
    void cancel();
    // The first failure so far (ok while every write succeeded).
    const FileResult &result() const { return m_result; }
    QString path() const { return m_result.path; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    void discard();
    FileResult failed(int error, const QString &reason);

    QFile m_file;      // the temporary file, on m_handle
    int m_handle = -1; // its descriptor (the C runtime's on Windows), -1 when none is open
    QString m_target;  // the regular file replaced: the path, or where its links lead
    QString m_temp;    // the temporary file beside m_target
    FileResult m_result;
};

// Writes every byte to a file opened unbuffered (a buffered file would take bytes the disk refuses
// later). False when the system refused any: reason then names the cause ("Disk full (...)" for a
// full disk). The rule every writer of the program follows; whole files use WholeFileWriter.
bool writeAllTo(QFileDevice &file, const char *data, qint64 size, QString &reason);

// Whether path names a regular file or a link to one: the only kind the program reads as text or
// lists as a drawing (a pipe can keep a reader waiting for ever, a device never ends).
bool isRegularFile(const QString &path);
// The reason given for a name that is not a regular file, naming what it is (links followed):
// "It is a folder, not a file", "It is not a regular file but a pipe (FIFO)", "... but a device",
// "... but a socket", "It is a link to nothing (a dangling link)", "It is not a regular file".
QString notRegularFileText(const QString &path);

// The reason of a failed system call by its code (errno; GetLastError() on Windows): "Disk full (<the
// system's text>)" for a full disk, a quota or a file too large, "Disk error (<text>)" for an I/O
// error, else the system's text.
QString systemErrorReason(int code);

// The two system calls that end the writing of a file, one seam: sync brings the file's data to the
// disk (fdatasync, or fsync where the file system has no fdatasync; FlushFileBuffers on Windows) and
// close lets go of it. Each takes the file's descriptor (the C runtime's on Windows) and the path the
// program writes, and returns 0 or the system's error code; close releases the descriptor either way.
// Tests put calls in place that fail as a full or failing disk does.
struct DiskCalls {
    std::function<int(int handle, const QString &path)> sync;
    std::function<int(int handle, const QString &path)> close;
};
DiskCalls systemDiskCalls();
// Puts calls in place; a missing call is the system's. Returns the calls it replaced.
DiskCalls setDiskCalls(DiskCalls calls);

// Read-only: the owner's write permission is missing (the read-only attribute on Windows); elsewhere
// also a file this process's effective user may not write (another user's, or on a read-only mount).
bool isReadOnlyFile(const QString &path);

// Sets or clears only the write permission of an existing file.
FileResult setReadOnlyFile(const QString &path, bool readOnly);

} // namespace tess
