#pragma once
// The family of the Options pickers: a drive list, a folder list and, for the program pickers, a
// file list of programs, with the buttons each picker adds. OK and Cancel hide the picker, which
// keeps its drive, folder and buttons for the next opening. A drive that does not answer puts the
// lists back on the drive and folder shown before.

#include "widgets/placement.h"

#include <QDialog>

class QPushButton;

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;
class FileListBox;

class OptionsPicker : public QDialog
{
    Q_OBJECT
public:
    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    FileListBox *File1 = nullptr; // the program pickers only

    // Shows the picker modally over its owner. The first opening starts in the nearest existing
    // folder of startFolder (the current folder when there is none); later openings show the folder
    // where the picker was left, or the nearest one that still exists. Returns the dialog's result.
    int openAt(const QString &startFolder);
    // Moves both lists to the folder (its nearest existing one); false when not even its root exists.
    bool showFolder(const QString &folder);
    // The selected file's name without folder; "" when no file is selected.
    QString FileName() const;

    void Drive1_Change();
    void Dir1_Change();

protected:
    // withFiles: a file list of programs beside the folder list.
    OptionsPicker(const char *name, const QString &caption, bool withFiles, QWidget *parent);
    QPushButton *addButton(const char *name, const QString &caption);
    // Places the controls and fixes the client size, all in twips.
    void place(const QList<Placement> &table, int widthTwips, int heightTwips);
    // The picker's own reaction to a new folder (File1 has followed) and to a new file selection.
    virtual void folderChanged() {}
    virtual void fileSelectionChanged() {}

private:
    DriveFolderLink *m_link = nullptr;
    bool m_opened = false;
};

} // namespace tess
