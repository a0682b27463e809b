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
    // The window is made at its first opening; "&Close" and a load only hide it, its close box
    // discards it.
    auto window = std::make_shared<KeptWindow<frmFileLists>>([&app, &w] {
        auto *lists = new frmFileLists(*w.queue(), &w);
        QObject::connect(lists, &frmFileLists::listLoaded, &w, &frmMain::showLoadedList);
        QObject::connect(lists, &frmFileLists::metaScanRequested, &app, &Application::metaScanRequested);
        return lists;
    });
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
