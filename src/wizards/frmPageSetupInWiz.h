#pragma once
// The page-setup import wizard: a block that imports a named page setup from another drawing with
// "_-PSETUPIN", with EXPERT raised to 2 for the import and set back to 0 after it.

#include "widgets/keptwindow.h"
#include "wizards/frmPageSetupWizSelect.h"
#include "wizards/scriptwizard.h"

#include <functional>

namespace tess {

class frmPageSetupInWiz final : public ScriptWizard
{
    Q_OBJECT
public:
    // mainLists: where the main window's file selector stands, read when the picker is created.
    frmPageSetupInWiz(ScriptFacts *script, std::function<MainFileLists()> mainLists, QWidget *parent = nullptr);

    QLabel *Label3 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *cmdSelectFile = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *cmdCreate = nullptr;
    QPushButton *cmdCancel = nullptr;

    // The picker while it exists (created by "Select", discarded by its close box).
    frmPageSetupWizSelect *picker() const { return m_picker.existing(); }

    void cmdSelectFile_Click();
    void cmdCancel_Click() { hide(); }
    void cmdCreate_Click();

private:
    std::function<MainFileLists()> m_mainLists;
    KeptWindow<frmPageSetupWizSelect> m_picker;
};

} // namespace tess
