#pragma once
// A push button whose caption breaks into lines where it is wider than the button, as the tall
// buttons of the fixed dialogs show it; its text stays the caption exactly as given (blanks, no
// line breaks).

#include <QPushButton>

namespace tess {

class WrapPushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit WrapPushButton(const QString &text, QWidget *parent = nullptr);

    // The lines the caption takes inside the button as it is now.
    int captionLineCount() const;
    // Whether the whole caption shows, wrapped, inside a button of that size: no word wider than
    // the button, no line below its bottom.
    bool showsWholeCaption(const QSize &size) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the caption goes inside a button that covers `rect`.
    QRect captionArea(const QRect &rect) const;
    int captionFlags() const;
};

} // namespace tess
