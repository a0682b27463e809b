#pragma once
// What a pick window needs of the main window it stands in for: the window itself (hidden while
// the pick window is open, shown again first when it closes) and, for the Quick Pick, the file
// selector's folder, pattern and filter text.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace tess {

struct PickHost {
    QWidget *mainWindow = nullptr;
    QString folder;      // the main file list's folder
    QString driveRoot;   // the root of the main drive list's drive: where opened files' programs start
    QString filePattern; // the main file list's pattern
    QString filterText;  // the main filter box's text
    QStringList queue;   // the queue's entries when the window opens
    // The Quick Pick's filter text back into the main filter box (its change handling runs).
    std::function<void(const QString &)> setFilterText;
    // The main file list reads its folder again.
    std::function<void()> refreshFileList;
};

} // namespace tess
