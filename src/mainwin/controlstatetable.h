#pragma once
// Applies enabled states by control name. The names are resolved once against a window (widgets,
// menus and menu items by object name); resolving again is needed only after controls were added.

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace tess {

class ControlStateTable
{
public:
    // Finds every named widget, menu and menu item below root.
    void resolve(const QWidget *root);
    bool isResolved() const { return m_resolved; }
    void invalidate() { m_resolved = false; }

    // Sets the enabled state of each named control that exists; returns the names not found.
    QStringList apply(const QList<QPair<QString, bool>> &states) const;
    void setEnabled(const QString &name, bool on) const;
    bool contains(const QString &name) const { return m_setters.contains(name); }

private:
    QHash<QString, std::function<void(bool)>> m_setters;
    bool m_resolved = false;
};

} // namespace tess
