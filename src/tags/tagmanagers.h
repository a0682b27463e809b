#pragma once
// The program's two tag managers and how they are opened. The user tag manager is made at its first
// use (an opening, a template command) and kept for the whole run; the project tag manager is made
// on its first opening and made again after its close box discarded it. Both are shown modally, owned by
// the window that opens them (the main window, the script editor, a wizard).

#include <QObject>
#include <QPointer>
#include <functional>

class QDialog;
class QWidget;

namespace tess {

class frmProjectTagManager;
class frmVARSetup;

class TagManagers final : public QObject
{
    Q_OBJECT
public:
    // home: the main window, which keeps the managers between openings; drawingFolder gives its
    // current drawing folder (where the projects folder picker starts).
    TagManagers(QWidget *home, std::function<QString()> drawingFolder);
    ~TagManagers() override;

    // The managers of the main window built last; nullptr while there is none.
    static TagManagers *instance();

    // The user tag manager, made now when there is none.
    frmVARSetup *userTagManager();
    // Runs on the user tag manager once it is made (its status line, its signals).
    void setUserTagManagerSetup(std::function<void(frmVARSetup *)> setup);
    // nullptr until its first opening.
    frmProjectTagManager *projectTagManager() const;

    // Modal, owned by `owner`; return when the manager is hidden or closed.
    void showUserTagManager(QWidget *owner);
    void showProjectTagManager(QWidget *owner);

    // The meta command "tags.template=<name>": loads the template into the user tag manager (and
    // so into TAG1 to TAG50) without showing it.
    void applyTemplateCommand(const QString &name);

private:
    void execOwnedBy(QDialog *dialog, QWidget *owner);

    QPointer<QWidget> m_home;
    std::function<QString()> m_drawingFolder;
    std::function<void(frmVARSetup *)> m_userSetup;
    QPointer<frmVARSetup> m_user;
    QPointer<frmProjectTagManager> m_project;
};

} // namespace tess
