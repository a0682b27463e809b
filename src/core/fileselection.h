#pragma once
// Where the main window's drawing file selector stands, as features see it: the drive, the
// folder, the filter and the files listed and selected. The main window provides it; features
// never look into the selector's controls.

#include <QObject>
#include <QStringList>

namespace tess {

class FileSelection : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~FileSelection() override = default;

    // The drive shown (as the drive list names it), and the folder (no trailing separator
    // except at a root).
    virtual QString drive() const = 0;
    virtual QString folder() const = 0;
    // The folder the file list reads (it follows the folder).
    virtual QString fileListFolder() const = 0;
    // The filter as typed, and the pattern the file list applies.
    virtual QString filter() const = 0;
    virtual QString filePattern() const = 0;
    // Full paths in list order.
    virtual QStringList selectedFiles() const = 0;
    virtual QStringList listedFiles() const = 0;

    // Moves to folder; false (the folder stays) when it does not exist.
    virtual bool setFolder(const QString &folder) = 0;
    // Types text into the filter, with the filter's own change handling.
    virtual void setFilter(const QString &text) = 0;
    // Reads the folder again.
    virtual void refresh() = 0;

Q_SIGNALS:
    void folderChanged(const QString &folder);
};

} // namespace tess
