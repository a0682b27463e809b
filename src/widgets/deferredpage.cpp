#include "widgets/deferredpage.h"

#include "widgets/twips.h"

#include <QList>
#include <algorithm>

namespace tess {

DeferredPage::DeferredPage(const QString &name, const QList<Placement> &table, QWidget *parent)
    : QWidget(parent), m_table(table)
{
    setObjectName(name);
    // The rows of a frame's controls lie within the frame's row: the page's rows decide the extent.
    QRect controls;
    for (const Placement &p : table)
        controls |= placementRect(p, kTabStripTwips);
    keepMinimumAround(controls);
}

// The page keeps 120 twips free right of its controls.
void DeferredPage::keepMinimumAround(const QRect &controls)
{
    setMinimumSize(controls.right() + 1 + twipsToPixels(120), controls.bottom() + 1);
}

void DeferredPage::build()
{
    if (m_built)
        return;
    m_built = true;
    buildControls();
    const PlacementResult placed = placeControls(this, m_table, kTabStripTwips);
    Q_ASSERT_X(placed.missing.isEmpty(), qPrintable(objectName()), "a placed control is missing");
    keepMinimumAround(childrenRect());
    controlsPlaced();
    takePlaceInFocusOrder();
    if (isVisible()) {
        // Controls made under a shown page stay hidden unless shown, as a showing page does.
        for (QWidget *c : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!c->isWindow() && !c->testAttribute(Qt::WA_WState_ExplicitShowHide))
                c->show();
        }
    }
    Q_EMIT built();
}

void DeferredPage::showEvent(QShowEvent *event)
{
    build();
    QWidget::showEvent(event);
}

// New controls join the end of the window's focus chain; they move to just after the page, in the
// order they were made. A control with focusable parts (an editable list's text box) moves with
// its parts.
void DeferredPage::takePlaceInFocusOrder()
{
    QList<QWidget *> own;
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (std::none_of(own.cbegin(), own.cend(), [w](const QWidget *o) { return o->isAncestorOf(w); }))
            own.append(w);
    }
    if (own.isEmpty())
        return;
    // The chain is only reordered from a widget that takes focus; the page takes none.
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::TabFocus);
    QWidget *previous = this;
    for (QWidget *w : own) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    setFocusPolicy(policy);
}

} // namespace tess
