#pragma once
// The drawing-version report: one line per queued drawing, in queue order, naming the release that
// wrote it, in the per-user file login name + "-DWGVersion.csv" in DATA. The file is written whole
// through the file module, so a report that cannot be written leaves the previous one as it was.

#include "core/fileio.h"
#include "utilities/dwgrevision.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tess {

// DATA + login name + "-DWGVersion.csv".
QString dwgVersionReportPath();

struct DwgVersionReport {
    QByteArray bytes;       // release name + ", " + entry + CR LF for each entry
    QStringList readErrors; // the messages of drawings whose header could not be read
};

// The report of the queue's entries (each written as the queue holds it, its case unchanged).
DwgVersionReport dwgVersionReport(const QStringList &entries, const DwgHeaderReader &reader = readDwgHeader);

// The report written to dwgVersionReportPath(); the result names a failure.
struct DwgVersionReportResult {
    FileResult file;
    QStringList readErrors;
};
DwgVersionReportResult writeDwgVersionReport(const QStringList &entries, const DwgHeaderReader &reader = readDwgHeader);

// The message of a report that could not be written: the file and the reason.
QString dwgVersionReportFailureMessage(const FileResult &r);

} // namespace tess
