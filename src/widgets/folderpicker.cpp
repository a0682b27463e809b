#include "widgets/folderpicker.h"

#include "core/processhelpers.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/escapekey.h"
#include "widgets/placement.h"
#include "widgets/twips.h"

#include <QCloseEvent>
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

FolderPicker::FolderPicker(const char *name, const QString &caption, std::function<QString()> mainFolder,
                           QWidget *parent)
    : QDialog(parent), m_mainFolder(std::move(mainFolder))
{
    setObjectName(QLatin1String(name));
    ignoreEscape(this);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(kFormWidth), twipsToPixels(kFormHeight));

    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    auto button = [this](const char *buttonName, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(buttonName));
        b->setAutoDefault(false);
        return b;
    };
    OUTSelectCommandCancel = button("OUTSelectCommandCancel", QStringLiteral("&Cancel"));
    OUTSelectExplorer = button("OUTSelectExplorer", QStringLiteral("&Explorer"));
    OUTSelectCommandOk = button("OUTSelectCommandOk", QStringLiteral("&Ok"));
    OUTSelectCommandOk->setDefault(true);
    const PlacementResult placed = placeControls(this, formPlacements());
    Q_ASSERT_X(placed.missing.isEmpty(), "FolderPicker", "a placed control is missing");
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, OUTSelectCommandCancel);
    setTabOrder(OUTSelectCommandCancel, OUTSelectExplorer);
    setTabOrder(OUTSelectExplorer, OUTSelectCommandOk);

    m_link = new DriveFolderLink(Drive1, Dir1, this);
    connect(Drive1, &DriveListBox::driveChanged, this, &FolderPicker::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, m_link, &DriveFolderLink::folderChanged);
    connect(OUTSelectCommandOk, &QPushButton::clicked, this, &FolderPicker::OUTSelectCommandOk_Click);
    connect(OUTSelectCommandCancel, &QPushButton::clicked, this, &FolderPicker::OUTSelectCommandCancel_Click);
    connect(OUTSelectExplorer, &QPushButton::clicked, this, &FolderPicker::OUTSelectExplorer_Click);

    Form_Load();
}

void FolderPicker::Form_Load()
{
    m_link->openNearest(m_mainFolder ? m_mainFolder() : QString());
    m_unloaded = false;
}

void FolderPicker::Drive1_Change() { m_link->driveChanged(); }

void FolderPicker::OUTSelectCommandOk_Click()
{
    Q_EMIT folderChosen(chosenText(Dir1->path()));
    hide();
}

void FolderPicker::OUTSelectExplorer_Click()
{
    RunCommandLine(QStringLiteral("explorer.exe /n,/e, ") + Dir1->path(), 1);
}

void FolderPicker::closeEvent(QCloseEvent *event)
{
    m_unloaded = true;
    QDialog::closeEvent(event);
}

} // namespace tess
