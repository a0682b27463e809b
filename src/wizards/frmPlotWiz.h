#pragma once
// The plot wizard: plot questions that no code reads, and "Create Script", which replaces the user
// script with a fixed "-PLOT" block after ConfirmOverwrite. No menu entry shows it.

#include "wizards/scriptwizard.h"

namespace tess {

class frmPlotWiz final : public ScriptWizard
{
    Q_OBJECT
public:
    explicit frmPlotWiz(ScriptFacts *script, QWidget *parent = nullptr);

    QPushButton *Command1 = nullptr;

    void Command1_Click();
};

} // namespace tess
