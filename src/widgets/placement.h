#pragma once
// Fixed pages and dialogs place every control at a position and size given in twips. A page keeps
// them in one table of placements and applies it with one call; twips become pixels through
// twips.h.
//
// A caption drawn in the program font can need more room than its table size; a placement may
// then allow the control to grow wider, up to a width that keeps it clear of its neighbours.

#include <QList>
#include <QRect>
#include <QStringList>

class QGroupBox;
class QWidget;

namespace tess {

// The tab strip of a tab control: the tables of its pages count their tops from the top of the
// tab control, the strip included, while a page begins below the strip.
inline constexpr int kTabStripTwips = 360;

struct Placement {
    const char *name;             // the control's objectName, anywhere below the page
    int left, top, width, height; // twips, relative to the control's parent
    int maxWidth = 0;             // twips the control may grow to when its caption needs it; 0 never
};

struct PlacementResult {
    QStringList missing; // table names the page has no control for
    QStringList unfit;   // controls that cannot show their whole caption even at their widest
    bool ok() const { return missing.isEmpty() && unfit.isEmpty(); }
};

// The pixel rectangle of a placement. The edges are converted, not the sizes, so controls that
// touch in twips touch in pixels and never overlap. pageTopTwips is subtracted from the top.
QRect placementRect(const Placement &placement, int pageTopTwips = 0);

// Places each control of the table below `page`, in table order. The tops of the page's own
// children lose pageTopTwips (kTabStripTwips on a tab page); children of a frame are placed
// relative to the frame as they stand. A control whose caption does not fit its table size grows
// wider, a pixel at a time, up to its maxWidth. A missing name is reported by a warning and in
// the result, never passed over.
PlacementResult placeControls(QWidget *page, const QList<Placement> &table, int pageTopTwips = 0);

// A control in a layout gets its table width in twips, or, when its caption needs more room in
// its font, the least width that shows the whole caption: the style's wider default for buttons
// gives way. The width is fixed. False when the caption needed more than the table width.
bool setDesignWidth(QWidget *control, int widthTwips);

// Keeps the top of a frame's layout `twips` below the frame's top edge, its title counted, as the
// title's height follows the frame's font and style (the other margins stay as they are).
void keepLayoutTop(QGroupBox *frame, int twips);

// Whether the control shows its whole caption at `size` in its own font: a label's text (word
// wrapped when the label wraps), a button's caption (wrapped on a WrapPushButton), a check box's
// caption beside its indicator, a frame's title. Controls without a caption always fit.
bool captionFits(const QWidget *control, const QSize &size);

} // namespace tess
