#pragma once
// A check box whose caption breaks into lines where it is wider than the box, as the narrow boxes
// of the fixed pages show it; its text stays the caption exactly as given.

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
    // The size the box needs to show its whole caption when it is `width` pixels wide: wider than
    // `width` when a word of the caption does not fit beside the indicator.
    QSize sizeForWidth(int width) const;
    int heightForWidth(int width) const override { return sizeForWidth(width).height(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }

private:
    int indicatorSpace() const;
    QRect captionRect(int textWidth) const;
    int m_preferredWidth;
};

} // namespace tess
