#include "app/utilitiesinstall.h"

#include "app/application.h"
#include "app/filelistsinstall.h"
#include "app/revscaninstall.h"
#include "core/pathhelpers.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "utilities/frmCombineTextFiles.h"
#include "utilities/frmQueueQuickPick.h"
#include "utilities/frmQuickPick.h"
#include "utilities/frmWDPPrompt.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tess {

namespace {

PickHost pickHost(frmMain &w)
{
    FileSelectorPane *files = w.fileSelector();
    PickHost host;
    host.mainWindow = &w;
    host.folder = files->File1->path();
    host.driveRoot = withTrailingSeparator(files->Drive1->drive());
    host.filePattern = files->File1->pattern();
    host.filterText = files->tbDWGFilter->text();
    host.queue = w.queuePane()->queueEntries();
    host.setFilterText = [files](const QString &text) { files->tbDWGFilter->setText(text); };
    host.refreshFileList = [files] { files->File1->refresh(); };
    return host;
}

} // namespace

void installUtilities(Application &app, frmMain &w)
{
    installFileLists(app, w);
    FileSelectorPane *files = w.fileSelector();
    QObject::connect(files->cmdQuickPick, &QPushButton::clicked, &w, [&w] { cmdQuickPick_Click(pickHost(w)); });
    QObject::connect(w.cmdQueueQuickPick, &QPushButton::clicked, &w, [&w] { cmdQueueQuickPick_Click(pickHost(w)); });

    QAction *combine = w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuCombineText"),
                                     QStringLiteral("Combine &Text Files"), QStringLiteral("mnubreak002"));
    QObject::connect(combine, &QAction::triggered, &w, [&w] {
        frmCombineTextFiles dialog(w.queuePane()->queueEntries(), w.fileSelector()->folder(), &w);
        dialog.exec();
    });
    installRevScan(w);
    w.RefreshQueueControls();

    // The prompt is created at its first opening; "&Close" only hides it.
    auto prompt = std::make_shared<QPointer<frmWDPPrompt>>();
    files->setProjectFilePrompt([&w, prompt] {
        if (!*prompt) {
            WdpQueueHooks hooks;
            QueuePane *queue = w.queuePane();
            hooks.setQueueEntries = [queue](const QStringList &e) { queue->setQueueEntries(e); };
            hooks.addToQueue = [queue](const QStringList &e) { queue->addToQueue(e); };
            hooks.drawingFolder = [&w] { return w.fileSelector()->folder(); };
            hooks.refreshQueueControls = [&w] { w.RefreshQueueControls(); };
            *prompt = new frmWDPPrompt(hooks, &w);
        }
        (*prompt)->exec();
    });
}

} // namespace tess
