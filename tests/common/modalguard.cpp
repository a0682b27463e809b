#include "modalguard.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tess::test {

ModalGuard::ModalGuard(int timeoutMs) : m_timeoutMs(timeoutMs)
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, &m_context, [this] { poll(); });
    m_timer.start();
}

ModalGuard::~ModalGuard()
{
    m_timer.stop();
    while (QWidget *w = QApplication::activeModalWidget()) {
        fail(QStringLiteral("modal window %1 still open at the end of the test: closed").arg(describe(w)));
        closeWindow(w);
        if (QApplication::activeModalWidget() == w)
            break; // it refuses to close; nothing more to do
    }
    if (!m_actions.isEmpty())
        fail(QStringLiteral("%1 expected modal window(s) never opened").arg(m_actions.size()));
}

void ModalGuard::answerNextModal(std::function<void(QWidget *)> act) { m_actions.append(std::move(act)); }

QString ModalGuard::describe(const QWidget *w)
{
    return QStringLiteral("\"%1\" (%2)").arg(w->windowTitle(), QLatin1String(w->metaObject()->className()));
}

void ModalGuard::closeWindow(QWidget *w)
{
    if (auto *dialog = qobject_cast<QDialog *>(w))
        dialog->reject();
    else
        w->close();
}

void ModalGuard::fail(const QString &message)
{
    m_failures.append(message);
    QTest::qFail(qPrintable(message), __FILE__, __LINE__);
}

void ModalGuard::forgetClosed(const QWidget *closing)
{
    m_seen.removeIf([closing](const Seen &s) {
        const bool closed = !s.window || s.window == closing || !s.window->isVisible();
        if (closed)
            QObject::disconnect(s.hidden);
        return closed;
    });
}

void ModalGuard::poll()
{
    forgetClosed(nullptr);
    QWidget *top = QApplication::activeModalWidget();
    if (!top)
        return;
    auto it = std::find_if(m_seen.begin(), m_seen.end(), [top](const Seen &s) { return s.window == top; });
    if (it == m_seen.end()) {
        Seen s{top, {}, {}};
        s.since.start();
        // Forget the window as soon as it hides, even between two polls: a dialog shown again is a
        // new modal window.
        if (QWindow *handle = top->windowHandle())
            s.hidden = QObject::connect(handle, &QWindow::visibleChanged, &m_context, [this, top](bool visible) {
                if (!visible)
                    forgetClosed(top);
            });
        m_seen.append(s);
        ++m_opened;
        if (!m_actions.isEmpty()) {
            // Run from the event loop, not from this timer, so the action may open further modal
            // windows that the timer still watches.
            QPointer<QWidget> window = top;
            QMetaObject::invokeMethod(
                &m_context,
                [window, act = m_actions.takeFirst()] {
                    if (window)
                        act(window);
                },
                Qt::QueuedConnection);
        }
        return;
    }
    if (it->since.elapsed() > m_timeoutMs) {
        fail(QStringLiteral("modal window %1 still open after %2 ms: closed by the watchdog")
                 .arg(describe(top))
                 .arg(m_timeoutMs));
        it->since.restart(); // one report per timeout if it refuses to close
        closeWindow(top);
    }
}

} // namespace tess::test
