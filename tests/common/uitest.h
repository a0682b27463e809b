#pragma once
// Reaching a window's menu items and controls by object name, as the user reaches them by sight:
// a missing one fails the test at once, naming what was looked for.

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QObject>
#include <QTest>
#include <QWidget>
#include <qtestspontaneevent.h>

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

// The user's pick of an entry in a combo box's list (also of the entry it already shows).
inline void pickEntry(QComboBox *box, const QString &entry)
{
    const int i = box->findText(entry, Qt::MatchExactly);
    QVERIFY2(i >= 0, qPrintable(entry));
    box->setCurrentIndex(i);
    Q_EMIT box->activated(i);
}

// What the window system sends when the user presses the window's close box: a spontaneous
// close, which a window tells apart from a close() by its own code.
inline void pressCloseBox(QWidget *window)
{
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    static_cast<QObject *>(window)->event(&event);
}

} // namespace tess::test
