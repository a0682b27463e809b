#pragma once
// A page of a tab control that can make its controls on first need: when it is first shown, or
// when code asks for them (build()). Until then the page keeps its values itself, so loading and
// storing them costs no controls; a page that is never opened never makes them.
//
// Made later, the controls still take the page's place in the window's focus order, as if they
// had been made with the page.

#include "widgets/placement.h"

#include <QWidget>

namespace tess {

class DeferredPage : public QWidget
{
    Q_OBJECT
public:
    // Now: the controls are made with the page. OnFirstUse: at the first showing or build().
    enum class Build { Now, OnFirstUse };

    bool isBuilt() const { return m_built; }
    // Makes the controls (once) and shows the values the page kept.
    void build();

Q_SIGNALS:
    // The controls were just made: named controls the window looked up before are now there.
    void built();

protected:
    // `table` (kept, not copied): where the page's controls stand, their tops counted from the top
    // of the tab control. Until they are made, the page's minimum size is what the table's sizes
    // need; once made and placed, what the placed controls need.
    DeferredPage(const QString &name, const QList<Placement> &table, QWidget *parent);
    // The page's own part of build(): make the controls (build() places them afterwards).
    virtual void buildControls() = 0;
    // Shows the kept values in the placed controls and connects their handlers.
    virtual void controlsPlaced() = 0;
    void showEvent(QShowEvent *event) override;

private:
    void keepMinimumAround(const QRect &controls);
    void takePlaceInFocusOrder();

    const QList<Placement> &m_table;
    bool m_built = false;
};

} // namespace tess
