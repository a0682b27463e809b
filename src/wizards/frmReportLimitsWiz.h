#pragma once
// The report-limits wizard: loads "LIMITS_OUT.LSP" and runs LIMITS_OUT, which adds each drawing's
// limits to a CSV report file.

#include "wizards/scriptwizard.h"

namespace tess {

class frmReportLimitsWiz final : public ScriptWizard
{
    Q_OBJECT
public:
    explicit frmReportLimitsWiz(ScriptFacts *script, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLineEdit *tbOutput = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdCreate = nullptr;

    void cmdCancel_Click() { hide(); }
    void cmdCreate_Click();
};

} // namespace tess
