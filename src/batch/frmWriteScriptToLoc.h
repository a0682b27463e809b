#pragma once
// " Create Script in Another Location": a small drive, folder and .SCR file browser that composes the
// batch script into a file the user names, for one run, and opens or deletes scripts. Create and
// Cancel hide it, so the name and the filter stay for the next opening; its close box unloads it
// (wasUnloaded()), and its opener then makes a fresh one.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class BatchComposer;
class DirListBox;
class DriveFolderLink;
class DriveListBox;
class FileListBox;

class frmWriteScriptToLoc final : public QDialog
{
    Q_OBJECT
public:
    // startFolder gives the main window's current folder at every showing.
    frmWriteScriptToLoc(BatchComposer &composer, std::function<QString()> startFolder, QWidget *parent = nullptr);

    // The folder the browser shows (no trailing separator except at a root).
    QString folder() const;
    void setFolder(const QString &folder);

    void Form_Activate();
    void Drive1_Change();
    void Dir1_Change();
    void tbFilter_Change();
    void File1_Click();
    void File1_DblClick();
    void tbFileName_Change();
    // True when the batch script was written.
    bool cmdCreate_Click();
    void cmdDeleteSCR_Click();
    void cmdCancel_Click();
    // The close box ended the last showing.
    bool wasUnloaded() const { return m_unloaded; }

    DriveListBox *Drive1 = nullptr;
    QPushButton *cmdDeleteSCR = nullptr;
    QLineEdit *tbFilter = nullptr;
    DirListBox *Dir1 = nullptr;
    FileListBox *File1 = nullptr;
    QLineEdit *tbFileName = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdCreate = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QString selectedFile() const;

    BatchComposer &m_composer;
    std::function<QString()> m_startFolder;
    DriveFolderLink *m_link = nullptr;
    bool m_unloaded = false;
};

} // namespace tess
