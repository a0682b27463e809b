#pragma once
// Reaching a window's menu items and controls by object name, as the user reaches them by sight:
// a missing one fails the test at once, naming what was looked for.

#include <QAction>
#include <QObject>
#include <QTest>

namespace tess::test {

// The menu item named `name` under root (a window and the menus it owns).
inline QAction *findAction(const QObject &root, const char *name)
{
    auto *a = root.findChild<QAction *>(QLatin1String(name));
    if (!a)
        qFatal("no menu item %s under %s", name, qPrintable(root.objectName()));
    return a;
}
inline QAction *findAction(const QObject *root, const char *name) { return findAction(*root, name); }

// Chooses the menu item as a user would: false, with the test failed, when it is missing or
// disabled (a user could not choose it). Use as QVERIFY(triggerAction(w, "mnuX")).
inline bool triggerAction(const QObject &root, const char *name)
{
    auto *a = root.findChild<QAction *>(QLatin1String(name));
    if (!a) {
        QTest::qFail(qPrintable(QStringLiteral("no menu item %1").arg(QLatin1String(name))), __FILE__, __LINE__);
        return false;
    }
    if (!a->isEnabled()) {
        QTest::qFail(qPrintable(QStringLiteral("menu item %1 is disabled").arg(QLatin1String(name))), __FILE__,
                     __LINE__);
        return false;
    }
    a->trigger();
    return true;
}
inline bool triggerAction(const QObject *root, const char *name) { return triggerAction(*root, name); }

// The control of type T named `name` under root.
template <class T> T *child(const QObject *root, const char *name)
{
    auto *c = root->findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("no %s named %s in %s", T::staticMetaObject.className(), name, qPrintable(root->objectName()));
    return c;
}

} // namespace tess::test
