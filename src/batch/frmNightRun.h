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

class frmNightRun final : public QDialog
{
    Q_OBJECT
public:
    explicit frmNightRun(QWidget *parent = nullptr);

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

Q_SIGNALS:
    // The Create buttons (Command1_Compile and cmdCreateAndRun) on or off while armed.
    void createButtonsEnabledRequested(bool on);
    // The caption cmdCreateAndRun shows (the count-down while armed).
    void runCaptionChanged(const QString &caption);
    // The start time came: Create && RUN as a night run, when cmdCreateAndRun could be pressed.
    void createAndRunRequested();

protected:
    // The close box disarms, so the Create buttons come back.
    void closeEvent(QCloseEvent *event) override;

private:
    QDateTime m_armedAt;
};

} // namespace tess
