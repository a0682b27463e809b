#include "app/tagsinstall.h"

#include "app/application.h"
#include "core/fileselection.h"
#include "core/mainsettings.h"
#include "mainwin/frmMain.h"
#include "tags/frmVARSetup.h"
#include "tags/tagmanagers.h"
#include "tags/usertagform.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>

namespace tess {

void installTags(Application &app, frmMain &w)
{
    FileSelection *files = w.files();
    auto *managers = new TagManagers(&w, [files] { return files->folder(); });

    // The manager itself is made at its first use; the settings it would have tidied on loading
    // are tidied now, before the main window shows them.
    normalizeUserTagMembers(mainSettings());
    managers->setUserTagManagerSetup([&app, &w](frmVARSetup *user) {
        user->setStatusReporter([&w](const QString &text) {
            w.lblUpdate->setText(text);
            w.lblUpdate->repaint();
        });
        QObject::connect(user, &frmVARSetup::settingsStored, &app, &Application::settingsApplied);
    });

    QAction *userItem =
        w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuUserTagManager"), QStringLiteral("User Tag M&anager"),
                      QStringLiteral("mnubreak001"), ItemTrait::HiddenInSimpleMode);
    userItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    QObject::connect(userItem, &QAction::triggered, managers, [managers, &w] { managers->showUserTagManager(&w); });

    QAction *projectItem =
        w.addMenuItem(MainMenu::Tools, QStringLiteral("mnuProjectTagManager"), QStringLiteral("Project Tag &Manager"),
                      QStringLiteral("mnubreak001"), ItemTrait::HiddenInSimpleMode);
    projectItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    QObject::connect(projectItem, &QAction::triggered, managers,
                     [managers, &w] { managers->showProjectTagManager(&w); });
}

} // namespace tess
