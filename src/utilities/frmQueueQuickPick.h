#pragma once
// " Quick Pick - Queue": a small always-on-top list of the queued drawings by file name, standing
// in for the main window. Hovering over a row shows its full path, a click previews the drawing
// and a double-click opens it with its associated program. The rows are the queue of the moment
// the window opened.

#include "utilities/pickwindowbase.h"
#include "widgets/keptwindow.h"

class QListWidget;

namespace tess {

class DrawingQueue;

class frmQueueQuickPick final : public PickWindowBase
{
    Q_OBJECT
public:
    // The rows are the queue's entries as they are now; files reads its folder again when the
    // window closes.
    frmQueueQuickPick(const DrawingQueue &queue, FileSelection &files, QWidget *mainWindow);

    QListWidget *lstFileNames = nullptr;
    QListWidget *lstPaths = nullptr; // hidden: row i is the full path of row i of lstFileNames

    // The full path of a row ("" outside the rows).
    QString pathOf(int row) const;

    void Form_Load(const QStringList &entries);
    void lstFileNames_Click();
    void lstFileNames_DblClick();
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void afterUnload() override;
    void unloadStepFailed(int line, const QString &reason) override;
};

// The "Quic&kQueue" button: the window (made now: it lives while it is open) with its stored
// geometry and the queue's rows, the main window hidden.
frmQueueQuickPick *cmdQueueQuickPick_Click(KeptWindow<frmQueueQuickPick> &window);

} // namespace tess
