#include "widgets/droppaths.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace tess {

QStringList droppedLocalPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    }
    return paths;
}

QStringList acceptLocalPathsAsCopy(QDropEvent *event)
{
    const QStringList paths = droppedLocalPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return paths;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return paths;
}

} // namespace tess
