#include "mainwin/queueentryactions.h"

#include "core/launcher.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuecopies.h"
#include "mainwin/queuepane.h"
#include "mainwin/skiplist.h"
#include "preview/frmDWGPreview.h"
#include "widgets/listwidgets.h"
#include "widgets/waitcursor.h"

#include <QFileInfo>
#include <QKeyEvent>

namespace tess {

QueueEntryActions::QueueEntryActions(frmMain &window) : QObject(&window), m_window(window)
{
    QueuePane *queue = window.queuePane();
    connect(queue, &QueuePane::keyPressed, this, &QueueEntryActions::List1_KeyDown);
    connect(queue, &QueuePane::entryDoubleClicked, this, &QueueEntryActions::List1_DblClick);
    // A click and an arrow-key move both change the current entry.
    connect(queue, &QueuePane::currentEntryChanged, this, &QueueEntryActions::List1_Click);
}

void QueueEntryActions::List1_Click()
{
    QueuePane *q = m_window.queuePane();
    if (q->isBusy())
        return;
    const qsizetype row = q->currentRow();
    if (row >= 0)
        ShowDrawingPreview(q->entryAt(row));
}

void QueueEntryActions::List1_KeyDown(const QKeyEvent &key)
{
    QueuePane *q = m_window.queuePane();
    if (q->isBusy())
        return;
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        List1_DblClick();
        return;
    }
    const qsizetype current = q->currentRow();
    if (mods == Qt::ControlModifier && key.key() == Qt::Key_Up && current > 0)
        q->MoveListItem(current - 1, current);
    else if (mods == Qt::ControlModifier && key.key() == Qt::Key_Down && current >= 0)
        q->MoveListItem(current + 1, current);
    else if (key.key() == Qt::Key_Delete)
        q->cmdRemoveDwg_Click();
}

void QueueEntryActions::List1_DblClick()
{
    QueuePane *q = m_window.queuePane();
    if (q->isBusy())
        return;
    const QList<qsizetype> rows = q->selectedRows();
    const QStringList entries = q->queueEntries();
    const MainSettings &s = mainSettings();
    QStringList failed;
    {
        WaitCursor wait;
        int opened = 0;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QString path = entries.at(rows.at(i));
            if (!QFileInfo::exists(path)) {
                failed.append(path + QStringLiteral(": ") + fileNotFoundText());
            } else {
                const LaunchResult r = launcher()->open(path);
                if (!r.ok)
                    failed.append(path + QStringLiteral(": ") + r.error);
            }
            ++opened;
            if (s.ResourceWarning == 1 && opened >= s.ResourceFileLimit && i + 1 < rows.size()) {
                const int answer = msgBox(
                    QStringLiteral("You have attempted to open more than ") + QString::number(s.ResourceFileLimit) +
                        QStringLiteral(" files at a time.\r\n\r\nThis could starve your systems resources...\r\n\r\n"
                                       "Are you sure you want to continue opening files?"),
                    vbYesNo | vbExclamation, QStringLiteral("Continue?"));
                if (answer != vbYes)
                    break;
                opened = 0;
            }
        }
    }
    if (!failed.isEmpty())
        msgBox(QStringLiteral("These files could not be opened:\r\n\r\n") + failed.join(QStringLiteral("\r\n")),
               vbOKOnly | vbExclamation, appTitle());
}

void QueueEntryActions::List1_SkipFile()
{
    QueuePane *q = m_window.queuePane();
    if (q->isBusy())
        return;
    if (msgBox(QStringLiteral("Are you sure you want to remove all files in the Queue, up to the selected file, and "
                              "then add the selected filename to the 'skipped' file list?"),
               vbYesNo | vbExclamation, QStringLiteral("Skip?")) != vbYes)
        return;
    const QList<qsizetype> rows = q->selectedRows();
    if (rows.isEmpty())
        return;
    const qsizetype i = rows.first();
    const QStringList entries = q->queueEntries();
    // The path is recorded first: when it cannot be, nothing leaves the queue.
    const FileResult r = appendToSkipList(entries.at(i));
    if (!r.ok()) {
        msgBox(fileFailureMessage(QStringLiteral("The skipped file could not be recorded, so the queue was not "
                                                 "changed"),
                                  r),
               vbOKOnly | vbExclamation, appTitle());
        return;
    }
    q->setQueueEntries(entries.mid(i + 1), false);
    m_window.RefreshQueueControls();
}

void QueueEntryActions::mnuGotoDir_Click()
{
    QueuePane *q = m_window.queuePane();
    const qsizetype row = q->currentRow();
    if (row < 0 || q->isBusy())
        return;
    const QString folder = FolderOf(q->entryAt(row));
    // The folder list takes the folder and the drive list follows with the folder's root.
    if (folder.isEmpty() || ShlIsDirectory(folder) == 0 || !m_window.fileSelector()->setDirPath(folder))
        reportUnexpectedError(kPathNotFound, QStringLiteral("Path not found"), QStringLiteral("mnuGotoDir_Click"),
                              QStringLiteral("Form frmMain"));
}

void QueueEntryActions::mnuOpenDirInExplorer_Click()
{
    QueuePane *q = m_window.queuePane();
    const qsizetype row = q->currentRow();
    if (row < 0)
        return;
    const QString path = q->entryAt(row);
    const auto report = [](const LaunchResult &r) {
        reportUnexpectedError(kPathNotFound, r.error.isEmpty() ? QStringLiteral("Path not found") : r.error,
                              QStringLiteral("mnuOpenDirInExplorer_Click"), QStringLiteral("Form frmMain"));
    };
    LaunchResult r;
#ifdef Q_OS_WIN
    // The entry is one argument; no shell comes between.
    r = launcher()->start(QStringLiteral("explorer.exe"), {QStringLiteral("/n,/e,/select,"), path}, QString());
#else
    r = launcher()->open(FolderOf(path), QString(), report);
#endif
    if (!r.ok)
        report(r);
}

void QueueEntryActions::copyToClipboard(const QueueCopyKind &kind)
{
    QueuePane *q = m_window.queuePane();
    QStringList entries;
    if (kind.selectedOnly) {
        const QStringList all = q->queueEntries();
        for (qsizetype r : q->selectedRows())
            entries.append(all.at(r));
    } else {
        entries = q->queueEntries();
    }
    bool taken = true;
    {
        WaitCursor wait;
        // A "&Selected" copy with nothing selected puts an empty text there.
        taken = putTextOnClipboard(queueCopyText(entries, kind.part, kind.layout));
        if (kind.refreshAfter)
            m_window.RefreshQueueControls();
    }
    showItemsCopied(entries.size(), taken);
}

void QueueEntryActions::copyNamed(const char *item)
{
    for (const QueueCopyKind &kind : queueCopyKinds()) {
        if (qstrcmp(kind.item, item) == 0) {
            copyToClipboard(kind);
            return;
        }
    }
}

QueueEntryActions::Handler QueueEntryActions::copyHandler(QLatin1StringView item)
{
    static const std::pair<QLatin1StringView, Handler> handlers[] = {
        {QLatin1StringView("mnuCopyListtoClip"), &QueueEntryActions::mnuCopyListtoClip_Click},
        {QLatin1StringView("mnuCopyWithExt"), &QueueEntryActions::mnuCopyWithExt_Click},
        {QLatin1StringView("mnuCopyWOExtension"), &QueueEntryActions::mnuCopyWOExtension_Click},
        {QLatin1StringView("mnuCopyClipCSV"), &QueueEntryActions::mnuCopyClipCSV_Click},
        {QLatin1StringView("mnuCopySelectedtoClip"), &QueueEntryActions::mnuCopySelectedtoClip_Click},
        {QLatin1StringView("mnuCopySelFilewithExt"), &QueueEntryActions::mnuCopySelFilewithExt_Click},
        {QLatin1StringView("mnuCopySelFileWOExt"), &QueueEntryActions::mnuCopySelFileWOExt_Click},
        {QLatin1StringView("mnuCopySelFileCSV"), &QueueEntryActions::mnuCopySelFileCSV_Click},
    };
    for (const auto &[name, handler] : handlers) {
        if (name == item)
            return handler;
    }
    return nullptr;
}

} // namespace tess
