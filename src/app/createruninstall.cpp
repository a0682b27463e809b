#include "app/createruninstall.h"

#include "app/application.h"
#include "batch/batchcomposer.h"
#include "batch/createandrun.h"
#include "batch/frmNightRun.h"
#include "batch/frmWriteScriptToLoc.h"
#include "batch/metacommandtargets.h"
#include "core/fileselection.h"
#include "core/prompts.h"
#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "mainwin/saveastab.h"
#include "options/optionsfields.h"
#include "tags/tagmanagers.h"
#include "widgets/keptwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QPointer>

#include <QPushButton>
#include <functional>
#include <memory>

namespace tess {

namespace {

// Asks before the program ends while a night run is armed; No keeps the window open.
class ArmedNightRunGuard final : public QObject
{
public:
    ArmedNightRunGuard(frmMain &w, std::function<frmNightRun *()> window) : QObject(&w), m_window(std::move(window))
    {
        w.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return QObject::eventFilter(watched, event);
        frmNightRun *night = m_window();
        if (!night || !night->isArmed())
            return false;
        const int answer = msgBox(QStringLiteral("A Night Run is activated: it will not start when you exit.\r\n\r\n"
                                                 "Exit anyway?"),
                                  vbYesNo | vbQuestion, appTitle());
        if (answer == vbYes) {
            night->chkActivate_Click(false);
            return false;
        }
        event->ignore();
        return true;
    }

private:
    std::function<frmNightRun *()> m_window;
};

} // namespace

void installCreateRun(Application &app, frmMain &w, BatchComposer *composer)
{
    // The META commands: the batch options set through the controls, so their own handlers run.
    QObject::connect(&app, &Application::metaScanRequested, &w, [&w](bool includeSort) {
        const ScriptFacts *script = w.scriptFacts();
        if (!script)
            return;
        SaveAsTab *saveAs = w.saveAsTab();
        ScanForMetaCommands(script->scriptText(), includeSort, [&w, saveAs](const MetaAction &a) {
            switch (a.kind) {
            case MetaAction::TestRun: w.setRunSwitch(RunSwitch::TestRun, a.on); break;
            case MetaAction::Delay: w.setRunSwitch(RunSwitch::Delay, a.on); break;
            case MetaAction::SaveAs: w.setRunSwitch(RunSwitch::SaveAs, a.on); break;
            case MetaAction::Prefix: saveAs->setNamePrefix(a.value); break;
            case MetaAction::Suffix: saveAs->setNameSuffix(a.value); break;
            case MetaAction::SameLocation: saveAs->selectOriginalLocation(); break;
            case MetaAction::ThisLocation: saveAs->selectSpecFolder(a.value); break;
            case MetaAction::TagTemplate: TagManagers::instance()->applyTemplateCommand(a.value); break;
            case MetaAction::Overwrite: saveAs->setOverwriteExisting(a.on); break;
            case MetaAction::SortAuto: w.sortQueue(QueueOrder::SortOptions); break;
            case MetaAction::SortAscending: w.sortQueue(QueueOrder::Ascending); break;
            case MetaAction::SortDescending: w.sortQueue(QueueOrder::Descending); break;
            case MetaAction::SmartSortAscending: w.sortQueue(QueueOrder::Smart); break;
            case MetaAction::SmartSortDescending:
                w.sortQueue(QueueOrder::Smart);
                w.sortQueue(QueueOrder::Reverse);
                break;
            }
        });
    });
    if (!composer)
        return;
    auto createAndRun = [composer](bool nightRun) {
        AutoCadOptions options;
        options.program = [] { return optionsFields()->autoCadExe(); };
        options.switches = [] { return optionsFields()->switches(); };
        options.showOptions = [] { optionsFields()->showModeless(); };
        // One press, one run: a press while a run is under way or right after it does nothing.
        composer->createPress().press(
            [composer, &options, nightRun] { cmdCreateAndRun_Click(*composer, options, nightRun); });
    };
    QObject::connect(w.cmdCreateAndRun, &QPushButton::clicked, composer, [createAndRun] { createAndRun(false); });

    // "&Create Batch Script in a Different Location": modal, owned by the main window; its buttons
    // hide it, its close box unloads it.
    auto other = std::make_shared<KeptWindow<frmWriteScriptToLoc>>([&w, composer] {
        return new frmWriteScriptToLoc(
            *composer, [&w] { return w.files()->folder(); }, &w);
    });
    QAction *outputOther = w.addMenuItem(MainMenu::Script, QStringLiteral("mnuOutputOther"),
                                         QStringLiteral("&Create Batch Script in a Different Location"),
                                         QStringLiteral("mnuViewBatchScript"));
    QObject::connect(outputOther, &QAction::triggered, &w, [other] {
        other->get()->exec();
        if (other->existing() && other->existing()->wasUnloaded())
            other->release();
    });

    // "&Night Run": one window, made on first use, shown without waiting.
    auto night = std::make_shared<KeptWindow<frmNightRun>>([&w, createAndRun] {
        auto *f = new frmNightRun(&w);
        QObject::connect(f, &frmNightRun::createButtonsEnabledRequested, &w, &frmMain::setCreateButtonsEnabled);
        QObject::connect(f, &frmNightRun::runCaptionChanged, w.cmdCreateAndRun, &QPushButton::setText);
        // The button pressed as the user would (nothing when it is off), as a night run.
        QObject::connect(f, &frmNightRun::createAndRunRequested, w.cmdCreateAndRun, [&w, createAndRun] {
            if (w.cmdCreateAndRun->isEnabled())
                createAndRun(true);
        });
        return f;
    });
    auto nightWindow = [night] { return night->get(); };
    QAction *nightRun = w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuNightRun"), QStringLiteral("&Night Run"),
                                      QStringLiteral("mnuResetAcadVars"));
    QObject::connect(nightRun, &QAction::triggered, &w, [nightWindow] {
        frmNightRun *f = nightWindow();
        f->show();
        f->raise();
        f->activateWindow();
    });
    new ArmedNightRunGuard(w, [night] { return night->existing(); });
}

} // namespace tess
