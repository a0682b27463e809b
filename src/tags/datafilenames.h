#pragma once
// Names of the files the tag managers keep in DATA (user-tag templates, project files) and how
// they are found there. A name is refused when it could name a file outside DATA, a device, or a
// file that Windows could not create; such a name never reaches the disk. Names that differ only
// in letter case name the same file on every platform.

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
// (".TAG") equals the given one ignoring case and whose title is not empty, in no fixed order.
QStringList filesWithExtension(const QString &folder, const QString &extension);

// The text without its line breaks (CR and LF): values of single-line boxes.
QString withoutLineBreaks(const QString &text);

// The description of a file error number of the file module (53, 70, 75, 76).
QString fileErrorDescription(int error);

} // namespace tess
