#pragma once
// Whole-text files: the program writes CR LF after every line and reads CR LF, lone LF and lone
// CR as line ends. Text is in the system's encoding (the code page on Windows, UTF-8 elsewhere).

#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <QStringList>

namespace tess {

// Decodes a whole-text file, drops one final line end (CR LF, or a lone LF or CR) when there is
// one, and turns every CR LF and lone CR into "\n". An empty file gives an empty text.
QString textFromFileBytes(const QByteArray &bytes);
// The file bytes of a text with "\n" (or any line end) between lines: every line end becomes
// CR LF and one CR LF follows the text.
QByteArray fileBytesFromText(const QString &text);
// The text with every line end (CR LF, lone LF, lone CR) written as CR LF.
QString withCrLfLineEnds(const QString &text);
// The lines of a text: CR LF, LF and a lone CR end a line; a line end at the very end starts no
// further line, and a last line without one counts.
QStringList splitTextLines(QStringView text);

// The lines of `bytes` from `from` on (CR LF, lone CR and lone LF end a line; a final line end
// starts no further line), each decoded alone so that bytes not valid in `encoding` set apart
// only their own line: such a line goes to `undecodable` (when given) and not to the result.
QStringList decodeLinesApart(const QByteArray &bytes, QStringConverter::Encoding encoding, qsizetype from = 0,
                             QStringList *undecodable = nullptr);

} // namespace tess
