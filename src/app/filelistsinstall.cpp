#include "app/filelistsinstall.h"

#include "app/application.h"
#include "core/drawingqueue.h"
#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "utilities/frmFileLists.h"
#include "widgets/keptwindow.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>
#include <memory>

namespace tess {

void installFileLists(Application &app, frmMain &w)
{
    ListLoadSteps steps;
    steps.scriptIsEmpty = [&w] { return !w.scriptFacts() || w.scriptFacts()->scriptIsEmpty(); };
    steps.enableCreateButtons = [&w] { w.setCreateButtonsEnabled(true); };
    steps.setControlEnabled = [&w](const QString &name, bool on) { w.setControlEnabled(name, on); };
    steps.performSort = [&w] { w.sortQueue(QueueOrder::SortOptions); };
    steps.setLoadedListMarks = [&w](const QString &listName) { w.markQueueAsLoadedList(listName); };
    steps.scanMetaCommands = [&app](bool includeSort) { Q_EMIT app.metaScanRequested(includeSort); };

    // The window is made at its first opening; "&Close" and a load only hide it, its close box
    // discards it.
    auto window =
        std::make_shared<KeptWindow<frmFileLists>>([&w, steps] { return new frmFileLists(*w.queue(), steps, &w); });
    auto open = [&w, window] {
        QPointer<frmFileLists> lists = window->get();
        // "&Save New" only for a queue that holds something; "Save Personalized" stays as it is.
        lists->cmdSaveNew->setEnabled(w.queue()->count() >= 1);
        lists->exec();
        if (lists)
            lists->refreshFileList();
        w.RefreshQueueControls();
    };
    QObject::connect(w.queuePane(), &QueuePane::fileListsRequested, &w, open);
    QAction *item = w.addMenuItem(MainMenu::Queue, QStringLiteral("mnuFileLists"), QStringLiteral("&File Lists"));
    QObject::connect(item, &QAction::triggered, &w, open);
}

} // namespace tess
