#include "app/captureinstall.h"

#include "app/application.h"
#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "scripts/frmcapture.h"
#include "widgets/keptwindow.h"

#include <QAction>
#include <QMenu>
#include <memory>

namespace tess {

namespace {

// Shows the capture window modally, made at its first opening (and again after its close box
// discarded it). After it closes the result box is emptied and the capture and paste-in buttons
// are disabled, so the next opening starts without a result; the input stays.
void mnuCommandCapture_Click(KeptWindow<frmcapture> &kept)
{
    kept.get()->exec();
    kept.releaseIfUnloaded();
    if (frmcapture *window = kept.existing())
        window->resetAfterClosing();
}

} // namespace

void installCapture(Application &app, frmMain &w)
{
    Q_UNUSED(app);
    // The first item of the Tools menu.
    const QList<QAction *> tools = w.menu(MainMenu::Tools)->actions();
    const QString first = tools.isEmpty() ? QString() : tools.first()->objectName();
    QAction *item = w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuCommandCapture"),
                                  QString::fromUtf8("&Capture AutoCAD\u00AE Commands to Script"), first,
                                  ItemTrait::HiddenInSimpleMode);
    auto window =
        std::make_shared<KeptWindow<frmcapture>>([&w] { return new frmcapture([&w] { return w.scriptFacts(); }, &w); });
    QObject::connect(item, &QAction::triggered, &w, [window] { mnuCommandCapture_Click(*window); });
}

} // namespace tess
