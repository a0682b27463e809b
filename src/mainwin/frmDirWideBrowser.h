#pragma once
// The wide folder browser: a wider drive and folder list whose every change moves the main
// window's folder list at once. Hidden by "&Ok" (it keeps its drive list between openings);
// its close box discards it.

#include <QDialog>

class QPushButton;

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;

class frmDirWideBrowser final : public QDialog
{
    Q_OBJECT
public:
    // mainDir: the main window's folder list, which follows this window's folder.
    explicit frmDirWideBrowser(DirListBox *mainDir, QWidget *parent = nullptr);

    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    QPushButton *cmdClose = nullptr;

    void Drive1_Change();
    void Dir1_Change();
    void cmdClose_Click() { hide(); }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    DirListBox *m_mainDir;
    DriveFolderLink *m_link = nullptr;
};

} // namespace tess
