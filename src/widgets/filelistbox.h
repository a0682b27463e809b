#pragma once
// The file list of the file selector: the files of one folder that match a wildcard pattern,
// extended multi-select. Setting the folder or the pattern refills the list at once, so callers
// can read its count right after the change.

#include <QListWidget>
#include <functional>

namespace tess {

class DirListBox;
class ListingFailureNotice;

class FileListBox final : public QListWidget
{
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &folder);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    // Reads the folder again.
    void refresh();
    // Lists only the matching files this accepts (given the full path); none: every matching file.
    void setEntryFilter(std::function<bool(const QString &path)> accept);
    // The reason the last listing failed ("" when it succeeded).
    QString lastError() const { return m_error; }

    // The full path of the entry (folder, one separator, name).
    QString fullPath(int row) const;
    QList<int> selectedRows() const;

Q_SIGNALS:
    void enterPressed();
    void insertPressed();
    void listingFailed(const QString &folder, const QString &reason);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QString m_error;
    std::function<bool(const QString &)> m_accept;
};

// Hands the listing failures of a folder list and a file list to notice, for as long as context
// lives.
void watchListingFailures(ListingFailureNotice &notice, DirListBox *folders, FileListBox *files, QObject *context);

} // namespace tess
