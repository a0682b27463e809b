#include "widgets/drivefolderlink.h"

#include "core/fileselector.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"

#include <QDir>
#include <QSignalBlocker>

namespace tess {

DriveFolderLink::DriveFolderLink(DriveListBox *drive, DirListBox *dir, QObject *parent)
    : QObject(parent), m_drive(drive), m_dir(dir), m_lastDrive(drive->drive()), m_lastFolder(dir->path())
{
}

void DriveFolderLink::driveChanged()
{
    const QString drive = m_drive->drive();
    if (!driveIsReady(drive) || !m_dir->setPath(drive)) {
        // Device unavailable: back to the drive and folder shown before.
        {
            const QSignalBlocker block(m_drive);
            m_drive->setDrive(m_lastDrive);
        }
        if (!m_lastFolder.isEmpty() && m_dir->path() != m_lastFolder)
            m_dir->setPath(m_lastFolder);
        if (m_notResponding)
            m_notResponding();
        else
            showDriveNotResponding();
        return;
    }
    m_lastDrive = drive;
}

void DriveFolderLink::folderChanged()
{
    m_lastFolder = m_dir->path();
    const QSignalBlocker block(m_drive);
    if (m_drive->setDrive(m_lastFolder))
        m_lastDrive = m_drive->drive();
}

void DriveFolderLink::showDriveOf(const QString &folder)
{
    const QSignalBlocker block(m_drive);
    m_drive->setDrive(folder);
    m_lastDrive = m_drive->drive();
}

bool DriveFolderLink::openNearest(const QString &folder)
{
    QString f = folder.isEmpty() ? QString() : nearestExistingFolder(folder);
    if (f.isEmpty())
        f = QDir::rootPath();
    showDriveOf(f);
    return m_dir->setPath(f) || m_dir->setPath(m_drive->drive());
}

} // namespace tess
