#include "core/statefiles.h"

#include "core/appenvironment.h"
#include "core/fileio.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/textfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringConverter>

namespace tess {

namespace {

QString endingOf(StateFile which)
{
    switch (which) {
    case StateFile::List: return QStringLiteral("-list.tmp");
    case StateFile::Script: return QStringLiteral("-scr.tmp");
    case StateFile::Name: return QStringLiteral("-s.tmp");
    case StateFile::Path: return QStringLiteral("-path.tmp");
    }
    return QString();
}

// The existing file of that name in DATA, its letter case ignored (files copied from Windows).
QString existingStateFile(const QString &prefix, StateFile which)
{
    const QString path = stateFilePath(prefix, which);
    const QString name = FileNameOf(path);
    if (Path_Exists(path, name) == 0)
        return QString();
    if (QFileInfo::exists(path))
        return path;
    const QDir dir(AppEnvironment::dataFolder());
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return QString();
}

} // namespace

QString stateFilePath(const QString &prefix, StateFile which)
{
    return AppEnvironment::dataFolder() + prefix + endingOf(which);
}

bool readStateFileBytes(const QString &prefix, StateFile which, QByteArray &bytes)
{
    bytes.clear();
    const QString path = existingStateFile(prefix, which);
    if (path.isEmpty())
        return false;
    return readWholeFile(path, bytes).ok();
}

StateRead readStateFile(const QString &prefix, StateFile which, QByteArray &bytes, QString *path, QStringList *lines)
{
    bytes.clear();
    if (lines)
        lines->clear();
    const QString found = existingStateFile(prefix, which);
    if (path)
        *path = found.isEmpty() ? stateFilePath(prefix, which) : found;
    if (found.isEmpty())
        return StateRead::Missing;
    if (!readWholeFile(found, bytes).ok())
        return StateRead::Unreadable;
    // Bytes that are not text in the expected encoding are never turned into replacement characters
    // (the next save would write those instead of what the file held).
    QStringList decoded;
    if (!decodeStateFileLines(bytes, decoded)) {
        bytes.clear();
        return StateRead::NotText;
    }
    if (lines)
        *lines = std::move(decoded);
    return StateRead::Read;
}

StateFileTrouble stateFileTrouble(const QString &path, StateRead read)
{
    return {path, read == StateRead::NotText ? QStringLiteral("is not valid text in the system's encoding")
                                             : QStringLiteral("could not be read whole")};
}

QString keepStateFileCopy(const QString &path)
{
    QString kept = path + QStringLiteral(".kept");
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n)
        kept = path + QStringLiteral(".kept") + QString::number(n);
    if (QFile::copy(path, kept) || QFile::rename(path, kept))
        return kept;
    return QString();
}

QString unreadableStateFilesMessage(const QList<StateFileTrouble> &files, const QStringList &copies)
{
    QString text = QStringLiteral("These saved files could not be loaded; what they hold was not loaded:");
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString copy = i < copies.size() ? copies.at(i) : QString();
        text += QStringLiteral("\r\n") + files.at(i).path +
                (copy.isEmpty() ? QStringLiteral("\r\n    could not be kept as a copy")
                                : QStringLiteral("\r\n    kept as ") + copy) +
                QStringLiteral("\r\n    (it ") + files.at(i).reason + QLatin1Char(')');
    }
    return text;
}

QString StateSaveResult::text() const { return messages.join(QStringLiteral("\r\n\r\n")); }

QStringList stateFileLines(const QByteArray &bytes)
{
    QStringList lines;
    decodeStateFileLines(bytes, lines);
    return lines;
}

bool decodeStateFileLines(QByteArrayView bytes, QStringList &lines)
{
    // A queue of 100,000 drawings is a file of several megabytes: its lines are decoded one by one
    // into their entries, without a decoded copy of the whole file in between.
    const char *d = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype breaks = 0;
    char high = 0;
    for (qsizetype i = 0; i < n; ++i) {
        breaks += d[i] == '\r' || d[i] == '\n';
        high |= char(d[i] & 0x80);
    }
    lines.clear();
    lines.reserve(breaks + 1);
    // Every encoding the system may use keeps ASCII as it is and never uses CR or LF bytes inside
    // another character, so plain ASCII needs no decoder. Otherwise one decoder takes the lines in
    // turn, each with its line end (which closes any character the line left open), so that the
    // lines and the errors are those of the whole file decoded at once.
    QStringDecoder decode(QStringConverter::System);
    const auto add = [&](qsizetype start, qsizetype end, qsizetype lineEnd) {
        if (!high) {
            lines.append(QString::fromLatin1(d + start, end - start));
            return;
        }
        QString line = decode(QByteArrayView(d + start, lineEnd - start));
        // A last line that is only the start of a character decodes to nothing, as in the whole text.
        if (line.isEmpty() && end == lineEnd)
            return;
        line.chop(lineEnd - end);
        lines.append(std::move(line));
    };
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i] == '\r' || d[i] == '\n') {
            const qsizetype end = i;
            if (d[i] == '\r' && i + 1 < n && d[i + 1] == '\n')
                ++i;
            add(start, end, i + 1);
            start = i + 1;
        }
    }
    if (start < n)
        add(start, n, n);
    return !decode.hasError();
}

QString stateScriptText(const QByteArray &bytes)
{
    QStringDecoder decode(QStringConverter::System);
    if (QString(decode(bytes)).size() < 2)
        return QString();
    return textFromFileBytes(bytes);
}

QByteArray stateLinesBytes(const QStringList &lines)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    writeStateLines(out, lines);
    return out.data();
}

bool writeStateLines(QIODevice &out, const QStringList &lines)
{
    // One encoder for all the lines, so that the bytes are those of the lines encoded in a row;
    // they pass through a buffer of a fixed size, and a line longer than the buffer goes alone.
    constexpr qsizetype kPiece = 64 * 1024;
    QStringEncoder encode(QStringConverter::System);
    QByteArray piece(kPiece, Qt::Uninitialized);
    char *const begin = piece.data();
    char *end = begin;
    const auto flush = [&] {
        const qint64 size = end - begin;
        end = begin;
        return size == 0 || out.write(begin, size) == size;
    };
    for (const QString &line : lines) {
        const qsizetype most = encode.requiredSpace(line.size()) + 2;
        if (most > kPiece - (end - begin) && !flush())
            return false;
        if (most > kPiece) {
            QByteArray alone(most, Qt::Uninitialized);
            char *e = encode.appendToBuffer(alone.data(), line);
            *e++ = '\r';
            *e++ = '\n';
            const qint64 size = e - alone.constData();
            if (out.write(alone.constData(), size) != size)
                return false;
            continue;
        }
        end = encode.appendToBuffer(end, line);
        *end++ = '\r';
        *end++ = '\n';
    }
    return flush();
}

QByteArray stateScriptBytes(const QString &text) { return fileBytesFromText(text); }

StateSaveResult writeStateFiles(const QString &prefix, const QList<std::pair<StateFile, StateFileContent>> &files)
{
    StateSaveResult result;
    const QString data = AppEnvironment::dataFolder();
    if (!QFileInfo(data).isDir()) {
        result.ok = false;
        result.title = QStringLiteral(" Error # 76 was generated by Tessaline.");
        result.messages << QStringLiteral(" Your ") + AppEnvironment::programFolder() +
                               QDir::toNativeSeparators(QStringLiteral("/DATA/")) +
                               QStringLiteral(" path was removed or renamed... \r\n"
                                              "Please recreate this directory or reinstall Tessaline");
        return result;
    }
    for (const auto &[which, content] : files) {
        const QString path = stateFilePath(prefix, which);
        // A state file made read-only by the user stays as it is, and so does one that cannot be
        // replaced for any other reason.
        WholeFileWriter writer(path);
        FileResult w = writer.start();
        if (w.ok()) {
            if (const auto *lines = std::get_if<QStringList>(&content))
                writeStateLines(writer, *lines);
            else
                writer.write(std::get<QByteArray>(content));
            w = writer.finish();
        }
        if (!w.ok()) {
            result.ok = false;
            result.title = QStringLiteral(" Error # 75 was generated by Tessaline.");
            if (w.error == kPermissionDenied)
                result.messages << QStringLiteral("File is write protected\r\n") + path;
            else
                result.messages << pathFileAccessErrorText() + QStringLiteral("\r\n") + path + QStringLiteral("\r\n") +
                                       w.reason;
        }
    }
    return result;
}

QString userStateFilePath(StateFile which) { return stateFilePath(GetUserNameClean(), which); }

UserState readUserStateFiles()
{
    const QString prefix = GetUserNameClean();
    UserState state;
    QByteArray bytes;
    QString path;
    QStringList lines;
    const auto read = [&](StateFile which) {
        const StateRead r = readStateFile(prefix, which, bytes, &path, &lines);
        if (r == StateRead::Unreadable || r == StateRead::NotText)
            state.unreadable << stateFileTrouble(path, r);
        return r == StateRead::Read;
    };
    if (read(StateFile::List))
        state.queue = std::move(lines);
    if (read(StateFile::Script))
        state.script = stateScriptText(bytes);
    if (read(StateFile::Name) && !lines.isEmpty())
        state.name = lines.first();
    return state;
}

StateSaveResult writeUserStateFiles(const UserState &state)
{
    return writeStateFiles(GetUserNameClean(), {{StateFile::List, state.queue},
                                                {StateFile::Script, stateScriptBytes(state.script)},
                                                {StateFile::Name, QStringList{state.name}}});
}

} // namespace tess
