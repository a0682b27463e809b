#pragma once
// The search-and-log-text wizard: loads "LOG_TEXT.LSP" and runs LOG_TEXT, which writes the TEXT
// objects matching a wildcard pattern (case counts) to a report file.

#include "wizards/scriptwizard.h"

namespace tess {

class frmLOGTextWiz final : public ScriptWizard
{
    Q_OBJECT
public:
    explicit frmLOGTextWiz(ScriptFacts *script, QWidget *parent = nullptr);

    QLabel *Label4 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *tbSearchFor = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *tbOutput = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdCreate = nullptr;

    void cmdCancel_Click() { hide(); }
    void cmdCreate_Click();
};

} // namespace tess
