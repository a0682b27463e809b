#pragma once
// Names of the files the tag managers keep in DATA (user-tag templates, project files) and how
// they are found there. A name is refused when it could name a file outside DATA, a device, or a
// file that Windows could not create; such a name never reaches the disk. Names that differ only
// in letter case name the same file on every platform.

#include "core/fileio.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace tess {

enum class NameProblem {
    None,
    Empty,
    ReservedCharacter,  // one of \ / : * ? < > |
    OtherCharacter,     // a double quote or a control character
    TrailingDotOrBlank, // also "." and ".."
    ReservedDeviceName, // CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with or without extension
};

// What keeps the name (a file name without folder) from naming a file in DATA.
NameProblem dataFileNameProblem(const QString &name);
inline bool isAcceptableDataFileName(const QString &name) { return dataFileNameProblem(name) == NameProblem::None; }

// The name of the file in the folder as it is on disk: the name itself when it exists, else the
// first entry equal to it ignoring case; "" when there is none or the name is not acceptable.
// Folders do not count.
QString findFileIgnoringCase(const QString &folder, const QString &fileName);

// The path to write a file of that name in the folder: the existing file of that name ignoring
// case, else folder + fileName.
QString filePathForWriting(const QString &folder, const QString &fileName);

// The acceptable names of the files in the folder itself (not its sub-folders) whose extension
// (".TAG") equals the given one ignoring case and whose title is not empty, sorted as `sort` says
// (QDir::Unsorted: in the order the system lists the folder).
QStringList filesWithExtension(const QString &folder, const QString &extension, QDir::SortFlags sort = QDir::Name);

// The titles of those files (the names without the extension), upper-cased: the entries of a
// template list. Ascending: each title once, in ascending order ignoring case. Folder: one entry
// per file, in the order the system lists the folder (on Windows the file system's own order).
// Titles that could not name a file in DATA are left out.
enum class TitleOrder { Ascending, Folder };
QStringList dataFileTitles(const QString &folder, const QString &extension, TitleOrder order = TitleOrder::Ascending);

// Deletes the file of that name in the folder, its letter case ignored. 53 when there is none (a
// name that is not acceptable names none), 70 for a read-only file, which is never deleted.
FileResult deleteDataFile(const QString &folder, const QString &fileName);

// The box that refuses a template name that could not name a file in DATA, by what is wrong with
// it; true when the name was refused (nothing may then be written), false for an acceptable name.
bool refuseTemplateName(const QString &name);

// The text without its line breaks (CR and LF): values of single-line boxes.
QString withoutLineBreaks(const QString &text);

// The description of a file error number of the file module (53, 70, 75, 76).
QString fileErrorDescription(int error);

} // namespace tess
