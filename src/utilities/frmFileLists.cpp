#include "utilities/frmFileLists.h"

#include "core/appenvironment.h"
#include "core/drawingqueue.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "core/queueops.h"
#include "scripts/texteditor.h"
#include "utilities/frmFileListRename.h"
#include "utilities/queuelistfile.h"
#include "utilities/queuelistfolder.h"
#include "widgets/controlfactory.h"
#include "widgets/escapekey.h"
#include "widgets/filelistbox.h"
#include "widgets/keptwindow.h"
#include "widgets/placement.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table{
        {"Frame2", 120, 120, 6495, 4365},          {"chkClearList", 360, 240, 4455, 285},
        {"File1", 120, 600, 6255, 3210},           {"cmdView", 240, 3840, 1055, 405},
        {"cmdRename", 1320, 3840, 1055, 405},      {"cmdDelete", 2400, 3840, 1055, 405},
        {"chkShowTXT", 3600, 3840, 2415, 255},     {"chkShowPersonal", 3600, 4080, 2415, 255},
        {"Frame1", 120, 4680, 5415, 1215},         {"txtbxListName", 120, 270, 5145, 315},
        {"cmdSaveNew", 120, 720, 1055, 405, 1600}, {"cmdSavePersonalized", 3480, 720, 1815, 405},
        {"cmdExit", 5640, 5520, 1055, 405},
    };
    return table;
}

QCheckBox *makeCheck(const QString &name, const QString &caption, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    return c;
}

QString dataFolder() { return AppEnvironment::dataFolder(); }

} // namespace

frmFileLists::frmFileLists(DrawingQueue &queue, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_queue(queue)
{
    setObjectName(QStringLiteral("frmFileLists"));
    setWindowTitle(QStringLiteral("File Lists"));
    // No button cancels: Escape presses nothing.
    ignoreEscape(this);

    Frame2 = new QGroupBox(QStringLiteral("Load Existing Drawing File List by Double-Clicking"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    chkClearList =
        makeCheck(QStringLiteral("chkClearList"), QStringLiteral("&Append to Existing Files in Queue"), Frame2);
    File1 = new FileListBox(Frame2);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdView = makeButton(QStringLiteral("cmdView"), QStringLiteral("&View"), Frame2);
    cmdRename = makeButton(QStringLiteral("cmdRename"), QStringLiteral("&Rename"), Frame2);
    cmdDelete = makeButton(QStringLiteral("cmdDelete"), QStringLiteral("&Delete"), Frame2);
    chkShowTXT = makeCheck(QStringLiteral("chkShowTXT"), QStringLiteral("Show TXT Files"), Frame2);
    chkShowPersonal = makeCheck(QStringLiteral("chkShowPersonal"), QStringLiteral("Show Personal Only"), Frame2);
    Frame1 = new QGroupBox(QStringLiteral("New File List Name"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtbxListName = new QLineEdit(Frame1);
    txtbxListName->setObjectName(QStringLiteral("txtbxListName"));
    cmdSaveNew = makeButton(QStringLiteral("cmdSaveNew"), QStringLiteral("&Save New"), Frame1);
    cmdSavePersonalized =
        makeButton(QStringLiteral("cmdSavePersonalized"), QStringLiteral("Save Personalized"), Frame1);
    cmdExit = makeButton(QStringLiteral("cmdExit"), QStringLiteral("&Close"), this);
    // Enter anywhere (the name box included) presses "&Close".
    cmdExit->setDefault(true);
    cmdView->setEnabled(false);
    cmdRename->setEnabled(false);

    placeControls(this, placements());
    setFixedSize(twipsToPixels(6720), twipsToPixels(6045));
    const QList<QWidget *> tabOrder{chkClearList, File1,           cmdView,       cmdRename,  cmdDelete,
                                    chkShowTXT,   chkShowPersonal, txtbxListName, cmdSaveNew, cmdSavePersonalized,
                                    cmdExit};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    Frame2->installEventFilter(this);

    connect(File1->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmFileLists::File1_Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, &frmFileLists::File1_dblClick);
    // The file list keeps Enter for itself: there it presses the window's default button too.
    connect(File1, &FileListBox::enterPressed, cmdExit, &QPushButton::click);
    connect(chkShowPersonal, &QCheckBox::toggled, this, &frmFileLists::chkShowPersonal_Click);
    connect(chkShowTXT, &QCheckBox::toggled, this, &frmFileLists::chkShowTXT_Click);
    connect(cmdSaveNew, &QPushButton::clicked, this, &frmFileLists::cmdSaveNew_Click);
    connect(cmdSavePersonalized, &QPushButton::clicked, this, &frmFileLists::cmdSavePersonalized_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmFileLists::cmdView_Click);
    connect(cmdRename, &QPushButton::clicked, this, &frmFileLists::cmdRename_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmFileLists::cmdDelete_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmFileLists::cmdExit_Click);

    Form_Load();
    centreOnScreen(this, owner);
}

void frmFileLists::Form_Load()
{
    File1->setPattern(QStringLiteral("*.lst"));
    File1->setPath(dataFolder());
}

bool frmFileLists::event(QEvent *event)
{
    // Each time the window becomes active (every opening, and back from the rename window).
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

bool frmFileLists::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Frame2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        Frame2_Click();
    return QDialog::eventFilter(watched, event);
}

void frmFileLists::closeEvent(QCloseEvent *event)
{
    // The close box discards the window: the next opening starts from its initial values.
    QDialog::closeEvent(event);
    releaseOnClose(this, event);
}

void frmFileLists::Form_Activate() { refreshFileList(); }
void frmFileLists::Frame2_Click() { refreshFileList(); }

QString frmFileLists::selectedName() const
{
    const QList<int> rows = File1->selectedRows();
    return rows.size() == 1 ? File1->item(rows.first())->text() : QString();
}

void frmFileLists::refreshFileList()
{
    const QString selected = selectedName();
    const QSignalBlocker quiet(File1->selectionModel());
    File1->refresh();
    if (!selected.isEmpty()) {
        const QList<QListWidgetItem *> found = File1->findItems(selected, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!found.isEmpty())
            File1->setCurrentItem(found.first());
    }
    // The buttons follow the selection that is left.
    if (selectedName().isEmpty() && !selected.isEmpty())
        setFileButtonsEnabled(false);
}

void frmFileLists::setFileButtonsEnabled(bool on)
{
    cmdView->setEnabled(on);
    cmdRename->setEnabled(on);
    cmdDelete->setEnabled(on);
}

void frmFileLists::disableFileButtons()
{
    File1->clearSelection();
    setFileButtonsEnabled(false);
}

void frmFileLists::File1_Click() { setFileButtonsEnabled(File1->selectedRows().size() == 1); }

void frmFileLists::File1_dblClick()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    WaitCursor wait;
    // The whole list is read before the queue changes: a list that cannot be read leaves the queue
    // and the main window's marks as they are.
    QStringList lines;
    QStringList undecodable;
    const FileResult r = QueueListFile::read(dataFolder() + name, lines, &undecodable);
    if (!r.ok()) {
        wait.restore();
        reportUnexpectedError(r.error, r.reason, QStringLiteral("File1_dblClick"), QStringLiteral("Form frmFileLists"));
        refreshFileList();
        return;
    }
    // Every line passes the queue's check (an empty line names no file); the refused ones are named.
    const QueueEntryFilter f = filterQueueEntries(lines);
    const QStringList refused = f.refused + undecodable;
    // A file that names no usable drawing at all (a text file of another kind, say) is no list: the
    // queue stays as it is and the window open, and the refused lines are named.
    if (f.accepted.isEmpty() && !refused.isEmpty()) {
        wait.restore();
        msgBox(refusedEntriesMessage(refused), vbOKOnly | vbExclamation, appTitle());
        return;
    }
    if (chkClearList->isChecked())
        m_queue.add(f.accepted, false);
    else
        m_queue.replace(f.accepted, false);
    hide();
    Q_EMIT listLoaded(name);
    if (mainSettings().METAEnabled == 1 && mainSettings().METAImmediate == 1)
        Q_EMIT metaScanRequested(true);
    wait.restore();
    if (!refused.isEmpty())
        msgBox(refusedEntriesMessage(refused), vbOKOnly | vbExclamation, appTitle());
}

void frmFileLists::chkShowPersonal_Click()
{
    if (chkShowPersonal->isChecked()) {
        chkShowTXT->setChecked(false);
        File1->setPattern(personalListPattern(AppEnvironment::loginName()));
    } else {
        File1->setPattern(sharedListPattern());
    }
    disableFileButtons();
}

void frmFileLists::chkShowTXT_Click()
{
    if (chkShowTXT->isChecked()) {
        chkShowPersonal->setChecked(false);
        File1->setPattern(textListPattern());
    } else {
        File1->setPattern(sharedListPattern());
    }
    disableFileButtons();
}

void frmFileLists::saveQueue(bool personal)
{
    WaitCursor wait;
    const QString name = txtbxListName->text();
    // An empty name box saves nothing and says nothing.
    if (!name.isEmpty()) {
        const QString fileName = QueueListFile::fileNameFor(name, personal, AppEnvironment::loginName());
        if (!listFileNameProblem(fileName).isEmpty()) {
            wait.restore();
            msgBox(fileNameCharactersMessage(), vbOKOnly, alertTitle());
        } else {
            const FileResult r = saveQueueList(dataFolder(), fileName, m_queue.entries());
            if (r.ok()) {
                refreshFileList();
            } else {
                wait.restore();
                msgBox(fileFailureMessage(QStringLiteral("The list could not be saved"), r), vbOKOnly | vbExclamation,
                       alertTitle());
            }
        }
    }
    disableFileButtons();
}

void frmFileLists::cmdSaveNew_Click() { saveQueue(false); }
void frmFileLists::cmdSavePersonalized_Click() { saveQueue(true); }

void frmFileLists::cmdView_Click()
{
    const QString name = selectedName();
    if (!name.isEmpty())
        OpenFileInEditor(dataFolder() + name);
}

void frmFileLists::cmdRename_Click()
{
    if (selectedName().isEmpty())
        return;
    frmFileListRename rename([this] { return selectedName(); }, [this] { refreshFileList(); }, this);
    rename.exec();
    disableFileButtons();
}

void frmFileLists::cmdDelete_Click()
{
    const QString name = selectedName();
    if (!name.isEmpty()) {
        const FileResult r = deleteQueueList(dataFolder(), name);
        if (!r.ok())
            msgBox(fileFailureMessage(QStringLiteral("The list could not be deleted"), r), vbOKOnly | vbExclamation,
                   alertTitle());
    }
    refreshFileList();
    disableFileButtons();
}

void frmFileLists::cmdExit_Click()
{
    hide();
    disableFileButtons();
}

} // namespace tess
