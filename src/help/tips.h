#pragma once
// The tip of the day: the tips file "tips.txt" in DATA, one tip a line, read whole; the tip shown
// first and the paging through the tips, wrapping at both ends.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tess {

struct TipsFile {
    enum class Status { Loaded, Missing, Empty, Unreadable };
    Status status = Status::Missing;
    QStringList tips; // every line of the file, in file order, with its paragraph breaks
    QString path;     // the file read (or looked for)
    QString reason;   // the system's reason when Unreadable
};

// The tips file: the program folder followed by "/DATA/tips.txt"; a file of that name in another
// letter case is found too.
QString tipsFilePath();

// Every line of the file is a tip: CR LF, lone LF and lone CR end a line; a final line end adds no
// empty tip. Each tip has its paragraph breaks made (tipWithParagraphs).
QStringList tipsFromBytes(const QByteArray &bytes);
// Reads the tips file: Missing (also when DATA is missing), Empty (no byte), Unreadable (with the
// system's reason) or Loaded.
TipsFile readTipsFile(const QString &path);

// Every two adjacent spaces, taken from the left without overlap, become a paragraph break
// (CR LF CR LF): three spaces give a break and a space, four give two breaks.
QString tipWithParagraphs(const QString &line);

// The tip shown first: the one after the stored TipNumber; the first tip after the last one, and
// when the stored value is not a number, is negative or is not below the count.
int firstTipIndex(const QString &storedTipNumber, int count);
// ">>" and "<<": one further, from the last to the first and from the first to the last.
int nextTipIndex(int current, int count);
int previousTipIndex(int current, int count);
// "Tip 3/57" for index 2 of 57 tips.
QString tipPositionText(int current, int count);

// What the tip box shows instead of a tip.
QString tipsFileMissingText();                        // "TIPS.TXT file not found in Tessaline directory"
QString tipsFileEmptyText();                          // "TIPS.TXT file is empty"
QString tipsFileUnreadableText(const TipsFile &file); // names the file and the system's reason

} // namespace tess
