#include "utilities/pickwindows.h"

#include "core/pathhelpers.h"

namespace tess {

namespace {

struct GeometryKeys {
    const OtherSetting &left, &top, &width, &height;
};

GeometryKeys keysOf(PickWindow which)
{
    if (which == PickWindow::QuickPick)
        return {OtherKeys::QPLeft, OtherKeys::QPTop, OtherKeys::QPWidth, OtherKeys::QPHeight};
    return {OtherKeys::QPQueueLeft, OtherKeys::QPQueueTop, OtherKeys::QPQueueWidth, OtherKeys::QPQueueHeight};
}

} // namespace

PickGeometry readPickGeometry(PickWindow which)
{
    const GeometryKeys k = keysOf(which);
    PickGeometry g;
    g.left = readOtherNumber(k.left);
    g.top = readOtherNumber(k.top);
    g.width = readOtherNumber(k.width);
    g.height = readOtherNumber(k.height);
    return g;
}

QList<int> writePickGeometry(PickWindow which, const PickGeometry &g)
{
    const GeometryKeys k = keysOf(which);
    const OtherSetting *keys[] = {&k.left, &k.top, &k.width, &k.height};
    const int values[] = {g.left, g.top, g.width, g.height};
    QList<int> unwritten;
    for (int i = 0; i < 4; ++i) {
        if (!writeOtherSetting(*keys[i], values[i]))
            unwritten.append(i);
    }
    return unwritten;
}

QString quickPickPattern(const QString &filterText) { return QLatin1Char('*') + filterText + QLatin1Char('*'); }

QStringList queuePickNames(const QStringList &queueEntries)
{
    QStringList names;
    names.reserve(queueEntries.size());
    for (const QString &entry : queueEntries)
        names.append(FileNameOf(entry));
    return names;
}

QString resourceWarningText(int limit)
{
    return QStringLiteral("You have attempted to open more than ") + QString::number(limit) +
           QStringLiteral(" files at a time.\r\n\r\nThis could starve your systems resources...\r\n\r\n"
                          "Are you sure you want to continue opening files?");
}

OpenRun openWithResourceWarning(const QStringList &paths, bool warn, int limit,
                                const std::function<void(const QString &)> &open,
                                const std::function<bool(int limit)> &askContinue)
{
    OpenRun run;
    int sinceYes = 0;
    for (const QString &path : paths) {
        open(path);
        ++run.opened;
        ++sinceYes;
        if (warn && sinceYes >= limit) {
            if (!askContinue(limit)) {
                run.stopped = true;
                break;
            }
            sinceYes = 0;
        }
    }
    return run;
}

} // namespace tess
