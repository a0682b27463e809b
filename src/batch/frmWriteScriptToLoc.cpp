#include "batch/frmWriteScriptToLoc.h"

#include "batch/batchcomposer.h"
#include "batch/otherlocation.h"
#include "core/like.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "widgets/controlfactory.h"
#include "widgets/placement.h"
#include "widgets/twips.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

// Folder entries of Dir1: the way up, then the subfolders; each item holds its full path.
const QString kUp = QStringLiteral("[..]");

} // namespace

frmWriteScriptToLoc::frmWriteScriptToLoc(BatchComposer &composer, std::function<QString()> startFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_composer(composer), m_startFolder(std::move(startFolder))
{
    setObjectName(QStringLiteral("frmWriteScriptToLoc"));
    setWindowTitle(QStringLiteral(" Create Script in Another Location"));
    setModal(true);
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    cmdDeleteSCR = makeButton(QStringLiteral("cmdDeleteSCR"), QStringLiteral("&Delete"), this);
    cmdDeleteSCR->setToolTip(QStringLiteral("Delete Selected File"));
    tbFilter = new QLineEdit(QStringLiteral("*.scr"), this);
    tbFilter->setObjectName(QStringLiteral("tbFilter"));
    Dir1 = new QListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
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

    connect(Drive1, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            Drive1_Change();
    });
    connect(Dir1, &QListWidget::itemDoubleClicked, this, [this] { Dir1_Change(); });
    connect(tbFilter, &QLineEdit::textChanged, this, &frmWriteScriptToLoc::tbFilter_Change);
    connect(File1, &QListWidget::itemClicked, this, &frmWriteScriptToLoc::File1_Click);
    connect(File1, &QListWidget::itemDoubleClicked, this, &frmWriteScriptToLoc::File1_DblClick);
    connect(tbFileName, &QLineEdit::textChanged, this, &frmWriteScriptToLoc::tbFileName_Change);
    connect(cmdCreate, &QPushButton::clicked, this, [this] { cmdCreate_Click(); });
    connect(cmdDeleteSCR, &QPushButton::clicked, this, &frmWriteScriptToLoc::cmdDeleteSCR_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmWriteScriptToLoc::cmdCancel_Click);
}

void frmWriteScriptToLoc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmWriteScriptToLoc::Form_Activate()
{
    const QString start = m_startFolder ? m_startFolder() : QString();
    setFolder(start.isEmpty() ? QDir::currentPath() : start);
}

void frmWriteScriptToLoc::setFolder(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    m_folder = folder;
    fillDrives();
    fillFolders();
    fillFiles();
}

void frmWriteScriptToLoc::fillDrives()
{
    m_filling = true;
    Drive1->clear();
    const QString root = QDir::toNativeSeparators(QDir(m_folder).rootPath());
    for (const QFileInfo &d : QDir::drives())
        Drive1->addItem(QDir::toNativeSeparators(d.absoluteFilePath()));
    int at = Drive1->findText(root, Qt::MatchFixedString);
    if (at < 0) {
        Drive1->addItem(root);
        at = Drive1->count() - 1;
    }
    Drive1->setCurrentIndex(at);
    m_filling = false;
}

void frmWriteScriptToLoc::fillFolders()
{
    Dir1->clear();
    auto add = [this](const QString &caption, const QString &path) {
        auto *item = new QListWidgetItem(caption, Dir1);
        item->setData(Qt::UserRole, path);
    };
    add(m_folder, m_folder);
    QDir dir(m_folder);
    if (!dir.isRoot()) {
        QDir up(dir);
        up.cdUp();
        add(kUp, QDir::toNativeSeparators(up.path()));
    }
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name))
        add(sub, joinPath(m_folder, sub));
    Dir1->setCurrentRow(0);
}

void frmWriteScriptToLoc::fillFiles()
{
    File1->clear();
    const QString pattern = tbFilter->text();
    const QStringList names = QDir(m_folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names)
        if (Like(name, pattern))
            File1->addItem(name);
}

QString frmWriteScriptToLoc::selectedFile() const
{
    const QListWidgetItem *item = File1->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void frmWriteScriptToLoc::Drive1_Change()
{
    const QString drive = Drive1->currentText();
    if (!QFileInfo(drive).isDir()) {
        showDriveNotResponding();
        fillDrives();
        return;
    }
    setFolder(drive);
}

void frmWriteScriptToLoc::Dir1_Change()
{
    const QListWidgetItem *item = Dir1->currentItem();
    if (item)
        setFolder(item->data(Qt::UserRole).toString());
}

void frmWriteScriptToLoc::tbFilter_Change() { fillFiles(); }

void frmWriteScriptToLoc::File1_Click() { tbFileName->setText(selectedFile()); }

void frmWriteScriptToLoc::File1_DblClick()
{
    const QString name = selectedFile();
    if (!name.isEmpty())
        OpenWithAssociatedProgram(joinPath(m_folder, name));
}

void frmWriteScriptToLoc::tbFileName_Change() { cmdCreate->setEnabled(!tbFileName->text().isEmpty()); }

bool frmWriteScriptToLoc::cmdCreate_Click()
{
    const std::optional<QString> path = otherLocationScriptPath(m_folder, tbFileName->text());
    if (!path) {
        msgBox(QStringLiteral("Please type a file name only: the batch script is written into the folder shown."),
               vbOKOnly | vbExclamation, alertTitle());
        return false;
    }
    if (QFileInfo::exists(*path) &&
        msgBox(QStringLiteral("The file ") + *path + QStringLiteral(" already exists.\r\n\r\nReplace it?"),
               vbYesNo | vbExclamation, QStringLiteral("Confirm Overwrite")) != vbYes)
        return false;
    MainSettings &ms = mainSettings();
    const QString kept = ms.SCROutputPath;
    ms.SCROutputPath = *path;
    m_composer.skipQueueCheckOnce();
    const bool written = m_composer.Command1_Compile_Click();
    fillFiles();
    ms.SCROutputPath = kept;
    hide();
    if (written && !ms.StopBatch)
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
    QFile file(joinPath(m_folder, name));
    if (!file.remove())
        msgBox(QStringLiteral("Unable to delete ") + file.fileName() + QChar(13) + QChar(13) + file.errorString(),
               vbOKOnly | vbExclamation, alertTitle());
    fillFiles();
}

void frmWriteScriptToLoc::cmdCancel_Click() { hide(); }

} // namespace tess
