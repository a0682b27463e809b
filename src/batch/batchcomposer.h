#pragma once
// "&Create Batch Script" and the checks around it, on the window's side: the script's syntax warnings,
// the simple-mode reload, the queue check with its report, the composition with progress while the
// window takes no input, and the close-out (run log, favourite folder, processed total, the two
// read-back scans, the editor, the completion window, minimising). The main window is reached only
// through its host (ComposerHost), which its install step fills in.

#include "batch/composition.h"
#include "widgets/onepress.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace tess {

class DrawingQueue;

class frmFileErrorReport;
class frmScrComplete;

struct ComposerHost {
    QWidget *owner = nullptr; // the main window: owner of the modal windows

    // Every input of a composition as the window shows it, over the settings.
    std::function<CompositionSnapshot()> snapshot;
    // Simple mode: loads the selected simple-mode script into the user script; false (after its own
    // message) when none can be loaded.
    std::function<bool()> reloadSimpleScript;
    // The window takes no input while true (it repaints; a close is put off until false).
    std::function<void(bool)> setBusy;
    std::function<void(const QString &)> setStatus; // the progress label
    std::function<void()> processedTotalChanged;    // the processed-drawings label
    std::function<void()> afterComposition;         // the queue's selection buttons after a composition
    std::function<void()> addDirToFavorites;
    std::function<void()> showOptions;    // not modal
    std::function<bool()> optionsVisible; // the Options dialog is on screen
    std::function<void(QWidget *owner)> showOptionsModal;
    std::function<void(const QString &path)> openBatchScriptInEditor;
    std::function<void()> minimizeWindow;
};

class BatchComposer final : public QObject
{
    Q_OBJECT
public:
    // queue: the drawings composed; the file report's removals come out of it.
    BatchComposer(DrawingQueue &queue, ComposerHost host, QObject *parent = nullptr);
    ~BatchComposer() override;

    // The composer. True when the batch script was written; StopBatch is True after every way out
    // that wrote nothing (a cancelled check, an empty script, a failed step). nightRun: the night run
    // started it, and nobody is there to answer: no syntax warnings, no queue check, missing folders
    // made without asking, no completion window.
    bool Command1_Compile_Click(bool nightRun = false);
    // Composes into outputPath instead of the configured batch script, for this run only, and
    // without the queue check (the caller is a modal window of its own). True when it was written.
    bool composeInto(const QString &outputPath);
    bool isComposing() const { return m_composing; }
    // The presses of the Create buttons (Create Batch Script, Create && RUN and the night run's
    // start through it): one press, one run, across both buttons.
    OnePress &createPress() { return m_createPress; }
    // The next showing of the completion window shows the Create && RUN variant (once).
    void useRunVariantOnce() { m_runVariant = true; }
    // The full path of the batch script the last successful composition wrote.
    QString lastScriptPath() const { return m_lastScript; }

    // The queue check: tests every queued drawing with the scan window showing and, when something is
    // wrong, shows the report modally; returns when it is hidden. False when the report was
    // cancelled (the batch stops), true when nothing was wrong or the user went on.
    bool VerifyQueueFiles();
    // "&Verify Files": the check, then "All Files in Queue are Available." when nothing is left to report.
    void mnuVerifyFilesInQueue_Click();
    // "&Check Script Syntax": the warnings of the script as the window shows it.
    void mnuCheckScriptSyntax_Click();

    // Created on first use, owned by the main window, only hidden afterwards.
    frmFileErrorReport *fileErrorReport();
    frmScrComplete *completionWindow();

private:
    bool compose(const QString &outputPath, bool queueCheck, bool nightRun);
    void report(const CompositionResult &r, const QString &path);
    void closeOut(const CompositionSnapshot &snap, const CompositionResult &r, bool runVariant, bool nightRun);
    void status(const QString &text);

    // The window takes no input while one lives (they nest).
    class BusyScope
    {
    public:
        explicit BusyScope(BatchComposer &c);
        ~BusyScope();
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        BatchComposer &m_c;
    };

    DrawingQueue &m_queue;
    ComposerHost m_host;
    int m_busyDepth = 0;
    QPointer<frmFileErrorReport> m_report;
    QPointer<frmScrComplete> m_complete;
    bool m_composing = false;
    bool m_runVariant = false;
    QString m_lastScript;
    OnePress m_createPress;
};

} // namespace tess
