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

} // namespace tess
