#pragma once
// The script editor's two load-line pickers, one window class for both: frmLispSelector
// (" Select .LSP File") and frmVBAselector ("Select VBA Routine"). A drive list, a folder list and
// a file list of the picker's pattern; "&Ok" appends the load text for the selected file to the
// editor's text box as one undoable edit, hides the window and gives the box the focus; "&Cancel"
// only hides it. Both buttons keep the window, so the next opening shows the same folder; its
// close box discards it.

#include "core/listingfailurenotice.h"
#include "scripts/loadlines.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;
class FileListBox;

class LoadLineSelector final : public QDialog
{
    Q_OBJECT
public:
    // target: the editor's text box the text is appended to.
    LoadLineSelector(LoadLineKind kind, QPlainTextEdit *target, QWidget *parent = nullptr);

    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    FileListBox *File1 = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdOk = nullptr;

    LoadLineKind kind() const { return m_kind; }
    // The file selected in the file list ("" when none).
    QString selectedFileName() const;
    // True once the close box has discarded the window.
    bool wasUnloaded() const { return m_unloaded; }

    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    LoadLineKind m_kind;
    QPlainTextEdit *m_target;
    DriveFolderLink *m_link = nullptr;
    ListingFailureNotice m_listingFailures;
    bool m_unloaded = false;
};

} // namespace tess
