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
    nameBar();
}

void BarSplitter::showEvent(QShowEvent *event)
{
    QSplitter::showEvent(event);
    nameBar();
}

// The first handle (before the first pane) is never shown; the bar is the one after it. Panes
// that move take their handles with them, so the name goes to whichever handle is there now.
void BarSplitter::nameBar()
{
    for (int i = 0; i < count(); ++i) {
        const QString name = i == 1 ? m_barName : QString();
        if (handle(i)->objectName() != name)
            handle(i)->setObjectName(name);
    }
}

QSplitterHandle *BarSplitter::createHandle() { return new SplitterBar(orientation(), this); }

} // namespace tess
