#include "tags/frmProjectTagManagerFS.h"

#include "core/fileselector.h"
#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "tags/projectfiles.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/escapekey.h"
#include "widgets/placement.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace tess {

namespace {

constexpr int kFormWidth = 4455;
constexpr int kFormHeight = 4695;

const QList<Placement> &formPlacements()
{
    static const QList<Placement> table = {
        {"Drive1", 120, 120, 4215, 315},
        {"Dir1", 120, 540, 4215, 3480},
        {"OUTSelectCommandCancel", 120, 4170, 1215, 375},
        {"OUTSelectExplorer", 1455, 4170, 1215, 375},
        {"OUTSelectCommandOk", 3120, 4170, 1215, 375},
    };
    return table;
}

} // namespace

frmProjectTagManagerFS::frmProjectTagManagerFS(std::function<QString()> mainFolder, QWidget *parent)
    : QDialog(parent), m_mainFolder(std::move(mainFolder))
{
    setObjectName(QStringLiteral("frmProjectTagManagerFS"));
    // Escape presses no button.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral("Select Projects Folder"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(kFormWidth), twipsToPixels(kFormHeight));

    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    OUTSelectCommandCancel = button("OUTSelectCommandCancel", QStringLiteral("&Cancel"));
    OUTSelectExplorer = button("OUTSelectExplorer", QStringLiteral("&Explorer"));
    OUTSelectCommandOk = button("OUTSelectCommandOk", QStringLiteral("&Ok"));
    OUTSelectCommandOk->setDefault(true);
    const PlacementResult placed = placeControls(this, formPlacements());
    Q_ASSERT_X(placed.missing.isEmpty(), "frmProjectTagManagerFS", "a placed control is missing");
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, OUTSelectCommandCancel);
    setTabOrder(OUTSelectCommandCancel, OUTSelectExplorer);
    setTabOrder(OUTSelectExplorer, OUTSelectCommandOk);

    m_link = new DriveFolderLink(Drive1, Dir1, this);
    connect(Drive1, &DriveListBox::driveChanged, this, &frmProjectTagManagerFS::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, m_link, &DriveFolderLink::folderChanged);
    connect(OUTSelectCommandOk, &QPushButton::clicked, this, &frmProjectTagManagerFS::OUTSelectCommandOk_Click);
    connect(OUTSelectCommandCancel, &QPushButton::clicked, this, &frmProjectTagManagerFS::OUTSelectCommandCancel_Click);
    connect(OUTSelectExplorer, &QPushButton::clicked, this, &frmProjectTagManagerFS::OUTSelectExplorer_Click);

    Form_Load();
}

void frmProjectTagManagerFS::Form_Load()
{
    m_link->openNearest(m_mainFolder ? m_mainFolder() : QString());
    m_unloaded = false;
}

void frmProjectTagManagerFS::Drive1_Change() { m_link->driveChanged(); }

void frmProjectTagManagerFS::OUTSelectCommandOk_Click()
{
    Q_EMIT folderChosen(pickedFolderPattern(Dir1->path()));
    hide();
}

void frmProjectTagManagerFS::OUTSelectExplorer_Click()
{
    RunCommandLine(QStringLiteral("explorer.exe /n,/e, ") + Dir1->path(), 1);
}

void frmProjectTagManagerFS::closeEvent(QCloseEvent *event)
{
    m_unloaded = true;
    QDialog::closeEvent(event);
}

} // namespace tess
