#pragma once
// Starting programs from a command line, opening documents and addresses with their associated
// program, and copying a folder tree. Every start goes through the launcher; every failure is
// reported to the user through the prompt seam.

#include "core/launcher.h"
#include "core/projectaddresses.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tess {

// A command line taken apart: "program" (optionally in double quotes) followed by its arguments.
struct CommandLineParts {
    QString program;       // without its enclosing quotes
    QString argumentText;  // everything after the program, leading blanks removed
    QStringList arguments; // argumentText split into arguments (see splitArguments)
    QString workingFolder; // derived from the program; "" when the program names no folder
    QString rewritten;     // the command line with the program's enclosing quotes removed
};

// Splits a command line. A program in double quotes ends at the next quote (what follows that
// quote, blank or not, is the argument text); an unclosed quote makes the whole text, quote
// included, the program. An unquoted program path may hold blanks: the whole text (trailing blanks
// aside) when it names an existing file, else the longest part ending before a blank that names an
// existing file, else the text up to the first blank. The working folder is the program's folder:
// a root keeps its separator ("C:\", "\", "/"), any other folder loses it; "" when the program
// holds no separator.
CommandLineParts splitCommandLine(const QString &commandLine);

// Splits argument text at blanks (spaces, tabs). An argument that begins with a double quote runs
// to the next quote followed by a blank or the end of the text, and loses its two quotes; blanks,
// quotes and line breaks inside it are kept. Quotes inside an unquoted argument are kept as they
// are. An opening quote that is never closed is dropped and the rest of the text is one argument.
QStringList splitArguments(const QString &argumentText);

// When the program is the Windows file explorer ("explorer.exe /n,/e, C:\Data" or
// "explorer.exe /n,/e,/select, C:\Data\x.dwg"): the folder it is asked to show (for /select, the
// folder holding the file). nullopt for any other program.
std::optional<QString> explorerFolderOf(const QString &program, const QString &argumentText);

// Whether an explorer command line is shown with the desktop's file manager (launcher()->open)
// rather than started as a program: true where there is no explorer.exe.
bool showExplorerFoldersWithFileManager();

// Runs a command line without waiting for it. windowStyle is the show state the caller asks for
// (1 = normal, 0 = hidden); a started process is always shown normally here. Unquoted argument
// text that names an existing file or folder as a whole ("editor /home/u/My Scripts/x.scr") is
// passed as that one argument. An empty
// workingFolder means the one derived from the program, or the current folder. A missing program
// shows the "Oops" box; any other failure a box with the system's reason. The result tells
// whether the program started.
LaunchResult RunCommandLine(QString commandLine, int windowStyle = 1, const QString &workingFolder = QString());

// Starts a program with its arguments apart, without waiting for it; a failure is reported as
// RunCommandLine reports it, naming shownCommandLine.
LaunchResult startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder,
                          const QString &shownCommandLine);

// Opens a document, folder, web or e-mail address with its associated program, shown normally.
// A failure is reported in a box naming the target and the reason. A workingFolder that is not
// empty is the folder the associated program starts in.
LaunchResult OpenWithAssociatedProgram(const QString &target, const QString &workingFolder = QString());

struct CopyResult {
    bool ok = false;
    QString failedPath; // the file or folder that could not be copied or created
    QString reason;
};

// Copies the folder source, with everything inside it, to the folder destination (created when
// missing); a single file is copied to destination as a file. Symbolic links are copied as links,
// never followed. Files already at the destination are not overwritten: they fail the copy.
// Reports nothing; the result names the first failure. ok only when everything was copied.
CopyResult ShellCopy(const QString &source, const QString &destination);

} // namespace tess
