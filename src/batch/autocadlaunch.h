#pragma once
// The AutoCAD launch command line of Create && RUN: the program, the Options' extra switches, "/b"
// and the batch script just written. The program and each argument are kept apart for the launcher;
// the joined line is what messages show.

#include <QString>
#include <QStringList>

namespace tess {

struct AutoCadStartLine {
    QString program;
    QStringList arguments;
    QString commandLine; // "program" switches /b "script", or "program" /b "script" without switches
};

// switches is the Options' switches box; blank counts as empty. Its arguments are split at blanks,
// a double-quoted one kept whole.
AutoCadStartLine autoCadStartLine(const QString &program, const QString &switches, const QString &script);

} // namespace tess
