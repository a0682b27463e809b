#include "app/revscaninstall.h"

#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "mainwin/frmMain.h"
#include "utilities/frmDWGRevScan.h"
#include "utilities/reportqueuedwgversions.h"
#include "widgets/keptwindow.h"

#include <QAction>
#include <QPointer>

#include <memory>

namespace tess {

void installRevScan(frmMain &w)
{
    // The scan window is made at its first opening; "C&lose" only hides it, its close box
    // discards it (the next opening makes a new one).
    auto scan =
        std::make_shared<KeptWindow<frmDWGRevScan>>([&w] { return new frmDWGRevScan(*w.queue(), *w.files(), &w); });
    QAction *find =
        w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuDWGRevScan"),
                      QStringLiteral("&Find DWGs by AutoCAD DWG Version"), QStringLiteral("mnuCombineText"));
    QObject::connect(find, &QAction::triggered, &w, [scan] { scan->get()->exec(); });

    auto report = [&w] { ReportQueueDwgVersions(w.queue()->entries()); };
    QAction *queueItem = w.addMenuItem(MainMenu::Queue, QStringLiteral("mnuReportDWGVersion"),
                                       QStringLiteral("R&eport DWG files AutoCAD Version"),
                                       QStringLiteral("mnublank004"), ItemTrait::NeedsQueue);
    QObject::connect(queueItem, &QAction::triggered, &w, report);
    QAction *popupItem =
        w.addMenuItem(MainMenu::QueuePopup, QStringLiteral("mnuReportDWGVersions"),
                      QStringLiteral("Report DWG Versions"), QStringLiteral("mnunothing4"), ItemTrait::NeedsQueue);
    QObject::connect(popupItem, &QAction::triggered, &w, report);
    w.RefreshQueueControls();
}

} // namespace tess
