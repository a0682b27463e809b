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

QString openFailure(const QFile &file)
{
    switch (file.error()) {
    case QFileDevice::OpenError:
        return QFileInfo::exists(file.fileName()) ? pathFileAccessErrorText() : fileNotFoundText();
    case QFileDevice::PermissionsError: return QStringLiteral("Permission denied");
    default: return pathFileAccessErrorText();
    }
}

} // namespace

void CombineLineWriter::feed(const char *data, qsizetype size, QByteArray &out)
{
    const char *p = data;
    const char *end = data + size;
    while (p < end) {
        if (m_afterCR) {
            m_afterCR = false;
            if (*p == '\n') { // the LF of a CR LF already written
                ++p;
                continue;
            }
        }
        const void *cr = std::memchr(p, '\r', size_t(end - p));
        const char *stop = cr ? static_cast<const char *>(cr) : end;
        if (stop > p) {
            out.append(p, stop - p);
            m_lineOpen = true;
        }
        if (!cr)
            break;
        out.append("\r\n", 2);
        m_lineOpen = false;
        m_afterCR = true;
        p = stop + 1;
    }
}

void CombineLineWriter::finish(QByteArray &out)
{
    if (m_lineOpen)
        out.append("\r\n", 2);
    m_lineOpen = false;
    m_afterCR = false;
}

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
    QByteArray converted;
    converted.reserve(kBlockSize + kBlockSize / 2);
    CombineLineWriter writer;
    const qsizetype count = inputs.size(); // taken once, at the start
    for (qsizetype i = 0; i < count; ++i) {
        const QString &path = inputs.at(i);
        // A pipe would keep the combine waiting for ever, a device would never end.
        if (QFileInfo::exists(path) && !isRegularFile(path)) {
            out.cancel();
            return CombineError{104, describe(notRegularFileText(), path, QString())};
        }
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly)) {
            out.cancel();
            return CombineError{104, describe(openFailure(in), path, in.errorString())};
        }
        for (;;) {
            const qint64 n = in.read(block.data(), block.size());
            if (n < 0) {
                out.cancel();
                return CombineError{108, describe(pathFileAccessErrorText(), path, in.errorString())};
            }
            if (n == 0)
                break;
            converted.resize(0); // keeps the capacity for the next block
            writer.feed(block.constData(), qsizetype(n), converted);
            if (out.write(converted) != converted.size())
                return writeFailed();
            if (keepAlive)
                keepAlive();
        }
        converted.resize(0);
        writer.finish(converted);
        if (!converted.isEmpty() && out.write(converted) != converted.size())
            return writeFailed();
    }
    if (const FileResult done = out.finish(); !done.ok())
        return CombineError{116, describe(pathFileAccessErrorText(), output, done.reason)};
    return std::nullopt;
}

} // namespace tess
