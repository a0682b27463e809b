#include "wizards/frmResetAcadSysVars.h"

#include "core/mainsettings.h"
#include "wizards/resetsysvars.h"

#include <QLabel>
#include <QPushButton>

namespace tess {

namespace {

std::function<QString()> &programPathSource()
{
    static std::function<QString()> f;
    return f;
}

std::function<void(QWidget *)> &optionsOpener()
{
    static std::function<void(QWidget *)> f;
    return f;
}

} // namespace

frmResetAcadSysVars::frmResetAcadSysVars(QWidget *parent)
    : WizardWindow(QStringLiteral("frmResetAcadSysVars"), QStringLiteral(" Reset AutoCAD System Variables"), parent)
{
    Label1 = addLabel(
        QStringLiteral("Label1"),
        QStringLiteral("Sometimes AutoCADs system variables may not get properly reset due to various reasons.  "
                       "Pressing \"RESET\" below will run the RESET.SCR script in your Tessaline directory, by "
                       "launching AutoCAD, running the script, then shutting AutoCAD down with the corrected "
                       "settings.   You can edit/view the script by pressing the \"EDIT\" button."));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdReset = addButton(QStringLiteral("cmdReset"), QStringLiteral("&Reset"));
    cmdReset->setDefault(true);
    cmdEdit = addButton(QStringLiteral("cmdEdit"), QStringLiteral("&Edit"));
    cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"));
    setCancelButton(cmdCancel);

    // clang-format off
    const QList<Placement> table = {
        {"Label1", 240, 240, 5640, 1335},
        {"cmdReset", 960, 1800, 1215, 375},
        {"cmdEdit", 2460, 1800, 1215, 375},
        {"cmdCancel", 3960, 1800, 1215, 375},
    };
    // clang-format on
    placeAll(table, 6120, 2415);

    connect(cmdReset, &QPushButton::clicked, this, &frmResetAcadSysVars::cmdReset_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmResetAcadSysVars::cmdEdit_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmResetAcadSysVars::cmdCancel_Click);
}

void frmResetAcadSysVars::cmdReset_Click()
{
    const QString program = programPathSource() ? programPathSource()() : mainSettings().AutoCADEXE;
    if (startResetScript(program) == ResetOutcome::SetupIssue && optionsOpener())
        optionsOpener()(this);
}

void frmResetAcadSysVars::cmdEdit_Click() { editResetScript(); }

void frmResetAcadSysVars::setProgramPathSource(std::function<QString()> source)
{
    programPathSource() = std::move(source);
}

void frmResetAcadSysVars::setOptionsOpener(std::function<void(QWidget *owner)> opener)
{
    optionsOpener() = std::move(opener);
}

} // namespace tess
