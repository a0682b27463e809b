#include "app/utilitiesinstall.h"

#include "app/application.h"
#include "app/filelistsinstall.h"
#include "app/revscaninstall.h"
#include "core/drawingqueue.h"
#include "core/fileselection.h"
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

void installUtilities(Application &app, frmMain &w)
{
    installFileLists(app, w);
    FileSelectorPane *files = w.fileSelector();
    // The pick windows are made at their opening and released by their closing.
    auto quickPick = std::make_shared<KeptWindow<frmQuickPick>>([&w] { return new frmQuickPick(*w.files(), &w); });
    QObject::connect(files, &FileSelectorPane::quickPickRequested, &w, [quickPick] { cmdQuickPick_Click(*quickPick); });
    auto queuePick = std::make_shared<KeptWindow<frmQueueQuickPick>>(
        [&w] { return new frmQueueQuickPick(*w.queue(), *w.files(), &w); });
    QObject::connect(w.cmdQueueQuickPick, &QPushButton::clicked, &w,
                     [queuePick] { cmdQueueQuickPick_Click(*queuePick); });

    QAction *combine =
        w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuCombineText"), QStringLiteral("Combine &Text Files"),
                      QStringLiteral("mnubreak002"), ItemTrait::NeedsTextFileQueue);
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
