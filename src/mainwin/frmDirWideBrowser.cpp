#include "mainwin/frmDirWideBrowser.h"

#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/keptwindow.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QPushButton>

namespace tess {

frmDirWideBrowser::frmDirWideBrowser(DirListBox *mainDir, QWidget *parent) : QDialog(parent), m_mainDir(mainDir)
{
    setObjectName(QStringLiteral("frmDirWideBrowser"));
    setWindowTitle(QStringLiteral(" Wide Directory Browser"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(10530), twipsToPixels(4440));

    Drive1 = new DriveListBox(this);
    Drive1->setGeometry(twipsToPixels(240), twipsToPixels(120), twipsToPixels(10215), Drive1->sizeHint().height());
    Dir1 = new DirListBox(this);
    Dir1->setGeometry(twipsToPixels(240), twipsToPixels(480), twipsToPixels(10215), twipsToPixels(3240));
    cmdClose = new QPushButton(QStringLiteral("&Ok"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(twipsToPixels(4440), twipsToPixels(3840), twipsToPixels(1695), twipsToPixels(495));
    cmdClose->setDefault(true);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, cmdClose);
    m_link = new DriveFolderLink(Drive1, Dir1, this);

    connect(Drive1, &DriveListBox::driveChanged, this, &frmDirWideBrowser::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, this, &frmDirWideBrowser::Dir1_Change);
    connect(cmdClose, &QPushButton::clicked, this, &frmDirWideBrowser::cmdClose_Click);
}

void frmDirWideBrowser::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_mainDir)
        Dir1->setPath(m_mainDir->path());
}

void frmDirWideBrowser::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    releaseOnClose(this, event);
}

void frmDirWideBrowser::Dir1_Change()
{
    m_link->folderChanged();
    if (m_mainDir)
        m_mainDir->setPath(Dir1->path());
}

void frmDirWideBrowser::Drive1_Change() { m_link->driveChanged(); }

} // namespace tess
