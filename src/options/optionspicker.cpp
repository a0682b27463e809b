#include "options/optionspicker.h"

#include "core/fileselector.h"
#include "options/pickerpaths.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivefolderlink.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/twips.h"

#include <QDir>
#include <QPushButton>

namespace tess {

OptionsPicker::OptionsPicker(const char *name, const QString &caption, bool withFiles, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Drive1 = new DriveListBox(this);
    Dir1 = new DirListBox(this);
    if (withFiles) {
        File1 = new FileListBox(this);
        File1->setSelectionMode(QAbstractItemView::SingleSelection);
        File1->setEntryFilter([](const QString &path) { return isProgramFile(path); });
        File1->setPattern(programFilePattern());
        connect(File1, &QListWidget::itemSelectionChanged, this, [this] { fileSelectionChanged(); });
    }
    m_link = new DriveFolderLink(Drive1, Dir1, this);
    connect(Drive1, &DriveListBox::driveChanged, this, &OptionsPicker::Drive1_Change);
    connect(Dir1, &DirListBox::pathChanged, this, &OptionsPicker::Dir1_Change);
}

QPushButton *OptionsPicker::addButton(const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    return b;
}

void OptionsPicker::place(const QList<Placement> &table, int widthTwips, int heightTwips)
{
    const PlacementResult placed = placeControls(this, table);
    Q_ASSERT_X(placed.missing.isEmpty(), "OptionsPicker", "a placed control is missing");
    setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

bool OptionsPicker::showFolder(const QString &folder)
{
    QString f = nearestExistingFolder(folder);
    if (f.isEmpty())
        return false;
    m_link->showDriveOf(f);
    if (Dir1->path() == f) {
        // Listed again: the folder may have changed since.
        Dir1->refresh();
        if (File1)
            File1->setPath(f);
        return true;
    }
    return Dir1->setPath(f);
}

int OptionsPicker::openAt(const QString &startFolder)
{
    if (!m_opened || Dir1->path().isEmpty()) {
        if (startFolder.isEmpty() || !showFolder(startFolder))
            showFolder(QDir::currentPath());
        m_opened = true;
    } else {
        showFolder(Dir1->path());
    }
    return exec();
}

QString OptionsPicker::FileName() const
{
    if (!File1)
        return QString();
    const QList<QListWidgetItem *> selected = File1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void OptionsPicker::Drive1_Change() { m_link->driveChanged(); }

void OptionsPicker::Dir1_Change()
{
    m_link->folderChanged();
    if (File1)
        File1->setPath(Dir1->path());
    folderChanged();
}

} // namespace tess
