#pragma once
// The run log: one block per composed batch script appended to "tessaline.log" in DATA, for the user
// and for support. Nothing in the program reads it.

#include "core/fileio.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace tess {

struct MainSettings;

struct RunLogInput {
    QDateTime moment;
    QLocale locale; // the short date form
    QString user;
    QString computer;
    QString osPlatform;
    QString os;
    QString appTitle;
    QString version;
    qint16 R14Compatible = 0;
    qint16 LT = 0;
    QString autoCadExe;
    QString switches;
    bool normalOutputSelected = true;
    QString normalOutput;
    QString alternateOutput;
    QString textEditor;
    // The batch-flow texts and the user script as they stand (any line ends).
    QString preBatch;
    QString preUserScript;
    QString userScript;
    QString postUserScript;
    QString postBatch;
    int delay = 0; // the run switches, 1 ticked or 0
    int testRun = 0;
    int saveAs = 0;
    QString outFormat;
    QString prefix;
    QString suffix;
    QStringList queue;

    // Everything but the moment, the environment texts and the queue from the settings: the batch-flow
    // texts, the run switches and the SAVEAS values as the settings hold them.
    static RunLogInput from(const MainSettings &s, const QString &userScript, const QStringList &queue);
};

// The block: a line of 91 asterisks, the labelled lines, one line per queued drawing, the asterisks
// again; CR LF after every line (multi-line texts keep their own line breaks, as CR LF).
QString runLogBlock(const RunLogInput &in);

// DATA & "tessaline.log".
QString runLogPath();

// Appends the block to the run log (created when missing) in the system's encoding.
FileResult appendRunLog(const QString &block, const QString &path = runLogPath());

// The message of a failed append; it names the log file.
QString runLogFailureMessage(const FileResult &r);

// What the read-back scans of a night run's batch script found. A night run shows no box (nobody is
// there to answer, and a box would keep AutoCAD waiting): its findings go into the run log instead.
struct NightRunFindings {
    QDateTime moment;
    QString script;              // the batch script scanned
    QString readBackFailure;     // why the script could not be read back ("" when it was read)
    QStringList createdFolders;  // folders the script names that did not exist, made without asking
    QStringList failedFolders;   // those of them that could not be made
    QString leftoverProjectTags; // the project-tag scan's warning ("" when none was left)
    bool any() const
    {
        return !readBackFailure.isEmpty() || !createdFolders.isEmpty() || !failedFolders.isEmpty() ||
               !leftoverProjectTags.isEmpty();
    }
};

// The lines of the findings for the run log, CR LF after each ("" when there are none): a heading with
// the moment and the script, then one part per finding.
QString nightRunFindingsText(const NightRunFindings &f);

} // namespace tess
