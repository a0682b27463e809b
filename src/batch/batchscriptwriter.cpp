#include "batch/batchscriptwriter.h"

#include "batch/saveasnamer.h"
#include "core/mainsettings.h"
#include "core/pathhelpers.h"

#include <QHash>
#include <QIODevice>
#include <algorithm>
#include <array>
#include <cstring>
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

// A text of every drawing block compiled once: its template, and its pieces in the output encoding, the
// literal runs joined with the values that stay the same for the whole composition.
struct CompiledText {
    struct Part {
        QByteArray bytes;       // row 0: these bytes
        qsizetype chars = 0;    // row 0: the characters they encode
        int row = 0;            // else the tag's row
        qsizetype tagChars = 0; // the tag's characters in the text, both "$" included
    };
    TagTemplate tmpl;
    std::vector<Part> parts;
    qsizetype chars = 0;  // the text's characters
    qsizetype growth = 0; // what the values put in once for all add at most
    bool direct = false;  // the template is direct and every byte run encodes on its own
};

// Encodes text into a byte buffer and hands the buffer to the device in large writes. The buffer keeps
// its size and only the part in use counts, so adding bytes is a plain copy.
class Output
{
public:
    Output(QIODevice &device, QStringConverter::Encoding encoding)
        : m_device(device), m_encoder(encoding), m_decoder(encoding)
    {
        m_buffer.resize(kFlushAt + 256 * 1024);
        // Most encodings write ASCII as its own bytes; those take a plain copy.
        QString ascii;
        QByteArray same;
        for (int c = 1; c < 0x80; ++c) {
            ascii += QLatin1Char(char(c));
            same += char(c);
        }
        m_asciiSame = QStringEncoder(encoding).encode(ascii) == same;
        // UTF-8 (also as the system's encoding) flags every character it cannot write but a high surrogate
        // at the very end, which it holds back for the text to come.
        const QString sample = QStringLiteral("\u00e9\u20ac\U0001F600");
        m_utf8 = QStringEncoder(encoding).encode(sample) == sample.toUtf8();
    }

    // False when the text holds a character the encoding cannot represent (nothing is added then).
    bool add(QStringView text)
    {
        if (m_asciiSame && text.size() <= kAsciiRun) {
            // Short texts, most of them ASCII: copied while looking.
            char *to = room(text.size());
            const char16_t *from = text.utf16();
            char16_t bits = 0;
            for (qsizetype i = 0; i < text.size(); ++i) {
                bits |= from[i];
                to[i] = char(from[i]);
            }
            if (bits < 0x80) {
                m_used += text.size();
                return true;
            }
        }
        const qsizetype n = encodeAt(room(m_encoder.requiredSpace(text.size())), text);
        if (n < 0)
            return false;
        m_used += n;
        return true;
    }
    // The same into another buffer.
    bool encode(QByteArray &into, QStringView text)
    {
        const qsizetype old = into.size();
        into.resize(old + m_encoder.requiredSpace(text.size()));
        const qsizetype n = encodeAt(into.data() + old, text);
        into.resize(n < 0 ? old : old + n);
        return n >= 0;
    }
    void addBytes(QByteArrayView bytes)
    {
        std::memcpy(room(bytes.size()), bytes.data(), size_t(bytes.size()));
        m_used += bytes.size();
    }
    QByteArray encoded(QStringView text)
    {
        QByteArray b;
        encode(b, text);
        return b;
    }
    // The bytes added since the last flush; dropBack cuts them back to a length they had.
    qsizetype pending() const { return m_used; }
    void dropBack(qsizetype to) { m_used = to; }
    // Once the buffer holds enough, hands over whole pages of it (the file then grows page by page, with no
    // page written twice); the rest stays for the next time.
    bool flushIfFull()
    {
        if (m_used < kFlushAt)
            return true;
        const qsizetype whole = m_used & ~(kPage - 1);
        if (!writeOut(whole))
            return false;
        std::memmove(m_buffer.data(), m_buffer.constData() + whole, size_t(m_used - whole));
        m_used -= whole;
        return true;
    }
    bool flush()
    {
        if (m_used == 0)
            return true;
        if (!writeOut(m_used))
            return false;
        m_used = 0;
        return true;
    }
    qint64 bytes() const { return m_bytes; }
    QString deviceError() const { return m_device.errorString(); }

private:
    static constexpr qsizetype kFlushAt = 256 * 1024;
    static constexpr qsizetype kPage = 4096;

    bool writeOut(qsizetype n)
    {
        const qint64 written = m_device.write(m_buffer.constData(), n);
        if (written != n)
            return false;
        m_bytes += written;
        return true;
    }
    static constexpr qsizetype kAsciiRun = 4096;

    // Space for n more bytes after the part in use.
    char *room(qsizetype n)
    {
        if (m_used + n > m_buffer.size())
            m_buffer.resize(std::max(m_buffer.size() * 2, m_used + n));
        return m_buffer.data() + m_used;
    }
    // Encodes the text at `to` (room for requiredSpace); the bytes made, or -1 when the encoding cannot
    // hold the text.
    qsizetype encodeAt(char *to, QStringView text)
    {
        if (m_asciiSame && isAscii(text)) {
            const char16_t *from = text.utf16();
            for (qsizetype i = 0; i < text.size(); ++i)
                to[i] = char(from[i]);
            return text.size();
        }
        char *end = m_encoder.appendToBuffer(to, text);
        bool good = !m_encoder.hasError();
        if (m_utf8) {
            good = good && !(!text.isEmpty() && text.back().isHighSurrogate());
        } else if (good && !isAscii(text)) {
            // Some system code pages put a substitute in silently: the bytes must read back as the text.
            m_decoder.resetState();
            const QString back = m_decoder.decode(QByteArrayView(to, end - to));
            good = !m_decoder.hasError() && back == text;
        }
        if (!good) {
            m_encoder.resetState();
            return -1;
        }
        return end - to;
    }

    QIODevice &m_device;
    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    qint64 m_bytes = 0;
    bool m_asciiSame = false;
    bool m_utf8 = false;
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
                        BatchWriteResult &result)
{
    const qsizetype count = queue.size();
    if (count > 0 && !projects.loadError().isEmpty()) {
        result.status = BatchWriteResult::ProjectFileError;
        result.message = projects.loadError();
        return false;
    }
    if (projects.projects().isEmpty())
        return true;
    projects.matchingProjectsOfAll(queue, m.matchSet, m.lists);
    // The lists are numbered in the order the queue first shows them: the first one that cannot substitute
    // is named with the first drawing that has it.
    std::vector<bool> seen(size_t(m.lists.size()), false);
    for (qsizetype i = 0; i < count; ++i) {
        const int list = m.matchSet[size_t(i)];
        if (seen[size_t(list)])
            continue;
        seen[size_t(list)] = true;
        const QString problem = projects.incompleteMatchMessage(m.lists.at(list));
        if (!problem.isEmpty()) {
            result.status = BatchWriteResult::ProjectFileError;
            result.message = problem;
            result.drawing = i;
            return false;
        }
    }
    return true;
}

// The lines that open a drawing, each ended by CR LF: `before`, the path if `path`, then `after`.
struct OpenLine {
    OpenLine(QString b = {}, bool p = false, QString a = {}) : before(std::move(b)), path(p), after(std::move(a)) {}
    QString before;
    bool path;
    QString after;
};

std::vector<OpenLine> openLineForm(const BatchScriptInput &in, bool normalForm, bool &lockedSeen)
{
    const QString quote = QStringLiteral("\"");
    const QString quoteY = normalForm ? quote : QStringLiteral("\" Y");
    switch (in.LoadOpen) {
    case 1:
        if (in.LT == 0)
            return {{lispOpen(QStringLiteral("_.RECOVER"), true)}, {quote, true, quoteY}, {}};
        return {{QStringLiteral("_RECOVER \""), true, quoteY}, {}};
    case 2: return {{in.OpenOther}, {quote, true, quoteY}};
    case 3:
        if (normalForm) {
            return {{QStringLiteral(";NORMAL FILE LOAD")}, {lispOpen(QStringLiteral("_VQOPEN"), true)}, {{}, true, {}}};
        } else {
            std::vector<OpenLine> lines = {
                {lockedSeen ? QStringLiteral(";*** PREVIOUS LOCKED FILE") : QStringLiteral(";LOCKED FILE")},
                {lispOpen(QStringLiteral("_VQOPEN"), false)},
                {{}, true, {}}};
            if (lockedSeen)
                lines.push_back({QStringLiteral("_Y")});
            lockedSeen = true;
            return lines;
        }
    default: // 0, and any value outside the list: the plain OPEN
        if (in.LT == 0)
            return {{lispOpen(QStringLiteral("_.OPEN"), true)}, {quote, true, quoteY}};
        if (normalForm)
            return {{QStringLiteral("_OPEN \""), true, quote}};
        return {{QStringLiteral("_OPEN \""), true, quote}, {QStringLiteral("Y")}};
    }
}

// Texts put in as they stand, encoded once (nullopt: the encoding cannot hold them, put() then says so).
struct FixedText {
    QString text;
    std::optional<QByteArray> bytes;
};

// The open lines of one form (normal or not, a locked drawing seen before or not), as literal bytes around
// the path.
struct OpenForm {
    std::vector<QByteArray> literals; // one more than the places of the path
    qsizetype chars = 0;
    bool lockedSeenAfter = false;
};

// The value of a row for the drawing it was taken for (stamp: the drawing's stamp, or for a date row the
// dates it shows). usable: the value holds no "$" and starts and ends with a whole character, so it can be
// put in as it stands.
struct RowValue {
    QStringView text;
    quint64 stamp = 0;
    bool usable = false;
};

// A drawing of the queue, as its block is made.
struct Drawing {
    qsizetype index;
    const QString &path;
    qsizetype place; // 1-based
    BatchDrawingState state;
    bool normalForm; // there and writable
    const QList<int> *matches;
};

// Writes one batch script in steps: the header and pre-batch part, the texts compiled once, one block per
// drawing, the post-batch part. Blocks are made in the output encoding straight into the output buffer:
// the texts' literal runs were encoded once, and each drawing adds its tag values (a text whose values may
// hold tags goes through the cascade). A step that stops the composition returns false with the reason in
// the result; what was whole by then has gone to the device.
class ScriptComposer
{
public:
    ScriptComposer(QIODevice &device, const BatchScriptInput &in, const ProjectTagSet &projects, const TagContext &tags,
                   const ProjectMatches &matchSets, BatchWriteResult &result)
        : m_in(in), m_projects(projects), m_tags(tags), m_matchSets(matchSets), m_result(result),
          m_count(in.queue.size()),
          m_bound(in.maxBlockSize > 0 ? in.maxBlockSize : std::numeric_limits<qsizetype>::max()),
          m_debug(in.DebugComments == 1), m_userScript(withCrLf(in.userScript)),
          m_userHasProjectTags(ProjectTagSet::mayHoldProjectTags(m_userScript)), m_out(device, in.encoding),
          m_values(tags), m_namer(in, tags, projects, matchSets.lists.size()), m_counter(in.counterStart)
    {
        m_block.reserve(64 * 1024);
    }

    // The header, and the pre-batch commands.
    bool writeHead()
    {
        line(kRule);
        line(QStringLiteral(";  TESSALINE ") + m_in.programVersion + QStringLiteral(" - SCRIPT CREATED ") +
             m_tags.headerDate() + QStringLiteral(" : ") + m_tags.headerTime());
        line(kRule);
        if (!m_out.add(m_block))
            return failUnencodable(QStringLiteral("the header"), -1);
        QStringView startMark, endMark;
        if (m_debug) {
            startMark = u"; << START OF PRE-BATCH COMMANDS >>";
            endMark = u"; << END OF PRE-BATCH COMMANDS >>";
        }
        return writeBatchPart(m_in.preBatch, 0, QStringLiteral("the pre-batch commands"), startMark, endMark);
    }

    // The texts of every block, compiled once. After the header, so that their bytes follow on from it in
    // the encoder.
    void compileTexts()
    {
        m_crLf = m_out.encoded(QString(kCrLf));
        QString preText = withCrLf(m_in.preUserScript);
        if (m_in.includeStatus)
            preText = preText.isEmpty() ? kStatusLine : kStatusLine + kCrLf + preText;
        m_pre = compile(preText);
        m_post = compile(withCrLf(m_in.postUserScript));
        m_plainUser = compile(m_userScript);
        m_userByMatchList.resize(size_t(m_matchSets.lists.size()));

        m_debugStartPre = fixed(QStringLiteral("; << START OF PRE-USERSCRIPT COMMANDS >>") + kCrLf);
        m_debugStartUser = fixed(QStringLiteral("; << START OF USER SCRIPT >>") + kCrLf);
        m_debugEndUser = fixed(QStringLiteral("; << END OF USER SCRIPT >>") + kCrLf +
                               QStringLiteral("; << START OF POST-USERSCRIPT COMMANDS >>") + kCrLf);
        m_debugEndPost = fixed(QStringLiteral("; << END OF POST-USERSCRIPT COMMANDS >>") + kCrLf);
        m_delay = fixed(QStringLiteral("_DELAY ") + m_in.Delay);
        m_qsave = fixed(QStringLiteral("_QSAVE"));
        const QString token =
            m_in.outFormat.compare(dontChangeFormatText(), Qt::CaseInsensitive) == 0 ? QString() : m_in.outFormat;
        m_saveAsStart = QStringLiteral("_SAVEAS ") + token + QStringLiteral(" \"");
        compileOpenForms();
    }

    // The block of the queue's drawing i, whole or not at all.
    bool writeDrawing(qsizetype i)
    {
        const QString &path = m_in.queue.at(i);
        const BatchDrawingState state = i < m_in.states.size() ? m_in.states.at(i)
                                        : m_in.drawingState    ? m_in.drawingState(i, path)
                                                               : BatchDrawingState();
        const Drawing d{i, path, i + 1, state, state.available && !state.readOnly, m_matchSets.of(i)};
        m_values.reset(m_counter, path, d.place);
        ++m_drawingStamp;
        m_blockStart = m_out.pending();
        m_chars = 0;
        m_unencodable = false;

        putOpenLines(d);
        if (!putAroundUser(m_pre, d, m_debugStartPre, m_debugStartUser) || !putUserScript(d))
            return false;
        putEndLines(d);
        if (!putSaveAs(d) || !putAroundUser(m_post, d, m_debugEndUser, m_debugEndPost))
            return false;
        return endBlock(d);
    }

    // The post-batch commands, and whatever the buffer still holds.
    bool writeTail()
    {
        if (!writeBatchPart(m_in.postBatch, m_count, QStringLiteral("the post-batch commands"), {}, {}))
            return false;
        if (!m_out.flush())
            return failWrite();
        m_result.bytesWritten = m_out.bytes();
        m_result.dates = m_tags.dates();
        return true;
    }

private:
    // The pre- or post-batch commands, for the batch as a whole (filenumber 0 or the drawing count), between
    // the marks when there are marks.
    bool writeBatchPart(const QString &commands, qsizetype filenumber, const QString &what, QStringView startMark,
                        QStringView endMark)
    {
        if (commands.isEmpty())
            return true;
        m_block.resize(0);
        if (!startMark.isEmpty())
            line(startMark);
        const std::optional<QString> text = m_tags.trySubstituteTAGS(withCrLf(commands), 0, kBatchFileName, filenumber);
        if (!text)
            return failTooLarge(what, -1);
        line(*text);
        if (!endMark.isEmpty())
            line(endMark);
        if (!m_out.add(m_block))
            return failUnencodable(what, -1);
        return true;
    }
    void line(QStringView l)
    {
        m_block += l;
        m_block += kCrLf;
    }

    // A text of every block, its literal runs joined with the values that stay the same for the whole
    // composition and encoded.
    CompiledText compile(const QString &text)
    {
        CompiledText c;
        c.tmpl = m_tags.compile(text);
        c.chars = text.size();
        c.direct = c.tmpl.direct;
        QString run;
        auto endRun = [&] {
            if (run.isEmpty())
                return;
            CompiledText::Part part;
            part.chars = run.size();
            if (!m_out.encode(part.bytes, run))
                c.direct = false;
            c.parts.push_back(std::move(part));
            run.resize(0);
        };
        for (const TagTemplate::Piece &piece : c.tmpl.pieces) {
            if (piece.row == 0 || TagContext::isConstantRow(piece.row)) {
                const QString v = piece.row == 0 ? piece.literal : m_tags.tagValue(piece.row, 0, QString(), 0);
                if (!clearEdges(v) || (piece.row != 0 && v.contains(QLatin1Char('$'))))
                    c.direct = false;
                run += v;
                if (piece.row != 0)
                    c.growth += qMax<qsizetype>(0, v.size() - piece.tagChars);
                continue;
            }
            endRun();
            CompiledText::Part part;
            part.row = piece.row;
            part.tagChars = piece.tagChars;
            c.parts.push_back(std::move(part));
        }
        endRun();
        return c;
    }
    FixedText fixed(const QString &text)
    {
        FixedText f{text, QByteArray()};
        if (!m_out.encode(*f.bytes, text))
            f.bytes.reset();
        return f;
    }
    // Each open form, unless a literal run of it cannot be encoded on its own (the general way then says so).
    void compileOpenForms()
    {
        for (const bool normal : {false, true}) {
            for (const bool seen : {false, true}) {
                OpenForm form;
                form.lockedSeenAfter = seen;
                QString run;
                bool good = true;
                auto endRun = [&] {
                    QByteArray b;
                    good = good && clearEdges(run) && m_out.encode(b, run);
                    form.chars += run.size();
                    form.literals.push_back(b);
                    run.clear();
                };
                for (const OpenLine &l : openLineForm(m_in, normal, form.lockedSeenAfter)) {
                    run += l.before;
                    if (l.path)
                        endRun();
                    run += l.after;
                    run += kCrLf;
                }
                endRun();
                if (good)
                    m_openForms[normal][seen] = std::move(form);
            }
        }
    }

    void putOpenLines(const Drawing &d)
    {
        const std::optional<OpenForm> &open = m_openForms[d.normalForm][m_lockedSeen];
        if (open && clearEdges(d.path)) {
            for (size_t k = 0; k < open->literals.size(); ++k) {
                if (k > 0)
                    put(d.path);
                m_out.addBytes(open->literals[k]);
            }
            m_chars += open->chars;
            m_lockedSeen = open->lockedSeenAfter;
        } else {
            put(batchOpenLines(m_in, d.path, d.normalForm, m_lockedSeen));
        }
    }
    // The pre- or post-user-script commands with their line break, between debug comments when asked for.
    bool putAroundUser(const CompiledText &text, const Drawing &d, const FixedText &before, const FixedText &after)
    {
        if (text.chars == 0)
            return true;
        if (m_debug)
            putFixed(before);
        if (!putText(text, d))
            return failTooLarge(d);
        putBytes(m_crLf, 2);
        if (m_debug)
            putFixed(after);
        return true;
    }
    // The user script: project tags first, then the other tags.
    bool putUserScript(const Drawing &d)
    {
        const CompiledText *user = &m_plainUser;
        if (m_userHasProjectTags && d.matches && !d.matches->isEmpty()) {
            std::optional<CompiledText> &cached = m_userByMatchList[size_t(m_matchSets.matchSet[size_t(d.index)])];
            if (!cached) {
                const std::optional<QString> applied = m_projects.applyProjects(m_userScript, *d.matches, m_bound);
                if (!applied)
                    return failTooLarge(d);
                cached.emplace(compile(*applied));
            }
            user = &*cached;
        }
        if (!putText(*user, d) || m_chars > m_bound)
            return failTooLarge(d);
        return true;
    }
    // The delay and the QSAVE, each on a line of its own, and the end of the user script's last line.
    void putEndLines(const Drawing &d)
    {
        if (m_in.UseDelay != 0) {
            putBytes(m_crLf, 2);
            putFixed(m_delay);
        }
        const bool qsave = !m_in.saveAs && d.normalForm && (m_in.LT != 0 || !m_in.testRun);
        if (qsave) {
            putBytes(m_crLf, 2);
            putFixed(m_qsave);
        }
        putBytes(m_crLf, 2);
    }
    bool putSaveAs(const Drawing &d)
    {
        if (!m_in.saveAs || !d.state.available)
            return true;
        const int matchList = d.matches ? m_matchSets.matchSet[size_t(d.index)] : -1;
        m_saveAsLine.resize(0);
        m_saveAsLine += m_saveAsStart;
        if (!m_namer.makeWith(m_values, d.path, d.matches, matchList, m_counter, d.place, m_saveAsLine))
            return failTooLarge(d);
        bool exists = false;
        if (m_in.overwriteExisting) {
            const QString target = m_saveAsLine.mid(m_saveAsStart.size());
            const QString &name = m_namer.lastName();
            exists = m_in.targetExists ? m_in.targetExists(target, name) : Path_Exists(target, name) != 0;
        }
        m_saveAsLine += exists ? QLatin1String("\" Y") : QLatin1String("\"");
        putLine(m_saveAsLine);
        return true;
    }
    // The block is whole: checked, passed on, and the next drawing's counter set.
    bool endBlock(const Drawing &d)
    {
        if (m_chars > m_bound)
            return failTooLarge(d);
        if (m_unencodable) {
            return failUnencodable(drawingWhat(d.path) + QStringLiteral(" (its path or a tag value)"), d.index);
        }
        m_blockStart = -1;
        if (!m_out.flushIfFull())
            return failWrite();
        m_result.drawingsWritten = d.place;
        m_counter += m_in.counterStep;
        if (m_in.progress)
            m_in.progress(d.place, m_count);
        return true;
    }

    // Appends the text substituted for the drawing; false when it passes the bound.
    bool putText(const CompiledText &text, const Drawing &d)
    {
        if (text.direct) {
            // Direct when no value holds a "$" and the text stays within the bound at every row.
            if (text.tmpl.hasDates)
                m_tags.refreshDates();
            qsizetype peak = text.chars + text.growth;
            bool direct = true;
            for (const CompiledText::Part &part : text.parts) {
                if (part.row == 0)
                    continue;
                const RowValue &rv = rowValue(part.row);
                if (!rv.usable) {
                    direct = false;
                    break;
                }
                peak += qMax<qsizetype>(0, rv.text.size() - part.tagChars);
            }
            if (direct && peak <= m_bound) {
                for (const CompiledText::Part &part : text.parts) {
                    if (part.row == 0)
                        putBytes(part.bytes, part.chars);
                    else
                        put(m_rowValues[size_t(part.row)].text);
                }
                return true;
            }
        }
        m_substituted.resize(0);
        if (!m_tags.substituteInto(m_substituted, text.tmpl.prepared, m_counter, d.path, d.place))
            return false;
        put(m_substituted);
        return true;
    }
    const RowValue &rowValue(int row)
    {
        RowValue &rv = m_rowValues[size_t(row)];
        const quint64 stamp = TagContext::isDateRow(row) ? m_tags.datesVersion() + 1 : m_drawingStamp;
        if (rv.stamp != stamp) {
            rv.text = m_values.value(row);
            rv.usable = !holdsDollar(rv.text) && clearEdges(rv.text);
            rv.stamp = stamp;
        }
        return rv;
    }
    // A piece that the encoding cannot hold is reported once the block is whole.
    void put(QStringView text)
    {
        m_chars += text.size();
        if (!m_unencodable && !m_out.add(text))
            m_unencodable = true;
    }
    void putBytes(const QByteArray &bytes, qsizetype textChars)
    {
        m_chars += textChars;
        m_out.addBytes(bytes);
    }
    void putLine(QStringView text)
    {
        put(text);
        putBytes(m_crLf, 2);
    }
    void putFixed(const FixedText &f)
    {
        if (f.bytes)
            putBytes(*f.bytes, f.text.size());
        else
            put(f.text);
    }

    // Each stops the composition and returns false. The block being made is dropped (a block never goes out
    // in part); what is whole goes to the device, for a look at the partial script.
    bool fail(BatchWriteResult::Status status, const QString &message, qsizetype drawing)
    {
        if (m_blockStart >= 0)
            m_out.dropBack(m_blockStart);
        m_result.status = status;
        m_result.message = message;
        m_result.drawing = drawing;
        m_out.flush();
        m_result.bytesWritten = m_out.bytes();
        m_result.dates = m_tags.dates();
        return false;
    }
    bool failTooLarge(const QString &what, qsizetype drawing)
    {
        return fail(BatchWriteResult::TooLarge, tooLargeMessage(what, m_bound), drawing);
    }
    bool failTooLarge(const Drawing &d) { return failTooLarge(drawingWhat(d.path), d.index); }
    bool failUnencodable(const QString &what, qsizetype drawing)
    {
        return fail(BatchWriteResult::Unencodable, unencodableMessage(what), drawing);
    }
    bool failWrite()
    {
        return fail(
            BatchWriteResult::WriteFailed,
            QStringLiteral("The batch script could not be written (") + m_out.deviceError() + QStringLiteral(")."), -1);
    }

    const BatchScriptInput &m_in;
    const ProjectTagSet &m_projects;
    const TagContext &m_tags;
    const ProjectMatches &m_matchSets;
    BatchWriteResult &m_result;
    const qsizetype m_count;
    const qsizetype m_bound;
    const bool m_debug;
    const QString m_userScript;
    const bool m_userHasProjectTags;

    Output m_out;
    QString m_block;             // the header, or the pre- or post-batch part
    qsizetype m_blockStart = -1; // where the block being made starts in the output buffer (-1: none)
    qsizetype m_chars = 0;       // the block's characters, for the bound
    bool m_unencodable = false;  // a piece of the block that the encoding cannot hold

    QByteArray m_crLf;
    CompiledText m_pre, m_post, m_plainUser;
    std::vector<std::optional<CompiledText>> m_userByMatchList;
    FixedText m_debugStartPre, m_debugStartUser, m_debugEndUser, m_debugEndPost, m_delay, m_qsave;
    QString m_saveAsStart;
    std::optional<OpenForm> m_openForms[2][2];

    TagValues m_values;
    std::array<RowValue, 97> m_rowValues;
    quint64 m_drawingStamp = 0;
    QString m_substituted;
    QString m_saveAsLine;
    SaveAsNamer m_namer;
    qint64 m_counter;
    bool m_lockedSeen = false;
};
// False, with the result saying why, when the tag settings cannot compose anything.
bool tagSettingsValid(const TagContext &tags, BatchWriteResult &result)
{
    if (tags.isValid())
        return true;
    result.status = BatchWriteResult::BadSettings;
    result.message = tags.errorMessage();
    return false;
}

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
    QString out;
    for (const OpenLine &l : openLineForm(in, normalForm, lockedSeen)) {
        out += l.before;
        if (l.path)
            out += path;
        out += l.after;
        out += kCrLf;
    }
    return out;
}

BatchWriteResult writeBatchScript(QIODevice &device, const BatchScriptInput &in, const ProjectTagSet &projects)
{
    BatchWriteResult result;
    TagContext tags(in.tags, in.queue, in.environment);
    tags.setMaxTextSize(in.maxBlockSize);

    // Everything that stops a composition is found before the first byte.
    if (!tagSettingsValid(tags, result))
        return result;
    ProjectMatches matchSets;
    if (!findProjectMatches(in.queue, projects, matchSets, result))
        return result;

    ScriptComposer composer(device, in, projects, tags, matchSets, result);
    if (!composer.writeHead())
        return result;
    composer.compileTexts();
    for (qsizetype i = 0; i < in.queue.size(); ++i) {
        if (!composer.writeDrawing(i))
            return result;
    }
    composer.writeTail();
    return result;
}

BatchWriteResult batchSaveAsTargets(const BatchScriptInput &in, const ProjectTagSet &projects, QStringList &targets)
{
    targets.clear();
    BatchWriteResult result;
    TagContext tags(in.tags, in.queue, in.environment);
    tags.setMaxTextSize(in.maxBlockSize);
    if (!tagSettingsValid(tags, result))
        return result;
    ProjectMatches matchSets;
    // A project that cannot substitute is named as the writing names it: each drawing's user script has its
    // project tags replaced before its SAVEAS name, so that step is the first to fail.
    if (!findProjectMatches(in.queue, projects, matchSets, result))
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
