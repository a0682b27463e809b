#pragma once
// The output-folder picker "Select AutoCAD "SUPPORT" Folder": OK writes the folder's
// "tessaline.scr" into the output box in use (the normal one when its option is selected, else the
// alternate one). "&Explorer" shows the folder in the file manager.

#include "options/optionspicker.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace tess {

class frmSCRDirSelect final : public OptionsPicker
{
    Q_OBJECT
public:
    frmSCRDirSelect(QLineEdit *normalOutput, QLineEdit *altOutput, QRadioButton *optNormalOutputPath,
                    QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QPushButton *SCRSelectCommandOk = nullptr;
    QPushButton *SCRSelectCommandCancel = nullptr;
    QPushButton *SCRSelectExplorer = nullptr;

    void SCRSelectCommandOk_Click();
    void SCRSelectCommandCancel_Click() { reject(); }
    void SCRSelectExplorer_Click();

private:
    QLineEdit *m_normal;
    QLineEdit *m_alt;
    QRadioButton *m_optNormal;
};

} // namespace tess
