#pragma once
// What the program does before its main window opens.

#include <QString>

namespace tess {

// Major, minor and revision joined by "." without leading zeros ("2.0.5").
QString ProgramVersionString();
QString makeVersionString(int major, int minor, int revision);

// True when the folder is the root of a drive or share ("C:\", "\\server\share\", "/"):
// the program refuses to run from there.
bool isRootFolder(const QString &folder);

// The box shown before the program ends when it was started from a root folder.
QString rootFolderRefusalText();

// A part the main window needs is missing: "Necessary Component Not installed.", "Please
// Right-Click the EXE and 'Run as Administrator'.", an empty line, "Installer here " and the
// installer's address; lines joined by CR LF.
QString missingComponentText();
// Any other failure during the start: "System Issue #" and the number, the description, the help
// context number, the help file, the last system error code, an empty line, "Please contact " and
// the support address with a full stop; lines joined by CR LF.
QString startFailureText(int number, const QString &description, int helpContext = 0,
                         const QString &helpFile = QString(), int systemError = 0);

} // namespace tess
