#pragma once
// The "Reset" and "Backup" tabs of the Options dialog without their window: the stored window
// positions put back to fixed values, and the time-stamped copy of the user-script folder in the
// program's BACKUP folder.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tess {

// The main window's place and size after "Reset Tessaline App Size/Pos ONLY", in twips (a size
// below the window's minimum becomes the minimum).
struct MainWindowResetPlace {
    static constexpr int left = 200;
    static constexpr int top = 200;
    static constexpr int width = 10455;
    static constexpr int height = 9225;
};
// The drawing preview's place after its reset, in twips.
inline constexpr int kPreviewResetLeft = 1000;
inline constexpr int kPreviewResetTop = 1000;

// Each writes its window's keys in the settings store in order; returns the keys that could not be
// written ("Section\Key"), empty when all were.
QStringList resetPreviewPositionKeys();      // DWGPreviewLeft, DWGPreviewTop: 1000 each
QStringList resetQuickPickPositionKeys();    // both Quick Pick windows: 1000, 1000, 1890, 4110
QStringList resetScriptEditorPositionKeys(); // SCREditLeft, SCREditTop: 0 (the size keys stay)

// The name of a backup folder: the moment as "yyyy-mm-dd-hh-mm-ss" (24-hour clock).
QString backupStamp(const QDateTime &moment);

struct BackupPlan {
    QString source;      // the user-script folder in use
    QString backupRoot;  // the program's BACKUP folder, with a trailing separator
    QString stamp;       // backupStamp() of the moment
    QString stampFolder; // backupRoot + the stamp, "-2", "-3", ... appended while that name is taken
    QString target;      // stampFolder + "SCRIPTS" + separator: where the copy goes
};

// Where a backup of `source` taken at `moment` goes.
BackupPlan planScriptsBackup(const QString &source, const QDateTime &moment);

struct BackupResult {
    bool ok = false;
    QString target; // where the copy went (the plan's, or the next free name)
    int filesCopied = 0;
    QStringList linksSkipped;   // symbolic links are neither followed nor copied
    QStringList specialSkipped; // pipes, devices and sockets are never opened
    QString failedPath;         // what could not be read, created or written
    QString reason;
};

// Copies the source folder, sub-folders and hidden files included, into the plan's target, every
// file whole through the file module, keeping each file's read-only state. The copy is made in a
// new folder named as unfinished (the stamp name + unfinishedBackupSuffix()) that takes the stamp
// name only when every file was copied; when that name was taken meanwhile, the next free one is
// used, so two backups never mix. A failure removes the unfinished folder (what cannot be removed
// keeps its unfinished name) and names the file that failed; nothing partial is left as if whole.
BackupResult runScriptsBackup(const BackupPlan &plan);
// ".unfinished"
QString unfinishedBackupSuffix();

} // namespace tess
