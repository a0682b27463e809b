#pragma once
// "&Finalize It!" of the file renamer as a plan and a pass. The plan checks every new name before any
// file is touched: valid Windows file names, no two new names equal ignoring case, no new name that
// its folder already holds ignoring case (the file itself included, so chains, swaps and case-only
// renames are refused). The pass renames one file at a time with a rename that never replaces and
// never copies, and stops at the first file it cannot rename; no file is ever overwritten or lost.

#include <QString>
#include <QStringList>
#include <functional>

namespace tess {

struct RenameEntry {
    QString folder;  // the folder as FolderOf gives it (ends with its separator)
    QString current; // the name the file bears now
    QString target;  // the previewed new name
    bool changes() const { return current != target; }
};

// Why a name is no valid file name on Windows; empty when it is one.
QString invalidFileNameReason(const QString &name);

// The names a folder holds (files and folders); the plan reads each folder once.
using FolderLister = std::function<QStringList(const QString &folder)>;
QStringList listFolderNames(const QString &folder);

struct FinalizePlan {
    QStringList invalidNames;    // each changing entry's invalid new name, with its reason
    bool duplicates = false;     // two new names equal ignoring case
    QList<qsizetype> collisions; // changing entries whose new name the folder already holds
    bool canRename() const { return invalidNames.isEmpty() && !duplicates && collisions.isEmpty(); }
};
FinalizePlan planFinalize(const QList<RenameEntry> &entries, const FolderLister &lister = listFolderNames);

enum class RenameFailure { None, Locked, NotFound, TargetExists, Other };
struct RenameOutcome {
    RenameFailure failure = RenameFailure::None;
    int code = 0;   // the system's error number
    QString reason; // the system's words
    bool ok() const { return failure == RenameFailure::None; }
};

// One file renamed within the file system without replacing an existing file and without copying.
RenameOutcome renameNoReplace(const QString &from, const QString &to);
using RenameFunction = std::function<RenameOutcome(const QString &from, const QString &to)>;

struct RenamePass {
    QList<qsizetype> renamed;   // entries renamed in this pass, in order
    qsizetype failedIndex = -1; // the entry the pass stopped at
    RenameOutcome failure;
    bool complete() const { return failedIndex < 0; }
};
// Renames every changing entry in order; entries whose new name equals their current name are passed
// over. `progress` runs after each entry (the window repaints from it).
RenamePass runRenamePass(const QList<RenameEntry> &entries, const RenameFunction &rename = renameNoReplace,
                         const std::function<void()> &progress = {});

// The texts of Finalize.
QString duplicateNamesMessage(); // "FileName Collisions Detected, can't rename."
QString invalidNamesMessage(const QStringList &invalid);
QString collisionQuestion(const QString &target);
// The message of a pass that stopped: the file's own text, the system's reason and the files renamed
// before it.
QString passStoppedMessage(const QList<RenameEntry> &entries, const RenamePass &pass);

} // namespace tess
