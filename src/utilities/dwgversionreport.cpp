#include "utilities/dwgversionreport.h"

#include "core/appenvironment.h"
#include "core/messages.h"

#include <QStringConverter>

namespace tess {

QString dwgVersionReportPath()
{
    return AppEnvironment::dataFolder() + AppEnvironment::loginName() + QStringLiteral("-DWGVersion.csv");
}

DwgVersionReport dwgVersionReport(const QStringList &entries, const DwgHeaderReader &reader)
{
    DwgVersionReport report;
    QString text;
    for (const QString &entry : entries) {
        const DwgRevision rev = ReturnDWGFileREV(entry, reader);
        if (!rev.error.isEmpty())
            report.readErrors.append(rev.error);
        text += rev.name + QStringLiteral(", ") + entry + QStringLiteral("\r\n");
    }
    // The system's encoding, as every text file of the program.
    QStringEncoder encode(QStringConverter::System);
    report.bytes = encode(text);
    return report;
}

DwgVersionReportResult writeDwgVersionReport(const QStringList &entries, const DwgHeaderReader &reader)
{
    DwgVersionReport report = dwgVersionReport(entries, reader);
    DwgVersionReportResult result;
    result.readErrors = std::move(report.readErrors);
    result.file = writeWholeFile(dwgVersionReportPath(), report.bytes);
    return result;
}

QString dwgVersionReportFailureMessage(const FileResult &r)
{
    return fileFailureMessage(QStringLiteral("The drawing-version report could not be written"), r);
}

} // namespace tess
