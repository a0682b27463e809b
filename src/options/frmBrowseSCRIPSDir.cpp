#include "options/frmBrowseSCRIPSDir.h"

#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"

#include <QLineEdit>
#include <QPushButton>

namespace tess {

frmBrowseSCRIPSDir::frmBrowseSCRIPSDir(QLineEdit *scriptDir, QWidget *parent)
    : OptionsPicker("frmBrowseSCRIPSDir", QStringLiteral("Select location for User Scripts"), false, parent),
      m_scriptDir(scriptDir)
{
    cmdOk = addButton("cmdOk", QStringLiteral("&Ok"));
    cmdOk->setDefault(true);
    cmdCancel = addButton("cmdCancel", QStringLiteral("&Cancel"));
    place({{"Drive1", 120, 120, 3015, 315},
           {"Dir1", 120, 540, 3015, 3210},
           {"cmdOk", 3255, 540, 1560, 375},
           {"cmdCancel", 3255, 1020, 1560, 375}},
          4935, 3870);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    // The folder shown is always a choice, the first one included.
    cmdOk->setEnabled(false);
    connect(cmdOk, &QPushButton::clicked, this, &frmBrowseSCRIPSDir::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBrowseSCRIPSDir::cmdCancel_Click);
}

void frmBrowseSCRIPSDir::folderChanged() { cmdOk->setEnabled(!Dir1->path().isEmpty()); }

void frmBrowseSCRIPSDir::cmdOk_Click()
{
    if (Dir1->path().isEmpty())
        return;
    m_scriptDir->setText(Dir1->path());
    accept();
}

} // namespace tess
