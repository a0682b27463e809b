#include "batch/queueverification.h"

#include "batch/drawingaccess.h"

#include "core/fileio.h"
#include "core/listutils.h"
#include "core/pathhelpers.h"

#include <QFileInfo>

namespace tess {

bool IsReadonly(const QString &filename)
{
    const QFileInfo fi(filename);
    if (fi.exists() || fi.isSymLink())
        return isReadOnlyFile(filename);
    // Not there: read-only when its folder exists (a file that cannot be saved there), else not.
    const QString folder = FolderOf(filename);
    return !folder.isEmpty() ? QFileInfo(folder).isDir() : !filename.isEmpty();
}

QString QueueProblem::shown() const { return kind == Missing ? path.toUpper() : path.toLower(); }

QString percentText(qint64 part, qint64 whole)
{
    if (whole <= 0)
        return QStringLiteral("0");
    // Exact integer rounding of part / whole to two decimals: q hundredths and a remainder r / whole.
    const qint64 scaled = part * 100;
    qint64 q = scaled / whole;
    const qint64 r = scaled % whole;
    if (2 * r > whole || (2 * r == whole && q % 2 != 0))
        ++q;
    return QString::number(q);
}

QList<QueueProblem> verifyQueueFiles(const QStringList &queue, ScanProgress *progress)
{
    QList<QueueProblem> problems;
    ScanPacer pacer(progress);
    pacer.update(QStringLiteral("Buffering File Names"));
    const qint64 total = queue.size();
    qint64 tested = 0;
    DrawingAccessCache access;
    for (const QString &path : queue) {
        const DrawingAccess a = access.of(path);
        if (!a.exists) {
            problems.append({path, QueueProblem::Missing});
        } else {
            if (!a.usable)
                problems.append({path, QueueProblem::Locked});
            if (a.readOnly)
                problems.append({path, QueueProblem::ReadOnly});
        }
        ++tested;
        if (pacer.due() || tested == total)
            pacer.update(percentText(tested, total) + QStringLiteral("% Complete"));
        if (progress && progress->stopRequested())
            break;
    }
    return problems;
}

QStringList removeQueueEntries(const QStringList &queue, const QSet<QString> &paths)
{
    if (paths.isEmpty())
        return queue;
    QStringList kept;
    kept.reserve(queue.size());
    for (const QString &entry : queue)
        if (!paths.contains(entry))
            kept.append(entry);
    return kept;
}

} // namespace tess
