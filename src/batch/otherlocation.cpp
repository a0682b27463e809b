#include "batch/otherlocation.h"

#include "core/pathhelpers.h"

namespace tess {

std::optional<QString> otherLocationScriptPath(const QString &folder, const QString &name)
{
    if (name.trimmed().isEmpty() || folder.isEmpty())
        return std::nullopt;
    for (const char *bad : {"/", "\\", ":", ".."})
        if (name.contains(QLatin1String(bad)))
            return std::nullopt;
    QString path = withTrailingSeparator(folder);
    path += name;
    if (!path.toUpper().endsWith(QLatin1String(".SCR")))
        path += QStringLiteral(".SCR");
    return path;
}

QString scriptWrittenMessage(const QString &path)
{
    return QStringLiteral("A batch script has been created in the following location:\r\n") + path;
}

} // namespace tess
