#pragma once
// One composition of the batch script, as a function of a snapshot of its inputs taken before it
// starts: the queue, the user script, and the settings with the batch-flow texts, the run switches and
// the SAVEAS values as the window shows them.
//
// The script is written through the file module's WholeFileWriter and put in its place only when it
// is whole: a failure at any step leaves the previous script as it was. Before anything is written the
// SAVEAS targets are checked: a target that two drawings share, or that is another queued drawing, is
// listed with Continue (OK) and Cancel.

#include "batch/tagsubstitution.h"
#include "core/mainsettings.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tess {

struct BatchScriptInput;

struct CompositionSnapshot {
    // Every member the composition reads. The batch-flow texts (PreBatch … PostBatch, CR LF between
    // lines), IncludeStatus, DebugComments, UseDelay, TestRun, SAVEAS and the SAVEAS values (NamePrefix,
    // NameSuffix, OverWriteFiles, SaveAsType, SaveAsOriginalLocation, DWGOutFolder) are those the window
    // shows; SCROutputPath is the file written.
    MainSettings settings;
    QStringList queue;
    QString userScript; // any line ends
    QString programVersion;
};

// The writer's input for a snapshot (the drawing states are asked as each block is made).
BatchScriptInput batchScriptInputOf(const CompositionSnapshot &snap);

struct CompositionResult {
    enum Status {
        Written,    // the script is in place
        Cancelled,  // Cancel in the SAVEAS target list: nothing written
        OpenFailed, // the output file cannot be written (error 70, 75 or 76): nothing written
        Failed,     // a step failed (message names it and the drawing): the previous script stays
    };
    Status status = Written;
    int error = 0;          // OpenFailed: 70 held by another program, 75 read-only or not writable, 76 no folder
    QString message;        // Failed: the text to show
    qsizetype composed = 0; // Written: the drawings composed (every queued one, whatever its state)
    qint64 bytes = 0;
    // Failed: a project file could not be used (unreadable, or short of its tags).
    bool projectFile = false;
    // The date and time texts the composition showed last, once it started writing.
    std::optional<DateTagValues> dates;
    bool written() const { return status == Written; }
};

// The box of an output file that cannot be written, by its error number: the text and the title.
QString outputFileMessage(int error, const QString &path);
QString outputFileMessageTitle(int error);
// The error number the output file would fail with (0 when it can be written): 76 its folder is
// missing; 75 a folder stands in its place, it is read-only, this user may not write it, or its folder
// cannot be written; 70 it exists but another program holds it.
int outputFileError(const QString &path);

// The SAVEAS targets that two drawings share (compared with cs) or that are another queued drawing,
// one text line each ("" when none).
QStringList saveAsTargetConflicts(const QStringList &queue, const QStringList &targets, Qt::CaseSensitivity cs);

// Composes the batch script of the snapshot at its SCROutputPath. progress is called after every
// drawing (done, total). With SAVEAS on, the conflicts above are asked about first (OK continues).
// Shows no box of its own besides that question; the caller reports the result.
CompositionResult composeBatchScript(const CompositionSnapshot &snap,
                                     const std::function<void(qsizetype done, qsizetype total)> &progress = {});

} // namespace tess
