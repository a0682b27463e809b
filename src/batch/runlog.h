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

} // namespace tess
