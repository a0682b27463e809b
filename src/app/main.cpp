// Tessaline: batch processing of AutoCAD drawing sets.

#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "core/statefiles.h"
#include "widgets/uiprompter.h"
#include "mainwin/frmMain.h"
#include "mainwin/uiMainPanes.h"
#include "scripts/userscriptpane.h"

#include <QApplication>
#include <QFont>

namespace {

// The queue, the user script and its name as the per-user state files hold them.
void restoreUserState(tess::frmMain &window)
{
    const tess::UserState state = tess::readUserStateFiles();
    QStringList queue;
    for (const QString &entry : state.queue)
        if (!entry.isEmpty())
            queue << entry;
    window.setQueueEntries(queue);
    if (tess::UserScriptPane *pane = tess::userScriptPane(&window)) {
        pane->setScriptText(state.script);
        pane->setScriptName(state.name);
    }
    tess::mainSettings().SCRChanged = false;
    window.RefreshQueueControls();
}

void saveUserState(const tess::frmMain &window)
{
    tess::UserState state;
    state.queue = window.queueEntries();
    if (const tess::UserScriptPane *pane = tess::userScriptPane(&window)) {
        state.script = pane->scriptText();
        state.name = pane->scriptName();
    }
    const tess::StateSaveResult r = tess::writeUserStateFiles(state);
    for (const QString &m : r.messages)
        tess::msgBox(m, tess::vbOKOnly, r.title);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    tess::installUiSeams();

    const QString version = tess::ProgramVersionString();
    tess::writeSetting(QStringLiteral("Startup"), QStringLiteral("Version"), version);

    if (tess::isRootFolder(tess::AppEnvironment::programFolder())) {
        tess::msgBox(tess::rootFolderRefusalText(), tess::vbOKOnly | tess::vbCritical, QStringLiteral("Ooops"));
        return 1;
    }

    tess::loadMainSettings(tess::mainSettings());
    tess::frmMain window;
    tess::installScriptPanes(&window);
    // The tabs' boxes reach the settings whenever the window stores its state (close, Save Now).
    QObject::connect(&window, &tess::frmMain::storingSettings, &window,
                     [&window] { tess::storeScriptPanesInSettings(&window); });
    QObject::connect(&window, &tess::frmMain::saveSettingsRequested, &window, [&window] { saveUserState(window); });
    restoreUserState(window);
    window.setWindowTitle(QStringLiteral("Tessaline v") + version);
    window.show();

    tess::writeSetting(QStringLiteral("Paths"), QStringLiteral("Application Path"),
                       tess::AppEnvironment::programPath());
    const int rc = app.exec();
    // The window stored its state into the settings when it closed.
    tess::writeMainSettings(tess::mainSettings());
    saveUserState(window);
    return rc;
}
