#pragma once
// The user script and the four batch-flow boxes checked for what most often breaks an AutoCAD script:
// a blank that AutoCAD reads as Enter, a blank line, Lisp under AutoCAD LT, a box that ends in a blank
// or a line break. The warnings never stop anything: the batch script is still created.

#include <QString>
#include <QStringList>

namespace tess {

struct MainSettings;

struct ScriptSyntaxInput {
    QString script; // the user script, any line ends
    // The batch-flow boxes as they stand (any line ends).
    QString preBatch;
    QString preUserScript;
    QString postUserScript;
    QString postBatch;
    // The tests that are switched on (1 = on) and the LT option.
    qint16 WarnSpaceInBlank = 0;
    qint16 WarnLineEndsWithSpace = 0;
    qint16 WarnDoubleSpace = 0;
    qint16 WarnBlankLine = 0;
    qint16 WarnLTLisp = 0;
    qint16 LT = 0;

    // The switches and the four boxes from the settings (PreBatch … PostBatch), with this script.
    static ScriptSyntaxInput from(const MainSettings &s, const QString &script);
};

struct ScriptSyntaxWarnings {
    QStringList messages; // the warnings, in the order they are shown
    bool hint = false;    // a script test fired: the hint box follows the warnings
};

// The warnings of the script tests (each at most once, however often its problem occurs), then those of
// the four boxes.
ScriptSyntaxWarnings scriptSyntaxWarnings(const ScriptSyntaxInput &in);

// The title of every warning: "(Only a Warning - Script will still be created)".
QString syntaxWarningTitle();
// The hint box's text (how to switch the warnings off).
QString syntaxHintText();

// Shows each warning (OK, exclamation icon) and then, when a script test fired, the hint box.
void CheckScriptSyntax(const ScriptSyntaxInput &in);

} // namespace tess
