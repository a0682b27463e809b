#include "mainwin/mainlayout.h"

#include "core/mainsettings.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <algorithm>
#include <utility>

namespace tess {

namespace {

// The outer size in pixels of a stored size: never below the least whole pixels of the minimum,
// so a window at its smallest stores no less than the minimum.
int sizeToPixels(int twips, int minTwips) { return std::max(twipsToPixels(twips), twipsToPixelsAtLeast(minTwips)); }

// A place off every screen comes to the top left of the primary screen's free area; a size far
// larger than the screen it opens on shrinks to that area (never below the window's minimum). The
// exit then stores what is shown.
void fitOnScreen(QPoint &place, QSize &outer)
{
    QScreen *screen = QGuiApplication::screenAt(place);
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        place = screen->availableGeometry().topLeft();
    }
    // A window somewhat larger than its screen is kept as stored (it may span screens); one more
    // than twice as large comes down to the screen's free area.
    const QRect area = screen->availableGeometry();
    const QSize least = MainLayout::leastOuterSize();
    if (outer.width() > 2 * area.width())
        outer.setWidth(std::max(area.width(), least.width()));
    if (outer.height() > 2 * area.height())
        outer.setHeight(std::max(area.height(), least.height()));
}

} // namespace

MainLayout::MainLayout(QMainWindow *window, QSplitter *picture2, QSplitter *picture3)
    : QObject(window), m_window(window), m_split2(picture2), m_split3(picture3)
{
    // A bar let go (or pushed by a shrinking window) keeps its new place; the limits apply at once.
    for (QSplitter *split : {m_split2, m_split3})
        connect(split, &QSplitter::splitterMoved, this, &MainLayout::syncDividers);
}

void MainLayout::load(const MainSettings &s)
{
    m_p2 = s.HDividerTop > 0 ? s.HDividerTop : kDefaultBarTop;
    m_p3 = s.HLeftDividerTop > 0 ? s.HLeftDividerTop : kDefaultBarTop;
    m_storedP2 = s.HDividerTop;
    m_storedP3 = s.HLeftDividerTop;
    // Places and sizes far beyond any screen are cut to a range whose pixels are still whole
    // numbers (the window then comes on screen below); a stored size below the minimum stands for
    // the minimum.
    constexpr int kFar = 1000000;
    m_storedLeft = std::clamp(int(s.LeftCoord), -kFar, kFar);
    m_storedTop = std::clamp(int(s.TopCoord), -kFar, kFar);
    m_storedWidth = std::clamp(int(s.FormWidth), kMinWidthTwips, kFar);
    m_storedHeight = std::clamp(int(s.FormHeight), kMinHeightTwips, kFar);

    QSize outer(sizeToPixels(m_storedWidth, kMinWidthTwips), sizeToPixels(m_storedHeight, kMinHeightTwips));
    QPoint place(twipsToPixels(m_storedLeft), twipsToPixels(m_storedTop));
    fitOnScreen(place, outer);
    // A stored left and top of 0 are a place like any other.
    tess::placeWindow(m_window, place, outer, leastOuterSize());
    if (m_dividersApplied)
        applyDividers();
}

void MainLayout::store(MainSettings &s) const
{
    s.HDividerTop = barTop(m_split2, m_p2, m_storedP2);
    s.HLeftDividerTop = barTop(m_split3, m_p3, m_storedP3);
    const QRect g = outerGeometry(m_window);
    s.LeftCoord = keepTwips(m_storedLeft, g.left());
    s.TopCoord = keepTwips(m_storedTop, g.top());
    s.FormWidth = sizeToPixels(m_storedWidth, kMinWidthTwips) == g.width() ? m_storedWidth : pixelsToTwips(g.width());
    s.FormHeight =
        sizeToPixels(m_storedHeight, kMinHeightTwips) == g.height() ? m_storedHeight : pixelsToTwips(g.height());
}

bool MainLayout::placeWindow(int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    if (m_window->isMinimized() || m_window->isMaximized())
        return false;
    m_storedLeft = leftTwips;
    m_storedTop = topTwips;
    m_storedWidth = std::max(widthTwips, kMinWidthTwips);
    m_storedHeight = std::max(heightTwips, kMinHeightTwips);
    const QSize outer(sizeToPixels(m_storedWidth, kMinWidthTwips), sizeToPixels(m_storedHeight, kMinHeightTwips));
    tess::placeWindow(m_window, QPoint(twipsToPixels(leftTwips), twipsToPixels(topTwips)), outer, leastOuterSize());
    return true;
}

// The bar's top in twips: where it stands once laid out, else where it is wanted.
int MainLayout::barTop(const QSplitter *split, int wanted, int stored) const
{
    if (!m_dividersApplied)
        return wanted;
    const QWidget *bar = split->handle(1);
    const int pixels = bar->mapTo(m_window->centralWidget(), QPoint(0, 0)).y();
    return keepTwips(stored > 0 ? stored : wanted, pixels);
}

int MainLayout::hDividerTop() const { return barTop(m_split2, m_p2, m_storedP2); }
int MainLayout::hLeftDividerTop() const { return barTop(m_split3, m_p3, m_storedP3); }

void MainLayout::setHDividerTop(int twips)
{
    m_p2 = std::max(twips, kP2Min);
    if (m_dividersApplied)
        applyDividers();
}

void MainLayout::setHLeftDividerTop(int twips)
{
    m_p3 = std::max(twips, kP3Min);
    if (m_dividersApplied)
        applyDividers();
}

// The smallest window is 13084 x 10130 twips outside, rounded up, so a window at its smallest
// stores no less.
QSize MainLayout::leastOuterSize()
{
    return {twipsToPixelsAtLeast(kMinWidthTwips), twipsToPixelsAtLeast(kMinHeightTwips)};
}

void MainLayout::windowShown()
{
    m_firstShow = false;
    applyDividers();
}

void MainLayout::windowResized()
{
    if (m_window->isMinimized())
        return;
    // Made smaller than its minimum (without a window manager nothing else stops that), the window
    // goes back to the minimum, and the bars to where they stood: the squeezed layout moved them.
    const QSize least = m_window->minimumSize();
    const QSize now = m_window->size();
    if (!m_firstShow && (now.width() < least.width() || now.height() < least.height())) {
        m_restoreBars = true;
        if (!m_window->isMaximized() && !m_window->isFullScreen())
            m_window->resize(now.expandedTo(least));
        return;
    }
    if (std::exchange(m_restoreBars, false)) {
        applyDividers();
        return;
    }
    syncDividers();
}

// Takes the bars' places as they stand now and applies the limits to them.
void MainLayout::syncDividers()
{
    if (!m_dividersApplied || !m_window->isVisible())
        return;
    m_p2 = hDividerTop();
    m_p3 = hLeftDividerTop();
    applyDividers();
}

// Puts the bars at the wanted tops. A bar that would leave too little room below it jumps up;
// none goes above its top limit (the splitters hold the panes' minimum sizes).
void MainLayout::applyDividers()
{
    if (!m_window->isVisible())
        return;
    QWidget *central = m_window->centralWidget();
    central->layout()->activate();
    const int outerHeight = pixelsToTwips(outerGeometry(m_window).height());
    int p2 = std::max(m_p2, kP2Min);
    if (outerHeight - p2 < kP2BelowMin)
        p2 = std::max(kP2Min, outerHeight - 5500);
    int p3 = std::max(m_p3, kP3Min);
    if (outerHeight - p3 < kP3BelowMin)
        p3 = std::max(kP3Min, outerHeight - 3050);

    auto place = [central](QSplitter *split, int twips) {
        const int total = split->orientation() == Qt::Vertical ? split->height() : split->width();
        const int splitTop = split->mapTo(central, QPoint(0, 0)).y();
        const int first = std::max(0, twipsToPixels(twips) - splitTop);
        split->setSizes({first, std::max(0, total - first - split->handleWidth())});
    };
    place(m_split2, p2);
    place(m_split3, p3);
    // A bar that had to jump stays where it landed.
    m_p2 = p2;
    m_p3 = p3;
    m_dividersApplied = true;
}

} // namespace tess
