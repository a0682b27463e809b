#pragma once
// The files of the project tag manager in DATA: the project files (<name>.PRJ active, <name>.PRX
// inactive; line 1 the associated path pattern, lines 2 to 41 the values of $PROJECTTAG1$ to
// $PROJECTTAG40$) and the active-project index "PTAGMAN.DAT" that the composer reads. The reader
// of both is batch/projecttags.h; this side lists, names, writes, renames and deletes them.

#include "core/fileio.h"

#include <QString>
#include <QStringList>

namespace tess {

inline constexpr int kProjectValueCount = 40;

QString activeProjectExtension();   // ".PRJ"
QString inactiveProjectExtension(); // ".PRX"

// Whether the name ends in ".PRJ" or ".PRX", ignoring case.
bool hasProjectExtension(const QString &name);

// The file name Save writes for the name box's text: the text itself when it already ends in
// ".PRJ" or ".PRX" (ignoring case), else the text and the extension of the tab shown.
QString projectSaveFileName(const QString &typedName, bool activeTab);
// The name part of a project file name (without its last four characters).
QString projectTitle(const QString &fileName);

// The project files of the folder itself with the extension, in ascending order ignoring case;
// names that could not name a file in DATA are left out.
QStringList projectFileNames(const QString &dataFolder, const QString &extension);

struct ProjectRead {
    bool ok = false;
    FileResult failure; // when !ok
    QString pattern;
    QStringList values; // always 40: the lines a short file lacks are empty
};
// Reads a whole project file (its letter case ignored); a file of fewer lines gives empty values
// for the lines it lacks, lines after the 41st are ignored.
ProjectRead readProjectFile(const QString &dataFolder, const QString &fileName);

// The 41 lines of a project file, each followed by CR LF; line breaks inside a value are dropped.
QByteArray projectFileBytes(const QString &pattern, const QStringList &values);
FileResult writeProjectFile(const QString &dataFolder, const QString &fileName, const QString &pattern,
                            const QStringList &values);

// The index: one line per active project file name, each followed by CR LF; empty for none.
QByteArray projectIndexBytes(const QStringList &activeFiles);
// Writes DATA\PTAGMAN.DAT whole (its letter case ignored), listing the names that end in ".PRJ".
FileResult writeProjectIndex(const QString &dataFolder, const QStringList &activeFiles);

// The folder for the manager's files, created when it is missing; a failure names it with 76.
FileResult ensureDataFolder(const QString &dataFolder);

// The associated path of a picked folder: with one trailing separator, in upper case, and with
// every "[", "#", "?" and "*" written as a one-character list ("[#]") so that it matches itself.
QString pickedFolderPattern(const QString &folder);

} // namespace tess
