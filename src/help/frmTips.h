#pragma once
// The tip of the day: one tip at a time from the tips file, "<<" and ">>" paging through them
// (wrapping at both ends), the start-up switch, and "&Close", which hides the window and stores
// the tip shown. The window reads the file once, when it is made; it lives for the whole run, so a
// second opening shows the tip it was closed on.

#include "help/tips.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class frmTips final : public QDialog
{
    Q_OBJECT
public:
    explicit frmTips(QWidget *parent = nullptr);

    // Shows the window modally, owned by `owner` (none at the program's start); returns when it is
    // hidden again.
    void showModal(QWidget *owner);

    QPlainTextEdit *Text1 = nullptr;
    QLabel *lblTipNum = nullptr;
    QPushButton *cmdPreviousTip = nullptr;
    QPushButton *cmdNextTip = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *cmdClose = nullptr;

    // Reads the tips file and shows the tip after the one stored; the check box from TipsShow.
    void Form_Load();
    void cmdPreviousTip_Click();
    void cmdNextTip_Click();
    // Hides the window, then stores the tip shown as TipNumber.
    void cmdClose_Click();
    // Stores TipsShow at once; the program reads it at its next start.
    void Check1_Click(bool ticked);

    int currentTip() const { return m_current; }
    int tipCount() const { return int(m_file.tips.size()); }

private:
    void showTip();
    // No tip to show: the navigation, the check box and the position label go, the text stays.
    void showWithoutTips(const QString &text);

    TipsFile m_file;
    int m_current = 0;
};

} // namespace tess
