#pragma once
// The user-script folder picker "Select location for User Scripts": OK writes the folder shown
// into the Options dialog's script-folder box.

#include "options/optionspicker.h"

class QLineEdit;

namespace tess {

class frmBrowseSCRIPSDir final : public OptionsPicker
{
    Q_OBJECT
public:
    explicit frmBrowseSCRIPSDir(QLineEdit *scriptDir, QWidget *parent = nullptr);

    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click() { reject(); }

protected:
    void folderChanged() override;

private:
    QLineEdit *m_scriptDir;
};

} // namespace tess
