#include "app/revscaninstall.h"

#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "utilities/frmDWGRevScan.h"
#include "utilities/reportqueuedwgversions.h"

#include <QAction>
#include <QPointer>

#include <memory>

namespace tess {

void installRevScan(frmMain &w)
{
    // The scan window is made at its first opening; "C&lose" only hides it, its close box
    // discards it (the next opening makes a new one).
    auto scan = std::make_shared<QPointer<frmDWGRevScan>>();
    QAction *find =
        w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuDWGRevScan"),
                      QStringLiteral("&Find DWGs by AutoCAD DWG Version"), QStringLiteral("mnuCombineText"));
    QObject::connect(find, &QAction::triggered, &w, [&w, scan] {
        if (!*scan) {
            QueuePane *queue = w.queuePane();
            RevScanHooks hooks;
            hooks.mainFolder = [&w] { return w.fileSelector()->folder(); };
            hooks.queueCount = [queue] { return queue->count(); };
            // The queue is no longer the loaded list it may have been.
            hooks.addToQueue = [queue](const QStringList &entries) {
                const qsizetype added = queue->addToQueue(entries);
                queue->resetLoadedListMarks();
                return added;
            };
            hooks.setQueue = [queue](const QStringList &entries) {
                queue->setQueueEntries(entries);
                queue->resetLoadedListMarks();
                return queue->count();
            };
            hooks.refreshQueueControls = [&w] { w.RefreshQueueControls(); };
            *scan = new frmDWGRevScan(hooks, &w);
        }
        (*scan)->exec();
    });

    auto report = [&w] { ReportQueueDwgVersions(w.queuePane()->queueEntries()); };
    QAction *queueItem =
        w.addMenuItem(MainMenu::Queue, QStringLiteral("mnuReportDWGVersion"),
                      QStringLiteral("R&eport DWG files AutoCAD Version"), QStringLiteral("mnublank004"));
    QObject::connect(queueItem, &QAction::triggered, &w, report);
    QAction *popupItem = w.addMenuItem(MainMenu::QueuePopup, QStringLiteral("mnuReportDWGVersions"),
                                       QStringLiteral("Report DWG Versions"), QStringLiteral("mnunothing4"));
    QObject::connect(popupItem, &QAction::triggered, &w, report);
    w.RefreshQueueControls();
}

} // namespace tess
