#pragma once
// Where the program lives and who runs it. Tests point it at a temporary program folder and fix
// the names, so they never touch the real program folder.

#include <QString>

namespace tess {

class AppEnvironment
{
public:
    // The folder of the executable in native form, without a trailing separator
    // (a drive root keeps its separator: "C:\" or "/").
    static QString programFolder();
    // The program folder with exactly one trailing separator: the program's ProgramPath.
    static QString programPath();
    // programPath() + name + separator, e.g. the DATA folder "…/DATA/".
    static QString subFolder(const QString &name);
    static QString dataFolder() { return subFolder(QStringLiteral("DATA")); }

    // The login name, never empty ("user" when the system gives none): the per-user file prefix.
    static QString loginName();
    static QString computerName();

    // The separator of native paths on this platform.
    static QChar separator();

    // Test hooks: empty texts restore the real values.
    static void overrideProgramFolder(const QString &folder);
    static void overrideLoginName(const QString &name);
    static void overrideComputerName(const QString &name);
    // The overrides in force ("" for none), so a test can put them back as it found them.
    static QString programFolderOverride();
    static QString loginNameOverride();
    static QString computerNameOverride();
};

} // namespace tess
