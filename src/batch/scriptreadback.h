#pragma once
// The two read-back scans of a written batch script: folders that its lines name and that do not exist
// (with the offer to create them), and project tags left unsubstituted.

#include "core/fileio.h"

#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <QStringView>

namespace tess {

// The path forms a line is read for: drive ("C:\...") and UNC ("\\server\share\...") paths, or POSIX
// ("/...") paths.
enum class ScriptPathForms { Windows, Posix };
// The forms of this platform.
ScriptPathForms nativeScriptPathForms();

// The folder (up to and including its last separator) of every path the line names, in order. A path
// starts at the beginning of the line, after a blank or a tab, or after a double quote; a quoted path
// runs to the closing quote (one without its closing quote is skipped), any other to the next blank.
// Drive paths are a letter, ":" and a separator; UNC paths "\\" or "//", a server, a separator and a
// share; POSIX paths "/" and a name. A path holding a wildcard or < > | is no path.
QStringList folderPathsInLine(QStringView line, ScriptPathForms forms);

struct ScriptReadBack {
    QStringList missingFolders; // every folder named that does not exist, once each, in order
    qint64 projectTagLine = 0;  // 1-based number of the first line holding "$PROJECTTAG…$"; 0 for none
    FileResult error;           // the script could not be read
};

class ScanProgress;

// Reads the script once for the scans asked for; the progress, when given, is pumped (paced) so the
// window repaints during a long script.
ScriptReadBack readBackBatchScript(const QString &path, bool folders, bool projectTags,
                                   QStringConverter::Encoding encoding = QStringConverter::System,
                                   ScriptPathForms forms = nativeScriptPathForms(), ScanProgress *progress = nullptr);

// Asks whether to create the missing folders (every one listed) and creates them all on Yes, each with
// its missing parents; the folders that could not be created are named in one box afterwards.
void offerToCreateMissingFolders(const QStringList &missing);
// The same without asking or showing anything (a night run waits for nobody): creates every missing
// folder and returns those that could not be created.
QStringList createMissingFolders(const QStringList &missing);

// "The output script contains Project Tags that were not substituted.", CR LF, and the first line
// that holds one.
QString leftoverProjectTagsText(qint64 line);
// The "Warning" box of that text.
void reportLeftoverProjectTags(qint64 line);

} // namespace tess
