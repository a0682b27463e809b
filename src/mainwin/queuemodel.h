#pragma once
// The drawing queue's entries as an item model: one full path per row, in processing order,
// exactly as added. Bulk changes (appending many entries, rebuilding after a sort) are one model
// change each, so the queue stays fast at 100,000 entries and more.

#include <QAbstractListModel>
#include <QStringList>

namespace tess {

class QueueModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit QueueModel(QObject *parent = nullptr);
    ~QueueModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // The same indexes as the list model's own, without its virtual calls: the view asks for every
    // row at each layout.
    QModelIndex index(int row, int column = 0, const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &entries() const { return m_entries; }
    qsizetype count() const { return m_entries.size(); }
    // The entry at i; "" for an index outside the list.
    QString entry(qsizetype i) const;

    void append(const QString &entry);
    void append(const QStringList &entries);
    // Inserts at i (0..count).
    void insert(qsizetype i, const QString &entry);
    void removeAt(qsizetype i);
    // Replaces every entry at once (a model reset).
    void setEntries(const QStringList &entries);
    void clear() { setEntries({}); }

    // The entry with the most characters (for the list's horizontal extent).
    QString longestEntry() const;
    // The entries countTextFileEntries counts, kept up to date by the changes (a replacement of
    // every entry counts them again at the next question).
    qsizetype textFileEntries() const;

private:
    void noteLonger(const QString &entry);
    void noteTextFiles(const QString &entry, int change);

    QStringList m_entries;
    mutable qsizetype m_longest = -1; // index of the longest entry; -1 when unknown or empty
    mutable bool m_longestKnown = true;
    mutable qsizetype m_textFiles = 0; // -1 when unknown
};

} // namespace tess
