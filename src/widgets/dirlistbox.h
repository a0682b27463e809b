#pragma once
// The folder list of the file selector: the current folder's ancestors from the root down, the
// current folder open, and its sub-folders below it. A double-click or Enter on a folder makes it
// the current one; setting the path from code does the same. Folders dropped from a file manager
// are offered through folderDropped (the drop is always a copy, never a move). Typing selects the
// next folder whose name starts with what was typed, as list boxes do.

#include <QElapsedTimer>
#include <QListWidget>

namespace tess {

class DirListBox final : public QListWidget
{
    Q_OBJECT
public:
    explicit DirListBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Makes the folder current and lists it; false (nothing changes) when it does not exist.
    // Emits pathChanged when the folder is new.
    bool setPath(const QString &folder);
    // Lists the current folder again.
    void refresh();
    // The reason the last listing failed ("" when it succeeded).
    QString lastError() const { return m_error; }

Q_SIGNALS:
    void pathChanged(const QString &path);
    void folderDropped(const QString &firstItem);
    void listingFailed(const QString &folder, const QString &reason);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    QStringList mimeTypes() const override;

private:
    void fill();

    QString m_path;
    QString m_error;
    QString m_typed; // what was typed since the keyboard input interval last passed
    QElapsedTimer m_sinceTyped;
};

} // namespace tess
