#include "app/captureinstall.h"

#include "app/application.h"
#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "scripts/frmcapture.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <memory>

namespace tess {

namespace {

// Shows the capture window modally, made at its first opening (and again after its close box
// discarded it). After it closes the result box is emptied and the capture and paste-in buttons
// are disabled, so the next opening starts without a result; the input stays.
void mnuCommandCapture_Click(frmMain &w, QPointer<frmcapture> &window)
{
    if (!window) {
        window = new frmcapture([&w] { return w.scriptFacts(); }, &w);
    }
    window->exec();
    if (!window)
        return;
    if (window->wasUnloaded()) {
        window->deleteLater();
        window = nullptr;
        return;
    }
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
                                  QString::fromUtf8("&Capture AutoCAD\u00AE Commands to Script"), first);
    auto window = std::make_shared<QPointer<frmcapture>>();
    QObject::connect(item, &QAction::triggered, &w, [&w, window] { mnuCommandCapture_Click(w, *window); });
}

} // namespace tess
