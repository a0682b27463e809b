#include "core/autocadprogram.h"

#include "core/pathhelpers.h"
#include "core/prompts.h"

#include <QDir>
#include <QFileInfo>

namespace tess {

bool isProgramFile(const QString &path)
{
#ifdef Q_OS_WIN
    return path.right(4).toUpper() == QLatin1String(".EXE");
#else
    // The name says nothing here: a file named acad.exe that may not be executed cannot be started.
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
#endif
}

ProgramNaming platformProgramNaming()
{
#ifdef Q_OS_WIN
    return ProgramNaming::ExeBesideIt;
#else
    return ProgramNaming::AsConfigured;
#endif
}

std::optional<QString> autoCadProgramToStart(const QString &configured, ProgramNaming naming)
{
    const QString folder = FolderOf(configured);
    if (configured.isEmpty() || folder.isEmpty())
        return std::nullopt;
    if (naming == ProgramNaming::AsConfigured) {
        if (QFileInfo(configured).isFile() && isProgramFile(configured))
            return configured;
        return std::nullopt;
    }
    const QString wanted = FileTitleOf(configured) + QStringLiteral(".EXE");
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &fi : files) {
        if (fi.fileName().compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (FileNameOf(configured).compare(fi.fileName(), Qt::CaseInsensitive) == 0 && QFileInfo(configured).isFile())
            return configured;
        return folder + fi.fileName();
    }
    return std::nullopt;
}

void showSetupIssue()
{
    msgBox(QStringLiteral("You don't have a valid AutoCAD Executable specified...\r\n\r\n"
                          "Please select it now, and then press 'CREATE' again..."),
           vbOKOnly, QStringLiteral("Setup Issue"));
}

} // namespace tess
