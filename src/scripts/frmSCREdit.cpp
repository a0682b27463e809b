#include "scripts/frmSCREdit.h"

#include "core/mainsettings.h"
#include "scripts/loadlineselector.h"
#include "tags/tagmanagers.h"
#include "widgets/boxtext.h"
#include "widgets/commandbox.h"
#include "widgets/controlfactory.h"
#include "widgets/escapekey.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"
#include "widgets/windowstacking.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace tess {

namespace {

// Stored places and sizes far beyond any screen are held to this range before they become pixels.
constexpr int kFarTwips = 10'000'000;

QComboBox *makePickList(const char *name, const QStringList &entries, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxVisibleItems(20);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(14);
    box->addItems(entries);
    // The drop-down shows the longest entry whole even where the box is narrower.
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + twipsToPixels(600));
    box->setCurrentIndex(-1);
    return box;
}

// Keeps the mouse wheel from choosing entries of a closed pick list: every choice inserts into
// the script, and a wheel turned while the pointer passes over a list is no choice. The open
// drop-down still scrolls.
class NoWheelChoice final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Wheel; }
};

} // namespace

frmSCREdit::frmSCREdit(QWidget *parent)
    : QDialog(parent), m_lisp([this] { return new LoadLineSelector(LoadLineKind::Lisp, txtSCREdit, this); }),
      m_vba([this] { return new LoadLineSelector(LoadLineKind::Vba, txtSCREdit, this); })
{
    setObjectName(QStringLiteral("frmSCREdit"));
    // Escape would drop the edits unasked: only "&Cancel" does that.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral(" Script Editor"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    buildControls();
    Form_Load();
    // The window's own size until the stored one is applied at the opening.
    resize(twipsToPixels(m_stored.width), twipsToPixels(m_stored.height));
}

void frmSCREdit::buildControls()
{
    txtSCREdit = makeCommandBox(QStringLiteral("txtSCREdit"), QString(), this);
    txtSCREdit->setFont(commandBoxFont(10));
    setCommandBoxMargin(txtSCREdit);
    txtSCREdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtSCREdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab is a character of the script here, as in the main window's box.
    txtSCREdit->setTabChangesFocus(false);

    Frame1 = new QGroupBox(QStringLiteral("Click to Insert"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    cmbDynamicTags = makePickList("cmbDynamicTags", dynamicTagChoices(), Frame1);
    Combo1 = makePickList("Combo1", userTagChoices(), Frame1);
    cmbProjectTags = makePickList("cmbProjectTags", projectTagChoices(), Frame1);
    cmbMeta = makePickList("cmbMeta", metaCommandChoices(), Frame1);
    cmdSETUPVARS = makeButton(QStringLiteral("cmdSETUPVARS"), QStringLiteral("&Setup"), Frame1, 975,
                              QStringLiteral("User Tag Manager"));
    cmdConfigureProjectTags = makeButton(QStringLiteral("cmdConfigureProjectTags"), QStringLiteral("Setu&p"), Frame1,
                                         975, QStringLiteral("Project Tag Manager"));
    auto *g1 = new QGridLayout(Frame1);
    const QList<std::pair<const char *, QString>> labels{{"lblDynamicTags", QStringLiteral("Dynamic Tags")},
                                                         {"lblStaticTags", QStringLiteral("Static User TAGs")},
                                                         {"lblProjectTags", QStringLiteral("Project TAGs")},
                                                         {"lblMeta", QStringLiteral("META Commands")}};
    const QList<QComboBox *> lists{cmbDynamicTags, Combo1, cmbProjectTags, cmbMeta};
    for (int row = 0; row < lists.size(); ++row) {
        QLabel *label = makeLabel(QLatin1String(labels.at(row).first), labels.at(row).second, Frame1);
        label->setBuddy(lists.at(row));
        g1->addWidget(label, row, 0);
        g1->addWidget(lists.at(row), row, 1);
    }
    g1->addWidget(cmdSETUPVARS, 0, 2, 2, 1, Qt::AlignVCenter);
    g1->addWidget(cmdConfigureProjectTags, 2, 2);

    Frame3 = new QGroupBox(QStringLiteral("Click to Insert Code"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    cmdLoadLisp = makeButton(QStringLiteral("cmdLoadLisp"), QStringLiteral("&Load Lisp"), Frame3, 1215);
    cmdLoadVBA = makeButton(QStringLiteral("cmdLoadVBA"), QStringLiteral("Load &VBA"), Frame3, 1215);
    auto *g3 = new QVBoxLayout(Frame3);
    g3->addWidget(cmdLoadLisp);
    g3->addWidget(cmdLoadVBA);
    g3->addStretch(1);

    frameSnR = new QGroupBox(QStringLiteral("Search and Replace Text"), this);
    frameSnR->setObjectName(QStringLiteral("frameSnR"));
    tbSearch = new QLineEdit(frameSnR);
    tbSearch->setObjectName(QStringLiteral("tbSearch"));
    tbSearch->setMinimumWidth(twipsToPixels(1500));
    tbReplace = new QLineEdit(frameSnR);
    tbReplace->setObjectName(QStringLiteral("tbReplace"));
    tbReplace->setMinimumWidth(twipsToPixels(1500));
    chkCase = new QCheckBox(QStringLiteral("Match Case"), frameSnR);
    chkCase->setObjectName(QStringLiteral("chkCase"));
    cmdSearchAndReplace = makeButton(QStringLiteral("cmdSearchAndReplace"), QStringLiteral("Do it"), frameSnR, 975);
    auto *gs = new QGridLayout(frameSnR);
    QLabel *searchLabel = makeLabel(QStringLiteral("lblSearch"), QStringLiteral("Search for"), frameSnR);
    searchLabel->setBuddy(tbSearch);
    QLabel *replaceLabel = makeLabel(QStringLiteral("lblReplace"), QStringLiteral("Replace with"), frameSnR);
    replaceLabel->setBuddy(tbReplace);
    gs->addWidget(searchLabel, 0, 0);
    gs->addWidget(tbSearch, 0, 1);
    gs->addWidget(replaceLabel, 1, 0);
    gs->addWidget(tbReplace, 1, 1);
    auto *doRow = new QHBoxLayout;
    doRow->addWidget(chkCase);
    doRow->addStretch(1);
    doRow->addWidget(cmdSearchAndReplace);
    gs->addLayout(doRow, 2, 0, 1, 2);
    gs->setRowStretch(3, 1);

    cmdSCRCancel = makeButton(QStringLiteral("cmdSCRCancel"), QStringLiteral("&Cancel"), this, 1095);
    cmdSCROk = makeButton(QStringLiteral("cmdSCROk"), QStringLiteral("&Ok"), this, 1095);

    // The text box takes every pixel the window grows by; the frames and the two buttons stay
    // at the bottom at their own size.
    auto *v = new QVBoxLayout(this);
    const int margin = twipsToPixels(120);
    v->setContentsMargins(margin, margin, margin, margin);
    v->addWidget(txtSCREdit, 1);
    auto *frames = new QHBoxLayout;
    frames->addWidget(Frame1);
    frames->addWidget(Frame3);
    frames->addWidget(frameSnR);
    frames->addStretch(1);
    v->addLayout(frames);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSCRCancel);
    buttons->addWidget(cmdSCROk);
    v->addLayout(buttons);

    setTabOrder(txtSCREdit, cmbDynamicTags);
    setTabOrder(cmbDynamicTags, Combo1);
    setTabOrder(Combo1, cmdSETUPVARS);
    setTabOrder(cmdSETUPVARS, cmbProjectTags);
    setTabOrder(cmbProjectTags, cmdConfigureProjectTags);
    setTabOrder(cmdConfigureProjectTags, cmbMeta);
    setTabOrder(cmbMeta, cmdLoadLisp);
    setTabOrder(cmdLoadLisp, cmdLoadVBA);
    setTabOrder(cmdLoadVBA, tbSearch);
    setTabOrder(tbSearch, tbReplace);
    setTabOrder(tbReplace, chkCase);
    setTabOrder(chkCase, cmdSearchAndReplace);
    setTabOrder(cmdSearchAndReplace, cmdSCRCancel);
    setTabOrder(cmdSCRCancel, cmdSCROk);

    auto *noWheel = new NoWheelChoice(this);
    for (QComboBox *box : {cmbDynamicTags, Combo1, cmbProjectTags, cmbMeta})
        box->installEventFilter(noWheel);

    // A list reacts to every choice, also of the entry it already shows.
    connect(cmbDynamicTags, &QComboBox::activated, this, &frmSCREdit::cmbDynamicTags_Click);
    connect(Combo1, &QComboBox::activated, this, &frmSCREdit::Combo1_Click);
    connect(cmbProjectTags, &QComboBox::activated, this, &frmSCREdit::cmbProjectTags_Click);
    connect(cmbMeta, &QComboBox::activated, this, &frmSCREdit::cmbMeta_Click);
    connect(cmdSearchAndReplace, &QPushButton::clicked, this, &frmSCREdit::cmdSearchAndReplace_Click);
    connect(cmdSETUPVARS, &QPushButton::clicked, this, &frmSCREdit::cmdSETUPVARS_Click);
    connect(cmdConfigureProjectTags, &QPushButton::clicked, this, &frmSCREdit::cmdConfigureProjectTags_Click);
    connect(cmdLoadLisp, &QPushButton::clicked, this, &frmSCREdit::cmdLoadLisp_Click);
    connect(cmdLoadVBA, &QPushButton::clicked, this, &frmSCREdit::cmdLoadVBA_Click);
    connect(cmdSCROk, &QPushButton::clicked, this, &frmSCREdit::cmdSCROk_Click);
    connect(cmdSCRCancel, &QPushButton::clicked, this, &frmSCREdit::cmdSCRCancel_Click);
}

void frmSCREdit::Form_Load()
{
    // The lists are filled when they are made; none shows an entry until one is chosen.
    for (QComboBox *box : {cmbDynamicTags, Combo1, cmbProjectTags, cmbMeta})
        box->setCurrentIndex(-1);
}

QString frmSCREdit::scriptText() const { return plainBoxText(txtSCREdit); }

void frmSCREdit::setScriptText(const QString &text)
{
    txtSCREdit->setPlainText(text);
    txtSCREdit->moveCursor(QTextCursor::Start);
}

LoadLineSelector *frmSCREdit::loadedPicker(LoadLineKind kind) const
{
    return kind == LoadLineKind::Lisp ? m_lisp.existing() : m_vba.existing();
}

// ---- Place and size ----

void frmSCREdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Every opening takes the stored place and size: the Options reset may have changed them
    // while the window was hidden.
    Form_Activate(true);
    m_placed = true;
}

void frmSCREdit::Form_Activate(bool place)
{
    if (place) {
        const ScriptEditorGeometry g = readScriptEditorGeometry();
        m_stored.left = std::clamp(g.left, -kFarTwips, kFarTwips);
        m_stored.top = std::clamp(g.top, -kFarTwips, kFarTwips);
        m_stored.width = std::clamp(g.width, kScriptEditorMinWidthTwips, kFarTwips);
        m_stored.height = std::clamp(g.height, kScriptEditorMinHeightTwips, kFarTwips);
        // The stored and the smallest sizes are outer ones; the controls never get less room than
        // they need.
        const QSize smallest =
            QSize(twipsToPixelsAtLeast(kScriptEditorMinWidthTwips), twipsToPixelsAtLeast(kScriptEditorMinHeightTwips))
                .expandedTo(layout()->minimumSize() + (outerGeometry(this).size() - size()));
        // A place off every screen (another screen set-up) comes back onto one.
        placeWindow(this, QPoint(twipsToPixels(m_stored.left), twipsToPixels(m_stored.top)),
                    QSize(twipsToPixels(m_stored.width), twipsToPixels(m_stored.height)), smallest);
    }
    txtSCREdit->setFocus();
    // AutoCAD LT has no AutoLISP, and the VBA line is an AutoLISP call too.
    const bool lisp = mainSettings().LT != 1;
    cmdLoadLisp->setEnabled(lisp);
    cmdLoadVBA->setEnabled(lisp);
}

ScriptEditorGeometry frmSCREdit::geometryTwips() const
{
    const QRect outer = outerGeometry(this);
    ScriptEditorGeometry g;
    g.left = keepTwips(m_stored.left, outer.left());
    g.top = keepTwips(m_stored.top, outer.top());
    g.width = keepTwips(m_stored.width, outer.width());
    g.height = keepTwips(m_stored.height, outer.height());
    return g;
}

void frmSCREdit::Form_Deactivate()
{
    if (!m_placed)
        return;
    m_stored = geometryTwips();
    writeScriptEditorGeometry(m_stored);
}

void frmSCREdit::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        Form_Deactivate();
}

void frmSCREdit::closeEvent(QCloseEvent *event)
{
    // The close box discards the window: nothing goes back to the main window's script.
    Form_Deactivate();
    m_unloaded = true;
    QDialog::closeEvent(event);
}

// ---- Pick lists ----

void frmSCREdit::insertPick(const QString &text)
{
    QTextCursor c = txtSCREdit->textCursor();
    c.beginEditBlock();
    c.insertText(text);
    c.endEditBlock();
    txtSCREdit->setTextCursor(c);
    txtSCREdit->setFocus();
}

void frmSCREdit::cmbDynamicTags_Click() { insertPick(cmbDynamicTags->currentText()); }

void frmSCREdit::Combo1_Click() { insertPick(Combo1->currentText()); }

void frmSCREdit::cmbProjectTags_Click() { insertPick(cmbProjectTags->currentText()); }

void frmSCREdit::cmbMeta_Click()
{
    // A META command is a line of its own: the rest of the caret's line goes to the next one.
    insertPick(cmbMeta->currentText() + QLatin1Char('\n'));
}

// ---- Search and replace ----

void frmSCREdit::cmdSearchAndReplace_Click()
{
    const ReplaceAllResult r = replaceAllText(scriptText(), tbSearch->text(), tbReplace->text(),
                                              chkCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (r.hits == 0)
        return;
    // One edit of the whole text, which the box's undo takes back at once; the caret stays where it
    // was as far as the new text reaches.
    const int caret = txtSCREdit->textCursor().position();
    replaceBoxText(txtSCREdit, r.text);
    QTextCursor c = txtSCREdit->textCursor();
    c.setPosition(std::min(caret, int(std::min<qsizetype>(r.text.size(), INT_MAX))));
    txtSCREdit->setTextCursor(c);
    // The text has the focus again, so that Ctrl+Z takes the replacement back at once.
    txtSCREdit->setFocus();
}

// ---- Other windows ----

void frmSCREdit::cmdSETUPVARS_Click()
{
    if (TagManagers *managers = TagManagers::instance())
        managers->showUserTagManager(this);
    Form_Activate(false);
}

void frmSCREdit::cmdConfigureProjectTags_Click()
{
    if (TagManagers *managers = TagManagers::instance())
        managers->showProjectTagManager(this);
    Form_Activate(false);
}

void frmSCREdit::showPicker(KeptWindow<LoadLineSelector> &picker)
{
    picker.get()->exec();
    // Its close box discarded it: the next opening loads it afresh.
    picker.releaseIfUnloaded();
    Form_Activate(false);
}

void frmSCREdit::cmdLoadLisp_Click() { showPicker(m_lisp); }

void frmSCREdit::cmdLoadVBA_Click() { showPicker(m_vba); }

// ---- Ok and Cancel ----

void frmSCREdit::cmdSCROk_Click()
{
    Form_Deactivate();
    Q_EMIT scriptAccepted(scriptText());
    ClearWindowTopmost(this);
    accept();
}

void frmSCREdit::cmdSCRCancel_Click()
{
    Form_Deactivate();
    ClearWindowTopmost(this);
    reject();
}

} // namespace tess
