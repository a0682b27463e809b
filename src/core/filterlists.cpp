#include "core/filterlists.h"

#include "core/appenvironment.h"
#include "core/favourites.h"

#include <QFile>

namespace tess {

const FilterWindowConfig &drawingFilterConfig()
{
    static const FilterWindowConfig config{
        "frmDWGFilter",   " Manage Filters",           "*.dwg", "Show Personal Filters", "DWGFilter.DAT",
        "-DWGFilter.DAT", OtherKeys::DWGFilterPersonal};
    return config;
}

QString filterListPath(const FilterWindowConfig &config, bool personal)
{
    if (personal)
        return AppEnvironment::dataFolder() + AppEnvironment::loginName() + QString::fromLatin1(config.personalEnding);
    return AppEnvironment::dataFolder() + QString::fromLatin1(config.sharedFile);
}

FilterListRead loadFilterList(const QString &path)
{
    // The list file has the favourites' format: one entry a line, blank lines included.
    FavoritesRead read = readFavoritesFile(path);
    FilterListRead out;
    out.result = read.result;
    out.entries = read.entries;
    if (out.result.ok() && !QFile::exists(path)) {
        out.result = writeWholeFile(path, QByteArray());
        out.created = out.result.ok();
    }
    sortIgnoringCase(out.entries);
    return out;
}

FileResult saveFilterList(const QString &path, const QStringList &entries) { return writeFavoritesFile(path, entries); }

bool addFilterPattern(QStringList &sorted, const QString &text)
{
    if (text.isEmpty() || sorted.contains(text, Qt::CaseSensitive))
        return false;
    sorted.insert(sortedInsertPosition(sorted, text), text);
    return true;
}

} // namespace tess
