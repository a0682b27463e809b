#include "app/utilitiesinstall.h"

#include "app/application.h"
#include "app/filelistsinstall.h"
#include "app/revscaninstall.h"
#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "core/pathhelpers.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "utilities/frmCombineTextFiles.h"
#include "utilities/frmQueueQuickPick.h"
#include "utilities/frmQuickPick.h"
#include "utilities/frmWDPPrompt.h"
#include "widgets/keptwindow.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>

namespace tess {

namespace {

PickHost pickHost(frmMain &w)
{
    FileSelection *files = w.files();
    PickHost host;
    host.mainWindow = &w;
    host.folder = files->fileListFolder();
    host.driveRoot = withTrailingSeparator(files->drive());
    host.filePattern = files->filePattern();
    host.filterText = files->filter();
    host.queue = w.queue()->entries();
    host.setFilterText = [files](const QString &text) { files->setFilter(text); };
    host.refreshFileList = [files] { files->refresh(); };
    return host;
}

} // namespace

void installUtilities(Application &app, frmMain &w)
{
    installFileLists(app, w);
    FileSelectorPane *files = w.fileSelector();
    QObject::connect(files, &FileSelectorPane::quickPickRequested, &w, [&w] { cmdQuickPick_Click(pickHost(w)); });
    QObject::connect(w.cmdQueueQuickPick, &QPushButton::clicked, &w, [&w] { cmdQueueQuickPick_Click(pickHost(w)); });

    QAction *combine = w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuCombineText"),
                                     QStringLiteral("Combine &Text Files"), QStringLiteral("mnubreak002"));
    QObject::connect(combine, &QAction::triggered, &w, [&w] {
        frmCombineTextFiles dialog(w.queue()->entries(), w.files()->folder(), &w);
        dialog.exec();
    });
    installRevScan(w);
    w.RefreshQueueControls();

    // The prompt is created at its first opening; "&Close" only hides it.
    auto prompt =
        std::make_shared<KeptWindow<frmWDPPrompt>>([&w] { return new frmWDPPrompt(*w.queue(), *w.files(), &w); });
    files->setProjectFilePrompt([prompt] { prompt->get()->exec(); });
}

} // namespace tess
