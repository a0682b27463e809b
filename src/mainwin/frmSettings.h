#pragma once
// The larger editor of the four batch-flow boxes (" Batch Script Settings"). Every showing copies
// the main window's boxes in; "&Ok" copies its boxes back, "&Cancel" drops the edits.

#include <QDialog>
#include <QList>

class QPlainTextEdit;

namespace tess {

class frmSettings : public QDialog
{
    Q_OBJECT
public:
    // mainBoxes: the main window's four boxes, each matched to this window's box of its name. The
    // window has no parent of its own.
    explicit frmSettings(const QList<QPlainTextEdit *> &mainBoxes);

    void GetTextFromMain();
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPlainTextEdit *mainBox(const QPlainTextEdit *own) const;

    QList<QPlainTextEdit *> m_mainBoxes;
    QPlainTextEdit *tbPreBatch = nullptr;
    QPlainTextEdit *tbPreUserScript = nullptr;
    QPlainTextEdit *tbPostUserScript = nullptr;
    QPlainTextEdit *tbPostBatch = nullptr;
};

} // namespace tess
