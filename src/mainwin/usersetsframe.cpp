#include "mainwin/usersetsframe.h"

#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/usersets.h"
#include "mainwin/dirlistbox.h"
#include "mainwin/drivelistbox.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/queuepane.h"
#include "mainwin/scriptfacts.h"
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
    SaveSnapshot(mainSettings().Face);
    LoadSnapshot(index);
    mainSettings().Face = qint16(index);
}

void UserSetsFrame::SaveSnapshot(int set)
{
    UserSetSnapshot snapshot;
    snapshot.queue = m_queue->queueEntries();
    if (m_script) {
        snapshot.script = m_script->scriptText();
        snapshot.name = m_script->scriptName();
    }
    snapshot.drive = m_files->Drive1->drive();
    snapshot.folder = m_files->folder();
    const StateSaveResult r = writeUserSetFiles(set, snapshot);
    for (const QString &m : r.messages)
        msgBox(m, vbOKOnly, r.title);
    if (r.ok)
        mainSettings().SCRChanged = false;
}

void UserSetsFrame::LoadSnapshot(int set)
{
    const UserSetFiles files = readUserSetFiles(set);
    // The queue never holds empty entries; other unsafe entries are named.
    QStringList queue;
    queue.reserve(files.queue.size());
    for (const QString &entry : files.queue)
        if (!entry.isEmpty())
            queue.append(entry);
    m_queue->setQueueEntries(queue);
    if (m_script)
        m_script->setScriptText(files.script);
    // Each step below may stop the load; what came before stays in the window.
    [&] {
        if (!files.hasName)
            return;
        if (m_script)
            m_script->setScriptName(files.name);
        if (!files.hasDrive)
            return;
        if (!m_files->Drive1->setDrive(files.drive))
            return;
        if (!files.hasFolder)
            return;
        m_files->setDirPath(files.folder);
    }();
    Q_EMIT refreshRequested();
}

} // namespace tess
