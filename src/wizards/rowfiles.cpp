#include "wizards/rowfiles.h"

#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/statefiles.h"
#include "tags/datafilenames.h"
#include "wizards/wizardscript.h"

namespace tess {

const RowFileKind &RowFileKind::titleBlock()
{
    static const RowFileKind kind{QStringLiteral(".TBW"), QStringLiteral("-tbw.tmp"), kTitleBlockFileLines,
                                  QStringLiteral("SaveTBW"), QStringLiteral("frmTBWiz")};
    return kind;
}

const RowFileKind &RowFileKind::layout()
{
    static const RowFileKind kind{QStringLiteral(".ltw"), QStringLiteral("-LTW.tmp"), kLayoutFileLines,
                                  QStringLiteral("SaveLTW"), QStringLiteral("frmLayWiz")};
    return kind;
}

QString RowFileKind::stateFileName() const { return GetUserNameClean() + stateSuffix; }

QByteArray rowFileBytes(const QStringList &texts)
{
    QStringList lines;
    lines.reserve(texts.size());
    for (const QString &t : texts)
        lines << singleLineAnswer(t);
    return stateLinesBytes(lines);
}

RowFileRead readRowFile(const QString &dataFolder, const QString &fileName, const RowFileKind &kind)
{
    RowFileRead r;
    r.expected = kind.lines;
    const QString onDisk = findFileIgnoringCase(dataFolder, fileName);
    r.path = joinPath(withTrailingSeparator(dataFolder), onDisk.isEmpty() ? fileName : onDisk);
    if (onDisk.isEmpty())
        return r;
    QByteArray bytes;
    const FileResult read = readWholeFile(r.path, bytes);
    if (!read.ok()) {
        r.status = read.error == kFileNotFound ? RowFileRead::NotFound : RowFileRead::Failed;
        return r;
    }
    r.status = RowFileRead::Read;
    r.lines = stateFileLines(bytes);
    if (r.lines.size() > kind.lines)
        r.lines.resize(kind.lines);
    return r;
}

FileResult writeRowFile(const QString &dataFolder, const QString &fileName, const QStringList &texts)
{
    return writeWholeFile(filePathForWriting(dataFolder, fileName), rowFileBytes(texts));
}

QStringList rowTemplateNames(const QString &dataFolder, const RowFileKind &kind)
{
    return dataFileTitles(dataFolder, kind.templateExtension, TitleOrder::Folder);
}

QString rowFileSaveFailureText(const FileResult &r, const RowFileKind &kind)
{
    switch (r.error) {
    case kPermissionDenied: return QStringLiteral("File is Write protected...\r\n") + r.path + QStringLiteral("\r\n");
    case kPathNotFound:
        return QStringLiteral("\\DATA\\ directory does not exist in the Tessaline directory...\r\n Please create it, "
                              "and try saving again.");
    default: break;
    }
    const QString reason = r.reason.isEmpty() ? fileErrorDescription(r.error) : r.reason;
    return unexpectedErrorText(r.error, reason, kind.saveProcedure, QStringLiteral("Form ") + kind.formName);
}

QString rowFileCutShortText(const QString &path)
{
    return QStringLiteral("Input past end-of file... file may be corrupted...\r\n") + path;
}

} // namespace tess
