#pragma once
// The two load-line pickers of the script editor: " Select .LSP File" appends an AutoLISP load
// line for a picked ".lsp" file, "Select VBA Routine" a reminder comment and a "-vbarun" call for a
// picked ".dvb" file. One table says how the two differ; the text they append is built here.

#include "core/listutils.h" // pathCaseSensitivity

#include <QString>

namespace tess {

enum class LoadLineKind { Lisp, Vba };

// How one picker differs from the other.
struct LoadPickerConfig {
    QString objectName; // "frmLispSelector", "frmVBAselector"
    QString caption;    // the window's caption
    QString pattern;    // the file list's pattern ("*.lsp")
    QString extension;  // the accepted extension with its dot (".lsp"), compared ignoring case
};

const LoadPickerConfig &loadPickerConfig(LoadLineKind kind);

// Whether the file name ends in the picker's extension, ignoring case.
bool acceptsLoadFile(LoadLineKind kind, const QString &fileName);

struct LoadLineAddition {
    bool ok = false;
    QString text;  // what goes at the end of the script, lines ended by CR LF
    QString error; // why nothing can be appended (when !ok)
};

// The AutoLISP call that loads the file at path, (LOAD "C:/ACAD/LISP/TB_WIZ1.LSP"), every "\" as
// "/", without a line end. Where file names ignore case (paths Qt::CaseInsensitive) the whole call
// is upper-cased; elsewhere the path keeps its letters, or AutoCAD would look for another file.
QString lispLoadCall(const QString &path, Qt::CaseSensitivity paths = pathCaseSensitivity());

// The text the picker appends to a script for the file `fileName` in `folder` (as the folder list
// gives it: no trailing separator except at a root). The file's path is the folder, "/" and the
// name, also at a drive's root (D:\ and x.lsp give D://X.LSP; the POSIX root "/" takes no second
// "/"). The LISP picker gives lispLoadCall of that path; the VBA picker gives the comment
//     ;REPLACE "YOURMODULE.YOURMACRO" WITH THE APPROPRIATE SUBROUTINE CALL
// and (COMMAND "-VBARUN" "C:\\MACROS\\MTEXT.DVB!YOURMODULE.YOURMACRO"), every separator of the path
// written as two backslashes, upper-cased where file names ignore case and with the path's own
// letters elsewhere. Each line ends with CR LF; when the script is not empty and its last line has
// no line break (CR LF, LF or CR), a CR LF comes first so the script's last line is not continued.
// No file name, or a path holding a double quote (which would end the AutoLISP string early),
// gives no text and the reason.
LoadLineAddition loadLineAddition(LoadLineKind kind, const QString &script, const QString &folder,
                                  const QString &fileName, Qt::CaseSensitivity paths = pathCaseSensitivity());

} // namespace tess
