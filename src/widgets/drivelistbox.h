#pragma once
// The drive list of the file selector (a drop-down of drives): on Windows the drive letters, on
// other systems the root "/" and the mounted volumes. Changing the drive, by hand or from code,
// emits driveChanged.

#include <QComboBox>

namespace tess {

class DriveListBox final : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveListBox(QWidget *parent = nullptr);

    // The current drive ("C:\", "/", "/mnt/data").
    QString drive() const;
    // Selects the drive that holds the path (its first characters name it, as "C:\" does); false
    // when no listed drive does. Emits driveChanged when the drive changes.
    bool setDrive(const QString &pathOrDrive);
    // Re-reads the drives, keeping the current one when it is still there.
    void refreshDrives();

Q_SIGNALS:
    void driveChanged(const QString &drive);

private:
    bool m_filling = false;
};

} // namespace tess
