#pragma once
// The larger editor of the four batch-flow boxes (" Batch Script Settings"). Every showing copies
// the main window's boxes in; "&Ok" copies its boxes back, "&Cancel" drops the edits.

#include <QDialog>

class QPlainTextEdit;

namespace tess {

class BatchFlowTab;

class frmSettings : public QDialog
{
    Q_OBJECT
public:
    // The boxes of `tab` are the main window's; the window has no parent of its own.
    explicit frmSettings(BatchFlowTab *tab);

    void GetTextFromMain();
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    BatchFlowTab *m_tab;
    QPlainTextEdit *tbPreBatch = nullptr;
    QPlainTextEdit *tbPreUserScript = nullptr;
    QPlainTextEdit *tbPostUserScript = nullptr;
    QPlainTextEdit *tbPostBatch = nullptr;
};

} // namespace tess
