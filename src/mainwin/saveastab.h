#pragma once
// The "\"SAVEAS\" Options" tab: output format, name prefix and suffix with an example name,
// overwrite, and the output folder (the drawing's own or a chosen one).

#include "mainwin/saveasoptions.h"

#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tess {

struct SaveAsHooks {
    std::function<std::optional<QString>()> firstQueueEntry; // nullopt while the queue is empty
    TagSubstitution substituteTags;                          // SubstituteTAGS
    std::function<QString()> drawingFolder;                  // where the folder picker starts
};

class SaveAsTab : public QWidget
{
    Q_OBJECT
public:
    explicit SaveAsTab(QWidget *parent = nullptr);

    void setHooks(const SaveAsHooks &hooks) { m_hooks = hooks; }

    // Refills the format list and shows "Don't Change".
    void FillSaveAsFormatList();
    // The example name of the first queued drawing; an empty queue leaves the example as it is.
    void UpdateSaveAsExample();
    void cmdOUTBrowse_Click();

private:
    SaveAsHooks m_hooks;
    QComboBox *cmbOutFormat = nullptr;
    QGroupBox *Frame4 = nullptr;
    QRadioButton *optOriginalLocation = nullptr;
    QRadioButton *optSpecFolder = nullptr;
    QLineEdit *tbSpecFolder = nullptr;
    QPushButton *cmdOUTBrowse = nullptr;
    QCheckBox *chkOverwriteExistingFiles = nullptr;
    QLineEdit *tbPrefix = nullptr;
    QLineEdit *tbSuffix = nullptr;
    QLineEdit *tbSAVEASExOutput = nullptr;
};

} // namespace tess
