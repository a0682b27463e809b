#include "widgets/screenplacement.h"

#include <QApplication>
#include <QBasicTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QTimerEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <limits>
#include <optional>

namespace tess {

namespace {
// What must lie on a screen for the user to reach the window: this much of its title bar.
constexpr int kGripWidth = 40;
constexpr int kGripHeight = 16;

qint64 distanceTo(const QRect &area, const QPoint &p)
{
    const qint64 dx = p.x() < area.left() ? area.left() - p.x() : (p.x() > area.right() ? p.x() - area.right() : 0);
    const qint64 dy = p.y() < area.top() ? area.top() - p.y() : (p.y() > area.bottom() ? p.y() - area.bottom() : 0);
    return dx * dx + dy * dy;
}
} // namespace

QPoint keepOnScreen(const QPoint &topLeft, const QSize &frameSize)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return topLeft;
    const QRect titleBar(topLeft, QSize(std::max(frameSize.width(), 1), kGripHeight));
    QRect nearest;
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QScreen *screen : screens) {
        const QRect area = screen->availableGeometry();
        const QRect grip = area.intersected(titleBar);
        if (grip.width() >= std::min(kGripWidth, titleBar.width()) && grip.height() >= kGripHeight)
            return topLeft;
        const qint64 d = distanceTo(area, topLeft);
        if (d < best) {
            best = d;
            nearest = area;
        }
    }
    // Whole on that screen when it fits; otherwise its top left corner at the screen's.
    const int x = std::max(nearest.left(), std::min(topLeft.x(), nearest.right() + 1 - frameSize.width()));
    const int y = std::max(nearest.top(), std::min(topLeft.y(), nearest.bottom() + 1 - frameSize.height()));
    return {x, y};
}

namespace {

// The frame last seen on a window of the program that the window manager had framed.
QMargins s_lastFrame;

QSize sizeOf(const QMargins &m) { return {m.left() + m.right(), m.top() + m.bottom()}; }

// The window's own frame once the window manager has framed it (and remembered for the windows that
// come next); nothing before that, and nothing where no window manager frames windows.
std::optional<QMargins> ownFrame(const QWidget *window)
{
    if (!window->isVisible() || !window->windowHandle())
        return std::nullopt;
    const QMargins m = window->windowHandle()->frameMargins();
    if (m.isNull())
        return std::nullopt;
    s_lastFrame = m;
    return m;
}

// The outer rectangle wanted for a given frame.
using OuterFor = std::function<QRect(const QMargins &frame)>;

// Holds the place last asked for a window until the window's own frame is known, then places the
// window again by that frame when it is not the one assumed.
class FramePlacer final : public QObject
{
public:
    static FramePlacer *of(QWidget *window)
    {
        if (FramePlacer *placer = existing(window))
            return placer;
        return new FramePlacer(window);
    }

    // The placer of a window that has one, else null.
    static FramePlacer *existing(const QWidget *window)
    {
        for (QObject *child : window->children()) {
            if (auto *placer = dynamic_cast<FramePlacer *>(child))
                return placer;
        }
        return nullptr;
    }

    // A place still waiting for the window's frame takes it now when the frame is known: what is
    // read of the window then is where it stands framed, even before the next turn of the event loop.
    void settle()
    {
        if (!m_outer)
            return;
        const std::optional<QMargins> frame = ownFrame(m_window);
        if (!frame)
            return;
        if (*frame != m_assumed)
            apply(*frame);
        m_timer.stop();
        m_outer = nullptr;
    }

    void request(OuterFor outer, const QSize &leastOuter)
    {
        m_outer = std::move(outer);
        m_least = leastOuter;
        m_timer.stop();
        if (const std::optional<QMargins> frame = ownFrame(m_window)) {
            apply(*frame);
            m_outer = nullptr;
            return;
        }
        m_assumed = s_lastFrame;
        apply(m_assumed);
        if (m_window->isVisible())
            watch();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_outer)
            watch();
        return false;
    }

    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() != m_timer.timerId())
            return QObject::timerEvent(event);
        if (!m_window->isVisible()) {
            // Hidden before it was framed: the place waits for the next showing.
            m_timer.stop();
            return;
        }
        const std::optional<QMargins> frame = ownFrame(m_window);
        if (!frame && ++m_ticks < kTicks)
            return;
        // Framed, or nothing framed it in time (no window manager, or one without frames).
        const QMargins actual = frame.value_or(QMargins());
        if (actual != m_assumed)
            apply(actual);
        m_timer.stop();
        m_outer = nullptr;
    }

private:
    // How long, after its showing, a window waits to be framed: kTicks x kTick ms.
    static constexpr int kTick = 20;
    static constexpr int kTicks = 100;

    explicit FramePlacer(QWidget *window) : QObject(window), m_window(window) { window->installEventFilter(this); }

    void watch()
    {
        m_ticks = 0;
        m_timer.start(kTick, this);
    }

    void apply(const QMargins &frame)
    {
        const QSize frameSize = sizeOf(frame);
        if (m_least.isValid())
            m_window->setMinimumSize((m_least - frameSize).expandedTo(QSize(0, 0)));
        const QRect outer = m_outer(frame);
        const QPoint topLeft = keepOnScreen(outer.topLeft(), outer.size());
        // The client's own rectangle: Qt places it as given, and the window manager keeps the
        // client where it asked to be, the frame around it.
        const QSize client = (outer.size() - frameSize).expandedTo(m_window->minimumSize());
        m_window->setGeometry(QRect(topLeft + QPoint(frame.left(), frame.top()), client));
    }

    QWidget *m_window;
    OuterFor m_outer;
    QSize m_least;
    QMargins m_assumed;
    QBasicTimer m_timer;
    int m_ticks = 0;
};

QScreen *screenOf(const QWidget *window, const QWidget *owner)
{
    QScreen *screen = owner ? owner->screen() : window->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

QMargins frameMargins(const QWidget *window) { return ownFrame(window).value_or(s_lastFrame); }

QRect outerGeometry(const QWidget *window)
{
    if (FramePlacer *placer = FramePlacer::existing(window))
        placer->settle();
    const QMargins frame = frameMargins(window);
    if (window->isMinimized() || window->isMaximized() || window->isFullScreen()) {
        // The place and size the window comes back to, with its frame.
        const QRect normal = window->normalGeometry();
        if (normal.isValid())
            return normal.marginsAdded(frame);
    }
    return window->geometry().marginsAdded(frame);
}

void placeWindow(QWidget *window, const QPoint &topLeft, const QSize &outerSize, const QSize &leastOuter)
{
    // Without a size the client keeps its own, whatever the frame turns out to be.
    const QSize client = window->size();
    FramePlacer::of(window)->request(
        [topLeft, outerSize, client](const QMargins &frame) {
            return QRect(topLeft, outerSize.isValid() ? outerSize : client + sizeOf(frame));
        },
        leastOuter);
}

void centreOnScreen(QWidget *window, const QWidget *owner)
{
    QScreen *screen = screenOf(window, owner);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize client = window->size();
    FramePlacer::of(window)->request(
        [area, client](const QMargins &frame) {
            QRect outer(QPoint(0, 0), client + sizeOf(frame));
            outer.moveCenter(area.center());
            return outer;
        },
        QSize());
}

QString elideForMessageBox(const QString &line)
{
    // A message box wraps its text at half the screen's width, at most 500 pixels.
    QScreen *screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const int limit = std::min(screenWidth / 2, 500);
    return QFontMetrics(QApplication::font("QMessageBox")).elidedText(line, Qt::ElideMiddle, limit);
}

} // namespace tess
