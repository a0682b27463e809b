#include "mainwin/controlstatetable.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace tess {

void ControlStateTable::resolve(const QWidget *root)
{
    m_controls.clear();
    for (QObject *o : root->findChildren<QObject *>()) {
        const QString name = o->objectName();
        if (name.isEmpty())
            continue;
        Control found;
        if (auto *menu = qobject_cast<QMenu *>(o))
            found = {menu->menuAction(), Kind::Menu};
        else if (qobject_cast<QAction *>(o))
            found = {o, Kind::Item};
        else if (o->isWidgetType())
            found = {o, Kind::Widget};
        else
            continue;
        auto it = m_controls.find(name);
        if (it == m_controls.end())
            m_controls.insert(name, found);
        else if (found.kind < it->kind || (found.kind == Kind::Menu && it->kind == Kind::Menu))
            *it = found;
    }
    m_resolved = true;
}

void ControlStateTable::setEnabled(const Control &control, bool on)
{
    if (!control.target)
        return;
    if (control.kind == Kind::Widget)
        static_cast<QWidget *>(control.target.data())->setEnabled(on);
    else
        static_cast<QAction *>(control.target.data())->setEnabled(on);
}

QStringList ControlStateTable::apply(const QList<QPair<QString, bool>> &states) const
{
    QStringList missing;
    for (const auto &entry : states) {
        const auto it = m_controls.constFind(entry.first);
        if (it == m_controls.cend())
            missing.append(entry.first);
        else
            setEnabled(*it, entry.second);
    }
    return missing;
}

void ControlStateTable::setEnabled(const QString &name, bool on) const
{
    const auto it = m_controls.constFind(name);
    if (it != m_controls.cend())
        setEnabled(*it, on);
}

} // namespace tess
