#include "widgets/placement.h"

#include "widgets/twips.h"
#include "widgets/wrapcheckbox.h"
#include "widgets/wrappushbutton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QWidget>
#include <QtGlobal>
#include <algorithm>

namespace tess {

namespace {

// A caption as drawn: "&&" shows one "&", a single "&" marks the access key and is not shown.
QString shownCaption(QString text)
{
    text.replace(QLatin1String("&&"), QString(QChar(0x1)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x1), QLatin1Char('&'));
    return text;
}

} // namespace

QRect placementRect(const Placement &p, int pageTopTwips)
{
    const int top = p.top - pageTopTwips;
    const int left = twipsToPixels(p.left);
    const int y = twipsToPixels(top);
    return {left, y, twipsToPixels(p.left + p.width) - left, twipsToPixels(top + p.height) - y};
}

bool captionFits(const QWidget *control, const QSize &size)
{
    const QFontMetrics fm = control->fontMetrics();
    if (const auto *wrap = qobject_cast<const WrapCheckBox *>(control)) {
        const QSize need = wrap->sizeForWidth(size.width());
        return need.width() <= size.width() && need.height() <= size.height();
    }
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const QMargins m = label->contentsMargins();
        const int margin = 2 * label->margin();
        const int width = size.width() - m.left() - m.right() - margin;
        const int height = size.height() - m.top() - m.bottom() - margin;
        if (!label->wordWrap())
            return fm.horizontalAdvance(label->text()) <= width && fm.height() <= height;
        const QRect r =
            fm.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap | int(label->alignment()), label->text());
        return r.width() <= width && r.height() <= height;
    }
    if (const auto *wrap = qobject_cast<const WrapPushButton *>(control))
        return wrap->showsWholeCaption(size);
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        const int margin = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        return fm.horizontalAdvance(shownCaption(button->text())) + margin <= size.width() &&
               fm.height() <= size.height();
    }
    if (qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control)) {
        // The size hint is the indicator, the spacing and the caption in one line.
        const int indicator = control->style()->pixelMetric(
            qobject_cast<const QCheckBox *>(control) ? QStyle::PM_IndicatorHeight : QStyle::PM_ExclusiveIndicatorHeight,
            nullptr, control);
        return control->sizeHint().width() <= size.width() && std::max(fm.height(), indicator) <= size.height();
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(control)) {
        if (frame->title().isEmpty())
            return true;
        return frame->minimumSizeHint().width() <= size.width() && fm.height() <= size.height();
    }
    return true;
}

namespace {

// The narrowest width above size's (at which the caption does not fit) and up to widest at which
// it fits; widest when it fits at none, size's when that is no narrower than widest. A caption that
// fits at one width fits at every wider one, so halving the range finds the width that widening
// pixel by pixel would, with a few measurements of the text in place of hundreds.
int fittingWidth(const QWidget *control, QSize size, int widest)
{
    int tooNarrow = size.width();
    if (widest <= tooNarrow)
        return tooNarrow;
    size.setWidth(widest);
    if (!captionFits(control, size))
        return widest;
    int fits = widest;
    while (fits - tooNarrow > 1) {
        const int mid = tooNarrow + (fits - tooNarrow) / 2;
        size.setWidth(mid);
        if (captionFits(control, size))
            fits = mid;
        else
            tooNarrow = mid;
    }
    return fits;
}

} // namespace

bool setDesignWidth(QWidget *control, int widthTwips)
{
    QSize size(twipsToPixels(widthTwips), control->sizeHint().height());
    const bool fits = captionFits(control, size);
    // A caption wider than the screen cannot be helped; the widening stops there.
    if (!fits)
        size.setWidth(fittingWidth(control, size, 4000));
    control->setFixedWidth(size.width());
    return fits;
}

namespace {

class LayoutTopKeeper final : public QObject
{
public:
    LayoutTopKeeper(QGroupBox *frame, int twips) : QObject(frame), m_frame(frame), m_twips(twips)
    {
        frame->installEventFilter(this);
        apply();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
        case QEvent::Show:
        case QEvent::FontChange:
        case QEvent::StyleChange: apply(); break;
        default: break;
        }
        return false;
    }

private:
    void apply()
    {
        QLayout *layout = m_frame->layout();
        if (!layout)
            return;
        QMargins m = layout->contentsMargins();
        const int top = std::max(0, twipsToPixels(m_twips) - m_frame->contentsMargins().top());
        if (m.top() != top) {
            m.setTop(top);
            layout->setContentsMargins(m);
        }
    }

    QGroupBox *m_frame;
    int m_twips;
};

} // namespace

void keepLayoutTop(QGroupBox *frame, int twips) { new LayoutTopKeeper(frame, twips); }

PlacementResult placeControls(QWidget *page, const QList<Placement> &table, int pageTopTwips)
{
    PlacementResult result;
    for (const Placement &p : table) {
        const QString name = QLatin1String(p.name);
        QWidget *control = page->findChild<QWidget *>(name);
        if (!control) {
            qWarning("placeControls: %s has no control named %s", qPrintable(page->objectName()), p.name);
            result.missing << name;
            continue;
        }
        QRect r = placementRect(p, control->parentWidget() == page ? pageTopTwips : 0);
        if (!captionFits(control, r.size())) {
            const int widest = std::max(r.width(), twipsToPixels(p.left + p.maxWidth) - r.left());
            r.setWidth(fittingWidth(control, r.size(), widest));
            if (!captionFits(control, r.size())) {
                qWarning("placeControls: the caption of %s does not fit", p.name);
                result.unfit << name;
            }
        }
        control->setGeometry(r);
    }
    return result;
}

} // namespace tess
