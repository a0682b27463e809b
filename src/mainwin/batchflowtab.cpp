#include "mainwin/batchflowtab.h"

#include "core/mainsettings.h"
#include "core/prompts.h"
#include "mainwin/frmSettings.h"
#include "scripts/userscriptpane.h"
#include "widgets/wrapcheckbox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

namespace tess {

namespace {

constexpr int tw(int twips) { return (twips + 7) / 15; }
// The tab strip of the design sits inside the page; here the page begins below it.
constexpr int kStrip = 360;

QLabel *label(QWidget *parent, const char *name, const QString &text, int l, int t, int w, int h)
{
    auto *lbl = new QLabel(text, parent);
    lbl->setObjectName(QLatin1String(name));
    const int height = std::max(tw(h), lbl->fontMetrics().height() + 2);
    lbl->setGeometry(tw(l), tw(t - kStrip), tw(w), height);
    return lbl;
}

QPlainTextEdit *commandBox(QWidget *parent, const char *name, const QString &tip)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(8);
    box->setFont(f);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

void setBoxText(QPlainTextEdit *box, const QString &text)
{
    // The raw text: toPlainText shows a no-break space as a blank, which AutoCAD reads differently.
    if (plainBoxText(box) != text)
        box->setPlainText(text);
}

BatchFlowTab::BatchFlowTab(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BatchFlowTab"));
    // The flow down the left: step labels, the four boxes beside their steps.
    QLabel *l4 = label(this, "Label4", QStringLiteral("1. PreBatch Command"), 240, 600, 1755, 195);
    tbPreBatch = commandBox(this, "tbPreBatch",
                            QStringLiteral("This command is added to the beginning of your script (optional)"));
    label(this, "Label2", QStringLiteral("2. OPEN [Filename]"), 240, 960, 1755, 255);
    QLabel *l1 = label(this, "Label1", QStringLiteral("3. PreUserScript"), 240, 1320, 1695, 255);
    tbPreUserScript =
        commandBox(this, "tbPreUserScript",
                   QStringLiteral("These commands are added to your script BEFORE your user script (optional)"));
    label(this, "Label5", QStringLiteral("4. [User Script]"), 240, 1680, 1575, 195);
    label(this, "Label7", QStringLiteral("5. QSAVE (Optional)"), 240, 1920, 1635, 255);
    tbPostUserScript =
        commandBox(this, "tbPostUserScript",
                   QStringLiteral("These commands are added to your script AFTER your user script (optional)"));
    QLabel *l9 = label(this, "Label9", QStringLiteral("6. PostUserScript"), 240, 2280, 1575, 255);
    tbPostBatch =
        commandBox(this, "tbPostBatch", QStringLiteral("This command is added to the end of your script (optional)"));
    QLabel *l6 = label(this, "Label6", QStringLiteral("7. PostBatch Command"), 240, 2880, 1755, 195);
    m_links = {{l4, tbPreBatch}, {l1, tbPreUserScript}, {l9, tbPostUserScript}, {l6, tbPostBatch}};

    // The design's boxes start at 2160 twips; here they start where the longest step label ends.
    int labelsRight = 0;
    for (QLabel *l : findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        l->resize(std::max(l->width(), l->sizeHint().width()), l->height());
        labelsRight = std::max(labelsRight, l->geometry().right());
    }
    const int dx = std::max(0, labelsRight + 12 - tw(2160));
    auto at = [dx](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(tw(left) + dx, tw(top - kStrip), tw(width), std::max(tw(height), w->sizeHint().height()));
    };
    at(tbPreBatch, 2160, 480, 2835, 525);
    at(tbPreUserScript, 2160, 1080, 2835, 615);
    at(tbPostUserScript, 2160, 1920, 2835, 615);
    at(tbPostBatch, 2160, 2640, 2835, 615);
    for (QPlainTextEdit *b : {tbPreBatch, tbPreUserScript, tbPostUserScript, tbPostBatch})
        b->resize(b->width(), std::max(tw(525), b->height() - b->sizeHint().height() + tw(525)));

    m_looped = label(this, "Label8", QStringLiteral("This gets Looped"), 5580, 1560, 735, 435);
    m_looped->setWordWrap(true);
    m_looped->setAlignment(Qt::AlignCenter);
    const int loopedWidth = std::max(tw(735), m_looped->fontMetrics().horizontalAdvance(QStringLiteral("Looped")) + 6);
    m_looped->setGeometry(tw(5460) + dx, tw(1560 - kStrip), loopedWidth, m_looped->heightForWidth(loopedWidth));

    cmdSettingsEditor = new QPushButton(QStringLiteral("Larger Editor"), this);
    cmdSettingsEditor->setObjectName(QStringLiteral("cmdSettingsEditor"));
    at(cmdSettingsEditor, 5280, 480, 1335, 375);

    // The design's box is narrow and two lines high: the caption breaks into lines.
    chkIncludeStatus =
        new WrapCheckBox(QStringLiteral("Include Status in AutoCAD Status Bar"),
                         fontMetrics().horizontalAdvance(QStringLiteral("AutoCAD Status Bar")) + 28, this);
    chkIncludeStatus->setObjectName(QStringLiteral("chkIncludeStatus"));
    at(chkIncludeStatus, 5160, 2280, 1455, 615);
    chkIncludeStatus->resize(std::max(chkIncludeStatus->width(), chkIncludeStatus->sizeHint().width()),
                             chkIncludeStatus->height());
    cbIncludeDebugComments = new QCheckBox(QStringLiteral("Include Debug Comments (1-7)"), this);
    cbIncludeDebugComments->setObjectName(QStringLiteral("cbIncludeDebugComments"));
    cbIncludeDebugComments->setToolTip(
        QStringLiteral("Include comments in script which identify each of the parts shown on the left"));
    at(cbIncludeDebugComments, 5160, 3000, 3015, 255);

    Frame5 = new QGroupBox(QStringLiteral("Default Templates"), this);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    at(Frame5, 6720, 480, 2055, 2415);
    // Keep the frame clear of the wider captions left of it.
    const int rightOfStatus = std::max({chkIncludeStatus->geometry().right(), m_looped->geometry().right(),
                                        cmdSettingsEditor->geometry().right()}) +
                              8;
    if (Frame5->x() < rightOfStatus)
        Frame5->move(rightOfStatus, Frame5->y());
    cmdSDIDefault = new QPushButton(QStringLiteral("Use SDI on/off"), Frame5);
    cmdSDIDefault->setObjectName(QStringLiteral("cmdSDIDefault"));
    cmdSDIDefault->setGeometry(tw(240), tw(360), tw(1575), tw(375));
    cmdCloseDefault = new QPushButton(QStringLiteral("Use _CLOSE"), Frame5);
    cmdCloseDefault->setObjectName(QStringLiteral("cmdCloseDefault"));
    cmdCloseDefault->setGeometry(tw(240), tw(840), tw(1575), tw(375));
    cmdClear = new QPushButton(QStringLiteral("Clear"), Frame5);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setGeometry(tw(240), tw(1800), tw(1575), tw(375));

    setMinimumSize(Frame5->geometry().right() + 6, cbIncludeDebugComments->geometry().bottom() + 6);

    connect(cbIncludeDebugComments, &QCheckBox::toggled, this, &BatchFlowTab::cbIncludeDebugComments_Click);
    connect(chkIncludeStatus, &QCheckBox::toggled, this, &BatchFlowTab::chkIncludeStatus_Click);
    connect(cmdClear, &QPushButton::clicked, this, &BatchFlowTab::cmdClear_Click);
    connect(cmdCloseDefault, &QPushButton::clicked, this, &BatchFlowTab::cmdCloseDefault_Click);
    connect(cmdSDIDefault, &QPushButton::clicked, this, &BatchFlowTab::cmdSDIDefault_Click);
    connect(cmdSettingsEditor, &QPushButton::clicked, this, &BatchFlowTab::cmdSettingsEditor_Click);
}

BatchFlowTab::~BatchFlowTab() = default;

void BatchFlowTab::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    // Each step label points at its box; the two boxes of every drawing brace "This gets Looped".
    for (const auto &[label, box] : m_links) {
        const int y = label->geometry().center().y();
        const int x = label->x() + label->fontMetrics().horizontalAdvance(label->text()) + 4;
        if (x < box->x())
            p.drawLine(x, y, box->x(), y);
    }
    const QPoint tip(m_looped->x() - 2, m_looped->geometry().center().y());
    p.drawLine(tbPreUserScript->geometry().right() + 3, tbPreUserScript->geometry().center().y(), tip.x(), tip.y());
    p.drawLine(tbPostUserScript->geometry().right() + 3, tbPostUserScript->geometry().center().y(), tip.x(), tip.y());
}

QPlainTextEdit *BatchFlowTab::box(const char *name) const
{
    return findChild<QPlainTextEdit *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

void BatchFlowTab::attachRunSwitches(QCheckBox *saveAs, QCheckBox *delay, QCheckBox *testRun)
{
    chkSaveAS = saveAs;
    chkDelay = delay;
    chkTestRun = testRun;
    if (chkSaveAS)
        connect(chkSaveAS, &QCheckBox::toggled, this, &BatchFlowTab::chkSaveAS_Click);
    if (chkDelay)
        connect(chkDelay, &QCheckBox::toggled, this, &BatchFlowTab::chkDelay_Click);
    if (chkTestRun)
        connect(chkTestRun, &QCheckBox::toggled, this, &BatchFlowTab::chkTestRun_Click);
}

void BatchFlowTab::cbIncludeDebugComments_Click()
{
    mainSettings().DebugComments = cbIncludeDebugComments->isChecked() ? 1 : 0;
}

void BatchFlowTab::chkIncludeStatus_Click() { mainSettings().IncludeStatus = chkIncludeStatus->isChecked() ? 1 : 0; }

void BatchFlowTab::chkDelay_Click()
{
    // Any value other than 0 means on; the box stores its own 0 or 1.
    mainSettings().UseDelay = chkDelay && chkDelay->isChecked() ? -1 : 0;
}

void BatchFlowTab::chkSaveAS_Click()
{
    if (chkSaveAS && chkSaveAS->isChecked() && chkTestRun && chkTestRun->isChecked())
        chkTestRun->setChecked(false);
}

void BatchFlowTab::chkTestRun_Click()
{
    if (chkTestRun && chkTestRun->isChecked() && chkSaveAS && chkSaveAS->isChecked())
        chkSaveAS->setChecked(false);
}

void BatchFlowTab::cmdClear_Click()
{
    if (msgBox(QStringLiteral("Are you sure you want to clear the PREBATCH COMMAND, PREUSERSCRIPT, POSTUSERSCRIPT and "
                              "POSTBATCH Command boxes."),
               vbYesNo + vbExclamation, QStringLiteral("Warning!")) != vbYes)
        return;
    setBoxText(tbPreBatch, QString());
    setBoxText(tbPreUserScript, QString());
    setBoxText(tbPostBatch, QString());
    setBoxText(tbPostUserScript, QString());
}

bool BatchFlowTab::askPreset()
{
    return msgBox(QStringLiteral("By continuing, your SETTINGS tab information will be changed to a default "
                                 "setting.\r\n\r\nContinue?"),
                  vbYesNo + vbExclamation, QStringLiteral("Warning!")) == vbYes;
}

void BatchFlowTab::cmdCloseDefault_Click()
{
    if (!askPreset())
        return;
    setBoxText(tbPreBatch, QString());
    setBoxText(tbPostUserScript, QStringLiteral("_CLOSE"));
    setBoxText(tbPostBatch, QString());
}

void BatchFlowTab::cmdSDIDefault_Click()
{
    if (!askPreset())
        return;
    setBoxText(tbPreBatch, QStringLiteral("_SDI 1"));
    setBoxText(tbPreUserScript, QString());
    setBoxText(tbPostUserScript, QString());
    setBoxText(tbPostBatch, QStringLiteral("_SDI 0"));
}

frmSettings *BatchFlowTab::settingsEditor()
{
    if (!m_editor)
        m_editor = std::make_unique<frmSettings>(this);
    return m_editor.get();
}

void BatchFlowTab::cmdSettingsEditor_Click()
{
    frmSettings *dlg = settingsEditor();
    // Owned by the main window (it stays above it) without becoming its child, so the main
    // window's boxes remain the only ones of their names below it.
    dlg->winId();
    if (QWidget *main = window(); main && main->windowHandle())
        dlg->windowHandle()->setTransientParent(main->windowHandle());
    dlg->exec();
}

} // namespace tess
