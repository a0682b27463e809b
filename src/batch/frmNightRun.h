#pragma once
// " Tessaline - Night Run": a start time of day and "Activate". While armed, a one-second timer
// counts down in the window and in the caption of the main window's Create && RUN button, which it
// presses once when the start time comes; both Create buttons stay disabled meanwhile.

#include <QDateTime>
#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tess {

struct NightRunHooks {
    std::function<void(bool)> setCreateButtonsEnabled;  // Command1_Compile and cmdCreateAndRun
    std::function<void(const QString &)> setRunCaption; // cmdCreateAndRun's caption
    std::function<void()> pressCreateAndRun;
};

class frmNightRun final : public QDialog
{
    Q_OBJECT
public:
    explicit frmNightRun(NightRunHooks hooks, QWidget *parent = nullptr);

    bool isArmed() const;

    void chkActivate_Click(bool armed);
    void cmdClose_Click();
    void Timer1_Timer();

    QLabel *Label1 = nullptr;
    QLineEdit *tbRunTime = nullptr;
    QLabel *Label2 = nullptr;
    QCheckBox *chkActivate = nullptr;
    QLabel *lblCountDown = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *Timer1 = nullptr;

protected:
    // The close box disarms, so the Create buttons come back.
    void closeEvent(QCloseEvent *event) override;

private:
    NightRunHooks m_hooks;
    QDateTime m_armedAt;
};

} // namespace tess
