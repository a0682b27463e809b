#pragma once
// The User Set snapshots: five independent work contexts of the main window (queue, user script,
// script name, drive and folder of the file selector), each kept in four files in DATA named
// "<login>-<set>-list.tmp", "-scr.tmp", "-s.tmp" and "-path.tmp". A set's files are written when
// the user leaves the set and read when the user enters it; nothing of a set stays in memory.

#include "core/statefiles.h"

#include <QString>
#include <QStringList>

namespace tess {

constexpr int kUserSetCount = 5;

struct UserSetSnapshot {
    QStringList queue;
    QString script; // the box text, "\n" between lines
    QString name;
    QString drive;  // as the drive list reports it
    QString folder; // the folder list's path
};

// What a set's files hold. A missing file gives an empty queue, script or name (an empty name file
// too); a missing path file leaves the file selector as it is, a path file of one line sets the
// drive alone. All four files are read before anything is applied: a file that exists but cannot
// be read or decoded is named in unreadable, and then nothing of the set is applied.
struct UserSetFiles {
    QStringList queue;
    QString script;
    QString name;
    QList<StateFileTrouble> unreadable = {};
    bool hasDrive = false; // the path file's first line was read
    QString drive;
    bool hasFolder = false; // its second line was read
    QString folder;
};

// Writes the User Set index to Startup\"Face"; false when the store refused it.
bool SaveFace(qint16 index);

// The prefix of a set's files: "<login>-<set>".
QString userSetPrefix(int set);
QString userSetFilePath(int set, StateFile which);

// Writes the four files of the set whole, in the order list, script, name, path. See
// writeStateFiles for what is reported.
StateSaveResult writeUserSetFiles(int set, const UserSetSnapshot &snapshot);
// Reads the four files of the set.
UserSetFiles readUserSetFiles(int set);

} // namespace tess
