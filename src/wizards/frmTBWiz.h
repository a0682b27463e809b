#pragma once
// The title-block wizard: sets attributes of one named block (as a rule the title block) in every
// drawing of a batch. Fifty rows "Change <attribute> to <value>", the value fixed text or a tag,
// each with an example of what the value becomes; the rows live on in templates (".TBW") and in
// the user's state file ("-tbw.tmp").

#include "wizards/rowtemplatewizard.h"
#include "wizards/tablewizardblocks.h"

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace tess {

class frmTBWiz final : public RowTemplateWizard
{
    Q_OBJECT
public:
    // queueCount: the number of drawings queued now ("$FILECOUNTINQUEUE$" of the examples).
    frmTBWiz(ScriptFacts *script, std::function<qsizetype()> queueCount, QWidget *parent = nullptr);

    QGroupBox *Frame1 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *tbBlockName = nullptr;
    QTabWidget *SSTab1 = nullptr;
    std::array<QLineEdit *, kWizardRows> Text1{};  // attribute names
    std::array<QComboBox *, kWizardRows> Combo1{}; // values
    std::array<QLabel *, kWizardRows> Label7{};    // output examples
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdConfigureVars = nullptr;
    QComboBox *cmbTBWSelector = nullptr;
    QPushButton *cmdSaveTBW = nullptr;
    QPushButton *cmdDeleteTBW = nullptr;
    QPushButton *Command1 = nullptr;

    // The dialog's 101 texts.
    TitleBlockRows rows() const;

    void UpdateExamples();
    bool SaveTBW(const QString &name) { return saveRows(name); }
    void LoadTBW(const QString &name) { loadRows(name); }
    void RefreshTBWList() { refreshTemplateList(); }

    void cmdClear_Click();
    void cmdConfigureVars_Click() { configureTags(); }
    // Create: an empty block name with rows to write is refused (every row would change nothing);
    // otherwise the Create step of every wizard with CreateTBWScript as its writer.
    void Command1_Click();
    // The user's state file written, the rows left out named, then the texts of the block for the
    // script as it stands.
    QStringList CreateTBWScript(const QString &script);

protected:
    void Form_Activate() override;
    QStringList rowTexts() const override;
    void applyRowTexts(const QStringList &lines) override;

private:
    void buildPage(int page);

    std::function<qsizetype()> m_queueCount;
    // While the rows are written as a whole, the examples follow once at the end.
    bool m_filling = false;
};

} // namespace tess
