#include "utilities/frmQueueQuickPick.h"

#include "core/messages.h"
#include "core/prompts.h"
#include "preview/frmDWGPreview.h"
#include "widgets/twips.h"

#include <QListWidget>

namespace tess {

frmQueueQuickPick::frmQueueQuickPick(const PickHost &host) : PickWindowBase(PickWindow::QueueQuickPick, host)
{
    setObjectName(QStringLiteral("frmQueueQuickPick"));
    setWindowTitle(QStringLiteral(" Quick Pick - Queue"));
    lstFileNames = new QListWidget(this);
    lstFileNames->setObjectName(QStringLiteral("lstFileNames"));
    lstFileNames->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFileNames->setGeometry(0, 0, twipsToPixels(2055), twipsToPixels(3570));
    lstPaths = new QListWidget(this);
    lstPaths->setObjectName(QStringLiteral("lstPaths"));
    lstPaths->setGeometry(twipsToPixels(840), twipsToPixels(2040), twipsToPixels(1095), twipsToPixels(840));
    lstPaths->hide();
    resize(twipsToPixels(2235), twipsToPixels(4080));

    connect(lstFileNames, &QListWidget::itemClicked, this, &frmQueueQuickPick::lstFileNames_Click);
    connect(lstFileNames, &QListWidget::itemDoubleClicked, this, &frmQueueQuickPick::lstFileNames_DblClick);
    Form_Load();
}

void frmQueueQuickPick::Form_Load()
{
    const QStringList names = queuePickNames(m_host.queue);
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto *item = new QListWidgetItem(names.at(i), lstFileNames);
        // The full path as the row's tooltip (none for an empty entry).
        item->setToolTip(m_host.queue.at(i));
        lstPaths->addItem(m_host.queue.at(i));
    }
}

QString frmQueueQuickPick::pathOf(int row) const
{
    if (row < 0 || row >= lstPaths->count())
        return QString();
    return lstPaths->item(row)->text();
}

void frmQueueQuickPick::lstFileNames_Click()
{
    const QString path = pathOf(lstFileNames->currentRow());
    if (path.isEmpty())
        return;
    ShowDrawingPreview(path);
    raise();
    activateWindow();
}

void frmQueueQuickPick::lstFileNames_DblClick()
{
    const QString path = pathOf(lstFileNames->currentRow());
    if (!path.isEmpty())
        openPickedFile(path);
}

void frmQueueQuickPick::Form_Resize()
{
    // No lower limit: a list narrower than nothing stays at nothing.
    lstFileNames->resize(qMax(0, twipsToPixels(outerWidthTwips() - 100)),
                         qMax(0, twipsToPixels(outerHeightTwips() - 300)));
}

void frmQueueQuickPick::resizeEvent(QResizeEvent *event)
{
    PickWindowBase::resizeEvent(event);
    Form_Resize();
}

void frmQueueQuickPick::afterUnload()
{
    if (m_host.refreshFileList)
        m_host.refreshFileList();
}

void frmQueueQuickPick::unloadStepFailed(int line, const QString &reason)
{
    msgBox(unexpectedErrorAtLineText(reason, QStringLiteral("frmQueueQuickPick"), QStringLiteral("Form_Unload"), line),
           vbOKOnly, appTitle());
}

frmQueueQuickPick *cmdQueueQuickPick_Click(const PickHost &host)
{
    const PickGeometry g = readPickGeometry(PickWindow::QueueQuickPick);
    auto *w = new frmQueueQuickPick(host);
    w->openAt(g);
    return w;
}

} // namespace tess
