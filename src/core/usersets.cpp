#include "core/usersets.h"

#include "core/pathhelpers.h"

namespace tess {

QString userSetPrefix(int set) { return GetUserNameClean() + QLatin1Char('-') + QString::number(set); }

QString userSetFilePath(int set, StateFile which) { return stateFilePath(userSetPrefix(set), which); }

StateSaveResult writeUserSetFiles(int set, const UserSetSnapshot &snapshot)
{
    return writeStateFiles(userSetPrefix(set), {{StateFile::List, stateLinesBytes(snapshot.queue)},
                                                {StateFile::Script, stateScriptBytes(snapshot.script)},
                                                {StateFile::Name, stateLinesBytes({snapshot.name})},
                                                {StateFile::Path, stateLinesBytes({snapshot.drive, snapshot.folder})}});
}

UserSetFiles readUserSetFiles(int set)
{
    const QString prefix = userSetPrefix(set);
    UserSetFiles files;
    QByteArray bytes;
    if (readStateFileBytes(prefix, StateFile::List, bytes))
        files.queue = stateFileLines(bytes);
    if (readStateFileBytes(prefix, StateFile::Script, bytes))
        files.script = stateScriptText(bytes);
    if (readStateFileBytes(prefix, StateFile::Name, bytes)) {
        const QStringList lines = stateFileLines(bytes);
        files.hasName = !lines.isEmpty();
        if (files.hasName)
            files.name = lines.first();
        else
            return files;
    }
    if (readStateFileBytes(prefix, StateFile::Path, bytes)) {
        const QStringList lines = stateFileLines(bytes);
        if (!lines.isEmpty()) {
            files.hasDrive = true;
            files.drive = lines.at(0);
        }
        if (lines.size() >= 2) {
            files.hasFolder = true;
            files.folder = lines.at(1);
        }
    }
    return files;
}

} // namespace tess
