#include "mainwin/frmMain.h"

#include "core/launcher.h"
#include "core/listutils.h"
#include "core/mainsettings.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "core/settingskeys.h"
#include "core/usersets.h"
#include "mainwin/fileselector.h"
#include "mainwin/frmDirWideBrowser.h"
#include "widgets/frmScanStop.h"
#include "mainwin/queuedrop.h"
#include "mainwin/queueops.h"
#include "mainwin/dirlistbox.h"
#include "mainwin/drivelistbox.h"
#include "mainwin/filelistbox.h"
#include "mainwin/uiMainPanes.h"
#include "mainwin/queuelistview.h"
#include "mainwin/barsplitter.h"
#include "scripts/userscriptpane.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <utility>

namespace tess {

namespace {

// 15 twips make one logical pixel.
int tw(int twips) { return qRound(twips / 15.0); }
int toTwips(int px) { return px * 15; }

// The window's smallest outer size in twips, and the bars' limits.
constexpr int kMinWidthTwips = 13084;
constexpr int kMinHeightTwips = 10130;
constexpr int kP2Min = 3500;      // Picture2 never above this
constexpr int kP2BelowMin = 5455; // outer height - Picture2 never below this
constexpr int kP3Min = 3001;      // Picture3 never above this
constexpr int kP3BelowMin = 3000; // outer height - Picture3 never below this

// The hourglass for the lifetime of the guard.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_on = true;
};

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent, int minWidthTwips = 0,
                        const QString &tip = QString())
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (minWidthTwips > 0)
        b->setMinimumWidth(tw(minWidthTwips));
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent, int widthTwips,
                  const QString &tip = QString())
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setMinimumWidth(tw(widthTwips));
    if (!tip.isEmpty())
        l->setToolTip(tip);
    return l;
}

QAction *addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

QAction *addSeparator(QMenu *menu, const QString &name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(name);
    return a;
}

QMenu *addSubMenu(QMenu *menu, const QString &name, const QString &caption)
{
    QMenu *m = menu->addMenu(caption);
    m->setObjectName(name);
    return m;
}

// The simple mode hides these menus and items.
const QStringList &simpleModeHidden()
{
    static const QStringList names{QStringLiteral("mnuScriptCreationWizards"),
                                   QStringLiteral("mnuCommandCapture"),
                                   QStringLiteral("mnuRenamer"),
                                   QStringLiteral("mnuScriptBrowser"),
                                   QStringLiteral("mnuScriptEditor"),
                                   QStringLiteral("mnuCheckScriptSyntax"),
                                   QStringLiteral("mnuViewOptions"),
                                   QStringLiteral("mnuProjectTagManager"),
                                   QStringLiteral("mnuUserTagManager"),
                                   QStringLiteral("mnubreak001"),
                                   QStringLiteral("mnubreak002"),
                                   QStringLiteral("mnuPlaceholder1"),
                                   QStringLiteral("mnublank001")};
    return names;
}

} // namespace

// ============================================================================================
// Construction
// ============================================================================================

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    buildMenus();

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    auto *root = new QHBoxLayout(central);
    root->setContentsMargins(tw(60), tw(60), tw(120), tw(60));
    root->setSpacing(tw(120));
    root->addWidget(buildFileSelector());

    auto *right = new QVBoxLayout;
    right->setSpacing(tw(60));
    m_splitTop = new BarSplitter(Qt::Vertical, QStringLiteral("Picture2"), central);
    m_splitTop->setObjectName(QStringLiteral("splitQueue"));
    m_splitTop->setHandleWidth(std::max(tw(70), 5));
    m_splitTop->addWidget(buildTopArea());
    m_splitTop->addWidget(buildQueuePane());
    m_splitTop->setStretchFactor(0, 0);
    m_splitTop->setStretchFactor(1, 1);
    right->addWidget(m_splitTop, 1);
    right->addWidget(buildBottomRow());
    root->addLayout(right, 1);

    // A bar let go (or pushed by a shrinking window) keeps its new place; the limits apply at once.
    for (QSplitter *split : {m_splitTop, m_splitLeft})
        connect(split, &QSplitter::splitterMoved, this, &frmMain::syncDividers);

    connectHandlers();
    loadFromSettings();
    RefreshQueueControls();
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    connect(addItem(file, QStringLiteral("mnuSaveSettings"), QStringLiteral("&Save Settings Now")), &QAction::triggered,
            this, &frmMain::mnuSaveSettings_Click);
    connect(addItem(file, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit")), &QAction::triggered, this,
            &frmMain::mnuFileExit_Click);

    QMenu *queue = bar->addMenu(QStringLiteral("&Queue"));
    queue->setObjectName(QStringLiteral("mnuQueue"));
    QMenu *sort2 = addSubMenu(queue, QStringLiteral("mnuSort2"), QStringLiteral("&Sort"));
    connect(addItem(sort2, QStringLiteral("mnuAscending2"), QStringLiteral("&Ascending")), &QAction::triggered, this,
            &frmMain::mnuSortAscending_Click);
    connect(addItem(sort2, QStringLiteral("mnuDescending2"), QStringLiteral("&Descending")), &QAction::triggered, this,
            &frmMain::mnuSortDescending_Click);
    addSeparator(sort2, QStringLiteral("mnublank002"));
    connect(addItem(sort2, QStringLiteral("mnuSmartSort2"), QStringLiteral("&Smart-Sort")), &QAction::triggered, this,
            &frmMain::mnuSmartSort_Click);
    connect(addItem(sort2, QStringLiteral("mnuReverseOrder2"), QStringLiteral("&Reverse")), &QAction::triggered, this,
            &frmMain::mnuReverseOrder2_Click);
    connect(addItem(queue, QStringLiteral("mnuRemoveDuplicates"), QStringLiteral("&Remove Duplicates")),
            &QAction::triggered, this, &frmMain::mnuRemoveDuplicates_Click);
    addSeparator(queue, QStringLiteral("mnublank004"));

    QMenu *script = bar->addMenu(QStringLiteral("&Script"));
    script->setObjectName(QStringLiteral("mnuScript"));
    addSeparator(script, QStringLiteral("mnuPlaceholder1"));
    addSeparator(script, QStringLiteral("mnublank001"));

    QMenu *tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    addSeparator(tools, QStringLiteral("mnubreak002"));
    addSeparator(tools, QStringLiteral("mnubreak001"));

    QMenu *wizards = bar->addMenu(QStringLiteral("&Wizards"));
    wizards->setObjectName(QStringLiteral("mnuScriptCreationWizards"));

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));

    // The queue's pop-up menu: never on the menu bar.
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnuPUForm"));
    QMenu *sort = addSubMenu(m_popup, QStringLiteral("mnuSort"), QStringLiteral("&Sort"));
    connect(addItem(sort, QStringLiteral("mnuSortAscending"), QStringLiteral("&Ascending")), &QAction::triggered, this,
            &frmMain::mnuSortAscending_Click);
    connect(addItem(sort, QStringLiteral("mnuSortDescending"), QStringLiteral("&Descending")), &QAction::triggered,
            this, &frmMain::mnuSortDescending_Click);
    addSeparator(sort, QStringLiteral("mnuPlaceholder"));
    connect(addItem(sort, QStringLiteral("mnuSmartSort"), QStringLiteral("S&mart-Sort")), &QAction::triggered, this,
            &frmMain::mnuSmartSort_Click);
    QAction *reverse = addItem(sort, QStringLiteral("mnuReverseOrder"), QStringLiteral("&Reverse"));
    reverse->setEnabled(false);
    connect(reverse, &QAction::triggered, this, &frmMain::mnuReverseOrder_Click);
    QMenu *font = addSubMenu(m_popup, QStringLiteral("mnuFont"), QStringLiteral("&Text Size"));
    connect(addItem(font, QStringLiteral("mnuTextLarger"), QStringLiteral("&Larger")), &QAction::triggered, this,
            &frmMain::mnuTextLarger_Click);
    connect(addItem(font, QStringLiteral("mnuTextSmaller"), QStringLiteral("&Smaller")), &QAction::triggered, this,
            &frmMain::mnuTextSmaller_Click);
    QMenu *kase = addSubMenu(m_popup, QStringLiteral("mnuCase"), QStringLiteral("&Change Case"));
    QAction *upper = addItem(kase, QStringLiteral("mnuQueueUpperCase"), QStringLiteral("&UPPER"));
    QAction *lower = addItem(kase, QStringLiteral("mnuQueueLowerCase"), QStringLiteral("&lower"));
    upper->setEnabled(false);
    lower->setEnabled(false);
    connect(upper, &QAction::triggered, this, &frmMain::mnuQueueUpperCase_Click);
    connect(lower, &QAction::triggered, this, &frmMain::mnuQueueLowerCase_Click);
    QMenu *remove = addSubMenu(m_popup, QStringLiteral("mnuRemove"), QStringLiteral("&Remove"));
    connect(addItem(remove, QStringLiteral("mnuRemoveSelectedFiles"), QStringLiteral("&Selected Files")),
            &QAction::triggered, this, &frmMain::cmdRemoveDwg_Click);
    connect(addItem(remove, QStringLiteral("mnuRemoveUnselectedFiles"), QStringLiteral("&Unselected Files")),
            &QAction::triggered, this, &frmMain::RemoveUnselectedFiles);
    addSeparator(m_popup, QStringLiteral("mnunothing4"));
    addSeparator(m_popup, QStringLiteral("mnunothing5"));
    QMenu *checks = addSubMenu(m_popup, QStringLiteral("mnuFileSystemChecks"), QStringLiteral("&File System Checks"));
    QAction *dups2 = addItem(checks, QStringLiteral("mnuRemoveDuplicates2"), QStringLiteral("&Remove Duplicates"));
    dups2->setEnabled(false);
    connect(dups2, &QAction::triggered, this, &frmMain::mnuRemoveDuplicates_Click);

    // A top-level menu without items stays off the bar until another part adds its items.
    for (QMenu *m : {file, queue, script, tools, wizards, help})
        m->installEventFilter(this);
    updateMenuBarVisibility();
}

QMenu *frmMain::menuByName(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    return findChild<QMenu *>(name);
}

QWidget *frmMain::buildFileSelector()
{
    Frame2 = new QGroupBox(QStringLiteral("Drawing File Selector"), centralWidget());
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setToolTip(QStringLiteral("Click frame to refresh file list"));
    Frame2->setFixedWidth(tw(2747));
    Frame2->installEventFilter(this);
    auto *v = new QVBoxLayout(Frame2);
    v->setContentsMargins(tw(60), tw(90), tw(60), tw(90));
    v->setSpacing(tw(60));

    auto *top = new QHBoxLayout;
    top->setSpacing(tw(60));
    cmdDirWideBrowser = makeButton(QStringLiteral("cmdDirWideBrowser"), QStringLiteral("&W"), Frame2, 375,
                                   QStringLiteral("\"Wide\" Directory Selector"));
    cmdDirWideBrowser->setMaximumWidth(tw(500));
    Command18 = makeButton(QStringLiteral("Command18"), QStringLiteral("&Favorites"), Frame2, 1395);
    Command19 = makeButton(QStringLiteral("Command19"), QStringLiteral("&Add"), Frame2, 555);
    top->addWidget(cmdDirWideBrowser);
    top->addWidget(Command18, 1);
    top->addWidget(Command19);
    v->addLayout(top);

    Drive1 = new DriveListBox(Frame2);
    Drive1->setToolTip(QStringLiteral("Select drive"));
    v->addWidget(Drive1);

    m_splitLeft = new BarSplitter(Qt::Vertical, QStringLiteral("Picture3"), Frame2);
    m_splitLeft->setObjectName(QStringLiteral("splitSelector"));
    m_splitLeft->setHandleWidth(std::max(tw(90), 6));
    Dir1 = new DirListBox(m_splitLeft);
    Dir1->setToolTip(QStringLiteral("Manually Select directory or DRAG and DROP Directory from Windows EXPLORER"));
    Dir1->setMinimumHeight(tw(kP3Min - 950));
    auto *lower = new QWidget(m_splitLeft);
    lower->setObjectName(QStringLiteral("fileListArea"));
    auto *lv = new QVBoxLayout(lower);
    lv->setContentsMargins(0, tw(45), 0, 0);
    lv->setSpacing(tw(60));
    auto *filterRow = new QHBoxLayout;
    filterRow->setSpacing(tw(90));
    cmdFilterFormShow = makeButton(QStringLiteral("cmdFilterFormShow"), QStringLiteral("Filter"), lower, 795,
                                   QStringLiteral("Store your filters"));
    tbDWGFilter = new QLineEdit(QStringLiteral("*.*"), lower);
    tbDWGFilter->setObjectName(QStringLiteral("tbDWGFilter"));
    tbDWGFilter->setToolTip(QStringLiteral("Enter wildcards such as ? and *"));
    filterRow->addWidget(cmdFilterFormShow);
    filterRow->addWidget(tbDWGFilter, 1);
    lv->addLayout(filterRow);
    File1 = new FileListBox(lower);
    File1->setToolTip(QStringLiteral("Select files using Drag, SHIFT and CTRL"));
    File1->setMinimumHeight(tw(kP3BelowMin - 1900));
    lv->addWidget(File1, 1);
    m_splitLeft->addWidget(Dir1);
    m_splitLeft->addWidget(lower);
    m_splitLeft->setStretchFactor(0, 0);
    m_splitLeft->setStretchFactor(1, 1);
    v->addWidget(m_splitLeft, 1);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(tw(60));
    cmdQuickPick = makeButton(QStringLiteral("cmdQuickPick"), QStringLiteral("&QuickPick"), Frame2, 1200);
    Command4_explorer = makeButton(QStringLiteral("Command4_explorer"), QStringLiteral("E&xplore"), Frame2, 1100,
                                   QStringLiteral("Launch Explorer in the directory selected above."));
    bottom->addWidget(cmdQuickPick, 1);
    bottom->addWidget(Command4_explorer, 1);
    v->addLayout(bottom);
    return Frame2;
}

QWidget *frmMain::buildTopArea()
{
    auto *area = new QWidget;
    area->setObjectName(QStringLiteral("scriptArea"));
    // Picture2 stays at least 3500 twips down: the tab control is then 3350 twips high.
    area->setMinimumHeight(tw(kP2Min - 150));
    auto *v = new QVBoxLayout(area);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    SSTab1 = new QTabWidget(area);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto makePage = [this](const QString &name, const QString &caption) {
        auto *page = new QWidget;
        page->setObjectName(name);
        auto *l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        SSTab1->addTab(page, caption);
        return page;
    };
    tabUserScript = makePage(QStringLiteral("tabUserScript"), QStringLiteral("User Script"));
    tabSettings = makePage(QStringLiteral("tabSettings"), QStringLiteral("Settings"));
    tabSaveAs = makePage(QStringLiteral("tabSaveAs"), QStringLiteral("\"SAVEAS\" Options"));
    v->addWidget(SSTab1);

    frameSimpleScrSelect = new QGroupBox(QStringLiteral("Script Selector"), area);
    frameSimpleScrSelect->setObjectName(QStringLiteral("frameSimpleScrSelect"));
    new QVBoxLayout(frameSimpleScrSelect);
    v->addWidget(frameSimpleScrSelect);
    return area;
}

QWidget *frmMain::buildQueuePane()
{
    auto *pane = new QWidget;
    pane->setObjectName(QStringLiteral("queuePane"));
    auto *h = new QHBoxLayout(pane);
    h->setContentsMargins(0, tw(90), 0, 0);
    h->setSpacing(tw(120));

    auto *column = new QVBoxLayout;
    column->setSpacing(tw(45));
    auto *addRow = new QHBoxLayout;
    addRow->setSpacing(tw(15));
    cmdAddAll = makeButton(QStringLiteral("cmdAddAll"), QStringLiteral("Add All"), pane, 735,
                           QStringLiteral("Add all files currently shown in the file selector to queue"));
    cmdAddAllSub = makeButton(QStringLiteral("cmdAddAllSub"), QStringLiteral("+"), pane, 345,
                              QStringLiteral("Add all files from sub-directories matching the filter to queue"));
    cmdAddAllSub->setMaximumWidth(tw(450));
    addRow->addWidget(cmdAddAll, 1);
    addRow->addWidget(cmdAddAllSub);
    column->addLayout(addRow);
    cmdAddDwg = makeButton(QStringLiteral("cmdAddDwg"), QStringLiteral("Add -->"), pane, 1065,
                           QStringLiteral("Add selected files to queue"));
    cmdRemoveDwg = makeButton(QStringLiteral("cmdRemoveDwg"), QStringLiteral("<-- Remove"), pane, 1065,
                              QStringLiteral("Remove selected files from queue"));
    cmdRemoveAllDwg = makeButton(QStringLiteral("cmdRemoveAllDwg"), QStringLiteral("Clear"), pane, 1065,
                                 QStringLiteral("Remove all files from queue"));
    cmdFileList = makeButton(QStringLiteral("cmdFileList"), QStringLiteral("File&Lists"), pane, 1065,
                             QStringLiteral("Manage your \"File Lists\""));
    column->addWidget(cmdAddDwg);
    column->addWidget(cmdRemoveDwg);
    column->addWidget(cmdRemoveAllDwg);
    column->addSpacing(tw(150));
    column->addWidget(cmdFileList);
    column->addSpacing(tw(150));

    Frame3 = new QGroupBox(QStringLiteral("Options"), pane);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto *ov = new QVBoxLayout(Frame3);
    ov->setContentsMargins(tw(60), tw(45), tw(30), tw(45));
    ov->setSpacing(tw(30));
    chkSaveAS = new QCheckBox(QStringLiteral("SA&VEAS"), Frame3);
    chkSaveAS->setObjectName(QStringLiteral("chkSaveAS"));
    chkDelay = new QCheckBox(QStringLiteral("Delay"), Frame3);
    chkDelay->setObjectName(QStringLiteral("chkDelay"));
    chkTestRun = new QCheckBox(QStringLiteral("&Test Run"), Frame3);
    chkTestRun->setObjectName(QStringLiteral("chkTestRun"));
    ov->addWidget(chkSaveAS);
    ov->addWidget(chkDelay);
    ov->addWidget(chkTestRun);
    column->addWidget(Frame3);
    column->addSpacing(tw(150));
    cmdDWGPreviewShow = makeButton(QStringLiteral("cmdDWGPreviewShow"), QStringLiteral("&Preview"), pane, 1065);
    column->addWidget(cmdDWGPreviewShow);
    column->addStretch(1);

    auto *columnHost = new QWidget(pane);
    columnHost->setObjectName(QStringLiteral("queueButtons"));
    columnHost->setLayout(column);
    column->setContentsMargins(0, tw(45), 0, 0);
    columnHost->setFixedWidth(tw(1215));
    h->addWidget(columnHost);

    List1 = new QueueListView(pane);
    h->addWidget(List1, 1);
    List1->installEventFilter(this);
    List1->setContextMenuPolicy(Qt::NoContextMenu);

    // The two move buttons lie over the queue's upper right corner.
    Command3 = makeButton(QStringLiteral("Command3"), QStringLiteral("Move Up"), pane);
    Command4 = makeButton(QStringLiteral("Command4"), QStringLiteral("Move Down"), pane);
    for (QPushButton *b : {Command3, Command4}) {
        b->setFixedWidth(tw(1140));
        b->raise();
    }
    return pane;
}

QWidget *frmMain::buildBottomRow()
{
    auto *row = new QWidget;
    row->setObjectName(QStringLiteral("bottomRow"));
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(tw(120));

    auto *labels = new QVBoxLayout;
    labels->setSpacing(0);
    lblFilesInQueue = makeLabel(QStringLiteral("lblFilesInQueue"), QStringLiteral("Files in Queue ="), row, 1725,
                                QStringLiteral("The Number of Files Currently in the Queue"));
    lblFilesProcessed = makeLabel(QStringLiteral("lblFilesProcessed"), QStringLiteral("Files Processed = "), row, 1725,
                                  QStringLiteral("The Number of Files Processed into a Batch Script - Click to Reset"));
    lblFilesProcessed->installEventFilter(this);
    lblUpdate = makeLabel(QStringLiteral("lblUpdate"), QStringLiteral("Progress - Ready"), row, 1695);
    labels->addWidget(lblFilesInQueue);
    labels->addWidget(lblFilesProcessed);
    labels->addWidget(lblUpdate);
    h->addLayout(labels);

    Command1_Compile =
        makeButton(QStringLiteral("Command1_Compile"), QStringLiteral("&Create Batch Script"), row, 2500);
    cmdCreateAndRun =
        makeButton(QStringLiteral("cmdCreateAndRun"), QStringLiteral("Create && &RUN Batch Script"), row, 2500);
    for (QPushButton *b : {Command1_Compile, cmdCreateAndRun}) {
        b->setMinimumHeight(tw(547));
        h->addWidget(b, 0, Qt::AlignVCenter);
    }
    h->addSpacing(tw(120));
    cmdQueueQuickPick = makeButton(QStringLiteral("cmdQueueQuickPick"), QStringLiteral("Quic&kQueue"), row, 1100);
    h->addWidget(cmdQueueQuickPick, 0, Qt::AlignBottom);

    frmSet = new QGroupBox(QStringLiteral("User Set"), row);
    frmSet->setObjectName(QStringLiteral("frmSet"));
    auto *sets = new QHBoxLayout(frmSet);
    sets->setContentsMargins(tw(120), tw(30), tw(120), tw(30));
    sets->setSpacing(tw(40));
    for (int i = 0; i < 5; ++i) {
        optPage[i] = new QRadioButton(frmSet);
        optPage[i]->setObjectName(QStringLiteral("optPage%1").arg(i));
        sets->addWidget(optPage[i]);
    }
    optPage[0]->setChecked(true);
    h->addWidget(frmSet, 0, Qt::AlignBottom);
    h->addStretch(1);
    return row;
}

void frmMain::connectHandlers()
{
    connect(cmdAddDwg, &QPushButton::clicked, this, &frmMain::cmdAddDwg_Click);
    connect(cmdAddAll, &QPushButton::clicked, this, &frmMain::cmdAddAll_Click);
    connect(cmdAddAllSub, &QPushButton::clicked, this, &frmMain::cmdAddAllSub_Click);
    connect(cmdRemoveDwg, &QPushButton::clicked, this, &frmMain::cmdRemoveDwg_Click);
    connect(cmdRemoveAllDwg, &QPushButton::clicked, this, &frmMain::cmdRemoveAllDwg_Click);
    connect(Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmMain::List1_Click);
    connect(List1, &QueueListView::popupRequested, this, [this](const QPoint &pos) {
        if (!m_busy)
            m_popup->popup(pos);
    });
    // Queued: the drag source hears that the drop was taken before the folders are walked.
    connect(List1, &QueueListView::filesDropped, this, &frmMain::List1_OLEDragDrop, Qt::QueuedConnection);

    connect(Drive1, &DriveListBox::driveChanged, this, &frmMain::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, this, &frmMain::Dir1_Change);
    connect(Dir1, &QListWidget::itemClicked, this, &frmMain::Dir1_Click);
    connect(Dir1, &DirListBox::folderDropped, this, &frmMain::Dir1_OLEDragDrop);
    connect(File1, &QListWidget::itemSelectionChanged, this, &frmMain::File1_Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, &frmMain::File1_DblClick);
    connect(File1, &FileListBox::enterPressed, this, &frmMain::File1_DblClick);
    connect(File1, &FileListBox::insertPressed, this, &frmMain::cmdAddDwg_Click);
    connect(tbDWGFilter, &QLineEdit::textChanged, this, &frmMain::tbDWGFilter_Change);
    connect(Command4_explorer, &QPushButton::clicked, this, &frmMain::Command4_explorer_Click);
    for (int i = 0; i < kUserSetCount; ++i) {
        connect(optPage[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                optPage_Click(i);
        });
    }
    connect(cmdDirWideBrowser, &QPushButton::clicked, this, &frmMain::cmdDirWideBrowser_Click);

    // A folder or file list that cannot be read: an empty list, a message, and the selector goes on.
    auto listingFailed = [](const QString &folder, const QString &reason) {
        msgBox(QStringLiteral("The folder could not be read:\n") + folder + QStringLiteral("\n") + reason,
               vbOKOnly | vbExclamation, appTitle());
    };
    connect(Dir1, &DirListBox::listingFailed, this, listingFailed);
    connect(File1, &FileListBox::listingFailed, this, listingFailed);
}

// The window's load: bars, folder, filter, processed counter and mode from MainSettings.
void frmMain::loadFromSettings()
{
    MainSettings &s = mainSettings();
    m_p2 = s.HDividerTop > 0 ? s.HDividerTop : 3600;
    m_p3 = s.HLeftDividerTop > 0 ? s.HLeftDividerTop : 3600;

    m_outerSize = QSize(tw(std::max(s.FormWidth, kMinWidthTwips)), tw(std::max(s.FormHeight, kMinHeightTwips)));
    resize(m_outerSize);
    if (s.LeftCoord != 0 || s.TopCoord != 0)
        move(tw(s.LeftCoord), tw(s.TopCoord));

    // Drive1.Drive := the source path's drive, Dir1.Path := the source path (or the nearest
    // folder above it that exists), then the filter: each runs its change handling.
    QString folder = nearestExistingFolder(s.SourcePath);
    if (folder.isEmpty())
        folder = selectorFolderPath(QDir::homePath());
    {
        const QSignalBlocker block(Drive1);
        Drive1->setDrive(folder);
    }
    m_lastDrive = Drive1->drive();
    setDirPath(folder);
    const QString pattern = s.DWGPattern.isEmpty() ? QStringLiteral("*.dwg") : s.DWGPattern;
    if (tbDWGFilter->text() == pattern)
        tbDWGFilter_Change();
    else
        tbDWGFilter->setText(pattern);

    // The option of the stored set is selected without a switch: the window's queue and script
    // come from the per-user state files. A set outside 0 to 4 is set 0, whose option is shown.
    if (s.Face >= 0 && s.Face < kUserSetCount) {
        const QSignalBlocker block(optPage[s.Face]);
        optPage[s.Face]->setChecked(true);
    } else {
        s.Face = 0;
    }
    updateProcessedLabel();
    applySimpleMode(s.SimpleMode == 1);
    gSetHorizontalExtent(List1);
}

// ============================================================================================
// Layout
// ============================================================================================

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        // The smallest window is 13084 x 10130 twips outside; the frame is taken off for the
        // inner size Qt limits.
        const QSize frame = frameGeometry().size() - geometry().size();
        setMinimumSize(tw(kMinWidthTwips) - frame.width(), tw(kMinHeightTwips) - frame.height());
        // The stored size is the outer one.
        if (m_outerSize.isValid() && !isMaximized())
            resize(m_outerSize - frame);
        applySimpleMode(mainSettings().SimpleMode == 1); // items added by other parts after construction
    }
    applyDividers();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        syncDividers();
}

// Takes the bars' places as they stand now and applies the limits to them.
void frmMain::syncDividers()
{
    if (!m_dividersApplied || !isVisible())
        return;
    m_p2 = hDividerTop();
    m_p3 = hLeftDividerTop();
    applyDividers();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == List1 && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        placeMoveButtons();
    } else if (watched == Frame2 && event->type() == QEvent::MouseButtonRelease) {
        Frame2_Click();
    } else if (watched == lblFilesProcessed && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            lblFilesProcessed_Click();
    } else if ((event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionRemoved ||
                event->type() == QEvent::ActionChanged) &&
               qobject_cast<QMenu *>(watched)) {
        // Deferred: the action list is complete only after the event.
        QMetaObject::invokeMethod(this, &frmMain::updateMenuBarVisibility, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::placeMoveButtons()
{
    if (!List1 || !Command3)
        return;
    const QRect r = List1->geometry();
    const int right = r.right() - tw(327);
    const int h = Command3->sizeHint().height();
    Command3->setGeometry(right - Command3->width(), r.top() + tw(50), Command3->width(), h);
    Command4->setGeometry(right - Command4->width(), r.top() + tw(50) + h + tw(15), Command4->width(), h);
    Command3->raise();
    Command4->raise();
}

int frmMain::hDividerTop() const
{
    if (!m_dividersApplied)
        return m_p2;
    const QWidget *bar = m_splitTop->handle(1);
    return toTwips(bar->mapTo(centralWidget(), QPoint(0, 0)).y());
}

int frmMain::hLeftDividerTop() const
{
    if (!m_dividersApplied)
        return m_p3;
    const QWidget *bar = m_splitLeft->handle(1);
    return toTwips(bar->mapTo(centralWidget(), QPoint(0, 0)).y());
}

void frmMain::setHDividerTop(int twips)
{
    m_p2 = std::max(twips, kP2Min);
    if (m_dividersApplied)
        applyDividers();
}

void frmMain::setHLeftDividerTop(int twips)
{
    m_p3 = std::max(twips, kP3Min);
    if (m_dividersApplied)
        applyDividers();
}

// Puts the bars at the wanted tops. A bar that would leave too little room below it goes up
// (the splitters hold the panes' minimum sizes).
void frmMain::applyDividers()
{
    if (!isVisible())
        return;
    centralWidget()->layout()->activate();
    // A bar that leaves too little room below it jumps up; none goes above its top limit.
    const int outerHeight = toTwips(frameGeometry().height());
    int p2 = std::max(m_p2, kP2Min);
    if (outerHeight - p2 < kP2BelowMin)
        p2 = std::max(kP2Min, outerHeight - 5500);
    int p3 = std::max(m_p3, kP3Min);
    if (outerHeight - p3 < kP3BelowMin)
        p3 = std::max(kP3Min, outerHeight - 3050);

    auto place = [this](QSplitter *split, int twips) {
        const int total = split->orientation() == Qt::Vertical ? split->height() : split->width();
        const int splitTop = split->mapTo(centralWidget(), QPoint(0, 0)).y();
        const int first = std::max(0, tw(twips) - splitTop);
        split->setSizes({first, std::max(0, total - first - split->handleWidth())});
    };
    place(m_splitTop, p2);
    place(m_splitLeft, p3);
    // A bar that had to jump stays where it landed.
    m_p2 = p2;
    m_p3 = p3;
    m_dividersApplied = true;
    placeMoveButtons();
}

void frmMain::gSetHorizontalExtent(QAbstractItemView *lb)
{
    // Qt lists scroll sideways by themselves once an entry is wider than the list; make sure the
    // bar is offered and the list does not wrap or elide its entries.
    if (!lb)
        return;
    lb->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lb->setTextElideMode(Qt::ElideNone);
    if (auto *view = qobject_cast<QListView *>(lb))
        view->setWrapping(false);
}

void frmMain::applySimpleMode(bool simple)
{
    SSTab1->setVisible(!simple);
    frameSimpleScrSelect->setVisible(simple);
    for (const QString &name : simpleModeHidden()) {
        if (QMenu *m = findChild<QMenu *>(name))
            m->menuAction()->setVisible(!simple);
        else if (QAction *a = findChild<QAction *>(name))
            a->setVisible(!simple);
    }
    if (simple) {
        chkDelay->setEnabled(false);
        chkSaveAS->setEnabled(false);
        chkTestRun->setEnabled(false);
    }
    updateMenuBarVisibility();
}

void frmMain::updateMenuBarVisibility()
{
    const bool simple = mainSettings().SimpleMode == 1;
    for (const char *name : {"mnuFile", "mnuQueue", "mnuScript", "mnuTools", "mnuScriptCreationWizards", "mnuHelp"}) {
        QMenu *m = menuByName(QString::fromLatin1(name));
        if (!m)
            continue;
        bool hasItem = false;
        for (QAction *a : m->actions()) {
            if (!a->isSeparator() && a->isVisible()) {
                hasItem = true;
                break;
            }
        }
        const bool hiddenBySimple = simple && m->objectName() == QLatin1String("mnuScriptCreationWizards");
        m->menuAction()->setVisible(hasItem && !hiddenBySimple);
    }
}

void frmMain::storeWindowStateInSettings()
{
    Q_EMIT storingSettings();
    MainSettings &s = mainSettings();
    s.SourcePath = Dir1->path();
    s.DWGPattern = tbDWGFilter->text();
    s.HDividerTop = hDividerTop();
    s.HLeftDividerTop = hLeftDividerTop();
    if (!isMinimized() && !isMaximized()) {
        const QRect g = frameGeometry();
        s.LeftCoord = toTwips(g.left());
        s.TopCoord = toTwips(g.top());
        s.FormWidth = toTwips(g.width());
        s.FormHeight = toTwips(g.height());
    }
    for (int i = 0; i < 5; ++i) {
        if (optPage[i]->isChecked())
            s.Face = qint16(i);
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        // A walk is running under this handler's caller: stop it and close when it has ended.
        frmScanStop::instance()->setStopRequested(true);
        m_closeAfterBusy = true;
        event->ignore();
        return;
    }
    storeWindowStateInSettings();
    if (frmScanStop::isLoaded())
        frmScanStop::instance()->hideScan();
    QMainWindow::closeEvent(event);
}

void frmMain::mnuSaveSettings_Click()
{
    storeWindowStateInSettings();
    QStringList failed;
    if (!writeMainSettings(mainSettings(), &failed))
        msgBox(QStringLiteral("These settings could not be written:\n") + failed.join(QLatin1Char('\n')),
               vbOKOnly | vbExclamation, appTitle());
    Q_EMIT saveSettingsRequested();
}

// ============================================================================================
// User Sets
// ============================================================================================

void frmMain::optPage_Click(int index)
{
    SaveSnapshot(mainSettings().Face);
    LoadSnapshot(index);
    mainSettings().Face = qint16(index);
}

void frmMain::SaveSnapshot(int set)
{
    UserSetSnapshot snapshot;
    snapshot.queue = List1->items();
    if (const UserScriptPane *pane = userScriptPane(this)) {
        snapshot.script = pane->scriptText();
        snapshot.name = pane->scriptName();
    }
    snapshot.drive = Drive1->drive();
    snapshot.folder = Dir1->path();
    const StateSaveResult r = writeUserSetFiles(set, snapshot);
    for (const QString &m : r.messages)
        msgBox(m, vbOKOnly, r.title);
    if (r.ok)
        mainSettings().SCRChanged = false;
}

void frmMain::LoadSnapshot(int set)
{
    const UserSetFiles files = readUserSetFiles(set);
    // The queue never holds empty entries; other unsafe entries are named.
    QStringList queue;
    queue.reserve(files.queue.size());
    for (const QString &entry : files.queue)
        if (!entry.isEmpty())
            queue.append(entry);
    setQueueEntries(queue);
    UserScriptPane *pane = userScriptPane(this);
    if (pane)
        pane->setScriptText(files.script);
    // Each step below may stop the load; what came before stays in the window.
    [&] {
        if (!files.hasName)
            return;
        if (pane)
            pane->setScriptName(files.name);
        if (!files.hasDrive)
            return;
        if (!Drive1->setDrive(files.drive))
            return;
        if (!files.hasFolder)
            return;
        setDirPath(files.folder);
    }();
    RefreshQueueControls();
}

// ============================================================================================
// Busy state and status
// ============================================================================================

void frmMain::setBusy(bool busy)
{
    m_busy = busy;
    // Only the scan window's Stop stays live: the queue, its buttons, the Create buttons and the
    // menus take no input meanwhile.
    menuBar()->setEnabled(!busy);
    centralWidget()->setEnabled(!busy);
    if (busy)
        m_popup->close();
}

void frmMain::setStatus(const QString &text)
{
    lblUpdate->setText(text);
    lblUpdate->repaint();
}

// ============================================================================================
// Queue
// ============================================================================================

QStringList frmMain::queueEntries() const { return List1->items(); }

void frmMain::reportRefused(const QStringList &refused)
{
    if (!refused.isEmpty())
        msgBox(refusedEntriesMessage(refused), vbOKOnly | vbExclamation, appTitle());
}

qsizetype frmMain::addToQueue(const QStringList &candidates, bool report)
{
    const QueueEntryFilter f = filterQueueEntries(candidates);
    List1->addItems(f.accepted);
    if (report)
        reportRefused(f.refused);
    return f.accepted.size();
}

void frmMain::setQueueEntries(const QStringList &entries, bool report)
{
    const QueueEntryFilter f = filterQueueEntries(entries);
    List1->setItems(f.accepted);
    if (report)
        reportRefused(f.refused);
}

bool frmMain::scriptIsEmpty() const
{
    if (const auto *plain = findChild<QPlainTextEdit *>(QStringLiteral("Text1")))
        return plain->document()->isEmpty();
    if (const auto *rich = findChild<QTextEdit *>(QStringLiteral("Text1")))
        return rich->document()->isEmpty();
    return true;
}

void frmMain::enableCreateButtonsForScript()
{
    if (!scriptIsEmpty()) {
        Command1_Compile->setEnabled(true);
        cmdCreateAndRun->setEnabled(true);
    }
}

void frmMain::resetLoadedListMarks()
{
    cmdFileList->setText(QStringLiteral("File&Lists"));
    List1->setToolTip(QString());
}

void frmMain::setLoadedListMarks(const QString &listName)
{
    cmdFileList->setText(QStringLiteral("=File&Lists="));
    List1->setToolTip(listName);
}

void frmMain::updateProcessedLabel()
{
    const double n = mainSettings().TotalFilesProcessed;
    lblFilesProcessed->setText(QStringLiteral("Processed = ") + (n >= 0 ? QStringLiteral(" ") : QString()) +
                               counterText(n));
}

void frmMain::runAutoSortAndMeta()
{
    if (mainSettings().AutoSortEnabled == 1)
        PerformSort();
    if (mainSettings().METAEnabled == 1 && mainSettings().METAImmediate == 1)
        Q_EMIT metaScanRequested(true);
}

// Steps 1 to 4 after adding from the file list, the normal pointer, then 6 and 5 (or 5 and 6).
void frmMain::afterAddSteps(bool favouritesBeforeMarks)
{
    enableCreateButtonsForScript();
    RefreshQueueControls();
    runAutoSortAndMeta();
    QApplication::restoreOverrideCursor();
    const bool favourites = mainSettings().AutoADDFavorites == 1;
    if (favouritesBeforeMarks) {
        if (favourites)
            Q_EMIT addDirToFavoritesRequested();
        resetLoadedListMarks();
    } else {
        resetLoadedListMarks();
        if (favourites)
            Q_EMIT addDirToFavoritesRequested();
    }
}

void frmMain::cmdAddDwg_Click()
{
    if (m_busy)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList candidates;
    for (int row : File1->selectedRows())
        candidates.append(File1->fullPath(row));
    const QueueEntryFilter f = filterQueueEntries(candidates);
    List1->addItems(f.accepted);
    afterAddSteps(true);
    reportRefused(f.refused);
}

void frmMain::cmdAddAll_Click()
{
    if (m_busy)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList candidates;
    candidates.reserve(File1->count());
    for (int row = 0; row < File1->count(); ++row)
        candidates.append(File1->fullPath(row));
    const QueueEntryFilter f = filterQueueEntries(candidates);
    List1->addItems(f.accepted);
    afterAddSteps(false);
    reportRefused(f.refused);
}

namespace {

// Feeds the walk's finds into the queue a batch at a time (each time the walk lets the window
// breathe, at most every ~50 ms) and passes label and events on to the scan window.
class QueueWalkProgress final : public ScanProgress
{
public:
    QueueWalkProgress(QStringList &found, QueueListView *queue, ScanProgress *window)
        : m_found(found), m_queue(queue), m_window(window)
    {
    }
    void label(const QString &text) override
    {
        flush();
        if (m_window)
            m_window->label(text);
    }
    void pump() override
    {
        flush();
        if (m_window)
            m_window->pump();
    }
    // The stop request and the count are the scan window's.
    bool stopRequested() const override { return m_window && m_window->stopRequested(); }
    qint64 foundFileCount() const override { return m_window ? m_window->foundFileCount() : 0; }
    void setFoundFileCount(qint64 count) override
    {
        if (m_window)
            m_window->setFoundFileCount(count);
    }
    void flush()
    {
        if (m_done >= m_found.size())
            return;
        const QueueEntryFilter f = filterQueueEntries(m_found.mid(m_done));
        m_done = m_found.size();
        m_queue->addItems(f.accepted);
        added += f.accepted.size();
        refused += f.refused;
    }

    qsizetype added = 0;
    QStringList refused;

private:
    QStringList &m_found;
    QueueListView *m_queue;
    ScanProgress *m_window;
    qsizetype m_done = 0;
};

} // namespace

qsizetype frmMain::walkFolderIntoQueue(const QString &folder, const QString &pattern)
{
    frmScanStop *scan = frmScanStop::instance();
    scan->showScan();
    scan->setStopRequested(false);
    setBusy(true);
    QStringList found;
    QueueWalkProgress progress(found, List1, scan);
    {
        WaitCursor wait;
        SearchFilesIntoList(folder, pattern, found, &progress);
        progress.flush();
    }
    m_walkRefused += progress.refused;
    return progress.added;
}

bool frmMain::endWalk()
{
    if (frmScanStop::isLoaded()) {
        frmScanStop::instance()->hideScan();
        frmScanStop::instance()->setStopRequested(false);
    }
    setBusy(false);
    reportRefused(std::exchange(m_walkRefused, {}));
    if (m_closeAfterBusy) {
        m_closeAfterBusy = false;
        close();
        return false;
    }
    return true;
}

void frmMain::cmdAddAllSub_Click()
{
    if (m_busy)
        return;
    frmScanStop::instance()->setFoundFileCount(0);
    const qsizetype added = walkFolderIntoQueue(Dir1->path(), tbDWGFilter->text());
    msgBox(QString::number(added) + QStringLiteral(" Files Added to Queue."), vbOKOnly,
           QStringLiteral("Scan Complete"));
    RefreshQueueControls();
    if (!endWalk())
        return;
    resetLoadedListMarks();
    runAutoSortAndMeta();
}

void frmMain::List1_OLEDragDrop(const QStringList &items)
{
    if (m_busy || items.isEmpty())
        return;
    const QString filter = tbDWGFilter->text();
    const QString listPattern = mainSettings().DWGPattern;
    QStringList refused;
    bool walked = false;
    // The scan window counts this drop's finds.
    if (frmScanStop::isLoaded())
        frmScanStop::instance()->setFoundFileCount(0);
    for (const QString &item : items) {
        switch (classifyDroppedItem(item, filter)) {
        case DroppedItemKind::Folder:
            walkFolderIntoQueue(item, filter);
            walked = true;
            break;
        case DroppedItemKind::Entry: {
            const QueueEntryFilter f = filterQueueEntries({item});
            List1->addItems(f.accepted);
            refused += f.refused;
            break;
        }
        case DroppedItemKind::FileList: {
            // A list that cannot be read is passed over.
            QStringList lines;
            if (readDroppedFileList(item, listPattern, lines)) {
                const QueueEntryFilter f = filterQueueEntries(lines);
                List1->addItems(f.accepted);
                refused += f.refused;
            }
            break;
        }
        case DroppedItemKind::Ignored: break;
        }
        // "&Stop" ends the whole drop; what was added stays.
        if (walked && frmScanStop::instance()->stopRequested())
            break;
    }
    if (walked) {
        m_walkRefused += refused;
        if (!endWalk())
            return;
    } else {
        reportRefused(refused);
    }
    RefreshQueueControls();
    runAutoSortAndMeta();
    resetLoadedListMarks();
}

void frmMain::cmdRemoveDwg_Click()
{
    if (m_busy)
        return;
    WaitCursor wait;
    const QList<qsizetype> rows = List1->selectedRows();
    if (!rows.isEmpty()) {
        QStringList kept;
        kept.reserve(List1->count() - rows.size());
        const QStringList &all = List1->items();
        qsizetype next = 0;
        for (qsizetype r : rows) {
            for (; next < r; ++next)
                kept.append(all.at(next));
            next = r + 1;
        }
        for (; next < all.size(); ++next)
            kept.append(all.at(next));
        List1->setItems(kept);
    }
    if (List1->selectedCount() == 0) {
        cmdRemoveDwg->setEnabled(false);
        applyEnabled(QStringLiteral("mnuCopySelectedtoClip"), false);
    }
    RefreshQueueControls();
    resetLoadedListMarks();
}

void frmMain::RemoveUnselectedFiles()
{
    if (m_busy)
        return;
    const QList<qsizetype> rows = List1->selectedRows();
    if (rows.isEmpty() && List1->count() > 0) {
        // With nothing selected this empties the queue: ask as Clear does.
        if (msgBox(QStringLiteral("Are you sure you want to clear the File Queue?"),
                   vbYesNo | vbDefaultButton2 | vbExclamation, QStringLiteral("Sure?")) != vbYes)
            return;
    }
    WaitCursor wait;
    QStringList kept;
    kept.reserve(rows.size());
    for (qsizetype r : rows)
        kept.append(List1->item(r));
    List1->setItems(kept);
    List1->selectRange(0, kept.size() - 1); // the entries that stay were all selected
    if (List1->selectedCount() == 0) {
        cmdRemoveDwg->setEnabled(false);
        applyEnabled(QStringLiteral("mnuCopySelectedtoClip"), false);
    }
    RefreshQueueControls();
    resetLoadedListMarks();
}

void frmMain::cmdRemoveAllDwg_Click()
{
    if (m_busy)
        return;
    if (msgBox(QStringLiteral("Are you sure you want to clear the File Queue?"),
               vbYesNo | vbDefaultButton2 | vbExclamation, QStringLiteral("Sure?")) != vbYes)
        return;
    WaitCursor wait;
    List1->clear();
    RefreshQueueControls();
    wait.restore();
    resetLoadedListMarks();
}

void frmMain::mnuRemoveDuplicates_Click()
{
    if (m_busy)
        return;
    QStringList entries = List1->items();
    frmScanStop *scan = frmScanStop::instance();
    qint64 removed = 0;
    {
        WaitCursor wait;
        scan->showScan();
        setBusy(true);
        removed = RemoveDuplicateListItems(entries, scan, pathCaseSensitivity());
        if (removed > 0)
            List1->setItems(entries);
        scan->hideScan();
        setBusy(false);
    }
    msgBox(QString::number(removed) + QStringLiteral(" Duplicate Items Removed "), vbOKOnly | vbInformation,
           appTitle());
    if (m_closeAfterBusy) {
        m_closeAfterBusy = false;
        close();
        return;
    }
    RefreshQueueControls();
}

void frmMain::MoveListItem(qsizetype source, qsizetype target)
{
    const qsizetype n = List1->count();
    if (target == n || target < 0 || target > n - 1 || source < 0 || source >= n)
        return;
    const QString text = List1->item(source);
    List1->removeItem(source);
    List1->insertItem(target, text);
    List1->setCurrentRow(target);
}

void frmMain::Command3_Click()
{
    if (m_busy)
        return;
    WaitCursor wait;
    const QueueMove m = moveUpStep(List1->selectedRows(), List1->count());
    if (m.isValid())
        MoveListItem(m.source, m.target);
}

void frmMain::Command4_Click()
{
    if (m_busy)
        return;
    WaitCursor wait;
    const QueueMove m = moveDownStep(List1->selectedRows(), List1->count());
    if (m.isValid())
        MoveListItem(m.source, m.target);
}

void frmMain::lblFilesProcessed_Click()
{
    if (msgBox(QStringLiteral("Are you sure you want to clear the 'Files Processed' counter?"),
               vbYesNo | vbDefaultButton2 | vbExclamation, QStringLiteral("Sure?")) != vbYes)
        return;
    mainSettings().TotalFilesProcessed = 0;
    lblFilesProcessed->setText(QStringLiteral("Processed = 0"));
}

void frmMain::List1_Click()
{
    if (m_busy)
        return;
    cmdRemoveDwg->setEnabled(true);
    applyEnabled(QStringLiteral("mnuCopySelectedtoClip"), true);
    RefreshQueueControls();
}

// ============================================================================================
// Ordering
// ============================================================================================

void frmMain::mnuSortAscending_Click()
{
    setStatus(QStringLiteral("Sorting"));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    {
        WaitCursor wait;
        List1->setItems(sortedAscending(List1->items()));
    }
    setStatus(QStringLiteral("Ready"));
}

void frmMain::mnuSortDescending_Click()
{
    setStatus(QStringLiteral("Sorting"));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    {
        WaitCursor wait;
        List1->setItems(sortedDescending(List1->items()));
    }
    setStatus(QStringLiteral("Ready"));
}

void frmMain::SmartSort()
{
    WaitCursor wait;
    List1->setItems(smartSorted(List1->items()));
}

void frmMain::mnuReverseOrder_Click()
{
    WaitCursor wait;
    List1->setItems(reversedEntries(List1->items()));
}

void frmMain::PerformSort()
{
    setStatus(QStringLiteral("Performing AutoSort"));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    switch (mainSettings().AutoSortType) {
    case 0: mnuSortAscending_Click(); break;
    case 1: mnuSortDescending_Click(); break;
    case 2: SmartSort(); break;
    case 3: {
        WaitCursor wait;
        List1->setItems(performSortOrder(List1->items(), 3));
        break;
    }
    default: break;
    }
    setStatus(QStringLiteral("Ready"));
}

void frmMain::mnuSmartSort_Click()
{
    setStatus(QStringLiteral("Sorting"));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    SmartSort();
    setStatus(QStringLiteral("Ready"));
}

void frmMain::mnuReverseOrder2_Click()
{
    setStatus(QStringLiteral("Sorting"));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    mnuReverseOrder_Click();
    setStatus(QStringLiteral("Ready"));
}

// Where letter case tells files apart, a case change makes the entries name other files.
bool frmMain::askCaseChange()
{
    if (pathCaseSensitivity() == Qt::CaseInsensitive)
        return true;
    return msgBox(QStringLiteral("On this system file names that differ only in letter case name different files, "
                                 "so the changed entries may name files that do not exist.\n\n"
                                 "Change the case of every entry in the queue anyway?"),
                  vbYesNo | vbQuestion | vbDefaultButton2, QStringLiteral("Sure?")) == vbYes;
}

void frmMain::mnuQueueUpperCase_Click()
{
    if (m_busy || !askCaseChange())
        return;
    WaitCursor wait;
    List1->setItems(upperCasedEntries(List1->items()));
}

void frmMain::mnuQueueLowerCase_Click()
{
    if (m_busy || !askCaseChange())
        return;
    WaitCursor wait;
    List1->setItems(lowerCasedEntries(List1->items()));
}

void frmMain::mnuTextLarger_Click() { List1->changeFontSize(+1); }
void frmMain::mnuTextSmaller_Click() { List1->changeFontSize(-1); }

// ============================================================================================
// Control states
// ============================================================================================

QueueControlInputs frmMain::queueControlInputs() const
{
    QueueControlInputs in;
    in.entries = List1->count();
    in.selected = List1->selectedCount();
    in.filesListed = File1->count();
    in.scriptEmpty = scriptIsEmpty();
    if (const auto *ro = findChild<QCheckBox *>(QStringLiteral("chkReadOnly")))
        in.readOnly = ro->isChecked();
    in.textFileEntries = countTextFileEntries(List1->items());
    return in;
}

void frmMain::applyEnabled(const QString &name, bool on)
{
    if (QMenu *m = findChild<QMenu *>(name)) {
        m->menuAction()->setEnabled(on);
        return;
    }
    if (QAction *a = findChild<QAction *>(name)) {
        a->setEnabled(on);
        return;
    }
    if (QWidget *w = findChild<QWidget *>(name))
        w->setEnabled(on);
}

void frmMain::RefreshQueueControls()
{
    const QueueControlStates states = computeQueueControlStates(queueControlInputs());
    for (const auto &entry : states.enabled)
        applyEnabled(entry.first, entry.second);
    lblFilesInQueue->setText(states.queueCaption);
}

// ============================================================================================
// File selector
// ============================================================================================

bool frmMain::setDirPath(const QString &folder) { return Dir1->setPath(folder); }

void frmMain::Drive1_Change()
{
    const QString drive = Drive1->drive();
    if (!driveIsReady(drive) || !Dir1->setPath(drive)) {
        // Device unavailable: back to the drive and folder shown before.
        {
            const QSignalBlocker block(Drive1);
            Drive1->setDrive(m_lastDrive);
        }
        if (!m_lastFolder.isEmpty() && Dir1->path() != m_lastFolder)
            Dir1->setPath(m_lastFolder);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        msgBox(QStringLiteral("That Drive is not responding...\rPlease select another drive!"), vbOKOnly,
               QStringLiteral("Tessaline Alert"));
        return;
    }
    m_lastDrive = drive;
}

void frmMain::Dir1_Change()
{
    m_lastFolder = Dir1->path();
    {
        // The drive list follows a folder set from anywhere, without running its own change.
        const QSignalBlocker block(Drive1);
        if (Drive1->setDrive(m_lastFolder))
            m_lastDrive = Drive1->drive();
    }
    File1->setPath(Dir1->path());
    RefreshQueueControls();
    Q_EMIT drawingFolderChanged(Dir1->path());
}

void frmMain::Dir1_Click() { File1->refresh(); }

void frmMain::Dir1_OLEDragDrop(const QString &firstItem)
{
    if (m_busy)
        return;
    if (!firstItem.isEmpty() && QFileInfo(firstItem).isDir()) {
        WaitCursor wait;
        Dir1->setPath(firstItem);
    }
    RefreshQueueControls();
}

void frmMain::File1_Click()
{
    const int row = File1->currentRow();
    if (row >= 0 && File1->item(row)->isSelected())
        Q_EMIT previewRequested(File1->fullPath(row));
    cmdAddDwg->setEnabled(!File1->selectedItems().isEmpty());
}

void frmMain::File1_DblClick()
{
    const int row = File1->currentRow();
    if (row < 0)
        return;
    const QString path = File1->fullPath(row);
    if (!QFileInfo::exists(path)) {
        msgBox(QStringLiteral("File not found: ") + path, vbOKOnly | vbExclamation, appTitle());
        return;
    }
    if (QFileInfo(path).suffix().compare(QLatin1String("wdp"), Qt::CaseInsensitive) == 0)
        mainSettings().WDPCurrentFile = path;
    // Reports a failure itself.
    OpenWithAssociatedProgram(path);
}

void frmMain::tbDWGFilter_Change()
{
    File1->setPattern(tbDWGFilter->text());
    mainSettings().DWGPattern = tbDWGFilter->text();
    cmdAddAll->setEnabled(File1->count() >= 1);
}

void frmMain::Frame2_Click()
{
    WaitCursor wait;
    File1->refresh();
}

void frmMain::Command4_explorer_Click()
{
    const QString folder = Dir1->path();
    LaunchResult r;
#ifdef Q_OS_WIN
    // The folder is one argument; no shell comes between.
    r = launcher()->start(QStringLiteral("explorer.exe"), {QStringLiteral("/n,/e,"), folder}, QString());
#else
    r = launcher()->open(folder);
#endif
    if (!r.ok)
        msgBox(QStringLiteral("The folder could not be shown:\n") + folder +
                   (r.error.isEmpty() ? QString() : QStringLiteral("\n") + r.error),
               vbOKOnly | vbExclamation, appTitle());
}

frmDirWideBrowser *frmMain::dirWideBrowser() const { return m_wideBrowser.data(); }

void frmMain::cmdDirWideBrowser_Click()
{
    if (!m_wideBrowser)
        m_wideBrowser = new frmDirWideBrowser(Dir1, this);
    m_wideBrowser->exec();
}

} // namespace tess
