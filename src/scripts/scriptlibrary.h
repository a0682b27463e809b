#pragma once
// The user-script library on disk: script files (".scr", CR LF text) in one folder, their names,
// their read-only state, and the text the script box shows.
//
// The box text uses "\n" between lines. A script file holds that text with CR LF between lines
// and exactly one CR LF after the last line, so saving and loading give back the same text, and a
// file written by the program loads and saves to the same bytes.

#include "core/fileio.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/textfiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tess {

// ---- File text <-> box text ----
// The text without blanks (U+0020 only) at its start and end; line ends stay.
QString trimBlanks(const QString &text);

// ---- Names ----
enum class ScriptNameProblem {
    None,
    Empty,
    BadCharacter, // one of \ / : * ? " < > | or a control character
    DeviceName,   // CON, PRN, AUX, NUL, COM1-9, LPT1-9 (also followed by an extension)
    DotDot,       // ".." anywhere in the name
};
// A script name is a file name without folder: nothing written under it can leave its folder.
ScriptNameProblem checkScriptName(const QString &name);
// The message for a refused name (empty for None and Empty, which callers word themselves).
QString scriptNameMessage(ScriptNameProblem problem, const QString &name);
// The file name of a script name: the name followed by ".scr" (a typed extension stays part of
// the name).
inline QString scriptFileName(const QString &name) { return name + QStringLiteral(".scr"); }
// The script name of a file name: the file name without its last four characters.
QString scriptNameOfFile(const QString &fileName);

// ---- Folders, patterns, listings ----
// The list pattern of a filter text: "*" + text + "*.scr".
QString scriptListPattern(const QString &filterText);
// A pattern the list accepts: one pattern (";" is an ordinary character) that holds no character
// a file name cannot hold (\ / : " < > | or control characters).
bool isAcceptableScriptPattern(const QString &pattern);
// The names of the script files (extension ".scr", any case) in the folder that match the pattern
// ignoring case ("*" any run, "?" one character, every other character itself), in the order of
// textCompare. Folders and other files are never listed.
QStringList listScriptFiles(const QString &folder, const QString &pattern);
// folder + the entry of the folder whose name equals fileName ignoring case, or folder + fileName
// when there is none.
QString scriptPathInFolder(const QString &folder, const QString &fileName);
// True for a file name with the extension ".scr" (any case) and no folder part.
bool isScriptFileName(const QString &fileName);

// ---- File operations ----
// Error numbers and reasons as the file module maps them (core/fileio.h); a read also gives the
// box text.
struct ScriptFileResult : FileResult {
    ScriptFileResult() = default;
    // Implicit: a file result is a script result without text.
    ScriptFileResult(const FileResult &r) : FileResult(r) {}
    QString text; // the box text read (reads only)
};

ScriptFileResult readScriptFile(const QString &path);
// Writes the file whole (a failure leaves the old file). A read-only file is never replaced.
ScriptFileResult writeScriptFile(const QString &path, const QString &text);
// Deletes a script file; refuses a read-only one and anything that is not a ".scr" file.
ScriptFileResult deleteScriptFile(const QString &path);

// The copy of the user script beside the batch script: the batch script's folder (as written)
// + "tessaline-" + login + ".scr"; "" when the batch-script path has no folder.
QString batchScriptCopyPath(const QString &batchScriptPath, const QString &login);

} // namespace tess
