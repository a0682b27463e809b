#pragma once
// The script browser "Script Browser": a drive, folder and file list for ".scr" files, a found-paths
// list that "+" fills with every script below the shown folder, and a preview of the script picked
// in either list. "&Copy Script to Tessaline && Close" takes the preview over as the user script,
// named after the file previewed, and hides the window, which keeps its lists and preview for the
// next opening. The browser reads files only; it never writes one.

#include <QDialog>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QListWidget;

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;
class FileListBox;
class UserScriptPane;

class frmScrBrowser final : public QDialog
{
    Q_OBJECT
public:
    // pane: receives the copied script and its name.
    explicit frmScrBrowser(UserScriptPane *pane, QWidget *parent = nullptr);

    QGroupBox *Frame1 = nullptr;
    DriveListBox *DriveScrBrowse = nullptr;
    DirListBox *DirScrBrowse = nullptr;
    FileListBox *FSelScrBrowse = nullptr;
    QPlainTextEdit *tbScriptBrowse = nullptr;
    QPushButton *cmdGetSubScripts = nullptr;
    QListWidget *lstSCRPath = nullptr;
    QPushButton *cmdCopyToTessaline = nullptr;

    // Shows the folder (and so its drive) in the lists; false when it does not exist.
    bool showFolder(const QString &folder);
    // The file the preview was last read from ("" before the first).
    QString previewedPath() const { return m_previewedPath; }

    void DriveScrBrowse_Change();
    void DirScrBrowse_Change();
    void FSelScrBrowse_Click();
    void lstSCRPath_Click();
    void tbScriptBrowse_Change();
    void cmdGetSubScripts_Click();
    void cmdCopyToTessaline_Click();

    // True once the close box has closed the window: the opener discards it.
    bool wasUnloaded() const { return m_unloaded; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Reads the file into the preview; a file that cannot be read or is no text script empties it
    // and says why.
    void previewFile(const QString &path);

    UserScriptPane *m_pane;
    DriveFolderLink *m_link = nullptr;
    QString m_previewedPath;
    bool m_unloaded = false;
};

} // namespace tess
