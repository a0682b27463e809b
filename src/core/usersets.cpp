#include "core/usersets.h"

#include "core/pathhelpers.h"
#include "core/settingskeys.h"

namespace tess {

bool SaveFace(qint16 index) { return writeOtherSetting(OtherKeys::Face, qint64(index)); }

QString userSetPrefix(int set) { return GetUserNameClean() + QLatin1Char('-') + QString::number(set); }

QString userSetFilePath(int set, StateFile which) { return stateFilePath(userSetPrefix(set), which); }

StateSaveResult writeUserSetFiles(int set, const UserSetSnapshot &snapshot)
{
    return writeStateFiles(userSetPrefix(set), {{StateFile::List, snapshot.queue},
                                                {StateFile::Script, stateScriptBytes(snapshot.script)},
                                                {StateFile::Name, QStringList{snapshot.name}},
                                                {StateFile::Path, QStringList{snapshot.drive, snapshot.folder}}});
}

UserSetFiles readUserSetFiles(int set)
{
    const QString prefix = userSetPrefix(set);
    UserSetFiles files;
    QByteArray bytes;
    QString path;
    QStringList lines;
    const auto read = [&](StateFile which) {
        const StateRead r = which == StateFile::Script ? readStateFile(prefix, which, bytes, &path)
                                                       : readStateFileLines(prefix, which, lines, &path);
        if (r == StateRead::Unreadable || r == StateRead::NotText)
            files.unreadable << stateFileTrouble(path, r);
        return r == StateRead::Read;
    };
    if (read(StateFile::List))
        files.queue = std::move(lines);
    if (read(StateFile::Script))
        files.script = stateScriptText(bytes);
    if (read(StateFile::Name) && !lines.isEmpty())
        files.name = lines.first();
    if (read(StateFile::Path)) {
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
