#include "options/frmSCRDirSelect.h"

#include "core/processhelpers.h"
#include "options/pickerpaths.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tess {

frmSCRDirSelect::frmSCRDirSelect(QLineEdit *normalOutput, QLineEdit *altOutput, QRadioButton *optNormalOutputPath,
                                 QWidget *parent)
    : OptionsPicker("frmSCRDirSelect", QStringLiteral("Select AutoCAD \"SUPPORT\" Folder"), false, parent),
      m_normal(normalOutput), m_alt(altOutput), m_optNormal(optNormalOutputPath)
{
    Label1 = new QLabel(QStringLiteral("Please Select your AutoCAD SUPPORT directory, and press OK"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    SCRSelectCommandOk = addButton("SCRSelectCommandOk", QStringLiteral("&Ok"));
    SCRSelectCommandOk->setDefault(true);
    SCRSelectCommandCancel = addButton("SCRSelectCommandCancel", QStringLiteral("&Cancel"));
    SCRSelectExplorer = addButton("SCRSelectExplorer", QStringLiteral("&Explorer"));
    place({{"Label1", 120, 120, 4695, 435},
           {"Drive1", 120, 660, 3015, 315},
           {"Dir1", 120, 1080, 3015, 3135},
           {"SCRSelectCommandOk", 3255, 1080, 1560, 375},
           {"SCRSelectCommandCancel", 3255, 1560, 1560, 375},
           {"SCRSelectExplorer", 3255, 2040, 1560, 375}},
          4935, 4365);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, SCRSelectCommandOk);
    setTabOrder(SCRSelectCommandOk, SCRSelectCommandCancel);
    setTabOrder(SCRSelectCommandCancel, SCRSelectExplorer);
    connect(SCRSelectCommandOk, &QPushButton::clicked, this, &frmSCRDirSelect::SCRSelectCommandOk_Click);
    connect(SCRSelectCommandCancel, &QPushButton::clicked, this, &frmSCRDirSelect::SCRSelectCommandCancel_Click);
    connect(SCRSelectExplorer, &QPushButton::clicked, this, &frmSCRDirSelect::SCRSelectExplorer_Click);
}

void frmSCRDirSelect::SCRSelectCommandOk_Click()
{
    if (Dir1->path().isEmpty())
        return;
    const QString path = batchScriptInFolder(Dir1->path());
    (m_optNormal->isChecked() ? m_normal : m_alt)->setText(path);
    accept();
}

void frmSCRDirSelect::SCRSelectExplorer_Click()
{
    RunCommandLine(QStringLiteral("explorer.exe /n,/e, ") + Dir1->path(), 1);
}

} // namespace tess
