#pragma once
// A drive list and a folder list that work as one: a drive chosen in the drive list opens its
// root in the folder list, and a folder set from anywhere moves the drive list to its drive. A
// drive that does not answer puts both back where they were and says so. The main window's file
// selector and the wide folder browser each keep one.

#include <QObject>
#include <QString>
#include <functional>

namespace tess {

class DirListBox;
class DriveListBox;

class DriveFolderLink final : public QObject
{
    Q_OBJECT
public:
    DriveFolderLink(DriveListBox *drive, DirListBox *dir, QObject *parent = nullptr);
    // A window that words the "not responding" message its own way says it here.
    void setNotRespondingMessage(std::function<void()> show) { m_notResponding = std::move(show); }

    // The drive list changed: its root into the folder list, or back to the previous drive and
    // folder with the "not responding" message.
    void driveChanged();
    // The folder list changed: the drive list follows without running its own change.
    void folderChanged();
    // Shows folder's drive in the drive list without running its change (the start-up load).
    void showDriveOf(const QString &folder);
    // Opens folder, or the nearest folder above it that exists, or else the root of the drive
    // list's drive; the drive list follows. False when not even that root opens.
    bool openNearest(const QString &folder);

private:
    DriveListBox *m_drive;
    DirListBox *m_dir;
    QString m_lastDrive;
    QString m_lastFolder;
    std::function<void()> m_notResponding;
};

} // namespace tess
