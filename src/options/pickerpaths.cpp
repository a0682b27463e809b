#include "options/pickerpaths.h"

#include "core/pathhelpers.h"

#include <QFileInfo>

namespace tess {

namespace {
const QString &batchScriptName()
{
    static const QString n = QStringLiteral("tessaline.scr");
    return n;
}
} // namespace

QString batchScriptInFolder(const QString &folder) { return joinPath(folder, batchScriptName()); }

QString supportBatchScript(const QString &programFolder)
{
    return joinPath(joinPath(programFolder, QStringLiteral("SUPPORT")), batchScriptName());
}

bool isProgramFile(const QString &path)
{
    if (path.right(4).toUpper() == QLatin1String(".EXE"))
        return true;
#ifdef Q_OS_WIN
    return false;
#else
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
#endif
}

QString programFilePattern()
{
#ifdef Q_OS_WIN
    return QStringLiteral("*.exe");
#else
    return QStringLiteral("*");
#endif
}

} // namespace tess
