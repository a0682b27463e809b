#include "mainwin/queuelistview.h"

#include "widgets/commandbox.h"

#include "widgets/droppaths.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QUrl>
#include <algorithm>

namespace tess {

namespace {

// The most of an entry a row lays out, to paint it or to measure it: the longest path any system
// opens. The queue refuses longer entries; this bound keeps a row cheap whatever the model holds.
constexpr qsizetype kLaidOutCharacters = 32767;

// Every row is as wide as the longest entry, so the view scrolls sideways far enough for all.
class QueueDelegate final : public QStyledItemDelegate
{
public:
    QueueDelegate(QueueModel *model, QObject *parent) : QStyledItemDelegate(parent), m_model(model) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        const QFontMetrics fm(option.font);
        const QString longest = m_model->longestEntry();
        const int measured = int(std::min(longest.size(), kLaidOutCharacters));
        s.setWidth(std::max(s.width(), fm.horizontalAdvance(longest, measured) + 2 * fm.averageCharWidth()));
        s.setHeight(std::max(s.height(), fm.height()));
        return s;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->text.size() > kLaidOutCharacters)
            option->text.truncate(kLaidOutCharacters);
    }

private:
    QueueModel *m_model;
};

} // namespace

QueueListView::QueueListView(QWidget *parent) : QListView(parent), m_model(new QueueModel(this))
{
    setObjectName(QStringLiteral("List1"));
    setModel(m_model);
    setItemDelegate(new QueueDelegate(m_model, this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setWrapping(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Scrolled by pixels, not by items: a list scrolled by items builds a table of every row's
    // position each time its size changes (several times while the window first shows a queue of
    // 100,000). A step of the wheel or of the bar's arrows is still one row high.
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFont(commandBoxFont(8.25));
    // Files and folders dragged from a file manager are taken; the list itself is no drag source.
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDefaultDropAction(Qt::CopyAction);
    setDropIndicatorShown(false);
    // A new longest entry changes the width every row reports.
    auto relayout = [this] { scheduleDelayedItemsLayout(); };
    connect(m_model, &QAbstractItemModel::rowsInserted, this, relayout);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, relayout);
    connect(m_model, &QAbstractItemModel::modelReset, this, relayout);
}

QList<qsizetype> QueueListView::selectedRows() const
{
    // The selection's ranges may overlap; merge them as row intervals.
    QList<QPair<qsizetype, qsizetype>> spans;
    const QItemSelection sel = selectionModel()->selection();
    spans.reserve(sel.size());
    for (const QItemSelectionRange &r : sel)
        spans.append({r.top(), r.bottom()});
    std::sort(spans.begin(), spans.end());
    QList<qsizetype> rows;
    qsizetype next = 0;
    for (const auto &s : spans) {
        for (qsizetype r = std::max(next, s.first); r <= s.second; ++r)
            rows.append(r);
        next = std::max(next, s.second + 1);
    }
    return rows;
}

qsizetype QueueListView::selectedCount() const
{
    QList<QPair<qsizetype, qsizetype>> spans;
    const QItemSelection sel = selectionModel()->selection();
    for (const QItemSelectionRange &r : sel)
        spans.append({r.top(), r.bottom()});
    std::sort(spans.begin(), spans.end());
    qsizetype n = 0;
    qsizetype next = 0;
    for (const auto &s : spans) {
        const qsizetype from = std::max(next, s.first);
        if (s.second >= from)
            n += s.second - from + 1;
        next = std::max(next, s.second + 1);
    }
    return n;
}

bool QueueListView::isSelected(qsizetype row) const { return selectionModel()->isRowSelected(int(row), QModelIndex()); }

void QueueListView::setSelected(qsizetype row, bool selected)
{
    if (row < 0 || row >= count())
        return;
    selectionModel()->select(m_model->index(int(row)),
                             selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void QueueListView::selectRange(qsizetype first, qsizetype last)
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, count() - 1);
    if (first > last)
        return;
    selectionModel()->select(QItemSelection(m_model->index(int(first)), m_model->index(int(last))),
                             QItemSelectionModel::Select);
}

qsizetype QueueListView::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void QueueListView::setCurrentRow(qsizetype row)
{
    if (row < 0 || row >= count())
        return;
    selectionModel()->setCurrentIndex(m_model->index(int(row)), QItemSelectionModel::NoUpdate);
}

void QueueListView::changeFontSize(int step)
{
    QFont f = font();
    const qreal size = f.pointSizeF();
    if (step > 0 && size < 12)
        f.setPointSizeF(size + 1);
    else if (step < 0 && size > 4)
        f.setPointSizeF(size - 1);
    else
        return;
    setFont(f);
    scheduleDelayedItemsLayout();
}

void QueueListView::dragEnterEvent(QDragEnterEvent *event) { acceptLocalPathsAsCopy(event); }

void QueueListView::dragMoveEvent(QDragMoveEvent *event) { acceptLocalPathsAsCopy(event); }

void QueueListView::dropEvent(QDropEvent *event)
{
    const QStringList paths = acceptLocalPathsAsCopy(event);
    if (!paths.isEmpty())
        Q_EMIT filesDropped(paths);
}

void QueueListView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void QueueListView::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        Q_EMIT popupRequested(event->globalPosition().toPoint());
}

} // namespace tess
