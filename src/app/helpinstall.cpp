#include "app/helpinstall.h"

#include "app/application.h"
#include "core/startup.h"
#include "help/frmAbout.h"
#include "help/frmTips.h"
#include "help/readme.h"
#include "mainwin/frmMain.h"
#include "widgets/keptwindow.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <memory>

namespace tess {

namespace {

// "&About Tessaline": the version first, then the box, made anew for each opening.
void mnuHelpAbout_Click(frmMain &w)
{
    frmAbout about(&w);
    about.lblVersion->setText(QStringLiteral("Version ") + ProgramVersionString());
    about.exec();
}

} // namespace

void installHelp(Application &app, frmMain &w)
{
    struct ReadmeItem {
        const char *name;
        const char *caption;
        Qt::Key key;
    };
    // Every reading item leads to the README beside the program.
    const ReadmeItem readmeItems[] = {
        {"mnuReadmeh", "&Setup Instructions && Tutorials", Qt::Key_F1},
        {"mnuOnlineFAQ", "&Help Online (FAQ)", Qt::Key_F2},
        {"mnuForum", "Tessaline User &Forum (Online)", Qt::Key_F3},
        {"mnuWebHome", "&Tessaline Homepage (README.md)", Qt::Key_F4},
        {"mnuWebVideos", "&Instructional Videos (YouTube)", Qt::Key_F5},
    };
    for (const ReadmeItem &item : readmeItems) {
        QAction *a = w.addMenuItem(MainMenu::Help, QLatin1String(item.name), QLatin1String(item.caption));
        a->setShortcut(QKeySequence(item.key));
        QObject::connect(a, &QAction::triggered, &w, [] { openReadme(); });
    }
    w.menu(MainMenu::Help)->addSeparator()->setObjectName(QStringLiteral("mnuHelpBreak"));

    // One tips window for the whole run, made at its first showing; "&Close" only hides it.
    auto tips = std::make_shared<KeptWindow<frmTips>>([] { return new frmTips; });
    auto showTips = [tips](QWidget *owner) { tips->get()->showModal(owner); };
    QAction *tipItem =
        w.addMenuItem(MainMenu::Help, QStringLiteral("mnuTipOfTheDay"), QStringLiteral("Show &Tip of the Day"));
    QObject::connect(tipItem, &QAction::triggered, &w, [showTips, &w] { showTips(&w); });
    // At the start: modal, without an owner, over the main window already shown.
    QObject::connect(&app, &Application::tipsRequested, &w, [showTips] { showTips(nullptr); });
    QObject::connect(&w, &QObject::destroyed, [tips] { delete tips->existing(); });

    QAction *about = w.addMenuItem(MainMenu::Help, QStringLiteral("mnuHelpAbout"), QStringLiteral("&About Tessaline"));
    QObject::connect(about, &QAction::triggered, &w, [&w] { mnuHelpAbout_Click(w); });
}

} // namespace tess
