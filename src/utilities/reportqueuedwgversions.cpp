#include "utilities/reportqueuedwgversions.h"

#include "core/messages.h"
#include "core/prompts.h"
#include "scripts/texteditor.h"
#include "utilities/dwgversionreport.h"
#include "widgets/waitcursor.h"

namespace tess {

void ReportQueueDwgVersions(const QStringList &queue, const DwgHeaderReader &reader)
{
    WaitCursor wait;
    const DwgVersionReportResult result = writeDwgVersionReport(queue, reader);
    wait.restore();
    showMessagesOneByOne(result.readErrors, appTitle());
    if (!result.file.ok()) {
        msgBox(dwgVersionReportFailureMessage(result.file), vbOKOnly | vbExclamation, alertTitle());
        return;
    }
    OpenFileInEditor(dwgVersionReportPath());
}

} // namespace tess
