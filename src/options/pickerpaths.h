#pragma once
// What the Options pickers compose from the folder and file they show. Folders come as the folder
// lists give them: no trailing separator except at a root ("C:\", "/").

#include "core/autocadprogram.h" // isProgramFile

#include <QString>

namespace tess {

// The batch script in a folder: the folder, one separator (a root keeps its own) and
// "tessaline.scr".
QString batchScriptInFolder(const QString &folder);
// The batch script in the SUPPORT folder beside a program: folder, "SUPPORT", "tessaline.scr".
QString supportBatchScript(const QString &programFolder);
// The pattern of the program pickers' file lists: "*.exe" on Windows, every file elsewhere (the
// list then keeps the programs alone).
QString programFilePattern();

} // namespace tess
