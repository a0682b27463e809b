#include "utilities/frmDWGRevScan.h"

#include "core/drawingqueue.h"
#include "core/fileselection.h"

#include "core/fileselector.h"
#include "core/listutils.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "widgets/controlfactory.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/escapekey.h"
#include "widgets/keptwindow.h"
#include "widgets/placement.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tess {

namespace {

constexpr int kFormWidth = 9375;
constexpr int kFormHeight = 10095;

const QList<Placement> &placements()
{
    static const QList<Placement> table{
        {"Frame3", 120, 120, 4695, 2895},
        {"Drive1", 120, 360, 4455, 315},
        {"Dir1", 120, 840, 4455, 1890},
        {"frameDWGTypes", 4920, 120, 4335, 1935},
        {"chkR12", 360, 360, 1815, 255},
        {"chkR13", 360, 720, 1815, 255},
        {"chkR14", 360, 1080, 1815, 255},
        {"chkR2000", 360, 1440, 1815, 255},
        {"chkR2004", 2280, 360, 1935, 255},
        {"chkR2007", 2280, 720, 1935, 255},
        {"chkR2010", 2280, 1080, 1935, 255},
        {"chkR2013", 2280, 1440, 1935, 255},
        {"cmdStartScan", 4920, 2280, 2055, 495},
        {"cmdStop", 7200, 2280, 2055, 495},
        {"lblStatus", 120, 3120, 9135, 615},
        {"Frame1", 120, 3480, 9135, 6495},
        {"List1", 240, 240, 8655, 3570},
        {"Label2", 240, 3960, 2535, 255},
        {"lstProblemFiles", 240, 4200, 8655, 1230},
        {"cmdClear", 240, 5520, 855, 375},
        {"cmdCopyToQueue", 2520, 5520, 1935, 615},
        {"chkAppendtoQueue", 4680, 5640, 2295, 375},
        {"cmdClose", 7800, 5520, 1095, 495},
    };
    return table;
}

QStringList entriesOf(const QListWidget *list)
{
    QStringList entries;
    entries.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    return entries;
}

} // namespace

// The scan's progress: the status line, the window's messages (so Stop and the close box are
// seen while the walk runs), the stop request and the count of matches.
class frmDWGRevScan::Progress final : public ScanProgress
{
public:
    explicit Progress(QLabel *status) : m_status(status) {}
    void label(const QString &text) override
    {
        m_status->setText(text);
        m_status->repaint();
    }
    void pump() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
    void specialFileSkipped(const QString &path) override { special.append(path); }

    QStringList special; // pipes, devices and sockets named like drawings

    // While a walk fills matches and problems, each new entry goes into its list box at once.
    void showAsFound(const QStringList *matches, QListWidget *matchList, const QStringList *problems,
                     QListWidget *problemList)
    {
        m_found = {matches, matchList, 0};
        m_problems = {problems, problemList, 0};
    }
    void entryAppended() override
    {
        m_found.sync();
        m_problems.sync();
    }

private:
    struct Shown {
        const QStringList *entries = nullptr;
        QListWidget *list = nullptr;
        qsizetype count = 0;
        void sync()
        {
            for (; entries && count < entries->size(); ++count)
                list->addItem(entries->at(count));
        }
    };
    QLabel *m_status;
    Shown m_found;
    Shown m_problems;
};

frmDWGRevScan::frmDWGRevScan(DrawingQueue &queue, FileSelection &files, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_queue(queue), m_files(files)
{
    setObjectName(QStringLiteral("frmDWGRevScan"));
    // Escape presses no button (the window has no Cancel button), and never during a scan.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral(" Find files by DWG Version"));
    setFixedSize(twipsToPixels(kFormWidth), twipsToPixels(kFormHeight));

    Frame3 = new QGroupBox(QStringLiteral("Source Folder (will include all sub-folders)"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Drive1 = new DriveListBox(Frame3);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(Frame3);
    Dir1->setObjectName(QStringLiteral("Dir1"));

    frameDWGTypes = new QGroupBox(QStringLiteral("Find DWG Files created with AutoCAD Version:"), this);
    frameDWGTypes->setObjectName(QStringLiteral("frameDWGTypes"));
    for (size_t i = 0; i < DWGRevTable.size(); ++i) {
        auto *box = new QCheckBox(QString::fromLatin1(DWGRevTable[i].caption), frameDWGTypes);
        box->setObjectName(QLatin1String(DWGRevTable[i].checkBox));
        m_boxes[i] = box;
    }
    chkR12 = m_boxes[0];
    chkR13 = m_boxes[1];
    chkR14 = m_boxes[2];
    chkR2000 = m_boxes[3];
    chkR2004 = m_boxes[4];
    chkR2007 = m_boxes[5];
    chkR2010 = m_boxes[6];
    chkR2013 = m_boxes[7];
    chkR12->setChecked(true);

    cmdStartScan = makeButton(QStringLiteral("cmdStartScan"), QStringLiteral("&Start"), this);
    cmdStartScan->setDefault(true);
    cmdStop = makeButton(QStringLiteral("cmdStop"), QStringLiteral("Stop"), this);
    cmdStop->setEnabled(false);
    lblStatus = makeLabel(QStringLiteral("lblStatus"), QStringLiteral("Ready"), this);
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Frame1 = new QGroupBox(QStringLiteral("Matching files"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    List1 = new QListWidget(Frame1);
    List1->setObjectName(QStringLiteral("List1"));
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Files that are locked or corrupt"), Frame1);
    lstProblemFiles = new QListWidget(Frame1);
    lstProblemFiles->setObjectName(QStringLiteral("lstProblemFiles"));
    for (QListWidget *list : {List1, lstProblemFiles}) {
        // Long paths scroll sideways rather than being cut.
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list->setTextElideMode(Qt::ElideNone);
        list->setWrapping(false);
        list->setUniformItemSizes(true);
    }
    cmdClear = makeButton(QStringLiteral("cmdClear"), QStringLiteral("C&lear"), Frame1);
    cmdClear->setEnabled(false);
    cmdCopyToQueue = makeButton(QStringLiteral("cmdCopyToQueue"), QStringLiteral("&Copy list to Queue"), Frame1);
    cmdCopyToQueue->setEnabled(false);
    chkAppendtoQueue = new QCheckBox(QStringLiteral("Append to Existing List"), Frame1);
    chkAppendtoQueue->setObjectName(QStringLiteral("chkAppendtoQueue"));
    chkAppendtoQueue->setChecked(true);
    chkAppendtoQueue->setEnabled(false);
    cmdClose = makeButton(QStringLiteral("cmdClose"), QStringLiteral("C&lose"), Frame1);

    const PlacementResult placed = placeControls(this, placements());
    Q_ASSERT_X(placed.missing.isEmpty(), "frmDWGRevScan", "a placed control is missing");
    // The status line lies partly under the frame below it: the frame is drawn first, the line's
    // text above it.
    lblStatus->raise();

    m_progress = std::make_unique<Progress>(lblStatus);
    m_link = new DriveFolderLink(Drive1, Dir1, this);
    connect(Drive1, &DriveListBox::driveChanged, this, &frmDWGRevScan::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, m_link, &DriveFolderLink::folderChanged);
    for (QCheckBox *box : m_boxes)
        connect(box, &QCheckBox::toggled, this, &frmDWGRevScan::UpdateStartButton);
    connect(cmdStartScan, &QPushButton::clicked, this, &frmDWGRevScan::cmdStartScan_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmDWGRevScan::cmdStop_Click);
    connect(cmdCopyToQueue, &QPushButton::clicked, this, &frmDWGRevScan::cmdCopyToQueue_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmDWGRevScan::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmDWGRevScan::cmdClose_Click);

    Form_Load();
}

frmDWGRevScan::~frmDWGRevScan() = default;

void frmDWGRevScan::Form_Load()
{
    m_link->openNearest(m_files.folder());
    chkAppendtoQueue->setEnabled(m_queue.count() > 0);
}

void frmDWGRevScan::Drive1_Change() { m_link->driveChanged(); }

void frmDWGRevScan::UpdateStartButton()
{
    if (m_scanning)
        return;
    bool any = false;
    for (const QCheckBox *box : m_boxes)
        any = any || box->isChecked();
    cmdStartScan->setEnabled(any);
}

void frmDWGRevScan::setScanning(bool scanning)
{
    m_scanning = scanning;
    cmdStartScan->setEnabled(!scanning);
    cmdCopyToQueue->setEnabled(false);
    cmdClear->setEnabled(false);
    cmdClose->setEnabled(!scanning);
    cmdStop->setEnabled(scanning);
    for (QCheckBox *box : m_boxes)
        box->setEnabled(!scanning);
}

void frmDWGRevScan::cmdStartScan_Click()
{
    if (m_scanning)
        return;
    m_progress->setStopRequested(false);
    m_progress->setFoundFileCount(0);
    m_progress->special.clear();
    DwgReleaseSwitches switches{};
    for (size_t i = 0; i < m_boxes.size(); ++i)
        switches[i] = m_boxes[i]->isChecked() ? 1 : 0;
    const QString root = Dir1->path();

    WaitCursor wait;
    setScanning(true);
    // Stop gets the focus the disabled Start had, so Enter does not reach a disabled button.
    cmdStop->setFocus();
    QStringList matches;
    QStringList problems;
    m_progress->showAsFound(&matches, List1, &problems, lstProblemFiles);
    SearchForFileREV(root, QStringLiteral("*.DWG"), switches, matches, problems, m_progress.get(), m_reader);
    m_progress->entryAppended();
    m_progress->showAsFound(nullptr, nullptr, nullptr, nullptr);
    wait.restore();

    const bool closing = m_closeAfterScan;
    if (!closing)
        msgBox(QString::number(m_progress->foundFileCount()) + QStringLiteral(" Files Added to Queue.") +
                   specialFilesSkippedText(m_progress->special),
               vbOKOnly, QStringLiteral("Scan Complete"));

    setScanning(false);
    UpdateStartButton();
    lblStatus->setText(QStringLiteral("Ready"));
    const bool any = List1->count() > 0;
    cmdCopyToQueue->setEnabled(any);
    cmdClear->setEnabled(any);
    if (closing) {
        m_closeAfterScan = false;
        close();
    }
}

void frmDWGRevScan::cmdStop_Click() { m_progress->setStopRequested(true); }

void frmDWGRevScan::cmdCopyToQueue_Click()
{
    const QStringList entries = entriesOf(List1);
    const qsizetype copied = chkAppendtoQueue->isChecked() ? m_queue.add(entries) : m_queue.replace(entries);
    msgBox(QString::number(copied) + QStringLiteral(" File Names have been copied to the File Queue.\r\n") +
               QStringLiteral("You may now close the DWG Version Scan Window."),
           vbOKOnly | vbExclamation, QStringLiteral("File Names Copied!"));
}

void frmDWGRevScan::cmdClear_Click()
{
    List1->clear();
    lstProblemFiles->clear();
    cmdClear->setEnabled(false);
    cmdCopyToQueue->setEnabled(false);
}

void frmDWGRevScan::closeEvent(QCloseEvent *event)
{
    if (m_scanning) {
        // The close box acts as Stop; the window closes once the walk has ended.
        m_progress->setStopRequested(true);
        m_closeAfterScan = true;
        event->ignore();
        return;
    }
    // The close box discards the window: the next opening starts afresh.
    QDialog::closeEvent(event);
    releaseOnClose(this, event);
}

} // namespace tess
