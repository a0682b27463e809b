#pragma once
// The script browser's reading of a script file: the text the script pane would load from it, or
// the reason it shows nothing. Files that are not text scripts (screen savers end in ".scr" too)
// are refused before anything of them is shown.

#include "core/fileio.h"

#include <QString>

namespace tess {

// The largest script the browser shows: 1 MB.
inline constexpr qint64 kMaxPreviewBytes = 1024 * 1024;

struct ScriptPreview : FileResult {
    QString text;         // the script text ("\n" between lines); empty after a failure
    bool notText = false; // refused: NUL bytes or larger than kMaxPreviewBytes (error 75)
};

// Reads the file as the script pane loads a script (one final line end dropped, line ends "\n").
// A file that holds a NUL byte or is larger than kMaxPreviewBytes is refused with notText set and
// a reason; read failures keep the file module's error number and reason.
ScriptPreview readScriptPreview(const QString &path);

// The script name a copy gives: the previewed file's name without its extension ".scr" (any
// case; another extension stays part of the name); "" without a file.
QString scriptNameOfPreviewed(const QString &path);

} // namespace tess
