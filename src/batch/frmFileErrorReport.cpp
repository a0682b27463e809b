#include "batch/frmFileErrorReport.h"

#include "core/mainsettings.h"
#include "widgets/controlfactory.h"
#include "widgets/listwidgets.h"
#include "widgets/placement.h"
#include "widgets/screenplacement.h"

#include <QGroupBox>
#include <QListWidget>

namespace tess {

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;

// The report in twips: the frame on the window, everything else in the frame. The read-only caption
// takes two lines in the program's font: it starts a little higher so that both lines clear the list;
// the clipboard button may grow towards the removal button.
const QList<Placement> &placements()
{
    static const QList<Placement> table = {
        {"Frame1", 120, 120, 12495, 6735},
        {"lblNonExist", 360, 360, 11895, 255},
        {"lblReadOnly", 360, 630, 11895, 435},
        {"lstFileErrors", 120, 1080, 12255, 3960},
        {"cmdCopytoClip", 120, 5400, 1935, 495, 3480},
        {"cmdRemoveREADONLY", 3840, 5400, 3615, 495},
        {"lblOR", 7560, 5520, 375, 255},
        {"cmdContinue", 7920, 5400, 1935, 495},
        {"cmdCancel", 10320, 6000, 1935, 495},
        {"Label1", 9960, 5520, 375, 255},
        {"cmdIgnore", 10320, 5400, 1935, 495},
    };
    return table;
}

QString readOnlyCaption(QChar quote)
{
    return QStringLiteral("Files shown in ") + quote + QStringLiteral("lowercase") + quote +
           QStringLiteral(" are marked READONLY or are LOCKED by another user - (These files can be processed, but "
                          "the changes WILL NOT BE SAVED)");
}

QLabel *centredLabel(const QString &name, const QString &caption, QWidget *parent)
{
    QLabel *l = makeLabel(name, caption, parent);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

frmFileErrorReport::frmFileErrorReport(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmFileErrorReport"));
    setWindowTitle(QStringLiteral(" File Access Error Report"));
    setModal(true);

    Frame1 = new QGroupBox(QStringLiteral("There are problems with the following files:"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lblNonExist =
        makeLabel(QStringLiteral("lblNonExist"),
                  QStringLiteral("Files shown in \"uppercase\" - DO NOT EXIST - (They will be AUTOMATICALLY be "
                                 "removed from the queue)"),
                  Frame1);
    lblReadOnly = makeLabel(QStringLiteral("lblReadOnly"), readOnlyCaption(QLatin1Char('"')), Frame1);
    lblReadOnly->setWordWrap(true);
    lstFileErrors = new QListWidget(Frame1);
    lstFileErrors->setObjectName(QStringLiteral("lstFileErrors"));
    lstFileErrors->setSelectionMode(QAbstractItemView::NoSelection);
    // Long paths scroll sideways rather than being cut.
    lstFileErrors->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstFileErrors->setTextElideMode(Qt::ElideNone);
    cmdCopytoClip = makeButton(QStringLiteral("cmdCopytoClip"), QStringLiteral("Copy &List to Clipboard"), Frame1);
    cmdRemoveREADONLY =
        makeButton(QStringLiteral("cmdRemoveREADONLY"), QStringLiteral("R&emove READ-ONLY Files from Queue"), Frame1);
    lblOR = centredLabel(QStringLiteral("lblOR"), QStringLiteral("OR"), Frame1);
    cmdContinue = makeButton(QStringLiteral("cmdContinue"), QStringLiteral("&Continue"), Frame1);
    cmdCancel = makeButton(QStringLiteral("cmdCancel"), QStringLiteral("C&ancel"), Frame1);
    Label1 = centredLabel(QStringLiteral("Label1"), QStringLiteral("OR"), Frame1);
    cmdIgnore = makeButton(QStringLiteral("cmdIgnore"), QStringLiteral("&Ignore"), Frame1);
    cmdIgnore->setToolTip(QStringLiteral("Goes on without removing any file from the queue"));
    // Tab order as the controls stand in the frame.
    setTabOrder(lstFileErrors, cmdCopytoClip);
    setTabOrder(cmdCopytoClip, cmdRemoveREADONLY);
    setTabOrder(cmdRemoveREADONLY, cmdContinue);
    setTabOrder(cmdContinue, cmdCancel);
    setTabOrder(cmdCancel, cmdIgnore);

    placeControls(this, placements());
    setFixedSize(twipsToPixels(12720), twipsToPixels(6945));

    // At first load the labels and the removal button wait for problems of their kind.
    lblNonExist->setEnabled(false);
    lblReadOnly->setEnabled(false);
    cmdRemoveREADONLY->setEnabled(false);

    connect(cmdContinue, &QPushButton::clicked, this, &frmFileErrorReport::cmdContinue_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFileErrorReport::cmdCancel_Click);
    connect(cmdIgnore, &QPushButton::clicked, this, &frmFileErrorReport::cmdIgnore_Click);
    connect(cmdRemoveREADONLY, &QPushButton::clicked, this, &frmFileErrorReport::cmdRemoveREADONLY_Click);
    connect(cmdCopytoClip, &QPushButton::clicked, this, &frmFileErrorReport::cmdCopytoClip_Click);
}

void frmFileErrorReport::setProblems(const QList<QueueProblem> &problems)
{
    lstFileErrors->clear();
    for (const QueueProblem &p : problems) {
        auto *item = new QListWidgetItem(p.shown(), lstFileErrors);
        item->setData(kKindRole, int(p.kind));
        item->setData(kPathRole, p.path);
        if (p.kind == QueueProblem::Missing) {
            lblNonExist->setEnabled(true);
        } else {
            cmdRemoveREADONLY->setEnabled(true);
            lblReadOnly->setEnabled(true);
        }
    }
}

QList<QueueProblem> frmFileErrorReport::problems() const
{
    QList<QueueProblem> out;
    for (int i = 0; i < lstFileErrors->count(); ++i) {
        const QListWidgetItem *item = lstFileErrors->item(i);
        out.append({item->data(kPathRole).toString(), QueueProblem::Kind(item->data(kKindRole).toInt())});
    }
    return out;
}

int frmFileErrorReport::problemCount() const { return lstFileErrors->count(); }

void frmFileErrorReport::showEvent(QShowEvent *event)
{
    cmdRemoveREADONLY->setVisible(true);
    lblOR->setVisible(true);
    lblReadOnly->setText(readOnlyCaption(QLatin1Char('\'')));
    centreOnScreen(this, parentWidget());
    QDialog::showEvent(event);
}

int frmFileErrorReport::removeKinds(const QSet<int> &kinds)
{
    QSet<QString> paths;
    int removed = 0;
    for (int i = lstFileErrors->count() - 1; i >= 0; --i) {
        const QListWidgetItem *item = lstFileErrors->item(i);
        if (!kinds.contains(item->data(kKindRole).toInt()))
            continue;
        paths.insert(item->data(kPathRole).toString());
        delete lstFileErrors->takeItem(i);
        ++removed;
    }
    if (!paths.isEmpty() && m_removeFromQueue)
        m_removeFromQueue(paths);
    return removed;
}

void frmFileErrorReport::RemoveMissingFiles()
{
    if (removeKinds({QueueProblem::Missing}) > 0)
        lblNonExist->setEnabled(false);
}

void frmFileErrorReport::cmdRemoveREADONLY_Click()
{
    if (removeKinds({QueueProblem::Locked, QueueProblem::ReadOnly}) > 0) {
        cmdRemoveREADONLY->setEnabled(false);
        lblReadOnly->setEnabled(false);
    }
}

void frmFileErrorReport::cmdContinue_Click()
{
    RemoveMissingFiles();
    if (mainSettings().LT != 0)
        cmdRemoveREADONLY_Click();
    done(QDialog::Accepted);
}

void frmFileErrorReport::cmdIgnore_Click() { done(QDialog::Accepted); }

void frmFileErrorReport::cmdCancel_Click()
{
    cmdRemoveREADONLY->setEnabled(false);
    lblNonExist->setEnabled(false);
    lblReadOnly->setEnabled(false);
    done(QDialog::Rejected);
}

void frmFileErrorReport::cmdCopytoClip_Click() { CopyListToClipboard(lstFileErrors); }

} // namespace tess
