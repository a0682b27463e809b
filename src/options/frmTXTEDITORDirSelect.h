#pragma once
// The text-editor picker "Select Text Editor EXE": a program chosen in the file list (OK or a
// double-click) goes into the Options dialog's text-editor box. OK is usable only while a program
// is selected. "&Explorer" shows the folder in the file manager.

#include "options/optionspicker.h"

class QLineEdit;

namespace tess {

class frmTXTEDITORDirSelect final : public OptionsPicker
{
    Q_OBJECT
public:
    explicit frmTXTEDITORDirSelect(QLineEdit *textEditor, QWidget *parent = nullptr);

    QPushButton *TXTEDITORCommandOk = nullptr;
    QPushButton *TXTEDITORCommandCancel = nullptr;
    QPushButton *TXTEDITORExplorer = nullptr;

    void TXTEDITORCommandOk_Click();
    void TXTEDITORCommandCancel_Click() { reject(); }
    void TXTEDITORExplorer_Click();
    void File1_DblClick() { TXTEDITORCommandOk_Click(); }

protected:
    void folderChanged() override { fileSelectionChanged(); }
    void fileSelectionChanged() override;

private:
    QLineEdit *m_editor;
};

} // namespace tess
