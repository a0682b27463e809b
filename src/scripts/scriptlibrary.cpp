#include "scripts/scriptlibrary.h"

#include "core/like.h"
#include "core/pathhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <algorithm>

namespace tess {

namespace {

ScriptFileResult failure(int error, const QString &path, const QString &reason)
{
    ScriptFileResult r;
    r.error = error;
    r.path = path;
    r.reason = reason;
    return r;
}

// File lists know two wildcards, "*" and "?": every other character of a list pattern, "#" and "["
// among them, stands for itself.
QString fileListPatternAsLike(const QString &pattern)
{
    QString like;
    like.reserve(pattern.size());
    for (const QChar c : pattern) {
        if (c == QLatin1Char('#') || c == QLatin1Char('['))
            like += QLatin1Char('[') + c + QLatin1Char(']');
        else
            like += c;
    }
    return like;
}

} // namespace

QString trimBlanks(const QString &text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && text.at(e - 1) == QLatin1Char(' '))
        --e;
    return text.mid(b, e - b);
}

ScriptNameProblem checkScriptName(const QString &name)
{
    if (name.isEmpty())
        return ScriptNameProblem::Empty;
    for (const QChar c : name) {
        if (c.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(c))
            return ScriptNameProblem::BadCharacter;
    }
    if (name.contains(QLatin1String("..")))
        return ScriptNameProblem::DotDot;
    // Windows reserves the device names also when an extension follows them ("NUL.x.scr").
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList devices = {QStringLiteral("CON"),    QStringLiteral("PRN"),    QStringLiteral("AUX"),
                                        QStringLiteral("NUL"),    QStringLiteral("CLOCK$"), QStringLiteral("CONIN$"),
                                        QStringLiteral("CONOUT$")};
    if (devices.contains(stem))
        return ScriptNameProblem::DeviceName;
    if (stem.size() == 4 && (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))) &&
        stem.at(3) >= QLatin1Char('1') && stem.at(3) <= QLatin1Char('9'))
        return ScriptNameProblem::DeviceName;
    return ScriptNameProblem::None;
}

QString scriptNameMessage(ScriptNameProblem problem, const QString &name)
{
    switch (problem) {
    case ScriptNameProblem::BadCharacter:
        return QStringLiteral("File names cannot contain the following characters...\r\n\r\n") +
               QString(23, QLatin1Char(' ')) + QStringLiteral("\\  /  :  *  ?  <  >  |  ");
    case ScriptNameProblem::DeviceName:
        return QStringLiteral("\"%1\" is a name reserved for a device.\r\nPlease choose another script name.")
            .arg(name);
    case ScriptNameProblem::DotDot:
        return QStringLiteral("Script names cannot contain \"..\".\r\nPlease choose another script name.");
    case ScriptNameProblem::None:
    case ScriptNameProblem::Empty: break;
    }
    return QString();
}

QString scriptNameOfFile(const QString &fileName) { return fileName.size() < 4 ? QString() : fileName.chopped(4); }

QString scriptListPattern(const QString &filterText) { return QLatin1Char('*') + filterText + QLatin1String("*.scr"); }

bool isAcceptableScriptPattern(const QString &pattern)
{
    for (const QChar c : pattern) {
        if (c.unicode() < 32 || QStringLiteral("\\/:\"<>|").contains(c))
            return false;
    }
    return true;
}

bool isScriptFileName(const QString &fileName)
{
    if (fileName.size() <= 4 || fileName.contains(QLatin1Char('/')) || fileName.contains(QLatin1Char('\\')))
        return false;
    return fileName.endsWith(QLatin1String(".scr"), Qt::CaseInsensitive);
}

QStringList listScriptFiles(const QString &folder, const QString &pattern)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    const QDir dir(folder);
    const LikePattern matcher(fileListPatternAsLike(pattern));
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QFileInfo &fi : entries) {
        const QString n = fi.fileName();
        if (isScriptFileName(n) && fi.isFile() && matcher.matches(n))
            names.append(n);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = textCompare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString scriptPathInFolder(const QString &folder, const QString &fileName)
{
    const QString f = withTrailingSeparator(folder);
    const QDir dir(f);
    if (QFileInfo::exists(f + fileName))
        return f + fileName;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString &e : entries) {
        if (e.compare(fileName, Qt::CaseInsensitive) == 0)
            return f + e;
    }
    return f + fileName;
}

ScriptFileResult readScriptFile(const QString &path)
{
    QByteArray bytes;
    ScriptFileResult r = readWholeFile(path, bytes);
    if (r.ok())
        r.text = textFromFileBytes(bytes);
    return r;
}

ScriptFileResult writeScriptFile(const QString &path, const QString &text)
{
    return writeWholeFile(path, fileBytesFromText(text));
}

ScriptFileResult deleteScriptFile(const QString &path)
{
    const QFileInfo fi(path);
    if (!isScriptFileName(fi.fileName()) || fi.isDir())
        return failure(kPathFileAccessError, path, QStringLiteral("Only script files (.scr) can be deleted here"));
    if (!fi.exists())
        return failure(kFileNotFound, path, fileNotFoundText());
    if (isReadOnlyFile(path))
        return failure(kPermissionDenied, path, QStringLiteral("The script is read-only"));
    QFile f(path);
    if (!f.remove())
        return failure(kPathFileAccessError, path, f.errorString());
    ScriptFileResult r;
    r.path = path;
    return r;
}

QString batchScriptCopyPath(const QString &batchScriptPath, const QString &login)
{
    const QString folder = FolderOf(batchScriptPath);
    if (folder.isEmpty())
        return QString();
    return folder + QStringLiteral("tessaline-") + login + QStringLiteral(".scr");
}

} // namespace tess
