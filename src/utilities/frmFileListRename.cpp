#include "utilities/frmFileListRename.h"

#include "core/appenvironment.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "utilities/queuelistfile.h"
#include "utilities/queuelistfolder.h"
#include "widgets/controlfactory.h"
#include "widgets/escapekey.h"
#include "widgets/placement.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table{
        {"lblOldName", 360, 360, 855, 255, 945}, {"tbOldName", 1320, 330, 4215, 285},
        {"lblNewName", 360, 720, 855, 255, 945}, {"tbNewName", 1320, 720, 4215, 285},
        {"cmdOk", 3600, 1200, 1935, 375},
    };
    return table;
}

void showNameRefused() { msgBox(fileNameCharactersMessage(), vbOKOnly, alertTitle()); }

} // namespace

frmFileListRename::frmFileListRename(std::function<QString()> selectedName, std::function<void()> listsChanged,
                                     QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_selectedName(std::move(selectedName)), m_listsChanged(std::move(listsChanged))
{
    setObjectName(QStringLiteral("frmFileListRename"));
    setWindowTitle(QStringLiteral("Rename FileList"));
    // No button cancels: Escape presses nothing.
    ignoreEscape(this);
    lblOldName = makeLabel(QStringLiteral("lblOldName"), QStringLiteral("Old Name:"), this);
    lblOldName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tbOldName = new QLineEdit(this);
    tbOldName->setObjectName(QStringLiteral("tbOldName"));
    tbOldName->setEnabled(false);
    lblNewName = makeLabel(QStringLiteral("lblNewName"), QStringLiteral("New Name:"), this);
    lblNewName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tbNewName = new QLineEdit(this);
    tbNewName->setObjectName(QStringLiteral("tbNewName"));
    cmdOk = makeButton(QStringLiteral("cmdOk"), QStringLiteral("&Ok"), this);
    cmdOk->setDefault(true);
    placeControls(this, placements());
    setFixedSize(twipsToPixels(5700), twipsToPixels(1740));
    connect(cmdOk, &QPushButton::clicked, this, &frmFileListRename::cmdOk_Click);
    centreOnScreen(this, owner);
}

void frmFileListRename::showEvent(QShowEvent *event)
{
    // Filled when the window is shown, not on every activation: a box closing over it must not
    // take back the name the user is typing.
    Form_Activate();
    QDialog::showEvent(event);
}

void frmFileListRename::Form_Activate()
{
    const QString name = m_selectedName ? m_selectedName() : QString();
    tbOldName->setText(name);
    tbNewName->setText(name);
}

void frmFileListRename::cmdOk_Click()
{
    const QString oldName = tbOldName->text();
    QString newName = tbNewName->text();
    // A name that no extension can make a valid file name is refused before the question.
    if (newName.isEmpty() || (!listFileNameProblem(newName).isEmpty() &&
                              !listFileNameProblem(newName + QueueListFile::extension()).isEmpty())) {
        showNameRefused();
        return;
    }
    if (!hasListExtension(newName) &&
        msgBox(QStringLiteral(
                   "You have not indicated a valid file extension.\r\n\r\nWould you like me to add it for you?"),
               vbYesNo | vbExclamation, QStringLiteral("Ooops...")) == vbYes)
        newName += QueueListFile::extension();
    if (!listFileNameProblem(newName).isEmpty()) {
        showNameRefused();
        return;
    }
    const ListRenameResult r = renameQueueList(AppEnvironment::dataFolder(), oldName, newName);
    switch (r.outcome) {
    case ListRenameOutcome::Renamed:
        if (m_listsChanged)
            m_listsChanged();
        accept();
        return;
    case ListRenameOutcome::NameTaken:
        msgBox(QStringLiteral("A file by that name already exists.\r\n\r\nPlease delete or rename it."),
               vbOKOnly | vbExclamation, QStringLiteral("Ooops"));
        return;
    case ListRenameOutcome::Failed:
        reportUnexpectedError(r.file.error, r.file.reason, QStringLiteral("cmdOk_Click"),
                              QStringLiteral("Form frmFileListRename"));
        return;
    }
}

} // namespace tess
