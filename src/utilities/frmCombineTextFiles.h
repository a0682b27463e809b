#pragma once
// "Combine Text Files": joins the queued text files into one output file in the folder chosen with
// a drive and a folder list, then offers to open it. The window is modal; its close box discards
// it, so each opening starts on the main window's folder with "output.csv".

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class DirListBox;
class DriveFolderLink;
class DriveListBox;

class frmCombineTextFiles final : public QDialog
{
    Q_OBJECT
public:
    // queue: the queued files; folder: the main window's current folder.
    frmCombineTextFiles(const QStringList &queue, const QString &folder, QWidget *owner);

    QLabel *Label1 = nullptr;
    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *tbFileName = nullptr;
    QPushButton *cmdCombine = nullptr;
    QPlainTextEdit *Text1 = nullptr;

    void cmdCombine_Click();
    // Writes the combined file; true when it is complete (then offers to open it).
    bool WriteOutputFile(const QString &path);

private:
    QStringList m_queue;
    DriveFolderLink *m_link = nullptr;
};

} // namespace tess
