#include "batch/batchscriptwriter.h"

#include "core/mainsettings.h"
#include "core/pathhelpers.h"

#include <QHash>
#include <QIODevice>
#include <array>
#include <limits>
#include <optional>
#include <vector>

namespace tess {

namespace {

const QLatin1String kCrLf("\r\n");
const QString kBatchFileName = QStringLiteral("-INVALID-    "); // the file name of the pre- and post-batch parts
const QString kStatusLine = QStringLiteral("(SETVAR \"MODEMACRO\" \"Drawing $COUNTER$ of $FILECOUNTINQUEUE$\")");
const QString kRule = QStringLiteral("; ***************************************************************");

// Inner line breaks of a user text as CR LF (a lone LF or CR becomes CR LF).
QString withCrLf(const QString &text)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out += kCrLf;
            if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += kCrLf;
        } else {
            out += c;
        }
    }
    return out;
}

bool isAscii(QStringView s)
{
    char16_t bits = 0;
    const char16_t *d = reinterpret_cast<const char16_t *>(s.data());
    for (qsizetype i = 0; i < s.size(); ++i)
        bits |= d[i];
    return bits < 0x80;
}

QString lispOpen(const QString &command, bool answerYes)
{
    // (if (/= (getvar "DBMOD") 0)(command "_.OPEN" "_Y")(command "_.OPEN"))
    return QStringLiteral("(if (/= (getvar \"DBMOD\") 0)(command \"") + command +
           (answerYes ? QStringLiteral("\" \"_Y\")(command \"") : QStringLiteral("\")(command \"")) + command +
           QStringLiteral("\"))");
}

// False when the text starts or ends with half of a surrogate pair (its bytes then depend on the text
// beside it).
bool clearEdges(QStringView s) { return s.isEmpty() || (!s.front().isSurrogate() && !s.back().isSurrogate()); }

// A text of every drawing block compiled once: its template, and each literal run in the output encoding.
struct CompiledText {
    TagTemplate tmpl;
    std::vector<QByteArray> bytes; // per piece; empty for a tag
    qsizetype chars = 0;           // the text's characters
    bool direct = false;           // the template is direct and every literal run encodes on its own
};

// Encodes text blocks into a byte buffer and hands the buffer to the device in large writes.
class Output
{
public:
    Output(QIODevice &device, QStringConverter::Encoding encoding)
        : m_device(device), m_encoder(encoding), m_decoder(encoding)
    {
        m_buffer.reserve(kFlushAt + 64 * 1024);
        // Most encodings write ASCII as its own bytes; those take a plain copy.
        QString ascii;
        QByteArray same;
        for (int c = 1; c < 0x80; ++c) {
            ascii += QLatin1Char(char(c));
            same += char(c);
        }
        m_asciiSame = QStringEncoder(encoding).encode(ascii) == same;
    }

    // False when the text holds a character the encoding cannot represent (nothing is added then).
    bool add(QStringView text) { return encode(m_buffer, text); }
    // The same into another buffer.
    bool encode(QByteArray &into, QStringView text)
    {
        const qsizetype old = into.size();
        if (m_asciiSame && isAscii(text)) {
            into.resize(old + text.size());
            char *to = into.data() + old;
            const char16_t *from = text.utf16();
            for (qsizetype i = 0; i < text.size(); ++i)
                to[i] = char(from[i]);
            return true;
        }
        into.resize(old + m_encoder.requiredSpace(text.size()));
        char *end = m_encoder.appendToBuffer(into.data() + old, text);
        into.resize(end - into.constData());
        bool good = !m_encoder.hasError();
        if (good && !isAscii(text)) {
            // Some system code pages put a substitute in silently: the bytes must read back as the text.
            m_decoder.resetState();
            const QString back = m_decoder.decode(QByteArrayView(into.constData() + old, into.size() - old));
            good = !m_decoder.hasError() && back == text;
        }
        if (!good) {
            into.resize(old);
            m_encoder.resetState();
        }
        return good;
    }
    void addBytes(QByteArrayView bytes) { m_buffer.append(bytes); }
    QByteArray encoded(QStringView text)
    {
        QByteArray b;
        encode(b, text);
        return b;
    }
    bool flushIfFull() { return m_buffer.size() < kFlushAt || flush(); }
    bool flush()
    {
        if (m_buffer.isEmpty())
            return true;
        const qint64 written = m_device.write(m_buffer.constData(), m_buffer.size());
        if (written != m_buffer.size())
            return false;
        m_bytes += written;
        m_buffer.resize(0);
        return true;
    }
    qint64 bytes() const { return m_bytes; }
    QString deviceError() const { return m_device.errorString(); }

private:
    static constexpr qsizetype kFlushAt = 256 * 1024;
    QIODevice &m_device;
    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
    QByteArray m_buffer;
    qint64 m_bytes = 0;
    bool m_asciiSame = false;
};

QString unencodableMessage(const QString &what)
{
    return QStringLiteral("The batch script cannot be written: ") + what +
           QStringLiteral(" holds characters that the script's character set cannot represent.");
}

QString tooLargeMessage(const QString &what, qsizetype bound)
{
    return QStringLiteral("The batch script cannot be written: ") + what + QStringLiteral(" would take more than ") +
           QString::number(bound) +
           QStringLiteral(" characters once its tags are substituted (tag values that hold further tags make "
                          "the text grow at every tag).");
}

QString drawingWhat(const QString &path) { return QStringLiteral("the drawing ") + path; }

// Each drawing's matching projects, as an index into the distinct match lists; found before the first
// byte, so that a project file that cannot substitute stops the writing before it starts.
struct ProjectMatches {
    std::vector<int> matchSet; // empty when there are no projects
    QList<QList<int>> lists;
    const QList<int> *of(qsizetype i) const { return matchSet.empty() ? nullptr : &lists.at(matchSet[size_t(i)]); }
};

bool findProjectMatches(const QStringList &queue, const ProjectTagSet &projects, ProjectMatches &m,
                        BatchWriteResult &result, const QString &procedure = QStringLiteral("SubstituteProjectTAGS"))
{
    const qsizetype count = queue.size();
    if (count > 0 && !projects.loadError().isEmpty()) {
        result.status = BatchWriteResult::ProjectFileError;
        result.message = projects.loadError();
        return false;
    }
    if (projects.projects().isEmpty())
        return true;
    QHash<QList<int>, int> ids;
    m.matchSet.resize(size_t(count));
    for (qsizetype i = 0; i < count; ++i) {
        const QList<int> found = projects.matchingProjects(queue.at(i));
        auto it = ids.constFind(found);
        if (it == ids.constEnd()) {
            const QString problem = projects.incompleteMatchMessage(found, procedure);
            if (!problem.isEmpty()) {
                result.status = BatchWriteResult::ProjectFileError;
                result.message = problem;
                result.drawing = i;
                return false;
            }
            it = ids.insert(found, int(m.lists.size()));
            m.lists.append(found);
        }
        m.matchSet[size_t(i)] = *it;
    }
    return true;
}

// The SAVEAS target of a drawing: prefix + file title + suffix + the path's last four characters, in the
// drawing's own folder or the chosen one (tags substituted), every ".dxf" of the name made ".DWG".
class SaveAsNamer
{
public:
    SaveAsNamer(const BatchScriptInput &in, const TagContext &tags, const ProjectTagSet &projects)
        : m_in(in), m_tags(tags), m_projects(projects), m_prefix(tags.prepare(in.prefix)),
          m_suffix(tags.prepare(in.suffix)), m_folder(tags.prepare(in.specFolder))
    {
    }

    // False when a substituted text passes the bound.
    bool make(const QString &path, const QList<int> *matches, qint64 counter, qsizetype place, QString &target,
              QString &name) const
    {
        QString prefix, suffix;
        if (!nameText(m_prefix, path, matches, counter, place, prefix) ||
            !nameText(m_suffix, path, matches, counter, place, suffix))
            return false;
        name = prefix + FileTitleOf(path) + suffix + path.right(4);
        if (name.contains(QLatin1String(".dxf"), Qt::CaseInsensitive))
            name.replace(QLatin1String(".dxf"), QLatin1String(".DWG"), Qt::CaseInsensitive);
        target.clear();
        if (m_in.originalLocation)
            target = FolderOf(path);
        else if (!m_tags.substituteInto(target, m_folder, counter, path, place))
            return false;
        // A typed folder may lack its final separator ("D:\OUT"): the name goes inside it all the same.
        target = joinPath(target, name);
        return true;
    }

private:
    // SubstituteTAGS, then SpSubstituteProjectTAGS (the project tags, then the tags with file number 0).
    bool nameText(const PreparedTagText &text, const QString &path, const QList<int> *matches, qint64 counter,
                  qsizetype place, QString &out) const
    {
        QString s;
        if (!m_tags.substituteInto(s, text, counter, path, place))
            return false;
        if (matches && !matches->isEmpty() && ProjectTagSet::mayHoldProjectTags(s)) {
            std::optional<QString> p = m_projects.applyProjects(s, *matches, m_tags.maxTextSize());
            if (!p)
                return false;
            s = std::move(*p);
        }
        std::optional<QString> t = m_tags.trySubstituteTAGS(s, counter, path, 0);
        if (!t)
            return false;
        out = std::move(*t);
        return true;
    }

    const BatchScriptInput &m_in;
    const TagContext &m_tags;
    const ProjectTagSet &m_projects;
    PreparedTagText m_prefix, m_suffix, m_folder;
};

} // namespace

void BatchScriptInput::applySettings(const MainSettings &s)
{
    DebugComments = s.DebugComments;
    UseDelay = s.UseDelay;
    Delay = s.Delay;
    LoadOpen = s.LoadOpen;
    OpenOther = s.OpenOther;
    LT = s.LT;
    counterStart = s.COUNTERSTART;
    counterStep = s.COUNTERSTEP;
    tags = TagSettings::fromSettings(s);
}

QString batchOpenLines(const BatchScriptInput &in, const QString &path, bool normalForm, bool &lockedSeen)
{
    const QString quoted = QLatin1Char('"') + path + QLatin1Char('"');
    const QString y = normalForm ? QString() : QStringLiteral(" Y");
    QString out;
    auto line = [&out](const QString &l) {
        out += l;
        out += kCrLf;
    };
    switch (in.LoadOpen) {
    case 1:
        if (in.LT == 0) {
            line(lispOpen(QStringLiteral("_.RECOVER"), true));
            line(quoted + y);
        } else {
            line(QStringLiteral("_RECOVER ") + quoted + y);
        }
        line(QString());
        break;
    case 2:
        line(in.OpenOther);
        line(quoted + y);
        break;
    case 3:
        if (normalForm) {
            line(QStringLiteral(";NORMAL FILE LOAD"));
            line(lispOpen(QStringLiteral("_VQOPEN"), true));
            line(path);
        } else {
            line(lockedSeen ? QStringLiteral(";*** PREVIOUS LOCKED FILE") : QStringLiteral(";LOCKED FILE"));
            line(lispOpen(QStringLiteral("_VQOPEN"), false));
            line(path);
            if (lockedSeen)
                line(QStringLiteral("_Y"));
            lockedSeen = true;
        }
        break;
    default: // 0, and any value outside the list: the plain OPEN
        if (in.LT == 0) {
            line(lispOpen(QStringLiteral("_.OPEN"), true));
            line(quoted + y);
        } else {
            line(QStringLiteral("_OPEN ") + quoted);
            if (!normalForm)
                line(QStringLiteral("Y"));
        }
        break;
    }
    return out;
}

BatchWriteResult writeBatchScript(QIODevice &device, const BatchScriptInput &in, const ProjectTagSet &projects)
{
    BatchWriteResult result;
    TagContext tags(in.tags, in.queue, in.environment);
    tags.setMaxTextSize(in.maxBlockSize);
    const qsizetype count = in.queue.size();
    const qsizetype bound = in.maxBlockSize > 0 ? in.maxBlockSize : std::numeric_limits<qsizetype>::max();

    // Everything that stops a composition is found before the first byte.
    if (!tags.isValid()) {
        result.status = BatchWriteResult::BadSettings;
        result.message = tags.errorMessage();
        return result;
    }
    ProjectMatches matchSets;
    if (!findProjectMatches(in.queue, projects, matchSets, result))
        return result;

    const QString userScript = withCrLf(in.userScript);
    const bool userHasProjectTags = ProjectTagSet::mayHoldProjectTags(userScript);

    QString preText = withCrLf(in.preUserScript);
    if (in.includeStatus)
        preText = preText.isEmpty() ? kStatusLine : kStatusLine + kCrLf + preText;
    const QString postText = withCrLf(in.postUserScript);
    const SaveAsNamer namer(in, tags, projects);
    const QString token =
        in.outFormat.compare(dontChangeFormatText(), Qt::CaseInsensitive) == 0 ? QString() : in.outFormat;
    const QString delayLine = QStringLiteral("_DELAY ") + in.Delay;
    const bool debug = in.DebugComments == 1;

    Output out(device, in.encoding);
    QString block;
    block.reserve(64 * 1024);
    auto line = [&block](QStringView l) {
        block += l;
        block += kCrLf;
    };
    auto fail = [&](BatchWriteResult::Status status, const QString &message, qsizetype drawing) {
        result.status = status;
        result.message = message;
        result.drawing = drawing;
        out.flush(); // what is complete, for a look at the partial script
        result.bytesWritten = out.bytes();
        result.dates = tags.dates();
        return result;
    };
    auto tooLarge = [&](const QString &what, qsizetype drawing) {
        return fail(BatchWriteResult::TooLarge, tooLargeMessage(what, bound), drawing);
    };
    auto writeFailed = [&] {
        return fail(
            BatchWriteResult::WriteFailed,
            QStringLiteral("The batch script could not be written (") + out.deviceError() + QStringLiteral(")."), -1);
    };

    // Header and pre-batch part.
    line(kRule);
    line(QStringLiteral(";  TESSALINE ") + in.programVersion + QStringLiteral(" - SCRIPT CREATED ") +
         tags.headerDate() + QStringLiteral(" : ") + tags.headerTime());
    line(kRule);
    if (!out.add(block))
        return fail(BatchWriteResult::Unencodable, unencodableMessage(QStringLiteral("the header")), -1);
    if (!in.preBatch.isEmpty()) {
        block.resize(0);
        if (debug)
            line(QStringLiteral("; << START OF PRE-BATCH COMMANDS >>"));
        const std::optional<QString> text = tags.trySubstituteTAGS(withCrLf(in.preBatch), 0, kBatchFileName, 0);
        if (!text)
            return tooLarge(QStringLiteral("the pre-batch commands"), -1);
        line(*text);
        if (debug)
            line(QStringLiteral("; << END OF PRE-BATCH COMMANDS >>"));
        if (!out.add(block))
            return fail(BatchWriteResult::Unencodable, unencodableMessage(QStringLiteral("the pre-batch commands")),
                        -1);
    }

    // One block per drawing, made in the output encoding: the texts' literal runs were encoded once, and
    // each drawing adds its tag values (a text whose values may hold tags goes through the cascade).
    QByteArray bytes;
    bytes.reserve(64 * 1024);
    qsizetype chars = 0;      // the block's characters, for the bound
    bool unencodable = false; // a piece that the encoding cannot hold (reported once the block is whole)
    const QByteArray crLf = out.encoded(QString(kCrLf));
    auto put = [&](QStringView text) {
        chars += text.size();
        if (!unencodable && !out.encode(bytes, text))
            unencodable = true;
    };
    auto putLine = [&](QStringView text) {
        put(text);
        chars += 2;
        bytes += crLf;
    };
    // The texts of every block, compiled once.
    auto compile = [&](const QString &text) {
        CompiledText c;
        c.tmpl = tags.compile(text);
        c.chars = text.size();
        c.direct = c.tmpl.direct;
        for (const TagTemplate::Piece &piece : c.tmpl.pieces) {
            QByteArray encoded;
            if (piece.row == 0 && (!out.encode(encoded, piece.literal) || !clearEdges(piece.literal)))
                c.direct = false;
            c.bytes.push_back(encoded);
        }
        return c;
    };
    const CompiledText preCompiled = compile(preText), postCompiled = compile(postText);
    const CompiledText plainUserCompiled = compile(userScript);
    std::vector<std::optional<CompiledText>> userCompiledByMatch(size_t(matchSets.lists.size()));
    // The encoded value of each row for the drawing `encodedFor` (date rows are encoded at every use).
    std::array<QByteArray, 97> encodedValues;
    std::array<qsizetype, 97> encodedFor;
    encodedFor.fill(-1);

    // Appends the text substituted for the drawing; false when it passes the bound.
    auto putText = [&](const CompiledText &text, TagValues &values, qint64 counter, const QString &path,
                       qsizetype place, qsizetype index) {
        if (text.direct) {
            // Direct when no value holds a "$" and the text stays within the bound at every row.
            if (text.tmpl.hasDates)
                tags.refreshDates();
            qsizetype peak = text.chars;
            bool direct = true;
            for (const TagTemplate::Piece &piece : text.tmpl.pieces) {
                if (piece.row == 0)
                    continue;
                const QString &v = values.value(piece.row);
                if (v.contains(QLatin1Char('$')) || !clearEdges(v)) {
                    direct = false;
                    break;
                }
                peak += qMax<qsizetype>(0, v.size() - piece.tagChars);
            }
            if (direct && peak <= bound) {
                for (size_t k = 0; k < text.tmpl.pieces.size(); ++k) {
                    const TagTemplate::Piece &piece = text.tmpl.pieces[k];
                    if (piece.row == 0) {
                        chars += piece.literal.size();
                        bytes += text.bytes[k];
                        continue;
                    }
                    const QString &v = values.value(piece.row);
                    chars += v.size();
                    if (unencodable)
                        continue;
                    const size_t r = size_t(piece.row);
                    if (TagContext::isDateRow(piece.row)) {
                        unencodable = !out.encode(bytes, v);
                    } else {
                        if (encodedFor[r] != index) {
                            encodedValues[r].resize(0);
                            if (!out.encode(encodedValues[r], v)) {
                                unencodable = true;
                                continue;
                            }
                            encodedFor[r] = index;
                        }
                        bytes += encodedValues[r];
                    }
                }
                return true;
            }
        }
        QString substituted;
        if (!tags.substituteInto(substituted, text.tmpl.prepared, counter, path, place))
            return false;
        put(substituted);
        return true;
    };

    qint64 counter = in.counterStart;
    bool lockedSeen = false;
    for (qsizetype i = 0; i < count; ++i) {
        const QString &path = in.queue.at(i);
        const qsizetype place = i + 1;
        const BatchDrawingState state = i < in.states.size() ? in.states.at(i)
                                        : in.drawingState    ? in.drawingState(i, path)
                                                             : BatchDrawingState();
        const bool normalForm = state.available && !state.readOnly;
        const QList<int> *matches = matchSets.of(i);
        TagValues values(tags, counter, path, place);
        bytes.resize(0);
        chars = 0;
        unencodable = false;

        put(batchOpenLines(in, path, normalForm, lockedSeen));
        if (!preText.isEmpty()) {
            if (debug)
                putLine(QStringLiteral("; << START OF PRE-USERSCRIPT COMMANDS >>"));
            if (!putText(preCompiled, values, counter, path, place, i))
                return tooLarge(drawingWhat(path), i);
            putLine(QStringView());
            if (debug)
                putLine(QStringLiteral("; << START OF USER SCRIPT >>"));
        }

        // The user script: project tags first, then the other tags.
        const CompiledText *user = &plainUserCompiled;
        if (userHasProjectTags && matches && !matches->isEmpty()) {
            std::optional<CompiledText> &cached = userCompiledByMatch[size_t(matchSets.matchSet[size_t(i)])];
            if (!cached) {
                const std::optional<QString> applied = projects.applyProjects(userScript, *matches, bound);
                if (!applied)
                    return tooLarge(drawingWhat(path), i);
                cached.emplace(compile(*applied));
            }
            user = &*cached;
        }
        if (!putText(*user, values, counter, path, place, i) || chars > bound)
            return tooLarge(drawingWhat(path), i);

        if (in.UseDelay != 0) {
            putLine(QStringView());
            put(delayLine);
        }
        const bool qsave = !in.saveAs && normalForm && (in.LT != 0 || !in.testRun);
        if (qsave) {
            putLine(QStringView());
            put(QStringLiteral("_QSAVE"));
        }
        putLine(QStringView());

        if (in.saveAs && state.available) {
            QString target, name;
            if (!namer.make(path, matches, counter, place, target, name))
                return tooLarge(drawingWhat(path), i);
            bool exists = false;
            if (in.overwriteExisting)
                exists = in.targetExists ? in.targetExists(target, name) : Path_Exists(target, name) != 0;
            putLine(QStringLiteral("_SAVEAS ") + token + QStringLiteral(" \"") + target + QLatin1Char('"') +
                    (exists ? QStringLiteral(" Y") : QString()));
        }

        if (!postText.isEmpty()) {
            if (debug) {
                putLine(QStringLiteral("; << END OF USER SCRIPT >>"));
                putLine(QStringLiteral("; << START OF POST-USERSCRIPT COMMANDS >>"));
            }
            if (!putText(postCompiled, values, counter, path, place, i))
                return tooLarge(drawingWhat(path), i);
            putLine(QStringView());
            if (debug)
                putLine(QStringLiteral("; << END OF POST-USERSCRIPT COMMANDS >>"));
        }

        if (chars > bound)
            return tooLarge(drawingWhat(path), i);
        if (unencodable) {
            return fail(BatchWriteResult::Unencodable,
                        unencodableMessage(drawingWhat(path) + QStringLiteral(" (its path or a tag value)")), i);
        }
        out.addBytes(bytes);
        if (!out.flushIfFull())
            return writeFailed();
        result.drawingsWritten = place;
        counter += in.counterStep;
        if (in.progress)
            in.progress(place, count);
    }

    // Post-batch part.
    if (!in.postBatch.isEmpty()) {
        block.resize(0);
        const std::optional<QString> text = tags.trySubstituteTAGS(withCrLf(in.postBatch), 0, kBatchFileName, count);
        if (!text)
            return tooLarge(QStringLiteral("the post-batch commands"), -1);
        line(*text);
        if (!out.add(block))
            return fail(BatchWriteResult::Unencodable, unencodableMessage(QStringLiteral("the post-batch commands")),
                        -1);
    }
    if (!out.flush())
        return writeFailed();
    result.bytesWritten = out.bytes();
    result.dates = tags.dates();
    return result;
}

BatchWriteResult batchSaveAsTargets(const BatchScriptInput &in, const ProjectTagSet &projects, QStringList &targets)
{
    targets.clear();
    BatchWriteResult result;
    TagContext tags(in.tags, in.queue, in.environment);
    tags.setMaxTextSize(in.maxBlockSize);
    if (!tags.isValid()) {
        result.status = BatchWriteResult::BadSettings;
        result.message = tags.errorMessage();
        return result;
    }
    ProjectMatches matchSets;
    // The SAVEAS name's project tags are substituted by SpSubstituteProjectTAGS.
    if (!findProjectMatches(in.queue, projects, matchSets, result, QStringLiteral("SpSubstituteProjectTAGS")))
        return result;
    const SaveAsNamer namer(in, tags, projects);
    const qsizetype bound = in.maxBlockSize > 0 ? in.maxBlockSize : std::numeric_limits<qsizetype>::max();
    QStringList made;
    made.reserve(in.queue.size());
    qint64 counter = in.counterStart;
    for (qsizetype i = 0; i < in.queue.size(); ++i) {
        const QString &path = in.queue.at(i);
        QString target, name;
        if (!namer.make(path, matchSets.of(i), counter, i + 1, target, name)) {
            result.status = BatchWriteResult::TooLarge;
            result.message = tooLargeMessage(drawingWhat(path), bound);
            result.drawing = i;
            return result;
        }
        made.append(target);
        counter += in.counterStep;
    }
    targets = std::move(made);
    return result;
}

} // namespace tess
