#include "core/startup.h"

#include "core/pathhelpers.h"
#include "core/projectaddresses.h"
#include "tessaline_version.h"

#include <QDir>

namespace tess {

QString makeVersionString(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString ProgramVersionString() { return makeVersionString(version::major, version::minor, version::patch); }

bool isRootFolder(const QString &folder) { return isPathRoot(folder); }

QString rootFolderRefusalText()
{
    return QStringLiteral("You have attempted to launch Tessaline from the ROOT directory on a drive.\r\n\r\n"
                          "Please place the Tessaline files into a directory, then relaunch Tessaline\r\n\r\n"
                          "Thanks.");
}

QString missingComponentText()
{
    return QStringLiteral("Necessary Component Not installed.\r\n"
                          "Please Right-Click the EXE and 'Run as Administrator'.\r\n"
                          "\r\n"
                          "Installer here ") +
           installerAddress();
}

QString startFailureText(int number, const QString &description, int helpContext, const QString &helpFile,
                         int systemError)
{
    return QStringLiteral("System Issue #") + QString::number(number) + QStringLiteral("\r\n") + description +
           QStringLiteral("\r\n") + QString::number(helpContext) + QStringLiteral("\r\n") + helpFile +
           QStringLiteral("\r\n") + QString::number(systemError) + QStringLiteral("\r\n\r\nPlease contact ") +
           supportEmailAddress() + QStringLiteral(".");
}

} // namespace tess
