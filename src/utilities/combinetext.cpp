#include "utilities/combinetext.h"

#include "core/fileio.h"
#include "core/messages.h"
#include "core/pathhelpers.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace tess {

namespace {

constexpr qsizetype kBlockSize = 1 << 20;

Qt::CaseSensitivity fileSystemCase()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

QString describe(const QString &what, const QString &path, const QString &reason)
{
    QString text = what + QStringLiteral(": ") + path;
    if (!reason.isEmpty())
        text += QStringLiteral(" (") + reason + QLatin1Char(')');
    return text;
}

QString openFailure(const FileResult &opened)
{
    switch (opened.error) {
    case kFileNotFound: return fileNotFoundText();
    case kPermissionDenied: return QStringLiteral("Permission denied");
    default: return pathFileAccessErrorText();
    }
}

// The bytes to write for one piece: a lone run is written from where it lies (the read block
// itself when nothing changed); several are gathered into a buffer that keeps its capacity.
class PieceBytes
{
public:
    void operator()(const char *data, qsizetype size)
    {
        if (m_pieces++ == 0) {
            m_single = data;
            m_singleSize = size;
            return;
        }
        if (m_pieces == 2)
            m_gathered.append(m_single, m_singleSize);
        m_gathered.append(data, size);
    }
    void clear()
    {
        m_pieces = 0;
        m_singleSize = 0;
        m_gathered.resize(0); // keeps the capacity for the next block
    }
    const char *data() const { return m_pieces > 1 ? m_gathered.constData() : m_single; }
    qsizetype size() const { return m_pieces > 1 ? m_gathered.size() : m_singleSize; }

private:
    int m_pieces = 0;
    const char *m_single = nullptr;
    qsizetype m_singleSize = 0;
    QByteArray m_gathered;
};

} // namespace

QByteArray combineBytes(const QList<QByteArray> &files)
{
    QByteArray out;
    CombineLineWriter w;
    for (const QByteArray &f : files) {
        w.feed(f.constData(), f.size(), out);
        w.finish(out);
    }
    return out;
}

QString combineOutputPath(const QString &folder, const QString &name)
{
    return withTrailingSeparator(folder, QLatin1Char('\\')) + name;
}

bool sameFile(const QString &a, const QString &b)
{
    if (QFileInfo(a).absoluteFilePath().compare(QFileInfo(b).absoluteFilePath(), fileSystemCase()) == 0)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca.compare(QFileInfo(b).canonicalFilePath(), fileSystemCase()) == 0;
}

CombineOutputProblem checkCombineOutput(const QString &folder, const QString &name, const QStringList &inputs)
{
    if (name.trimmed().isEmpty())
        return CombineOutputProblem::EmptyName;
    const QString path = combineOutputPath(folder, name);
    if (QFileInfo(path).isDir())
        return CombineOutputProblem::IsFolder;
    for (const QString &in : inputs) {
        if (sameFile(path, in))
            return CombineOutputProblem::IsInput;
    }
    return CombineOutputProblem::None;
}

QString combineOutputProblemText(CombineOutputProblem problem, const QString &path)
{
    switch (problem) {
    case CombineOutputProblem::None: break;
    case CombineOutputProblem::EmptyName: return QStringLiteral("Please type an output filename.");
    case CombineOutputProblem::IsFolder:
        return QStringLiteral("The output filename names a folder:\r\n") + path +
               QStringLiteral("\r\n\r\nPlease type the name of a file.");
    case CombineOutputProblem::IsInput:
        return QStringLiteral("The output file is one of the files in the queue:\r\n") + path +
               QStringLiteral("\r\n\r\nPlease choose another output filename.");
    }
    return QString();
}

std::optional<CombineError> combineTextFiles(const QStringList &inputs, const QString &output,
                                             const std::function<void()> &keepAlive)
{
    if (QFileInfo::exists(output) && isReadOnlyFile(output))
        return CombineError{100, describe(QStringLiteral("Permission denied"), output, QString())};
    WholeFileWriter out(output);
    if (const FileResult started = out.start(); !started.ok())
        return CombineError{100, describe(pathFileAccessErrorText(), output, started.reason)};
    // A refused write names the output and its cause (a full disk says so); the old output stays.
    auto writeFailed = [&out, &output] {
        out.cancel();
        return CombineError{110, describe(pathFileAccessErrorText(), output, out.result().reason)};
    };

    QByteArray block(kBlockSize, Qt::Uninitialized);
    PieceBytes converted;
    CombineLineWriter writer;
    const qsizetype count = inputs.size(); // taken once, at the start
    for (qsizetype i = 0; i < count; ++i) {
        const QString &path = inputs.at(i);
        // Only a regular file: a pipe would keep the combine waiting for ever, a device would never end.
        QFile in(path);
        if (const FileResult opened = openRegularFile(in, QIODevice::ReadOnly); !opened.ok()) {
            out.cancel();
            return CombineError{
                104, describe(openFailure(opened), path, opened.error == kFileNotFound ? QString() : opened.reason)};
        }
        for (;;) {
            const qint64 n = in.read(block.data(), block.size());
            if (n < 0) {
                out.cancel();
                return CombineError{108, describe(pathFileAccessErrorText(), path, in.errorString())};
            }
            if (n == 0)
                break;
            converted.clear();
            writer.feed(block.constData(), qsizetype(n), converted);
            if (out.write(converted.data(), converted.size()) != converted.size())
                return writeFailed();
            if (keepAlive)
                keepAlive();
        }
        converted.clear();
        writer.finish(converted);
        if (converted.size() > 0 && out.write(converted.data(), converted.size()) != converted.size())
            return writeFailed();
    }
    if (const FileResult done = out.finish(); !done.ok())
        return CombineError{116, describe(pathFileAccessErrorText(), output, done.reason)};
    return std::nullopt;
}

} // namespace tess
