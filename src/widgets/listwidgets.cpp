#include "widgets/listwidgets.h"

#include "core/listutils.h"
#include "core/messages.h"
#include "core/prompts.h"

#include "widgets/frmScanStop.h"
#include "widgets/waitcursor.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>

namespace tess {

namespace {

// Lets pending events run (paced by the caller) and shows nothing.
class EventPump final : public ScanProgress
{
public:
    void label(const QString &) override {}
    void pump() override { QCoreApplication::processEvents(); }
};

void append(QListWidget *list, const QStringList &entries) { list->addItems(entries); }
void append(QComboBox *list, const QStringList &entries) { list->addItems(entries); }

template <typename List> void searchFiles(const QString &folder, const QString &pattern, List *list)
{
    if (!list)
        return;
    WaitCursor wait;
    QStringList found;
    SearchFilesIntoList(folder, pattern, found, frmScanStop::instance());
    append(list, found);
}

template <typename List> void searchTitles(const QString &folder, const QString &pattern, List *list)
{
    if (!list)
        return;
    EventPump pump;
    QStringList found;
    SearchFileTitlesIntoList(folder, pattern, found, &pump);
    append(list, found);
}

} // namespace

QStringList listEntries(const QListWidget *list)
{
    QStringList out;
    if (!list)
        return out;
    out.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

QStringList listEntries(const QComboBox *list)
{
    QStringList out;
    if (!list)
        return out;
    out.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        out.append(list->itemText(i));
    return out;
}

void SearchFilesIntoList(const QString &folder, const QString &pattern, QListWidget *list)
{
    searchFiles(folder, pattern, list);
}

void SearchFilesIntoList(const QString &folder, const QString &pattern, QComboBox *list)
{
    searchFiles(folder, pattern, list);
}

void SearchFileTitlesIntoList(const QString &folder, const QString &pattern, QListWidget *list)
{
    searchTitles(folder, pattern, list);
}

void SearchFileTitlesIntoList(const QString &folder, const QString &pattern, QComboBox *list)
{
    searchTitles(folder, pattern, list);
}

qint64 RemoveDuplicateListItems(QListWidget *list)
{
    qint64 removed = 0;
    if (list) {
        WaitCursor wait;
        frmScanStop *scan = frmScanStop::instance();
        scan->showScan();
        QStringList entries = listEntries(list);
        removed = RemoveDuplicateListItems(entries, scan);
        if (removed > 0) {
            list->clear();
            list->addItems(entries);
        }
        scan->hideScan();
    }
    showDuplicatesRemoved(removed);
    return removed;
}

bool putTextOnClipboard(const QString &text)
{
    QClipboard *clip = QGuiApplication::clipboard();
    if (!clip)
        return false;
    clip->clear();
    clip->setText(text);
    // The clipboard may hand the text back with LF where it was given CR LF.
    QString back = clip->text();
    QString sent = text;
    back.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    sent.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return back == sent;
}

void showItemsCopied(qint64 count, bool taken)
{
    if (taken)
        msgBox(QString::number(count) + QStringLiteral(" Items Copied to the Clipboard"), vbInformation, appTitle());
    else
        msgBox(QStringLiteral("The clipboard did not take the text (another program may hold it open). "
                              "Nothing was copied; please try again."),
               vbExclamation, appTitle());
}

void CopyListToClipboard(const QStringList &entries)
{
    bool taken = false;
    {
        WaitCursor wait;
        taken = putTextOnClipboard(listClipboardText(entries));
    }
    showItemsCopied(entries.size(), taken);
}

void CopyListToClipboard(const QListWidget *list) { CopyListToClipboard(listEntries(list)); }

void CopyListToClipboard(const QComboBox *list) { CopyListToClipboard(listEntries(list)); }

} // namespace tess
