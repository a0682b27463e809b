#include "options/frmTXTEDITORDirSelect.h"

#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"

#include <QLineEdit>
#include <QPushButton>

namespace tess {

frmTXTEDITORDirSelect::frmTXTEDITORDirSelect(QLineEdit *textEditor, QWidget *parent)
    : OptionsPicker("frmTXTEDITORDirSelect", QStringLiteral("Select Text Editor EXE"), true, parent),
      m_editor(textEditor)
{
    TXTEDITORCommandOk = addButton("TXTEDITORCommandOk", QStringLiteral("&Ok"));
    TXTEDITORCommandOk->setDefault(true);
    TXTEDITORCommandCancel = addButton("TXTEDITORCommandCancel", QStringLiteral("&Cancel"));
    TXTEDITORExplorer = addButton("TXTEDITORExplorer", QStringLiteral("&Explorer"));
    place({{"Drive1", 120, 120, 3135, 315},
           {"Dir1", 120, 540, 3135, 3135},
           {"File1", 3375, 120, 3240, 3555},
           {"TXTEDITORCommandOk", 1320, 3810, 1335, 375},
           {"TXTEDITORCommandCancel", 2775, 3810, 1335, 375},
           {"TXTEDITORExplorer", 4230, 3810, 1335, 375}},
          6735, 4305);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, TXTEDITORCommandOk);
    setTabOrder(TXTEDITORCommandOk, TXTEDITORCommandCancel);
    setTabOrder(TXTEDITORCommandCancel, TXTEDITORExplorer);
    TXTEDITORCommandOk->setEnabled(false);
    connect(TXTEDITORCommandOk, &QPushButton::clicked, this, &frmTXTEDITORDirSelect::TXTEDITORCommandOk_Click);
    connect(TXTEDITORCommandCancel, &QPushButton::clicked, this, &frmTXTEDITORDirSelect::TXTEDITORCommandCancel_Click);
    connect(TXTEDITORExplorer, &QPushButton::clicked, this, &frmTXTEDITORDirSelect::TXTEDITORExplorer_Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, &frmTXTEDITORDirSelect::File1_DblClick);
    connect(File1, &FileListBox::enterPressed, this, &frmTXTEDITORDirSelect::File1_DblClick);
}

void frmTXTEDITORDirSelect::fileSelectionChanged() { TXTEDITORCommandOk->setEnabled(!FileName().isEmpty()); }

void frmTXTEDITORDirSelect::TXTEDITORCommandOk_Click()
{
    // Only a chosen program is taken: a folder alone is no editor.
    const QString name = FileName();
    if (name.isEmpty() || Dir1->path().isEmpty())
        return;
    m_editor->setText(joinPath(Dir1->path(), name));
    accept();
}

void frmTXTEDITORDirSelect::TXTEDITORExplorer_Click()
{
    RunCommandLine(QStringLiteral("explorer.exe /n,/e, ") + Dir1->path(), 1);
}

} // namespace tess
