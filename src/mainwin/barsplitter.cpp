#include "mainwin/barsplitter.h"

#include <QMouseEvent>
#include <QPainter>

namespace tess {

SplitterBar::SplitterBar(Qt::Orientation o, QSplitter *parent) : QSplitterHandle(o, parent) {}

void SplitterBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_held ? QColor(Qt::black) : palette().color(QPalette::Button));
}

void SplitterBar::mousePressEvent(QMouseEvent *event)
{
    m_held = true;
    update();
    QSplitterHandle::mousePressEvent(event);
}

void SplitterBar::mouseReleaseEvent(QMouseEvent *event)
{
    QSplitterHandle::mouseReleaseEvent(event);
    m_held = false;
    update();
}

BarSplitter::BarSplitter(Qt::Orientation o, const QString &barName, QWidget *parent)
    : QSplitter(o, parent), m_barName(barName)
{
    setOpaqueResize(false);
    setChildrenCollapsible(false);
}

void BarSplitter::childEvent(QChildEvent *event)
{
    QSplitter::childEvent(event);
    // The first handle (before the first pane) is never shown; the bar is the one after it.
    if (count() >= 2 && handle(1)->objectName() != m_barName)
        handle(1)->setObjectName(m_barName);
}

QSplitterHandle *BarSplitter::createHandle() { return new SplitterBar(orientation(), this); }

} // namespace tess
