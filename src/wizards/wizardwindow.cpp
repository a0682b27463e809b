#include "wizards/wizardwindow.h"

#include "widgets/twips.h"
#include "wizards/wizardscript.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tess {

WizardWindow::WizardWindow(const QString &name, const QString &caption, QWidget *parent) : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
}

void WizardWindow::showModal()
{
    m_closing = false;
    Form_Activate();
    exec();
}

void WizardWindow::placeAll(const QList<Placement> &table, int widthTwips, int heightTwips)
{
    m_placement = placeControls(this, table);
    setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

void WizardWindow::placeMore(QWidget *root, const QList<Placement> &table, int pageTopTwips)
{
    const PlacementResult r = placeControls(root, table, pageTopTwips);
    m_placement.missing += r.missing;
    m_placement.unfit += r.unfit;
}

QLabel *WizardWindow::addLabel(const QString &name, const QString &caption, QWidget *parent)
{
    auto *l = new QLabel(caption, parent ? parent : this);
    l->setObjectName(name);
    return l;
}

QLineEdit *WizardWindow::addField(const QString &name, const QString &text, QWidget *parent)
{
    auto *e = new QLineEdit(parent ? parent : this);
    e->setObjectName(name);
    e->setText(text);
    keepSingleLine(e);
    return e;
}

void WizardWindow::keepSingleLine(QLineEdit *box)
{
    connect(box, &QLineEdit::textChanged, box, [box](const QString &t) {
        const QString single = singleLineAnswer(t);
        if (single == t)
            return;
        // Only the breaks go: the caret keeps its place among the characters that stay.
        const int caret = int(singleLineAnswer(t.left(box->cursorPosition())).size());
        box->setText(single);
        box->setCursorPosition(caret);
    });
}

QPushButton *WizardWindow::addButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent ? parent : this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QCheckBox *WizardWindow::addCheck(const QString &name, const QString &caption, bool ticked, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent ? parent : this);
    c->setObjectName(name);
    c->setChecked(ticked);
    return c;
}

QRadioButton *WizardWindow::addOption(const QString &name, const QString &caption, bool selected, QWidget *parent)
{
    auto *o = new QRadioButton(caption, parent ? parent : this);
    o->setObjectName(name);
    o->setChecked(selected);
    return o;
}

QGroupBox *WizardWindow::addFrame(const QString &name, const QString &caption)
{
    auto *f = new QGroupBox(caption, this);
    f->setObjectName(name);
    return f;
}

void WizardWindow::closeEvent(QCloseEvent *event)
{
    // The close box: no button runs; the opener discards the window once its modal show returns.
    m_unloaded = true;
    m_closing = true;
    QDialog::closeEvent(event); // calls reject(), which hides the window while closing
}

void WizardWindow::reject()
{
    if (m_closing) {
        hide();
        return;
    }
    // Escape: what the Cancel button does, where there is one; otherwise nothing, so the window
    // and the choices in it stay.
    if (m_cancel && m_cancel->isEnabled())
        m_cancel->click();
}

} // namespace tess
