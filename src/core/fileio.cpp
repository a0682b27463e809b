#include "core/fileio.h"

#include <QFileInfo>

namespace tess {

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() && !(fi.permissions() & QFileDevice::WriteOwner);
}

} // namespace tess
