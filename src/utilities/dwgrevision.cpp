#include "utilities/dwgrevision.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/folderentries.h"
#include "core/like.h"
#include "core/listutils.h"
#include "core/pathhelpers.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tess {

namespace {

constexpr qsizetype kCodeLength = 6;

DwgHeader headerFailure(DwgHeader::Status status, int error, const QString &reason)
{
    DwgHeader h;
    h.status = status;
    h.error = error;
    h.reason = reason;
    return h;
}

// A file that is not there: its folder missing (76) or the file itself (53).
DwgHeader missingHeader(const QString &path)
{
    const QString folder = FolderOf(path);
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        return headerFailure(DwgHeader::Missing, kPathNotFound, QStringLiteral("Path not found"));
    return headerFailure(DwgHeader::Missing, kFileNotFound, QStringLiteral("File not found"));
}

} // namespace

int dwgReleaseIndex(const QByteArray &code)
{
    if (code.size() != kCodeLength)
        return -1;
    for (size_t i = 0; i < DWGRevTable.size(); ++i) {
        if (code.compare(QByteArray(DWGRevTable[i].code), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

#ifdef Q_OS_WIN

DwgHeader readDwgHeader(const QString &path)
{
    // Characters Windows refuses in a file name make a bad name, not a missing file.
    const QString name = FileNameOf(path);
    const bool refused = std::any_of(name.begin(), name.end(),
                                     [](QChar c) { return c.unicode() < 32 || QStringView(u"<>\"|?*").contains(c); });
    if (path.isEmpty() || refused)
        return headerFailure(DwgHeader::BadName, 52, QStringLiteral("Bad file name or number"));
    const QFileInfo fi(path);
    if (!fi.exists())
        return missingHeader(path);
    if (!fi.isFile())
        return headerFailure(DwgHeader::Unreadable, kPathFileAccessError, notRegularFileText(path));
    QFile f(path);
    // A file another program holds without sharing it for reading fails to open here.
    if (!f.open(QIODevice::ReadOnly))
        return headerFailure(DwgHeader::Unreadable, kPermissionDenied, f.errorString());
    DwgHeader h;
    h.code = f.read(kCodeLength);
    if (f.error() != QFileDevice::NoError)
        return headerFailure(DwgHeader::Unreadable, kPathFileAccessError, f.errorString());
    if (h.code.size() < kCodeLength)
        return headerFailure(DwgHeader::Short, 62, QStringLiteral("Input past end of file"));
    h.status = DwgHeader::Ok;
    return h;
}

#else

DwgHeader readDwgHeader(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return headerFailure(DwgHeader::BadName, 52, QStringLiteral("Bad file name or number"));
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking: a pipe named like a drawing is opened without waiting for a writer and then
    // refused as not regular.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        switch (e) {
        case ENOENT:
        case ENOTDIR: return missingHeader(path);
        case ENAMETOOLONG: return headerFailure(DwgHeader::BadName, 52, QString::fromLocal8Bit(std::strerror(e)));
        case EACCES:
        case EPERM: return headerFailure(DwgHeader::Unreadable, kPermissionDenied, QStringLiteral("Permission denied"));
        default:
            return headerFailure(DwgHeader::Unreadable, kPathFileAccessError, QString::fromLocal8Bit(std::strerror(e)));
        }
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return headerFailure(DwgHeader::Unreadable, kPathFileAccessError, notRegularFileText(path));
    }
    char buf[kCodeLength];
    qsizetype got = 0;
    while (got < kCodeLength) {
        const ssize_t n = ::read(fd, buf + got, size_t(kCodeLength - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            return headerFailure(DwgHeader::Unreadable, kPathFileAccessError, QString::fromLocal8Bit(std::strerror(e)));
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got < kCodeLength)
        return headerFailure(DwgHeader::Short, 62, QStringLiteral("Input past end of file"));
    DwgHeader h;
    h.status = DwgHeader::Ok;
    h.code = QByteArray(buf, kCodeLength);
    return h;
}

#endif

// ---- One drawing's release ----

QString unknownVersionText() { return QStringLiteral("Unknown Version"); }
QString fileDoesntExistText() { return QStringLiteral("File Doesn't Exist"); }

DwgRevision ReturnDWGFileREV(const QString &path, const DwgHeaderReader &reader)
{
    const DwgHeader h = reader(path);
    DwgRevision r;
    switch (h.status) {
    case DwgHeader::Ok: {
        const int row = dwgReleaseIndex(h.code);
        if (row >= 0)
            r.name = QString::fromLatin1(DWGRevTable[size_t(row)].reportName);
        break;
    }
    case DwgHeader::Short:
    case DwgHeader::BadName: r.name = unknownVersionText(); break;
    case DwgHeader::Missing: r.name = fileDoesntExistText(); break;
    case DwgHeader::Unreadable:
        r.error = QStringLiteral("Error ") + QString::number(h.error) + QStringLiteral(" (") + h.reason +
                  QStringLiteral(") ReturnDWGFileREV - \r\n") + path;
        break;
    }
    return r;
}

// ---- The release scan ----

QString revScanStatusText(const QString &folder)
{
    const QString prefix = QStringLiteral("Scanning: ");
    if (prefix.size() + folder.size() <= 65)
        return prefix + folder;
    return prefix + folder.left(45) + QStringLiteral("...") + folder.right(45);
}

QString revScanListedPath(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toUpper();
#else
    return path;
#endif
}

namespace {

struct ScanLevel {
    QString folder; // with its separator
    QString shown;  // as the status line names it
    std::vector<FolderEntry> entries;
    size_t next = 0;
};

} // namespace

void SearchForFileREV(const QString &folder, const QString &pattern, const DwgReleaseSwitches &switches,
                      QStringList &matches, QStringList &problems, ScanProgress *progress,
                      const DwgHeaderReader &reader)
{
    const LikePattern like(pattern);
    const qsizetype patternLength = pattern.size();
    std::array<bool, DWGRevTable.size()> wanted{};
    bool anyWanted = false;
    for (size_t i = 0; i < wanted.size(); ++i) {
        wanted[i] = switches[i] == 1;
        anyWanted = anyWanted || wanted[i];
    }

    ScanPacer pacer(progress);
    std::vector<ScanLevel> stack;
    auto enter = [&](QString f, QString shown) {
        ScanLevel lv;
        lv.folder = std::move(f);
        lv.shown = std::move(shown);
        if (readFolderEntries(lv.folder, lv.entries))
            sortFolderEntries(lv.entries);
        else if (progress)
            progress->folderUnreadable(withoutTrailingSeparator(lv.folder));
        stack.push_back(std::move(lv));
    };
    auto stopped = [&] { return progress && progress->stopRequested(); };

    // The root's status line is shown at once; later ones at the progress's pace.
    if (progress)
        pacer.update(revScanStatusText(folder));
    enter(folder.isEmpty() ? QString(AppEnvironment::separator()) : withTrailingSeparator(folder), folder);
    while (!stack.empty() && !stopped()) {
        ScanLevel &lv = stack.back();
        if (lv.next >= lv.entries.size()) {
            stack.pop_back();
            continue;
        }
        const FolderEntry &e = lv.entries[lv.next++];
        if (e.kind == FolderEntry::Folder) {
            QString sub = lv.folder + e.name;
            QString withSeparator = sub + lv.folder.back();
            enter(std::move(withSeparator), std::move(sub)); // lv is not used past this point
        } else if ((e.kind == FolderEntry::File || e.kind == FolderEntry::Link) && anyWanted &&
                   e.name.size() >= patternLength && like.matches(e.name)) {
            const QString full = lv.folder + e.name;
            // A link is read like the file it leads to; one to a folder, or to nothing, is passed over.
            if (e.kind == FolderEntry::File || QFileInfo(full).isFile()) {
                const DwgHeader h = reader(full);
                if (h.status == DwgHeader::Ok) {
                    const int row = dwgReleaseIndex(h.code);
                    if (row >= 0 && wanted[size_t(row)]) {
                        matches.append(revScanListedPath(full));
                        if (progress) {
                            progress->setFoundFileCount(progress->foundFileCount() + 1);
                            progress->entryAppended();
                        }
                    }
                } else if (h.status != DwgHeader::Missing) {
                    // A file gone between the listing and the read is no drawing of the tree any more.
                    problems.append(revScanListedPath(full));
                    if (progress)
                        progress->entryAppended();
                }
            }
        } else if (e.kind == FolderEntry::Other && progress && like.matches(e.name)) {
            progress->specialFileSkipped(revScanListedPath(lv.folder + e.name)); // never opened
        }
        if (progress && pacer.due())
            pacer.update(revScanStatusText(stack.back().shown));
    }
}

} // namespace tess
