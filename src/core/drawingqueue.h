#pragma once
// The drawing queue as features see it, whichever widget shows it: its entries and selection,
// the ways into and out of it, and a signal when its entries change. The main window provides
// it; features never look into the queue pane's controls.

#include <QObject>
#include <QStringList>

namespace tess {

class DrawingQueue : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~DrawingQueue() override = default;

    virtual QStringList entries() const = 0;
    virtual qsizetype count() const = 0;
    // The selected entries in queue order.
    virtual QStringList selectedEntries() const = 0;

    // Every change refuses empty entries and those holding a double quote or a control character
    // (naming them in a message when report is set), leaves the queue no longer marked as a
    // loaded list and brings the queue's controls up to date.
    // Appends the accepted candidates in their order; returns how many were appended.
    virtual qsizetype add(const QStringList &candidates, bool report = true) = 0;
    // Replaces every entry; returns the number of entries now queued.
    virtual qsizetype replace(const QStringList &entries, bool report = true) = 0;
    // Takes out every entry equal to one of these; returns how many went.
    virtual qsizetype remove(const QStringList &entries) = 0;

Q_SIGNALS:
    // The entries changed, by whatever means (the user's edits included).
    void changed();
};

} // namespace tess
