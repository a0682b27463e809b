#include "batch/scriptsyntax.h"

#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/textfiles.h"

namespace tess {

namespace {

const QLatin1String kCrLf("\r\n");

// The message lines joined by CR LF, after the empty first line every warning starts with.
QString warning(std::initializer_list<const char *> lines)
{
    QString text;
    for (const char *l : lines)
        text += kCrLf + QString::fromLatin1(l);
    return text;
}

const char *const kNoProblem = "If this is intentional, no problem...";

// A box that is not empty and ends in a blank or a line break.
bool endsBadly(const QString &box)
{
    if (box.isEmpty())
        return false;
    const QChar last = box.back();
    return last == QLatin1Char(' ') || last == QLatin1Char('\n') || last == QLatin1Char('\r');
}

QString boxWarning(const char *box)
{
    return kCrLf + QStringLiteral("Your ") + QLatin1String(box) +
           QStringLiteral(" command (on the SETTINGS TAB) seems to end with a SPACE or a CARRIAGE RETURN.") + kCrLf +
           QStringLiteral("Please correct this and recreate your Batch Script.");
}

} // namespace

ScriptSyntaxInput ScriptSyntaxInput::from(const MainSettings &s, const QString &script)
{
    ScriptSyntaxInput in;
    in.script = script;
    in.preBatch = s.PreBatch;
    in.preUserScript = s.PreUserScript;
    in.postUserScript = s.PostUserScript;
    in.postBatch = s.PostBatch;
    in.WarnSpaceInBlank = s.WarnSpaceInBlank;
    in.WarnLineEndsWithSpace = s.WarnLineEndsWithSpace;
    in.WarnDoubleSpace = s.WarnDoubleSpace;
    in.WarnBlankLine = s.WarnBlankLine;
    in.WarnLTLisp = s.WarnLTLisp;
    in.LT = s.LT;
    return in;
}

ScriptSyntaxWarnings scriptSyntaxWarnings(const ScriptSyntaxInput &in)
{
    ScriptSyntaxWarnings w;
    const QString script = withCrLfLineEnds(in.script);
    auto add = [&w](bool fired, const QString &message) {
        if (fired) {
            w.messages << message;
            w.hint = true;
        }
    };
    // A line that is exactly one blank.
    add(in.WarnSpaceInBlank == 1 && script.contains(QLatin1String("\r\n \r\n")),
        warning({"You have a SPACE on a blank line.", kNoProblem}));
    // A line that ends in a blank and is followed by a line break.
    add(in.WarnLineEndsWithSpace == 1 && script.contains(QLatin1String(" \r\n")),
        warning({"One of the lines in your script ends with a SPACE.", kNoProblem}));
    add(in.WarnDoubleSpace == 1 && script.contains(QLatin1String("  ")),
        warning({"One of the lines of your script contains a DOUBLE SPACE.", kNoProblem}));
    // An empty line after another line.
    add(in.WarnBlankLine == 1 && script.contains(QLatin1String("\r\n\r\n")),
        warning({"One of the lines of your script is simply a Carriage Return (blank line).", kNoProblem}));
    // A "(" followed somewhere later by a ")".
    const qsizetype open = script.indexOf(QLatin1Char('('));
    add(in.LT == 1 && in.WarnLTLisp == 1 && open >= 0 && script.indexOf(QLatin1Char(')'), open + 1) > open,
        warning({"One of the lines of your script may contain LISP commands,", "yet you have the LT option enabled.",
                 "", "(AutoCAD LT doesn't support lisp).", "", kNoProblem}));

    // The boxes are always checked; they bring no hint.
    if (endsBadly(in.preBatch))
        w.messages << boxWarning("PREBATCH");
    if (endsBadly(in.preUserScript))
        w.messages << boxWarning("PREUSERSCRIPT");
    if (endsBadly(in.postUserScript))
        w.messages << boxWarning("POSTUSERSCRIPT");
    if (endsBadly(in.postBatch))
        w.messages << boxWarning("POSTBATCH");
    return w;
}

QString syntaxWarningTitle() { return QStringLiteral("(Only a Warning - Script will still be created)"); }

QString syntaxHintText()
{
    return warning(
        {"You can disable 'Script Syntax Warnings' in the 'Tools -> Options' menu,", "(found under the 'Prefs' Tab)."});
}

void CheckScriptSyntax(const ScriptSyntaxInput &in)
{
    const ScriptSyntaxWarnings w = scriptSyntaxWarnings(in);
    for (const QString &m : w.messages)
        msgBox(m, vbOKOnly | vbExclamation, syntaxWarningTitle());
    if (w.hint)
        msgBox(syntaxHintText(), vbOKOnly | vbExclamation, QStringLiteral("Tessaline"));
}

} // namespace tess
