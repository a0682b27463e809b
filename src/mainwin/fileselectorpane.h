#pragma once
// The drawing file selector, the frame "Drawing File Selector" (Frame2) on the left of the main
// window: the favourite buttons, the drive list Drive1, the folder list Dir1 above the bar
// Picture3, the filter tbDWGFilter and the file list File1 below it, QuickPick and Explore.

#include "core/listingfailurenotice.h"
#include "widgets/keptwindow.h"

#include <QGroupBox>
#include <functional>

class QLineEdit;
class QPushButton;

namespace tess {

class BarSplitter;
class DirListBox;
class DriveFolderLink;
class DriveListBox;
class FileListBox;
class frmDirWideBrowser;
struct MainSettings;

class FileSelectorPane final : public QGroupBox
{
    Q_OBJECT
public:
    explicit FileSelectorPane(QWidget *parent = nullptr);

    // The bar between the folder and the file list.
    BarSplitter *picture3Splitter() const { return m_split; }

    // Drive and folder from SourcePath (or the nearest folder above it that exists), then the
    // filter from DWGPattern; each runs its change handling.
    void load(const MainSettings &s);
    void store(MainSettings &s) const;

    // The folder shown (no trailing separator except at a root) and the filter text.
    QString folder() const;
    QString filter() const;
    QString drive() const;
    QString fileListFolder() const;
    QString filePattern() const;
    void setFilterText(const QString &text);
    void refreshFiles();
    // Dir1.Path := folder; false (the folder stays) when it does not exist.
    bool setDirPath(const QString &folder);
    // Selects the drive (as the drive list names it); false when it does not answer.
    bool setDrive(const QString &drive);
    // The full paths of the selected files, and of every listed file, in list order.
    QStringList selectedFiles() const;
    QStringList listedFiles() const;
    int filesListed() const;

    // While the queue runs a walk, drops on the folder list are refused.
    void setBusy(bool busy) { m_busy = busy; }

    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Click();
    void Dir1_OLEDragDrop(const QString &firstItem);
    void File1_Click();
    // Enter: the double-click; Insert: the selected files into the queue; other keys nothing.
    void File1_KeyDown(int key);
    void File1_DblClick();
    // Shown on a double-click on a ".wdp" file, after WDPCurrentFile is set to its path; without
    // one such a file opens with its associated program.
    void setProjectFilePrompt(std::function<void()> prompt) { m_projectFilePrompt = std::move(prompt); }
    void tbDWGFilter_Change();
    void Frame2_Click();
    void Command4_explorer_Click();
    void cmdDirWideBrowser_Click();
    frmDirWideBrowser *dirWideBrowser() const;

Q_SIGNALS:
    // The current drawing folder changed (the script list follows it when its option is ticked).
    void drawingFolderChanged(const QString &folder);
    // A file of the file list was clicked: the drawing preview shows it.
    void previewRequested(const QString &path);
    // The selection of the file list changed: whether any file is selected.
    void fileSelectionChanged(bool anySelected);
    // The filter changed: the number of files now listed.
    void filesListedChanged(int count);
    // Insert in the file list: add the selected files to the queue.
    void addSelectedRequested();
    // The control states depend on what the selector shows.
    void refreshRequested();
    // "&QuickPick" was pressed.
    void quickPickRequested();
    // "Filter" was pressed: the stored drawing filters.
    void filterFormRequested();
    // "&Favorites" was pressed: the favourite folders.
    void favouritesRequested();
    // "&Add" was pressed: the folder shown into the favourite folders.
    void addFavouriteRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *cmdDirWideBrowser = nullptr;
    QPushButton *Command18 = nullptr; // "&Favorites"
    QPushButton *Command19 = nullptr; // "&Add" (current folder to the favourites)
    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    QPushButton *cmdFilterFormShow = nullptr;
    QLineEdit *tbDWGFilter = nullptr;
    FileListBox *File1 = nullptr;
    QPushButton *cmdQuickPick = nullptr;
    QPushButton *Command4_explorer = nullptr;

    BarSplitter *m_split = nullptr;
    DriveFolderLink *m_link = nullptr;
    KeptWindow<frmDirWideBrowser> m_wideBrowser;
    bool m_busy = false;
    bool m_selectionChangedByPress = false;
    ListingFailureNotice m_listingFailures;
    std::function<void()> m_projectFilePrompt;
};

} // namespace tess
