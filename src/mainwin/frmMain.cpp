#include "mainwin/frmMain.h"

#include "batch/tagsubstitution.h"
#include "core/listutils.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "core/queueops.h"
#include "core/scriptfacts.h"
#include "core/settingskeys.h"
#include "mainwin/barsplitter.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/controlstatetable.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/mainlayout.h"
#include "mainwin/paneinterfaces.h"
#include "mainwin/queuecontrols.h"
#include "mainwin/queuemodel.h"
#include "mainwin/queuepane.h"
#include "mainwin/saveastab.h"
#include "mainwin/usersetsframe.h"
#include "preview/frmDWGPreview.h"
#include "widgets/controlfactory.h"
#include "widgets/frmScanStop.h"
#include "widgets/sharedaltletters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSet>
#include <QShortcutEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace tess {

namespace {

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

// The simple mode hides these menus and separators of the window's own; the items other parts add
// say so themselves (ItemTrait::HiddenInSimpleMode).
const QStringList &simpleModeHidden()
{
    static const QStringList names{QStringLiteral("mnuScriptCreationWizards"), QStringLiteral("mnubreak001"),
                                   QStringLiteral("mnubreak002"), QStringLiteral("mnuPlaceholder1"),
                                   QStringLiteral("mnublank001")};
    return names;
}

} // namespace

// ============================================================================================
// Construction
// ============================================================================================

frmMain::frmMain(QWidget *parent) : QMainWindow(parent), m_controls(std::make_unique<ControlStateTable>())
{
    setObjectName(QStringLiteral("frmMain"));

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    setCentralWidget(central);
    auto *root = new QHBoxLayout(central);
    root->setContentsMargins(twipsToPixels(60), twipsToPixels(60), twipsToPixels(120), twipsToPixels(60));
    root->setSpacing(twipsToPixels(120));
    m_files = new FileSelectorPane(central);
    root->addWidget(m_files);

    auto *right = new QVBoxLayout;
    right->setSpacing(twipsToPixels(60));
    auto *splitTop = new BarSplitter(Qt::Vertical, QStringLiteral("Picture2"), central);
    splitTop->setObjectName(QStringLiteral("splitQueue"));
    splitTop->setHandleWidth(std::max(twipsToPixels(70), 5));
    splitTop->addWidget(buildTopArea());
    m_queue = new QueuePane(m_files);
    splitTop->addWidget(m_queue);
    m_queueAccess = new PaneQueue(
        m_queue, [this] { RefreshQueueControls(); }, this);
    m_fileAccess = new PaneFileSelection(m_files, this);
    splitTop->setStretchFactor(0, 0);
    splitTop->setStretchFactor(1, 1);
    right->addWidget(splitTop, 1);
    right->addWidget(buildBottomRow());
    root->addLayout(right, 1);
    m_layout = new MainLayout(this, splitTop, m_files->picture3Splitter());

    // The batch-flow and SAVEAS tabs, with the run switches of the queue's "Options" frame. Their
    // controls are made when a tab is first opened or a control is asked for.
    m_batchFlow = new BatchFlowTab(nullptr, DeferredPage::Build::OnFirstUse);
    tabSettings->layout()->addWidget(m_batchFlow);
    m_queue->attachRunSwitchesTo(*m_batchFlow);
    m_saveAs = new SaveAsTab(nullptr, DeferredPage::Build::OnFirstUse);
    tabSaveAs->layout()->addWidget(m_saveAs);
    for (DeferredPage *page : {static_cast<DeferredPage *>(m_batchFlow), static_cast<DeferredPage *>(m_saveAs)})
        connect(page, &DeferredPage::built, this, [this] { m_controls->invalidate(); });
    m_saveAs->setSources(m_queueAccess, m_fileAccess,
                         [this](const QString &text, qint32 counter, const QString &path, qint16 fileNo) {
                             if (!text.contains(QLatin1Char('$')))
                                 return text;
                             const TagContext ctx(TagSettings::fromSettings(mainSettings()), m_queue->queueEntries());
                             return ctx.SubstituteTAGS(text, counter, path, fileNo);
                         });

    buildMenus();
    connectPanes();
    new SharedAltLetters(this);
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    auto topMenu = [bar](const QString &caption, const QString &name) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(name);
        return m;
    };

    QMenu *file = topMenu(QStringLiteral("&File"), QStringLiteral("mnuFile"));
    connect(addItem(file, QStringLiteral("mnuSaveSettings"), QStringLiteral("&Save Settings Now")), &QAction::triggered,
            this, &frmMain::mnuSaveSettings_Click);
    connect(addItem(file, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit")), &QAction::triggered, this,
            &frmMain::mnuFileExit_Click);

    QueuePane *q = m_queue;
    QMenu *queue = topMenu(QStringLiteral("&Queue"), QStringLiteral("mnuQueue"));
    QMenu *sort2 = addSubMenu(queue, QStringLiteral("mnuSort2"), QStringLiteral("&Sort"));
    connect(addItem(sort2, QStringLiteral("mnuAscending2"), QStringLiteral("&Ascending")), &QAction::triggered, q,
            &QueuePane::mnuAscending2_Click);
    connect(addItem(sort2, QStringLiteral("mnuDescending2"), QStringLiteral("&Descending")), &QAction::triggered, q,
            &QueuePane::mnuDescending2_Click);
    addSeparator(sort2, QStringLiteral("mnublank002"));
    connect(addItem(sort2, QStringLiteral("mnuSmartSort2"), QStringLiteral("&Smart-Sort")), &QAction::triggered, q,
            &QueuePane::mnuSmartSort2_Click);
    connect(addItem(sort2, QStringLiteral("mnuReverseOrder2"), QStringLiteral("&Reverse")), &QAction::triggered, q,
            &QueuePane::mnuReverseOrder2_Click);
    const QString removeDuplicates = QStringLiteral("&Remove Duplicates");
    connect(addItem(queue, QStringLiteral("mnuRemoveDuplicates"), removeDuplicates), &QAction::triggered, q,
            &QueuePane::mnuRemoveDuplicates_Click);
    addSeparator(queue, QStringLiteral("mnublank004"));

    QMenu *script = topMenu(QStringLiteral("&Script"), QStringLiteral("mnuScript"));
    addSeparator(script, QStringLiteral("mnuPlaceholder1"));
    addSeparator(script, QStringLiteral("mnublank001"));

    QMenu *tools = topMenu(QStringLiteral("&Tools"), QStringLiteral("mnuTools"));
    addSeparator(tools, QStringLiteral("mnubreak002"));
    addSeparator(tools, QStringLiteral("mnubreak001"));

    QMenu *wizards = topMenu(QStringLiteral("&Wizards"), QStringLiteral("mnuScriptCreationWizards"));
    QMenu *help = topMenu(QStringLiteral("&Help"), QStringLiteral("mnuHelp"));

    // The queue's pop-up menu: never on the menu bar.
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnuPUForm"));
    QMenu *sort = addSubMenu(m_popup, QStringLiteral("mnuSort"), QStringLiteral("&Sort"));
    connect(addItem(sort, QStringLiteral("mnuSortAscending"), QStringLiteral("&Ascending")), &QAction::triggered, q,
            &QueuePane::mnuSortAscending_Click);
    connect(addItem(sort, QStringLiteral("mnuSortDescending"), QStringLiteral("&Descending")), &QAction::triggered, q,
            &QueuePane::mnuSortDescending_Click);
    addSeparator(sort, QStringLiteral("mnuPlaceholder"));
    connect(addItem(sort, QStringLiteral("mnuSmartSort"), QStringLiteral("S&mart-Sort")), &QAction::triggered, q,
            &QueuePane::mnuSmartSort_Click);
    QAction *reverse = addItem(sort, QStringLiteral("mnuReverseOrder"), QStringLiteral("&Reverse"));
    reverse->setEnabled(false);
    connect(reverse, &QAction::triggered, q, &QueuePane::mnuReverseOrder_Click);
    QMenu *font = addSubMenu(m_popup, QStringLiteral("mnuFont"), QStringLiteral("&Text Size"));
    connect(addItem(font, QStringLiteral("mnuTextLarger"), QStringLiteral("&Larger")), &QAction::triggered, q,
            &QueuePane::mnuTextLarger_Click);
    connect(addItem(font, QStringLiteral("mnuTextSmaller"), QStringLiteral("&Smaller")), &QAction::triggered, q,
            &QueuePane::mnuTextSmaller_Click);
    QMenu *kase = addSubMenu(m_popup, QStringLiteral("mnuCase"), QStringLiteral("&Change Case"));
    QAction *upper = addItem(kase, QStringLiteral("mnuQueueUpperCase"), QStringLiteral("&UPPER"));
    QAction *lower = addItem(kase, QStringLiteral("mnuQueueLowerCase"), QStringLiteral("&lower"));
    upper->setEnabled(false);
    lower->setEnabled(false);
    connect(upper, &QAction::triggered, q, &QueuePane::mnuQueueUpperCase_Click);
    connect(lower, &QAction::triggered, q, &QueuePane::mnuQueueLowerCase_Click);
    QMenu *remove = addSubMenu(m_popup, QStringLiteral("mnuRemove"), QStringLiteral("&Remove"));
    connect(addItem(remove, QStringLiteral("mnuRemoveSelectedFiles"), QStringLiteral("&Selected Files")),
            &QAction::triggered, q, &QueuePane::mnuRemoveSelectedFiles_Click);
    connect(addItem(remove, QStringLiteral("mnuRemoveUnselectedFiles"), QStringLiteral("&Unselected Files")),
            &QAction::triggered, q, &QueuePane::mnuRemoveUnselectedFiles_Click);
    addSeparator(m_popup, QStringLiteral("mnunothing4"));
    addSeparator(m_popup, QStringLiteral("mnunothing5"));
    QMenu *checks = addSubMenu(m_popup, QStringLiteral("mnuFileSystemChecks"), QStringLiteral("&File System Checks"));
    QAction *dups2 = addItem(checks, QStringLiteral("mnuRemoveDuplicates2"), removeDuplicates);
    dups2->setEnabled(false);
    connect(dups2, &QAction::triggered, q, &QueuePane::mnuRemoveDuplicates2_Click);

    const QMenu *menus[] = {file, queue, script, tools, wizards, help, m_popup};
    for (int i = 0; i < 7; ++i)
        m_menus[i] = const_cast<QMenu *>(menus[i]);
    // A top-level menu without items stays off the bar until another part adds its items.
    for (QMenu *m : {file, queue, script, tools, wizards, help})
        m->installEventFilter(this);
    updateMenuBarVisibility();
}

QWidget *frmMain::buildTopArea()
{
    auto *area = new QWidget;
    area->setObjectName(QStringLiteral("scriptArea"));
    // Picture2 stays at least 3500 twips down: the tab control is then 3350 twips high.
    area->setMinimumHeight(twipsToPixels(MainLayout::kP2Min - 150));
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
    Picture1 = new QWidget(tabUserScript);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsToPixels(3960), twipsToPixels(360), twipsToPixels(75), twipsToPixels(2895));
    Picture1->lower();
    Picture1->installEventFilter(this);
    tabSettings = makePage(QStringLiteral("tabSettings"), QStringLiteral("Settings"));
    tabSaveAs = makePage(QStringLiteral("tabSaveAs"), QStringLiteral("\"SAVEAS\" Options"));
    v->addWidget(SSTab1);

    frameSimpleScrSelect = new QGroupBox(QStringLiteral("Script Selector"), area);
    frameSimpleScrSelect->setObjectName(QStringLiteral("frameSimpleScrSelect"));
    new QVBoxLayout(frameSimpleScrSelect);
    v->addWidget(frameSimpleScrSelect);
    return area;
}

QWidget *frmMain::buildBottomRow()
{
    auto *row = new QWidget;
    row->setObjectName(QStringLiteral("bottomRow"));
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(twipsToPixels(120));

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
        b->setMinimumHeight(twipsToPixels(547));
        h->addWidget(b, 0, Qt::AlignVCenter);
    }
    h->addSpacing(twipsToPixels(120));
    cmdQueueQuickPick = makeButton(QStringLiteral("cmdQueueQuickPick"), QStringLiteral("Quic&kQueue"), row, 1100);
    h->addWidget(cmdQueueQuickPick, 0, Qt::AlignBottom);

    frmSet = new UserSetsFrame(m_queue, m_files, row);
    h->addWidget(frmSet, 0, Qt::AlignBottom);
    h->addStretch(1);
    return row;
}

void frmMain::connectPanes()
{
    connect(m_queue, &QueuePane::busyChanged, this, &frmMain::setBusy);
    connect(m_queue, &QueuePane::statusChanged, this, &frmMain::showStatus);
    connect(m_queue, &QueuePane::refreshRequested, this, &frmMain::RefreshQueueControls);
    connect(m_queue, &QueuePane::createButtonsForScriptRequested, this, &frmMain::enableCreateButtonsForScript);
    connect(m_queue, &QueuePane::controlEnabledRequested, this,
            [this](const QString &name, bool on) { controls().setEnabled(name, on); });
    connect(m_queue, &QueuePane::popupRequested, m_popup, [this](const QPoint &pos) { m_popup->popup(pos); });
    connect(m_queue, &QueuePane::closeRequested, this, &QWidget::close);
    connect(m_files, &FileSelectorPane::refreshRequested, this, &frmMain::RefreshQueueControls);
    connect(frmSet, &UserSetsFrame::refreshRequested, this, &frmMain::RefreshQueueControls);
    connect(m_queue, &QueuePane::selectionChanged, m_saveAs, [this] { m_saveAs->UpdateSaveAsExample(); });
}

void frmMain::setScriptFacts(ScriptFacts *script)
{
    m_script = script;
    frmSet->setScriptFacts(script);
    m_controls->invalidate();
}

// ============================================================================================
// Menus
// ============================================================================================

QMenu *frmMain::menu(MainMenu which) const { return m_menus[int(which)]; }

QAction *frmMain::addMenuItem(MainMenu which, const QString &name, const QString &caption, const QString &before,
                              ItemTraits traits)
{
    QMenu *m = menu(which);
    QAction *a = nullptr;
    const QList<QAction *> items = m->actions();
    const auto at = std::find_if(items.begin(), items.end(), [&](const QAction *item) {
        return !before.isEmpty() &&
               (item->objectName() == before || (item->menu() && item->menu()->objectName() == before));
    });
    if (at != items.end()) {
        a = new QAction(caption, m);
        a->setObjectName(name);
        m->insertAction(*at, a);
    } else {
        a = addItem(m, name, caption);
    }
    takeTraits(a, traits);
    return a;
}

QAction *frmMain::addMenuItem(QMenu *submenu, const QString &name, const QString &caption, ItemTraits traits)
{
    QAction *a = addItem(submenu, name, caption);
    takeTraits(a, traits);
    return a;
}

void frmMain::takeTraits(QAction *item, ItemTraits traits)
{
    m_controls->invalidate();
    if (traits & ItemTrait::HiddenInSimpleMode) {
        m_simpleModeItems.append(item);
        item->setVisible(mainSettings().SimpleMode != 1);
    }
    if (traits & ItemTrait::NeedsQueue)
        m_queueItems.append({item->objectName(), QueueNeed::Entries});
    if (traits & ItemTrait::NeedsTextFileQueue)
        m_queueItems.append({item->objectName(), QueueNeed::TextFilesOnly});
}

QMenu *frmMain::menuByName(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    return findChild<QMenu *>(name);
}

void frmMain::updateMenuBarVisibility()
{
    const bool simple = mainSettings().SimpleMode == 1;
    for (int i = 0; i < int(MainMenu::QueuePopup); ++i) {
        QMenu *m = m_menus[i];
        bool hasItem = false;
        for (QAction *a : m->actions()) {
            if (!a->isSeparator() && a->isVisible()) {
                hasItem = true;
                break;
            }
        }
        const bool hiddenBySimple = simple && MainMenu(i) == MainMenu::Wizards;
        m->menuAction()->setVisible(hasItem && !hiddenBySimple);
    }
}

// ============================================================================================
// Settings
// ============================================================================================

void frmMain::load(MainSettings &s)
{
    m_layout->load(s);
    m_files->load(s);
    frmSet->load(s);
    m_batchFlow->load(s);
    m_saveAs->load(s);
    m_saveAs->UpdateSaveAsExample();
    updateProcessedLabel();
    lblUpdate->setText(readyStatusText());
    applySimpleMode(s.SimpleMode == 1);
    applyLtMode(s);
    m_queue->showWholeEntries();
    RefreshQueueControls();
}

void frmMain::showStatus(const QString &text)
{
    lblUpdate->setText(text);
    lblUpdate->repaint();
}

void frmMain::applySettings(const MainSettings &s)
{
    applySimpleMode(s.SimpleMode == 1);
    applyLtMode(s);
    updateProcessedLabel();
    RefreshQueueControls();
}

void frmMain::applyLtMode(const MainSettings &s)
{
    const bool lt = s.LT == 1;
    // LT cannot test a drawing without saving it: Test Run stays unticked while LT is on.
    if (lt)
        m_queue->setRunSwitch(QueuePane::RunSwitch::TestRun, false);
    m_queue->setRunSwitchEnabled(QueuePane::RunSwitch::TestRun, !lt && s.SimpleMode != 1);
}

void frmMain::store(MainSettings &s)
{
    Q_EMIT storingSettings();
    m_files->store(s);
    m_layout->store(s);
    frmSet->store(s);
    m_batchFlow->store(s);
    m_saveAs->store(s);
}

// ============================================================================================
// Window events
// ============================================================================================

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_layout->windowShown();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_layout->windowResized();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_queue->isBusy()) {
        // A walk is running under this handler's caller: stop it and close when it has ended.
        m_queue->stopAndCloseAfterwards();
        event->ignore();
        return;
    }
    if (m_inputBlocked) {
        // Other work runs under this handler's caller: close when it has ended.
        m_closeWhenUnblocked = true;
        event->ignore();
        return;
    }
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool frmMain::Form_Unload()
{
    store(mainSettings());
    if (m_exitSave && !m_exitSave())
        return false;
    // The preview keeps the place it was last closed at: the end of the program hides it without
    // storing its position.
    if (frmDWGPreview *preview = frmDWGPreview::loadedInstance())
        preview->hide();
    if (frmScanStop::isLoaded())
        frmScanStop::instance()->hideScan();
    return true;
}

void frmMain::Picture1_MouseMove(Qt::MouseButtons buttons)
{
    if (buttons != Qt::LeftButton)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_layout->windowResized();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblFilesProcessed && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            lblFilesProcessed_Click();
    } else if (watched == Picture1 && event->type() == QEvent::MouseMove) {
        Picture1_MouseMove(static_cast<QMouseEvent *>(event)->buttons());
    } else if ((event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionRemoved ||
                event->type() == QEvent::ActionChanged) &&
               qobject_cast<QMenu *>(watched)) {
        // Deferred: the action list is complete only after the event.
        QMetaObject::invokeMethod(this, &frmMain::updateMenuBarVisibility, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

// ============================================================================================
// Window-wide
// ============================================================================================

void frmMain::setBusy(bool busy)
{
    // Only the scan window's Stop stays live: the queue, its buttons, the Create buttons and the
    // menus take no input meanwhile.
    menuBar()->setEnabled(!busy);
    centralWidget()->setEnabled(!busy);
    if (busy)
        m_popup->close();
}

void frmMain::setInputBlocked(bool blocked)
{
    if (blocked == m_inputBlocked)
        return;
    m_inputBlocked = blocked;
    setBusy(blocked);
    if (!blocked && std::exchange(m_closeWhenUnblocked, false))
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void frmMain::removeQueueDuplicates() { m_queue->mnuRemoveDuplicates_Click(); }

void frmMain::sortQueue(QueueOrder order)
{
    switch (order) {
    case QueueOrder::SortOptions: m_queue->PerformSort(); break;
    case QueueOrder::Ascending: m_queue->mnuSortAscending_Click(); break;
    case QueueOrder::Descending: m_queue->mnuSortDescending_Click(); break;
    case QueueOrder::Smart: m_queue->SmartSort(); break;
    case QueueOrder::Reverse: m_queue->mnuReverseOrder_Click(); break;
    }
}

void frmMain::showLoadedList(const QString &listName)
{
    enableCreateButtonsForScript();
    for (const char *name : {"cmdRemoveAllDwg", "mnuReverseOrder", "mnuQueueUpperCase", "mnuQueueLowerCase"})
        controls().setEnabled(QString::fromLatin1(name), true);
    if (mainSettings().AutoSortEnabled == 1)
        sortQueue(QueueOrder::SortOptions);
    m_queue->setLoadedListMarks(listName);
}

void frmMain::disableSelectionCommands()
{
    for (const char *name : {"cmdRemoveDwg", "mnuCopySelectedtoClip"})
        controls().setEnabled(QString::fromLatin1(name), false);
}

void frmMain::setRunSwitch(RunSwitch which, bool on) { m_queue->setRunSwitch(which, on); }

void frmMain::applySimpleMode(bool simple)
{
    SSTab1->setVisible(!simple);
    frameSimpleScrSelect->setVisible(simple);
    // A name is a menu's (its entry is hidden) or else an item's; one walk over each kind.
    QSet<QString> names(simpleModeHidden().cbegin(), simpleModeHidden().cend());
    for (QMenu *m : findChildren<QMenu *>()) {
        if (names.remove(m->objectName()))
            m->menuAction()->setVisible(!simple);
    }
    for (QAction *a : findChildren<QAction *>()) {
        if (names.remove(a->objectName()))
            a->setVisible(!simple);
    }
    for (QAction *a : std::as_const(m_simpleModeItems)) {
        if (a)
            a->setVisible(!simple);
    }
    if (simple) {
        for (auto which : {QueuePane::RunSwitch::Delay, QueuePane::RunSwitch::SaveAs, QueuePane::RunSwitch::TestRun})
            m_queue->setRunSwitchEnabled(which, false);
    }
    updateMenuBarVisibility();
}

void frmMain::setCreateButtonsEnabled(bool on)
{
    Command1_Compile->setEnabled(on);
    cmdCreateAndRun->setEnabled(on);
}

void frmMain::enableCreateButtonsForScript()
{
    if (m_script && !m_script->scriptIsEmpty())
        setCreateButtonsEnabled(true);
}

QueueControlInputs frmMain::queueControlInputs() const
{
    QueueControlInputs in;
    in.entries = m_queue->count();
    in.selected = m_queue->selectedCount();
    in.filesListed = m_files->filesListed();
    in.scriptEmpty = !m_script || m_script->scriptIsEmpty();
    in.readOnly = m_script && m_script->readOnlyTicked();
    in.textFileEntries = m_queue->queueModel()->textFileEntries();
    in.queueItems = m_queueItems;
    return in;
}

const ControlStateTable &frmMain::controls() const
{
    if (!m_controls->isResolved())
        m_controls->resolve(this);
    return *m_controls;
}

void frmMain::RefreshQueueControls()
{
    const QueueControlStates states = computeQueueControlStates(queueControlInputs());
    controls().apply(states.enabled);
    lblFilesInQueue->setText(states.queueCaption);
}

QStringList frmMain::missingControlNames(const QStringList &names) const
{
    QStringList missing;
    for (const QString &name : names)
        if (!controls().contains(name))
            missing.append(name);
    return missing;
}

void frmMain::updateProcessedLabel()
{
    const double n = mainSettings().TotalFilesProcessed;
    lblFilesProcessed->setText(QStringLiteral("Processed = ") + (n >= 0 ? QStringLiteral(" ") : QString()) +
                               counterText(n));
}

void frmMain::showComposedTotal()
{
    lblFilesProcessed->setText(QStringLiteral("Processed = ") + counterText(mainSettings().TotalFilesProcessed));
}

void frmMain::lblFilesProcessed_Click()
{
    if (msgBox(QStringLiteral("Are you sure you want to clear the 'Files Processed' counter?"),
               vbYesNo | vbDefaultButton2 | vbExclamation, sureTitle()) != vbYes)
        return;
    mainSettings().TotalFilesProcessed = 0;
    lblFilesProcessed->setText(QStringLiteral("Processed = 0"));
}

} // namespace tess
