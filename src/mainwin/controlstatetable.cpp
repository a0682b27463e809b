#include "mainwin/controlstatetable.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace tess {

void ControlStateTable::resolve(const QWidget *root)
{
    m_setters.clear();
    // Menus first: a menu's state is its entry's on the bar or in its parent menu.
    for (QMenu *m : root->findChildren<QMenu *>()) {
        if (m->objectName().isEmpty())
            continue;
        QPointer<QAction> entry = m->menuAction();
        m_setters.insert(m->objectName(), [entry](bool on) {
            if (entry)
                entry->setEnabled(on);
        });
    }
    for (QAction *a : root->findChildren<QAction *>()) {
        if (a->objectName().isEmpty() || m_setters.contains(a->objectName()))
            continue;
        QPointer<QAction> action = a;
        m_setters.insert(a->objectName(), [action](bool on) {
            if (action)
                action->setEnabled(on);
        });
    }
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || m_setters.contains(w->objectName()) || qobject_cast<QMenu *>(w))
            continue;
        QPointer<QWidget> widget = w;
        m_setters.insert(w->objectName(), [widget](bool on) {
            if (widget)
                widget->setEnabled(on);
        });
    }
    m_resolved = true;
}

QStringList ControlStateTable::apply(const QList<QPair<QString, bool>> &states) const
{
    QStringList missing;
    for (const auto &entry : states) {
        const auto it = m_setters.constFind(entry.first);
        if (it == m_setters.cend())
            missing.append(entry.first);
        else
            (*it)(entry.second);
    }
    return missing;
}

void ControlStateTable::setEnabled(const QString &name, bool on) const
{
    const auto it = m_setters.constFind(name);
    if (it != m_setters.cend())
        (*it)(on);
}

} // namespace tess
