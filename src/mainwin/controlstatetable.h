#pragma once
// Applies enabled states by control name. The names are resolved once against a window (widgets,
// menus and menu items by object name); resolving again is needed only after controls were added.

#include <QHash>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QStringList>

class QObject;
class QWidget;

namespace tess {

class ControlStateTable
{
public:
    // Finds every named widget, menu and menu item below root, in one walk over the window. A
    // name that several controls share stands for a menu (the last found) before a menu item (the
    // first found) before a widget (the first found).
    void resolve(const QWidget *root);
    bool isResolved() const { return m_resolved; }
    void invalidate() { m_resolved = false; }

    // Sets the enabled state of each named control that exists; returns the names not found.
    QStringList apply(const QList<QPair<QString, bool>> &states) const;
    void setEnabled(const QString &name, bool on) const;
    bool contains(const QString &name) const { return m_controls.contains(name); }

private:
    // A menu's state is its entry's (on the bar or in its parent menu): an action, as an item's.
    enum class Kind { Menu, Item, Widget };
    struct Control {
        QPointer<QObject> target; // the action (of a menu or an item) or the widget
        Kind kind;
    };
    static void setEnabled(const Control &control, bool on);

    QHash<QString, Control> m_controls;
    bool m_resolved = false;
};

} // namespace tess
