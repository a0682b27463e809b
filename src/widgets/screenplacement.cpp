#include "widgets/screenplacement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

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

void centreOnScreen(QWidget *window, const QWidget *owner)
{
    QScreen *screen = owner ? owner->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
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
