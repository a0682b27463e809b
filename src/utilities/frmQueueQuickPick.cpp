#include "utilities/frmQueueQuickPick.h"

#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "preview/frmDWGPreview.h"
#include "widgets/twips.h"

#include <QListWidget>

namespace tess {

frmQueueQuickPick::frmQueueQuickPick(const DrawingQueue &queue, FileSelection &files, QWidget *mainWindow)
    : PickWindowBase(PickWindow::QueueQuickPick, files, mainWindow)
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
    Form_Load(queue.entries());
}

void frmQueueQuickPick::Form_Load(const QStringList &entries)
{
    const QStringList names = queuePickNames(entries);
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto *item = new QListWidgetItem(names.at(i), lstFileNames);
        // The full path as the row's tooltip (none for an empty entry).
        item->setToolTip(entries.at(i));
        lstPaths->addItem(entries.at(i));
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

void frmQueueQuickPick::afterUnload() { m_files.refresh(); }

void frmQueueQuickPick::unloadStepFailed(int line, const QString &reason)
{
    msgBox(unexpectedErrorAtLineText(reason, QStringLiteral("frmQueueQuickPick"), QStringLiteral("Form_Unload"), line),
           vbOKOnly, appTitle());
}

frmQueueQuickPick *cmdQueueQuickPick_Click(KeptWindow<frmQueueQuickPick> &window)
{
    const PickGeometry g = readPickGeometry(PickWindow::QueueQuickPick);
    frmQueueQuickPick *w = window.get();
    w->openAt(g);
    return w;
}

} // namespace tess
