#pragma once
// The blocks the purge, text search-and-replace, MTEXT search-and-replace, search-and-log-text,
// report-limits, page-setup import and plot wizards write into the user script. Each writer takes
// the script's text (CR LF between lines) and the dialog's fields and returns the texts to assign,
// one per line written (see ScriptAssignments). Fields are written as typed, tags included, except
// that a field's line breaks are dropped (singleLineAnswer).

#include <QString>
#include <QStringList>

namespace tess {

// The nine kinds of the purge wizard, in the order of its options.
enum class PurgeType { Blocks, Dimstyles, Layers, LineTypes, PlotStyles, Shapes, TextStyles, MLineStyles, All };

// The type letter AutoCAD's -PURGE takes: "B", "D", "LA", "LT", "P", "SH", "ST", "M", "A".
QString purgeTypeLetter(PurgeType type);

// -PURGE, the type letter, "*", "N" and the closing separator, on a new line after the old text.
QStringList WritePurgeScript(const QString &script, PurgeType type);

struct RepTextFields {
    QString searchFor;       // tbSearchFor
    QString replaceWith;     // tbReplaceText
    bool regularText = true; // chkRegText
    bool dimensions = false; // chkDims
    bool blocks = false;     // chkBlocks
    bool mtext = false;      // chkSearchMtext: the VBA block follows
};

// The REPTEXT block after the load line of "REPTEXT.LSP"; with mtext, the VBA block of
// WriteMtextScript after it on a new line.
QStringList WriteRepTextScript(const QString &script, const RepTextFields &fields, const QString &programFolder);

// The VBA block: loads "$TSL_PATH$LISP/Mtext.dvb", runs MTEXT.SearchAndReplace with the two texts
// and unloads the project, on a new line after the old text.
QStringList WriteMtextScript(const QString &script, const QString &searchFor, const QString &replaceWith);

// The LOG_TEXT block after the load line of "LOG_TEXT.LSP": the pattern, "ALL", an empty line and
// the report path.
QStringList WriteLogTextScript(const QString &script, const QString &searchFor, const QString &reportPath,
                               const QString &programFolder);

// The LIMITS_OUT block after the load line of "LIMITS_OUT.LSP": the report path.
QStringList WriteLimitsScript(const QString &script, const QString &reportPath, const QString &programFolder);

// The page-setup import: a separator line of its own, "_EXPERT 2", "_-PSETUPIN", the quoted source
// drawing and page-setup name, "_EXPERT 0" and the closing separator.
QStringList WritePageSetupScript(const QString &script, const QString &sourceDrawing, const QString &pageSetup);

// The plot wizard's fixed block on the emptied script: a separator, "-PLOT", "*", "N" and the
// closing separator.
QStringList writePlotScript();

} // namespace tess
