#include "batch/metacommandtargets.h"

#include "core/pathhelpers.h"
#include "core/prompts.h"

#include <QCoreApplication>

namespace tess {

void ScanForMetaCommands(const QString &text, bool IncludeSort, const std::function<void(const MetaAction &)> &apply)
{
    const MetaScan scan = scanMetaCommands(text, IncludeSort);
    for (const MetaAction &a : scan.actions) {
        if (!a.refused)
            apply(a);
    }
    if (IncludeSort) {
        for (const QString &marker : scan.unclosedMarkers)
            msgBox(unclosedMarkerMessage(marker), vbOKOnly, appTitle());
        for (const QString &keyword : scan.refusedKeywords)
            msgBox(metaValueRefusedMessage(keyword), vbOKOnly | vbExclamation, appTitle());
    }
    QCoreApplication::processEvents();
}

} // namespace tess
