#include "mainwin/queuemodel.h"

#include "core/queueops.h"

#include <system_error>
#include <thread>

namespace tess {

QueueModel::QueueModel(QObject *parent) : QAbstractListModel(parent) {}

QueueModel::~QueueModel()
{
    // The queue goes with the main window at the very end of the program: freeing 100,000 texts
    // one by one would hold up the program's end by milliseconds, so a large list is let go of on
    // a thread of its own.
    constexpr qsizetype kWorthAThread = 10000;
    if (m_entries.size() < kWorthAThread)
        return;
    try {
        std::thread([entries = std::move(m_entries)] {}).detach();
    } catch (const std::system_error &) {
        // No thread to be had: the list is freed here.
    }
}

int QueueModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_entries.size()); }

QModelIndex QueueModel::index(int row, int column, const QModelIndex &parent) const
{
    return row >= 0 && row < m_entries.size() && column == 0 && !parent.isValid() ? createIndex(row, column)
                                                                                  : QModelIndex();
}

QVariant QueueModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_entries.at(index.row());
    return {};
}

QString QueueModel::entry(qsizetype i) const { return i >= 0 && i < m_entries.size() ? m_entries.at(i) : QString(); }

void QueueModel::noteLonger(const QString &entry)
{
    if (!m_longestKnown)
        return;
    if (m_longest < 0 || entry.size() > m_entries.at(m_longest).size())
        m_longest = m_entries.size() - 1;
}

void QueueModel::noteTextFiles(const QString &entry, int change)
{
    if (m_textFiles >= 0 && isTextFileEntry(entry))
        m_textFiles += change;
}

qsizetype QueueModel::textFileEntries() const
{
    if (m_textFiles < 0)
        m_textFiles = countTextFileEntries(m_entries);
    return m_textFiles;
}

void QueueModel::append(const QString &entry)
{
    const int row = int(m_entries.size());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.append(entry);
    noteLonger(entry);
    noteTextFiles(entry, 1);
    endInsertRows();
}

void QueueModel::append(const QStringList &entries)
{
    if (entries.isEmpty())
        return;
    const int first = int(m_entries.size());
    beginInsertRows(QModelIndex(), first, first + int(entries.size()) - 1);
    m_entries.reserve(m_entries.size() + entries.size());
    for (const QString &e : entries) {
        m_entries.append(e);
        noteLonger(e);
        noteTextFiles(e, 1);
    }
    endInsertRows();
}

void QueueModel::insert(qsizetype i, const QString &entry)
{
    if (i < 0 || i > m_entries.size())
        return;
    beginInsertRows(QModelIndex(), int(i), int(i));
    m_entries.insert(i, entry);
    m_longestKnown = false;
    noteTextFiles(entry, 1);
    endInsertRows();
}

void QueueModel::removeAt(qsizetype i)
{
    if (i < 0 || i >= m_entries.size())
        return;
    beginRemoveRows(QModelIndex(), int(i), int(i));
    noteTextFiles(m_entries.at(i), -1);
    m_entries.removeAt(i);
    m_longestKnown = false;
    endRemoveRows();
}

void QueueModel::setEntries(const QStringList &entries)
{
    beginResetModel();
    m_entries = entries;
    m_longestKnown = false;
    m_textFiles = -1;
    endResetModel();
}

QString QueueModel::longestEntry() const
{
    if (!m_longestKnown) {
        m_longest = -1;
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            if (m_longest < 0 || m_entries.at(i).size() > m_entries.at(m_longest).size())
                m_longest = i;
        }
        m_longestKnown = true;
    }
    return m_longest >= 0 ? m_entries.at(m_longest) : QString();
}

} // namespace tess
