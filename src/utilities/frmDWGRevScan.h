#pragma once
// " Find files by DWG Version": the user picks a source folder and the releases wanted, starts the
// scan of the folder and its sub-folders, watches the folder being walked in the status line, may
// stop it, and copies the matching drawings into the queue, replacing it or appending to it.
// Drawings whose header cannot be read are listed apart. "C&lose" hides the window, so its lists,
// folder and boxes stay for the next opening; the close box discards it (during a scan it stops
// the scan first, and the window closes once the walk has ended).

#include "utilities/dwgrevision.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;

class DrawingQueue;
class FileSelection;

class frmDWGRevScan final : public QDialog
{
    Q_OBJECT
public:
    // The scan starts in the selection's folder; "Copy to Queue" fills or extends the queue.
    frmDWGRevScan(DrawingQueue &queue, FileSelection &files, QWidget *owner);
    ~frmDWGRevScan() override;

    QGroupBox *Frame3 = nullptr;
    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    QGroupBox *frameDWGTypes = nullptr;
    QCheckBox *chkR12 = nullptr;
    QCheckBox *chkR13 = nullptr;
    QCheckBox *chkR14 = nullptr;
    QCheckBox *chkR2000 = nullptr;
    QCheckBox *chkR2004 = nullptr;
    QCheckBox *chkR2007 = nullptr;
    QCheckBox *chkR2010 = nullptr;
    QCheckBox *chkR2013 = nullptr;
    QPushButton *cmdStartScan = nullptr;
    QPushButton *cmdStop = nullptr;
    QLabel *lblStatus = nullptr;
    QGroupBox *Frame1 = nullptr;
    QListWidget *List1 = nullptr;
    QLabel *Label2 = nullptr;
    QListWidget *lstProblemFiles = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdCopyToQueue = nullptr;
    QCheckBox *chkAppendtoQueue = nullptr;
    QPushButton *cmdClose = nullptr;

    // The eight release boxes in table order.
    const std::array<QCheckBox *, DWGRevTable.size()> &releaseBoxes() const { return m_boxes; }

    void Form_Load();
    void Drive1_Change();
    void UpdateStartButton();
    void cmdStartScan_Click();
    void cmdStop_Click();
    void cmdCopyToQueue_Click();
    void cmdClear_Click();
    void cmdClose_Click() { hide(); }

    bool isScanning() const { return m_scanning; }

    // The header reader of the scans (the program's own unless a test sets another).
    void setHeaderReader(DwgHeaderReader reader) { m_reader = std::move(reader); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    class Progress;
    void setScanning(bool scanning);

    DrawingQueue &m_queue;
    FileSelection &m_files;
    DriveFolderLink *m_link = nullptr;
    std::array<QCheckBox *, DWGRevTable.size()> m_boxes{};
    std::unique_ptr<Progress> m_progress;
    DwgHeaderReader m_reader = readDwgHeader;
    bool m_scanning = false;
    bool m_closeAfterScan = false;
};

} // namespace tess
