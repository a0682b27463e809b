#pragma once
// The "Settings" tab: the four batch-flow command boxes with their flow labels, the two check
// boxes of the batch script, the larger editor and the "Default Templates" presets. It also runs
// the three switches of the "Options" frame (Delay, Test Run, SAVEAS), which live beside the queue.
// Its controls may be made on first need (DeferredPage): loading and storing, the run switches
// and the handlers work before that.

#include "widgets/deferredpage.h"

#include <QLine>
#include <QList>
#include <QString>
#include <memory>

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class frmSettings;
struct MainSettings;

class BatchFlowTab : public DeferredPage
{
    Q_OBJECT
public:
    explicit BatchFlowTab(QWidget *parent = nullptr, Build when = Build::Now);
    ~BatchFlowTab() override;

    // The switches of the "Options" frame; their handlers run from now on.
    void attachRunSwitches(QCheckBox *saveAs, QCheckBox *delay, QCheckBox *testRun);

    // One of the four boxes by its name (the controls are made first).
    QPlainTextEdit *box(const char *name) const;

    // Shows the settings: the four boxes (CR LF between lines in the settings), the two check
    // boxes and the attached run switches (Test Run, then SAVEAS, then Delay, each running its
    // handler as a click would). Afterwards the program's settings hold the values the boxes
    // show: DebugComments and IncludeStatus 1 or 0, UseDelay -1 or 0.
    void load(const MainSettings &s);
    // Copies the boxes into `s`: the four texts with CR LF, DebugComments and IncludeStatus 1 or 0,
    // and from the attached switches UseDelay, TestRun and SAVEAS 1 or 0 (the Delay box stores its
    // own value; any value but 0 means on).
    void store(MainSettings &s) const;

    // The flow lines in page pixels: each step label to its box, and the two boxes of every
    // drawing to "This gets Looped". A line that would cross its label's caption starts after it.
    // None before the controls are made.
    QList<QLine> flowLines() const;

    void cbIncludeDebugComments_Click();
    void chkIncludeStatus_Click();
    void chkDelay_Click();
    void chkSaveAS_Click();
    void chkTestRun_Click();
    void cmdClear_Click();
    void cmdCloseDefault_Click();
    void cmdSDIDefault_Click();
    void cmdSettingsEditor_Click();
    // The larger editor, created on first use and only hidden afterwards.
    frmSettings *settingsEditor();

protected:
    void paintEvent(QPaintEvent *event) override;
    void buildControls() override;
    void controlsPlaced() override;

private:
    // What the page shows: the four box texts as the boxes hold them ("\n" between lines) and the
    // two check boxes.
    struct Values {
        QString boxes[4]; // tbPreBatch, tbPreUserScript, tbPostUserScript, tbPostBatch
        bool debugComments = false;
        bool includeStatus = false;
    };
    Values values() const;
    bool askPreset();

    QPlainTextEdit *tbPreBatch = nullptr;
    QPlainTextEdit *tbPreUserScript = nullptr;
    QPlainTextEdit *tbPostUserScript = nullptr;
    QPlainTextEdit *tbPostBatch = nullptr;
    QCheckBox *cbIncludeDebugComments = nullptr;
    QCheckBox *chkIncludeStatus = nullptr;
    QPushButton *cmdSettingsEditor = nullptr;
    QGroupBox *Frame5 = nullptr;
    QPushButton *cmdSDIDefault = nullptr;
    QPushButton *cmdCloseDefault = nullptr;
    QPushButton *cmdClear = nullptr;
    QCheckBox *chkSaveAS = nullptr;
    QCheckBox *chkDelay = nullptr;
    QCheckBox *chkTestRun = nullptr;
    // The values while the controls are not made.
    Values m_kept;
    std::unique_ptr<frmSettings> m_editor;
};

} // namespace tess
