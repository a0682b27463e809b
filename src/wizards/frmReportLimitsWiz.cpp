#include "wizards/frmReportLimitsWiz.h"

#include "core/appenvironment.h"
#include "wizards/wizardblocks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

frmReportLimitsWiz::frmReportLimitsWiz(ScriptFacts *script, QWidget *parent)
    : ScriptWizard(script, QStringLiteral("frmReportLimitsWiz"), QStringLiteral(" Report Limits Wizard"), parent)
{
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Report in:"));
    tbOutput = addField(QStringLiteral("tbOutput"), QStringLiteral("C:\\LIMITS_OUT.CSV"));
    addOptionPair();
    cmdCancel = addButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdCreate = addButton(QStringLiteral("cmdCreate"), QStringLiteral("&Create"));
    cmdCreate->setDefault(true);
    setCancelButton(cmdCancel);
    Label1->setBuddy(tbOutput);

    // clang-format off
    QList<Placement> table = {
        {"Label1", 240, 270, 1095, 255},
        {"tbOutput", 1380, 240, 3780, 315},
        {"frameOptions", 240, 720, 2535, 900},
        {"cmdCancel", 2955, 1245, 1035, 375},
        {"cmdCreate", 4125, 1245, 1035, 375},
    };
    // clang-format on
    table += optionPairPlacements();
    placeAll(table, 5400, 1860);

    connect(cmdCancel, &QPushButton::clicked, this, &frmReportLimitsWiz::cmdCancel_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmReportLimitsWiz::cmdCreate_Click);
}

void frmReportLimitsWiz::cmdCreate_Click()
{
    const QString report = tbOutput->text();
    createScript(
        [report](const QString &script) { return WriteLimitsScript(script, report, AppEnvironment::programFolder()); });
}

} // namespace tess
