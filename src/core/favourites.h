#pragma once
// The favourite folders kept in DATA\"Favorites.dat": one folder per line, CR LF after each, in
// alphabetical order ignoring case. Shared by every user of the installation.

#include "core/fileio.h"

#include <QString>
#include <QStringList>

namespace tess {

QString favoritesFilePath();

struct FavoritesRead {
    FileResult result;   // ok also for a missing file (an empty list)
    QStringList entries; // in file order
};
// Every line one entry, an empty line included; LF, CR LF and CR end lines.
FavoritesRead readFavoritesFile(const QString &path);
// Rewrites the file whole from entries, one line each.
FileResult writeFavoritesFile(const QString &path, const QStringList &entries);

// The place entry takes in a list kept in alphabetical order ignoring case (after its equals).
qsizetype sortedInsertPosition(const QStringList &sorted, const QString &entry);
// Sorts the entries alphabetically ignoring case, keeping the order of equal ones.
void sortIgnoringCase(QStringList &entries);

// The folder as a favourite: with one trailing separator.
QString favouriteFolderText(const QString &folder);
// Adds folder (favouriteFolderText) at its sorted place unless it is empty or the list already
// names that folder (ignoring case where the file system does). True when it was added.
bool addFavouriteFolder(QStringList &sorted, const QString &folder);

} // namespace tess
