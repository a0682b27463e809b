#pragma once
// In-memory stand-ins for the main window's queue and file selection, for testing a feature
// without the main window. Each records what the feature did to it.

#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "core/queueops.h"

#include <QSet>

namespace tess::test {

class FakeQueue final : public DrawingQueue
{
public:
    explicit FakeQueue(QStringList entries = {}) : m_entries(std::move(entries)) {}

    QStringList entries() const override { return m_entries; }
    qsizetype count() const override { return m_entries.size(); }
    QStringList selectedEntries() const override { return selected; }
    qsizetype add(const QStringList &candidates, bool) override
    {
        const QueueEntryFilter f = filterQueueEntries(candidates);
        m_entries += f.accepted;
        ++changes;
        Q_EMIT changed();
        return f.accepted.size();
    }
    qsizetype replace(const QStringList &entries, bool) override
    {
        m_entries = filterQueueEntries(entries).accepted;
        ++changes;
        Q_EMIT changed();
        return m_entries.size();
    }
    qsizetype remove(const QStringList &entries) override
    {
        const QSet<QString> gone(entries.cbegin(), entries.cend());
        const qsizetype before = m_entries.size();
        m_entries.removeIf([&](const QString &e) { return gone.contains(e); });
        ++changes;
        Q_EMIT changed();
        return before - m_entries.size();
    }
    // Sets the entries without counting a change.
    void setEntries(const QStringList &entries) { m_entries = entries; }

    QStringList selected;
    int changes = 0; // calls of add, replace and remove

private:
    QStringList m_entries;
};

class FakeFileSelection final : public FileSelection
{
public:
    QString drive() const override { return driveName; }
    QString folder() const override { return folderPath; }
    QString fileListFolder() const override { return folderPath; }
    QString filter() const override { return filterText; }
    QString filePattern() const override { return filterText; }
    QStringList selectedFiles() const override { return selected; }
    QStringList listedFiles() const override { return listed; }
    bool setFolder(const QString &folder) override
    {
        folderPath = folder;
        Q_EMIT folderChanged(folder);
        return true;
    }
    void setFilter(const QString &text) override { filterText = text; }
    void refresh() override { ++refreshes; }

    QString driveName;
    QString folderPath;
    QString filterText;
    QStringList selected;
    QStringList listed;
    int refreshes = 0;
};

} // namespace tess::test
