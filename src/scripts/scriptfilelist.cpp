#include "scripts/scriptfilelist.h"

#include "scripts/scriptlibrary.h"

#include <QEvent>
#include <QFileInfo>
#include <QSignalBlocker>

namespace tess {

ScriptFileList::ScriptFileList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    viewport()->installEventFilter(this);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_quiet && !selectedItems().isEmpty())
            Q_EMIT entryClicked();
    });
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        // A click that changed the picked entry was raised by the selection change already.
        if (m_afterDoubleClick) {
            m_afterDoubleClick = false;
            return;
        }
        if (row(item) == m_rowAtPress)
            Q_EMIT entryClicked();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *) { Q_EMIT entryDoubleClicked(); });
}

bool ScriptFileList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_rowAtPress = selectedItems().isEmpty() ? -1 : row(selectedItems().first());
            m_afterDoubleClick = false;
        } else if (event->type() == QEvent::MouseButtonDblClick)
            m_afterDoubleClick = true;
    }
    return QListWidget::eventFilter(watched, event);
}

bool ScriptFileList::setPath(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    m_folder = folder;
    refresh();
    return true;
}

bool ScriptFileList::setPattern(const QString &pattern)
{
    if (!isAcceptableScriptPattern(pattern))
        return false;
    m_pattern = pattern;
    refresh();
    return true;
}

void ScriptFileList::refresh()
{
    const QString picked = fileName();
    const QStringList names = listScriptFiles(m_folder, m_pattern);
    m_quiet = true;
    {
        const QSignalBlocker block(this);
        clear();
        addItems(names);
        setCurrentRow(-1);
    }
    if (!picked.isEmpty())
        selectFileName(picked);
    m_quiet = false;
    viewport()->update();
}

QString ScriptFileList::fileName() const
{
    const QList<QListWidgetItem *> picked = selectedItems();
    return picked.isEmpty() ? QString() : picked.first()->text();
}

void ScriptFileList::selectFileName(const QString &name)
{
    const bool wasQuiet = m_quiet;
    m_quiet = true;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            setCurrentRow(i);
            break;
        }
    }
    m_quiet = wasQuiet;
}

} // namespace tess
