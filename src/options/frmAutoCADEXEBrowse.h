#pragma once
// The AutoCAD program picker "Select AutoCAD EXE": OK, usable only while a program is selected,
// writes the program's path into the Options dialog's AutoCAD box and offers to set the normal
// batch-script output file to the SUPPORT folder beside the program.

#include "options/optionspicker.h"

class QLineEdit;

namespace tess {

class frmAutoCADEXEBrowse final : public OptionsPicker
{
    Q_OBJECT
public:
    frmAutoCADEXEBrowse(QLineEdit *autoCadExe, QLineEdit *normalOutput, QWidget *parent = nullptr);

    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click() { reject(); }
    void File1_Click() { fileSelectionChanged(); }

protected:
    void folderChanged() override { fileSelectionChanged(); }
    void fileSelectionChanged() override;

private:
    QLineEdit *m_autoCad;
    QLineEdit *m_normalOutput;
};

} // namespace tess
