#pragma once
// The batch script written into a .SCR file of the user's choice for one run: the path made of the
// browser's folder and the typed name.

#include <QString>
#include <optional>

namespace tess {

// folder, a separator unless it ends in one (the one it uses, else the system's), then name, with
// ".SCR" appended unless the name already ends in .scr (any case). nullopt for an empty name or a
// name holding a path separator, ":" or "..": the script goes into the folder shown, nowhere else.
std::optional<QString> otherLocationScriptPath(const QString &folder, const QString &name);

// "A batch script has been created in the following location:" CR LF path.
QString scriptWrittenMessage(const QString &path);

} // namespace tess
