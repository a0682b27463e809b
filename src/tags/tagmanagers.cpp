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
    m_user = new frmVARSetup(home);
    current() = this;
}

TagManagers::~TagManagers()
{
    if (current() == this)
        current() = nullptr;
}

TagManagers *TagManagers::instance() { return current(); }

frmVARSetup *TagManagers::userTagManager() const { return m_user; }

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
    if (!m_user)
        return;
    m_user->ensureLoaded();
    centreOnScreen(m_user, owner);
    execOwnedBy(m_user, owner);
}

void TagManagers::showProjectTagManager(QWidget *owner)
{
    if (m_project && m_project->discarded())
        delete m_project;
    if (!m_project)
        m_project = new frmProjectTagManager(m_drawingFolder, m_home);
    execOwnedBy(m_project, owner);
}

void TagManagers::applyTemplateCommand(const QString &name)
{
    if (m_user)
        m_user->applyTemplateCommand(name);
}

} // namespace tess
