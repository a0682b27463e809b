#include "app/filelistsinstall.h"

#include "app/application.h"
#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "utilities/frmFileLists.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>
#include <memory>

namespace tess {

void installFileLists(Application &app, frmMain &w)
{
    FileListsHooks hooks;
    QueuePane *queue = w.queuePane();
    hooks.queueEntries = [queue] { return queue->queueEntries(); };
    hooks.replaceQueue = [queue](const QStringList &entries) { queue->setQueueEntries(entries, false); };
    hooks.appendToQueue = [queue](const QStringList &entries) { queue->addToQueue(entries, false); };
    hooks.scriptIsEmpty = [&w] { return !w.scriptFacts() || w.scriptFacts()->scriptIsEmpty(); };
    hooks.enableCreateButtons = [&w] { w.setCreateButtonsEnabled(true); };
    hooks.setControlEnabled = [&w](const QString &name, bool on) { w.setControlEnabled(name, on); };
    hooks.performSort = [queue] { queue->PerformSort(); };
    hooks.setLoadedListMarks = [queue](const QString &listName) { queue->setLoadedListMarks(listName); };
    hooks.scanMetaCommands = [&app](bool includeSort) { Q_EMIT app.metaScanRequested(includeSort); };

    // The window is made at its first opening; "&Close" and a load only hide it, its close box
    // discards it.
    auto window = std::make_shared<QPointer<frmFileLists>>();
    auto open = [&w, window, hooks] {
        if (!*window)
            *window = new frmFileLists(hooks, &w);
        QPointer<frmFileLists> lists = *window;
        // "&Save New" only for a queue that holds something; "Save Personalized" stays as it is.
        lists->cmdSaveNew->setEnabled(w.queuePane()->count() >= 1);
        lists->exec();
        if (lists)
            lists->refreshFileList();
        w.RefreshQueueControls();
    };
    QObject::connect(queue, &QueuePane::fileListsRequested, &w, open);
    QAction *item = w.addMenuItem(MainMenu::Queue, QStringLiteral("mnuFileLists"), QStringLiteral("&File Lists"));
    QObject::connect(item, &QAction::triggered, &w, open);
}

} // namespace tess
