#include "batch/frmNightRun.h"

#include "batch/nightrun.h"
#include "core/clock.h"
#include "widgets/controlfactory.h"
#include "widgets/placement.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <utility>

namespace tess {

namespace {

const QString kCaption = QStringLiteral(" Tessaline - Night Run");
const QString kRunCaption = QStringLiteral("Create && &RUN Batch Script");

const QList<Placement> &placements()
{
    static const QList<Placement> table = {
        {"Label1", 480, 480, 1455, 255},        {"tbRunTime", 2040, 480, 1215, 285},
        {"Label2", 2040, 840, 1335, 255, 2400}, {"chkActivate", 2040, 1200, 1335, 375},
        {"lblCountDown", 240, 1800, 4695, 375}, {"cmdClose", 3600, 2280, 1335, 375},
    };
    return table;
}

QFont boldArial12(QFont f)
{
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), f.family()});
    f.setPointSize(12);
    f.setBold(true);
    return f;
}

} // namespace

frmNightRun::frmNightRun(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmNightRun"));
    setWindowTitle(kCaption);
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Run Script at"), this);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tbRunTime = new QLineEdit(QStringLiteral("8:30:00 PM"), this);
    tbRunTime->setObjectName(QStringLiteral("tbRunTime"));
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("eg: 9:00:00 PM"), this);
    chkActivate = new QCheckBox(QStringLiteral("Activate"), this);
    chkActivate->setObjectName(QStringLiteral("chkActivate"));
    chkActivate->setFont(boldArial12(chkActivate->font()));
    lblCountDown = makeLabel(QStringLiteral("lblCountDown"), QString(), this);
    lblCountDown->setAlignment(Qt::AlignCenter);
    lblCountDown->setFont(boldArial12(lblCountDown->font()));
    cmdClose = makeButton(QStringLiteral("cmdClose"), QStringLiteral("&Close"), this);
    placeControls(this, placements());
    setFixedSize(twipsToPixels(5235), twipsToPixels(2760));

    connect(chkActivate, &QCheckBox::toggled, this, &frmNightRun::chkActivate_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmNightRun::cmdClose_Click);
    // The one timer of the program: it ticks while the window lives; a tick does nothing unarmed.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmNightRun::Timer1_Timer);
    Timer1->start();
    // Opens in the middle of the screen.
    centreOnScreen(this, parent);
}

bool frmNightRun::isArmed() const { return chkActivate->isChecked(); }

void frmNightRun::chkActivate_Click(bool armed)
{
    if (armed) {
        m_armedAt = Clock::now();
        setWindowTitle(kCaption + QStringLiteral(" - ACTIVATED"));
        cmdClose->setEnabled(false);
        Q_EMIT createButtonsEnabledRequested(false);
        return;
    }
    setWindowTitle(kCaption);
    cmdClose->setEnabled(true);
    lblCountDown->clear();
    Q_EMIT createButtonsEnabledRequested(true);
    Q_EMIT runCaptionChanged(kRunCaption);
}

void frmNightRun::cmdClose_Click() { hide(); }

void frmNightRun::closeEvent(QCloseEvent *event)
{
    chkActivate->setChecked(false);
    QDialog::closeEvent(event);
}

void frmNightRun::Timer1_Timer()
{
    if (!isArmed())
        return;
    const std::optional<QTime> start = parseRunTime(tbRunTime->text());
    if (!start) {
        lblCountDown->setText(QStringLiteral(" Please Correct your Start-Time"));
        return;
    }
    // The start moment follows the text as it stands, from the moment of arming: a start time that
    // passed before arming means the next day, and a late tick still starts the run.
    const QDateTime now = Clock::now();
    const QDateTime at = nightRunStart(*start, m_armedAt);
    const QString left = countdownText(now.secsTo(at));
    lblCountDown->setText(QStringLiteral(" Batch will Start in ") + left);
    Q_EMIT runCaptionChanged(QStringLiteral(" Batch Starts in ") + left);
    if (!nightRunDue(at, now))
        return;
    // Disarmed before the press, so a tick during the run finds nothing to do.
    chkActivate->setChecked(false);
    cmdClose->setEnabled(true);
    cmdClose->click();
    QCoreApplication::processEvents();
    Q_EMIT createAndRunRequested();
}

} // namespace tess
