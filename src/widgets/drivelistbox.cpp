#include "widgets/drivelistbox.h"

#include "core/fileselector.h"

#include <QSignalBlocker>

namespace tess {

DriveListBox::DriveListBox(QWidget *parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("Drive1"));
    refreshDrives();
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!m_filling)
            Q_EMIT driveChanged(drive());
    });
}

QString DriveListBox::drive() const { return currentData().toString(); }

bool DriveListBox::setDrive(const QString &pathOrDrive)
{
    QStringList drives;
    for (int i = 0; i < count(); ++i)
        drives.append(itemData(i).toString());
    const QString d = driveOfPath(pathOrDrive, drives);
    const int i = d.isEmpty() ? -1 : int(drives.indexOf(d));
    if (i < 0)
        return false;
    setCurrentIndex(i);
    return true;
}

void DriveListBox::refreshDrives()
{
    const QString current = drive();
    m_filling = true;
    clear();
    for (const QString &d : availableDrives()) {
#ifdef Q_OS_WIN
        addItem(d.left(2).toLower(), d);
#else
        addItem(d, d);
#endif
    }
    const int i = findData(current);
    setCurrentIndex(i >= 0 ? i : 0);
    m_filling = false;
}

} // namespace tess
