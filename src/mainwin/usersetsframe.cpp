#include "mainwin/usersetsframe.h"

#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/scriptfacts.h"
#include "core/usersets.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/queuepane.h"
#include "widgets/twips.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>

namespace tess {

UserSetsFrame::UserSetsFrame(QueuePane *queue, FileSelectorPane *files, QWidget *parent)
    : QGroupBox(QStringLiteral("User Set"), parent), m_queue(queue), m_files(files)
{
    setObjectName(QStringLiteral("frmSet"));
    auto *sets = new QHBoxLayout(this);
    sets->setContentsMargins(twipsToPixels(120), twipsToPixels(30), twipsToPixels(120), twipsToPixels(30));
    sets->setSpacing(twipsToPixels(40));
    for (int i = 0; i < kUserSetCount; ++i) {
        optPage[i] = new QRadioButton(this);
        optPage[i]->setObjectName(QStringLiteral("optPage%1").arg(i));
        sets->addWidget(optPage[i]);
    }
    optPage[0]->setChecked(true);
    for (int i = 0; i < kUserSetCount; ++i) {
        connect(optPage[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                optPage_Click(i);
        });
    }
}

void UserSetsFrame::load(MainSettings &s)
{
    if (s.Face >= 0 && s.Face < kUserSetCount) {
        const QSignalBlocker block(optPage[s.Face]);
        optPage[s.Face]->setChecked(true);
    } else {
        s.Face = 0;
        const QSignalBlocker block(optPage[0]);
        optPage[0]->setChecked(true);
    }
}

void UserSetsFrame::store(MainSettings &s) const
{
    for (int i = 0; i < kUserSetCount; ++i) {
        if (optPage[i]->isChecked())
            s.Face = qint16(i);
    }
}

void UserSetsFrame::optPage_Click(int index)
{
    const int from = mainSettings().Face;
    if (index == from)
        return;
    // The window's content leaves it only once it is safely in the old set's files, and the chosen
    // set comes in only when all its files could be read: otherwise the old option is selected
    // again and the window stays as it was.
    if (!SaveSnapshot(from) || !LoadSnapshot(index)) {
        selectWithoutSwitch(from);
        return;
    }
    mainSettings().Face = qint16(index);
}

void UserSetsFrame::selectWithoutSwitch(int set)
{
    if (set < 0 || set >= kUserSetCount)
        return;
    const QSignalBlocker block(optPage[set]);
    optPage[set]->setChecked(true);
}

bool UserSetsFrame::SaveSnapshot(int set)
{
    UserSetSnapshot snapshot;
    snapshot.queue = m_queue->queueEntries();
    if (m_script) {
        snapshot.script = m_script->scriptText();
        snapshot.name = m_script->scriptName();
    }
    snapshot.drive = m_files->drive();
    snapshot.folder = m_files->folder();
    const StateSaveResult r = writeUserSetFiles(set, snapshot);
    if (!r.ok) {
        msgBox(r.text(), vbOKOnly, r.title);
        return false;
    }
    mainSettings().SCRChanged = false;
    return true;
}

bool UserSetsFrame::LoadSnapshot(int set)
{
    const UserSetFiles files = readUserSetFiles(set);
    if (!files.unreadable.isEmpty()) {
        msgBox(unreadableStateFilesMessage(files.unreadable, {}), vbOKOnly | vbExclamation, appTitle());
        return false;
    }
    // Empty lines and unsafe entries are refused and named, as on every other way into the queue.
    m_queue->setQueueEntries(files.queue);
    if (m_script) {
        m_script->setScriptText(files.script);
        m_script->setScriptName(files.name);
    }
    // A drive that cannot be selected or a folder that is gone stops there: the file selector keeps
    // what it could take.
    if (files.hasDrive && m_files->setDrive(files.drive) && files.hasFolder)
        m_files->setDirPath(files.folder);
    Q_EMIT refreshRequested();
    return true;
}

} // namespace tess
