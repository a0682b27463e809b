#pragma once
// The MTEXT search-and-replace wizard: loads the VBA project Mtext.dvb from the program's LISP
// folder, runs MTEXT.SearchAndReplace with the two texts and unloads the project.

#include "wizards/scriptwizard.h"

namespace tess {

class frmMtextSNR final : public ScriptWizard
{
    Q_OBJECT
public:
    explicit frmMtextSNR(ScriptFacts *script, QWidget *parent = nullptr);

    QLabel *Label3 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *tbSource = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *tbReplace = nullptr;
    QPushButton *cmdCreate = nullptr;

    void cmdCreate_Click();
};

} // namespace tess
