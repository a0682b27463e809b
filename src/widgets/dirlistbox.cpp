#include "widgets/dirlistbox.h"

#include "core/fileselector.h"
#include "widgets/droppaths.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyle>
#include <QUrl>
#include <algorithm>

namespace tess {

namespace {
constexpr int PathRole = Qt::UserRole + 1;
constexpr int NameRole = Qt::UserRole + 2; // the name as shown, without the indent of its level
} // namespace

DirListBox::DirListBox(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("Dir1"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDefaultDropAction(Qt::CopyAction);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        if (item)
            setPath(item->data(PathRole).toString());
    });
}

bool DirListBox::setPath(const QString &folder)
{
    const QString p = selectorFolderPath(folder);
    if (p.isEmpty() || !QFileInfo(p).isDir())
        return false;
    const bool changed = p != m_path;
    m_path = p;
    fill();
    if (changed)
        Q_EMIT pathChanged(m_path);
    return true;
}

void DirListBox::refresh() { fill(); }

void DirListBox::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = folderAncestors(m_path);
    int level = 0;
    for (const QString &f : chain) {
        const QString name =
            level == 0 ? f : f.mid(std::max(f.lastIndexOf(QLatin1Char('\\')), f.lastIndexOf(QLatin1Char('/'))) + 1);
        auto *item = new QListWidgetItem(open, QString(level * 2, QLatin1Char(' ')) + name, this);
        item->setData(PathRole, f);
        item->setData(NameRole, name);
        ++level;
    }
    if (count() > 0)
        setCurrentRow(count() - 1);
    const SelectorListing subs = listSubFolders(m_path);
    m_error = subs.ok ? QString() : subs.error;
    for (const QString &name : subs.names) {
        auto *item = new QListWidgetItem(closed, QString(level * 2, QLatin1Char(' ')) + name, this);
        item->setData(PathRole, joinFolderAndName(m_path, name));
        item->setData(NameRole, name);
    }
    if (!subs.ok)
        Q_EMIT listingFailed(m_path, subs.error);
}

void DirListBox::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        setPath(currentItem()->data(PathRole).toString());
        return;
    }
    QListWidget::keyPressEvent(event);
}

// The indent of the levels keeps the list's own search from matching any name, so the search is
// made here: keys typed in quick succession spell the start of a name; the same key again, or a
// new one, goes on to the next folder after the current one that starts with it (from the top
// again past the end). Letters are compared ignoring case; the found folder is selected, not
// opened.
void DirListBox::keyboardSearch(const QString &search)
{
    if (search.isEmpty() || count() == 0)
        return;
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_sinceTyped.start();
    m_typed += search;
    // One letter typed over and over walks through the folders starting with it.
    const bool repeated = m_typed.count(m_typed.front()) == m_typed.size();
    const QString wanted = repeated ? m_typed.left(1) : m_typed;
    const int current = currentRow();
    const int first = repeated || current < 0 ? current + 1 : current;
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem *candidate = item((first + i) % count());
        if (candidate->data(NameRole).toString().startsWith(wanted, Qt::CaseInsensitive)) {
            setCurrentItem(candidate);
            scrollToItem(candidate);
            return;
        }
    }
}

QStringList DirListBox::mimeTypes() const { return {QStringLiteral("text/uri-list")}; }

void DirListBox::dragEnterEvent(QDragEnterEvent *event) { acceptLocalPathsAsCopy(event); }

void DirListBox::dragMoveEvent(QDragMoveEvent *event) { acceptLocalPathsAsCopy(event); }

void DirListBox::dropEvent(QDropEvent *event)
{
    const QStringList paths = acceptLocalPathsAsCopy(event);
    if (!paths.isEmpty())
        Q_EMIT folderDropped(paths.first());
}

} // namespace tess
