#pragma once
// The saved queue lists in their folder (DATA): which names may be written there, the patterns
// of the list filters, and saving, renaming and deleting a list. A name is a plain file name: one
// that could name a file outside the folder, a device, or a file Windows could not create is
// refused before anything is touched. Names that differ only in letter case name the same list on
// every platform: a save replaces the list of that name as it is on disk, and a rename never takes
// a name that another file of the folder has.

#include "core/fileio.h"

#include <QString>
#include <QStringList>

namespace tess {

// Why the name cannot name a list file in the folder; "" when it can.
QString listFileNameProblem(const QString &fileName);

// True when the name ends in ".LST" or ".TXT", ignoring case.
bool hasListExtension(const QString &name);

// The file-list patterns: every list, the personal lists of login (a shared list whose name
// begins with the login name too; wildcard characters in the login name match themselves), and
// the text lists.
QString sharedListPattern(); // "*.LST"
QString personalListPattern(const QString &login);
QString textListPattern(); // "*.TXT"

// The name of a file of the folder that equals fileName ignoring case, as it is on disk (the name
// itself when it exists); "" when there is none. Folders do not count.
QString listFileOnDisk(const QString &folder, const QString &fileName);

// Saves the entries as the list fileName in folder (a folder path ending in its separator): over
// the existing list of that name ignoring case, else as a new file. The old list stays on any
// failure.
FileResult saveQueueList(const QString &folder, const QString &fileName, const QStringList &entries);

enum class ListRenameOutcome {
    Renamed,
    NameTaken, // another file of the folder has the new name, ignoring case: nothing renamed
    Failed,    // see the file result
};
struct ListRenameResult {
    ListRenameOutcome outcome = ListRenameOutcome::Renamed;
    FileResult file; // the failure when Failed (53: the list is gone)
};
// Renames the list oldName to newName within folder, never replacing a file. A new name equal to
// the old one ignoring case changes only the letter case.
ListRenameResult renameQueueList(const QString &folder, const QString &oldName, const QString &newName);

// Deletes the list. A read-only list is not deleted (70), nor a list that is gone (53).
FileResult deleteQueueList(const QString &folder, const QString &fileName);

} // namespace tess
