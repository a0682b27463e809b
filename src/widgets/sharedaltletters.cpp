#include "widgets/sharedaltletters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>

namespace tess {

SharedAltLetters::SharedAltLetters(QMainWindow *window) : QObject(window), m_window(window)
{
    // The shortcut reaches whichever of the sharers the toolkit picks: all of them are watched.
    qApp->installEventFilter(this);
}

bool SharedAltLetters::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto *se = static_cast<QShortcutEvent *>(event);
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        // While a menu of the bar is open only the bar answers the titles' letters.
        if (QMenu *open = ownTopMenu(QApplication::activePopupWidget()))
            return pressedInOpenMenu(open, se->key());
        if (se->isAmbiguous())
            return route(se->key());
        // Another key's turn: the next shared letter starts again at its menu.
        m_lastKey = se->key();
        m_turn = 0;
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        QMenu *open = ownTopMenu(watched);
        if (open && key->modifiers() == Qt::AltModifier)
            return pressedInOpenMenu(open, QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key->key()))));
    }
    return false;
}

// The menus whose titles sit on the window's menu bar.
QList<QMenu *> SharedAltLetters::topMenus() const
{
    QList<QMenu *> menus;
    for (QAction *title : m_window->menuBar()->actions()) {
        if (QMenu *m = title->menu())
            menus << m;
    }
    return menus;
}

QMenu *SharedAltLetters::ownTopMenu(QObject *watched) const
{
    auto *m = qobject_cast<QMenu *>(watched);
    return m && topMenus().contains(m) ? m : nullptr;
}

// The menu on the bar whose title has this access key; nullptr when none shows.
QMenu *SharedAltLetters::menuFor(const QKeySequence &key) const
{
    for (QMenu *m : topMenus()) {
        const QAction *title = m->menuAction();
        if (title->isVisible() && title->isEnabled() && QKeySequence::mnemonic(title->text()) == key)
            return m;
    }
    return nullptr;
}

// The controls of the window's own area that answer the access key, as the widgets to focus:
// buttons and check boxes, and the partners of labels.
QList<QWidget *> SharedAltLetters::sharersOf(const QKeySequence &key) const
{
    QList<QWidget *> sharers;
    for (QAbstractButton *b : m_window->findChildren<QAbstractButton *>()) {
        if (b->window() == m_window && b->isVisible() && b->isEnabled() && QKeySequence::mnemonic(b->text()) == key)
            sharers << b;
    }
    for (QLabel *l : m_window->findChildren<QLabel *>()) {
        QWidget *buddy = l->buddy();
        if (buddy && buddy->window() == m_window && buddy->isVisible() && buddy->isEnabled() &&
            QKeySequence::mnemonic(l->text()) == key)
            sharers << buddy;
    }
    return sharers;
}

// The menu on the first press of a letter, then each control that shares it, then the menu
// again; another shortcut in between starts the turns anew.
bool SharedAltLetters::route(const QKeySequence &key)
{
    QMenu *menu = menuFor(key);
    const QList<QWidget *> sharers = sharersOf(key);
    if (!menu || sharers.isEmpty())
        return false;
    m_turn = key == m_lastKey ? (m_turn + 1) % int(sharers.size() + 1) : 0;
    m_lastKey = key;
    if (m_turn == 0)
        m_window->menuBar()->setActiveAction(menu->menuAction());
    else
        sharers.at(m_turn - 1)->setFocus(Qt::ShortcutFocusReason);
    return true;
}

bool SharedAltLetters::pressedInOpenMenu(QMenu *open, const QKeySequence &key)
{
    if (QKeySequence::mnemonic(open->menuAction()->text()) != key)
        return false;
    if (sharersOf(key).isEmpty())
        return false;
    open->hide();
    return route(key);
}

} // namespace tess
