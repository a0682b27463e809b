#pragma once
// "AutoCAD Electrical Project File": opened by a double-click on a ".wdp" file in the main window's
// file list. Queues the drawings the project lists, or the drawings of its folder it does not
// list, or opens the project file in the text editor. "&Close" hides it (the two "Clear Queue
// First" boxes keep their state); its close box discards it.

#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace tess {

class DrawingQueue;
class FileSelection;

class frmWDPPrompt final : public QDialog
{
    Q_OBJECT
public:
    // Loads into queue; the project file is looked for in the selection's folder.
    frmWDPPrompt(DrawingQueue &queue, FileSelection &files, QWidget *owner);

    QGroupBox *Frame1 = nullptr;
    QPushButton *cmdLoadWDP = nullptr;
    QCheckBox *cbClearQueueOnLoad = nullptr;
    QGroupBox *Frame2 = nullptr;
    QPushButton *cmdOpenWDP = nullptr;
    QPushButton *cmdLoadFilesNotInProject = nullptr;
    QCheckBox *chkClearQueueNotInProject = nullptr;
    QPushButton *cmdClose = nullptr;

    void cmdLoadWDP_Click();
    void cmdLoadFilesNotInProject_Click();
    void cmdOpenWDP_Click();
    void cmdClose_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Queues paths, replacing the queue when clearFirst; then the queue controls follow.
    void queuePaths(const QStringList &paths, bool clearFirst);

    DrawingQueue &m_queue;
    FileSelection &m_files;
};

} // namespace tess
