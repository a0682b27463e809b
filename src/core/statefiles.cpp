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
#include <algorithm>
#include <cstring>

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

// The lines of a state file from its bytes, given in pieces or whole: a queue of 100,000 drawings
// is a file of several megabytes, and its lines go straight into their entries, without a copy of
// the whole file or of its decoded text in between.
//
// Every encoding the system may use keeps ASCII as it is and never uses CR or LF bytes inside
// another character, so a line of plain ASCII needs no decoder. The other lines go through one
// decoder in turn, each with its line end (which closes any character the line left open), so that
// the lines and the errors are those of the whole file decoded at once and split.
class StateLineDecoder
{
public:
    explicit StateLineDecoder(QStringList &lines) : m_lines(lines) {}

    void take(QByteArrayView piece)
    {
        if (!m_carry.isEmpty()) {
            // Only the bytes up to the end of the line begun earlier join it; the lines after it are
            // taken from the piece itself. After a lone CR, or a CR that ends the piece, the carry
            // holds on, and so the rest of the piece joins it.
            const qsizetype lf = indexOf(piece.data(), piece.size(), 0, '\n');
            const qsizetype cr = indexOf(piece.data(), lf, 0, '\r');
            const qsizetype cut = std::min(cr < lf ? cr + 1 + qsizetype(cr + 1 == lf) : lf + 1, piece.size());
            takeCarried(piece.first(cut));
            piece = piece.sliced(cut);
            if (!m_carry.isEmpty()) {
                if (!piece.isEmpty())
                    takeCarried(piece);
                return;
            }
        }
        const qsizetype used = takeLines(piece, 0, false);
        m_carry = piece.sliced(used).toByteArray();
        m_scanned = m_stop - used;
    }

    // Takes the last bytes and the line they end with; false when some bytes were not valid text.
    bool finish(QByteArrayView rest = {})
    {
        if (m_carry.isEmpty()) {
            takeLines(rest, 0, true);
        } else {
            m_carry += rest;
            takeLines(m_carry, m_scanned, true);
        }
        m_carry.clear();
        return !m_decode.hasError();
    }

private:
    void takeCarried(QByteArrayView bytes)
    {
        m_carry += bytes;
        const qsizetype used = takeLines(m_carry, m_scanned, false);
        m_carry.remove(0, used);
        m_scanned = m_stop - used;
    }

    // Takes every line that ends in bytes (and the line left at the end when last), scanning from
    // `from` (the bytes before it were scanned for the line being read). Returns the bytes used;
    // m_stop tells where the scan stopped.
    qsizetype takeLines(QByteArrayView bytes, qsizetype from, bool last)
    {
        const char *const d = bytes.data();
        const qsizetype n = bytes.size();
        qsizetype start = 0;
        // The next CR and the next LF, each looked for again only once the lines have passed it.
        qsizetype cr = indexOf(d, n, from, '\r');
        qsizetype lf = indexOf(d, n, from, '\n');
        for (;;) {
            const qsizetype end = std::min(cr, lf);
            if (end == n)
                break;
            qsizetype next = end + 1;
            if (end == cr) {
                // The LF of this CR may come with the next piece.
                if (next == n && !last) {
                    m_stop = end;
                    return start;
                }
                if (next < n && d[next] == '\n')
                    ++next;
            }
            add(d + start, end - start, next - start);
            start = next;
            if (cr < start)
                cr = indexOf(d, n, start, '\r');
            if (lf < start)
                lf = indexOf(d, n, start, '\n');
        }
        m_stop = n;
        if (last && start < n) {
            add(d + start, n - start, n - start);
            start = n;
        }
        return start;
    }

    static qsizetype indexOf(const char *d, qsizetype n, qsizetype from, char c)
    {
        if (from >= n)
            return n;
        const void *found = std::memchr(d + from, c, size_t(n - from));
        return found ? static_cast<const char *>(found) - d : n;
    }

    // The line as text when all its bytes are ASCII; a null text otherwise.
    static QString asciiText(const char *line, qsizetype size)
    {
        if (size == 0)
            return QString::fromLatin1(line, 0);
        QString text(size, Qt::Uninitialized);
        char16_t *const out = reinterpret_cast<char16_t *>(text.data());
        unsigned high = 0;
        for (qsizetype i = 0; i < size; ++i) {
            const unsigned byte = quint8(line[i]);
            high |= byte;
            out[i] = char16_t(byte);
        }
        if (high >= 0x80)
            return QString();
        return text;
    }

    // One line: size bytes of text followed by the line end, withEnd bytes in all.
    void add(const char *line, qsizetype size, qsizetype withEnd)
    {
        const bool first = !m_anyBefore;
        m_anyBefore = true;
        if (QString text = asciiText(line, size); !text.isNull()) {
            m_lines.append(std::move(text));
            return;
        }
        // The decoder must not take text that follows plain lines for the start of the file (where a
        // byte order mark is dropped).
        if (!m_decoderUsed && !first) {
            const QString lineEnd = m_decode(QByteArrayView("\n", 1));
            Q_UNUSED(lineEnd);
        }
        m_decoderUsed = true;
        QString text = m_decode(QByteArrayView(line, withEnd));
        // A last line that is only the start of a character decodes to nothing, as in the whole text.
        if (text.isEmpty() && size == withEnd)
            return;
        text.chop(withEnd - size);
        m_lines.append(std::move(text));
    }

    QStringList &m_lines;
    QStringDecoder m_decode{QStringConverter::System};
    QByteArray m_carry;      // the start of a line whose end has not come yet
    qsizetype m_scanned = 0; // bytes of m_carry already scanned
    qsizetype m_stop = 0;
    bool m_anyBefore = false;
    bool m_decoderUsed = false;
};

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

namespace {

// The state file as it stands ("" when there is none); path, when asked, receives it or, for a
// missing one, the path it would have.
QString foundStateFile(const QString &prefix, StateFile which, QString *path)
{
    const QString found = existingStateFile(prefix, which);
    if (path)
        *path = found.isEmpty() ? stateFilePath(prefix, which) : found;
    return found;
}

} // namespace

StateRead readStateFile(const QString &prefix, StateFile which, QByteArray &bytes, QString *path)
{
    bytes.clear();
    const QString found = foundStateFile(prefix, which, path);
    if (found.isEmpty())
        return StateRead::Missing;
    if (!readWholeFile(found, bytes).ok())
        return StateRead::Unreadable;
    // Bytes that are not text in the expected encoding are never turned into replacement characters
    // (the next save would write those instead of what the file held).
    QStringDecoder decode(QStringConverter::System);
    const QString text = decode(bytes);
    if (decode.hasError()) {
        bytes.clear();
        return StateRead::NotText;
    }
    return StateRead::Read;
}

StateRead readStateFileLines(const QString &prefix, StateFile which, QStringList &lines, QString *path)
{
    lines.clear();
    const QString found = foundStateFile(prefix, which, path);
    if (found.isEmpty())
        return StateRead::Missing;
    // Room for the lines of usual lengths at once (memory not used is never touched).
    lines.reserve(QFileInfo(found).size() / 12 + 1);
    StateLineDecoder decode(lines);
    constexpr qsizetype kPiece = 64 * 1024;
    const FileResult read = readFileInPieces(found, kPiece, [&decode](QByteArrayView piece) { decode.take(piece); });
    if (!read.ok()) {
        lines.clear();
        return StateRead::Unreadable;
    }
    if (!decode.finish()) {
        lines.clear();
        return StateRead::NotText;
    }
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
    if (copyWholeFile(path, kept).ok() || QFile::rename(path, kept))
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

namespace {

// The line feeds and carriage returns among the bytes, counted in one pass the compiler makes
// wide: one more than that is the most lines the bytes can hold.
qsizetype lineBreakBytes(QByteArrayView bytes)
{
    qsizetype n = 0;
    for (const char c : bytes)
        n += qsizetype(c == '\n') | qsizetype(c == '\r');
    return n;
}

} // namespace

bool decodeStateFileLines(QByteArrayView bytes, QStringList &lines, qsizetype pieceSize)
{
    lines.clear();
    lines.reserve(lineBreakBytes(bytes) + 1);
    StateLineDecoder decode(lines);
    if (pieceSize > 0)
        for (; bytes.size() > pieceSize; bytes = bytes.sliced(pieceSize))
            decode.take(bytes.first(pieceSize));
    return decode.finish(bytes);
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

namespace {

// Writes the line's units as bytes at out; false when one of them is not ASCII (out then holds
// scratch bytes).
bool narrowAscii(const QString &line, char *out)
{
    const QChar *const in = line.constData();
    const qsizetype n = line.size();
    char16_t high = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = in[i].unicode();
        high |= u;
        out[i] = char(u);
    }
    return high < 0x80;
}

} // namespace

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
    // Every encoding the system may use writes ASCII as it is; a line of ASCII skips the encoder
    // unless the encoder may still hold a surrogate from the end of the line before (a lone one of
    // either half waits there for the next unit), which would complete that pair or be refused.
    bool pending = false;
    for (const QString &line : lines) {
        if (!pending && line.size() + 2 <= kPiece) {
            if (line.size() + 2 > kPiece - (end - begin) && !flush())
                return false;
            if (narrowAscii(line, end)) {
                end += line.size();
                *end++ = '\r';
                *end++ = '\n';
                continue;
            }
        }
        if (!line.isEmpty())
            pending = line.back().isSurrogate();
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
        const StateRead r = which == StateFile::Script ? readStateFile(prefix, which, bytes, &path)
                                                       : readStateFileLines(prefix, which, lines, &path);
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
