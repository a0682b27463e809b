// Tessaline: batch processing of AutoCAD drawing sets.

#include "core/appenvironment.h"
#include "core/prompts.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "core/uiprompter.h"

#include <QApplication>
#include <QFont>
#include <QMainWindow>

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

    QMainWindow window;
    window.setObjectName(QStringLiteral("frmMain"));
    window.setWindowTitle(QStringLiteral("Tessaline v") + version);
    window.resize(872, 675);
    window.show();

    tess::writeSetting(QStringLiteral("Paths"), QStringLiteral("Application Path"), tess::AppEnvironment::programPath());
    return app.exec();
}
