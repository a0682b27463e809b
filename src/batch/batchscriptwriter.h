#pragma once
// The batch script's lines: header, pre-batch part, one block per queued drawing (open lines, pre part,
// user script, delay, save step, post part) and the post-batch part, every line ended by CR LF.
//
// The writer is pure: it reads only its input (and, for the overwrite answer of a SAVEAS line, asks
// whether the target exists) and streams the lines to a device as it makes them; it never holds the
// whole script. Everything that can stop a composition (a bad count setting, an unreadable project
// file, a matching project file without its 41 lines) is found before the first byte is written. A
// character the output encoding cannot hold stops the writing with a message naming the drawing; the
// device then holds a partial script, so write through a QSaveFile and do not commit on failure.

#include "batch/projecttags.h"
#include "batch/tagsubstitution.h"
#include "core/messages.h"

#include <QList>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <functional>
#include <optional>

class QIODevice;

namespace tess {

struct MainSettings;

// The state of one queued drawing at the moment of composing.
struct BatchDrawingState {
    bool available = true; // false: missing, hidden or held by another program
    bool readOnly = false; // the read-only attribute (also a missing file in an existing folder)
};

struct BatchScriptInput {
    QString programVersion; // the header's version text

    // The texts of the batch-flow settings, as they stand (inner line breaks become CR LF).
    QString preBatch;
    QString preUserScript;
    QString postUserScript;
    QString postBatch;
    bool includeStatus = false; // the status line in front of the pre-user-script
    QString userScript;

    // The queue snapshot, in processing order, and the state of each drawing (an entry missing from
    // `states` counts as available and writable).
    QStringList queue;
    QList<BatchDrawingState> states;

    // QSAVE and SAVEAS options.
    bool testRun = false;
    bool saveAs = false;
    bool overwriteExisting = false;
    QString outFormat = dontChangeFormatText(); // the format list's text
    QString prefix;
    QString suffix;
    bool originalLocation = true; // false: the folder is specFolder (tags allowed, used as it stands)
    QString specFolder;

    // Line forms.
    qint16 DebugComments = 0; // 1: marker lines
    qint16 UseDelay = 0;      // not 0: the delay line
    QString Delay = QStringLiteral("2000");
    qint16 LoadOpen = 0; // 0 OPEN, 1 RECOVER, 2 OpenOther, 3 the add-on's open command
    QString OpenOther = QStringLiteral("_OPEN");
    qint16 LT = 0; // not 0: lines without AutoLISP

    // The counter: its first value and the step per drawing.
    qint64 counterStart = 1;
    qint64 counterStep = 1;

    // The tag values, the header's moment and the clock the date and time tags read for every text.
    TagSettings tags;
    TagEnvironment environment = TagEnvironment::current();

    // The character set of the script: the system's code page on Windows, UTF-8 elsewhere.
    QStringConverter::Encoding encoding = QStringConverter::System;

    // Whether the SAVEAS target exists (asked only when overwriteExisting is set, once per drawing that
    // gets a SAVEAS line, in queue order); default Path_Exists.
    std::function<bool(const QString &target, const QString &name)> targetExists;
    // The state of a drawing that `states` does not hold, asked as its block is made (default: available
    // and writable).
    std::function<BatchDrawingState(qsizetype index, const QString &path)> drawingState;
    // Called after every drawing with the number done and the total.
    std::function<void(qsizetype done, qsizetype total)> progress;

    // The most characters one substituted text, and one drawing's block, may take: tag values may hold
    // further tags, so a short text can grow without end; one that passes the bound stops the writing.
    qsizetype maxBlockSize = TagContext::kDefaultMaxTextSize;

    // Fills the parts kept in settings members: the line forms, the counter settings and the tags.
    void applySettings(const MainSettings &s);
};

struct BatchWriteResult {
    enum Status {
        Written,
        BadSettings,      // a count setting that is not a number: nothing written
        ProjectFileError, // an unreadable or short project file: nothing written
        Unencodable,      // a character the encoding cannot hold: partial output
        TooLarge,         // a substituted text or a drawing's block passes maxBlockSize: partial output
        WriteFailed,      // the device refused bytes: partial output
    };
    Status status = Written;
    QString message;        // the text to show, for every status but Written
    qsizetype drawing = -1; // 0-based queue index of the drawing the message names, else -1
    qsizetype drawingsWritten = 0;
    qint64 bytesWritten = 0;
    // The date and time texts the composition showed last (those of its start when no text held a date or
    // time tag); unset when it stopped before its first byte.
    std::optional<DateTagValues> dates;
    bool ok() const { return status == Written; }
};

// Writes the whole batch script to `out` (open for writing).
BatchWriteResult writeBatchScript(QIODevice &out, const BatchScriptInput &in, const ProjectTagSet &projects);

// The SAVEAS target (folder and name) that writeBatchScript gives each queued drawing, in queue order,
// whatever the drawing's state and whether or not SAVEAS is on. The result says why they could not be
// made (the statuses that stop writeBatchScript before its first byte, or TooLarge); targets is then empty.
BatchWriteResult batchSaveAsTargets(const BatchScriptInput &in, const ProjectTagSet &projects, QStringList &targets);

// The lines that open one drawing, each ended by CR LF. lockedSeen: a drawing of this composition already
// got the locked form of load method 3 (set by the call that writes the first one).
QString batchOpenLines(const BatchScriptInput &in, const QString &path, bool normalForm, bool &lockedSeen);

} // namespace tess
