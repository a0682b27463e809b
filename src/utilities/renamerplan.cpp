#include "utilities/renamerplan.h"
#include "core/fileio.h"
#include "core/messages.h"

#include <QDir>
#include <QFile>
#include <QSet>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tess {

QString invalidFileNameReason(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("empty name");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("reserved name");
    if (name.size() > 255)
        return QStringLiteral("longer than 255 characters");
    for (const QChar c : name) {
        if (c.unicode() < 32)
            return QStringLiteral("control character");
        if (QStringLiteral("\\/:*?\"<>|").contains(c))
            return QStringLiteral("character %1 not allowed").arg(c);
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return QStringLiteral("ends with a dot or a blank");
    // Device names are reserved with any extension: "CON", "nul.dwg", "COM1.txt".
    QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList devices{QStringLiteral("CON"), QStringLiteral("PRN"),    QStringLiteral("AUX"),
                                     QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    bool device = devices.contains(stem);
    if (!device && stem.size() == 4 && (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))))
        device = stem.at(3) >= QLatin1Char('1') && stem.at(3) <= QLatin1Char('9');
    if (device)
        return QStringLiteral("reserved device name");
    return {};
}

QStringList listFolderNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

FinalizePlan planFinalize(const QList<RenameEntry> &entries, const FolderLister &lister)
{
    FinalizePlan plan;
    for (const RenameEntry &e : entries) {
        if (!e.changes())
            continue;
        const QString reason = invalidFileNameReason(e.target);
        if (!reason.isEmpty())
            plan.invalidNames.append(QStringLiteral("%1 (%2)").arg(e.target, reason));
    }

    QSet<QString> seen;
    seen.reserve(entries.size());
    for (const RenameEntry &e : entries) {
        const QString key = e.target.toCaseFolded();
        if (seen.contains(key)) {
            plan.duplicates = true;
            break;
        }
        seen.insert(key);
    }

    // Each folder is read once; its names are compared ignoring case on every platform.
    QHash<QString, QSet<QString>> folders;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const RenameEntry &e = entries.at(i);
        if (!e.changes())
            continue;
        auto it = folders.find(e.folder);
        if (it == folders.end()) {
            QSet<QString> names;
            const QStringList listed = lister(e.folder);
            names.reserve(listed.size());
            for (const QString &n : listed)
                names.insert(n.toCaseFolded());
            it = folders.insert(e.folder, names);
        }
        if (it->contains(e.target.toCaseFolded()))
            plan.collisions.append(i);
    }
    return plan;
}

#ifdef Q_OS_WIN
RenameOutcome renameNoReplace(const QString &from, const QString &to)
{
    // Neither MOVEFILE_REPLACE_EXISTING nor MOVEFILE_COPY_ALLOWED: an existing target or another volume
    // is an error, never a replacement or a copy.
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()), 0))
        return {};
    const DWORD err = GetLastError();
    RenameOutcome r;
    r.code = int(err);
    r.reason = systemErrorReason(int(err));
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: r.failure = RenameFailure::NotFound; break;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: r.failure = RenameFailure::TargetExists; break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED: r.failure = RenameFailure::Locked; break;
    default: r.failure = RenameFailure::Other;
    }
    return r;
}
#else
namespace {

RenameOutcome outcomeOfErrno(int err)
{
    RenameOutcome r;
    r.code = err;
    r.reason = systemErrorReason(err); // a full disk reads "Disk full (...)" as a refused write does
    switch (err) {
    case ENOENT: r.failure = RenameFailure::NotFound; break;
    case EEXIST:
    case ENOTEMPTY: r.failure = RenameFailure::TargetExists; break;
    case EACCES:
    case EPERM:
    case EBUSY:
    case ETXTBSY:
    case EROFS: r.failure = RenameFailure::Locked; break;
    default: r.failure = RenameFailure::Other;
    }
    return r;
}

} // namespace

RenameOutcome renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray f = QFile::encodeName(from);
    const QByteArray t = QFile::encodeName(to);
#if defined(Q_OS_LINUX) && defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return outcomeOfErrno(errno);
#endif
    // A file system without an exclusive rename: a second name that cannot replace, then the first
    // name removed. Where neither works the file stays as it is.
    if (::link(f.constData(), t.constData()) != 0)
        return outcomeOfErrno(errno);
    if (::unlink(f.constData()) != 0) {
        const int err = errno;
        ::unlink(t.constData()); // the file keeps its old name only
        return outcomeOfErrno(err);
    }
    return {};
}
#endif

RenamePass runRenamePass(const QList<RenameEntry> &entries, const RenameFunction &rename,
                         const std::function<void()> &progress)
{
    RenamePass pass;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const RenameEntry &e = entries.at(i);
        if (e.changes()) {
            const RenameOutcome r = rename(e.folder + e.current, e.folder + e.target);
            if (!r.ok()) {
                pass.failedIndex = i;
                pass.failure = r;
                return pass;
            }
            pass.renamed.append(i);
        }
        if (progress)
            progress();
    }
    return pass;
}

QString duplicateNamesMessage() { return QStringLiteral("FileName Collisions Detected, can't rename."); }

QString invalidNamesMessage(const QStringList &invalid)
{
    return QStringLiteral("These new names are not valid file names; nothing was renamed:\r\n\r\n") +
           invalid.join(QStringLiteral("\r\n"));
}

QString collisionQuestion(const QString &target)
{
    return QStringLiteral("The file\r\n%1\r\nalready exists.. (Collision Detected)\r\n\r\nWould you like to continue?")
        .arg(target);
}

QString passStoppedMessage(const QList<RenameEntry> &entries, const RenamePass &pass)
{
    const RenameEntry &e = entries.at(pass.failedIndex);
    QString text;
    switch (pass.failure.failure) {
    case RenameFailure::Locked:
        text =
            QStringLiteral("The file\r\n%1\r\nwas not able to be renamed due to the file being locked.").arg(e.current);
        break;
    case RenameFailure::NotFound:
        text = QStringLiteral("The file\r\n%1\r\nin the source list, was not found.").arg(e.current);
        break;
    case RenameFailure::TargetExists:
    case RenameFailure::Other:
    case RenameFailure::None:
        text = unexpectedErrorText(pass.failure.code, pass.failure.reason, QStringLiteral("cmdDoIt_Click"),
                                   QStringLiteral("Form frmFileRenamer"));
        break;
    }
    text += QStringLiteral("\r\n\r\n%1 -> %2: %3").arg(e.current, e.target, pass.failure.reason);
    text += QStringLiteral("\r\n\r\nThe renaming stopped here; the files after it were not touched.");
    if (pass.renamed.isEmpty()) {
        text += QStringLiteral("\r\nNo file was renamed in this pass.");
    } else {
        text += QStringLiteral("\r\nRenamed in this pass:");
        for (qsizetype i : pass.renamed)
            text += QStringLiteral("\r\n%1 -> %2").arg(entries.at(i).current, entries.at(i).target);
    }
    return text;
}

} // namespace tess
