#include "options/frmAutoCADEXEBrowse.h"

#include "core/pathhelpers.h"
#include "core/prompts.h"
#include "options/pickerpaths.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"

#include <QLineEdit>
#include <QPushButton>

namespace tess {

frmAutoCADEXEBrowse::frmAutoCADEXEBrowse(QLineEdit *autoCadExe, QLineEdit *normalOutput, QWidget *parent)
    : OptionsPicker("frmAutoCADEXEBrowse", QStringLiteral("Select AutoCAD EXE"), true, parent), m_autoCad(autoCadExe),
      m_normalOutput(normalOutput)
{
    cmdOk = addButton("cmdOk", QStringLiteral("&Ok"));
    cmdOk->setDefault(true);
    cmdCancel = addButton("cmdCancel", QStringLiteral("&Cancel"));
    place({{"Drive1", 120, 120, 3135, 315},
           {"Dir1", 120, 540, 3135, 3135},
           {"File1", 3375, 120, 3240, 3555},
           {"cmdOk", 2040, 3810, 1335, 375},
           {"cmdCancel", 3495, 3810, 1335, 375}},
          6735, 4305);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, cmdOk);
    setTabOrder(cmdOk, cmdCancel);
    cmdOk->setEnabled(false);
    connect(cmdOk, &QPushButton::clicked, this, &frmAutoCADEXEBrowse::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAutoCADEXEBrowse::cmdCancel_Click);
}

void frmAutoCADEXEBrowse::fileSelectionChanged()
{
    const QString name = FileName();
    cmdOk->setEnabled(!name.isEmpty() && isProgramFile(joinPath(Dir1->path(), name)));
}

void frmAutoCADEXEBrowse::cmdOk_Click()
{
    const QString name = FileName();
    const QString folder = Dir1->path();
    if (name.isEmpty() || folder.isEmpty() || !isProgramFile(joinPath(folder, name)))
        return;
    m_autoCad->setText(joinPath(folder, name));
    if (msgBox(QStringLiteral("Would you like your \"Batch Script Output Path (tessaline.scr)\" location set "
                              "automatically?"),
               vbYesNo | vbExclamation, appTitle()) == vbYes)
        m_normalOutput->setText(supportBatchScript(folder));
    accept();
}

} // namespace tess
