#include "mainwin/skiplist.h"

#include "core/appenvironment.h"
#include "core/textfiles.h"

#include <QDir>

namespace tess {

QString skipListPath()
{
    return AppEnvironment::dataFolder() + QStringLiteral("!Skipped_") + AppEnvironment::loginName() +
           QStringLiteral(".lst");
}

FileResult appendToSkipList(const QString &path)
{
    const QString file = skipListPath();
    QDir().mkpath(AppEnvironment::dataFolder());
    QByteArray bytes;
    FileResult r = readWholeFile(file, bytes);
    if (!r.ok() && r.error != kFileNotFound)
        return r;
    // A last line without its line end gets one, so the new path starts a line of its own.
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    bytes += fileBytesFromText(path);
    return writeWholeFile(file, bytes);
}

} // namespace tess
