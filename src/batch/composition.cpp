#include "batch/composition.h"

#include "batch/batchscriptwriter.h"
#include "batch/drawingaccess.h"
#include "batch/projecttags.h"
#include "batch/queueverification.h"
#include "core/fileio.h"
#include "core/listutils.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tess {

namespace {

const QLatin1String kCrLf("\r\n");

QString writeFailureMessage(const FileResult &r)
{
    return fileFailureMessage(QStringLiteral("The batch script could not be written"), r);
}
constexpr qsizetype kListedConflicts = 20; // lines of the SAVEAS question; the rest are counted

// The key two paths share when they name the same file.
QString identity(const QString &path, Qt::CaseSensitivity cs)
{
    return cs == Qt::CaseInsensitive ? path.toCaseFolded() : path;
}

// Why an existing file does not open for reading and writing: 0 when it does, 70 when another
// program holds it, 75 when this user may not write it (or any other refusal).
int readWriteOpenError(const QString &path)
{
#ifdef Q_OS_WIN
    const HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()),
                                 GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return 0;
    }
    const DWORD cause = GetLastError();
    return cause == ERROR_SHARING_VIOLATION || cause == ERROR_LOCK_VIOLATION ? kPermissionDenied : kPathFileAccessError;
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return 0;
    }
    // Held: a lease another program holds on it (a file server's for a client that has it open), or
    // a program being run from it.
    return errno == EWOULDBLOCK || errno == ETXTBSY ? kPermissionDenied : kPathFileAccessError;
#endif
}

} // namespace

BatchScriptInput batchScriptInputOf(const CompositionSnapshot &snap)
{
    const MainSettings &s = snap.settings;
    BatchScriptInput in;
    in.applySettings(s);
    in.programVersion = snap.programVersion;
    in.preBatch = s.PreBatch;
    in.preUserScript = s.PreUserScript;
    in.postUserScript = s.PostUserScript;
    in.postBatch = s.PostBatch;
    in.includeStatus = s.IncludeStatus != 0;
    in.userScript = snap.userScript;
    in.queue = snap.queue;
    in.testRun = s.TestRun != 0;
    in.saveAs = s.SAVEAS != 0;
    in.overwriteExisting = s.OverWriteFiles != 0;
    in.outFormat = s.SaveAsType;
    in.prefix = s.NamePrefix;
    in.suffix = s.NameSuffix;
    in.originalLocation = s.SaveAsOriginalLocation != 0;
    in.specFolder = s.DWGOutFolder;
    return in;
}

int outputFileError(const QString &path)
{
    const QString folder = FolderOf(path);
    if (path.isEmpty() || (!folder.isEmpty() && !QFileInfo(folder).isDir()))
        return kPathNotFound;
    const QFileInfo fi(path);
    if (fi.isDir())
        return kPathFileAccessError;
    if (fi.exists()) {
        if (isReadOnlyFile(path))
            return kPathFileAccessError;
        // Writable by its attributes, yet not to be opened for writing: held by another program, or
        // refused to this user.
        if (const int refused = readWriteOpenError(path))
            return refused;
    }
    if (!QFileInfo(folder.isEmpty() ? QStringLiteral(".") : folder).isWritable())
        return kPathFileAccessError;
    return 0;
}

QString outputFileMessageTitle(int error)
{
    return error == kPathNotFound ? QStringLiteral("Tessaline Setup Alert") : alertTitle();
}

QString outputFileMessage(int error, const QString &path)
{
    switch (error) {
    case kPermissionDenied:
        return QStringLiteral("The Output Script file is Read-Only.\rPlease wait for AutoCAD to finish using the "
                              "Script,\rbefore you try overwriting it with anoth another.");
    case kPathNotFound:
        return QStringLiteral("Tessaline script output path not found, please confirm this location.\r\n"
                              "(Please use AutoCAD SUPPORT directory)\r\n\r\n") +
               path;
    default:
        return QStringLiteral("Please confirm your Tessaline Batch Script OUTPUT Path and file are NOT READ-ONLY."
                              "\r\n\r\n(i.e. ") +
               path + QStringLiteral(" should NOT be READ-ONLY).\r");
    }
}

QStringList saveAsTargetConflicts(const QStringList &queue, const QStringList &targets, Qt::CaseSensitivity cs)
{
    QHash<QString, qsizetype> queued; // identity -> first queue index
    for (qsizetype i = 0; i < queue.size(); ++i)
        queued.insert(identity(queue.at(i), cs), i);
    QHash<QString, QList<qsizetype>> byTarget;
    QStringList order;
    for (qsizetype i = 0; i < targets.size() && i < queue.size(); ++i) {
        const QString key = identity(targets.at(i), cs);
        auto it = byTarget.find(key);
        if (it == byTarget.end()) {
            order << key;
            it = byTarget.insert(key, {});
        }
        it->append(i);
    }
    QStringList lines;
    for (const QString &key : order) {
        const QList<qsizetype> &drawings = byTarget.value(key);
        // A target that is a queued drawing other than the one saved to it.
        bool overQueued = false;
        if (queued.contains(key)) {
            for (const qsizetype i : drawings)
                overQueued = overQueued || identity(queue.at(i), cs) != key;
        }
        if (drawings.size() < 2 && !overQueued)
            continue;
        QStringList names;
        for (const qsizetype i : drawings)
            names << queue.at(i);
        lines << targets.at(drawings.first()) + QStringLiteral("  <-  ") + names.join(QStringLiteral(", ")) +
                     (overQueued ? QStringLiteral("  (over a drawing of the queue)") : QString());
    }
    return lines;
}

CompositionResult composeBatchScript(const CompositionSnapshot &snap,
                                     const std::function<void(qsizetype done, qsizetype total)> &progress)
{
    CompositionResult result;
    const QString path = snap.settings.SCROutputPath;
    BatchScriptInput in = batchScriptInputOf(snap);
    const ProjectTagSet projects = ProjectTagSet::loadFromDataFolder();
    const Qt::CaseSensitivity cs = pathCaseSensitivity();

    // The SAVEAS targets, before anything is written.
    if (in.saveAs) {
        QStringList targets;
        const BatchWriteResult listed = batchSaveAsTargets(in, projects, targets);
        if (!listed.ok()) {
            result.status = CompositionResult::Failed;
            result.message = listed.message;
            result.projectFile = listed.status == BatchWriteResult::ProjectFileError;
            return result;
        }
        const QStringList conflicts = saveAsTargetConflicts(in.queue, targets, cs);
        if (!conflicts.isEmpty()) {
            QString text = QStringLiteral("These SAVEAS targets would be written more than once, or over another "
                                          "drawing of the queue:") +
                           kCrLf;
            for (qsizetype i = 0; i < conflicts.size() && i < kListedConflicts; ++i)
                text += kCrLf + conflicts.at(i);
            if (conflicts.size() > kListedConflicts)
                text += kCrLf + QStringLiteral("... and %1 more").arg(conflicts.size() - kListedConflicts);
            text += kCrLf + kCrLf + QStringLiteral("OK creates the batch script all the same; Cancel stops.");
            if (msgBox(text, vbOKCancel | vbExclamation | vbDefaultButton2, alertTitle()) != vbOK) {
                result.status = CompositionResult::Cancelled;
                return result;
            }
        }
    }

    // The output file. Anything but a regular file at its name (a pipe, a device, a link to nothing)
    // is named for what it is, and never opened.
    if (const QString why = notReplaceableReason(path); !why.isEmpty() && !QFileInfo(path).isDir()) {
        result.status = CompositionResult::Failed;
        result.message = writeFailureMessage(FileResult{kPathFileAccessError, path, why});
        return result;
    }
    if (const int error = outputFileError(path)) {
        result.status = CompositionResult::OpenFailed;
        result.error = error;
        return result;
    }
    WholeFileWriter file(path);
    if (const FileResult started = file.start(); !started.ok()) {
        result.status = CompositionResult::OpenFailed;
        result.error = started.error;
        return result;
    }

    // A target written earlier in this batch exists by the time AutoCAD saves the later drawing.
    QSet<QString> written;
    PathExistence targets;
    in.targetExists = [&written, &targets, cs](const QString &target, const QString &name) {
        const QString key = identity(target, cs);
        const bool earlier = written.contains(key);
        written.insert(key);
        return earlier || targets.exists(target, name) != 0;
    };
    auto access = std::make_shared<DrawingAccessCache>();
    in.drawingState = [access](qsizetype, const QString &drawing) {
        const DrawingAccess a = access->of(drawing);
        BatchDrawingState state;
        state.available = a.usable;
        state.readOnly = a.readOnly;
        return state;
    };
    in.progress = progress;

    const BatchWriteResult r = writeBatchScript(file, in, projects);
    result.dates = r.dates;
    if (!r.ok()) {
        file.cancel();
        result.status = CompositionResult::Failed;
        // A refused write is named by its cause; any other failure by the writer's message.
        result.message = file.result().ok() ? r.message : writeFailureMessage(file.result());
        result.projectFile = r.status == BatchWriteResult::ProjectFileError;
        if (file.result().ok() && r.status == BatchWriteResult::WriteFailed)
            result.message += kCrLf + path;
        return result;
    }
    if (const FileResult done = file.finish(); !done.ok()) {
        result.status = CompositionResult::Failed;
        result.message = writeFailureMessage(done);
        return result;
    }
    result.composed = in.queue.size();
    result.bytes = r.bytesWritten;
    return result;
}

} // namespace tess
