#include "wizards/wizardblocks.h"

#include "wizards/wizardscript.h"

namespace tess {

namespace {

// The quoted VBA project in the program's LISP folder; the composer replaces the tag per drawing.
QString quotedMtextProject() { return QStringLiteral("\"$TSL_PATH$LISP/Mtext.dvb\""); }

QString quoted(const QString &text) { return QLatin1Char('"') + singleLineAnswer(text) + QLatin1Char('"'); }

QString yesNo(bool on) { return on ? QStringLiteral("Y") : QStringLiteral("N"); }

void appendMtextLines(ScriptAssignments &s, const QString &searchFor, const QString &replaceWith)
{
    s.AppendScriptLine(QStringLiteral("-VBALOAD ") + quotedMtextProject());
    s.AppendScriptLine(QStringLiteral("-VBARUN MTEXT.SearchAndReplace"));
    s.AppendScriptLine(singleLineAnswer(searchFor));
    s.AppendScriptLine(singleLineAnswer(replaceWith));
    s.AppendScriptLine(QStringLiteral("VBAUNLOAD ") + quotedMtextProject());
    s.closeBlock();
}

} // namespace

QString purgeTypeLetter(PurgeType type)
{
    switch (type) {
    case PurgeType::Blocks: return QStringLiteral("B");
    case PurgeType::Dimstyles: return QStringLiteral("D");
    case PurgeType::Layers: return QStringLiteral("LA");
    case PurgeType::LineTypes: return QStringLiteral("LT");
    case PurgeType::PlotStyles: return QStringLiteral("P");
    case PurgeType::Shapes: return QStringLiteral("SH");
    case PurgeType::TextStyles: return QStringLiteral("ST");
    case PurgeType::MLineStyles: return QStringLiteral("M");
    case PurgeType::All: break;
    }
    return QStringLiteral("A");
}

QStringList WritePurgeScript(const QString &script, PurgeType type)
{
    ScriptAssignments s(script);
    s.endLastLine();
    s.AppendScriptLine(QStringLiteral("-PURGE"));
    s.AppendScriptLine(purgeTypeLetter(type));
    s.AppendScriptLine(QStringLiteral("*"));
    s.AppendScriptLine(QStringLiteral("N"));
    s.closeBlock();
    return s.texts();
}

QStringList WriteRepTextScript(const QString &script, const RepTextFields &f, const QString &programFolder)
{
    ScriptAssignments s(script);
    s.writeLispLoadLine(programFolder, QStringLiteral("REPTEXT.LSP"));
    s.AppendScriptLine(ScriptBlockSeparator());
    s.AppendScriptLine(QStringLiteral("REPTEXT"));
    s.AppendScriptLine(singleLineAnswer(f.searchFor));
    s.AppendScriptLine(singleLineAnswer(f.replaceWith));
    s.AppendScriptLine(yesNo(f.regularText));
    s.AppendScriptLine(yesNo(f.dimensions));
    if (f.blocks) {
        s.AppendScriptLine(QStringLiteral("Y"));
        s.AppendScriptLine(QStringLiteral("Y"));
    } else {
        s.AppendScriptLine(QStringLiteral("N"));
    }
    s.AppendScriptLine(QStringLiteral("ALL"));
    s.AppendScriptLine(QString());
    s.closeBlock();
    if (f.mtext) {
        s.endLastLine();
        appendMtextLines(s, f.searchFor, f.replaceWith);
    }
    return s.texts();
}

QStringList WriteMtextScript(const QString &script, const QString &searchFor, const QString &replaceWith)
{
    ScriptAssignments s(script);
    s.endLastLine();
    appendMtextLines(s, searchFor, replaceWith);
    return s.texts();
}

QStringList WriteLogTextScript(const QString &script, const QString &searchFor, const QString &reportPath,
                               const QString &programFolder)
{
    ScriptAssignments s(script);
    s.writeLispLoadLine(programFolder, QStringLiteral("LOG_TEXT.LSP"));
    s.AppendScriptLine(ScriptBlockSeparator());
    s.AppendScriptLine(QStringLiteral("LOG_TEXT"));
    s.AppendScriptLine(singleLineAnswer(searchFor));
    s.AppendScriptLine(QStringLiteral("ALL"));
    s.AppendScriptLine(QString());
    s.AppendScriptLine(singleLineAnswer(reportPath));
    s.closeBlock();
    return s.texts();
}

QStringList WriteLimitsScript(const QString &script, const QString &reportPath, const QString &programFolder)
{
    ScriptAssignments s(script);
    s.writeLispLoadLine(programFolder, QStringLiteral("LIMITS_OUT.LSP"));
    s.AppendScriptLine(ScriptBlockSeparator());
    s.AppendScriptLine(QStringLiteral("LIMITS_OUT"));
    s.AppendScriptLine(singleLineAnswer(reportPath));
    s.closeBlock();
    return s.texts();
}

QStringList WritePageSetupScript(const QString &script, const QString &sourceDrawing, const QString &pageSetup)
{
    ScriptAssignments s(script);
    // The opening separator is a line of its own: one assignment either way.
    s.assign(script.isEmpty() ? ScriptBlockSeparator() + QStringLiteral("\r\n")
                              : script + QStringLiteral("\r\n") + ScriptBlockSeparator() + QStringLiteral("\r\n"));
    s.AppendScriptLine(QStringLiteral("_EXPERT 2"));
    s.AppendScriptLine(QStringLiteral("_-PSETUPIN"));
    s.AppendScriptLine(quoted(sourceDrawing));
    s.AppendScriptLine(quoted(pageSetup));
    s.AppendScriptLine(QStringLiteral("_EXPERT 0"));
    s.closeBlock();
    return s.texts();
}

QStringList writePlotScript()
{
    ScriptAssignments s{QString()};
    s.AppendScriptLine(ScriptBlockSeparator());
    s.AppendScriptLine(QStringLiteral("-PLOT"));
    s.AppendScriptLine(QStringLiteral("*"));
    s.AppendScriptLine(QStringLiteral("N"));
    s.closeBlock();
    return s.texts();
}

} // namespace tess
