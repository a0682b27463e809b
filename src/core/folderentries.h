#pragma once

#include <QString>

#include <vector>

namespace tess {

// One entry of a folder as it is listed, without following links.
struct FolderEntry {
    enum Kind : unsigned char {
        File,   // a regular file
        Folder, // a folder (never a link to one)
        Link,   // a symbolic link or junction, whatever it points to
        Other,  // a pipe, device or socket
    };
    QString name;
    Kind kind = File;
};

// The entries of one folder other than "." and "..", hidden ones included, in the order the file
// system gives them. False (and `out` empty) when the folder cannot be listed.
bool readFolderEntries(const QString &folder, std::vector<FolderEntry> &out);

// The order every folder walk uses: textCompare, ties (names differing in case only) by code point.
void sortFolderEntries(std::vector<FolderEntry> &entries);

} // namespace tess
