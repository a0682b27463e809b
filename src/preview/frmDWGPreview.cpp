#include "preview/frmDWGPreview.h"

#include "core/settingskeys.h"
#include "preview/dwgthumbnail.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"
#include "widgets/windowstacking.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace tess {

namespace {

QPointer<QWidget> s_owner;
QPointer<frmDWGPreview> s_instance;

// Client area at first opening, and the smallest window: 3640 x 2551 twips outside, of which the
// border and title bar take 150 x 375.
constexpr int kClientWidthTwips = 3720;
constexpr int kClientHeightTwips = 2265;
constexpr int kMinClientWidthTwips = 3640 - 150;
constexpr int kMinClientHeightTwips = 2551 - 375;

// Stored positions far outside any screen are held to this range before they become pixels, so
// the conversion never overflows; such a window is brought back on screen anyway.
constexpr int kMaxPositionTwips = 10'000'000;

constexpr int kDefaultPositionTwips = 1000;

} // namespace

void frmDWGPreview::setOwner(QWidget *owner)
{
    s_owner = owner;
    if (s_instance && s_instance->parentWidget() != owner) {
        // A new owner hides the window (a new native window): an open one opens again where it
        // was, above the new owner.
        const bool open = s_instance->isOpen();
        const QPoint at = outerGeometry(s_instance).topLeft();
        const Qt::WindowFlags flags = s_instance->windowFlags();
        s_instance->setParent(owner, flags);
        if (open) {
            placeWindow(s_instance, at);
            s_instance->showAboveOwner();
        }
    }
}

frmDWGPreview *frmDWGPreview::instance()
{
    if (!s_instance) {
        s_instance = new frmDWGPreview(s_owner);
        if (!s_owner) {
            // Without an owner the window goes with the application object.
            qAddPostRoutine([] {
                if (s_instance && !s_instance->parentWidget())
                    delete s_instance.data();
            });
        }
    }
    return s_instance;
}

frmDWGPreview *frmDWGPreview::loadedInstance() { return s_instance; }

frmDWGPreview::frmDWGPreview(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmDWGPreview"));
    setWindowTitle(QStringLiteral(" Preview"));
    // A click in a list shows the preview without taking the focus from that list.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    DwgThumbnail1 = new DwgThumbnail(this);
    layout->addWidget(DwgThumbnail1);
    setMinimumSize(twipsToPixelsAtLeast(kMinClientWidthTwips), twipsToPixelsAtLeast(kMinClientHeightTwips));
    resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    Form_Load();
}

frmDWGPreview::~frmDWGPreview() = default;

void frmDWGPreview::Form_Load() { ClearWindowTopmost(this); }

void frmDWGPreview::moveToTwips(int left, int top)
{
    m_storedLeft = std::clamp(left, -kMaxPositionTwips, kMaxPositionTwips);
    m_storedTop = std::clamp(top, -kMaxPositionTwips, kMaxPositionTwips);
    const QPoint wanted(twipsToPixels(m_storedLeft), twipsToPixels(m_storedTop));
    placeWindow(this, wanted);
}

void frmDWGPreview::showAtStoredPosition()
{
    if (!isVisible() && !m_showPending) {
        // A stored value that is not a whole number counts as the default.
        moveToTwips(readOtherNumber(OtherKeys::DWGPreviewLeft), readOtherNumber(OtherKeys::DWGPreviewTop));
    }
    showAboveOwner();
}

void frmDWGPreview::showAboveOwner()
{
    // A window manager keeps a tool window above its owner only when it knew the owner when the
    // tool window came: while the owner is not yet on the screen, the window waits for it.
    QWindow *owner = parentWidget() ? parentWidget()->window()->windowHandle() : nullptr;
    if (owner && parentWidget()->isVisible() && !owner->isExposed()) {
        if (!m_showPending) {
            m_showPending = true;
            owner->installEventFilter(this);
        }
        return;
    }
    m_showPending = false;
    show();
    // Shown again while behind another window: to the front, without the focus.
    raise();
}

bool frmDWGPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && m_showPending) {
        auto *owner = qobject_cast<QWindow *>(watched);
        if (owner && owner->isExposed()) {
            owner->removeEventFilter(this);
            // After the owner's own handling of its exposure.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_showPending)
                        showAboveOwner();
                },
                Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmDWGPreview::Form_Unload()
{
    m_showPending = false;
    if (isVisible()) {
        const QPoint p = outerGeometry(this).topLeft();
        m_storedLeft = keepTwips(m_storedLeft, p.x());
        m_storedTop = keepTwips(m_storedTop, p.y());
        writeOtherSetting(OtherKeys::DWGPreviewLeft, m_storedLeft);
        writeOtherSetting(OtherKeys::DWGPreviewTop, m_storedTop);
    }
    ClearWindowTopmost(this);
    hide();
}

void frmDWGPreview::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    // Closed by the user the window starts afresh at its next use: no drawing shown.
    DwgThumbnail1->setDrawingPath(QString());
    event->accept();
}

void frmDWGPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Made smaller than its minimum where nothing holds it there (no window manager): it springs back.
    if (size().expandedTo(minimumSize()) != size())
        QMetaObject::invokeMethod(
            this, [this] { resize(size().expandedTo(minimumSize())); }, Qt::QueuedConnection);
}

void frmDWGPreview::resetStoredPosition()
{
    writeOtherSetting(OtherKeys::DWGPreviewLeft, kDefaultPositionTwips);
    writeOtherSetting(OtherKeys::DWGPreviewTop, kDefaultPositionTwips);
    if (s_instance && s_instance->isVisible())
        s_instance->moveToTwips(kDefaultPositionTwips, kDefaultPositionTwips);
}

void cmdDWGPreviewShow_Click()
{
    frmDWGPreview *loaded = frmDWGPreview::loadedInstance();
    if (loaded && loaded->isOpen())
        loaded->Form_Unload();
    else
        frmDWGPreview::instance()->showAtStoredPosition();
}

void ShowDrawingPreview(const QString &drawingPath)
{
    frmDWGPreview *window = frmDWGPreview::instance();
    QWidget *active = QApplication::activeWindow();
    window->showAtStoredPosition();
    // Where the platform activates a window it shows anyway, the window clicked in asks for the
    // focus back (after the preview's activation, which may still be on its way).
    if (active && active != window)
        active->activateWindow();
    window->DwgThumbnail1->setDrawingPath(drawingPath);
}

} // namespace tess
