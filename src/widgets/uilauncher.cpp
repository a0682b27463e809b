#include "widgets/uilauncher.h"

#include "core/messages.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace tess {

LaunchResult UiLauncher::open(const QString &target)
{
    LaunchResult r;
    const bool isAddress = target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:"));
    QUrl url;
    if (isAddress) {
        url = QUrl(target);
    } else {
        const QFileInfo fi(target);
        if (!fi.exists()) {
            r.notFound = true;
            r.error = fileNotFoundMessage(target);
            return r;
        }
        url = QUrl::fromLocalFile(fi.absoluteFilePath());
    }
    r.ok = QDesktopServices::openUrl(url);
    if (!r.ok)
        r.error = QStringLiteral("No program could open %1").arg(target);
    return r;
}

} // namespace tess
