#include "options/pickerpaths.h"

#include "core/pathhelpers.h"

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

QString programFilePattern()
{
#ifdef Q_OS_WIN
    return QStringLiteral("*.exe");
#else
    return QStringLiteral("*");
#endif
}

} // namespace tess
