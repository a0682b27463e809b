#include "app/composerinstall.h"
#include "app/queueextrasinstall.h"

#include "app/application.h"
#include "batch/batchcomposer.h"
#include "core/drawingqueue.h"
#include "core/mainsettings.h"
#include "core/scriptfacts.h"
#include "core/startup.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "mainwin/saveastab.h"
#include "options/optionsfields.h"
#include "scripts/simplescriptselector.h"
#include "scripts/texteditor.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace tess {

BatchComposer *installComposer(Application &app, frmMain &w, SimpleScriptSelector *simple)
{
    Q_UNUSED(app);
    ComposerHost host;
    host.owner = &w;
    host.snapshot = [&w] {
        CompositionSnapshot snap;
        snap.settings = mainSettings();
        // The batch-flow texts, the run switches and the SAVEAS values as the window shows them.
        w.batchFlowTab()->store(snap.settings);
        w.saveAsTab()->store(snap.settings);
        snap.queue = w.queue()->entries();
        if (const ScriptFacts *script = w.scriptFacts())
            snap.userScript = script->scriptText();
        snap.programVersion = ProgramVersionString();
        return snap;
    };
    host.reloadSimpleScript = [simple] { return !simple || simple->reloadBeforeComposing(); };
    host.setBusy = [&w](bool busy) { w.setInputBlocked(busy); };
    host.setStatus = [&w](const QString &text) {
        w.lblUpdate->setText(text);
        w.lblUpdate->repaint();
    };
    host.processedTotalChanged = [&w] { w.showComposedTotal(); };
    host.afterComposition = [&w] { w.disableSelectionCommands(); };
    host.addDirToFavorites = [&w] { addDirToFavoritesAutomatically(w); };
    host.openBatchScriptInEditor = [](const QString &path) { openBatchScriptInEditor(path); };
    host.minimizeWindow = [&w] { w.showMinimized(); };
    // The Options dialog, whichever installed it (none in some tests: then nothing shows).
    host.showOptions = [] { optionsFields()->showOutputSetting(); };
    host.optionsVisible = [] { return optionsFields()->isOnScreen(); };
    host.showOptionsModal = [](QWidget *owner) { optionsFields()->showModal(owner); };

    auto *composer = new BatchComposer(*w.queue(), host, &w);
    composer->setObjectName(QStringLiteral("BatchComposer"));
    QObject::connect(w.Command1_Compile, &QPushButton::clicked, composer,
                     [composer] { composer->createPress().press([composer] { composer->Command1_Compile_Click(); }); });

    QAction *syntax =
        w.addMenuItem(MainMenu::Script, QStringLiteral("mnuCheckScriptSyntax"), QStringLiteral("&Check Script Syntax"),
                      QStringLiteral("mnublank001"), ItemTrait::HiddenInSimpleMode);
    QObject::connect(syntax, &QAction::triggered, composer, &BatchComposer::mnuCheckScriptSyntax_Click);
    QAction *verify =
        w.addMenuItem(MainMenu::Queue, QStringLiteral("mnuVerifyFilesInQueue"), QStringLiteral("&Verify Files"),
                      QStringLiteral("mnublank004"), ItemTrait::NeedsQueue);
    QObject::connect(verify, &QAction::triggered, composer, &BatchComposer::mnuVerifyFilesInQueue_Click);
    if (QMenu *checks = w.menuByName(QStringLiteral("mnuFileSystemChecks"))) {
        QAction *verify2 = w.addMenuItem(checks, QStringLiteral("mnuVerifyFiles2"), QStringLiteral("&Verify Files"),
                                         ItemTrait::NeedsQueue);
        QObject::connect(verify2, &QAction::triggered, composer, &BatchComposer::mnuVerifyFilesInQueue_Click);
    }
    return composer;
}

} // namespace tess
