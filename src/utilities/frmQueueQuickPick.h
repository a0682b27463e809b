#pragma once
// " Quick Pick - Queue": a small always-on-top list of the queued drawings by file name, standing
// in for the main window. Hovering over a row shows its full path, a click previews the drawing
// and a double-click opens it with its associated program. The rows are the queue of the moment
// the window opened.

#include "utilities/pickwindowbase.h"

class QListWidget;

namespace tess {

class frmQueueQuickPick final : public PickWindowBase
{
    Q_OBJECT
public:
    explicit frmQueueQuickPick(const PickHost &host);

    QListWidget *lstFileNames = nullptr;
    QListWidget *lstPaths = nullptr; // hidden: row i is the full path of row i of lstFileNames

    // The full path of a row ("" outside the rows).
    QString pathOf(int row) const;

    void Form_Load();
    void lstFileNames_Click();
    void lstFileNames_DblClick();
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void afterUnload() override;
    void unloadStepFailed(int line, const QString &reason) override;
};

// The "Quic&kQueue" button: the window with its stored geometry and the queue's rows, the main
// window hidden.
frmQueueQuickPick *cmdQueueQuickPick_Click(const PickHost &host);

} // namespace tess
