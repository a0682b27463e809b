#include "widgets/wrappushbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace tess {

WrapPushButton::WrapPushButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

QRect WrapPushButton::captionArea() const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
}

int WrapPushButton::captionFlags() const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, &opt, this);
    return Qt::AlignCenter | Qt::TextWordWrap | (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
}

int WrapPushButton::captionLineCount() const
{
    const int lineHeight = fontMetrics().height();
    const QRect used = fontMetrics().boundingRect(captionArea(), captionFlags(), text());
    return lineHeight > 0 ? (used.height() + lineHeight / 2) / lineHeight : 0;
}

void WrapPushButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    p.drawItemText(captionArea(), captionFlags(), palette(), isEnabled(), text(), QPalette::ButtonText);
}

} // namespace tess
