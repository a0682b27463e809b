#pragma once
// Opening a file in the text editor the user configured (Tools -> Options). The editor is started
// through the launcher, never through a shell: the file is one argument of its own, whatever
// blanks or quotes its path holds.

#include <QString>
#include <QStringList>
#include <functional>

namespace tess {

struct EditorCommand {
    QString program;       // "" when the setting is empty
    QStringList arguments; // the editor's own leading arguments, then the file
    QString workingFolder; // the program's folder; "" for the current one
};

// Splits the editor setting into its program and its own arguments like any command line
// (splitCommandLine: an unquoted program path with blanks, as the Options pickers store it, is
// the program when it names an existing file); the file follows as one separate argument.
EditorCommand editorCommand(const QString &textEditor, const QString &file);

// Opens `file` in the editor of TextEditor. With no editor set: a message, then the Options
// window (see setOptionsOpener). A missing editor program or a failed start is reported.
void OpenFileInEditor(const QString &file);
// Opens the batch script (SCROutputPath); says so when it has not been written yet.
void OpenBatchScriptInEditor();
// The batch script at path (a script written elsewhere for one run).
void openBatchScriptInEditor(const QString &path);
// Script -> "&View "tessaline.scr"".
inline void mnuViewBatchScript_Click() { OpenBatchScriptInEditor(); }

// How the Options window is shown (not modal) when no editor is set; installed by the program.
void setOptionsOpener(std::function<void()> opener);

} // namespace tess
