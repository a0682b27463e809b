#include "widgets/filelistbox.h"

#include "core/fileselector.h"
#include "core/listingfailurenotice.h"
#include "widgets/dirlistbox.h"

#include <QKeyEvent>
#include <algorithm>

namespace tess {

FileListBox::FileListBox(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("File1"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Long names scroll sideways instead of being cut short.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void FileListBox::setPath(const QString &folder)
{
    m_path = folder;
    refresh();
}

void FileListBox::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

void FileListBox::refresh()
{
    clear();
    if (m_path.isEmpty()) {
        m_error.clear();
        return;
    }
    const SelectorListing files = listMatchingFiles(m_path, m_pattern);
    m_error = files.ok ? QString() : files.error;
    if (m_accept) {
        for (const QString &name : files.names)
            if (m_accept(joinFolderAndName(m_path, name)))
                addItem(name);
    } else {
        addItems(files.names);
    }
    if (!files.ok)
        Q_EMIT listingFailed(m_path, files.error);
}

void FileListBox::setEntryFilter(std::function<bool(const QString &path)> accept)
{
    m_accept = std::move(accept);
    refresh();
}

QString FileListBox::fullPath(int row) const
{
    const QListWidgetItem *it = item(row);
    return it ? joinFolderAndName(m_path, it->text()) : QString();
}

QList<int> FileListBox::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &i : selectionModel()->selectedRows())
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT enterPressed();
        return;
    }
    if (event->key() == Qt::Key_Insert) {
        Q_EMIT insertPressed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void watchListingFailures(ListingFailureNotice &notice, DirListBox *folders, FileListBox *files, QObject *context)
{
    auto failed = [&notice](const QString &folder, const QString &reason) { notice.report(folder, reason); };
    QObject::connect(folders, &DirListBox::listingFailed, context, failed);
    QObject::connect(files, &FileListBox::listingFailed, context, failed);
}

} // namespace tess
