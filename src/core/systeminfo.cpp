#include "core/systeminfo.h"

#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace tess {

QString systemLoginName()
{
#ifdef Q_OS_WIN
    wchar_t buf[512];
    DWORD size = 512;
    if (GetUserNameW(buf, &size) && size > 0)
        return QString::fromWCharArray(buf, int(size) - 1);
    return QString();
#else
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString();
#endif
}

QString systemComputerName()
{
#ifdef Q_OS_WIN
    wchar_t buf[512];
    DWORD size = 512;
    if (GetComputerNameW(buf, &size))
        return QString::fromWCharArray(buf, int(size));
    return QString();
#else
    return QSysInfo::machineHostName();
#endif
}

WindowsVersion systemWindowsVersion()
{
    WindowsVersion v;
#ifdef Q_OS_WIN
    // RtlGetVersion reports the true version; GetVersionEx is capped by the manifest.
    using RtlGetVersionFn = LONG(WINAPI *)(OSVERSIONINFOW *);
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        if (auto fn =
                reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void *>(GetProcAddress(ntdll, "RtlGetVersion")))) {
            OSVERSIONINFOW info = {};
            info.dwOSVersionInfoSize = sizeof(info);
            if (fn(&info) == 0) {
                v.platformId = qint32(info.dwPlatformId);
                v.major = qint32(info.dwMajorVersion);
                v.minor = qint32(info.dwMinorVersion);
            }
        }
    }
#endif
    return v;
}

} // namespace tess
