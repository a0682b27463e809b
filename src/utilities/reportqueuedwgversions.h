#pragma once
// The drawing-version report of the queue, as the Queue menu and the queue's pop-up menu run it:
// the report written with the hourglass showing, then opened in the text editor.

#include "utilities/dwgrevision.h"

#include <QStringList>

namespace tess {

// Writes one line per queued drawing (its release name, ", " and the entry as queued) to
// DATA + login name + "-DWGVersion.csv" and opens the file with OpenFileInEditor. Each drawing
// whose header could not be read has its message (showMessagesOneByOne: past the first few, the
// rest come together in one box). A report that cannot be written is named with its reason in one
// message; the previous report stays and no editor is started.
void ReportQueueDwgVersions(const QStringList &queue, const DwgHeaderReader &reader = readDwgHeader);

} // namespace tess
