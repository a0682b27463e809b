#pragma once
// What a drag from the file manager carries: local files and folders only.

#include <QStringList>

class QDropEvent;
class QMimeData;

namespace tess {

// The local files and folders of dragged data, native paths in the source's order.
QStringList droppedLocalPaths(const QMimeData *data);

// Accepts a drag-enter, drag-move or drop event as a copy when it carries local paths (the
// source never deletes what it dragged) and ignores it otherwise. Returns the paths.
QStringList acceptLocalPathsAsCopy(QDropEvent *event);

} // namespace tess
