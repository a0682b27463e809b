#include "widgets/uilauncher.h"

#include "core/messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tess {

namespace {

// The associated program starts in the program's current folder: it is the wanted one for the
// moment of the start, and the old one again afterwards.
class CurrentFolderScope
{
public:
    explicit CurrentFolderScope(const QString &folder)
    {
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            m_previous = QDir::currentPath();
            if (!QDir::setCurrent(folder))
                m_previous.clear();
        }
    }
    ~CurrentFolderScope()
    {
        if (!m_previous.isEmpty())
            QDir::setCurrent(m_previous);
    }
    CurrentFolderScope(const CurrentFolderScope &) = delete;
    CurrentFolderScope &operator=(const CurrentFolderScope &) = delete;

private:
    QString m_previous;
};

} // namespace

LaunchResult UiLauncher::open(const QString &target, const QString &workingFolder)
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
    {
        const CurrentFolderScope inFolder(workingFolder);
        r.ok = QDesktopServices::openUrl(url);
    }
    if (!r.ok)
        r.error = QStringLiteral("No program could open %1").arg(target);
    return r;
}

} // namespace tess
