#include "options/resetandbackup.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/pathhelpers.h"
#include "core/settingskeys.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <utility>

namespace tess {

namespace {

QStringList writeKeys(const QList<std::pair<OtherSetting, qint64>> &keys)
{
    QStringList failed;
    for (const auto &[key, value] : keys)
        if (!writeOtherSetting(key, value))
            failed << QString(key.section) + QLatin1Char('\\') + key.key;
    return failed;
}

QString nativeFolder(const QString &path) { return withTrailingSeparator(QDir::toNativeSeparators(path)); }

// The stamp folder's name with "-2", "-3", ... appended from `attempt` 2 on.
QString stampFolderName(const QString &backupRoot, const QString &stamp, int attempt)
{
    return backupRoot + stamp + (attempt > 1 ? QStringLiteral("-%1").arg(attempt) : QString());
}

BackupResult failure(BackupResult r, const QString &path, const QString &reason)
{
    r.ok = false;
    r.failedPath = QDir::toNativeSeparators(path);
    r.reason = reason;
    return r;
}

bool isInside(const QString &path, const QString &folder)
{
    const QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString f = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return p == f || p.startsWith(withTrailingSeparator(f, QLatin1Char('/')));
}

} // namespace

QStringList resetPreviewPositionKeys()
{
    return writeKeys({{OtherKeys::DWGPreviewLeft, kPreviewResetLeft}, {OtherKeys::DWGPreviewTop, kPreviewResetTop}});
}

QStringList resetQuickPickPositionKeys()
{
    namespace K = OtherKeys;
    return writeKeys({{K::QPLeft, 1000},
                      {K::QPTop, 1000},
                      {K::QPWidth, 1890},
                      {K::QPHeight, 4110},
                      {K::QPQueueLeft, 1000},
                      {K::QPQueueTop, 1000},
                      {K::QPQueueWidth, 1890},
                      {K::QPQueueHeight, 4110}});
}

QStringList resetScriptEditorPositionKeys()
{
    return writeKeys({{OtherKeys::SCREditLeft, 0}, {OtherKeys::SCREditTop, 0}});
}

QString backupStamp(const QDateTime &moment) { return moment.toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss")); }

BackupPlan planScriptsBackup(const QString &source, const QDateTime &moment)
{
    BackupPlan plan;
    plan.source = QDir::toNativeSeparators(source);
    plan.backupRoot = nativeFolder(AppEnvironment::subFolder(QStringLiteral("BACKUP")));
    plan.stamp = backupStamp(moment);
    for (int attempt = 1;; ++attempt) {
        plan.stampFolder = stampFolderName(plan.backupRoot, plan.stamp, attempt);
        if (!QFileInfo::exists(plan.stampFolder) && !QFileInfo(plan.stampFolder).isSymLink())
            break;
    }
    plan.target = nativeFolder(joinPath(plan.stampFolder, QStringLiteral("SCRIPTS")));
    return plan;
}

BackupResult runScriptsBackup(const BackupPlan &plan)
{
    BackupResult r;
    r.target = plan.target;
    const QFileInfo src(plan.source);
    if (plan.source.isEmpty() || !src.isDir())
        return failure(r, plan.source, QStringLiteral("The User Scripts folder does not exist."));
    if (isInside(plan.backupRoot, plan.source))
        return failure(r, plan.backupRoot, QStringLiteral("The BACKUP folder lies inside the User Scripts folder."));
    if (!MakeFolderPath(plan.backupRoot))
        return failure(r, plan.backupRoot, QStringLiteral("The BACKUP folder could not be created."));

    // The copy goes into "<stamp>.unfinished" and takes its stamp name only once every file is in
    // it: a backup that is stopped half-way (a failure, a crash, a kill) never looks finished.
    QString unfinished;
    for (int attempt = 1;; ++attempt) {
        const QString name = stampFolderName(plan.backupRoot, plan.stamp, attempt);
        unfinished = name + unfinishedBackupSuffix();
        const bool taken = QFileInfo::exists(name);
        if (!taken && QDir().mkdir(unfinished))
            break;
        if ((!taken && !QFileInfo::exists(unfinished)) || attempt >= 1000)
            return failure(r, unfinished, QStringLiteral("The backup folder could not be created."));
    }
    const QString unfinishedTarget = nativeFolder(joinPath(unfinished, QStringLiteral("SCRIPTS")));
    r.target = unfinishedTarget;

    auto undo = [&](const QString &path, const QString &reason) {
        QDir(unfinished).removeRecursively(); // what cannot be removed keeps its unfinished name
        return failure(r, path, reason);
    };
    if (!QDir().mkpath(unfinishedTarget))
        return undo(unfinishedTarget, QStringLiteral("The folder could not be created."));

    // The whole list first, so nothing written below can join the walk.
    const QDir sourceDir(plan.source);
    QStringList folders, files;
    QDirIterator it(plan.source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo fi = it.fileInfo();
        const QString relative = sourceDir.relativeFilePath(fi.filePath());
        if (fi.isSymLink())
            r.linksSkipped << QDir::toNativeSeparators(fi.filePath());
        else if (fi.isDir())
            folders << relative;
        else if (fi.isFile())
            files << relative;
        else // a pipe could keep the backup waiting for ever, a device would never end
            r.specialSkipped << QDir::toNativeSeparators(fi.filePath());
    }
    for (const QString &f : std::as_const(folders))
        if (!QDir(unfinishedTarget).mkpath(f))
            return undo(joinPath(unfinishedTarget, f), QStringLiteral("The folder could not be created."));
    for (const QString &f : std::as_const(files)) {
        const QString from = sourceDir.filePath(f);
        const QString to = QDir(unfinishedTarget).filePath(f);
        FileResult fr = copyWholeFile(from, to);
        if (fr.ok() && isReadOnlyFile(from))
            fr = setReadOnlyFile(to, true);
        // The script that could not be copied is named, whichever side failed.
        if (!fr.ok())
            return undo(from, fr.reason);
        ++r.filesCopied;
    }

    // Complete: the folder takes the first stamp name free now.
    for (int attempt = 1;; ++attempt) {
        const QString name = stampFolderName(plan.backupRoot, plan.stamp, attempt);
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink() && QDir().rename(unfinished, name)) {
            r.target = nativeFolder(joinPath(name, QStringLiteral("SCRIPTS")));
            break;
        }
        if (attempt >= 1000)
            return undo(unfinished, QStringLiteral("The backup folder could not be renamed."));
    }
    r.ok = true;
    return r;
}

QString unfinishedBackupSuffix() { return QStringLiteral(".unfinished"); }

} // namespace tess
