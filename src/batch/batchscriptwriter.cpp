#include "batch/batchscriptwriter.h"

#include "core/mainsettings.h"
#include "core/pathhelpers.h"

#include <QHash>
#include <QIODevice>
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
    const TagContext tags(in.tags, in.queue, in.environment);
    const qsizetype count = in.queue.size();

    // Everything that stops a composition is found before the first byte.
    if (!tags.isValid()) {
        result.status = BatchWriteResult::BadSettings;
        result.message = tags.errorMessage();
        return result;
    }
    if (count > 0 && !projects.loadError().isEmpty()) {
        result.status = BatchWriteResult::ProjectFileError;
        result.message = projects.loadError();
        return result;
    }
    // Each drawing's matching projects, as an index into the distinct match lists.
    std::vector<int> matchSet;
    QList<QList<int>> matchLists;
    if (!projects.projects().isEmpty()) {
        QHash<QList<int>, int> ids;
        matchSet.resize(size_t(count));
        for (qsizetype i = 0; i < count; ++i) {
            const QList<int> m = projects.matchingProjects(in.queue.at(i));
            auto it = ids.constFind(m);
            if (it == ids.constEnd()) {
                const QString problem = projects.incompleteMatchMessage(m);
                if (!problem.isEmpty()) {
                    result.status = BatchWriteResult::ProjectFileError;
                    result.message = problem;
                    result.drawing = i;
                    return result;
                }
                it = ids.insert(m, int(matchLists.size()));
                matchLists.append(m);
            }
            matchSet[size_t(i)] = *it;
        }
    }

    const QString userScript = withCrLf(in.userScript);
    const bool userHasProjectTags = ProjectTagSet::mayHoldProjectTags(userScript);
    const PreparedTagText plainUser = tags.prepare(userScript);
    std::vector<std::optional<PreparedTagText>> userByMatch(size_t(matchLists.size()));

    QString preText = withCrLf(in.preUserScript);
    if (in.includeStatus)
        preText = preText.isEmpty() ? kStatusLine : kStatusLine + kCrLf + preText;
    const PreparedTagText pre = tags.prepare(preText);
    const QString postText = withCrLf(in.postUserScript);
    const PreparedTagText post = tags.prepare(postText);
    const PreparedTagText prefix = tags.prepare(in.prefix);
    const PreparedTagText suffix = tags.prepare(in.suffix);
    const PreparedTagText folder = tags.prepare(in.specFolder);
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
        line(tags.SubstituteTAGS(withCrLf(in.preBatch), 0, kBatchFileName, 0));
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
        const BatchDrawingState state = i < in.states.size() ? in.states.at(i) : BatchDrawingState();
        const bool normalForm = state.available && !state.readOnly;
        const QList<int> *matches = matchSet.empty() ? nullptr : &matchLists.at(matchSet[size_t(i)]);
        block.resize(0);

        block += batchOpenLines(in, path, normalForm, lockedSeen);
        if (!preText.isEmpty()) {
            if (debug)
                line(QStringLiteral("; << START OF PRE-USERSCRIPT COMMANDS >>"));
            tags.substituteInto(block, pre, counter, path, place);
            block += kCrLf;
            if (debug)
                line(QStringLiteral("; << START OF USER SCRIPT >>"));
        }

        // The user script: project tags first, then the other tags.
        const PreparedTagText *user = &plainUser;
        if (userHasProjectTags && matches && !matches->isEmpty()) {
            std::optional<PreparedTagText> &cached = userByMatch[size_t(matchSet[size_t(i)])];
            if (!cached)
                cached = tags.prepare(projects.applyProjects(userScript, *matches));
            user = &*cached;
        }
        tags.substituteInto(block, *user, counter, path, place);

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
            auto sp = [&](const PreparedTagText &text) {
                QString s;
                tags.substituteInto(s, text, counter, path, place);
                if (matches && !matches->isEmpty() && ProjectTagSet::mayHoldProjectTags(s))
                    s = projects.applyProjects(s, *matches);
                return tags.SubstituteTAGS(s, counter, path, 0);
            };
            QString name = sp(prefix) + FileTitleOf(path) + sp(suffix) + path.right(4);
            if (name.contains(QLatin1String(".dxf"), Qt::CaseInsensitive))
                name.replace(QLatin1String(".dxf"), QLatin1String(".DWG"), Qt::CaseInsensitive);
            QString target;
            if (in.originalLocation)
                target = FolderOf(path);
            else
                tags.substituteInto(target, folder, counter, path, place);
            target += name;
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
            tags.substituteInto(block, post, counter, path, place);
            block += kCrLf;
            if (debug)
                line(QStringLiteral("; << END OF POST-USERSCRIPT COMMANDS >>"));
        }

        if (!out.add(block)) {
            return fail(BatchWriteResult::Unencodable,
                        unencodableMessage(QStringLiteral("the drawing ") + path +
                                           QStringLiteral(" (its path or a tag value)")),
                        i);
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
        line(tags.SubstituteTAGS(withCrLf(in.postBatch), 0, kBatchFileName, count));
        if (!out.add(block))
            return fail(BatchWriteResult::Unencodable, unencodableMessage(QStringLiteral("the post-batch commands")),
                        -1);
    }
    if (!out.flush())
        return writeFailed();
    result.bytesWritten = out.bytes();
    return result;
}

} // namespace tess
