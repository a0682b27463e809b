#pragma once
// The common ground of the wizard windows: a fixed dialog whose controls sit at twips places from
// one table, shown modally by its opener. Its closing buttons hide it, so it keeps every field for
// the next opening; its close box closes it without running any button, and the opener then
// discards it, so the next opening starts again from its initial values. Escape runs the Cancel
// button where the window has one, and nothing otherwise.

#include "widgets/placement.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tess {

class WizardWindow : public QDialog
{
    Q_OBJECT
public:
    explicit WizardWindow(const QString &name, const QString &caption, QWidget *parent = nullptr);

    // True once the close box has closed the window: the opener discards it.
    bool wasUnloaded() const { return m_unloaded; }
    // Shows the window modally (after its activation steps); returns when it is hidden or closed.
    void showModal();
    // How the controls went on their places (names missing, captions that do not fit).
    const PlacementResult &placement() const { return m_placement; }

protected:
    // Places the table's controls and fixes the client area (twips).
    void placeAll(const QList<Placement> &table, int widthTwips, int heightTwips);
    // Places a further table below `root` (a tab page: pageTopTwips kTabStripTwips); its result
    // joins placement().
    void placeMore(QWidget *root, const QList<Placement> &table, int pageTopTwips = 0);
    // The button whose action Escape runs.
    void setCancelButton(QPushButton *button) { m_cancel = button; }

    // The window's activation steps: each time its opener shows it, and, where the window opens
    // another one, again when that one closes. Not on every activation by the window system.
    virtual void Form_Activate() {}

    // Named controls of this window (or of a frame in it).
    QLabel *addLabel(const QString &name, const QString &caption, QWidget *parent = nullptr);
    // A single-line text box: line breaks pasted into it are dropped at once.
    QLineEdit *addField(const QString &name, const QString &text = QString(), QWidget *parent = nullptr);
    QPushButton *addButton(const QString &name, const QString &caption, QWidget *parent = nullptr);
    QCheckBox *addCheck(const QString &name, const QString &caption, bool ticked, QWidget *parent = nullptr);
    QRadioButton *addOption(const QString &name, const QString &caption, bool selected, QWidget *parent = nullptr);
    QGroupBox *addFrame(const QString &name, const QString &caption);
    // Line breaks typed or pasted into the box are dropped at once; the caret keeps its place.
    static void keepSingleLine(QLineEdit *box);

    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    PlacementResult m_placement;
    QPushButton *m_cancel = nullptr;
    bool m_unloaded = false;
    bool m_closing = false;
};

} // namespace tess
