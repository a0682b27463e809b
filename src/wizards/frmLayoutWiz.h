#pragma once
// The layout wizard: copies, deletes, creates or renames layout tabs in every drawing of a batch
// with -LAYOUT. Fifty rows of a tab name and, for Copy and Rename, a new name; one operation for
// all rows. The rows live on in templates (".ltw") and in the user's state file ("-LTW.tmp").

#include "wizards/rowtemplatewizard.h"
#include "wizards/tablewizardblocks.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace tess {

class frmLayoutWiz final : public RowTemplateWizard
{
    Q_OBJECT
public:
    explicit frmLayoutWiz(ScriptFacts *script, QWidget *parent = nullptr);

    QGroupBox *Frame1 = nullptr;
    std::array<QRadioButton *, 4> Option1{}; // Copy, Delete, New, Rename
    QTabWidget *SSTab1 = nullptr;
    std::array<QLineEdit *, kWizardRows> Text1{};  // tab names
    std::array<QLabel *, kWizardRows> Label2{};    // "to"
    std::array<QComboBox *, kWizardRows> Combo1{}; // new names
    std::array<QLabel *, 5> Label4{};              // "New Tab Name" of each page
    QPushButton *cmdConfigureVars = nullptr;
    QPushButton *cmdClear = nullptr;
    QComboBox *cmbLTWSelector = nullptr;
    QPushButton *cmdSaveLTW = nullptr;
    QPushButton *cmdDeleteLTW = nullptr;
    QPushButton *Command1 = nullptr;

    LayoutRows rows() const;
    LayoutOperation operation() const;

    bool SaveLTW(const QString &name) { return saveRows(name); }
    void LoadLTW(const QString &name) { loadRows(name); }
    void FillTemplateList() { refreshTemplateList(); }

    // Delete and New hide the new-name column (its boxes keep their text); Copy and Rename show it.
    void Option1_Click(int index);
    void cmdClear_Click();
    void cmdConfigureVars_Click() { configureTags(); }
    void Command1_Click();
    // The user's state file written, the rows left out named, then the texts of the block for the
    // script as it stands.
    QStringList CreateLayoutScript(const QString &script);

protected:
    void Form_Activate() override { FillTemplateList(); }
    QStringList rowTexts() const override;
    void applyRowTexts(const QStringList &lines) override;

private:
    void buildPage(int page);
};

} // namespace tess
