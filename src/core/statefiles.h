#pragma once
// The per-user state files in DATA: the queue ("<login>-list.tmp"), the user-script text
// ("<login>-scr.tmp") and the script name ("<login>-s.tmp"). Written at every settings save and
// when the program ends; read back at the next start.

#include <QString>
#include <QStringList>

namespace tess {

struct UserState {
    QStringList queue;
    QString script; // the box text, "\n" between lines
    QString name;
};

enum class StateFile { List, Script, Name };
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
};

// Writes the three files whole (a failure leaves the old file). Every file is tried even when an
// earlier one failed.
StateSaveResult writeUserStateFiles(const UserState &state);

} // namespace tess
