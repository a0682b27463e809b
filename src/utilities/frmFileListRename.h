#pragma once
// "Rename FileList": renames the list selected in the File Lists window within DATA. A new name
// without ".LST" or ".TXT" is offered the extension ".LST"; a name that another file of DATA has,
// ignoring case, is refused and both files stay as they are. It has no cancel button: its close
// box closes it without renaming.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class frmFileListRename final : public QDialog
{
    Q_OBJECT
public:
    // selectedName: the list chosen in the File Lists window; listsChanged re-reads that window's list.
    frmFileListRename(std::function<QString()> selectedName, std::function<void()> listsChanged, QWidget *owner);

    QLabel *lblOldName = nullptr;
    QLineEdit *tbOldName = nullptr;
    QLabel *lblNewName = nullptr;
    QLineEdit *tbNewName = nullptr;
    QPushButton *cmdOk = nullptr;

    void Form_Activate();
    void cmdOk_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<QString()> m_selectedName;
    std::function<void()> m_listsChanged;
};

} // namespace tess
