#include "mainwin/tabsettings.h"

#include "core/mainsettings.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/queuepane.h"
#include "mainwin/saveastab.h"
#include "scripts/userscriptpane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace tess {

namespace {

// Multi-line settings keep CR LF between lines; the boxes use "\n".
QString boxTextFromSetting(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString settingFromBoxText(QString s)
{
    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return s;
}

template <typename T> T *child(const QObject *parent, const char *name)
{
    return parent ? parent->findChild<T *>(QLatin1String(name)) : nullptr;
}

void setChecked(QAbstractButton *b, bool on)
{
    if (b && b->isChecked() != on)
        b->setChecked(on); // runs the box's handler, as a user's click would
}

} // namespace

void loadBatchFlowTab(BatchFlowTab *flow, const QueuePane *q, MainSettings &s)
{
    setBoxText(flow->box("tbPreBatch"), boxTextFromSetting(s.PreBatch));
    setBoxText(flow->box("tbPreUserScript"), boxTextFromSetting(s.PreUserScript));
    setBoxText(flow->box("tbPostUserScript"), boxTextFromSetting(s.PostUserScript));
    setBoxText(flow->box("tbPostBatch"), boxTextFromSetting(s.PostBatch));
    const qint16 debug = s.DebugComments, status = s.IncludeStatus, delay = s.UseDelay;
    setChecked(child<QCheckBox>(flow, "cbIncludeDebugComments"), debug != 0);
    setChecked(child<QCheckBox>(flow, "chkIncludeStatus"), status != 0);
    setChecked(q->chkTestRun, s.TestRun != 0);
    setChecked(q->chkSaveAS, s.SAVEAS != 0);
    setChecked(q->chkDelay, delay != 0);
    s.DebugComments = child<QCheckBox>(flow, "cbIncludeDebugComments")->isChecked() ? 1 : 0;
    s.IncludeStatus = child<QCheckBox>(flow, "chkIncludeStatus")->isChecked() ? 1 : 0;
    s.UseDelay = q->chkDelay->isChecked() ? -1 : 0;
}

void storeBatchFlowTab(const BatchFlowTab *flow, const QueuePane *q, MainSettings &s)
{
    {
        s.PreBatch = settingFromBoxText(plainBoxText(flow->box("tbPreBatch")));
        s.PreUserScript = settingFromBoxText(plainBoxText(flow->box("tbPreUserScript")));
        s.PostUserScript = settingFromBoxText(plainBoxText(flow->box("tbPostUserScript")));
        s.PostBatch = settingFromBoxText(plainBoxText(flow->box("tbPostBatch")));
        s.DebugComments = child<QCheckBox>(flow, "cbIncludeDebugComments")->isChecked() ? 1 : 0;
        s.IncludeStatus = child<QCheckBox>(flow, "chkIncludeStatus")->isChecked() ? 1 : 0;
    }
    // The Delay box stores its own 0 or 1 (any value but 0 means on).
    s.UseDelay = q->chkDelay->isChecked() ? 1 : 0;
    s.TestRun = q->chkTestRun->isChecked() ? 1 : 0;
    s.SAVEAS = q->chkSaveAS->isChecked() ? 1 : 0;
}

void loadSaveAsTab(SaveAsTab *saveAs, const MainSettings &s)
{
    if (auto *formats = child<QComboBox>(saveAs, "cmbOutFormat"))
        formats->setEditText(s.SaveAsType.isEmpty() ? QStringLiteral("Don't Change") : s.SaveAsType);
    setChecked(child<QCheckBox>(saveAs, "chkOverwriteExistingFiles"), s.OverWriteFiles != 0);
    child<QLineEdit>(saveAs, "tbSpecFolder")->setText(s.DWGOutFolder);
    setChecked(s.SaveAsOriginalLocation != 0
                   ? static_cast<QAbstractButton *>(child<QRadioButton>(saveAs, "optOriginalLocation"))
                   : child<QRadioButton>(saveAs, "optSpecFolder"),
               true);
    child<QLineEdit>(saveAs, "tbPrefix")->setText(s.NamePrefix);
    child<QLineEdit>(saveAs, "tbSuffix")->setText(s.NameSuffix);
    saveAs->UpdateSaveAsExample();
}

void storeSaveAsTab(const SaveAsTab *saveAs, MainSettings &s)
{
    {
        s.NamePrefix = child<QLineEdit>(saveAs, "tbPrefix")->text();
        s.NameSuffix = child<QLineEdit>(saveAs, "tbSuffix")->text();
        s.DWGOutFolder = child<QLineEdit>(saveAs, "tbSpecFolder")->text();
        s.OverWriteFiles = child<QCheckBox>(saveAs, "chkOverwriteExistingFiles")->isChecked() ? 1 : 0;
        s.SaveAsType = child<QComboBox>(saveAs, "cmbOutFormat")->currentText();
        s.SaveAsOriginalLocation = child<QRadioButton>(saveAs, "optOriginalLocation")->isChecked() ? -1 : 0;
    }
}

} // namespace tess
