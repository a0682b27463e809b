#pragma once
// The saved queue list: the queue written as a text file in DATA, one entry per line, in queue
// order, each line ended by CR LF, with no header, count or quoting; an empty queue gives an empty
// file. Shared lists are named list name + ".LST", personal lists login name + "-" + list name +
// ".LST"; any ".TXT" file in DATA is read the same way, and so is the skip list.
//
// Text is in the system's encoding. A queue holding text that encoding cannot carry (possible on
// Windows with its code page) is written as UTF-8 with a byte order mark instead, which the reader
// recognises, so no entry is ever written as question marks.

#include "core/fileio.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tess {

class QueueListFile
{
public:
    // ".LST": the extension the save buttons always write, in upper case.
    static QString extension();
    // The file name a save writes: listName exactly as typed + ".LST", with the login name and "-"
    // in front for a personal list ("JOB12.LST" is saved as "JOB12.LST.LST").
    static QString fileNameFor(const QString &listName, bool personal, const QString &login);

    // The file's bytes for these entries.
    static QByteArray bytesOf(const QStringList &entries);
    // The lines of a list file, each exactly as written (no trimming, no quote removal; an empty
    // line is an empty text). CR LF, a lone CR and a lone LF each end a line; the last line needs
    // no line end and a final line end adds no line. Lines that are not valid text in the file's
    // encoding go to undecodable instead (decoded as far as possible).
    static QStringList linesOf(const QByteArray &bytes, QStringList *undecodable = nullptr);

    // Reads the whole list file; lines untouched on failure. Only a regular file is read.
    static FileResult read(const QString &path, QStringList &lines, QStringList *undecodable = nullptr);
    // Writes the whole list through the file module: the old file stays on any failure.
    static FileResult write(const QString &path, const QStringList &entries);
};

} // namespace tess
