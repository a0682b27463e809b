#pragma once
// "File Lists": saves the queue as a list file in DATA (shared, or personal with the login name in
// front), lists the saved lists (".LST", the personal ones, or ".TXT"), loads one into the queue by
// a double-click (replacing the queue, or appending when "&Append to Existing Files in Queue" is
// ticked), opens one in the text editor, renames and deletes them. "&Close" hides the window, so
// its boxes, filter and typed name stay for the next opening; its close box discards it.

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tess {

class FileListBox;

class DrawingQueue;

class frmFileLists final : public QDialog
{
    Q_OBJECT
public:
    frmFileLists(DrawingQueue &queue, QWidget *owner);

    QGroupBox *Frame2 = nullptr;
    QCheckBox *chkClearList = nullptr; // ticked: append; unticked: replace
    FileListBox *File1 = nullptr;
    QPushButton *cmdView = nullptr;
    QPushButton *cmdRename = nullptr;
    QPushButton *cmdDelete = nullptr;
    QCheckBox *chkShowTXT = nullptr;
    QCheckBox *chkShowPersonal = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtbxListName = nullptr;
    QPushButton *cmdSaveNew = nullptr;
    QPushButton *cmdSavePersonalized = nullptr;
    QPushButton *cmdExit = nullptr;

    // The name (with extension) of the selected list; "" when none is selected.
    QString selectedName() const;
    // Reads DATA again into the list; the selected list stays selected while it is still listed.
    void refreshFileList();

    void Form_Load();
    void Form_Activate();
    void Frame2_Click();
    void File1_Click();
    void File1_dblClick();
    void chkShowPersonal_Click();
    void chkShowTXT_Click();
    void cmdSaveNew_Click();
    void cmdSavePersonalized_Click();
    void cmdView_Click();
    void cmdRename_Click();
    void cmdDelete_Click();
    void cmdExit_Click();

Q_SIGNALS:
    // The list `name` was loaded into the queue (the main window shows it as loaded).
    void listLoaded(const QString &name);
    // The META commands of the user script are to be applied (after a load, when they apply at once).
    void metaScanRequested(bool includeSort);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void saveQueue(bool personal);
    void setFileButtonsEnabled(bool on);
    // View, Rename and Delete off, the selection given up.
    void disableFileButtons();

    DrawingQueue &m_queue;
};

} // namespace tess
