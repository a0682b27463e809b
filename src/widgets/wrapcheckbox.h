#pragma once
// A check box whose caption breaks into lines where it is wider than the box, as the design's
// narrow boxes show it; its text stays the caption exactly as given.

#include <QCheckBox>

namespace tess {

class WrapCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    // preferredWidth: the box's width in pixels (indicator and caption) that its size hint asks for.
    WrapCheckBox(const QString &text, int preferredWidth, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }

private:
    int indicatorSpace() const;
    QRect captionRect(int textWidth) const;
    int m_preferredWidth;
};

} // namespace tess
