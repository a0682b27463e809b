#pragma once
// Reaching a window's menu items and controls by object name, as the user reaches them by sight:
// a missing one fails the running test, naming what was looked for, and the other tests still run.

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QObject>
#include <QTest>
#include <QWidget>
#include <qtestspontaneevent.h>
#include <type_traits>

namespace tess::test {

// What a look-up gives for a control that is missing, after it failed the test: a nameless stand-in
// of the type asked for, owned by root (hidden, when a widget), so that the lines after the look-up
// run harmlessly to the test's next check instead of dereferencing nothing.
template <class T> T *standIn(const QObject *root)
{
    auto *owner = const_cast<QObject *>(root);
    if constexpr (std::is_base_of_v<QWidget, T>) {
        auto *parent = qobject_cast<QWidget *>(owner);
        T *c = new T(parent);
        if (!parent) // no widget to own it: it goes with root all the same
            QObject::connect(owner, &QObject::destroyed, c, [c] { delete c; });
        return c;
    } else {
        return new T(owner);
    }
}

// Fails the running test: no object of kind `kind` named `name` under root.
inline void failMissing(const char *kind, const char *name, const QObject *root)
{
    QTest::qFail(qPrintable(QStringLiteral("no %1 named %2 under %3")
                                .arg(QLatin1String(kind), QLatin1String(name), root->objectName())),
                 __FILE__, __LINE__);
}

// The menu item named `name` under root (a window and the menus it owns); a missing one fails the test.
inline QAction *findAction(const QObject &root, const char *name)
{
    auto *a = root.findChild<QAction *>(QLatin1String(name));
    if (!a) {
        failMissing("menu item", name, &root);
        return standIn<QAction>(&root);
    }
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

// The control of type T named `name` under root; a missing one fails the test.
template <class T> T *child(const QObject *root, const char *name)
{
    auto *c = root->findChild<T *>(QLatin1String(name));
    if (!c) {
        failMissing(T::staticMetaObject.className(), name, root);
        return standIn<T>(root);
    }
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
