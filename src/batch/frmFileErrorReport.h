#pragma once
// The file access error report: the problems of the last queue check, missing files upper-cased and
// read-only or locked ones lower-cased. Each entry keeps its drawing's path and its kind, so the
// removals take exactly the queue entries the entries stand for. The report is left through Continue
// (removes the missing drawings, with the LT option the read-only ones too), Ignore (goes on without
// removing anything) or Cancel (stops the batch). Created once and only hidden afterwards: its list and
// the enabled state of its labels and button carry over from one check to the next.

#include "batch/queueverification.h"

#include <QDialog>
#include <QSet>
#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tess {

class frmFileErrorReport final : public QDialog
{
    Q_OBJECT
public:
    explicit frmFileErrorReport(QWidget *parent = nullptr);

    // Removes the drawings of these paths from the queue (every entry equal to one of them).
    void setQueueRemover(std::function<void(const QSet<QString> &)> remover) { m_removeFromQueue = std::move(remover); }

    // A new check: the list holds these problems (in order); their kinds enable the labels and the
    // removal button (nothing is disabled here).
    void setProblems(const QList<QueueProblem> &problems);
    QList<QueueProblem> problems() const;
    int problemCount() const;

    QGroupBox *Frame1 = nullptr;
    QLabel *lblNonExist = nullptr;
    QLabel *lblReadOnly = nullptr;
    QListWidget *lstFileErrors = nullptr;
    QPushButton *cmdCopytoClip = nullptr;
    QPushButton *cmdRemoveREADONLY = nullptr;
    QLabel *lblOR = nullptr;
    QPushButton *cmdContinue = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdIgnore = nullptr;

    void cmdContinue_Click();
    void cmdCancel_Click();
    void cmdIgnore_Click();
    void cmdRemoveREADONLY_Click();
    void cmdCopytoClip_Click();
    void RemoveMissingFiles();

protected:
    void showEvent(QShowEvent *event) override;
    // Escape stops the batch, as Cancel does.
    void reject() override { cmdCancel_Click(); }

private:
    // Removes the entries of the kinds from the list and their drawings from the queue; the number of
    // entries removed.
    int removeKinds(const QSet<int> &kinds);

    std::function<void(const QSet<QString> &)> m_removeFromQueue;
};

} // namespace tess
