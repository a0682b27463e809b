#include "core/favourites.h"

#include "core/appenvironment.h"
#include "core/like.h"
#include "core/listutils.h"
#include "core/pathhelpers.h"
#include "core/textfiles.h"

#include <algorithm>

namespace tess {

QString favoritesFilePath() { return AppEnvironment::dataFolder() + QStringLiteral("Favorites.dat"); }

FavoritesRead readFavoritesFile(const QString &path)
{
    FavoritesRead out;
    QByteArray bytes;
    const FileResult r = readWholeFile(path, bytes);
    if (!r.ok()) {
        if (r.error != kFileNotFound)
            out.result = r;
        return out;
    }
    if (!bytes.isEmpty())
        out.entries = textFromFileBytes(bytes).split(QLatin1Char('\n'));
    return out;
}

FileResult writeFavoritesFile(const QString &path, const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &e : entries)
        bytes += fileBytesFromText(e);
    return writeWholeFile(path, bytes);
}

qsizetype sortedInsertPosition(const QStringList &sorted, const QString &entry)
{
    const auto at = std::upper_bound(sorted.begin(), sorted.end(), entry,
                                     [](const QString &a, const QString &b) { return textCompare(a, b) < 0; });
    return at - sorted.begin();
}

void sortIgnoringCase(QStringList &entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const QString &a, const QString &b) { return textCompare(a, b) < 0; });
}

QString favouriteFolderText(const QString &folder)
{
    if (folder.isEmpty())
        return folder;
    return withTrailingSeparator(folder, AppEnvironment::separator());
}

bool addFavouriteFolder(QStringList &sorted, const QString &folder)
{
    const QString p = favouriteFolderText(folder);
    if (p.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = pathCaseSensitivity();
    for (const QString &e : sorted) {
        if (e.compare(p, cs) == 0)
            return false;
    }
    sorted.insert(sortedInsertPosition(sorted, p), p);
    return true;
}

} // namespace tess
