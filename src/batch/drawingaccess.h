#pragma once
// What a batch needs to know of each queued drawing before it is opened: whether it exists, whether
// it can be opened for use, and whether it is read-only. A whole queue is asked one drawing after
// the other, so the answers come from as few looks at the disk as the platform allows: on Windows
// one listing per folder gives every file's attributes (only the exclusive open that tells a
// drawing in use stays per file); elsewhere the folder is opened once and one status call by name
// per drawing tells all three.

#include <QHash>
#include <QString>

namespace tess {

struct DrawingAccess {
    bool exists = false;   // ShlFileExists(path) != 0: a file or folder of that name
    bool usable = false;   // FileAccessStatus(path) != -1: a file that opens exclusively
    bool readOnly = false; // IsReadonly(path)
    bool operator==(const DrawingAccess &o) const = default;
};

// The three answers asked one at a time, each the general way.
DrawingAccess drawingAccessOf(const QString &path);

// The same answers for many drawings; a drawing the quick look cannot settle is asked the general
// way, so every answer equals drawingAccessOf's.
class DrawingAccessCache
{
public:
    DrawingAccessCache();
    ~DrawingAccessCache();
    DrawingAccessCache(const DrawingAccessCache &) = delete;
    DrawingAccessCache &operator=(const DrawingAccessCache &) = delete;

    DrawingAccess of(const QString &path);

private:
#ifndef Q_OS_WIN
    // The folder of the last drawing asked, held open: its files are looked at by name alone.
    QString m_folder;
    int m_folderHandle = -1;
    unsigned m_user = 0; // this process's effective user
    // The folder's file system is mounted read-only.
    bool m_readOnlyMount = false;
#else
    struct Listed {
        bool readOnly = false;
    };
    // Folder (case-folded) -> its plain files by case-folded name; an empty hash for a folder that
    // cannot be listed.
    QHash<QString, QHash<QString, Listed>> m_folders;
#endif
};

} // namespace tess
