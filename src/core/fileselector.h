#pragma once
// The drawing file selector's disk work, without widgets: the drives, a folder's ancestors and
// sub-folders, the files of a folder that match the filter, and the full path of a listed file.
// Paths are native; a folder has no trailing separator except at a root ("C:\", "/").

#include <QString>
#include <QStringList>

namespace tess {

// The drives to offer: QDir::drives() on Windows ("C:\", "D:\", ...); the root "/" and the other
// mounted volumes elsewhere. Never empty.
QStringList availableDrives();

// The drive of drives that holds path: on Windows the one whose letter begins the path; elsewhere
// the longest volume root the path lies under. "" when none does.
QString driveOfPath(const QString &path, const QStringList &drives);

// Whether the drive answers (a volume that is mounted and ready, a drive with a medium).
bool driveIsReady(const QString &drive);

// A folder path in the selector's form: absolute, native separators, no trailing separator except
// at a root.
QString selectorFolderPath(const QString &path);

// The root, every folder between and the folder itself ("C:\", "C:\A", "C:\A\B"; "/", "/home").
QStringList folderAncestors(const QString &folder);

// The nearest existing folder at or above path; "" when not even its root exists.
QString nearestExistingFolder(const QString &path);

struct SelectorListing {
    bool ok = false;   // false when the folder could not be read; names is then empty
    QStringList names; // in textCompare order
    QString error;     // the reason when !ok
};

// The sub-folders of folder (hidden ones left out).
SelectorListing listSubFolders(const QString &folder);

// The files of folder whose names match pattern: one or more wildcard patterns ("*", "?",
// "[...]") separated by ";", letters compared ignoring case. Hidden files are left out. An empty
// pattern lists every file.
SelectorListing listMatchingFiles(const QString &folder, const QString &pattern);

// folder, a separator unless the folder already ends in one, and name; the separator is the one
// the folder uses.
QString joinFolderAndName(const QString &folder, const QString &name);

} // namespace tess
