#pragma once
// Joining the queued text files into one output file: every line of every file, file after file,
// each ended by CR LF. A line ends at CR LF or at a lone CR (a lone LF stays inside the line); a
// last line without a line end is copied and gets CR LF. The bytes are copied as they are (no
// decoding), streamed a block at a time, into a temporary file that takes the output's place only
// when the whole combine succeeded, so a failure leaves the previous output.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstring>
#include <functional>
#include <optional>

namespace tess {

// Why an output name is refused before anything is written.
enum class CombineOutputProblem {
    None,
    EmptyName, // no file name typed
    IsFolder,  // an existing folder
    IsInput,   // one of the queued files (writing would empty it before it is read)
};

// The output path: the folder, one separator, the name as typed.
QString combineOutputPath(const QString &folder, const QString &name);

CombineOutputProblem checkCombineOutput(const QString &folder, const QString &name, const QStringList &inputs);
// The message of a refused output.
QString combineOutputProblemText(CombineOutputProblem problem, const QString &path);

// Whether two paths name the same file: equal paths (ignoring case where the file system does) or
// the same existing file on disk.
bool sameFile(const QString &a, const QString &b);

struct CombineError {
    int step = 0;        // the step of the combine that failed
    QString description; // the reason, naming the file
};

// Combines inputs into output. keepAlive runs after each block read (the window repaints and
// keeps its Stop there); it may be empty. No error: the output is in place.
std::optional<CombineError> combineTextFiles(const QStringList &inputs, const QString &output,
                                             const std::function<void()> &keepAlive = {});

// The converter of the line rule, usable on pieces of a stream. The output is the input with an LF
// added after every CR that no LF follows, and CR LF after a last line left open: feed and finish
// hand it on as runs, pass(data, size), where the runs of input bytes point into the piece itself,
// so a piece with no lone CR comes out as one run, the piece unchanged.
class CombineLineWriter
{
public:
    template <typename Pass> void feed(const char *data, qsizetype size, Pass &&pass);
    // The end of the input file: its last line gets its line end. Ready for the next file.
    template <typename Pass> void finish(Pass &&pass);

    // The same, appending to out.
    void feed(const char *data, qsizetype size, QByteArray &out)
    {
        feed(data, size, [&out](const char *p, qsizetype n) { out.append(p, n); });
    }
    void finish(QByteArray &out)
    {
        finish([&out](const char *p, qsizetype n) { out.append(p, n); });
    }

private:
    bool m_afterCR = false;  // the last byte was a CR: its LF is still to come, or to be added
    bool m_lineOpen = false; // bytes of a line not yet ended were written
};

template <typename Pass> void CombineLineWriter::feed(const char *data, qsizetype size, Pass &&pass)
{
    if (size <= 0)
        return;
    const char *end = data + size;
    const bool startedAfterCR = m_afterCR;
    if (m_afterCR && *data != '\n')
        pass("\n", 1);
    m_afterCR = false;
    const char *run = data; // the start of the input bytes not yet passed on
    for (const char *scan = data;;) {
        const char *cr = static_cast<const char *>(std::memchr(scan, '\r', size_t(end - scan)));
        if (!cr)
            break;
        if (cr + 1 == end) {
            m_afterCR = true;
            break;
        }
        if (cr[1] != '\n') {
            pass(run, cr + 1 - run);
            pass("\n", 1);
            run = cr + 1;
        }
        scan = cr + 1;
    }
    pass(run, end - run);
    const bool endsInCrLf = end[-1] == '\n' && (size > 1 ? end[-2] == '\r' : startedAfterCR);
    m_lineOpen = !m_afterCR && !endsInCrLf;
}

template <typename Pass> void CombineLineWriter::finish(Pass &&pass)
{
    if (m_afterCR)
        pass("\n", 1);
    else if (m_lineOpen)
        pass("\r\n", 2);
    m_lineOpen = false;
    m_afterCR = false;
}

// The same on whole texts (tests and small files).
QByteArray combineBytes(const QList<QByteArray> &files);

} // namespace tess
