#include "mainwin/queuepane.h"

#include "core/fileio.h"
#include "core/listutils.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "core/queueops.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/queuedrop.h"
#include "mainwin/queuelistview.h"
#include "widgets/controlfactory.h"
#include "widgets/frmScanStop.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace tess {

QueuePane::QueuePane(FileSelectorPane *files, QWidget *parent) : QWidget(parent), m_files(files)
{
    setObjectName(QStringLiteral("queuePane"));
    auto *h = new QHBoxLayout(this);
    // The queue list starts 90 twips below the top of Picture2, the bar just above this pane (70
    // twips and at least 5 pixels high).
    h->setContentsMargins(0, std::max(0, twipsToPixels(90) - std::max(twipsToPixels(70), 5)), 0, 0);
    h->setSpacing(twipsToPixels(120));

    auto *column = new QVBoxLayout;
    column->setSpacing(twipsToPixels(45));
    auto *addRow = new QHBoxLayout;
    addRow->setSpacing(twipsToPixels(15));
    cmdAddAll = makeButton(QStringLiteral("cmdAddAll"), QStringLiteral("Add All"), this, 735,
                           QStringLiteral("Add all files currently shown in the file selector to queue"));
    cmdAddAllSub = makeButton(QStringLiteral("cmdAddAllSub"), QStringLiteral("+"), this, 345,
                              QStringLiteral("Add all files from sub-directories matching the filter to queue"));
    cmdAddAllSub->setMaximumWidth(twipsToPixels(450));
    addRow->addWidget(cmdAddAll, 1);
    addRow->addWidget(cmdAddAllSub);
    column->addLayout(addRow);
    cmdAddDwg = makeButton(QStringLiteral("cmdAddDwg"), QStringLiteral("Add -->"), this, 1065,
                           QStringLiteral("Add selected files to queue"));
    cmdRemoveDwg = makeButton(QStringLiteral("cmdRemoveDwg"), QStringLiteral("<-- Remove"), this, 1065,
                              QStringLiteral("Remove selected files from queue"));
    cmdRemoveAllDwg = makeButton(QStringLiteral("cmdRemoveAllDwg"), QStringLiteral("Clear"), this, 1065,
                                 QStringLiteral("Remove all files from queue"));
    cmdFileList = makeButton(QStringLiteral("cmdFileList"), QStringLiteral("File&Lists"), this, 1065,
                             QStringLiteral("Manage your \"File Lists\""));
    // The buttons 315 twips high, one every 360 twips; File&Lists, the options frame and Preview
    // each a little further apart (a spacer brings one spacing with it).
    for (QPushButton *b : {cmdAddAll, cmdAddAllSub, cmdAddDwg, cmdRemoveDwg, cmdRemoveAllDwg, cmdFileList})
        b->setFixedHeight(twipsToPixels(315));
    column->addWidget(cmdAddDwg);
    column->addWidget(cmdRemoveDwg);
    column->addWidget(cmdRemoveAllDwg);
    column->addSpacing(twipsToPixels(120));
    column->addWidget(cmdFileList);
    column->addSpacing(twipsToPixels(120));

    Frame3 = new QGroupBox(QStringLiteral("Options"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto *ov = new QVBoxLayout(Frame3);
    ov->setContentsMargins(twipsToPixels(60), twipsToPixels(45), twipsToPixels(30), twipsToPixels(45));
    ov->setSpacing(twipsToPixels(30));
    chkSaveAS = new QCheckBox(QStringLiteral("SA&VEAS"), Frame3);
    chkSaveAS->setObjectName(QStringLiteral("chkSaveAS"));
    chkSaveAS->setToolTip(QStringLiteral("Save the drawings under another name, format or folder: see the "
                                         "\"SAVEAS\" Options tab"));
    chkDelay = new QCheckBox(QStringLiteral("Delay"), Frame3);
    chkDelay->setObjectName(QStringLiteral("chkDelay"));
    chkTestRun = new QCheckBox(QStringLiteral("&Test Run"), Frame3);
    chkTestRun->setObjectName(QStringLiteral("chkTestRun"));
    chkTestRun->setToolTip(QStringLiteral("Create script without saving the results (debug mode)"));
    ov->addWidget(chkSaveAS);
    ov->addWidget(chkDelay);
    ov->addWidget(chkTestRun);
    Frame3->setFixedHeight(twipsToPixels(1200));
    column->addWidget(Frame3);
    column->addSpacing(twipsToPixels(75));
    cmdDWGPreviewShow = makeButton(QStringLiteral("cmdDWGPreviewShow"), QStringLiteral("&Preview"), this, 1065);
    cmdDWGPreviewShow->setFixedHeight(twipsToPixels(315));
    column->addWidget(cmdDWGPreviewShow);
    column->addStretch(1);

    auto *columnHost = new QWidget(this);
    columnHost->setObjectName(QStringLiteral("queueButtons"));
    columnHost->setLayout(column);
    column->setContentsMargins(0, twipsToPixels(45), 0, 0);
    // 1215 twips wide, as the options frame; wider where the frame's check boxes need more room
    // at the program's font.
    columnHost->setFixedWidth(std::max(twipsToPixels(1215), Frame3->minimumSizeHint().width()));
    h->addWidget(columnHost);

    List1 = new QueueListView(this);
    h->addWidget(List1, 1);
    List1->installEventFilter(this);
    List1->setContextMenuPolicy(Qt::NoContextMenu);

    // The two move buttons lie over the queue's upper right corner.
    Command3 = makeButton(QStringLiteral("Command3"), QStringLiteral("Move Up"), this);
    Command4 = makeButton(QStringLiteral("Command4"), QStringLiteral("Move Down"), this);
    for (QPushButton *b : {Command3, Command4}) {
        b->setFixedWidth(twipsToPixels(1140));
        b->raise();
    }

    connect(cmdAddDwg, &QPushButton::clicked, this, &QueuePane::cmdAddDwg_Click);
    connect(cmdAddAll, &QPushButton::clicked, this, &QueuePane::cmdAddAll_Click);
    connect(cmdAddAllSub, &QPushButton::clicked, this, &QueuePane::cmdAddAllSub_Click);
    connect(cmdRemoveDwg, &QPushButton::clicked, this, &QueuePane::cmdRemoveDwg_Click);
    connect(cmdRemoveAllDwg, &QPushButton::clicked, this, &QueuePane::cmdRemoveAllDwg_Click);
    connect(cmdFileList, &QPushButton::clicked, this, &QueuePane::cmdFileList_Click);
    connect(cmdDWGPreviewShow, &QPushButton::clicked, this, &QueuePane::previewShowRequested);
    connect(Command3, &QPushButton::clicked, this, &QueuePane::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &QueuePane::Command4_Click);
    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &QueuePane::List1_Click);
    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &QueuePane::selectionChanged);
    connect(List1->selectionModel(), &QItemSelectionModel::currentChanged, this, &QueuePane::currentEntryChanged);
    connect(List1, &QAbstractItemView::doubleClicked, this, &QueuePane::entryDoubleClicked);
    connect(List1, &QueueListView::popupRequested, this, [this](const QPoint &pos) {
        if (!m_busy)
            Q_EMIT popupRequested(pos);
    });
    // Queued: the drag source hears that the drop was taken before the folders are walked.
    connect(List1, &QueueListView::filesDropped, this, &QueuePane::List1_OLEDragDrop, Qt::QueuedConnection);

    connect(m_files, &FileSelectorPane::fileSelectionChanged, cmdAddDwg, &QPushButton::setEnabled);
    connect(m_files, &FileSelectorPane::filesListedChanged, this,
            [this](int listed) { cmdAddAll->setEnabled(listed >= 1); });
    connect(m_files, &FileSelectorPane::addSelectedRequested, this, &QueuePane::cmdAddDwg_Click);
}

bool QueuePane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress)
        Q_EMIT keyPressed(*static_cast<QKeyEvent *>(event));
    if (watched == List1 && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeMoveButtons();
    return QWidget::eventFilter(watched, event);
}

void QueuePane::placeMoveButtons()
{
    const QRect r = List1->geometry();
    const int right = r.right() - twipsToPixels(327);
    const int h = Command3->sizeHint().height();
    Command3->setGeometry(right - Command3->width(), r.top() + twipsToPixels(50), Command3->width(), h);
    Command4->setGeometry(right - Command4->width(), r.top() + twipsToPixels(50) + h + twipsToPixels(15),
                          Command4->width(), h);
    Command3->raise();
    Command4->raise();
}

// ============================================================================================
// Busy state and status
// ============================================================================================

void QueuePane::setBusy(bool busy)
{
    m_busy = busy;
    m_files->setBusy(busy);
    Q_EMIT busyChanged(busy);
}

void QueuePane::stopAndCloseAfterwards()
{
    frmScanStop::instance()->setStopRequested(true);
    m_closeAfterBusy = true;
}

void QueuePane::setStatus(const QString &text) { Q_EMIT statusChanged(text); }

// ============================================================================================
// Entries
// ============================================================================================

QStringList QueuePane::queueEntries() const { return List1->items(); }
qsizetype QueuePane::count() const { return List1->count(); }

QList<qsizetype> QueuePane::selectedRows() const { return List1->selectedRows(); }
qsizetype QueuePane::selectedCount() const { return List1->selectedCount(); }
qsizetype QueuePane::currentRow() const { return List1->currentRow(); }
QString QueuePane::entryAt(qsizetype row) const { return List1->item(row); }

void QueuePane::showWholeEntries()
{
    // Qt lists scroll sideways by themselves once an entry is wider than the list; make sure the
    // bar is offered and the list does not wrap or elide its entries.
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    List1->setTextElideMode(Qt::ElideNone);
    List1->setWrapping(false);
}

QCheckBox *QueuePane::runSwitch(RunSwitch which) const
{
    return which == RunSwitch::TestRun ? chkTestRun : which == RunSwitch::Delay ? chkDelay : chkSaveAS;
}

void QueuePane::setRunSwitch(RunSwitch which, bool on)
{
    QCheckBox *box = runSwitch(which);
    if (box->isChecked() != on)
        box->setChecked(on);
}

void QueuePane::setRunSwitchEnabled(RunSwitch which, bool on) { runSwitch(which)->setEnabled(on); }

void QueuePane::attachRunSwitchesTo(BatchFlowTab &tab) const { tab.attachRunSwitches(chkSaveAS, chkDelay, chkTestRun); }
QueueModel *QueuePane::queueModel() const { return List1->queueModel(); }

QStringList QueuePane::selectedEntries() const
{
    QStringList selected;
    for (qsizetype row : List1->selectedRows())
        selected.append(List1->item(row));
    return selected;
}

void QueuePane::reportRefused(const QStringList &refused)
{
    if (!refused.isEmpty())
        msgBox(refusedEntriesMessage(refused), vbOKOnly | vbExclamation, appTitle());
}

qsizetype QueuePane::addToQueue(const QStringList &candidates, bool report)
{
    const QueueEntryFilter f = filterQueueEntries(candidates);
    List1->addItems(f.accepted);
    if (report)
        reportRefused(f.refused);
    return f.accepted.size();
}

void QueuePane::setQueueEntries(const QStringList &entries, bool report)
{
    const QueueEntryFilter f = filterQueueEntries(entries);
    List1->setItems(f.accepted);
    if (report)
        reportRefused(f.refused);
}

void QueuePane::resetLoadedListMarks()
{
    cmdFileList->setText(QStringLiteral("File&Lists"));
    List1->setToolTip(QString());
}

void QueuePane::setLoadedListMarks(const QString &listName)
{
    cmdFileList->setText(QStringLiteral("=File&Lists="));
    List1->setToolTip(QStringLiteral("FileList: \"") + listName + QStringLiteral("\" is Loaded"));
}

void QueuePane::runAutoSortAndMeta()
{
    if (mainSettings().AutoSortEnabled == 1)
        PerformSort();
    if (mainSettings().METAEnabled == 1 && mainSettings().METAImmediate == 1)
        Q_EMIT metaScanRequested(true);
}

// Steps 1 to 4 after adding from the file list, the normal pointer, then 6 and 5 (or 5 and 6).
void QueuePane::afterAddSteps(WaitCursor &wait, bool favouritesBeforeMarks)
{
    Q_EMIT createButtonsForScriptRequested();
    Q_EMIT refreshRequested();
    runAutoSortAndMeta();
    wait.restore();
    const bool favourites = mainSettings().AutoADDFavorites == 1;
    if (favouritesBeforeMarks) {
        if (favourites)
            Q_EMIT addDirToFavoritesRequested();
        resetLoadedListMarks();
    } else {
        resetLoadedListMarks();
        if (favourites)
            Q_EMIT addDirToFavoritesRequested();
    }
}

void QueuePane::cmdAddDwg_Click()
{
    if (m_busy)
        return;
    WaitCursor wait;
    const QueueEntryFilter f = filterQueueEntries(m_files->selectedFiles());
    List1->addItems(f.accepted);
    afterAddSteps(wait, true);
    reportRefused(f.refused);
}

void QueuePane::cmdAddAll_Click()
{
    if (m_busy)
        return;
    WaitCursor wait;
    const QueueEntryFilter f = filterQueueEntries(m_files->listedFiles());
    List1->addItems(f.accepted);
    afterAddSteps(wait, false);
    reportRefused(f.refused);
}

// ============================================================================================
// Walks
// ============================================================================================

namespace {

// Feeds the walk's finds into the queue a batch at a time (each time the walk lets the window
// breathe, at most every ~50 ms) and passes label and events on to the scan window.
class QueueWalkProgress final : public ScanProgress
{
public:
    QueueWalkProgress(QStringList &found, QueueListView *queue, ScanProgress *window)
        : m_found(found), m_queue(queue), m_window(window)
    {
    }
    void label(const QString &text) override
    {
        flush();
        if (m_window)
            m_window->label(text);
    }
    void pump() override
    {
        flush();
        if (m_window)
            m_window->pump();
    }
    // The stop request and the count are the scan window's.
    bool stopRequested() const override { return m_window && m_window->stopRequested(); }
    qint64 foundFileCount() const override { return m_window ? m_window->foundFileCount() : 0; }
    void folderUnreadable(const QString &folder) override { unreadable.append(folder); }
    void specialFileSkipped(const QString &path) override { special.append(path); }
    void setFoundFileCount(qint64 count) override
    {
        if (m_window)
            m_window->setFoundFileCount(count);
    }
    void flush()
    {
        if (m_done >= m_found.size())
            return;
        const QueueEntryFilter f = filterQueueEntries(m_found.mid(m_done));
        m_done = m_found.size();
        m_queue->addItems(f.accepted);
        added += f.accepted.size();
        refused += f.refused;
    }

    qsizetype added = 0;
    QStringList refused;
    QStringList unreadable;
    QStringList special;

private:
    QStringList &m_found;
    QueueListView *m_queue;
    ScanProgress *m_window;
    qsizetype m_done = 0;
};

} // namespace

qsizetype QueuePane::walkFolderIntoQueue(const QString &folder, const QString &pattern)
{
    frmScanStop *scan = frmScanStop::instance();
    scan->showScan();
    scan->setStopRequested(false);
    setBusy(true);
    QStringList found;
    QueueWalkProgress progress(found, List1, scan);
    {
        WaitCursor wait;
        SearchFilesIntoList(folder, pattern, found, &progress);
        progress.flush();
    }
    m_walkRefused += progress.refused;
    m_walkUnreadable += progress.unreadable;
    m_walkSpecial += progress.special;
    return progress.added;
}

bool QueuePane::endWalk()
{
    if (frmScanStop::isLoaded()) {
        frmScanStop::instance()->hideScan();
        frmScanStop::instance()->setStopRequested(false);
    }
    setBusy(false);
    reportRefused(std::exchange(m_walkRefused, {}));
    if (m_closeAfterBusy) {
        m_closeAfterBusy = false;
        Q_EMIT closeRequested();
        return false;
    }
    return true;
}

void QueuePane::cmdAddAllSub_Click()
{
    if (m_busy)
        return;
    frmScanStop::instance()->setFoundFileCount(0);
    m_walkUnreadable.clear();
    m_walkSpecial.clear();
    const qsizetype added = walkFolderIntoQueue(m_files->folder(), m_files->filter());
    // The count says which sub-folders were passed over because they could not be read.
    QString text = QString::number(added) + QStringLiteral(" Files Added to Queue.");
    const QStringList unreadable = std::exchange(m_walkUnreadable, {});
    if (!unreadable.isEmpty())
        text +=
            QStringLiteral("\r\n\r\nThese folders could not be read:\r\n") + unreadable.join(QStringLiteral("\r\n"));
    text += specialFilesSkippedText(std::exchange(m_walkSpecial, {}));
    msgBox(text, vbOKOnly, QStringLiteral("Scan Complete"));
    Q_EMIT refreshRequested();
    if (!endWalk())
        return;
    resetLoadedListMarks();
    runAutoSortAndMeta();
}

void QueuePane::List1_OLEDragDrop(const QStringList &items)
{
    if (m_busy || items.isEmpty())
        return;
    const QString filter = m_files->filter();
    const QString listPattern = mainSettings().DWGPattern;
    QStringList refused;
    QList<FileResult> unreadLists;
    bool walked = false;
    m_walkSpecial.clear();
    // The scan window counts this drop's finds.
    if (frmScanStop::isLoaded())
        frmScanStop::instance()->setFoundFileCount(0);
    for (const QString &item : items) {
        switch (classifyDroppedItem(item, filter)) {
        case DroppedItemKind::Folder:
            walkFolderIntoQueue(item, filter);
            walked = true;
            break;
        case DroppedItemKind::Entry: {
            // A pipe or device named like a drawing is no drawing.
            if (QFileInfo::exists(item) && !isRegularFile(item)) {
                m_walkSpecial << item;
                break;
            }
            const QueueEntryFilter f = filterQueueEntries({item});
            List1->addItems(f.accepted);
            refused += f.refused;
            break;
        }
        case DroppedItemKind::FileList: {
            // A list that cannot be read is named afterwards; the drop goes on.
            QStringList lines;
            const FileResult r = readDroppedFileList(item, listPattern, lines, &refused);
            if (r.ok()) {
                const QueueEntryFilter f = filterQueueEntries(lines);
                List1->addItems(f.accepted);
                refused += f.refused;
            } else {
                unreadLists.append(r);
            }
            break;
        }
        case DroppedItemKind::Ignored: break;
        }
        // "&Stop" ends the whole drop; what was added stays.
        if (walked && frmScanStop::instance()->stopRequested())
            break;
    }
    if (walked) {
        m_walkRefused += refused;
        if (!endWalk())
            return;
    } else {
        reportRefused(refused);
    }
    for (const FileResult &r : unreadLists)
        msgBox(fileFailureMessage(QStringLiteral("The dropped list could not be read"), r), vbOKOnly | vbExclamation,
               appTitle());
    if (const QString special = specialFilesSkippedText(std::exchange(m_walkSpecial, {})); !special.isEmpty())
        msgBox(special.mid(4), vbOKOnly | vbExclamation, appTitle());
    Q_EMIT refreshRequested();
    runAutoSortAndMeta();
    resetLoadedListMarks();
}

// ============================================================================================
// Removing and moving
// ============================================================================================

void QueuePane::selectionEmptied()
{
    if (List1->selectedCount() == 0) {
        cmdRemoveDwg->setEnabled(false);
        Q_EMIT controlEnabledRequested(QStringLiteral("mnuCopySelectedtoClip"), false);
    }
}

void QueuePane::cmdRemoveDwg_Click()
{
    if (m_busy)
        return;
    WaitCursor wait;
    const QList<qsizetype> rows = List1->selectedRows();
    if (!rows.isEmpty()) {
        QStringList kept;
        kept.reserve(List1->count() - rows.size());
        const QStringList &all = List1->items();
        qsizetype next = 0;
        for (qsizetype r : rows) {
            for (; next < r; ++next)
                kept.append(all.at(next));
            next = r + 1;
        }
        for (; next < all.size(); ++next)
            kept.append(all.at(next));
        List1->setItems(kept);
    }
    selectionEmptied();
    Q_EMIT refreshRequested();
    resetLoadedListMarks();
}

void QueuePane::RemoveUnselectedFiles()
{
    if (m_busy)
        return;
    const QList<qsizetype> rows = List1->selectedRows();
    // With nothing selected this empties the queue: ask as Clear does.
    if (rows.isEmpty() && List1->count() > 0 && !confirmClearFileQueue())
        return;
    WaitCursor wait;
    QStringList kept;
    kept.reserve(rows.size());
    for (qsizetype r : rows)
        kept.append(List1->item(r));
    List1->setItems(kept);
    List1->selectRange(0, kept.size() - 1); // the entries that stay were all selected
    selectionEmptied();
    Q_EMIT refreshRequested();
    resetLoadedListMarks();
}

void QueuePane::cmdRemoveAllDwg_Click()
{
    if (m_busy || !confirmClearFileQueue())
        return;
    WaitCursor wait;
    List1->clear();
    Q_EMIT refreshRequested();
    wait.restore();
    resetLoadedListMarks();
}

void QueuePane::mnuRemoveDuplicates_Click()
{
    if (m_busy)
        return;
    QStringList entries = List1->items();
    frmScanStop *scan = frmScanStop::instance();
    qint64 removed = 0;
    {
        WaitCursor wait;
        scan->showScan();
        setBusy(true);
        removed = RemoveDuplicateListItems(entries, scan, pathCaseSensitivity());
        if (removed > 0)
            List1->setItems(entries);
        scan->hideScan();
        setBusy(false);
    }
    showDuplicatesRemoved(removed);
    if (m_closeAfterBusy) {
        m_closeAfterBusy = false;
        Q_EMIT closeRequested();
        return;
    }
    Q_EMIT refreshRequested();
}

void QueuePane::MoveListItem(qsizetype source, qsizetype target)
{
    const qsizetype n = List1->count();
    if (target == n || target < 0 || target > n - 1 || source < 0 || source >= n)
        return;
    const QString text = List1->item(source);
    List1->removeItem(source);
    List1->insertItem(target, text);
    List1->setCurrentRow(target);
}

void QueuePane::Command3_Click()
{
    if (m_busy)
        return;
    WaitCursor wait;
    const QueueMove m = moveUpStep(List1->selectedRows(), List1->count());
    if (m.isValid())
        MoveListItem(m.source, m.target);
}

void QueuePane::Command4_Click()
{
    if (m_busy)
        return;
    WaitCursor wait;
    const QueueMove m = moveDownStep(List1->selectedRows(), List1->count());
    if (m.isValid())
        MoveListItem(m.source, m.target);
}

void QueuePane::List1_Click()
{
    if (m_busy)
        return;
    cmdRemoveDwg->setEnabled(true);
    Q_EMIT controlEnabledRequested(QStringLiteral("mnuCopySelectedtoClip"), true);
    Q_EMIT refreshRequested();
}

// ============================================================================================
// Ordering
// ============================================================================================

void QueuePane::sortWithStatus(const QString &status, const std::function<QStringList(const QStringList &)> &order)
{
    setStatus(status);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    {
        WaitCursor wait;
        List1->setItems(order(List1->items()));
    }
    setStatus(readyStatusText());
}

void QueuePane::mnuSortAscending_Click() { sortWithStatus(sortingStatusText(), sortedAscending); }
void QueuePane::mnuSortDescending_Click() { sortWithStatus(sortingStatusText(), sortedDescending); }

void QueuePane::SmartSort()
{
    WaitCursor wait;
    List1->setItems(smartSorted(List1->items()));
}

void QueuePane::mnuReverseOrder_Click()
{
    WaitCursor wait;
    List1->setItems(reversedEntries(List1->items()));
}

void QueuePane::PerformSort()
{
    setStatus(QStringLiteral("Performing AutoSort"));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    switch (mainSettings().AutoSortType) {
    case 0: mnuSortAscending_Click(); break;
    case 1: mnuSortDescending_Click(); break;
    case 2: SmartSort(); break;
    case 3: {
        WaitCursor wait;
        List1->setItems(performSortOrder(List1->items(), 3));
        break;
    }
    default: break;
    }
    setStatus(readyStatusText());
}

void QueuePane::mnuSmartSort2_Click()
{
    setStatus(sortingStatusText());
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    SmartSort();
    setStatus(readyStatusText());
}

void QueuePane::mnuReverseOrder2_Click()
{
    setStatus(sortingStatusText());
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    mnuReverseOrder_Click();
    setStatus(readyStatusText());
}

// Where letter case tells files apart, a case change makes the entries name other files.
bool QueuePane::askCaseChange()
{
    if (pathCaseSensitivity() == Qt::CaseInsensitive)
        return true;
    return msgBox(QStringLiteral("On this system file names that differ only in letter case name different files, "
                                 "so the changed entries may name files that do not exist.\n\n"
                                 "Change the case of every entry in the queue anyway?"),
                  vbYesNo | vbQuestion | vbDefaultButton2, sureTitle()) == vbYes;
}

void QueuePane::mnuQueueUpperCase_Click()
{
    if (m_busy || !askCaseChange())
        return;
    WaitCursor wait;
    List1->setItems(upperCasedEntries(List1->items()));
}

void QueuePane::mnuQueueLowerCase_Click()
{
    if (m_busy || !askCaseChange())
        return;
    WaitCursor wait;
    List1->setItems(lowerCasedEntries(List1->items()));
}

void QueuePane::mnuTextLarger_Click() { List1->changeFontSize(+1); }
void QueuePane::mnuTextSmaller_Click() { List1->changeFontSize(-1); }

} // namespace tess
