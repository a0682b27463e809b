#pragma once
// "Select Projects Folder": a drive list and a folder list for choosing the associated path of a
// project instead of typing it. "&Ok" hands the folder, as a pattern that matches every drawing in
// it and its sub-folders, to the project tag manager and hides the picker; "&Cancel" only hides it,
// so the next opening shows the folder the user left it at. The close box discards it.

#include "widgets/folderpicker.h"

namespace tess {

class frmProjectTagManagerFS final : public FolderPicker
{
    Q_OBJECT
public:
    // mainFolder gives the main window's current drawing folder, where the picker starts.
    explicit frmProjectTagManagerFS(std::function<QString()> mainFolder, QWidget *parent = nullptr);

protected:
    QString chosenText(const QString &folder) const override;
};

} // namespace tess
