#pragma once
// ScanForMetaCommands on the window's side: the META commands of the user script set the batch
// options' controls, so that their own handlers run as after a user's change, and, on request, sort
// the queue.

#include <QString>
#include <functional>

namespace tess {

// The controls and operations a scan reaches; any may be missing.
struct MetaCommandTargets {
    // The run switches chkTestRun, chkDelay and chkSaveAS, set only when they change.
    std::function<void(bool)> setTestRun;
    std::function<void(bool)> setDelay;
    std::function<void(bool)> setSaveAs;
    // The SAVEAS tab: chkOverwriteExistingFiles, tbPrefix, tbSuffix, optOriginalLocation, and
    // optSpecFolder with tbSpecFolder.
    std::function<void(bool)> setOverwriteExisting;
    std::function<void(const QString &)> setPrefix;
    std::function<void(const QString &)> setSuffix;
    std::function<void()> selectOriginalLocation;
    std::function<void(const QString &)> selectSpecFolder;
    std::function<void(const QString &)> applyTagTemplate; // "tags.template="
    std::function<void()> performSort;                     // the Options' auto-sort type
    std::function<void()> sortAscending;
    std::function<void()> sortDescending;
    std::function<void()> smartSort;
    std::function<void()> reverseOrder;
};

// Applies the META commands of text. Messages about malformed or refused values are shown only on
// a scan with IncludeSort (after a script is loaded or the queue changes), never while the script
// is being typed. Lets pending window events run before it returns.
void ScanForMetaCommands(const QString &text, bool IncludeSort, const MetaCommandTargets &targets);

} // namespace tess
