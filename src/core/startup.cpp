#include "core/startup.h"

#include "tessaline_version.h"

#include <QDir>
#include <QRegularExpression>

namespace tess {

QString makeVersionString(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString ProgramVersionString()
{
    return makeVersionString(version::major, version::minor, version::patch);
}

bool isRootFolder(const QString &folder)
{
    QString f = folder;
    if (f.isEmpty())
        return false;
    if (f == QLatin1String("/") || f == QLatin1String("\\"))
        return true;
    // C: or C:\ or C:/
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]?$"));
    if (drive.match(f).hasMatch())
        return true;
    // \\server\share or \\server\share\ (either separator)
    static const QRegularExpression unc(QStringLiteral("^[\\\\/]{2}[^\\\\/]+[\\\\/][^\\\\/]+[\\\\/]?$"));
    return unc.match(f).hasMatch();
}

QString rootFolderRefusalText()
{
    return QStringLiteral("You have attempted to launch Tessaline from the ROOT directory on a drive.\r\n\r\n"
                          "Please place the Tessaline files into a directory, then relaunch Tessaline\r\n\r\n"
                          "Thanks.");
}

} // namespace tess
