// Tessaline: batch processing of AutoCAD drawing sets.

#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "core/uiprompter.h"
#include "mainwin/frmMain.h"
#include "mainwin/uiMainPanes.h"

#include <QApplication>
#include <QFont>

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

    tess::LoadMainSettings(tess::settings());
    tess::frmMain window;
    tess::installScriptPanes(&window);
    // The tabs' boxes reach the settings whenever the window stores its state (close, Save Now).
    QObject::connect(&window, &tess::frmMain::storingSettings, &window,
                     [&window] { tess::storeScriptPanesInSettings(&window); });
    window.setWindowTitle(QStringLiteral("Tessaline v") + version);
    window.show();

    tess::writeSetting(QStringLiteral("Paths"), QStringLiteral("Application Path"),
                       tess::AppEnvironment::programPath());
    const int rc = app.exec();
    // The window stored its state into the settings when it closed.
    tess::WriteMainSettings(tess::settings());
    return rc;
}
