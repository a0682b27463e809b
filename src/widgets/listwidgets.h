#pragma once
// The list and folder-search utilities applied to list boxes and combo boxes: the walks append
// to the control and write their progress into the scan window; duplicate removal and the
// clipboard copy show their closing message box.

#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace tess {

// The entries of a list box or combo box, in index order.
QStringList listEntries(const QListWidget *list);
QStringList listEntries(const QComboBox *list);

// Appends the found paths to the control (a control that sorts itself inserts them in order).
// The walk counts into the scan window and shows the count in its label (loading the window
// hidden when it is not loaded); its Stop button ends the walk. The callers show and hide the scan
// window, clear its stop request and reset its count (frmScanStop::instance()->setFoundFileCount(0))
// when they report one.
void SearchFilesIntoList(const QString &folder, const QString &pattern, QListWidget *list);
void SearchFilesIntoList(const QString &folder, const QString &pattern, QComboBox *list);

// Appends the upper-cased titles of the matching files; no progress, no stop, no count.
void SearchFileTitlesIntoList(const QString &folder, const QString &pattern, QListWidget *list);
void SearchFileTitlesIntoList(const QString &folder, const QString &pattern, QComboBox *list);

// Removes the duplicate entries (the last of each group stays) with the scan window showing,
// then reports removed & " Duplicate Items Removed ". Returns the number removed.
qint64 RemoveDuplicateListItems(QListWidget *list);

// Empties the clipboard and puts the text on it as plain text; true when the clipboard gives the
// text back (line-end forms aside), false when it did not take it.
bool putTextOnClipboard(const QString &text);
// count & " Items Copied to the Clipboard" when the clipboard took the text, else a message that
// it did not.
void showItemsCopied(qint64 count, bool taken);

// Puts the entries on the clipboard, one per line (CR LF between them), then reports
// showItemsCopied.
void CopyListToClipboard(const QListWidget *list);
void CopyListToClipboard(const QComboBox *list);
void CopyListToClipboard(const QStringList &entries);

} // namespace tess
