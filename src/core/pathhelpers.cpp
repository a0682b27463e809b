#include "core/pathhelpers.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/like.h"
#include "core/prompts.h"
#include "core/systeminfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tess {

namespace {

bool isDriveLetterPath(const QString &path)
{
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter();
}

bool isUnc(const QString &path)
{
    return path.size() >= 2 && isPathSeparator(path.at(0)) && isPathSeparator(path.at(1));
}

// Length of "\\server\share\" (or of the whole path when it stops inside that root).
qsizetype uncRootLength(const QString &path)
{
    qsizetype seen = 0;
    for (qsizetype i = 2; i < path.size(); ++i) {
        if (isPathSeparator(path.at(i)) && ++seen == 2)
            return i + 1;
    }
    return path.size();
}

bool hasWildcard(const QString &s) { return s.contains(QLatin1Char('*')) || s.contains(QLatin1Char('?')); }

// A file-system wildcard ("*" and "?" only) as a Like pattern: "#" and "[" stand for themselves.
QString likePatternOf(const QString &wildcard)
{
    QString p;
    p.reserve(wildcard.size() + 4);
    for (QChar c : wildcard) {
        if (c == QLatin1Char('#'))
            p += QLatin1String("[#]");
        else if (c == QLatin1Char('['))
            p += QLatin1String("[[]");
        else
            p += c;
    }
    return p;
}

// Hidden or system entries stay out of the ordinary lookups.
bool isHiddenOrSystem(const QFileInfo &fi)
{
#ifdef Q_OS_WIN
    const DWORD attrs = GetFileAttributesW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(fi.filePath()).utf16()));
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return fi.isHidden();
    return (attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
    return fi.fileName().startsWith(QLatin1Char('.'));
#endif
}

bool badNameCharacter(QChar c)
{
    if (c.unicode() == 0)
        return true;
#ifdef Q_OS_WIN
    if (c.unicode() < 32)
        return true;
    static const QString bad = QStringLiteral("<>\"|");
    return bad.contains(c);
#else
    return false;
#endif
}

enum class Mask {
    Ordinary,    // files neither hidden nor system, no folders
    WithFolders, // the ordinary files and folders
};

struct Lookup {
    int error = 0; // 0, or the run-time error number of a failed lookup
    QString name;  // the first match, "" when nothing matches
};

bool acceptedBy(const QFileInfo &fi, Mask mask)
{
    if (fi.isDir())
        return mask == Mask::WithFolders && !isHiddenOrSystem(fi);
    return fi.isFile() && !isHiddenOrSystem(fi);
}

// The first-match directory lookup: the last component may hold "*" and "?". A path that ends in
// a separator looks at the folder itself: with folders allowed it succeeds when the folder exists,
// otherwise it yields the folder's first ordinary file. With ignoreCase the name is matched without
// regard to case on every platform.
Lookup directoryLookup(const QString &path, Mask mask, bool ignoreCase)
{
    Lookup r;
    if (path.isEmpty())
        return r;
    for (QChar c : path) {
        if (badNameCharacter(c)) {
            r.error = 52;
            return r;
        }
    }
    const qsizetype sep = lastSeparatorIndex(path);
    const QString folderPart = sep >= 0 ? path.left(sep + 1) : QString();
    QString name = path.mid(sep + 1);
    if (hasWildcard(folderPart)) {
        r.error = 52;
        return r;
    }
#ifdef Q_OS_WIN
    if (isDriveLetterPath(path) && !QFileInfo(path.left(2) + QLatin1Char('\\')).exists()) {
        r.error = 52; // no such drive
        return r;
    }
#endif
    const QString folder = folderPart.isEmpty() ? QStringLiteral(".") : folderPart;
    if (name.isEmpty()) {
        if (!QFileInfo(folder).isDir())
            return r;
        if (mask == Mask::WithFolders) {
            r.name = QStringLiteral(".");
            return r;
        }
        name = QStringLiteral("*");
    }

    if (!hasWildcard(name)) {
        const QFileInfo fi(path);
        if (fi.exists() || fi.isSymLink()) {
            if (acceptedBy(fi, mask))
                r.name = fi.fileName();
            return r;
        }
#ifdef Q_OS_WIN
        return r; // the file system already ignores case
#else
        if (!ignoreCase)
            return r;
#endif
    }

    const QDir dir(folder);
    if (!dir.exists())
        return r;
    const QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot |
                                  (mask == Mask::WithFolders ? QDir::Dirs : QDir::Filters());
    const QFileInfoList entries = dir.entryInfoList(filters, QDir::NoSort);
    if (entries.isEmpty() && !QFileInfo(folder).isReadable()) {
        r.error = 75;
        return r;
    }
    const QString pattern = likePatternOf(name);
    const bool wild = hasWildcard(name);
    for (const QFileInfo &fi : entries) {
        const QString entry = fi.fileName();
        const bool matches = wild ? Like(entry, pattern)
                                  : entry.compare(name, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
        if (matches && acceptedBy(fi, mask)) {
            r.name = entry;
            return r;
        }
    }
    return r;
}

} // namespace

bool canOpenExclusively(const QString &path)
{
#ifdef Q_OS_WIN
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
#else
    // No mandatory locks here: a regular file that opens for reading is usable (opened so that a pipe
    // never makes it wait).
    QFile f(path);
    return openRegularFile(f, QIODevice::ReadOnly).ok();
#endif
}

// ---- Path primitives ----

qsizetype pathRootLength(const QString &path)
{
    if (isUnc(path))
        return uncRootLength(path);
    if (isDriveLetterPath(path))
        return path.size() >= 3 && isPathSeparator(path.at(2)) ? 3 : 2;
    if (!path.isEmpty() && isPathSeparator(path.at(0)))
        return 1;
    return 0;
}

bool isPathRoot(const QString &path)
{
    const qsizetype root = pathRootLength(path);
    if (root == 0 || root != path.size())
        return false;
    if (!isUnc(path))
        return true;
    // A network root names both its server and its share.
    QString inner = path.mid(2);
    if (!inner.isEmpty() && isPathSeparator(inner.back()))
        inner.chop(1);
    const qsizetype sep = lastSeparatorIndex(inner);
    return sep > 0 && sep + 1 < inner.size();
}

qsizetype lastSeparatorIndex(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isPathSeparator(path.at(i)))
            return i;
    }
    return -1;
}

QString withTrailingSeparator(const QString &path, QChar fallback)
{
    if (path.isEmpty() || isPathSeparator(path.back()))
        return path;
    const qsizetype sep = lastSeparatorIndex(path);
    if (sep >= 0)
        return path + path.at(sep);
    return path + (fallback.isNull() ? AppEnvironment::separator() : fallback);
}

QString withoutTrailingSeparator(const QString &path)
{
    const qsizetype root = pathRootLength(path);
    qsizetype end = path.size();
    while (end > root && isPathSeparator(path.at(end - 1)))
        --end;
    return path.left(end);
}

QString joinPath(const QString &folder, const QString &name) { return withTrailingSeparator(folder) + name; }

// ---- Path strings ----

QString DriveOf(const QString &path)
{
    if (isUnc(path)) {
        const qsizetype root = uncRootLength(path);
        return root > 2 && isPathSeparator(path.at(root - 1)) ? path.left(root - 1) : path.left(root);
    }
    if (!path.isEmpty() && path.at(0) == QLatin1Char('/'))
        return QString(); // POSIX paths have no drive
    return path.left(2);
}

QString FolderOf(const QString &path) { return path.left(lastSeparatorIndex(path) + 1); }

QString FileNameOf(const QString &path) { return path.mid(lastSeparatorIndex(path) + 1); }

qsizetype fileTitleSize(const QString &path)
{
    const qsizetype name = path.size() - (lastSeparatorIndex(path) + 1);
    return path.size() <= 3 || name < 4 ? -1 : name - 4;
}

QString FileTitleOf(const QString &path)
{
    const qsizetype size = fileTitleSize(path);
    return size < 0 ? QString() : path.mid(lastSeparatorIndex(path) + 1, size);
}

QString ParentFolderOf(const QString &path, int n)
{
    const qsizetype root = pathRootLength(path);
    // A UNC root is never cut into: its last separator is the highest one to stop at.
    const qsizetype lowest = isUnc(path) ? root - 1 : 0;
    qint64 count = 0;
    for (qsizetype i = path.size() - 1; i >= lowest && i >= 0; --i) {
        if (isPathSeparator(path.at(i)) && ++count == qint64(n) + 1)
            return path.left(i + 1);
    }
    if (isUnc(path) || (root == 1))
        return path.left(root);
    return path.left(3);
}

QString FolderFromRoot(const QString &path, int n)
{
    if (n < 0)
        return path;
    qsizetype from = 0;
    qint64 count = 0;
    if (isUnc(path)) {
        // The whole of "\\server\share\" is the first level.
        from = uncRootLength(path);
        count = 1;
        if (n == 0)
            return path.left(from);
    }
    for (qsizetype i = from; i < path.size(); ++i) {
        if (isPathSeparator(path.at(i)) && ++count == qint64(n) + 1)
            return path.left(i + 1);
    }
    return path;
}

std::optional<QString> FolderFromDrive(const QString &text)
{
    const qsizetype a = lastSeparatorIndex(text); // index of the last separator, -1 when none
    const qsizetype c = a > 0 ? text.left(a).indexOf(QLatin1Char(':')) : -1;
    if (c <= 0)
        return std::nullopt;
    return text.mid(c - 1, a - c + 2);
}

// ---- Shell-library-like path strings ----

QString ShlFileName(const QString &path)
{
    // The last component; a trailing separator stays with it ("C:\A\" gives "A\"), a root is
    // its own name.
    qsizetype start = 0;
    for (qsizetype i = 0; i + 1 < path.size(); ++i) {
        const QChar c = path.at(i);
        const bool driveColon = i == 1 && isDriveLetterPath(path);
        if ((isPathSeparator(c) || driveColon) && !isPathSeparator(path.at(i + 1)))
            start = i + 1;
    }
    return path.mid(start);
}

QString ShlRemoveFileSpec(const QString &path)
{
    const qsizetype root = pathRootLength(path);
    const qsizetype sep = lastSeparatorIndex(path);
    return path.left(sep < root ? root : sep);
}

QString ShlExtension(const QString &path)
{
    const QString name = FileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

int ShlFileExists(const QString &path)
{
    if (path.isEmpty())
        return 0;
    return QFileInfo::exists(path) ? 1 : 0;
}

int ShlIsDirectory(const QString &path)
{
    if (path.isEmpty())
        return 0;
    return QFileInfo(path).isDir() ? 16 : 0;
}

// ---- Existence and access ----

bool FileOrFolderExists(const QString &path, bool isFolder)
{
    if (path.isEmpty())
        return false;
    const Lookup r = directoryLookup(path, isFolder ? Mask::WithFolders : Mask::Ordinary, false);
    return r.error == 0 && !r.name.isEmpty();
}

int Path_Exists(const QString &fullPath, const QString &fileName)
{
    const Lookup r = directoryLookup(fullPath, Mask::Ordinary, true);
    if (r.error != 0) {
        msgBox(QStringLiteral("Error ") + QString::number(r.error) + QStringLiteral(" (Filename Error) ") + fileName +
                   QStringLiteral(" in procedure Path_Exists of Module Module1"),
               vbOKOnly);
        return 0;
    }
    if (r.name.isEmpty())
        return 0;
    return r.name.compare(fileName, Qt::CaseInsensitive) == 0 ? 1 : 0;
}

int PathExistence::exists(const QString &fullPath, const QString &fileName)
{
#ifdef Q_OS_WIN
    // The file system ignores case itself: one look answers.
    return Path_Exists(fullPath, fileName);
#else
    const qsizetype sep = lastSeparatorIndex(fullPath);
    const QString folderPart = sep >= 0 ? fullPath.left(sep + 1) : QString();
    const QString name = fullPath.mid(sep + 1);
    if (name.isEmpty() || hasWildcard(name) || hasWildcard(folderPart) ||
        std::any_of(fullPath.cbegin(), fullPath.cend(), badNameCharacter))
        return Path_Exists(fullPath, fileName);
    const QFileInfo fi(fullPath);
    if (fi.exists() || fi.isSymLink())
        return Path_Exists(fullPath, fileName);

    auto it = m_folders.find(folderPart);
    if (it == m_folders.end()) {
        const QString folder = folderPart.isEmpty() ? QStringLiteral(".") : folderPart;
        std::optional<QHash<QString, QStringList>> names;
        const QDir dir(folder);
        const bool present = dir.exists();
        const QFileInfoList entries =
            present ? dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort)
                    : QFileInfoList();
        if (!present || !entries.isEmpty() || QFileInfo(folder).isReadable()) {
            names.emplace();
            names->reserve(entries.size());
            for (const QFileInfo &entry : entries) {
                if (acceptedBy(entry, Mask::Ordinary))
                    (*names)[entry.fileName().toCaseFolded()].append(entry.fileName());
            }
        }
        it = m_folders.insert(folderPart, std::move(names));
    }
    if (!it->has_value())
        return Path_Exists(fullPath, fileName);
    // The first listed file whose name equals this one without regard to case, as a search of the
    // folder finds it.
    const QStringList candidates = (*it)->value(name.toCaseFolded());
    for (const QString &entry : candidates) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry.compare(fileName, Qt::CaseInsensitive) == 0 ? 1 : 0;
    }
    return 0;
#endif
}

int FileAccessStatus(const QString &path)
{
    // Hidden and system drawings count as present: only a missing path, a folder or a file that
    // cannot be opened is unusable.
    if (path.isEmpty())
        return -1;
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile())
        return -1;
    return canOpenExclusively(path) ? 0 : -1;
}

std::optional<bool> IsOddNumber(qint64 n)
{
    if (n == 0)
        return std::nullopt;
    return n % 2 != 0;
}

// ---- Folders and listings ----

bool MakeFolderPath(const QString &path)
{
    if (path.isEmpty())
        return false;
    for (QChar c : path) {
        if (badNameCharacter(c) || c == QLatin1Char('*') || c == QLatin1Char('?'))
            return false;
    }
    // Levels inside the root (a drive, "\\server\share\", "/") are never created.
    qsizetype pos = pathRootLength(path);
    while (pos < path.size()) {
        qsizetype next = pos;
        while (next < path.size() && !isPathSeparator(path.at(next)))
            ++next;
        if (next > pos) {
            const QString level = path.left(next);
            const QFileInfo fi(level);
            if (!fi.isDir()) {
                if (fi.exists() || fi.isSymLink())
                    return false; // a file stands where a folder level should be
                if (!QDir().mkdir(level))
                    return false;
            }
        }
        pos = next + 1;
    }
    return QFileInfo(path).isDir();
}

QStringList ListFilesMatching(const QString &pattern)
{
    QStringList names;
    const qsizetype sep = lastSeparatorIndex(pattern);
    const QString folderPart = pattern.left(sep + 1);
    QString name = pattern.mid(sep + 1);
    if (name.isEmpty())
        name = QStringLiteral("*");
    const QDir dir(folderPart.isEmpty() ? QStringLiteral(".") : folderPart);
    if (!hasWildcard(folderPart) && dir.exists()) {
        const QString like = likePatternOf(name);
        const QFileInfoList entries =
            dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
        for (const QFileInfo &fi : entries) {
            if (fi.isFile() && Like(fi.fileName(), like))
                names.append(fi.fileName());
        }
    }
    if (names.isEmpty())
        names.append(QString());
    return names;
}

// ---- Marked value in a text ----

MarkedText TextBetweenMarkers(const QString &text, const QString &startMarker, const QString &endMarker)
{
    MarkedText r;
    const qsizetype s = text.indexOf(startMarker, 0, Qt::CaseInsensitive);
    if (s < 0)
        return r;
    const qsizetype b = s + startMarker.size();
    const qsizetype e = text.indexOf(endMarker, b, Qt::CaseInsensitive);
    if (e < 0) {
        r.status = MarkedText::Unclosed;
        return r;
    }
    r.status = MarkedText::Found;
    r.text = text.mid(b, e - b);
    return r;
}

QString unclosedMarkerMessage(const QString &startMarker)
{
    return QStringLiteral("There is an error in ") + startMarker;
}

// ---- System ----

QString GetUserNameString()
{
    QString name = AppEnvironment::loginName().trimmed();
    if (name.isEmpty())
        name = QStringLiteral("user");
    return name + QChar(0);
}

QString GetComputerNameString()
{
    const QString name = AppEnvironment::computerName().trimmed();
    return name.isEmpty() ? QString() : name + QChar(0);
}

QString GetUserNameClean() { return GetUserNameString().chopped(1); }

qint32 windowsVersionCodeFor(qint32 platformId, qint32 major, qint32 minor)
{
    if (platformId == 0)
        return 0;
    if (platformId == 1) {
        switch (minor) {
        case 0: return 1;
        case 10: return 2;
        case 90: return 3;
        default: return 0;
        }
    }
    if (platformId == 2) {
        if (major < 5)
            return 4;
        if (major == 5 && minor == 0)
            return 5;
        if (major == 5 && minor == 1)
            return 6;
    }
    return 0;
}

qint32 GetPlatformId() { return systemWindowsVersion().platformId; }

qint32 GetWindowsVersionCode()
{
    const WindowsVersion v = systemWindowsVersion();
    return windowsVersionCodeFor(v.platformId, v.major, v.minor);
}

QString osPlatformText(qint32 platformId)
{
    switch (platformId) {
    case 0: return QStringLiteral("Windows 32");
    case 1: return QStringLiteral("Windows 95/98/ME");
    case 2: return QStringLiteral("Windows NT/2K");
    default: return QString();
    }
}

QString osText(qint32 versionCode)
{
    static const char *const texts[] = {"Windows 32", "Windows 95", "Windows 98", "Windows ME",
                                        "Windows NT", "Windows 2K", "Windows XP"};
    if (versionCode < 0 || versionCode > 6)
        return QString();
    return QString::fromLatin1(texts[versionCode]);
}

QString systemPlatformText()
{
#ifdef Q_OS_WIN
    return osPlatformText(GetPlatformId());
#else
    QString kernel = QSysInfo::kernelType();
    if (!kernel.isEmpty())
        kernel[0] = kernel.at(0).toUpper();
    return kernel;
#endif
}

QString systemOsText()
{
#ifdef Q_OS_WIN
    return osText(GetWindowsVersionCode());
#else
    return QSysInfo::prettyProductName();
#endif
}

} // namespace tess
