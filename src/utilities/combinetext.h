#pragma once
// Joining the queued text files into one output file: every line of every file, file after file,
// each ended by CR LF. A line ends at CR LF or at a lone CR (a lone LF stays inside the line); a
// last line without a line end is copied and gets CR LF. The bytes are copied as they are (no
// decoding), streamed a block at a time, into a temporary file that takes the output's place only
// when the whole combine succeeded, so a failure leaves the previous output.

#include <QString>
#include <QStringList>
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

// The converter of the line rule, usable on pieces of a stream: bytes in, bytes out.
class CombineLineWriter
{
public:
    // Appends the converted bytes of the next piece of one input file to out.
    void feed(const char *data, qsizetype size, QByteArray &out);
    // The end of the input file: its last line gets its line end. Ready for the next file.
    void finish(QByteArray &out);

private:
    bool m_afterCR = false;  // the last byte was a CR: a following LF belongs to it
    bool m_lineOpen = false; // bytes of a line not yet ended were written
};

// The same on whole texts (tests and small files).
QByteArray combineBytes(const QList<QByteArray> &files);

} // namespace tess
