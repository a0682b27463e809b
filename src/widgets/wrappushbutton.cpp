#include "widgets/wrappushbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace tess {

WrapPushButton::WrapPushButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

QRect WrapPushButton::captionArea(const QRect &rect) const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.rect = rect;
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
    const QRect used = fontMetrics().boundingRect(captionArea(rect()), captionFlags(), text());
    return lineHeight > 0 ? (used.height() + lineHeight / 2) / lineHeight : 0;
}

bool WrapPushButton::showsWholeCaption(const QSize &size) const
{
    const QRect area = captionArea(QRect(QPoint(0, 0), size));
    const QRect used = fontMetrics().boundingRect(area, captionFlags(), text());
    return used.width() <= area.width() && used.height() <= area.height();
}

void WrapPushButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    p.drawItemText(captionArea(rect()), captionFlags(), palette(), isEnabled(), text(), QPalette::ButtonText);
}

} // namespace tess
