#include "core/folderentries.h"

#include "core/like.h"

#include <QFile>

#include <algorithm>

#ifdef Q_OS_WIN
#include <QDirIterator>
#include <QFileInfo>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace tess {

bool readFolderEntries(const QString &folder, std::vector<FolderEntry> &out)
{
    out.clear();
#ifdef Q_OS_WIN
    if (!QFileInfo(folder).isReadable())
        return false;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo fi = it.fileInfo();
        FolderEntry e;
        e.name = fi.fileName();
#if QT_VERSION >= QT_VERSION_CHECK(6, 4, 0)
        const bool link = fi.isSymbolicLink() || fi.isJunction();
#else
        const bool link = fi.isSymbolicLink();
#endif
        e.kind = link          ? FolderEntry::Link
                 : fi.isDir()  ? FolderEntry::Folder
                 : fi.isFile() ? FolderEntry::File
                               : FolderEntry::Other;
        out.push_back(std::move(e));
    }
    return true;
#else
    const QByteArray native = QFile::encodeName(folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir)
        return false;
    while (const dirent *d = ::readdir(dir)) {
        const char *n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        FolderEntry e;
        switch (d->d_type) {
        case DT_REG: e.kind = FolderEntry::File; break;
        case DT_DIR: e.kind = FolderEntry::Folder; break;
        case DT_LNK: e.kind = FolderEntry::Link; break;
        case DT_UNKNOWN: {
            // Some file systems leave the type out: ask for it, without following a link.
            struct stat st;
            const QByteArray full = native + (native.endsWith('/') ? "" : "/") + n;
            if (::lstat(full.constData(), &st) != 0)
                continue;
            e.kind = S_ISREG(st.st_mode)   ? FolderEntry::File
                     : S_ISDIR(st.st_mode) ? FolderEntry::Folder
                     : S_ISLNK(st.st_mode) ? FolderEntry::Link
                                           : FolderEntry::Other;
            break;
        }
        default: e.kind = FolderEntry::Other; break;
        }
        e.name = QFile::decodeName(n);
        out.push_back(std::move(e));
    }
    ::closedir(dir);
    return true;
#endif
}

void sortFolderEntries(std::vector<FolderEntry> &entries)
{
    std::sort(entries.begin(), entries.end(), [](const FolderEntry &a, const FolderEntry &b) {
        const int c = textCompare(a.name, b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
}

} // namespace tess
