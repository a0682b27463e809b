#pragma once
// Electrical project files (".wdp"), read only: the drawings a project lists, one per line,
// relative to the folder holding the project file, among lines of other kinds. A line that is
// empty or begins with "*", "+" or "?" names no drawing; every other line, taken whole without
// trimming, does.

#include "core/fileio.h"

#include <QString>
#include <QStringList>

namespace tess {

struct WdpDrawings {
    FileResult file;   // ok() when the whole file was read
    QStringList lines; // the drawing lines, in file order
};

// Reads the project file whole; lines end at CR LF, a lone CR or a lone LF.
WdpDrawings readWdpDrawingLines(const QString &projectFile);

// The folder holding the project file (a root keeps its separator).
QString wdpProjectFolder(const QString &projectFile);

// The queue path of each drawing line: the project folder, one separator and the line as read.
QStringList wdpQueuePaths(const QString &projectFolder, const QStringList &drawingLines);

// Of the names listed in the folder, in their order, those no drawing line equals (whole texts,
// ignoring case), as queue paths.
QStringList wdpNotInProjectPaths(const QString &projectFolder, const QStringList &folderNames,
                                 const QStringList &drawingLines);

} // namespace tess
