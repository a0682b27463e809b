#include "batch/batchscriptwriter.h"

#include "core/mainsettings.h"
#include "core/pathhelpers.h"

#include <QHash>
#include <QIODevice>
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

// Encodes text blocks into a byte buffer and hands the buffer to the device in large writes.
class Output
{
public:
    Output(QIODevice &device, QStringConverter::Encoding encoding)
        : m_device(device), m_encoder(encoding), m_decoder(encoding)
    {
        m_buffer.reserve(kFlushAt + 64 * 1024);
    }

    // False when the text holds a character the encoding cannot represent (nothing is added then).
    bool add(QStringView text)
    {
        const qsizetype old = m_buffer.size();
        m_buffer.resize(old + m_encoder.requiredSpace(text.size()));
        char *end = m_encoder.appendToBuffer(m_buffer.data() + old, text);
        m_buffer.resize(end - m_buffer.constData());
        bool good = !m_encoder.hasError();
        if (good && !isAscii(text)) {
            // Some system code pages put a substitute in silently: the bytes must read back as the text.
            m_decoder.resetState();
            const QString back = m_decoder.decode(QByteArrayView(m_buffer.constData() + old, m_buffer.size() - old));
            good = !m_decoder.hasError() && back == text;
        }
        if (!good) {
            m_buffer.resize(old);
            m_encoder.resetState();
        }
        return good;
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
    QHash<QList<int>, int> ids;
    m.matchSet.resize(size_t(count));
    for (qsizetype i = 0; i < count; ++i) {
        const QList<int> found = projects.matchingProjects(queue.at(i));
        auto it = ids.constFind(found);
        if (it == ids.constEnd()) {
            const QString problem = projects.incompleteMatchMessage(found);
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
    const PreparedTagText plainUser = tags.prepare(userScript);
    // The user script with each distinct set of projects applied (nullopt inside: it passed the bound).
    std::vector<std::optional<std::optional<PreparedTagText>>> userByMatch(size_t(matchSets.lists.size()));

    QString preText = withCrLf(in.preUserScript);
    if (in.includeStatus)
        preText = preText.isEmpty() ? kStatusLine : kStatusLine + kCrLf + preText;
    const PreparedTagText pre = tags.prepare(preText);
    const QString postText = withCrLf(in.postUserScript);
    const PreparedTagText post = tags.prepare(postText);
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

    // One block per drawing.
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
        const QString what = drawingWhat(path);
        block.resize(0);

        block += batchOpenLines(in, path, normalForm, lockedSeen);
        if (!preText.isEmpty()) {
            if (debug)
                line(QStringLiteral("; << START OF PRE-USERSCRIPT COMMANDS >>"));
            if (!tags.substituteInto(block, pre, counter, path, place))
                return tooLarge(what, i);
            block += kCrLf;
            if (debug)
                line(QStringLiteral("; << START OF USER SCRIPT >>"));
        }

        // The user script: project tags first, then the other tags.
        const PreparedTagText *user = &plainUser;
        if (userHasProjectTags && matches && !matches->isEmpty()) {
            std::optional<std::optional<PreparedTagText>> &cached = userByMatch[size_t(matchSets.matchSet[size_t(i)])];
            if (!cached) {
                const std::optional<QString> applied = projects.applyProjects(userScript, *matches, bound);
                cached.emplace(applied ? std::optional<PreparedTagText>(tags.prepare(*applied)) : std::nullopt);
            }
            if (!*cached)
                return tooLarge(what, i);
            user = &**cached;
        }
        if (!tags.substituteInto(block, *user, counter, path, place) || block.size() > bound)
            return tooLarge(what, i);

        if (in.UseDelay != 0) {
            block += kCrLf;
            block += delayLine;
        }
        const bool qsave = !in.saveAs && normalForm && (in.LT != 0 || !in.testRun);
        if (qsave) {
            block += kCrLf;
            block += QLatin1String("_QSAVE");
        }
        block += kCrLf;

        if (in.saveAs && state.available) {
            QString target, name;
            if (!namer.make(path, matches, counter, place, target, name))
                return tooLarge(what, i);
            bool exists = false;
            if (in.overwriteExisting)
                exists = in.targetExists ? in.targetExists(target, name) : Path_Exists(target, name) != 0;
            line(QStringLiteral("_SAVEAS ") + token + QStringLiteral(" \"") + target + QLatin1Char('"') +
                 (exists ? QStringLiteral(" Y") : QString()));
        }

        if (!postText.isEmpty()) {
            if (debug) {
                line(QStringLiteral("; << END OF USER SCRIPT >>"));
                line(QStringLiteral("; << START OF POST-USERSCRIPT COMMANDS >>"));
            }
            if (!tags.substituteInto(block, post, counter, path, place))
                return tooLarge(what, i);
            block += kCrLf;
            if (debug)
                line(QStringLiteral("; << END OF POST-USERSCRIPT COMMANDS >>"));
        }

        if (block.size() > bound)
            return tooLarge(what, i);
        if (!out.add(block)) {
            return fail(BatchWriteResult::Unencodable,
                        unencodableMessage(what + QStringLiteral(" (its path or a tag value)")), i);
        }
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
