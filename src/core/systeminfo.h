#pragma once
// Login and computer names and the Windows version, read from the system.

#include <QString>

namespace tess {

// The plain names as the system reports them ("" when it reports none).
QString systemLoginName();
QString systemComputerName();

// The Windows version as the system reports it. Elsewhere: what a current NT system reports
// (platform 2, version 10.0).
struct WindowsVersion {
    qint32 platformId = 2;
    qint32 major = 10;
    qint32 minor = 0;
};
WindowsVersion systemWindowsVersion();

} // namespace tess
