#include "batch/drawingaccess.h"

#include "batch/queueverification.h"
#include "core/pathhelpers.h"

#include <QFile>
#include <optional>

#ifdef Q_OS_WIN
#include <QDirIterator>
#include <QFileInfo>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace tess {

DrawingAccess drawingAccessOf(const QString &path)
{
    DrawingAccess a;
    a.exists = ShlFileExists(path) != 0;
    a.usable = FileAccessStatus(path) != -1;
    a.readOnly = IsReadonly(path);
    return a;
}

#ifdef Q_OS_WIN
DrawingAccessCache::DrawingAccessCache() = default;
DrawingAccessCache::~DrawingAccessCache() = default;
#else
DrawingAccessCache::DrawingAccessCache() : m_user(::geteuid()) {}

DrawingAccessCache::~DrawingAccessCache()
{
    if (m_folderHandle >= 0)
        ::close(m_folderHandle);
}
#endif

DrawingAccess DrawingAccessCache::of(const QString &path)
{
    // The quick look answers for a plain file that can be read; anything else (missing, a folder,
    // a link, a file another program holds, a file of another owner) is asked the general way.
    std::optional<DrawingAccess> quick;
#ifdef Q_OS_WIN
    const qsizetype sep = lastSeparatorIndex(path);
    if (sep >= 0 && sep + 1 < path.size()) {
        const QString folder = path.left(sep + 1);
        const QString key = folder.toCaseFolded();
        auto it = m_folders.find(key);
        if (it == m_folders.end()) {
            QHash<QString, Listed> files;
            QDirIterator list(folder, QDir::Files | QDir::Hidden | QDir::System);
            while (list.hasNext()) {
                list.next();
                const QFileInfo fi = list.fileInfo();
                if (fi.isSymLink() || fi.isJunction() || !fi.isFile())
                    continue;
                files.insert(fi.fileName().toCaseFolded(), Listed{!(fi.permissions() & QFileDevice::WriteOwner)});
            }
            it = m_folders.insert(key, files);
        }
        const auto file = it->constFind(path.mid(sep + 1).toCaseFolded());
        // In use shows only when the file is opened exclusively.
        if (file != it->constEnd() && canOpenExclusively(path))
            quick = DrawingAccess{true, true, file->readOnly};
    }
#else
    // One status call by name in the folder held open: a regular file whose owner is this user and
    // may read it opens for reading, and its owner's write bit says whether it may be written, unless
    // the folder is on a file system mounted read-only.
    const qsizetype sep = path.lastIndexOf(QLatin1Char('/'));
    if (sep >= 0 && sep + 1 < path.size()) {
        const QStringView folder = QStringView(path).left(sep + 1);
        if (folder != m_folder) {
            if (m_folderHandle >= 0)
                ::close(m_folderHandle);
            m_folder = folder.toString();
            m_folderHandle = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            struct statvfs fs;
            m_readOnlyMount =
                m_folderHandle >= 0 && ::fstatvfs(m_folderHandle, &fs) == 0 && (fs.f_flag & ST_RDONLY) != 0;
        }
        struct stat st;
        if (m_folderHandle >= 0 && !m_readOnlyMount &&
            ::fstatat(m_folderHandle, QFile::encodeName(path.mid(sep + 1)).constData(), &st, 0) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == m_user && (st.st_mode & S_IRUSR))
            quick = DrawingAccess{true, true, !(st.st_mode & S_IWUSR)};
    }
#endif
    return quick ? *quick : drawingAccessOf(path);
}

} // namespace tess
