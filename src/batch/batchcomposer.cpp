#include "batch/batchcomposer.h"

#include "batch/frmFileErrorReport.h"
#include "batch/frmScrComplete.h"
#include "batch/queueverification.h"
#include "batch/runlog.h"
#include "batch/scriptreadback.h"
#include "batch/scriptsyntax.h"
#include "core/appenvironment.h"
#include "core/clock.h"
#include "core/drawingqueue.h"
#include "core/fileio.h"
#include "core/listutils.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "core/startup.h"
#include "widgets/frmScanStop.h"
#include "widgets/repaintpacer.h"
#include "widgets/waitcursor.h"

#include <QCoreApplication>
#include <utility>

namespace tess {

namespace {

void letWindowRepaint() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

// The queue check's progress when the scan window cannot be shown (a modal window is open): the text
// goes to the status label and the window repaints; nothing can stop it.
class StatusProgress final : public ScanProgress
{
public:
    explicit StatusProgress(std::function<void(const QString &)> status) : m_status(std::move(status)) {}
    void label(const QString &text) override
    {
        if (m_status)
            m_status(text);
    }
    void pump() override { letWindowRepaint(); }

private:
    std::function<void(const QString &)> m_status;
};

// Puts the composing flag back on every way out of a composition.
class CompositionScope
{
public:
    explicit CompositionScope(bool &composing) : m_composing(composing) { m_composing = true; }
    ~CompositionScope() { m_composing = false; }

private:
    bool &m_composing;
};

QString emptyScriptMessage()
{
    return QStringLiteral("The user script is empty: there is nothing to write into the batch script.\r\n"
                          "Please write or load a user script first.");
}

} // namespace

BatchComposer::BatchComposer(DrawingQueue &queue, ComposerHost host, QObject *parent)
    : QObject(parent), m_queue(queue), m_host(std::move(host))
{
}

BatchComposer::~BatchComposer() = default;

BatchComposer::BusyScope::BusyScope(BatchComposer &c) : m_c(c)
{
    if (m_c.m_busyDepth++ == 0 && m_c.m_host.setBusy)
        m_c.m_host.setBusy(true);
}

BatchComposer::BusyScope::~BusyScope()
{
    if (--m_c.m_busyDepth == 0 && m_c.m_host.setBusy)
        m_c.m_host.setBusy(false);
}

void BatchComposer::status(const QString &text)
{
    if (m_host.setStatus)
        m_host.setStatus(text);
}

frmFileErrorReport *BatchComposer::fileErrorReport()
{
    if (!m_report) {
        m_report = new frmFileErrorReport(m_host.owner);
        m_report->setQueueRemover([this](const QSet<QString> &paths) {
            m_queue.replace(removeQueueEntries(m_queue.entries(), paths), false);
        });
    }
    return m_report;
}

frmScrComplete *BatchComposer::completionWindow()
{
    if (!m_complete) {
        m_complete = new frmScrComplete(m_host.owner);
        m_complete->setOptionsShower(m_host.showOptionsModal);
    }
    return m_complete;
}

// ---------------------------------------------------------------------------------------------------------
// The queue check
// ---------------------------------------------------------------------------------------------------------

bool BatchComposer::VerifyQueueFiles()
{
    frmFileErrorReport *report = fileErrorReport();
    frmScanStop *scan = frmScanStop::instance();
    const BusyScope busy(*this);
    QList<QueueProblem> problems;
    {
        WaitCursor wait;
        const bool shown = scan->showScan();
        scan->setStopRequested(false);
        StatusProgress statusOnly(m_host.setStatus);
        const QStringList queue = m_queue.entries();
        problems = verifyQueueFiles(queue, shown ? static_cast<ScanProgress *>(scan) : &statusOnly);
        report->setProblems(problems);
        if (!shown)
            status(readyStatusText());
    }
    // The pointer is the normal one over the report.
    const bool goOn = problems.isEmpty() || report->exec() == QDialog::Accepted;
    scan->hideScan();
    scan->setStopRequested(false);
    return goOn;
}

void BatchComposer::mnuVerifyFilesInQueue_Click()
{
    VerifyQueueFiles();
    if (fileErrorReport()->problemCount() == 0)
        msgBox(QStringLiteral("All Files in Queue are Available."), vbOKOnly | vbExclamation,
               QStringLiteral("Files Verified"));
}

void BatchComposer::mnuCheckScriptSyntax_Click()
{
    if (!m_host.snapshot)
        return;
    const CompositionSnapshot snap = m_host.snapshot();
    CheckScriptSyntax(ScriptSyntaxInput::from(snap.settings, snap.userScript));
}

// ---------------------------------------------------------------------------------------------------------
// The composer
// ---------------------------------------------------------------------------------------------------------

bool BatchComposer::Command1_Compile_Click(bool nightRun) { return compose(QString(), true, nightRun); }

bool BatchComposer::composeInto(const QString &outputPath) { return compose(outputPath, false, false); }

// outputPath: the file to write, or "" for the configured batch script.
bool BatchComposer::compose(const QString &outputPath, bool queueCheck, bool nightRun)
{
    if (m_composing || !m_host.snapshot)
        return false; // one composition at a time
    m_lastScript.clear();
    const CompositionScope scope(m_composing);
    MainSettings &ms = mainSettings();
    const bool runVariant = std::exchange(m_runVariant, false);

    // Entry checks, on the inputs as they stand now.
    if (ms.SimpleMode == 0 && !nightRun) {
        const CompositionSnapshot now = m_host.snapshot();
        CheckScriptSyntax(ScriptSyntaxInput::from(now.settings, now.userScript));
    }
    if (ms.SimpleMode == 1 && m_host.reloadSimpleScript && !m_host.reloadSimpleScript()) {
        ms.StopBatch = true;
        return false;
    }
    ms.StopBatch = false;
    if (!nightRun && queueCheck && ms.VerifyFilesBit == 1 && !VerifyQueueFiles()) {
        ms.StopBatch = true;
        return false;
    }

    // From here on the composition works on this snapshot, and the window takes no input.
    CompositionSnapshot snap = m_host.snapshot();
    if (!outputPath.isEmpty())
        snap.settings.SCROutputPath = outputPath;
    if (snap.userScript.isEmpty()) {
        msgBox(emptyScriptMessage(), vbOKOnly | vbExclamation, alertTitle());
        ms.StopBatch = true;
        return false;
    }
    const BusyScope busy(*this);
    CompositionResult result;
    {
        WaitCursor wait;
        RepaintPacer pacer(QEventLoop::AllEvents);
        result = composeBatchScript(snap, [&](qsizetype done, qsizetype total) {
            if (done == 1 || done == total || pacer.due()) {
                status(QStringLiteral("Progress = ") + percentText(done, total) + QStringLiteral("%"));
                pacer.repaint();
            }
        });
    }
    letWindowRepaint(); // after the commit, before the close-out reads the script back
    if (result.dates)
        result.dates->writeTo(ms); // the date tags' values of the last composition
    if (!result.written()) {
        // Only a cancel by the user leaves the window ready as before; a failure says so.
        status(result.status == CompositionResult::Cancelled ? readyStatusText()
                                                             : QStringLiteral("Batch script NOT written"));
        report(result, snap.settings.SCROutputPath);
        ms.StopBatch = true;
        return false;
    }
    closeOut(snap, result, runVariant, nightRun);
    return true;
}

void BatchComposer::report(const CompositionResult &r, const QString &path)
{
    switch (r.status) {
    case CompositionResult::Cancelled: break; // the user answered the SAVEAS question
    case CompositionResult::OpenFailed:
        // The output file is set in the Options: they come up first where the setting is the cause.
        if (r.error != kPermissionDenied && m_host.showOptions)
            m_host.showOptions();
        msgBox(outputFileMessage(r.error, path), vbOKOnly, outputFileMessageTitle(r.error));
        break;
    default:
        // A project file that cannot be used is reported as the project-tag substitution's own failure.
        if (r.projectFile)
            msgBox(r.message, vbOKOnly, appTitle());
        else
            msgBox(r.message, vbOKOnly | vbCritical, alertTitle());
        break;
    }
}

void BatchComposer::closeOut(const CompositionSnapshot &snap, const CompositionResult &r, bool runVariant,
                             bool nightRun)
{
    MainSettings &ms = mainSettings();
    const MainSettings &s = snap.settings; // the switches as they were when the composition started
    m_lastScript = s.SCROutputPath;
    if (s.EnableLogging == 1) {
        status(QStringLiteral("Writing Log File"));
        letWindowRepaint();
        RunLogInput log = RunLogInput::from(s, snap.userScript, snap.queue);
        log.moment = Clock::now();
        log.locale = QLocale();
        log.user = AppEnvironment::loginName();
        log.computer = AppEnvironment::computerName();
        log.appTitle = appTitle();
        log.version = snap.programVersion;
        const FileResult written = appendRunLog(runLogBlock(log));
        // The batch script is written all the same: the failure is only reported.
        if (!written.ok())
            msgBox(runLogFailureMessage(written), vbOKOnly | vbExclamation, alertTitle());
        status(readyStatusText());
        letWindowRepaint();
    }
    if (s.AutoADDFavorites == 1 && m_host.addDirToFavorites)
        m_host.addDirToFavorites();
    if (s.TestRun == 0) {
        ms.TotalFilesProcessed += double(r.composed);
        if (m_host.processedTotalChanged)
            m_host.processedTotalChanged();
    }
    if (m_host.afterComposition)
        m_host.afterComposition();

    // The read-back scans of the script just written.
    const bool folders = s.WarnFoldersNotExist == 1, tags = s.ScanForRogueTags == 1;
    if (folders || tags) {
        ScriptReadBack back;
        {
            WaitCursor wait;
            StatusProgress repaint(m_host.setStatus);
            back = readBackBatchScript(s.SCROutputPath, folders, tags, QStringConverter::System,
                                       nativeScriptPathForms(), &repaint);
        }
        const QString readBackFailure =
            back.error.ok() ? QString()
                            : fileFailureMessage(
                                  QStringLiteral("The batch script could not be read back for its checks"), back.error);
        if (nightRun) {
            // Nobody is there to answer: the folders are made, the run goes on, and what the scans
            // found is written into the run log (whether or not logging is on, as it is the only record).
            NightRunFindings found;
            found.moment = Clock::now();
            found.script = s.SCROutputPath;
            found.readBackFailure = readBackFailure;
            found.failedFolders = createMissingFolders(back.missingFolders);
            for (const QString &folder : std::as_const(back.missingFolders))
                if (!found.failedFolders.contains(folder))
                    found.createdFolders << folder;
            if (back.projectTagLine > 0)
                found.leftoverProjectTags = leftoverProjectTagsText(back.projectTagLine);
            if (found.any())
                appendRunLog(nightRunFindingsText(found)); // nobody could be told of a failure
        } else {
            if (!readBackFailure.isEmpty())
                msgBox(readBackFailure, vbOKOnly | vbExclamation, alertTitle());
            offerToCreateMissingFolders(back.missingFolders);
            if (back.projectTagLine > 0)
                reportLeftoverProjectTags(back.projectTagLine);
        }
    }

    status(readyStatusText());
    letWindowRepaint();
    if (s.AutoLaunchEditor == 1 && m_host.openBatchScriptInEditor)
        m_host.openBatchScriptInEditor(s.SCROutputPath);
    const bool optionsShown = m_host.optionsVisible && m_host.optionsVisible();
    // A night run never waits for a click: the completion window stays hidden.
    if (s.ShowSCRComplete == 1 && !optionsShown && !nightRun)
        completionWindow()->showFor(s.SCROutputPath, runVariant);
    if (s.AutoMinimize == 1 && m_host.minimizeWindow)
        m_host.minimizeWindow();
}

} // namespace tess
