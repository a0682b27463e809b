#pragma once
// Whole files on disk: reading one, writing one through QSaveFile (a crash or a failure leaves the
// old file as it was), their read-only state, and the program's error number of each failure.
//
// Failures map by their real cause:
//   53 file not found     the file to read, or whose state to change, does not exist
//   70 permission denied  a write-protected file, or a folder the user may not write into
//   75 path/file access   a folder stands where the file should be, a full disk, any other I/O error
//   76 path not found     the file's folder does not exist
//
// A write is complete only when every byte was accepted and the file put in place: any refused byte
// cancels the save, the old file stays, and the reason names the cause ("Disk full (...)" for a
// full disk or a file grown past the system's size limit).

#include <QByteArray>
#include <QIODevice>
#include <QSaveFile>
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

// The whole content of a file. bytes is empty after a failure.
FileResult readWholeFile(const QString &path, QByteArray &bytes);
// The whole content of a file handed to take in pieces of at most pieceSize bytes, in order, through
// one buffer (no copy of the whole file is made). Fails as readWholeFile fails, also after some
// pieces were taken.
FileResult readFileInPieces(const QString &path, qsizetype pieceSize, const std::function<void(QByteArrayView)> &take);

// Replaces the file's content with bytes, or creates it. The bytes go to a temporary file beside it
// that takes the file's place only once it is complete, so a failure (or a crash) leaves the old
// file. A read-only file is never replaced.
FileResult writeWholeFile(const QString &path, const QByteArray &bytes);

// A file written whole in pieces (a stream, a copy): the device every writer of a whole file uses.
// The bytes go unbuffered to a temporary file beside the file, so a refused byte shows at the write
// that refused it; after the first failed write every later write fails too, and finish() cancels
// instead of putting the file in place. Destroyed unfinished, it cancels: the old file stays.
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

    // Opens the temporary file. Fails as writeWholeFile fails (76, 75, 70 also for a read-only file).
    FileResult start();
    // Puts the file in place when every write succeeded; otherwise cancels and returns the failure.
    FileResult finish();
    // Drops what was written: the old file stays.
    void cancel();
    // The first failure so far (ok while every write succeeded).
    const FileResult &result() const { return m_result; }
    QString path() const { return m_file.fileName(); }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QSaveFile m_file;
    FileResult m_result;
};

// Writes every byte to a file opened unbuffered (a buffered file would take bytes the disk refuses
// later). False when the system refused any: reason then names the cause ("Disk full (...)" for a
// full disk). The rule every writer of the program follows; whole files use WholeFileWriter.
bool writeAllTo(QFileDevice &file, const char *data, qint64 size, QString &reason);

// Whether path names a regular file or a link to one: the only kind the program reads as text or
// lists as a drawing (a pipe can keep a reader waiting for ever, a device never ends).
bool isRegularFile(const QString &path);
// "It is not a regular file (a pipe, device or socket)": the reason given for any other kind.
QString notRegularFileText();

// Read-only: the owner's write permission is missing (the read-only attribute on Windows); elsewhere
// also a file this process's effective user may not write (another user's, or on a read-only mount).
bool isReadOnlyFile(const QString &path);

// Sets or clears only the write permission of an existing file.
FileResult setReadOnlyFile(const QString &path, bool readOnly);

} // namespace tess
