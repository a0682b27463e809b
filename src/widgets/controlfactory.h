#pragma once
// Small makers for the named controls of the program's windows: every control carries its name
// as object name, so tests and the control-state table find it.

#include "widgets/twips.h"

#include <QLabel>
#include <QPushButton>

namespace tess {

// A push button that never becomes the default button of its window by focus alone.
inline QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent, int minWidthTwips = 0,
                               const QString &tip = QString())
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (minWidthTwips > 0)
        b->setMinimumWidth(twipsToPixels(minWidthTwips));
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

inline QLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent, int minWidthTwips = 0,
                         const QString &tip = QString())
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    if (minWidthTwips > 0)
        l->setMinimumWidth(twipsToPixels(minWidthTwips));
    if (!tip.isEmpty())
        l->setToolTip(tip);
    return l;
}

} // namespace tess
