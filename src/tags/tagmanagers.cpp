#include "tags/tagmanagers.h"

#include "tags/frmProjectTagManager.h"
#include "tags/frmVARSetup.h"
#include "widgets/screenplacement.h"

#include <QDialog>

namespace tess {

namespace {

QPointer<TagManagers> &current()
{
    static QPointer<TagManagers> managers;
    return managers;
}

} // namespace

TagManagers::TagManagers(QWidget *home, std::function<QString()> drawingFolder)
    : QObject(home), m_home(home), m_drawingFolder(std::move(drawingFolder))
{
    setObjectName(QStringLiteral("tagManagers"));
    current() = this;
}

TagManagers::~TagManagers()
{
    if (current() == this)
        current() = nullptr;
}

TagManagers *TagManagers::instance() { return current(); }

frmVARSetup *TagManagers::userTagManager()
{
    if (!m_user && m_home) {
        m_user = new frmVARSetup(m_home);
        if (m_userSetup)
            m_userSetup(m_user);
    }
    return m_user;
}

void TagManagers::setUserTagManagerSetup(std::function<void(frmVARSetup *)> setup) { m_userSetup = std::move(setup); }

frmProjectTagManager *TagManagers::projectTagManager() const { return m_project; }

void TagManagers::execOwnedBy(QDialog *dialog, QWidget *owner)
{
    QPointer<QDialog> guard(dialog);
    if (owner && owner != dialog->parentWidget())
        dialog->setParent(owner, dialog->windowFlags());
    dialog->exec();
    // Back to the main window, so the manager outlives an owner that goes away.
    if (guard && m_home && guard->parentWidget() != m_home)
        guard->setParent(m_home, guard->windowFlags());
}

void TagManagers::showUserTagManager(QWidget *owner)
{
    frmVARSetup *user = userTagManager();
    if (!user)
        return;
    user->ensureLoaded();
    centreOnScreen(user, owner);
    execOwnedBy(user, owner);
}

void TagManagers::showProjectTagManager(QWidget *owner)
{
    if (m_project && m_project->wasUnloaded())
        delete m_project;
    if (!m_project)
        m_project = new frmProjectTagManager(m_drawingFolder, m_home);
    execOwnedBy(m_project, owner);
}

void TagManagers::applyTemplateCommand(const QString &name)
{
    if (frmVARSetup *user = userTagManager())
        user->applyTemplateCommand(name);
}

} // namespace tess
