#pragma once
// A splitter whose bar turns black while it is held and returns to the button-face colour when it
// is let go; the panes follow once, on release (no live resizing while dragging).

#include <QSplitter>
#include <QSplitterHandle>

namespace tess {

class SplitterBar final : public QSplitterHandle
{
    Q_OBJECT
public:
    SplitterBar(Qt::Orientation o, QSplitter *parent);
    bool isHeld() const { return m_held; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_held = false;
};

class BarSplitter final : public QSplitter
{
    Q_OBJECT
public:
    // barName: the object name of the bar (the handle after the first pane).
    BarSplitter(Qt::Orientation o, const QString &barName, QWidget *parent = nullptr);

protected:
    QSplitterHandle *createHandle() override;
    void childEvent(QChildEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void nameBar();

    QString m_barName;
};

} // namespace tess
