#pragma once
// The row files of the two table wizards, all in DATA: named templates ("<name>.TBW" of the
// title-block wizard, "<name>.ltw" of the layout wizard) and one state file per user
// ("<login>-tbw.tmp", "<login>-LTW.tmp") that carries the rows from one opening to the next.
//
// A row file is plain text, a fixed number of lines (101 for the title block: the block name, the
// fifty attribute names, the fifty values; 100 for the layouts: the fifty tab names, the fifty new
// names), each ended by CR LF; an empty text is an empty line. Readers take CR LF, LF and lone CR
// as line ends. Names that differ only in letter case name the same file on every platform;
// nothing is read, written or deleted outside DATA itself.

#include "core/fileio.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tess {

inline constexpr int kTitleBlockFileLines = 101;
inline constexpr int kLayoutFileLines = 100;

// One family of row files.
struct RowFileKind {
    QString templateExtension; // ".TBW", ".ltw"
    QString stateSuffix;       // "-tbw.tmp", "-LTW.tmp"
    int lines = 0;             // 101, 100
    QString saveProcedure;     // for the box of an unexpected failure: "SaveTBW", "SaveLTW"
    QString formName;          // "frmTBWiz", "frmLayWiz"

    static const RowFileKind &titleBlock();
    static const RowFileKind &layout();
    // The current user's state file name: login name + stateSuffix.
    QString stateFileName() const;
};

// The bytes of a row file: every text on its own line (line breaks inside a text are dropped),
// each line followed by CR LF.
QByteArray rowFileBytes(const QStringList &texts);

struct RowFileRead {
    enum Status { Read, NotFound, Failed };
    Status status = NotFound;
    QString path;      // the file read (or looked for), native
    QStringList lines; // at most the kind's number of lines, without line ends
    // True when the file held fewer lines than the kind has: the lines read are to be applied and
    // the file reported as cut short.
    bool cutShort() const { return status == Read && lines.size() < expected; }
    int expected = 0;
};

// Reads the file of that name in the folder, its letter case ignored; lines after the kind's
// number are not read. A name that could not name a file in DATA is not found.
RowFileRead readRowFile(const QString &dataFolder, const QString &fileName, const RowFileKind &kind);

// Writes the texts as the file of that name in the folder, whole (a failure leaves the old file);
// an existing file of that name in other letter case is the one replaced.
FileResult writeRowFile(const QString &dataFolder, const QString &fileName, const QStringList &texts);

// The templates' names in the folder itself: titles upper-cased, one per file, in the order the
// system lists the folder.
QStringList rowTemplateNames(const QString &dataFolder, const RowFileKind &kind);

// The text of the box a failed save shows (OK button, no icon, the application's title):
// write-protected (with the path), DATA missing, or the unexpected-failure text naming the save
// procedure of the kind.
QString rowFileSaveFailureText(const FileResult &r, const RowFileKind &kind);

// "Input past end-of file... file may be corrupted...", CR LF and the path: the text of the box
// (exclamation icon, title "Error") for a row file cut short.
QString rowFileCutShortText(const QString &path);

} // namespace tess
