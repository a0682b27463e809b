#pragma once
// The per-user state files in DATA: the queue ("<login>-list.tmp"), the user-script text
// ("<login>-scr.tmp") and the script name ("<login>-s.tmp"). Written at every settings save and
// when the program ends; read back at the next start.
//
// The User Sets (usersets.h) keep the same files under the prefix "<login>-<set>" and add a
// fourth one for the file selector ("-path.tmp"); the formats and the helpers below serve both.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <variant>

class QIODevice;

namespace tess {

// A state file a load could not take, and why.
struct StateFileTrouble {
    QString path;
    QString reason; // "could not be read whole", "is not valid text in the system's encoding", ...
};

struct UserState {
    QStringList queue;
    QString script; // the box text, "\n" between lines
    QString name;
    // Files that exist but could not be read, or whose bytes are not text in the system's encoding:
    // their part stays empty and the file must be kept (keepStateFileCopy) before it is written anew.
    QList<StateFileTrouble> unreadable = {};
};

enum class StateFile { List, Script, Name, Path };
// Full path of a state file of the current user.
QString userStateFilePath(StateFile which);

// Reads the three files; a missing file leaves its part empty. Lists written elsewhere with LF
// line ends are read as lines too.
UserState readUserStateFiles();

struct StateSaveResult {
    bool ok = true;
    // The boxes to show, in order (at most one per failed file; a missing DATA folder once).
    QStringList messages;
    QString title;
    // Every failure in one text (the messages one after another, an empty line between them).
    QString text() const;
};

// Writes the three files whole (a failure leaves the old file). Every file is tried even when an
// earlier one failed.
StateSaveResult writeUserStateFiles(const UserState &state);

// ---- Shared by every family of state files ----
// DATA + prefix + the file's ending ("-list.tmp", "-scr.tmp", "-s.tmp", "-path.tmp").
QString stateFilePath(const QString &prefix, StateFile which);
// Reads the file of that name in DATA, its letter case ignored (files copied from Windows); false
// when there is none or it cannot be read.
bool readStateFileBytes(const QString &prefix, StateFile which, QByteArray &bytes);

enum class StateRead { Missing, Read, Unreadable, NotText };
// Reads the file of that name in DATA as readStateFileBytes does, and tells a missing file from one
// that exists but cannot be read (Unreadable) or whose bytes are not valid text in the system's
// encoding (NotText); after either, bytes is empty and path names the file.
StateRead readStateFile(const QString &prefix, StateFile which, QByteArray &bytes, QString *path = nullptr);
// The same for a file of lines, read in pieces: lines receives them as stateFileLines gives them
// (empty after a file that was not read).
StateRead readStateFileLines(const QString &prefix, StateFile which, QStringList &lines, QString *path = nullptr);
// The trouble of a file read as Unreadable or NotText.
StateFileTrouble stateFileTrouble(const QString &path, StateRead read);
// Keeps the file beside itself under "<name>.kept" (or "<name>.kept2", ... when that exists) before
// the program writes it anew: a copy, or the file itself moved there when it cannot be copied.
// Returns the kept file's path, or an empty text when neither worked.
QString keepStateFileCopy(const QString &path);
// The files a load could not take, each with "kept as <copy>" (copies[i], "" when none was made) and
// its reason on lines of their own; one box names them all.
QString unreadableStateFilesMessage(const QList<StateFileTrouble> &files, const QStringList &copies);
// The lines of a file: CR LF, LF and lone CR end a line; a last line without line end counts.
// Bytes not valid in the system's encoding become replacement characters.
QStringList stateFileLines(const QByteArray &bytes);
// The same lines, each decoded straight from the bytes (no text of the whole file is made); false
// when some bytes are not valid text in the system's encoding (the lines then hold replacement
// characters for them). pieceSize > 0 hands the bytes to the decoder in pieces of that size, as a
// file read in pieces comes.
bool decodeStateFileLines(QByteArrayView bytes, QStringList &lines, qsizetype pieceSize = 0);
// The script text of a "-scr.tmp" file: the text the save wrote before its closing CR LF, with
// "\n" between lines. A file of fewer than two characters gives an empty text.
QString stateScriptText(const QByteArray &bytes);
// Every line followed by CR LF.
QByteArray stateLinesBytes(const QStringList &lines);
// The same bytes written to a device piece by piece (no copy of the whole file is made); false as
// soon as the device refuses a piece.
bool writeStateLines(QIODevice &out, const QStringList &lines);
// The bytes of a "-scr.tmp" file: the text with CR LF line ends and one CR LF after it.
QByteArray stateScriptBytes(const QString &text);
// Writes the files in order, each whole through the file module. A missing DATA folder is reported
// once and nothing is written. A file that cannot be written keeps its old content and is reported
// by its cause: "File is write protected" for a read-only file or a folder that refuses writing,
// "Path/File access error" with the system's reason for anything else (a folder in its place, a
// full disk); then the next file is tried. A file is given as its bytes or as its lines (each
// followed by CR LF, encoded while they are written).
using StateFileContent = std::variant<QByteArray, QStringList>;
StateSaveResult writeStateFiles(const QString &prefix, const QList<std::pair<StateFile, StateFileContent>> &files);

} // namespace tess
