#pragma once
// The "Settings" tab: the four batch-flow command boxes with their flow labels, the two check
// boxes of the batch script, the larger editor and the "Default Templates" presets. It also runs
// the three switches of the "Options" frame (Delay, Test Run, SAVEAS), which live beside the queue.

#include <QList>
#include <QWidget>
#include <memory>
#include <utility>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class frmSettings;

class BatchFlowTab : public QWidget
{
    Q_OBJECT
public:
    explicit BatchFlowTab(QWidget *parent = nullptr);
    ~BatchFlowTab() override;

    // The switches of the "Options" frame; their handlers run from now on.
    void attachRunSwitches(QCheckBox *saveAs, QCheckBox *delay, QCheckBox *testRun);

    QPlainTextEdit *box(const char *name) const;

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

private:
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
    std::unique_ptr<frmSettings> m_editor;
    QLabel *m_looped = nullptr;
    QList<std::pair<QLabel *, QPlainTextEdit *>> m_links; // step label -> its box
};

// Sets a command box's text when it differs (its change handling runs only on a real change).
void setBoxText(QPlainTextEdit *box, const QString &text);

} // namespace tess
