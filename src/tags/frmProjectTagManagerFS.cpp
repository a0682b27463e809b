#include "tags/frmProjectTagManagerFS.h"

#include "tags/projectfiles.h"

namespace tess {

frmProjectTagManagerFS::frmProjectTagManagerFS(std::function<QString()> mainFolder, QWidget *parent)
    : FolderPicker("frmProjectTagManagerFS", QStringLiteral("Select Projects Folder"), std::move(mainFolder), parent)
{
}

QString frmProjectTagManagerFS::chosenText(const QString &folder) const { return pickedFolderPattern(folder); }

} // namespace tess
