#include "utilities/queuelistfolder.h"

#include "core/messages.h"
#include "utilities/queuelistfile.h"
#include "utilities/renamerplan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tess {

namespace {

FileResult fileFailure(int error, const QString &path, const QString &reason)
{
    FileResult r;
    r.error = error;
    r.path = path;
    r.reason = reason;
    return r;
}

} // namespace

QString listFileNameProblem(const QString &fileName) { return invalidFileNameReason(fileName); }

bool hasListExtension(const QString &name)
{
    return name.endsWith(QLatin1String(".LST"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".TXT"), Qt::CaseInsensitive);
}

QString sharedListPattern() { return QLatin1Char('*') + QueueListFile::extension(); }

QString personalListPattern(const QString &login)
{
    QString escaped;
    for (const QChar c : login) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
            escaped += QLatin1Char('[') + c + QLatin1Char(']');
        else
            escaped += c;
    }
    return escaped + sharedListPattern();
}

QString textListPattern() { return QStringLiteral("*.TXT"); }

QString listFileOnDisk(const QString &folder, const QString &fileName)
{
    if (!listFileNameProblem(fileName).isEmpty())
        return QString();
    if (QFileInfo(folder + fileName).isFile())
        return fileName;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return name;
    }
    return QString();
}

FileResult saveQueueList(const QString &folder, const QString &fileName, const QStringList &entries)
{
    const QString problem = listFileNameProblem(fileName);
    if (!problem.isEmpty())
        return fileFailure(kPathFileAccessError, folder + fileName, problem);
    const QString onDisk = listFileOnDisk(folder, fileName);
    return QueueListFile::write(folder + (onDisk.isEmpty() ? fileName : onDisk), entries);
}

ListRenameResult renameQueueList(const QString &folder, const QString &oldName, const QString &newName)
{
    ListRenameResult result;
    const QString from = folder + oldName;
    for (const QString &name : {oldName, newName}) {
        const QString problem = listFileNameProblem(name);
        if (!problem.isEmpty()) {
            result.outcome = ListRenameOutcome::Failed;
            result.file = fileFailure(kPathFileAccessError, folder + name, problem);
            return result;
        }
    }
    if (!QFileInfo(from).isFile()) {
        result.outcome = ListRenameOutcome::Failed;
        result.file = fileFailure(kFileNotFound, from, fileNotFoundText());
        return result;
    }
    if (newName == oldName)
        return result;
    // Any entry of the folder equal to the new name ignoring case, other than the list itself.
    const bool caseChangeOnly = newName.compare(oldName, Qt::CaseInsensitive) == 0;
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (name.compare(newName, Qt::CaseInsensitive) == 0 && !(caseChangeOnly && name == oldName)) {
            result.outcome = ListRenameOutcome::NameTaken;
            return result;
        }
    }
    const RenameOutcome r = renameNoReplace(from, folder + newName);
    if (r.ok())
        return result;
    result.outcome =
        r.failure == RenameFailure::TargetExists ? ListRenameOutcome::NameTaken : ListRenameOutcome::Failed;
    const int error = r.failure == RenameFailure::NotFound ? kFileNotFound
                      : r.failure == RenameFailure::Locked ? kPermissionDenied
                                                           : kPathFileAccessError;
    result.file = fileFailure(error, from, r.reason);
    return result;
}

FileResult deleteQueueList(const QString &folder, const QString &fileName)
{
    const QString path = folder + fileName;
    const QString problem = listFileNameProblem(fileName);
    if (!problem.isEmpty())
        return fileFailure(kPathFileAccessError, path, problem);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return fileFailure(kFileNotFound, path, fileNotFoundText());
    if (!info.isFile())
        return fileFailure(kPathFileAccessError, path, QStringLiteral("It is a folder or a device, not a list"));
    if (isReadOnlyFile(path))
        return fileFailure(kPermissionDenied, path, QStringLiteral("The list is read-only"));
    QFile f(path);
    if (!f.remove())
        return fileFailure(f.exists() ? kPermissionDenied : kFileNotFound, path, f.errorString());
    FileResult ok;
    ok.path = path;
    return ok;
}

} // namespace tess
