#include "mainwin/frmDirWideBrowser.h"

#include "core/prompts.h"
#include "mainwin/fileselector.h"
#include "mainwin/dirlistbox.h"
#include "mainwin/drivelistbox.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalBlocker>

namespace tess {

namespace {
int tw(int twips) { return qRound(twips / 15.0); }
} // namespace

frmDirWideBrowser::frmDirWideBrowser(DirListBox *mainDir, QWidget *parent) : QDialog(parent), m_mainDir(mainDir)
{
    setObjectName(QStringLiteral("frmDirWideBrowser"));
    setWindowTitle(QStringLiteral(" Wide Directory Browser"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(tw(10530), tw(4440));

    Drive1 = new DriveListBox(this);
    Drive1->setGeometry(tw(240), tw(120), tw(10215), Drive1->sizeHint().height());
    Dir1 = new DirListBox(this);
    Dir1->setGeometry(tw(240), tw(480), tw(10215), tw(3240));
    cmdClose = new QPushButton(QStringLiteral("&Ok"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(tw(4440), tw(3840), tw(1695), tw(495));
    cmdClose->setDefault(true);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, cmdClose);
    m_lastDrive = Drive1->drive();

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

void frmDirWideBrowser::Dir1_Change()
{
    if (m_mainDir)
        m_mainDir->setPath(Dir1->path());
}

void frmDirWideBrowser::Drive1_Change()
{
    const QString drive = Drive1->drive();
    if (!driveIsReady(drive) || !Dir1->setPath(drive)) {
        // Back to the drive it showed before; nothing else moves.
        {
            const QSignalBlocker block(Drive1);
            Drive1->setDrive(m_lastDrive);
        }
        QApplication::restoreOverrideCursor();
        msgBox(QStringLiteral("That Drive is not responding...\rPlease select another drive!"), vbOKOnly,
               QStringLiteral("Tessaline Alert"));
        return;
    }
    m_lastDrive = drive;
    if (m_mainDir)
        m_mainDir->setPath(drive);
}

} // namespace tess
