#pragma once
// Every process the program starts (AutoCAD, the text editor, the file manager) and every shell
// "open" goes through the launcher. Tests install a recorder and assert on program and arguments.

#include <QString>
#include <QStringList>
#include <functional>

namespace tess {

struct LaunchResult {
    bool ok = false;
    bool notFound = false; // the program does not exist
    QString error;         // the system's reason when !ok
};

class Launcher
{
public:
    virtual ~Launcher() = default;
    // Starts a program detached; never waits for it. The program and each argument are passed
    // apart, no shell comes between. An empty workingFolder keeps the current folder.
    virtual LaunchResult start(const QString &program, const QStringList &arguments, const QString &workingFolder);
    // What to do when an opening fails after open() has returned ok: the desktop opener started,
    // then ended with an error. Called on the GUI thread, with the result as open() would have
    // returned it; empty, the launcher reports the failure itself (openFailureMessage).
    using LateFailure = std::function<void(const LaunchResult &)>;
    // Opens a document, folder or web/e-mail address with its associated program. A workingFolder
    // that is not empty is the folder the associated program starts in. Never waits for the opener.
    virtual LaunchResult open(const QString &target, const QString &workingFolder = QString(),
                              const LateFailure &lateFailure = {});
};

void setLauncher(Launcher *l); // not owned; nullptr restores the built-in one
Launcher *launcher();

} // namespace tess
