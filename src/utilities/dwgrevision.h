#pragma once
// Drawing releases: the table of the eight releases the program knows, the reader of a drawing's
// six-character header code, the release name of one drawing (for the version report) and the
// walk that collects the drawings of chosen releases below a folder (for the release scan).
//
// The header reader is passed in, so that tests can make a file unreadable whatever the rights of
// the user running them; the program passes readDwgHeader.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace tess {

class ScanProgress;

// One known release: its scan check box, the box's caption, its header code and its name in the
// version report. Captions and report names are two separate sets of texts (they differ for the
// last two rows); each is used as it stands.
struct DwgRelease {
    const char *checkBox;
    const char *caption;
    const char *code;
    const char *reportName;
};

// The eight releases, oldest first: the order of the scan's release switches and of the report's
// tests.
inline constexpr std::array<DwgRelease, 8> DWGRevTable{{
    {"chkR12", "R12/LT2", "AC1009", "R12"},
    {"chkR13", "R13/LT95", "AC1012", "R13"},
    {"chkR14", "R14/LT97/LT98", "AC1014", "R14"},
    {"chkR2000", "R2000(i)/2002", "AC1015", "R2000/2002/2003"},
    {"chkR2004", "R2004/05/06", "AC1018", "R2004/2005/2006"},
    {"chkR2007", "R2007/08/09", "AC1021", "R2007/2008/2009"},
    {"chkR2010", "R2010/11/12", "AC1024", "R2010/2011"},
    {"chkR2013", "R2013/14/15/16", "AC1027", "R2013/2014"},
}};

// The release switches of a scan, in table order: 1 = that release is wanted.
using DwgReleaseSwitches = std::array<int, DWGRevTable.size()>;

// The row whose code equals `code` ignoring case, or -1 (a code of none of the eight, or no code).
int dwgReleaseIndex(const QByteArray &code);

// The outcome of reading a drawing's header code.
struct DwgHeader {
    enum Status : unsigned char {
        Ok,         // code holds the file's first six bytes
        Short,      // the file ends within its first six bytes
        BadName,    // the system rejects the name (too long, a NUL in it)
        Missing,    // the file, or its folder, does not exist
        Unreadable, // anything else: locked, access denied, a folder or a pipe given as the path
    };
    Status status = Missing;
    QByteArray code;
    int error = 0;  // the program's error number of a failure (53, 70, 75, 76)
    QString reason; // the system's reason of a failure
};

using DwgHeaderReader = std::function<DwgHeader(const QString &path)>;

// Opens the file for reading (a regular file only; a pipe or device is never waited on), reads its
// first six bytes and closes it.
DwgHeader readDwgHeader(const QString &path);

// ---- One drawing's release (the version report) ----

// The release text of one drawing and, when its header could not be read for another reason than a
// short file, a bad name or a missing file or folder, the message that says so.
struct DwgRevision {
    QString name;  // a report name of the table, "" for an unknown code, or one of the two texts below
    QString error; // "" or "Error <n> (<reason>) ReturnDWGFileREV - " CR LF <path>
};

QString unknownVersionText();  // "Unknown Version"
QString fileDoesntExistText(); // "File Doesn't Exist"

// The report name of the drawing's release; "" for a code that is none of the eight; "Unknown
// Version" for a file shorter than six bytes or a bad name; "File Doesn't Exist" for a missing file
// or folder; "" with the error text for any other failure.
DwgRevision ReturnDWGFileREV(const QString &path, const DwgHeaderReader &reader = readDwgHeader);

// ---- The release scan ----

// The status line of the scan while it walks `folder`: "Scanning: " and the folder; when that is
// longer than 65 characters, the folder's first 45 characters, "..." and its last 45 characters.
QString revScanStatusText(const QString &folder);

// How the scan lists a path: in upper case on Windows (whose file system ignores case), as it is
// elsewhere (an upper-cased path would name a file that does not exist there).
QString revScanListedPath(const QString &path);

// Walks folder and its sub-folders depth first (a folder's entries in textCompare order of their
// names) and looks at every regular file whose name is at least as long as the pattern and matches
// it (Like, ignoring case). A file whose header code is the code of a release whose switch is 1 is
// appended to matches (revScanListedPath) and counted in the progress's found count; a file whose
// header cannot be read (shorter than six bytes, locked, unreadable) is appended to problems and
// the walk goes on with the next entry. A symbolic link to a file is read like the file (and
// listed by its own path); links to folders and junctions are never followed; pipes, devices and
// folders that cannot be listed are passed over. The progress, when given, is told of every entry
// appended to either list at once, gets the status line and a pump at most once per interval, and
// its stop request ends the walk after the entry in hand; everything found so far stays appended.
void SearchForFileREV(const QString &folder, const QString &pattern, const DwgReleaseSwitches &switches,
                      QStringList &matches, QStringList &problems, ScanProgress *progress = nullptr,
                      const DwgHeaderReader &reader = readDwgHeader);

} // namespace tess
