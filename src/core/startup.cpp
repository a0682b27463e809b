#include "core/startup.h"

#include "core/pathhelpers.h"
#include "tessaline_version.h"

#include <QDir>

namespace tess {

QString makeVersionString(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString ProgramVersionString()
{
    return makeVersionString(version::major, version::minor, version::patch);
}

bool isRootFolder(const QString &folder) { return isPathRoot(folder); }

QString rootFolderRefusalText()
{
    return QStringLiteral("You have attempted to launch Tessaline from the ROOT directory on a drive.\r\n\r\n"
                          "Please place the Tessaline files into a directory, then relaunch Tessaline\r\n\r\n"
                          "Thanks.");
}

} // namespace tess
