#pragma once
// " Quick Pick": a small always-on-top picker standing in for the main window. It lists the main
// window's current folder, narrowed by a "contains" filter, previews a clicked drawing and opens
// the selected files with their associated program. Closing it hands the filter text back to the
// main window's filter box.

#include "utilities/pickwindowbase.h"
#include "widgets/keptwindow.h"

class QLineEdit;
class QMenu;
class QPushButton;
class QAction;

namespace tess {

class FileListBox;

class frmQuickPick final : public PickWindowBase
{
    Q_OBJECT
public:
    // At first the window lists what the main file list shows; closing it hands the filter text
    // back to files.
    frmQuickPick(FileSelection &files, QWidget *mainWindow);

    QLineEdit *tbQPPattern = nullptr;
    FileListBox *File1 = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QPushButton *cmdQuickPickOnOff = nullptr;
    QMenu *PUMenu = nullptr;
    QAction *mnuOpenFiles = nullptr;

    // The path of a listed file: the folder, one separator, the name.
    QString pathOf(int row) const;

    void Form_Load();
    void tbQPPattern_Change();
    void Form_Click();
    void cmdRefresh_Click();
    void File1_Click();
    void File1_DblClick();
    void cmdQuickPickOnOff_Click();
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void afterUnload() override;
};

// The "&QuickPick" button: the window (made now: it lives while it is open) with its stored
// geometry, the main file list's folder and pattern, the main window hidden.
frmQuickPick *cmdQuickPick_Click(KeptWindow<frmQuickPick> &window);

} // namespace tess
