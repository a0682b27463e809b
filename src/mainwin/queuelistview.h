#pragma once
// The drawing queue list of the main window (objectName "List1"): a multi-select list view over a
// QueueModel with the small list-box interface the rest of the program uses (count, item,
// addItem, removeItem, clear, selection). It stays fast with 100,000 entries and more: every row
// has the same height, the horizontal extent comes from the longest entry, and bulk changes are
// one model change.

#include "mainwin/queuemodel.h"

#include <QListView>

namespace tess {

class QueueListView final : public QListView
{
    Q_OBJECT
public:
    explicit QueueListView(QWidget *parent = nullptr);

    QueueModel *queueModel() const { return m_model; }

    qsizetype count() const { return m_model->count(); }
    QString item(qsizetype i) const { return m_model->entry(i); }
    const QStringList &items() const { return m_model->entries(); }
    void addItem(const QString &entry) { m_model->append(entry); }
    void addItems(const QStringList &entries) { m_model->append(entries); }
    void insertItem(qsizetype i, const QString &entry) { m_model->insert(i, entry); }
    void removeItem(qsizetype i) { m_model->removeAt(i); }
    void clear() { m_model->clear(); }
    // Replaces all entries; afterwards nothing is selected.
    void setItems(const QStringList &entries) { m_model->setEntries(entries); }

    // Selected rows in increasing order, each once.
    QList<qsizetype> selectedRows() const;
    qsizetype selectedCount() const;
    bool isSelected(qsizetype row) const;
    void setSelected(qsizetype row, bool selected);
    // Selects the rows first..last (inclusive) in one step.
    void selectRange(qsizetype first, qsizetype last);

    // The entry with the focus (-1 when none); setting it leaves the selection as it is.
    qsizetype currentRow() const;
    void setCurrentRow(qsizetype row);

    // Font size steps of the text-size menu items.
    void changeFontSize(int step);

Q_SIGNALS:
    // A right-button release over the list (the pop-up menu's trigger), in global coordinates.
    void popupRequested(const QPoint &globalPos);
    // Files or folders were dropped on the list: their native paths in the order the source
    // gave them. The drop is always a copy, never a move.
    void filesDropped(const QStringList &paths);

protected:
    // A right-button press leaves the selection as it is: the pop-up acts on what the user selected.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QueueModel *m_model;
};

} // namespace tess
