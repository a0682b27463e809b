#include "batch/batchscriptwriter.h"

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

// Whether a short text holds a "$" (a plain loop: the values are a few characters long).
bool holdsDollar(QStringView s)
{
    for (const QChar c : s) {
        if (c == QLatin1Char('$'))
            return true;
    }
    return false;
}

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
    projects.matchingProjectsOfAll(queue, m.matchSet, m.lists);
    // The lists are numbered in the order the queue first shows them: the first one that cannot substitute
    // is named with the first drawing that has it.
    std::vector<bool> seen(size_t(m.lists.size()), false);
    for (qsizetype i = 0; i < count; ++i) {
        const int list = m.matchSet[size_t(i)];
        if (seen[size_t(list)])
            continue;
        seen[size_t(list)] = true;
        const QString problem = projects.incompleteMatchMessage(m.lists.at(list), procedure);
        if (!problem.isEmpty()) {
            result.status = BatchWriteResult::ProjectFileError;
            result.message = problem;
            result.drawing = i;
            return false;
        }
    }
    return true;
}

// The SAVEAS target of a drawing: prefix + file title + suffix + the path's last four characters, in the
// drawing's own folder or the chosen one (tags substituted), every ".dxf" of the name made ".DWG".
class SaveAsNamer
{
public:
    SaveAsNamer(const BatchScriptInput &in, const TagContext &tags, const ProjectTagSet &projects,
                qsizetype matchLists = 0)
        : m_in(in), m_tags(tags), m_projects(projects),
          m_limit(tags.maxTextSize() > 0 ? tags.maxTextSize() : std::numeric_limits<qsizetype>::max()),
          m_prefix(compileName(in.prefix, matchLists)), m_suffix(compileName(in.suffix, matchLists)),
          m_folder(compileName(in.specFolder, 0))
    {
    }

    // False when a substituted text passes the bound.
    bool make(const QString &path, const QList<int> *matches, qint64 counter, qsizetype place, QString &target,
              QString &name) const
    {
        QString prefix, suffix;
        if (!nameText(m_prefix.prepared, path, matches, counter, place, prefix) ||
            !nameText(m_suffix.prepared, path, matches, counter, place, suffix))
            return false;
        name = prefix + FileTitleOf(path) + suffix + path.right(4);
        if (name.contains(QLatin1String(".dxf"), Qt::CaseInsensitive))
            name.replace(QLatin1String(".dxf"), QLatin1String(".DWG"), Qt::CaseInsensitive);
        target.clear();
        if (m_in.originalLocation)
            target = FolderOf(path);
        else if (!m_tags.substituteInto(target, m_folder.prepared, counter, path, place))
            return false;
        // A typed folder may lack its final separator ("D:\OUT"): the name goes inside it all the same.
        target = joinPath(target, name);
        return true;
    }

    // The same target, appended to `into`, from the drawing's values (reset for it), its match list and
    // that list's number; texts whose values may hold tags take make().
    bool makeWith(TagValues &values, const QString &path, const QList<int> *matches, int matchList, qint64 counter,
                  qsizetype place, QString &into)
    {
        const qsizetype from = into.size();
        m_name.resize(0);
        if (!fill(m_prefix, values, matches, matchList, m_name))
            return slowMake(path, matches, counter, place, into);
        m_name += values.value(m_titleRow);
        if (!fill(m_suffix, values, matches, matchList, m_name))
            return slowMake(path, matches, counter, place, into);
        m_name += QStringView(path).right(4);
        if (mayHoldDxf(m_name) && m_name.contains(QLatin1String(".dxf"), Qt::CaseInsensitive))
            m_name.replace(QLatin1String(".dxf"), QLatin1String(".DWG"), Qt::CaseInsensitive);
        if (m_in.originalLocation) {
            into += QStringView(path).left(values.lastSeparator() + 1);
        } else if (!fill(m_folder, values, nullptr, -1, into)) {
            into.truncate(from);
            QString folder;
            if (!m_tags.substituteInto(folder, m_folder.prepared, counter, path, place))
                return false;
            into += folder;
        }
        if (into.size() > from && !isPathSeparator(into.back())) {
            const QString folder = into.mid(from);
            into.truncate(from);
            into += withTrailingSeparator(folder);
        }
        into += m_name;
        return true;
    }

private:
    // A name text compiled once. A text without tags of its own goes to the project step unchanged, so its
    // result for each match list is worked out once (nullopt inside: that result holds tags).
    struct NameText {
        QString raw;
        PreparedTagText prepared;
        TagTemplate tmpl;
        bool noDollar = false;
        bool fillable = false; // direct, and no literal run holds a "$"
        bool mayHoldProjectTags = false;
        std::vector<std::optional<std::optional<QString>>> byMatchList;
    };

    NameText compileName(const QString &text, qsizetype matchLists) const
    {
        NameText t;
        t.raw = text;
        t.prepared = m_tags.prepare(text);
        t.noDollar = !text.contains(QLatin1Char('$'));
        t.mayHoldProjectTags = ProjectTagSet::mayHoldProjectTags(text);
        if (t.prepared.hasTags()) {
            t.tmpl = m_tags.compile(text);
            t.fillable = t.tmpl.direct && std::none_of(t.tmpl.pieces.begin(), t.tmpl.pieces.end(), [](const auto &p) {
                             return p.row == 0 && p.literal.contains(QLatin1Char('$'));
                         });
        }
        t.byMatchList.resize(size_t(matchLists));
        return t;
    }

    // Appends what nameText gives (without matches: what substituteInto gives), when that can be told
    // from the values alone; false when the text must take the general way.
    bool fill(NameText &t, TagValues &values, const QList<int> *matches, int matchList, QString &into) const
    {
        if (t.raw.size() > m_limit)
            return false;
        if (t.noDollar) {
            into += t.raw;
            return true;
        }
        if (!t.prepared.hasTags()) {
            if (!matches || matches->isEmpty() || !t.mayHoldProjectTags) {
                into += t.raw;
                return true;
            }
            std::optional<std::optional<QString>> &cached = t.byMatchList[size_t(matchList)];
            if (!cached) {
                std::optional<QString> applied = m_projects.applyProjects(t.raw, *matches, m_tags.maxTextSize());
                if (applied && (applied->size() > m_limit || m_tags.prepare(*applied).hasTags()))
                    applied.reset();
                cached.emplace(std::move(applied));
            }
            if (!*cached)
                return false;
            into += **cached;
            return true;
        }
        if (!t.fillable)
            return false;
        qsizetype peak = t.raw.size();
        for (const TagTemplate::Piece &piece : t.tmpl.pieces) {
            if (piece.row == 0)
                continue;
            const QStringView v = values.value(piece.row);
            if (holdsDollar(v))
                return false;
            peak += qMax<qsizetype>(0, v.size() - piece.tagChars);
        }
        if (peak > m_limit)
            return false;
        if (t.tmpl.hasDates)
            m_tags.refreshDates();
        for (const TagTemplate::Piece &piece : t.tmpl.pieces)
            into += piece.row == 0 ? QStringView(piece.literal) : values.value(piece.row);
        return true;
    }

    // False when no "." is followed by the letters "dxf" in any case (then the name holds no ".dxf").
    static bool mayHoldDxf(QStringView name)
    {
        auto is = [](QChar c, char16_t lower) {
            return c.unicode() < 0x80 ? (c.unicode() | 0x20) == lower : c.toCaseFolded().unicode() == lower;
        };
        for (qsizetype i = 0; i + 3 < name.size(); ++i) {
            if (name.at(i) == QLatin1Char('.') && is(name.at(i + 1), u'd') && is(name.at(i + 2), u'x') &&
                is(name.at(i + 3), u'f'))
                return true;
        }
        return false;
    }

    bool slowMake(const QString &path, const QList<int> *matches, qint64 counter, qsizetype place, QString &into)
    {
        QString target;
        if (!make(path, matches, counter, place, target, m_name))
            return false;
        into += target;
        return true;
    }

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
    qsizetype m_limit;
    NameText m_prefix, m_suffix, m_folder;
    const int m_titleRow = int(TagContext::tagNames().indexOf(QStringLiteral("$FILENAME$"))) + 1;
    QString m_name;

public:
    // The name of the target makeWith made last.
    const QString &lastName() const { return m_name; }
};

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
    qsizetype blockStart = -1; // where the block being made starts in the output buffer
    auto fail = [&](BatchWriteResult::Status status, const QString &message, qsizetype drawing) {
        if (blockStart >= 0)
            out.dropBack(blockStart); // a block never goes out in part
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

    // One block per drawing, made in the output encoding straight into the output buffer: the texts'
    // literal runs were encoded once, and each drawing adds its tag values (a text whose values may hold
    // tags goes through the cascade).
    qsizetype chars = 0;      // the block's characters, for the bound
    bool unencodable = false; // a piece that the encoding cannot hold (reported once the block is whole)
    const QByteArray crLf = out.encoded(QString(kCrLf));
    auto put = [&](QStringView text) {
        chars += text.size();
        if (!unencodable && !out.add(text))
            unencodable = true;
    };
    auto putBytes = [&](const QByteArray &bytes, qsizetype textChars) {
        chars += textChars;
        out.addBytes(bytes);
    };
    auto putLine = [&](QStringView text) {
        put(text);
        putBytes(crLf, 2);
    };
    // The texts of every block, compiled once.
    auto compile = [&](const QString &text) {
        CompiledText c;
        c.tmpl = tags.compile(text);
        c.chars = text.size();
        c.direct = c.tmpl.direct;
        QString run;
        auto endRun = [&] {
            if (run.isEmpty())
                return;
            CompiledText::Part part;
            part.chars = run.size();
            if (!out.encode(part.bytes, run))
                c.direct = false;
            c.parts.push_back(std::move(part));
            run.resize(0);
        };
        for (const TagTemplate::Piece &piece : c.tmpl.pieces) {
            if (piece.row == 0 || TagContext::isConstantRow(piece.row)) {
                const QString v = piece.row == 0 ? piece.literal : tags.tagValue(piece.row, 0, QString(), 0);
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
    };
    const CompiledText preCompiled = compile(preText), postCompiled = compile(postText);
    const CompiledText plainUserCompiled = compile(userScript);
    std::vector<std::optional<CompiledText>> userCompiledByMatch(size_t(matchSets.lists.size()));
    // Texts put in as they stand, encoded once (nullopt: the encoding cannot hold them, put() then says so).
    struct FixedText {
        QString text;
        std::optional<QByteArray> bytes;
    };
    auto fixed = [&](const QString &text) {
        FixedText f{text, QByteArray()};
        if (!out.encode(*f.bytes, text))
            f.bytes.reset();
        return f;
    };
    auto putFixed = [&](const FixedText &f) {
        if (f.bytes)
            putBytes(*f.bytes, f.text.size());
        else
            put(f.text);
    };
    const FixedText debugStartPre = fixed(QStringLiteral("; << START OF PRE-USERSCRIPT COMMANDS >>") + kCrLf);
    const FixedText debugStartUser = fixed(QStringLiteral("; << START OF USER SCRIPT >>") + kCrLf);
    const FixedText debugEndUser = fixed(QStringLiteral("; << END OF USER SCRIPT >>") + kCrLf +
                                         QStringLiteral("; << START OF POST-USERSCRIPT COMMANDS >>") + kCrLf);
    const FixedText debugEndPost = fixed(QStringLiteral("; << END OF POST-USERSCRIPT COMMANDS >>") + kCrLf);
    const FixedText delay = fixed(delayLine);
    const FixedText qsaveLine = fixed(QStringLiteral("_QSAVE"));
    const QString saveAsStart = QStringLiteral("_SAVEAS ") + token + QStringLiteral(" \"");
    QString saveAsLine;

    // The open lines of each form (normal or not, a locked drawing seen before or not), as literal bytes
    // around the path; nullopt when a literal run cannot be encoded on its own (the general way then says so).
    struct OpenForm {
        std::vector<QByteArray> literals; // one more than the places of the path
        qsizetype chars = 0;
        bool lockedSeenAfter = false;
    };
    std::optional<OpenForm> openForms[2][2];
    for (const bool normal : {false, true}) {
        for (const bool seen : {false, true}) {
            OpenForm form;
            form.lockedSeenAfter = seen;
            QString run;
            bool good = true;
            auto endRun = [&] {
                QByteArray b;
                good = good && clearEdges(run) && out.encode(b, run);
                form.chars += run.size();
                form.literals.push_back(b);
                run.clear();
            };
            for (const OpenLine &l : openLineForm(in, normal, form.lockedSeenAfter)) {
                run += l.before;
                if (l.path)
                    endRun();
                run += l.after;
                run += kCrLf;
            }
            endRun();
            if (good)
                openForms[normal][seen] = std::move(form);
        }
    }

    // The value of each row for the drawing it was taken for (stamp: the drawing's stamp, or for a date row
    // the dates it shows). usable: the value holds no "$" and starts and ends with a whole character, so
    // it can be put in as it stands.
    struct RowValue {
        QStringView text;
        quint64 stamp = 0;
        bool usable = false;
    };
    std::array<RowValue, 97> rowValues;
    TagValues values(tags);
    quint64 drawingStamp = 0;
    auto rowValue = [&](int row) -> const RowValue & {
        RowValue &rv = rowValues[size_t(row)];
        const quint64 stamp = TagContext::isDateRow(row) ? tags.datesVersion() + 1 : drawingStamp;
        if (rv.stamp != stamp) {
            rv.text = values.value(row);
            rv.usable = !holdsDollar(rv.text) && clearEdges(rv.text);
            rv.stamp = stamp;
        }
        return rv;
    };
    QString substituted;

    // Appends the text substituted for the drawing; false when it passes the bound.
    auto putText = [&](const CompiledText &text, qint64 counter, const QString &path, qsizetype place) {
        if (text.direct) {
            // Direct when no value holds a "$" and the text stays within the bound at every row.
            if (text.tmpl.hasDates)
                tags.refreshDates();
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
            if (direct && peak <= bound) {
                for (const CompiledText::Part &part : text.parts) {
                    if (part.row == 0)
                        putBytes(part.bytes, part.chars);
                    else
                        put(rowValues[size_t(part.row)].text);
                }
                return true;
            }
        }
        substituted.resize(0);
        if (!tags.substituteInto(substituted, text.tmpl.prepared, counter, path, place))
            return false;
        put(substituted);
        return true;
    };

    SaveAsNamer namer(in, tags, projects, matchSets.lists.size());
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
        values.reset(counter, path, place);
        ++drawingStamp;
        blockStart = out.pending();
        chars = 0;
        unencodable = false;

        const std::optional<OpenForm> &open = openForms[normalForm][lockedSeen];
        if (open && clearEdges(path)) {
            for (size_t k = 0; k < open->literals.size(); ++k) {
                if (k > 0)
                    put(path);
                out.addBytes(open->literals[k]);
            }
            chars += open->chars;
            lockedSeen = open->lockedSeenAfter;
        } else {
            put(batchOpenLines(in, path, normalForm, lockedSeen));
        }
        if (!preText.isEmpty()) {
            if (debug)
                putFixed(debugStartPre);
            if (!putText(preCompiled, counter, path, place))
                return tooLarge(drawingWhat(path), i);
            putBytes(crLf, 2);
            if (debug)
                putFixed(debugStartUser);
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
        if (!putText(*user, counter, path, place) || chars > bound)
            return tooLarge(drawingWhat(path), i);

        if (in.UseDelay != 0) {
            putBytes(crLf, 2);
            putFixed(delay);
        }
        const bool qsave = !in.saveAs && normalForm && (in.LT != 0 || !in.testRun);
        if (qsave) {
            putBytes(crLf, 2);
            putFixed(qsaveLine);
        }
        putBytes(crLf, 2);

        if (in.saveAs && state.available) {
            const int matchList = matches ? matchSets.matchSet[size_t(i)] : -1;
            saveAsLine.resize(0);
            saveAsLine += saveAsStart;
            if (!namer.makeWith(values, path, matches, matchList, counter, place, saveAsLine))
                return tooLarge(drawingWhat(path), i);
            bool exists = false;
            if (in.overwriteExisting) {
                const QString target = saveAsLine.mid(saveAsStart.size());
                const QString &name = namer.lastName();
                exists = in.targetExists ? in.targetExists(target, name) : Path_Exists(target, name) != 0;
            }
            saveAsLine += exists ? QLatin1String("\" Y") : QLatin1String("\"");
            putLine(saveAsLine);
        }

        if (!postText.isEmpty()) {
            if (debug)
                putFixed(debugEndUser);
            if (!putText(postCompiled, counter, path, place))
                return tooLarge(drawingWhat(path), i);
            putBytes(crLf, 2);
            if (debug)
                putFixed(debugEndPost);
        }

        if (chars > bound)
            return tooLarge(drawingWhat(path), i);
        if (unencodable) {
            return fail(BatchWriteResult::Unencodable,
                        unencodableMessage(drawingWhat(path) + QStringLiteral(" (its path or a tag value)")), i);
        }
        blockStart = -1; // whole
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
