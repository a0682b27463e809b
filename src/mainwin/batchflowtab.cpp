#include "mainwin/batchflowtab.h"

#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "mainwin/frmSettings.h"
#include "widgets/boxtext.h"
#include "widgets/commandbox.h"
#include "widgets/placement.h"
#include "widgets/twips.h"
#include "widgets/wrapcheckbox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>
#include <algorithm>

namespace tess {

namespace {

// The page's controls in twips, their tops counted from the top of the tab control. A step label
// may grow up to the boxes; the captions right of the boxes up to the "Default Templates" frame.
const QList<Placement> &pagePlacements()
{
    static const QList<Placement> table = {
        {"Label4", 240, 600, 1755, 195, 1920},
        {"tbPreBatch", 2160, 480, 2835, 525},
        {"Label2", 240, 960, 1755, 255, 1920},
        {"Label1", 240, 1320, 1695, 255, 1920},
        {"tbPreUserScript", 2160, 1080, 2835, 615},
        {"Label5", 240, 1680, 1575, 195, 1920},
        {"Label7", 240, 1920, 1635, 255, 1920},
        {"tbPostUserScript", 2160, 1920, 2835, 615},
        {"Label9", 240, 2280, 1575, 255, 1920},
        {"tbPostBatch", 2160, 2640, 2835, 615},
        {"Label6", 240, 2880, 1755, 195, 1920},
        {"Label8", 5580, 1560, 735, 435, 1080},
        {"cmdSettingsEditor", 5280, 480, 1335, 375, 1380},
        {"Frame5", 6720, 480, 2055, 2415},
        {"cmdSDIDefault", 240, 360, 1575, 375, 1695},
        {"cmdCloseDefault", 240, 840, 1575, 375, 1695},
        {"cmdClear", 240, 1800, 1575, 375, 1695},
        {"chkIncludeStatus", 5160, 2280, 1455, 615, 1560},
        {"cbIncludeDebugComments", 5160, 3000, 3015, 255, 3840},
    };
    return table;
}

// The flow lines in twips, tops counted as above; a line that starts at a step label names it.
struct FlowLine {
    const char *label;
    int x1, y1, x2, y2;
};
constexpr int kShortestLine = 6; // pixels
constexpr FlowLine kFlowLines[] = {
    {"Label4", 1920, 720, 2160, 720},   {"Label1", 1440, 1440, 2160, 1440}, {"Label9", 1560, 2400, 2160, 2400},
    {"Label6", 1920, 3000, 2160, 3000}, {nullptr, 5040, 1320, 5460, 1800},  {nullptr, 5040, 2400, 5460, 1800},
};

QLabel *stepLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

void setChecked(QCheckBox *box, bool on)
{
    if (box && box->isChecked() != on)
        box->setChecked(on); // runs the box's handler, as a user's click would
}

} // namespace

BatchFlowTab::BatchFlowTab(QWidget *parent, Build when)
    : DeferredPage(QStringLiteral("BatchFlowTab"), pagePlacements(), parent)
{
    if (when == Build::Now)
        build();
}

void BatchFlowTab::buildControls()
{
    // The flow down the left: step labels, the four boxes beside their steps.
    stepLabel(this, "Label4", QStringLiteral("1. PreBatch Command"));
    tbPreBatch =
        makeCommandBox(QStringLiteral("tbPreBatch"),
                       QStringLiteral("This command is added to the beginning of your script (optional)"), this);
    stepLabel(this, "Label2", QStringLiteral("2. OPEN [Filename]"));
    stepLabel(this, "Label1", QStringLiteral("3. PreUserScript"));
    tbPreUserScript = makeCommandBox(
        QStringLiteral("tbPreUserScript"),
        QStringLiteral("These commands are added to your script BEFORE your user script (optional)"), this);
    stepLabel(this, "Label5", QStringLiteral("4. [User Script]"));
    stepLabel(this, "Label7", QStringLiteral("5. QSAVE (Optional)"));
    tbPostUserScript = makeCommandBox(
        QStringLiteral("tbPostUserScript"),
        QStringLiteral("These commands are added to your script AFTER your user script (optional)"), this);
    stepLabel(this, "Label9", QStringLiteral("6. PostUserScript"));
    tbPostBatch = makeCommandBox(QStringLiteral("tbPostBatch"),
                                 QStringLiteral("This command is added to the end of your script (optional)"), this);
    stepLabel(this, "Label6", QStringLiteral("7. PostBatch Command"));
    QLabel *looped = stepLabel(this, "Label8", QStringLiteral("This gets Looped"));
    looped->setWordWrap(true);
    looped->setAlignment(Qt::AlignCenter);

    cmdSettingsEditor = new QPushButton(QStringLiteral("Larger Editor"), this);
    cmdSettingsEditor->setObjectName(QStringLiteral("cmdSettingsEditor"));

    Frame5 = new QGroupBox(QStringLiteral("Default Templates"), this);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    cmdSDIDefault = new QPushButton(QStringLiteral("Use SDI on/off"), Frame5);
    cmdSDIDefault->setObjectName(QStringLiteral("cmdSDIDefault"));
    cmdCloseDefault = new QPushButton(QStringLiteral("Use _CLOSE"), Frame5);
    cmdCloseDefault->setObjectName(QStringLiteral("cmdCloseDefault"));
    cmdClear = new QPushButton(QStringLiteral("Clear"), Frame5);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));

    // The box is narrow and two lines high: the caption breaks into lines.
    chkIncludeStatus =
        new WrapCheckBox(QStringLiteral("Include Status in AutoCAD Status Bar"), twipsToPixels(1455), this);
    chkIncludeStatus->setObjectName(QStringLiteral("chkIncludeStatus"));
    cbIncludeDebugComments = new QCheckBox(QStringLiteral("Include Debug Comments (1-7)"), this);
    cbIncludeDebugComments->setObjectName(QStringLiteral("cbIncludeDebugComments"));
    cbIncludeDebugComments->setToolTip(
        QStringLiteral("Include comments in script which identify each of the parts shown on the left"));
}

void BatchFlowTab::controlsPlaced()
{
    // The kept values, shown before the handlers connect: the program's settings hold them already.
    setBoxText(tbPreBatch, m_kept.boxes[0]);
    setBoxText(tbPreUserScript, m_kept.boxes[1]);
    setBoxText(tbPostUserScript, m_kept.boxes[2]);
    setBoxText(tbPostBatch, m_kept.boxes[3]);
    cbIncludeDebugComments->setChecked(m_kept.debugComments);
    chkIncludeStatus->setChecked(m_kept.includeStatus);

    connect(cbIncludeDebugComments, &QCheckBox::toggled, this, &BatchFlowTab::cbIncludeDebugComments_Click);
    connect(chkIncludeStatus, &QCheckBox::toggled, this, &BatchFlowTab::chkIncludeStatus_Click);
    connect(cmdClear, &QPushButton::clicked, this, &BatchFlowTab::cmdClear_Click);
    connect(cmdCloseDefault, &QPushButton::clicked, this, &BatchFlowTab::cmdCloseDefault_Click);
    connect(cmdSDIDefault, &QPushButton::clicked, this, &BatchFlowTab::cmdSDIDefault_Click);
    connect(cmdSettingsEditor, &QPushButton::clicked, this, &BatchFlowTab::cmdSettingsEditor_Click);
}

BatchFlowTab::~BatchFlowTab() = default;

QList<QLine> BatchFlowTab::flowLines() const
{
    QList<QLine> lines;
    if (!isBuilt())
        return lines;
    for (const FlowLine &f : kFlowLines) {
        QLine line(twipsToPixels(f.x1), twipsToPixels(f.y1 - kTabStripTwips), twipsToPixels(f.x2),
                   twipsToPixels(f.y2 - kTabStripTwips));
        if (f.label) {
            // The caption is wider in some fonts than the line's start allows for.
            const auto *label = findChild<QLabel *>(QLatin1String(f.label), Qt::FindDirectChildrenOnly);
            const int captionEnd = label->x() + label->fontMetrics().horizontalAdvance(label->text()) + 3;
            if (captionEnd + kShortestLine > line.x2())
                continue; // no room left for a line worth drawing
            line.setP1(QPoint(std::max(line.x1(), captionEnd), line.y1()));
        }
        lines << line;
    }
    return lines;
}

void BatchFlowTab::paintEvent(QPaintEvent *event)
{
    DeferredPage::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawLines(flowLines());
}

QPlainTextEdit *BatchFlowTab::box(const char *name) const
{
    // Asking for a box makes the controls, also from a caller that only reads.
    const_cast<BatchFlowTab *>(this)->build();
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

void BatchFlowTab::load(const MainSettings &s)
{
    // Copies first: the boxes' handlers write into the program's settings, which `s` may be.
    const QString preBatch = s.PreBatch, preUserScript = s.PreUserScript, postUserScript = s.PostUserScript,
                  postBatch = s.PostBatch;
    const bool debug = s.DebugComments != 0, status = s.IncludeStatus != 0, testRun = s.TestRun != 0,
               saveAs = s.SAVEAS != 0, delay = s.UseDelay != 0;
    if (isBuilt()) {
        setBoxText(tbPreBatch, boxTextFromCrLf(preBatch));
        setBoxText(tbPreUserScript, boxTextFromCrLf(preUserScript));
        setBoxText(tbPostUserScript, boxTextFromCrLf(postUserScript));
        setBoxText(tbPostBatch, boxTextFromCrLf(postBatch));
        setChecked(cbIncludeDebugComments, debug);
        setChecked(chkIncludeStatus, status);
    } else {
        m_kept.boxes[0] = boxTextOnceSet(preBatch);
        m_kept.boxes[1] = boxTextOnceSet(preUserScript);
        m_kept.boxes[2] = boxTextOnceSet(postUserScript);
        m_kept.boxes[3] = boxTextOnceSet(postBatch);
        m_kept.debugComments = debug;
        m_kept.includeStatus = status;
    }
    setChecked(chkTestRun, testRun);
    setChecked(chkSaveAS, saveAs); // unticks Test Run when both were on
    setChecked(chkDelay, delay);
    // The handlers ran only for boxes that changed; the settings follow the boxes either way.
    const Values shownValues = values();
    MainSettings &shown = mainSettings();
    shown.DebugComments = shownValues.debugComments ? 1 : 0;
    shown.IncludeStatus = shownValues.includeStatus ? 1 : 0;
    if (chkDelay)
        shown.UseDelay = chkDelay->isChecked() ? -1 : 0;
}

BatchFlowTab::Values BatchFlowTab::values() const
{
    if (!isBuilt())
        return m_kept;
    Values v;
    v.boxes[0] = plainBoxText(tbPreBatch);
    v.boxes[1] = plainBoxText(tbPreUserScript);
    v.boxes[2] = plainBoxText(tbPostUserScript);
    v.boxes[3] = plainBoxText(tbPostBatch);
    v.debugComments = cbIncludeDebugComments->isChecked();
    v.includeStatus = chkIncludeStatus->isChecked();
    return v;
}

void BatchFlowTab::store(MainSettings &s) const
{
    const Values v = values();
    s.PreBatch = crLfFromBoxText(v.boxes[0]);
    s.PreUserScript = crLfFromBoxText(v.boxes[1]);
    s.PostUserScript = crLfFromBoxText(v.boxes[2]);
    s.PostBatch = crLfFromBoxText(v.boxes[3]);
    s.DebugComments = v.debugComments ? 1 : 0;
    s.IncludeStatus = v.includeStatus ? 1 : 0;
    if (chkDelay)
        s.UseDelay = chkDelay->isChecked() ? 1 : 0;
    if (chkTestRun)
        s.TestRun = chkTestRun->isChecked() ? 1 : 0;
    if (chkSaveAS)
        s.SAVEAS = chkSaveAS->isChecked() ? 1 : 0;
}

void BatchFlowTab::cbIncludeDebugComments_Click()
{
    build();
    mainSettings().DebugComments = cbIncludeDebugComments->isChecked() ? 1 : 0;
}

void BatchFlowTab::chkIncludeStatus_Click()
{
    build();
    mainSettings().IncludeStatus = chkIncludeStatus->isChecked() ? 1 : 0;
}

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
    // AutoCAD LT cannot run a test without saving: Test Run (and its META command) stays unticked.
    if (chkTestRun && chkTestRun->isChecked() && mainSettings().LT == 1) {
        chkTestRun->setChecked(false);
        return;
    }
    if (chkTestRun && chkTestRun->isChecked() && chkSaveAS && chkSaveAS->isChecked())
        chkSaveAS->setChecked(false);
}

void BatchFlowTab::cmdClear_Click()
{
    build();
    if (msgBox(QStringLiteral("Are you sure you want to clear the PREBATCH COMMAND, PREUSERSCRIPT, POSTUSERSCRIPT and "
                              "POSTBATCH Command boxes."),
               vbYesNo + vbExclamation, warningTitle()) != vbYes)
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
                  vbYesNo + vbExclamation, warningTitle()) == vbYes;
}

void BatchFlowTab::cmdCloseDefault_Click()
{
    build();
    if (!askPreset())
        return;
    setBoxText(tbPreBatch, QString());
    setBoxText(tbPostUserScript, QStringLiteral("_CLOSE"));
    setBoxText(tbPostBatch, QString());
}

void BatchFlowTab::cmdSDIDefault_Click()
{
    build();
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
        m_editor = std::make_unique<frmSettings>(QList<QPlainTextEdit *>{box("tbPreBatch"), box("tbPreUserScript"),
                                                                         box("tbPostUserScript"), box("tbPostBatch")});
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
