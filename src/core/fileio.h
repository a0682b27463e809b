#pragma once
// Whole files on disk: reading one, writing one through QSaveFile (a crash or a failure leaves the
// old file as it was), their read-only state, and the program's error number of each failure.
//
// Failures map by their real cause:
//   53 file not found     the file to read, or whose state to change, does not exist
//   70 permission denied  a write-protected file, or a folder the user may not write into
//   75 path/file access   a folder stands where the file should be, a full disk, any other I/O error
//   76 path not found     the file's folder does not exist

#include <QByteArray>
#include <QString>

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

// Replaces the file's content with bytes, or creates it. The bytes go to a temporary file beside it
// that takes the file's place only once it is complete, so a failure (or a crash) leaves the old
// file. A read-only file is never replaced.
FileResult writeWholeFile(const QString &path, const QByteArray &bytes);

// Read-only: the owner's write permission is missing (the read-only attribute on Windows).
bool isReadOnlyFile(const QString &path);

// Sets or clears only the write permission of an existing file.
FileResult setReadOnlyFile(const QString &path, bool readOnly);

} // namespace tess
