#include "core/fileselector.h"

#include "core/pathhelpers.h"

#include "core/like.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

namespace tess {

namespace {

QStringList sortedByText(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = textCompare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace

QStringList availableDrives()
{
    QStringList drives;
#ifdef Q_OS_WIN
    for (const QFileInfo &fi : QDir::drives())
        drives.append(QDir::toNativeSeparators(fi.absoluteFilePath()));
#else
    drives.append(QStringLiteral("/"));
    QStringList others;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::toNativeSeparators(v.rootPath());
        if (root != QLatin1String("/") && !others.contains(root))
            others.append(root);
    }
    drives += sortedByText(others);
#endif
    if (drives.isEmpty())
        drives.append(QDir::toNativeSeparators(QDir::rootPath()));
    return drives;
}

QString driveOfPath(const QString &path, const QStringList &drives)
{
#ifdef Q_OS_WIN
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':')) {
        for (const QString &d : drives) {
            if (d.startsWith(path.left(2), Qt::CaseInsensitive))
                return d;
        }
    }
    for (const QString &d : drives) {
        if (path.startsWith(d, Qt::CaseInsensitive))
            return d;
    }
    return QString();
#else
    QString best;
    for (const QString &d : drives) {
        const bool under =
            path == d || (path.startsWith(d) && (d.endsWith(QLatin1Char('/')) ||
                                                 (path.size() > d.size() && isPathSeparator(path.at(d.size())))));
        if (under && d.size() > best.size())
            best = d;
    }
    return best;
#endif
}

bool driveIsReady(const QString &drive)
{
    if (drive.isEmpty())
        return false;
    const QStorageInfo info(drive);
    return info.isValid() && info.isReady() && QFileInfo(drive).isDir();
}

QString selectorFolderPath(const QString &path)
{
    if (path.isEmpty())
        return path;
    const QString p = QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
    return withoutTrailingSeparator(p);
}

QStringList folderAncestors(const QString &folder)
{
    QStringList out;
    const qsizetype root = pathRootLength(folder);
    if (root == 0)
        return folder.isEmpty() ? out : QStringList{folder};
    out.append(folder.left(root));
    for (qsizetype i = root; i < folder.size(); ++i) {
        if (isPathSeparator(folder.at(i)))
            out.append(folder.left(i));
    }
    if (folder.size() > root && !isPathSeparator(folder.back()))
        out.append(folder);
    return out;
}

QString nearestExistingFolder(const QString &path)
{
    QStringList chain = folderAncestors(selectorFolderPath(path));
    for (qsizetype i = chain.size() - 1; i >= 0; --i) {
        if (QFileInfo(chain.at(i)).isDir())
            return chain.at(i);
    }
    return QString();
}

// An empty listing with the reason when the folder cannot be listed; ok otherwise.
static SelectorListing checkListable(const QString &folder)
{
    SelectorListing r;
    const QFileInfo fi(folder);
    if (!fi.isDir())
        r.error = QStringLiteral("The folder does not exist.");
    else if (!fi.isReadable())
        r.error = QStringLiteral("Permission denied.");
    else
        r.ok = true;
    return r;
}

SelectorListing listSubFolders(const QString &folder)
{
    SelectorListing r = checkListable(folder);
    if (!r.ok)
        return r;
    const QDir dir(folder);
    r.names = sortedByText(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted));
    return r;
}

SelectorListing listMatchingFiles(const QString &folder, const QString &pattern)
{
    SelectorListing r = checkListable(folder);
    if (!r.ok)
        return r;
    QStringList filters;
    for (const QString &part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        if (!p.isEmpty())
            filters.append(p);
    }
    if (filters.isEmpty())
        filters.append(QStringLiteral("*"));
    QDir dir(folder);
    dir.setNameFilters(filters); // case is ignored unless QDir::CaseSensitive is given
    r.names = sortedByText(dir.entryList(QDir::Files, QDir::Unsorted));
    return r;
}

QString joinFolderAndName(const QString &folder, const QString &name) { return joinPath(folder, name); }

} // namespace tess
