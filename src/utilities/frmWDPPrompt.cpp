#include "utilities/frmWDPPrompt.h"

#include "core/drawingqueue.h"
#include "core/fileselection.h"

#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"
#include "scripts/texteditor.h"
#include "utilities/wdpproject.h"
#include "widgets/controlfactory.h"
#include "widgets/escapekey.h"
#include "widgets/keptwindow.h"
#include "widgets/placement.h"
#include "widgets/twips.h"
#include "widgets/wrappushbutton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table{
        {"Frame1", 240, 120, 2295, 2175},
        {"cmdLoadWDP", 240, 480, 1695, 615},
        {"cbClearQueueOnLoad", 360, 1200, 1815, 255, 1935},
        {"Frame2", 2760, 120, 2415, 2175},
        {"cmdOpenWDP", 360, 360, 1695, 615},
        {"cmdLoadFilesNotInProject", 360, 1080, 1695, 615},
        {"chkClearQueueNotInProject", 480, 1800, 1815, 255, 1935},
        {"cmdClose", 3840, 2400, 1335, 375},
    };
    return table;
}

// The three tall buttons: the caption breaks into lines as the button's width allows.
QPushButton *makeTallButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new WrapPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QCheckBox *makeCheck(const QString &name, QWidget *parent)
{
    auto *c = new QCheckBox(QStringLiteral("Clear Queue First"), parent);
    c->setObjectName(name);
    c->setChecked(true);
    return c;
}

// A project file that cannot be read: named with the reason; the queue stays as it was.
void showUnreadable(const FileResult &r)
{
    msgBox(fileFailureMessage(QStringLiteral("The project file could not be read"), r), vbOKOnly | vbExclamation,
           appTitle());
}

} // namespace

frmWDPPrompt::frmWDPPrompt(DrawingQueue &queue, FileSelection &files, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_queue(queue), m_files(files)
{
    setObjectName(QStringLiteral("frmWDPPrompt"));
    setWindowTitle(QStringLiteral("AutoCAD Electrical Project File"));
    // No button cancels: Escape presses nothing.
    ignoreEscape(this);
    Frame1 = new QGroupBox(QStringLiteral("Queue"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    cmdLoadWDP = makeTallButton(QStringLiteral("cmdLoadWDP"), QStringLiteral("&Queue DWGs from Project"), Frame1);
    cmdLoadWDP->setDefault(true);
    cbClearQueueOnLoad = makeCheck(QStringLiteral("cbClearQueueOnLoad"), Frame1);
    Frame2 = new QGroupBox(QStringLiteral("Maintenance"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    cmdOpenWDP = makeTallButton(QStringLiteral("cmdOpenWDP"), QStringLiteral("&Open WDP in Text Editor"), Frame2);
    cmdLoadFilesNotInProject = makeTallButton(QStringLiteral("cmdLoadFilesNotInProject"),
                                              QStringLiteral("Queue DWGs &NOT in Project"), Frame2);
    chkClearQueueNotInProject = makeCheck(QStringLiteral("chkClearQueueNotInProject"), Frame2);
    cmdClose = makeButton(QStringLiteral("cmdClose"), QStringLiteral("&Close"), this);
    placeControls(this, placements());
    setFixedSize(twipsToPixels(5415), twipsToPixels(2895));

    connect(cmdLoadWDP, &QPushButton::clicked, this, &frmWDPPrompt::cmdLoadWDP_Click);
    connect(cmdLoadFilesNotInProject, &QPushButton::clicked, this, &frmWDPPrompt::cmdLoadFilesNotInProject_Click);
    connect(cmdOpenWDP, &QPushButton::clicked, this, &frmWDPPrompt::cmdOpenWDP_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmWDPPrompt::cmdClose_Click);
}

void frmWDPPrompt::queuePaths(const QStringList &paths, bool clearFirst)
{
    if (clearFirst)
        m_queue.replace(paths);
    else
        m_queue.add(paths);
}

void frmWDPPrompt::cmdLoadWDP_Click()
{
    const QString project = mainSettings().WDPCurrentFile;
    const WdpDrawings d = readWdpDrawingLines(project);
    if (!d.file.ok()) {
        showUnreadable(d.file);
        return;
    }
    queuePaths(wdpQueuePaths(wdpProjectFolder(project), d.lines), cbClearQueueOnLoad->isChecked());
}

void frmWDPPrompt::cmdLoadFilesNotInProject_Click()
{
    const QString project = mainSettings().WDPCurrentFile;
    const WdpDrawings d = readWdpDrawingLines(project);
    if (!d.file.ok()) {
        showUnreadable(d.file);
        return;
    }
    const QString folder = m_files.folder();
    const QStringList names = ListFilesMatching(withTrailingSeparator(folder) + QStringLiteral("*.dwg"));
    queuePaths(wdpNotInProjectPaths(wdpProjectFolder(project), names, d.lines), chkClearQueueNotInProject->isChecked());
}

void frmWDPPrompt::cmdOpenWDP_Click() { OpenFileInEditor(mainSettings().WDPCurrentFile); }

void frmWDPPrompt::cmdClose_Click() { hide(); }

void frmWDPPrompt::closeEvent(QCloseEvent *event)
{
    // The close box discards the prompt: the next opening starts with both boxes ticked.
    QDialog::closeEvent(event);
    releaseOnClose(this, event);
}

} // namespace tess
