#pragma once
// Whole-text files: the program writes CR LF after every line and reads CR LF, lone LF and lone
// CR as line ends. Text is in the system's encoding (the code page on Windows, UTF-8 elsewhere).

#include <QByteArray>
#include <QString>

namespace tess {

// Decodes a whole-text file, drops one final line end (CR LF, or a lone LF or CR) when there is
// one, and turns every CR LF and lone CR into "\n". An empty file gives an empty text.
QString textFromFileBytes(const QByteArray &bytes);
// The file bytes of a text with "\n" (or any line end) between lines: every line end becomes
// CR LF and one CR LF follows the text.
QByteArray fileBytesFromText(const QString &text);
// The text with every line end (CR LF, lone LF, lone CR) written as CR LF.
QString withCrLfLineEnds(const QString &text);

} // namespace tess
