#pragma once
// Path texts, existence and access tests, folder creation and listings. The path functions are
// pure text work: they accept "\" and "/" and keep the separator they find. Roots are "C:\",
// "\\server\share\" and "/".

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace tess {

// "\" and "/" both separate folders, whatever the platform.
inline bool isPathSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }

// ---- Path primitives (never touch the disk) ----
// Every path function of the program finds roots, separators and folders through these.
// Length of the root the path starts with: "C:\" 3; "C:" 2, also for a drive-relative "C:x" (its
// root is the drive's current folder); "\\server\share\" its whole length (the whole path when
// it stops inside that root); "\" or "/" 1; 0 for a relative path.
qsizetype pathRootLength(const QString &path);
// Whether the path is a root and nothing more: "C:\", "C:", "\\server\share\", "\\server\share", "/".
bool isPathRoot(const QString &path);
// Index of the last "\" or "/"; -1 when there is none.
qsizetype lastSeparatorIndex(const QString &path);
// The path with one separator at its end: unchanged when it ends in one or is empty; otherwise the
// separator it already uses last is appended, or fallback when it holds none (the platform's
// separator when fallback is null).
QString withTrailingSeparator(const QString &path, QChar fallback = QChar());
// The path without separators at its end; a root keeps its own ("C:\", "/", "\\server\share\").
QString withoutTrailingSeparator(const QString &path);
// folder + name with one separator between them (the folder's own); name alone when folder is "".
QString joinPath(const QString &folder, const QString &name);

// ---- Path strings (never touch the disk) ----
// The drive: "C:" for C:\A\x.dwg, "\\server\share" for a UNC path, "" for an empty or POSIX path.
QString DriveOf(const QString &path);
// Up to and including the last separator; "" when there is none.
QString FolderOf(const QString &path);
// After the last separator; the whole path when it has none; "" when it ends in a separator.
QString FileNameOf(const QString &path);
// FileNameOf the path without its last four characters ("" when too short).
QString FileTitleOf(const QString &path);
// FileTitleOf(path).size() without building it; -1 when the path has no title at all.
qsizetype fileTitleSize(const QString &path);
// Up to and including the (n+1)-th separator from the end; the root when there are fewer.
QString ParentFolderOf(const QString &path, int n);
// Up to and including the (n+1)-th separator from the start; the whole path when there are fewer.
QString FolderFromRoot(const QString &path, int n);
// From the character before the first ":" to the last separator; nullopt when that part holds no
// ":" or starts with it.
std::optional<QString> FolderFromDrive(const QString &text);

// ---- Shell-library-like path strings ----
QString ShlFileName(const QString &path); // x.dwg
// The folder of the path without its trailing separator; a root keeps its own: C:\A for C:\A\x.dwg,
// C:\ for C:\x.dwg, C: for C:x.dwg; "" when the path holds neither separator nor root.
QString ShlRemoveFileSpec(const QString &path);
QString ShlExtension(const QString &path); // .dwg, or ""
int ShlFileExists(const QString &path);    // 1 when a file or folder exists, else 0
int ShlIsDirectory(const QString &path);   // 16 for an existing folder, else 0

// ---- Existence and access ----
bool FileOrFolderExists(const QString &path, bool isFolder = false);
// 1 when the file of fullPath exists and its name equals fileName ignoring case, else 0.
int Path_Exists(const QString &fullPath, const QString &fileName);
// Path_Exists for many paths in few folders (a whole queue's SAVEAS targets): a name that is not
// there as spelled is looked up, without regard to case, in a listing of its folder made once. The
// answers and messages are Path_Exists's; each folder is taken as it stood when first listed.
class PathExistence
{
public:
    int exists(const QString &fullPath, const QString &fileName);

private:
    // Folder -> its ordinary files by case-folded name, in listing order; nullopt for a folder that
    // cannot be read (Path_Exists answers for it, with its message).
    QHash<QString, std::optional<QHash<QString, QStringList>>> m_folders;
};
// -1 missing, a folder, or held by another program; 0 usable.
int FileAccessStatus(const QString &path);
// Whether the file can be opened for reading with nobody else reading or writing it (on Windows an
// exclusive open; elsewhere, without mandatory locks, any open for reading).
bool canOpenExclusively(const QString &path);
// nullopt for 0 (no answer); otherwise whether the last decimal digit is odd.
std::optional<bool> IsOddNumber(qint64 n);

// ---- Folders and listings ----
// Creates every missing level; true when the whole path exists as folders afterwards.
bool MakeFolderPath(const QString &path);
// Names (no folder) of the files matching the wildcard pattern in its folder, hidden ones
// included, folders excluded; {""} when nothing matches.
QStringList ListFilesMatching(const QString &pattern);

// ---- Marked value in a text ----
struct MarkedText {
    enum Status { Found, NoStart, Unclosed };
    Status status = NoStart;
    QString text; // the value when Found
    bool found() const { return status == Found; }
};
// The text between startMarker and the next endMarker (both found ignoring case).
MarkedText TextBetweenMarkers(const QString &text, const QString &startMarker, const QString &endMarker);
// The text a caller shows (OK button, no icon, the application's title) for an Unclosed result:
// "There is an error in " followed by the start marker.
QString unclosedMarkerMessage(const QString &startMarker);

// ---- System ----
QString GetUserNameString();     // login name followed by one NUL
QString GetComputerNameString(); // computer name followed by one NUL
QString GetUserNameClean();      // login name, never empty
qint32 GetPlatformId();
qint32 GetWindowsVersionCode();
// The version code of a platform id and major and minor version (0 for every later Windows).
qint32 windowsVersionCodeFor(qint32 platformId, qint32 major, qint32 minor);
QString osPlatformText(qint32 platformId); // "Windows NT/2K", ...
QString osText(qint32 versionCode);        // "Windows XP", ...
// The operating-system texts of the run log (OS_Platform and OS). On Windows osPlatformText and osText
// of the version the system reports; elsewhere the names of the system the program runs on: its
// kernel ("Linux") and its product name ("Debian GNU/Linux 12 (bookworm)").
QString systemPlatformText();
QString systemOsText();

} // namespace tess
