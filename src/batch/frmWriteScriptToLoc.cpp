#include "batch/frmWriteScriptToLoc.h"

#include "batch/batchcomposer.h"
#include "batch/otherlocation.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "widgets/controlfactory.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/placement.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

namespace {

const QList<Placement> &placements()
{
    static const QList<Placement> table = {
        {"Drive1", 120, 120, 3615, 315}, {"cmdDeleteSCR", 6480, 120, 1335, 375}, {"tbFilter", 4080, 240, 1695, 285},
        {"Dir1", 120, 600, 3735, 3690},  {"File1", 3960, 600, 3855, 3795},       {"tbFileName", 2520, 4560, 3255, 285},
        {"Label1", 0, 4605, 2415, 255},  {"cmdCreate", 6000, 4560, 1695, 375},   {"cmdCancel", 6000, 5040, 1695, 375},
    };
    return table;
}

} // namespace

frmWriteScriptToLoc::frmWriteScriptToLoc(BatchComposer &composer, std::function<QString()> startFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_composer(composer), m_startFolder(std::move(startFolder))
{
    setObjectName(QStringLiteral("frmWriteScriptToLoc"));
    setWindowTitle(QStringLiteral(" Create Script in Another Location"));
    setModal(true);
    Drive1 = new DriveListBox(this);
    cmdDeleteSCR = makeButton(QStringLiteral("cmdDeleteSCR"), QStringLiteral("&Delete"), this);
    cmdDeleteSCR->setToolTip(QStringLiteral("Delete Selected File"));
    tbFilter = new QLineEdit(QStringLiteral("*.scr"), this);
    tbFilter->setObjectName(QStringLiteral("tbFilter"));
    Dir1 = new DirListBox(this);
    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setPattern(tbFilter->text());
    File1->setToolTip(QStringLiteral("Double-Click to view"));
    tbFileName = new QLineEdit(this);
    tbFileName->setObjectName(QStringLiteral("tbFileName"));
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Output Script Filename:"), this);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cmdCreate = makeButton(QStringLiteral("cmdCreate"), QStringLiteral("&Create/Save"), this);
    cmdCreate->setToolTip(QStringLiteral("Create/Save Batch Script to user defined location"));
    cmdCreate->setEnabled(false);
    cmdCancel = makeButton(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), this);
    placeControls(this, placements());
    setFixedSize(twipsToPixels(8130), twipsToPixels(5580));
    const QList<QWidget *> order = {Drive1, cmdDeleteSCR, tbFilter, Dir1, File1, tbFileName, cmdCreate, cmdCancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_link = new DriveFolderLink(Drive1, Dir1, this);
    connect(Drive1, &DriveListBox::driveChanged, this, &frmWriteScriptToLoc::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, this, &frmWriteScriptToLoc::Dir1_Change);
    connect(tbFilter, &QLineEdit::textChanged, this, &frmWriteScriptToLoc::tbFilter_Change);
    connect(File1, &QListWidget::itemClicked, this, &frmWriteScriptToLoc::File1_Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, &frmWriteScriptToLoc::File1_DblClick);
    connect(tbFileName, &QLineEdit::textChanged, this, &frmWriteScriptToLoc::tbFileName_Change);
    connect(cmdCreate, &QPushButton::clicked, this, [this] { cmdCreate_Click(); });
    connect(cmdDeleteSCR, &QPushButton::clicked, this, &frmWriteScriptToLoc::cmdDeleteSCR_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmWriteScriptToLoc::cmdCancel_Click);
    // Opens in the middle of the screen.
    centreOnScreen(this, parent);
}

void frmWriteScriptToLoc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmWriteScriptToLoc::closeEvent(QCloseEvent *event)
{
    m_unloaded = true;
    QDialog::closeEvent(event);
}

void frmWriteScriptToLoc::Form_Activate()
{
    const QString start = m_startFolder ? m_startFolder() : QString();
    setFolder(start.isEmpty() ? QDir::currentPath() : start);
}

QString frmWriteScriptToLoc::folder() const { return Dir1->path(); }

void frmWriteScriptToLoc::setFolder(const QString &folder)
{
    const QString before = Dir1->path();
    if (!Dir1->setPath(folder) || Dir1->path() != before)
        return; // a new folder: the drive and file lists follow through Dir1_Change
    // The same folder again is read again, so scripts written meanwhile are listed.
    Dir1->refresh();
    File1->refresh();
}

QString frmWriteScriptToLoc::selectedFile() const
{
    const QListWidgetItem *item = File1->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void frmWriteScriptToLoc::Drive1_Change() { m_link->driveChanged(); }

void frmWriteScriptToLoc::Dir1_Change()
{
    m_link->folderChanged();
    File1->setPath(Dir1->path());
}

void frmWriteScriptToLoc::tbFilter_Change() { File1->setPattern(tbFilter->text()); }

void frmWriteScriptToLoc::File1_Click() { tbFileName->setText(selectedFile()); }

void frmWriteScriptToLoc::File1_DblClick()
{
    const QString name = selectedFile();
    if (!name.isEmpty())
        OpenWithAssociatedProgram(joinPath(folder(), name));
}

void frmWriteScriptToLoc::tbFileName_Change() { cmdCreate->setEnabled(!tbFileName->text().isEmpty()); }

bool frmWriteScriptToLoc::cmdCreate_Click()
{
    const std::optional<QString> path = otherLocationScriptPath(folder(), tbFileName->text());
    if (!path) {
        msgBox(QStringLiteral("Please type a file name only: the batch script is written into the folder shown."),
               vbOKOnly | vbExclamation, alertTitle());
        return false;
    }
    if (QFileInfo::exists(*path) &&
        msgBox(QStringLiteral("The file ") + *path + QStringLiteral(" already exists.\r\n\r\nReplace it?"),
               vbYesNo | vbExclamation, QStringLiteral("Confirm Overwrite")) != vbYes)
        return false;
    const bool written = m_composer.composeInto(*path);
    File1->refresh();
    hide();
    if (written)
        msgBox(scriptWrittenMessage(*path), vbOKOnly, QStringLiteral(" Script Written"));
    return written;
}

void frmWriteScriptToLoc::cmdDeleteSCR_Click()
{
    const QString name = selectedFile();
    if (name.isEmpty())
        return;
    if (msgBox(QStringLiteral("Are you sure you want to delete ") + name + QStringLiteral("?"), vbYesNo | vbExclamation,
               QStringLiteral("Confirm Delete")) != vbYes)
        return;
    QFile file(joinPath(folder(), name));
    if (!file.remove())
        msgBox(QStringLiteral("Unable to delete ") + file.fileName() + QChar(13) + QChar(13) + file.errorString(),
               vbOKOnly | vbExclamation, alertTitle());
    File1->refresh();
}

void frmWriteScriptToLoc::cmdCancel_Click() { hide(); }

} // namespace tess
