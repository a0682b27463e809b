#include "mainwin/paneinterfaces.h"

#include "mainwin/fileselectorpane.h"
#include "mainwin/queuelistview.h"
#include "mainwin/queuepane.h"
#include <QSet>

namespace tess {

PaneQueue::PaneQueue(QueuePane *pane, std::function<void()> refreshControls, QObject *parent)
    : DrawingQueue(parent), m_pane(pane), m_refreshControls(std::move(refreshControls))
{
    QueueModel *model = m_pane->queueModel();
    connect(model, &QAbstractItemModel::modelReset, this, &DrawingQueue::changed);
    connect(model, &QAbstractItemModel::layoutChanged, this, &DrawingQueue::changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, &DrawingQueue::changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &DrawingQueue::changed);
    connect(model, &QAbstractItemModel::rowsMoved, this, &DrawingQueue::changed);
    connect(model, &QAbstractItemModel::dataChanged, this, &DrawingQueue::changed);
}

QStringList PaneQueue::entries() const { return m_pane->queueEntries(); }
qsizetype PaneQueue::count() const { return m_pane->count(); }
QStringList PaneQueue::selectedEntries() const { return m_pane->selectedEntries(); }

void PaneQueue::afterChange()
{
    m_pane->resetLoadedListMarks();
    if (m_refreshControls)
        m_refreshControls();
}

qsizetype PaneQueue::add(const QStringList &candidates, bool report)
{
    const qsizetype added = m_pane->addToQueue(candidates, report);
    afterChange();
    return added;
}

qsizetype PaneQueue::replace(const QStringList &entries, bool report)
{
    m_pane->setQueueEntries(entries, report);
    afterChange();
    return m_pane->count();
}

qsizetype PaneQueue::remove(const QStringList &entries)
{
    const QSet<QString> gone(entries.cbegin(), entries.cend());
    QStringList kept;
    for (const QString &e : m_pane->queueEntries())
        if (!gone.contains(e))
            kept.append(e);
    const qsizetype removed = m_pane->count() - kept.size();
    if (removed > 0)
        m_pane->setQueueEntries(kept, false);
    afterChange();
    return removed;
}

PaneFileSelection::PaneFileSelection(FileSelectorPane *pane, QObject *parent) : FileSelection(parent), m_pane(pane)
{
    connect(m_pane, &FileSelectorPane::drawingFolderChanged, this, &FileSelection::folderChanged);
}

QString PaneFileSelection::drive() const { return m_pane->drive(); }
QString PaneFileSelection::folder() const { return m_pane->folder(); }
QString PaneFileSelection::fileListFolder() const { return m_pane->fileListFolder(); }
QString PaneFileSelection::filter() const { return m_pane->filter(); }
QString PaneFileSelection::filePattern() const { return m_pane->filePattern(); }
QStringList PaneFileSelection::selectedFiles() const { return m_pane->selectedFiles(); }
QStringList PaneFileSelection::listedFiles() const { return m_pane->listedFiles(); }
bool PaneFileSelection::setFolder(const QString &folder) { return m_pane->setDirPath(folder); }
void PaneFileSelection::setFilter(const QString &text) { m_pane->setFilterText(text); }
void PaneFileSelection::refresh() { m_pane->refreshFiles(); }

} // namespace tess
