#pragma once
// "Select Output Folder", the SAVEAS tab's "Browse": "&Ok" hands the folder shown, ending in one
// separator, to the tab's "This Location"; the picker keeps its drive and folder between openings.

#include "widgets/folderpicker.h"

namespace tess {

class frmOUTDirSelect final : public FolderPicker
{
    Q_OBJECT
public:
    // mainFolder gives the main window's current drawing folder, where the picker starts.
    explicit frmOUTDirSelect(std::function<QString()> mainFolder, QWidget *parent = nullptr);

protected:
    QString chosenText(const QString &folder) const override;
};

} // namespace tess
