#pragma once
// A file list of script files: one folder, one wildcard pattern, only ".scr" files. It raises
// entryClicked when the user picks an entry (mouse or arrow keys) and when an entry already picked
// is clicked again, once per click (a double-click raises it once, then entryDoubleClicked).

#include <QListWidget>

namespace tess {

class ScriptFileList : public QListWidget
{
    Q_OBJECT
public:
    explicit ScriptFileList(QWidget *parent = nullptr);

    QString path() const { return m_folder; }
    // Shows another folder; false (and nothing changes) when it does not exist.
    bool setPath(const QString &folder);
    QString pattern() const { return m_pattern; }
    // Sets the pattern; false (and nothing changes) when the list refuses it.
    bool setPattern(const QString &pattern);
    // Re-reads the folder; the picked entry stays picked while it is listed. Raises nothing.
    void refresh();
    // The picked entry's file name, "" when none is picked.
    QString fileName() const;
    // Picks the entry of that file name (ignoring case) without raising entryClicked.
    void selectFileName(const QString &fileName);

Q_SIGNALS:
    void entryClicked();
    void entryDoubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_folder;
    QString m_pattern = QStringLiteral("*.scr");
    int m_rowAtPress = -1;
    bool m_afterDoubleClick = false;
    bool m_quiet = false;
};

} // namespace tess
