#include "widgets/wrapcheckbox.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace tess {

namespace {
constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
}

WrapCheckBox::WrapCheckBox(const QString &text, int preferredWidth, QWidget *parent)
    : QCheckBox(text, parent), m_preferredWidth(preferredWidth)
{
}

int WrapCheckBox::indicatorSpace() const
{
    return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
           style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
}

// The caption's lines when it may use textWidth pixels; never narrower than its widest word.
QRect WrapCheckBox::captionRect(int textWidth) const
{
    int widestWord = 0;
    for (const QString &word : text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widestWord = std::max(widestWord, fontMetrics().horizontalAdvance(word));
    return fontMetrics().boundingRect(QRect(0, 0, std::max(textWidth, widestWord), 10000), kCaptionFlags, text());
}

QSize WrapCheckBox::sizeForWidth(int width) const
{
    const QRect caption = captionRect(width - indicatorSpace());
    const int indicatorHeight = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    return {indicatorSpace() + caption.width(), std::max(indicatorHeight, caption.height())};
}

QSize WrapCheckBox::sizeHint() const { return sizeForWidth(m_preferredWidth) + QSize(2, 2); }

void WrapCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    p.drawControl(QStyle::CE_CheckBox, opt);
    const QRect textArea = rect().adjusted(indicatorSpace(), 0, 0, 0);
    p.drawItemText(textArea, kCaptionFlags, palette(), isEnabled(), text(), QPalette::WindowText);
}

} // namespace tess
