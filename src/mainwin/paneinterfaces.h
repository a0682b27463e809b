#pragma once
// The main window's queue pane and file selector behind the interfaces features take.

#include "core/drawingqueue.h"
#include "core/fileselection.h"

#include <functional>

namespace tess {

class FileSelectorPane;
class QueuePane;

class PaneQueue final : public DrawingQueue
{
    Q_OBJECT
public:
    // refreshControls: brings the window's queue controls up to date after a change.
    PaneQueue(QueuePane *pane, std::function<void()> refreshControls, QObject *parent = nullptr);

    QStringList entries() const override;
    qsizetype count() const override;
    QStringList selectedEntries() const override;
    qsizetype add(const QStringList &candidates, bool report = true) override;
    qsizetype replace(const QStringList &entries, bool report = true) override;
    qsizetype remove(const QStringList &entries) override;

private:
    void afterChange();

    QueuePane *m_pane;
    std::function<void()> m_refreshControls;
};

class PaneFileSelection final : public FileSelection
{
    Q_OBJECT
public:
    explicit PaneFileSelection(FileSelectorPane *pane, QObject *parent = nullptr);

    QString drive() const override;
    QString folder() const override;
    QString fileListFolder() const override;
    QString filter() const override;
    QString filePattern() const override;
    QStringList selectedFiles() const override;
    QStringList listedFiles() const override;
    bool setFolder(const QString &folder) override;
    void setFilter(const QString &text) override;
    void refresh() override;

private:
    FileSelectorPane *m_pane;
};

} // namespace tess
