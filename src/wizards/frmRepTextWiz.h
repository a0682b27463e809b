#pragma once
// The text search-and-replace wizard: loads "REPTEXT.LSP" and runs REPTEXT on the chosen object
// kinds; with "Process MTEXT (VBA)" the MTEXT macro follows with the same two texts.

#include "wizards/scriptwizard.h"
#include "wizards/wizardblocks.h"

namespace tess {

class frmRepTextWiz final : public ScriptWizard
{
    Q_OBJECT
public:
    explicit frmRepTextWiz(ScriptFacts *script, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLineEdit *tbSearchFor = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *tbReplaceText = nullptr;
    QCheckBox *chkRegText = nullptr;
    QCheckBox *chkDims = nullptr;
    QCheckBox *chkBlocks = nullptr;
    QCheckBox *chkSearchMtext = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdCreate = nullptr;

    RepTextFields fields() const;

    void chkRegText_Click() { UpdateCreateButton(); }
    void chkDims_Click() { UpdateCreateButton(); }
    void chkBlocks_Click() { UpdateCreateButton(); }
    void chkSearchMtext_Click() { UpdateCreateButton(); }
    // "&Create" is enabled while at least one of the four boxes is ticked.
    void UpdateCreateButton();
    void cmdCancel_Click() { hide(); }
    void cmdCreate_Click();
};

} // namespace tess
