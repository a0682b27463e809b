#include "mainwin/frmOUTDirSelect.h"

#include "core/pathhelpers.h"

namespace tess {

frmOUTDirSelect::frmOUTDirSelect(std::function<QString()> mainFolder, QWidget *parent)
    : FolderPicker("frmOUTDirSelect", QStringLiteral("Select Output Folder"), std::move(mainFolder), parent)
{
}

// A drive's root keeps its one separator.
QString frmOUTDirSelect::chosenText(const QString &folder) const { return withTrailingSeparator(folder); }

} // namespace tess
