#include "utilities/frmQuickPick.h"

#include "core/fileselection.h"
#include "core/mainsettings.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"
#include "preview/frmDWGPreview.h"
#include "widgets/controlfactory.h"
#include "widgets/filelistbox.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"

#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace tess {

namespace {
// The smallest outer size (twips): both buttons side by side below a list of a few rows. The
// controls would keep their places below 1001 x 901 in any case.
constexpr int kMinOuterWidth = 1800;
constexpr int kMinOuterHeight = 2000;
} // namespace

frmQuickPick::frmQuickPick(FileSelection &files, QWidget *mainWindow)
    : PickWindowBase(PickWindow::QuickPick, files, mainWindow)
{
    setObjectName(QStringLiteral("frmQuickPick"));
    setWindowTitle(QStringLiteral(" Quick Pick"));
    tbQPPattern = new QLineEdit(this);
    tbQPPattern->setObjectName(QStringLiteral("tbQPPattern"));
    tbQPPattern->setToolTip(QStringLiteral("Filter"));
    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    File1->setContextMenuPolicy(Qt::CustomContextMenu);
    cmdRefresh = makeButton(QStringLiteral("cmdRefresh"), QStringLiteral("&Refresh"), this);
    cmdQuickPickOnOff = makeButton(QStringLiteral("cmdQuickPickOnOff"), QStringLiteral("&Preview"), this);
    setTabOrder(tbQPPattern, File1);
    setTabOrder(File1, cmdRefresh);
    setTabOrder(cmdRefresh, cmdQuickPickOnOff);

    // Design places (twips); the resize rule moves them with the window.
    tbQPPattern->setGeometry(0, 0, twipsToPixels(1695), twipsToPixels(285));
    File1->setGeometry(0, twipsToPixels(300), twipsToPixels(1755), twipsToPixels(3015 - 65));
    cmdRefresh->setGeometry(0, twipsToPixels(3480), twipsToPixels(855), twipsToPixels(255));
    cmdQuickPickOnOff->setGeometry(twipsToPixels(960), twipsToPixels(3480), twipsToPixels(735), twipsToPixels(255));
    setMinimumSize(twipsToPixelsAtLeast(kMinOuterWidth - kFrameWidthTwips),
                   twipsToPixelsAtLeast(kMinOuterHeight - kFrameHeightTwips));
    resize(twipsToPixels(1875), twipsToPixels(3840));

    PUMenu = new QMenu(QStringLiteral("PUMenu"), this);
    PUMenu->setObjectName(QStringLiteral("PUMenu"));
    mnuOpenFiles = PUMenu->addAction(QStringLiteral("Open Selected Files(s)"));
    mnuOpenFiles->setObjectName(QStringLiteral("mnuOpenFiles"));
    PUMenu->setDefaultAction(mnuOpenFiles);

    connect(tbQPPattern, &QLineEdit::textChanged, this, &frmQuickPick::tbQPPattern_Change);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmQuickPick::cmdRefresh_Click);
    connect(cmdQuickPickOnOff, &QPushButton::clicked, this, &frmQuickPick::cmdQuickPickOnOff_Click);
    connect(File1, &QListWidget::itemClicked, this, &frmQuickPick::File1_Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, &frmQuickPick::File1_DblClick);
    connect(File1, &FileListBox::enterPressed, this, &frmQuickPick::File1_DblClick);
    connect(mnuOpenFiles, &QAction::triggered, this, &frmQuickPick::File1_DblClick);
    connect(File1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PUMenu->popup(File1->viewport()->mapToGlobal(at)); });
    Form_Load();
    // At first exactly what the main file list shows.
    File1->setPath(files.fileListFolder());
    File1->setPattern(files.filePattern());
}

void frmQuickPick::Form_Load() { tbQPPattern->setText(m_files.filter()); }

QString frmQuickPick::pathOf(int row) const
{
    return withTrailingSeparator(File1->path(), QLatin1Char('\\')) + File1->item(row)->text();
}

void frmQuickPick::tbQPPattern_Change() { File1->setPattern(quickPickPattern(tbQPPattern->text())); }

void frmQuickPick::Form_Click()
{
    File1->refresh();
    File1->setPattern(quickPickPattern(tbQPPattern->text()));
}

void frmQuickPick::cmdRefresh_Click() { File1->refresh(); }

void frmQuickPick::File1_Click()
{
    const int row = File1->currentRow();
    if (row < 0)
        return;
    ShowDrawingPreview(pathOf(row));
    // The pick window keeps the focus.
    raise();
    activateWindow();
}

void frmQuickPick::File1_DblClick()
{
    WaitCursor wait;
    QStringList paths;
    for (int row = 0; row < File1->count(); ++row) {
        if (File1->item(row)->isSelected())
            paths.append(pathOf(row));
    }
    const MainSettings &s = mainSettings();
    openWithResourceWarning(
        paths, s.ResourceWarning == 1, s.ResourceFileLimit, [this](const QString &path) { openPickedFile(path); },
        [](int limit) {
            return msgBox(resourceWarningText(limit), vbYesNo | vbExclamation, QStringLiteral("Continue?")) == vbYes;
        });
}

void frmQuickPick::cmdQuickPickOnOff_Click()
{
    frmDWGPreview *preview = frmDWGPreview::loadedInstance();
    if (preview && preview->isOpen()) {
        preview->Form_Unload();
        return;
    }
    frmDWGPreview::setOwner(this);
    frmDWGPreview::instance()->showAtStoredPosition();
}

void frmQuickPick::Form_Resize()
{
    const int w = outerWidthTwips();
    const int h = outerHeightTwips();
    if (h <= 900 || w <= 1000)
        return;
    tbQPPattern->resize(twipsToPixels(w - 150), tbQPPattern->height());
    // The list ends just above the buttons rather than 50 twips under them.
    File1->resize(twipsToPixels(w - 100), twipsToPixels(h - 965));
    cmdRefresh->setGeometry(cmdRefresh->x(), twipsToPixels(h - 650), twipsToPixels(w - 950), cmdRefresh->height());
    cmdQuickPickOnOff->move(twipsToPixels(w - 900), twipsToPixels(h - 650));
}

void frmQuickPick::resizeEvent(QResizeEvent *event)
{
    PickWindowBase::resizeEvent(event);
    Form_Resize();
}

void frmQuickPick::mousePressEvent(QMouseEvent *event)
{
    PickWindowBase::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        Form_Click();
}

void frmQuickPick::afterUnload()
{
    // The filter as typed, without the "*" added around it here.
    m_files.setFilter(tbQPPattern->text());
    m_files.refresh();
}

frmQuickPick *cmdQuickPick_Click(KeptWindow<frmQuickPick> &window)
{
    const PickGeometry g = readPickGeometry(PickWindow::QuickPick);
    frmQuickPick *w = window.get();
    w->openAt(g);
    return w;
}

} // namespace tess
