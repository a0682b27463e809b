#pragma once
// "File Renamer": renames the queued drawing files in one batch. A preview (one of six rules, each
// on its tab) shows a new name beside each current name; "&Finalize It!" checks every new name and
// renames the files without ever replacing or losing one; closing the window writes the queue back
// with every file under the name it now bears.

#include "utilities/frmFileRenamerManual.h"
#include "utilities/renamerplan.h"
#include "utilities/renamerrules.h"

#include <QDialog>
#include <QPointer>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace tess {

class DrawingQueue;
class FileSelection;

class frmFileRenamer final : public QDialog
{
    Q_OBJECT
public:
    // queue: the drawings to rename, written back on close; files: read again on close (may be
    // null); reportProblems: the entries of the queue check's report just made.
    frmFileRenamer(DrawingQueue &queue, FileSelection *files, int reportProblems, QWidget *parent = nullptr);
    ~frmFileRenamer() override;

    // The rename of one file (tests put a refusing one in place).
    void setRenameFunction(RenameFunction rename) { m_rename = std::move(rename); }

    void Form_Load();
    void cmdPreviewRenumber_Click();
    void cmdPreviewReplaceFirst_Click();
    void cmdInsertPreview_Click();
    void cmdAppendPreview_Click();
    void cmdPad_Click();
    void cmdReplace2Preview_Click();
    void cmdReplace2Compound_Click();
    void cmdClear_Click();
    void cmdDoIt_Click();
    // Sets BadFlag (and says so) when two entries of the list are equal ignoring case.
    void CheckForDuplicates(QListWidget *ListName);
    void lstDestination_DblClick();
    bool BadFlag = false;

    QTabWidget *SSTab1 = nullptr;
    QLineEdit *tbStartAt = nullptr;
    QLineEdit *tbStep = nullptr;
    QLineEdit *tbRenumberDigits = nullptr;
    // The spinners hold their numbers negated (top end = larger number); their boxes show the numbers.
    QScrollBar *vsRenumberPad = nullptr;
    QRadioButton *optAppend = nullptr;
    QRadioButton *optOverWrite = nullptr;
    QPushButton *cmdPreviewRenumber = nullptr;
    QLineEdit *tbReplaceChar = nullptr;
    QScrollBar *vsReplaceChar = nullptr;
    QLineEdit *tbReplaceWith = nullptr;
    QPushButton *cmdPreviewReplaceFirst = nullptr;
    QLineEdit *tbInsertText = nullptr;
    QLineEdit *tbInsertAtChar = nullptr;
    QScrollBar *vsInsertAtChar = nullptr;
    QPushButton *cmdInsertPreview = nullptr;
    QLineEdit *tbAppend = nullptr;
    QPushButton *cmdAppendPreview = nullptr;
    QLineEdit *tbPadChar = nullptr;
    QRadioButton *optPadFromStart = nullptr;
    QRadioButton *optPadFromEnd = nullptr;
    QPushButton *cmdPad = nullptr;
    QLineEdit *tbReplace2Replace = nullptr;
    QLineEdit *tbReplace2ReplaceWith = nullptr;
    QPushButton *cmdReplace2Preview = nullptr;
    QPushButton *cmdReplace2Compound = nullptr;
    QListWidget *lstSource = nullptr;
    QListWidget *lstDestination = nullptr;
    QListWidget *lstMainList = nullptr; // hidden: each entry's path as it stood at opening
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdDoIt = nullptr;

    frmFileRenamerManual *manualDialog() const { return m_manual; }
    bool isFinalizing() const { return m_finalizing; }

public Q_SLOTS:
    void done(int r) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QStringList sourceNames() const;
    void showPreview(const RenamePreview &p, bool enablesCompound);
    void setPreviewButtons(bool on, bool compound);
    void setSourceName(qsizetype i, const QString &name);
    void SSTab1_Click(int index);
    void tbPadChar_Change(const QString &text);
    void syncTop(QListWidget *from);
    void Form_Unload();

    DrawingQueue &m_queue;
    FileSelection *m_files;
    int m_reportProblems;
    RenameFunction m_rename = renameNoReplace;
    QPointer<frmFileRenamerManual> m_manual;
    bool m_finalizing = false;
    bool m_unloaded = false;
    bool m_syncing = false;
};

} // namespace tess
