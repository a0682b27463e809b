#include "app/previewinstall.h"

#include "app/application.h"
#include "core/mainsettings.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "preview/frmDWGPreview.h"

#include <QEvent>
#include <QPushButton>

namespace tess {

namespace {

// Presses "&Preview" once when the main window first shows, as its load step does when the
// preview is to open at start: the preview then floats above a window that is already there.
class OpenPreviewAtStart final : public QObject
{
public:
    explicit OpenPreviewAtStart(frmMain &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            if (mainSettings().DWGPreviewShow == 1)
                cmdDWGPreviewShow_Click();
            deleteLater();
        }
        return false;
    }
};

} // namespace

void installPreview(Application &, frmMain &w)
{
    frmDWGPreview::setOwner(&w);
    QObject::connect(w.fileSelector(), &FileSelectorPane::previewRequested, &w,
                     [](const QString &path) { ShowDrawingPreview(path); });
    QObject::connect(w.queuePane(), &QueuePane::previewShowRequested, &w, [] { cmdDWGPreviewShow_Click(); });
    new OpenPreviewAtStart(w);
}

} // namespace tess
