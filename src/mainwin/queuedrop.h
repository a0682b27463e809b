#pragma once
// Files and folders dropped on the queue: what each dropped item is taken for, and the reading of
// a dropped file list (a text file with one drawing path per line).

#include "core/fileio.h"
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tess {

enum class DroppedItemKind {
    Folder,   // an existing folder: searched with its sub-folders for files matching the filter
    Entry,    // the whole path matches the filter (ignoring case): the path itself is queued
    FileList, // a ".txt" file that does not match the filter: read as a list of drawing paths
    Ignored,  // anything else
};

// The first rule that applies, in the order of the enum.
DroppedItemKind classifyDroppedItem(const QString &path, const QString &filterText);

// The lines of a dropped file list that name drawings, in their order. A line ends at CR LF, CR
// or LF. A line that begins and ends with a double quote loses both (a lone quote leaves an empty
// line). A line is taken only when it is a drive path matching "?:\" followed by dwgPattern
// (ignoring case); on systems without drive letters an absolute path matching "/" followed by
// dwgPattern is taken too. Everything else (empty lines, comments, network and relative paths,
// blanks around the path) is passed over.
QStringList droppedListEntries(QStringView text, const QString &dwgPattern);

// Reads the file (text in the system's code page) and gives droppedListEntries of it. Only a
// regular file is read (a pipe or device named "*.txt" would block for ever). Lines that are not
// valid text in the system's encoding name no file: they go to undecodable (shown as decoded as
// far as possible). A failure, with entries untouched, names the file and the system's reason.
FileResult readDroppedFileList(const QString &path, const QString &dwgPattern, QStringList &entries,
                               QStringList *undecodable = nullptr);

} // namespace tess
