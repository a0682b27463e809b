#include "tags/datafilenames.h"

#include "core/fileio.h"
#include "core/like.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace tess {

namespace {

bool isReservedDeviceName(const QString &name)
{
    // Windows reserves the device names whatever extension follows them, and ignores blanks
    // before the dot.
    QString base = name.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    base = base.toUpper();
    static const QStringList fixed = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                      QStringLiteral("NUL")};
    if (fixed.contains(base))
        return true;
    if (base.size() == 4 && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))))
        return base.at(3) >= QLatin1Char('1') && base.at(3) <= QLatin1Char('9');
    return false;
}

} // namespace

NameProblem dataFileNameProblem(const QString &name)
{
    if (name.isEmpty())
        return NameProblem::Empty;
    static const QString reserved = QStringLiteral("\\/:*?<>|");
    for (const QChar c : name) {
        if (reserved.contains(c))
            return NameProblem::ReservedCharacter;
    }
    for (const QChar c : name) {
        if (c == QLatin1Char('"') || c.unicode() < 32 || c.unicode() == 127)
            return NameProblem::OtherCharacter;
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return NameProblem::TrailingDotOrBlank;
    if (isReservedDeviceName(name))
        return NameProblem::ReservedDeviceName;
    return NameProblem::None;
}

QString findFileIgnoringCase(const QString &folder, const QString &fileName)
{
    if (!isAcceptableDataFileName(fileName))
        return QString();
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile())
        return fileName;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

QString filePathForWriting(const QString &folder, const QString &fileName)
{
    const QString onDisk = findFileIgnoringCase(folder, fileName);
    return joinPath(withTrailingSeparator(folder), onDisk.isEmpty() ? fileName : onDisk);
}

QStringList filesWithExtension(const QString &folder, const QString &extension, QDir::SortFlags sort)
{
    QStringList names;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, sort);
    for (const QString &entry : entries) {
        if (entry.size() <= extension.size() || !entry.endsWith(extension, Qt::CaseInsensitive))
            continue;
        if (isAcceptableDataFileName(entry))
            names << entry;
    }
    return names;
}

QStringList dataFileTitles(const QString &folder, const QString &extension, TitleOrder order)
{
    QStringList titles;
    for (const QString &file :
         filesWithExtension(folder, extension, order == TitleOrder::Folder ? QDir::Unsorted : QDir::Name)) {
        const QString title = file.left(file.size() - extension.size());
        if (!isAcceptableDataFileName(title))
            continue;
        const QString entry = title.toUpper();
        if (order == TitleOrder::Folder || !titles.contains(entry))
            titles << entry;
    }
    if (order == TitleOrder::Ascending)
        std::sort(titles.begin(), titles.end(),
                  [](const QString &a, const QString &b) { return textCompare(a, b) < 0; });
    return titles;
}

FileResult deleteDataFile(const QString &folder, const QString &fileName)
{
    FileResult r;
    const QString onDisk = findFileIgnoringCase(folder, fileName);
    r.path = joinPath(withTrailingSeparator(folder), onDisk.isEmpty() ? fileName : onDisk);
    if (onDisk.isEmpty()) {
        r.error = kFileNotFound;
        r.reason = fileErrorDescription(kFileNotFound);
        return r;
    }
    if (isReadOnlyFile(r.path)) {
        r.error = kPermissionDenied;
        r.reason = fileErrorDescription(kPermissionDenied);
        return r;
    }
    QFile f(r.path);
    if (!f.remove()) {
        r.error = f.exists() ? kPermissionDenied : kFileNotFound;
        r.reason = f.errorString();
    }
    return r;
}

bool refuseTemplateName(const QString &name)
{
    switch (dataFileNameProblem(name)) {
    case NameProblem::None: return false;
    case NameProblem::Empty:
        msgBox(QStringLiteral("You must provide a name for your template!"), vbOKOnly | vbExclamation,
               QStringLiteral("Tessaline"));
        return true;
    case NameProblem::ReservedCharacter:
        msgBox(QStringLiteral("File names cannot contain the following characters...\r\n\r\n") +
                   QString(24, QLatin1Char(' ')) + QStringLiteral("\\  /  :  *  ?  <  >  |  "),
               vbOKOnly, alertTitle());
        return true;
    case NameProblem::OtherCharacter:
    case NameProblem::TrailingDotOrBlank:
    case NameProblem::ReservedDeviceName:
        msgBox(QStringLiteral("Template names cannot hold double quotes or control characters, end with a dot or a "
                              "blank, or be a device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9)."),
               vbOKOnly, alertTitle());
        return true;
    }
    return true;
}

QString withoutLineBreaks(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString t = text;
    t.remove(QLatin1Char('\r'));
    t.remove(QLatin1Char('\n'));
    return t;
}

QString fileErrorDescription(int error)
{
    switch (error) {
    case kFileNotFound: return fileNotFoundText();
    case kPermissionDenied: return QStringLiteral("Permission denied");
    case kPathNotFound: return QStringLiteral("Path not found");
    default: return pathFileAccessErrorText();
    }
}

} // namespace tess
