#include "mainwin/uiMainPanes.h"

#include "batch/tagsubstitution.h"
#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "mainwin/fileselector.h"
#include "mainwin/frmMain.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/dirlistbox.h"
#include "mainwin/filelistbox.h"
#include "mainwin/queuelistview.h"
#include "mainwin/saveastab.h"
#include "scripts/texteditor.h"
#include "scripts/simplescriptselector.h"
#include "scripts/userscriptpane.h"
#include "widgets/boxtext.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <climits>
#include <memory>

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

void addToPage(QWidget *page, QWidget *pane)
{
    if (!page->layout())
        new QVBoxLayout(page);
    page->layout()->addWidget(pane);
}

} // namespace

UserScriptPane *userScriptPane(const frmMain *w) { return child<UserScriptPane>(w, "UserScriptPane"); }
SimpleScriptSelector *simpleScriptSelector(const frmMain *w)
{
    return child<SimpleScriptSelector>(w, "SimpleScriptSelector");
}
BatchFlowTab *batchFlowTab(const frmMain *w) { return child<BatchFlowTab>(w, "BatchFlowTab"); }
SaveAsTab *saveAsTab(const frmMain *w) { return child<SaveAsTab>(w, "SaveAsTab"); }

void installScriptPanes(frmMain *w)
{
    MainSettings &s = mainSettings();

    // ---- "User Script" ----
    auto *pane = new UserScriptPane;
    addToPage(w->tabUserScript, pane);
    ScriptPaneHooks hooks;
    hooks.queueCount = [w] { return int(std::min<qsizetype>(w->List1->count(), INT_MAX)); };
    hooks.setCreateButtonsEnabled = [w](bool on) {
        w->Command1_Compile->setEnabled(on);
        w->cmdCreateAndRun->setEnabled(on);
    };
    hooks.scanMeta = [w](bool includeSort) { Q_EMIT w->metaScanRequested(includeSort); };
    hooks.refreshQueueControls = [w] { w->RefreshQueueControls(); };
    hooks.drawingFolder = [w] { return w->File1->path(); };
    hooks.keepDrawingFolder = [w] {
        // The drawing folder stays where it is; when it is gone too, its nearest existing parent.
        const QString folder = w->Dir1->path();
        if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
            const QString parent = nearestExistingFolder(folder);
            if (!parent.isEmpty())
                w->setDirPath(parent);
        }
    };
    pane->setHooks(hooks);
    if (!pane->setScriptListFolder(UserScriptPane::scriptsHomeFolder()))
        pane->setScriptListFolder(AppEnvironment::subFolder(QStringLiteral("SCRIPTS")));
    QObject::connect(w, &frmMain::drawingFolderChanged, pane, &UserScriptPane::drawingFolderChanged);
    if (auto *filter = child<QLineEdit>(pane, "scrFilter")) {
        const QString stored = s.SCRPattern;
        filter->setText(stored);
        pane->scrFilter_Change();
    }
    // Leaving the "User Script" tab re-reads the script list.
    auto previousTab = std::make_shared<int>(w->SSTab1->currentIndex());
    QObject::connect(w->SSTab1, &QTabWidget::currentChanged, pane, [pane, w, previousTab](int index) {
        if (*previousTab == w->SSTab1->indexOf(w->tabUserScript))
            pane->frameUserScriptList_Click();
        *previousTab = index;
    });

    // ---- Simple mode ----
    auto *simple = new SimpleScriptSelector(pane);
    addToPage(w->frameSimpleScrSelect, simple);
    simple->setFolder(SimpleScriptSelector::simpleScriptsFolder());

    // ---- "Settings" and the run switches ----
    auto *flow = new BatchFlowTab;
    addToPage(w->tabSettings, flow);
    flow->attachRunSwitches(w->chkSaveAS, w->chkDelay, w->chkTestRun);
    setBoxText(flow->box("tbPreBatch"), boxTextFromSetting(s.PreBatch));
    setBoxText(flow->box("tbPreUserScript"), boxTextFromSetting(s.PreUserScript));
    setBoxText(flow->box("tbPostUserScript"), boxTextFromSetting(s.PostUserScript));
    setBoxText(flow->box("tbPostBatch"), boxTextFromSetting(s.PostBatch));
    const qint16 debug = s.DebugComments, status = s.IncludeStatus, delay = s.UseDelay;
    setChecked(child<QCheckBox>(flow, "cbIncludeDebugComments"), debug != 0);
    setChecked(child<QCheckBox>(flow, "chkIncludeStatus"), status != 0);
    setChecked(w->chkTestRun, s.TestRun != 0);
    setChecked(w->chkSaveAS, s.SAVEAS != 0);
    setChecked(w->chkDelay, delay != 0);
    s.DebugComments = child<QCheckBox>(flow, "cbIncludeDebugComments")->isChecked() ? 1 : 0;
    s.IncludeStatus = child<QCheckBox>(flow, "chkIncludeStatus")->isChecked() ? 1 : 0;
    s.UseDelay = w->chkDelay->isChecked() ? -1 : 0;

    // ---- "SAVEAS" ----
    auto *saveAs = new SaveAsTab;
    addToPage(w->tabSaveAs, saveAs);
    SaveAsHooks saveHooks;
    saveHooks.firstQueueEntry = [w]() -> std::optional<QString> {
        if (w->List1->count() == 0)
            return std::nullopt;
        return w->List1->items().first();
    };
    saveHooks.substituteTags = [w](const QString &text, qint32 counter, const QString &path, qint16 fileNo) {
        if (!text.contains(QLatin1Char('$')))
            return text;
        const TagContext ctx(TagSettings::fromSettings(mainSettings()), w->queueEntries());
        return ctx.SubstituteTAGS(text, counter, path, fileNo);
    };
    saveHooks.drawingFolder = [w] { return w->File1->path(); };
    saveAs->setHooks(saveHooks);
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
    QObject::connect(w->List1->selectionModel(), &QItemSelectionModel::selectionChanged, saveAs,
                     [saveAs] { saveAs->UpdateSaveAsExample(); });
    saveAs->UpdateSaveAsExample();

    // ---- Menu items ----
    if (QMenu *script = w->menuByName(QStringLiteral("mnuScript"))) {
        auto *view = new QAction(QStringLiteral("&View \"tessaline.scr\""), script);
        view->setObjectName(QStringLiteral("mnuViewBatchScript"));
        script->addAction(view);
        QObject::connect(view, &QAction::triggered, w, [] { OpenBatchScriptInEditor(); });
    }

    // The Create buttons follow the script now shown.
    pane->applyCreateRule();
    w->RefreshQueueControls();
}

void storeScriptPanesInSettings(frmMain *w)
{
    MainSettings &s = mainSettings();
    if (BatchFlowTab *flow = batchFlowTab(w)) {
        s.PreBatch = settingFromBoxText(plainBoxText(flow->box("tbPreBatch")));
        s.PreUserScript = settingFromBoxText(plainBoxText(flow->box("tbPreUserScript")));
        s.PostUserScript = settingFromBoxText(plainBoxText(flow->box("tbPostUserScript")));
        s.PostBatch = settingFromBoxText(plainBoxText(flow->box("tbPostBatch")));
        s.DebugComments = child<QCheckBox>(flow, "cbIncludeDebugComments")->isChecked() ? 1 : 0;
        s.IncludeStatus = child<QCheckBox>(flow, "chkIncludeStatus")->isChecked() ? 1 : 0;
    }
    // The Delay box stores its own 0 or 1 (any value but 0 means on).
    s.UseDelay = w->chkDelay->isChecked() ? 1 : 0;
    s.TestRun = w->chkTestRun->isChecked() ? 1 : 0;
    s.SAVEAS = w->chkSaveAS->isChecked() ? 1 : 0;
    if (SaveAsTab *saveAs = saveAsTab(w)) {
        s.NamePrefix = child<QLineEdit>(saveAs, "tbPrefix")->text();
        s.NameSuffix = child<QLineEdit>(saveAs, "tbSuffix")->text();
        s.DWGOutFolder = child<QLineEdit>(saveAs, "tbSpecFolder")->text();
        s.OverWriteFiles = child<QCheckBox>(saveAs, "chkOverwriteExistingFiles")->isChecked() ? 1 : 0;
        s.SaveAsType = child<QComboBox>(saveAs, "cmbOutFormat")->currentText();
        s.SaveAsOriginalLocation = child<QRadioButton>(saveAs, "optOriginalLocation")->isChecked() ? -1 : 0;
    }
}

} // namespace tess
