#include "utilities/reportqueuedwgversions.h"

#include "core/messages.h"
#include "core/prompts.h"
#include "scripts/texteditor.h"
#include "utilities/dwgversionreport.h"
#include "widgets/waitcursor.h"

namespace tess {

namespace {

// At most this many unreadable drawings are named in the one message; the rest are counted.
constexpr qsizetype kNamedReadErrors = 20;

QString readErrorsMessage(const QStringList &errors)
{
    QStringList shown = errors.mid(0, kNamedReadErrors);
    if (errors.size() > kNamedReadErrors)
        shown.append(QStringLiteral("(") + QString::number(errors.size() - kNamedReadErrors) +
                     QStringLiteral(" more)"));
    return shown.join(QStringLiteral("\r\n"));
}

} // namespace

void ReportQueueDwgVersions(const QStringList &queue, const DwgHeaderReader &reader)
{
    WaitCursor wait;
    const DwgVersionReportResult result = writeDwgVersionReport(queue, reader);
    wait.restore();
    if (!result.readErrors.isEmpty())
        msgBox(readErrorsMessage(result.readErrors), vbOKOnly, appTitle());
    if (!result.file.ok()) {
        msgBox(dwgVersionReportFailureMessage(result.file), vbOKOnly | vbExclamation, alertTitle());
        return;
    }
    OpenFileInEditor(dwgVersionReportPath());
}

} // namespace tess
