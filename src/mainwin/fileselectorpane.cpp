#include "mainwin/fileselectorpane.h"

#include "core/fileio.h"
#include "core/fileselector.h"
#include "core/launcher.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "mainwin/barsplitter.h"
#include "mainwin/frmDirWideBrowser.h"
#include "mainwin/mainlayout.h"
#include "widgets/controlfactory.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/placement.h"
#include "widgets/waitcursor.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace tess {

FileSelectorPane::FileSelectorPane(QWidget *parent)
    : QGroupBox(QStringLiteral("Drawing File Selector"), parent),
      m_wideBrowser([this] { return new frmDirWideBrowser(Dir1, window()); })
{
    setObjectName(QStringLiteral("Frame2"));
    setToolTip(refreshFileListTip());
    setFixedWidth(twipsToPixels(2747));
    installEventFilter(this);
    // The top row 240 twips below the frame's top edge (the title counts), the drive list 600 and
    // the folder list 900, each 315 twips high.
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(twipsToPixels(60), 0, twipsToPixels(60), twipsToPixels(90));
    v->setSpacing(0);
    keepLayoutTop(this, 240);

    auto *top = new QHBoxLayout;
    top->setSpacing(twipsToPixels(60));
    cmdDirWideBrowser = makeButton(QStringLiteral("cmdDirWideBrowser"), QStringLiteral("&W"), this, 375,
                                   QStringLiteral("\"Wide\" Directory Selector"));
    cmdDirWideBrowser->setMaximumWidth(twipsToPixels(500));
    Command18 = makeButton(QStringLiteral("Command18"), QStringLiteral("&Favorites"), this, 1395,
                           QStringLiteral("Manage your \"Favorite\" directories"));
    Command19 = makeButton(QStringLiteral("Command19"), QStringLiteral("&Add"), this, 555,
                           QStringLiteral("Add the currently shown directory to your \"Favourites\""));
    setDesignWidth(Command19, 555);
    top->addWidget(cmdDirWideBrowser);
    top->addWidget(Command18, 1);
    top->addWidget(Command19);
    v->addLayout(top);
    v->addSpacing(twipsToPixels(45));

    Drive1 = new DriveListBox(this);
    Drive1->setToolTip(QStringLiteral("Select drive"));
    for (QWidget *c : {static_cast<QWidget *>(cmdDirWideBrowser), static_cast<QWidget *>(Command18),
                       static_cast<QWidget *>(Command19), static_cast<QWidget *>(Drive1)})
        c->setFixedHeight(twipsToPixels(315));
    v->addWidget(Drive1);

    m_split = new BarSplitter(Qt::Vertical, QStringLiteral("Picture3"), this);
    m_split->setObjectName(QStringLiteral("splitSelector"));
    m_split->setHandleWidth(std::max(twipsToPixels(90), 6));
    Dir1 = new DirListBox(m_split);
    Dir1->setToolTip(QStringLiteral("Manually Select directory or DRAG and DROP Directory from Windows EXPLORER"));
    Dir1->setMinimumHeight(twipsToPixels(MainLayout::kP3Min - 950));
    auto *lower = new QWidget(m_split);
    lower->setObjectName(QStringLiteral("fileListArea"));
    auto *lv = new QVBoxLayout(lower);
    lv->setContentsMargins(0, twipsToPixels(45), 0, 0);
    lv->setSpacing(twipsToPixels(60));
    auto *filterRow = new QHBoxLayout;
    filterRow->setSpacing(twipsToPixels(165));
    cmdFilterFormShow = makeButton(QStringLiteral("cmdFilterFormShow"), QStringLiteral("Filter"), lower, 795,
                                   QStringLiteral("Store your filters"));
    tbDWGFilter = new QLineEdit(QStringLiteral("*.*"), lower);
    tbDWGFilter->setObjectName(QStringLiteral("tbDWGFilter"));
    tbDWGFilter->setToolTip(QStringLiteral("Enter wildcards such as ? and *"));
    // The filter button and box at their table widths, the box short of the lists' right edge.
    setDesignWidth(cmdFilterFormShow, 795);
    tbDWGFilter->setFixedWidth(twipsToPixels(1395));
    filterRow->addWidget(cmdFilterFormShow);
    filterRow->addWidget(tbDWGFilter);
    filterRow->addStretch(1);
    lv->addLayout(filterRow);
    File1 = new FileListBox(lower);
    File1->setToolTip(QStringLiteral("Select files using Drag, SHIFT and CTRL"));
    File1->setMinimumHeight(twipsToPixels(MainLayout::kP3BelowMin - 1900));
    lv->addWidget(File1, 1);
    // Dir1 and the lower area went into the splitter, in this order, when they were made.
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);
    v->addWidget(m_split, 1);
    v->addSpacing(twipsToPixels(60));

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(twipsToPixels(60));
    cmdQuickPick = makeButton(QStringLiteral("cmdQuickPick"), QStringLiteral("&QuickPick"), this, 1200);
    Command4_explorer = makeButton(QStringLiteral("Command4_explorer"), QStringLiteral("E&xplore"), this, 1100,
                                   QStringLiteral("Launch Explorer in the directory selected above."));
    bottom->addWidget(cmdQuickPick, 1);
    bottom->addWidget(Command4_explorer, 1);
    v->addLayout(bottom);

    m_link = new DriveFolderLink(Drive1, Dir1, this);
    connect(Drive1, &DriveListBox::driveChanged, this, &FileSelectorPane::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, this, &FileSelectorPane::Dir1_Change);
    connect(Dir1, &QListWidget::itemClicked, this, &FileSelectorPane::Dir1_Click);
    connect(Dir1, &DirListBox::folderDropped, this, &FileSelectorPane::Dir1_OLEDragDrop);
    // A click that changes the selection (a Ctrl-click that deselects too) and an arrow key run
    // the click handling once; a click that leaves the selection as it was runs it as well.
    File1->viewport()->installEventFilter(this);
    connect(File1, &QListWidget::itemSelectionChanged, this, [this] {
        m_selectionChangedByPress = true;
        File1_Click();
    });
    connect(File1, &QListWidget::itemClicked, this, [this] {
        if (!std::exchange(m_selectionChangedByPress, false))
            File1_Click();
    });
    connect(File1, &QListWidget::itemDoubleClicked, this, &FileSelectorPane::File1_DblClick);
    connect(File1, &FileListBox::enterPressed, this, [this] { File1_KeyDown(Qt::Key_Return); });
    connect(File1, &FileListBox::insertPressed, this, [this] { File1_KeyDown(Qt::Key_Insert); });
    connect(tbDWGFilter, &QLineEdit::textChanged, this, &FileSelectorPane::tbDWGFilter_Change);
    connect(Command4_explorer, &QPushButton::clicked, this, &FileSelectorPane::Command4_explorer_Click);
    connect(cmdQuickPick, &QPushButton::clicked, this, &FileSelectorPane::quickPickRequested);
    connect(cmdFilterFormShow, &QPushButton::clicked, this, &FileSelectorPane::filterFormRequested);
    connect(Command18, &QPushButton::clicked, this, &FileSelectorPane::favouritesRequested);
    connect(Command19, &QPushButton::clicked, this, &FileSelectorPane::addFavouriteRequested);
    connect(cmdDirWideBrowser, &QPushButton::clicked, this, &FileSelectorPane::cmdDirWideBrowser_Click);

    // A folder or file list that cannot be read: an empty list, a message, and the selector goes on.
    watchListingFailures(m_listingFailures, Dir1, File1, this);
}

void FileSelectorPane::load(const MainSettings &s)
{
    QString start = s.SourcePath;
    if (start.isEmpty() || !QFileInfo(start).isDir()) {
        // The stored folder is gone (renamed, removed, a drive not there): said once, and the
        // selector starts in the current folder.
        if (!start.isEmpty())
            msgBox(QStringLiteral(" The previously saved working-path is unavailable (possibly renamed)...") + start +
                       QStringLiteral("\r Defaulting to current path."),
                   vbOKOnly, QStringLiteral(" No big deal..."));
        start = selectorFolderPath(QDir::currentPath());
    }
    m_link->showDriveOf(start);
    setDirPath(start);
    // An empty filter stays empty: the list then shows every file.
    const QString pattern = s.DWGPattern;
    if (tbDWGFilter->text() == pattern)
        tbDWGFilter_Change();
    else
        tbDWGFilter->setText(pattern);
}

void FileSelectorPane::store(MainSettings &s) const
{
    s.SourcePath = Dir1->path();
    s.DWGPattern = tbDWGFilter->text();
}

QString FileSelectorPane::folder() const { return Dir1->path(); }
QString FileSelectorPane::filter() const { return tbDWGFilter->text(); }
QString FileSelectorPane::drive() const { return Drive1->drive(); }
QString FileSelectorPane::fileListFolder() const { return File1->path(); }
QString FileSelectorPane::filePattern() const { return File1->pattern(); }
void FileSelectorPane::setFilterText(const QString &text) { tbDWGFilter->setText(text); }
void FileSelectorPane::refreshFiles() { File1->refresh(); }
bool FileSelectorPane::setDirPath(const QString &folder) { return Dir1->setPath(folder); }
bool FileSelectorPane::setDrive(const QString &drive) { return Drive1->setDrive(drive); }
int FileSelectorPane::filesListed() const { return File1->count(); }

QStringList FileSelectorPane::selectedFiles() const
{
    QStringList paths;
    for (int row : File1->selectedRows())
        paths.append(File1->fullPath(row));
    return paths;
}

QStringList FileSelectorPane::listedFiles() const
{
    QStringList paths;
    paths.reserve(File1->count());
    for (int row = 0; row < File1->count(); ++row)
        paths.append(File1->fullPath(row));
    return paths;
}

bool FileSelectorPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::MouseButtonRelease)
        Frame2_Click();
    else if (File1 && watched == File1->viewport() && event->type() == QEvent::MouseButtonPress)
        m_selectionChangedByPress = false;
    return QGroupBox::eventFilter(watched, event);
}

void FileSelectorPane::Drive1_Change() { m_link->driveChanged(); }

void FileSelectorPane::Dir1_Change()
{
    m_listingFailures.forgetUnless(Dir1->path());
    m_link->folderChanged();
    File1->setPath(Dir1->path());
    Q_EMIT refreshRequested();
    Q_EMIT drawingFolderChanged(Dir1->path());
}

void FileSelectorPane::Dir1_Click()
{
    m_listingFailures.forget();
    File1->refresh();
}

void FileSelectorPane::Dir1_OLEDragDrop(const QString &firstItem)
{
    if (m_busy)
        return;
    if (!firstItem.isEmpty() && QFileInfo(firstItem).isDir()) {
        WaitCursor wait;
        Dir1->setPath(firstItem);
    }
    Q_EMIT refreshRequested();
}

void FileSelectorPane::File1_Click()
{
    // The entry last clicked, whether the click selected it or took it out of the selection.
    const int row = File1->currentRow();
    if (row >= 0)
        Q_EMIT previewRequested(File1->fullPath(row));
    Q_EMIT fileSelectionChanged(!File1->selectedItems().isEmpty());
}

void FileSelectorPane::File1_KeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        File1_DblClick();
    else if (key == Qt::Key_Insert)
        Q_EMIT addSelectedRequested();
}

void FileSelectorPane::File1_DblClick()
{
    const int row = File1->currentRow();
    if (row < 0)
        return;
    const QString path = File1->fullPath(row);
    if (!QFileInfo::exists(path)) {
        // Gone since the list was filled: the box asks for a report, titled with the error's number.
        msgBox(reportThisErrorText() + path, vbOKOnly, QString::number(kFileNotFound));
        return;
    }
    if (QFileInfo(path).suffix().compare(QLatin1String("wdp"), Qt::CaseInsensitive) == 0) {
        mainSettings().WDPCurrentFile = path;
        // An electrical project file goes to its prompt when one is installed.
        if (m_projectFilePrompt) {
            m_projectFilePrompt();
            return;
        }
    }
    // Reports a failure itself.
    OpenWithAssociatedProgram(path);
}

void FileSelectorPane::tbDWGFilter_Change()
{
    File1->setPattern(tbDWGFilter->text());
    mainSettings().DWGPattern = tbDWGFilter->text();
    Q_EMIT filesListedChanged(File1->count());
}

void FileSelectorPane::Frame2_Click()
{
    m_listingFailures.forget();
    WaitCursor wait;
    File1->refresh();
}

void FileSelectorPane::Command4_explorer_Click()
{
    const QString folder = Dir1->path();
    const auto report = [folder](const LaunchResult &r) {
        msgBox(QStringLiteral("The folder could not be shown:\n") + folder +
                   (r.error.isEmpty() ? QString() : QStringLiteral("\n") + r.error),
               vbOKOnly | vbExclamation, appTitle());
    };
    LaunchResult r;
#ifdef Q_OS_WIN
    // The folder is one argument; no shell comes between.
    r = launcher()->start(QStringLiteral("explorer.exe"), {QStringLiteral("/n,/e,"), folder}, QString());
#else
    r = launcher()->open(folder, QString(), report);
#endif
    if (!r.ok)
        report(r);
}

frmDirWideBrowser *FileSelectorPane::dirWideBrowser() const { return m_wideBrowser.existing(); }

void FileSelectorPane::cmdDirWideBrowser_Click()
{
    // Made at the first opening and after its close box discarded it.
    m_wideBrowser.get()->exec();
}

} // namespace tess
