#pragma once
// Drives the modal windows of a GUI test. Each queued action acts on the next modal window that
// opens; a watchdog fails the test and closes any modal window that stays open too long, so a
// test never waits for a person.

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

namespace tess::test {

// Declared in a test before the code that opens dialogs:
//     test::ModalGuard modals;
//     modals.answerNextModal([](QWidget *dialog) {
//         QCOMPARE(dialog->windowTitle(), QStringLiteral("Options"));
//         dialog->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
//     });
//     window.mnuOptions->trigger(); // runs the dialog's exec(); the action answers it
//     QVERIFY(modals.allAnswered());
// A modal window is the one on top of QApplication::activeModalWidget(), found by a short timer
// while its exec() (or any event loop) runs. The watchdog: a modal window still open `timeoutMs`
// after it came up (answered or not) fails the test (QTest::qFail) and is closed (rejected when
// it is a dialog). On destruction a modal window still open fails and is closed too, and so does
// a queued action that no window used.
class ModalGuard
{
public:
    explicit ModalGuard(int timeoutMs = 5000);
    ~ModalGuard();
    ModalGuard(const ModalGuard &) = delete;
    ModalGuard &operator=(const ModalGuard &) = delete;

    // Queues an action for the next modal window that opens; actions are used in order, one per
    // window. The action runs from the window's own event loop, so it may open further modal windows
    // (which the next queued actions answer) and must close its window for exec() to return. A
    // failing QVERIFY inside an action leaves the action only; the watchdog then closes the window.
    void answerNextModal(std::function<void(QWidget *dialog)> act);

    // True when every queued action was used.
    bool allAnswered() const { return m_actions.isEmpty(); }
    // How many modal windows have opened since the guard was made.
    int opened() const { return m_opened; }
    // What the watchdog reported, in order (each also failed the test).
    const QStringList &failures() const { return m_failures; }

private:
    struct Seen {
        QPointer<QWidget> window;
        QElapsedTimer since;
        QMetaObject::Connection hidden;
    };

    void poll();
    // Drops the closing window and those deleted or hidden meanwhile from the open ones.
    void forgetClosed(const QWidget *closing);
    void fail(const QString &message);
    static QString describe(const QWidget *w);
    static void closeWindow(QWidget *w);

    int m_timeoutMs;
    QObject m_context; // receives the queued actions; they die with the guard
    QTimer m_timer;
    QList<std::function<void(QWidget *)>> m_actions;
    QList<Seen> m_seen; // modal windows open now, as first seen
    QStringList m_failures;
    int m_opened = 0;
};

} // namespace tess::test
