#pragma once
// A menu title's Alt letter that a control of the window shares ("&File" and "&Favorites"): the
// first press opens the menu, so Alt+F, X ends the program as the menu promises; a further press
// moves the focus to the controls that share the letter, one after the other, and then opens the
// menu again, as ambiguous access keys take turns. Pressed again while its menu is still open, the
// letter closes the menu and takes the next turn.
// Installed once per main window; it lives as the window's child.

#include <QKeySequence>
#include <QList>
#include <QObject>

class QMainWindow;
class QMenu;
class QWidget;

namespace tess {

class SharedAltLetters final : public QObject
{
public:
    explicit SharedAltLetters(QMainWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QMenu *> topMenus() const;
    QMenu *ownTopMenu(QObject *watched) const;
    QMenu *menuFor(const QKeySequence &key) const;
    QList<QWidget *> sharersOf(const QKeySequence &key) const;
    bool route(const QKeySequence &key);
    bool pressedInOpenMenu(QMenu *open, const QKeySequence &key);

    QMainWindow *m_window;
    QKeySequence m_lastKey;
    int m_turn = 0;
};

} // namespace tess
