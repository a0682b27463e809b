#include "batch/scriptreadback.h"

#include "core/fileio.h"
#include "core/listutils.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

namespace tess {

namespace {

const QLatin1String kCrLf("\r\n");
constexpr qsizetype kListedFolders = 25; // folders named in one box; the rest are counted

bool isSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}
// A character that can stand in a folder or file name.
bool isNameChar(QChar c)
{
    return !isSeparator(c) && !isBlank(c) && c != QLatin1Char('"') && c != QLatin1Char(':') && c.unicode() >= 0x20;
}
bool hasNoPathCharacters(QStringView path)
{
    for (const QChar c : path)
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
            c == QLatin1Char('|') || c.unicode() < 0x20)
            return false;
    return true;
}

// Length of the root a path of the given forms starts with at `at`; 0 when none starts there.
qsizetype rootAt(QStringView line, qsizetype at, ScriptPathForms forms)
{
    const qsizetype n = line.size();
    if (forms == ScriptPathForms::Posix)
        return line.at(at) == QLatin1Char('/') && at + 1 < n && isNameChar(line.at(at + 1)) ? 1 : 0;
    // Drive: a letter, ":" and a separator.
    if (at + 2 < n && isAsciiLetter(line.at(at)) && line.at(at + 1) == QLatin1Char(':') && isSeparator(line.at(at + 2)))
        return 3;
    // UNC: two separators, a server, a separator, a share, a separator.
    if (at + 1 < n && isSeparator(line.at(at)) && isSeparator(line.at(at + 1))) {
        qsizetype i = at + 2;
        const qsizetype server = i;
        while (i < n && isNameChar(line.at(i)))
            ++i;
        if (i == server || i >= n || !isSeparator(line.at(i)))
            return 0;
        const qsizetype share = ++i;
        while (i < n && isNameChar(line.at(i)))
            ++i;
        if (i == share || i >= n || !isSeparator(line.at(i)))
            return 0;
        return i + 1 - at;
    }
    return 0;
}

QString missingFoldersQuestion(const QStringList &missing)
{
    QString text = QStringLiteral("There ONE OR MORE directories referenced in your output script, that do not exist.");
    if (missing.size() == 1)
        text += kCrLf + QStringLiteral("(This is the FIRST one found)");
    for (qsizetype i = 0; i < missing.size() && i < kListedFolders; ++i)
        text += kCrLf + missing.at(i);
    if (missing.size() > kListedFolders)
        text += kCrLf + QStringLiteral("... and %1 more").arg(missing.size() - kListedFolders);
    return text + kCrLf + QStringLiteral("Would you like to create them ALL?");
}

} // namespace

ScriptPathForms nativeScriptPathForms()
{
#ifdef Q_OS_WIN
    return ScriptPathForms::Windows;
#else
    return ScriptPathForms::Posix;
#endif
}

QStringList folderPathsInLine(QStringView line, ScriptPathForms forms)
{
    QStringList folders;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const bool quoted = i > 0 && line.at(i - 1) == QLatin1Char('"');
        const bool starts = i == 0 || quoted || isBlank(line.at(i - 1));
        const qsizetype root = starts ? rootAt(line, i, forms) : 0;
        if (root == 0) {
            ++i;
            continue;
        }
        qsizetype end = i + root;
        if (quoted) {
            while (end < n && line.at(end) != QLatin1Char('"'))
                ++end;
            if (end == n) // no closing quote: the path cannot be told from what follows it
                break;
        } else {
            while (end < n && !isBlank(line.at(end)) && line.at(end) != QLatin1Char('"'))
                ++end;
        }
        const QStringView path = line.sliced(i, end - i);
        if (hasNoPathCharacters(path)) {
            qsizetype last = path.size() - 1;
            while (last >= root && !isSeparator(path.at(last)))
                --last;
            folders.append(path.first(qMax(last, root - 1) + 1).toString());
        }
        i = end + 1;
    }
    return folders;
}

ScriptReadBack readBackBatchScript(const QString &path, bool folders, bool projectTags,
                                   QStringConverter::Encoding encoding, ScriptPathForms forms, ScanProgress *progress)
{
    ScriptReadBack result;
    result.error.path = path;
    if (!folders && !projectTags)
        return result;
    QFile f(path);
    if (const FileResult opened = openRegularFile(f, QIODevice::ReadOnly); !opened.ok()) {
        result.error = opened;
        return result;
    }
    ScanPacer pacer(progress);
    QStringDecoder decoder(encoding);
    QHash<QString, bool> known; // folder -> exists
    QSet<QString> listed;
    qint64 number = 0;
    bool lookForTags = projectTags;
    // Only lines holding the first character of a path form can name a folder.
    const QChar pathMark = forms == ScriptPathForms::Posix ? QLatin1Char('/') : QLatin1Char(':');

    auto scanLine = [&](QStringView line) {
        ++number;
        if (lookForTags && line.contains(QLatin1Char('$'))) {
            const qsizetype at = line.indexOf(QLatin1String("$PROJECTTAG"), 0, Qt::CaseInsensitive);
            if (at >= 0 && line.indexOf(QLatin1Char('$'), at + 1) > at) {
                result.projectTagLine = number;
                lookForTags = false;
            }
        }
        if (folders &&
            (line.contains(pathMark) || (forms == ScriptPathForms::Windows && (line.contains(QLatin1String("\\\\")) ||
                                                                               line.contains(QLatin1String("//")))))) {
            for (const QString &folder : folderPathsInLine(line, forms)) {
                auto it = known.constFind(folder);
                if (it == known.constEnd())
                    it = known.insert(folder, QFileInfo(folder).isDir());
                if (!*it && !listed.contains(folder)) {
                    listed.insert(folder);
                    result.missingFolders.append(folder);
                }
            }
        }
    };

    // Read in large blocks; a line may run over from one block into the next.
    QString pending;
    QByteArray block;
    while (!f.atEnd()) {
        block = f.read(1 << 20);
        if (block.isEmpty())
            break;
        pending += decoder.decode(block);
        qsizetype start = 0;
        for (;;) {
            const qsizetype end = pending.indexOf(QLatin1Char('\n'), start);
            if (end < 0)
                break;
            QStringView line = QStringView(pending).sliced(start, end - start);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            scanLine(line);
            start = end + 1;
        }
        pending.remove(0, start);
        if (!folders && !lookForTags)
            break; // the tag was found and nothing else is asked
        if (pacer.due())
            pacer.pump();
    }
    if (!pending.isEmpty() && (folders || lookForTags))
        scanLine(pending);
    if (f.error() != QFileDevice::NoError) {
        result.error.error = kPathFileAccessError;
        result.error.reason = f.errorString();
    }
    return result;
}

QStringList createMissingFolders(const QStringList &missing)
{
    QStringList failed;
    for (const QString &folder : missing) {
        if (QFileInfo(folder).isDir())
            continue; // made with a folder before it
        if (!MakeFolderPath(withoutTrailingSeparator(folder)))
            failed << folder;
    }
    return failed;
}

void offerToCreateMissingFolders(const QStringList &missing)
{
    if (missing.isEmpty())
        return;
    if (msgBox(missingFoldersQuestion(missing), vbYesNo | vbExclamation, QStringLiteral("Tessaline Directory Scan")) !=
        vbYes)
        return;
    const QStringList failed = createMissingFolders(missing);
    if (failed.isEmpty())
        return;
    QString text = QStringLiteral("Directory could not be created.") + kCrLf +
                   QStringLiteral("(Possibly due to bad characters)...") + kCrLf + kCrLf +
                   QStringLiteral("Please do not use reserved characters such as") + kCrLf +
                   QStringLiteral("/ : * ? \" < > |") + kCrLf;
    for (qsizetype i = 0; i < failed.size() && i < kListedFolders; ++i)
        text += kCrLf + failed.at(i);
    if (failed.size() > kListedFolders)
        text += kCrLf + QStringLiteral("... and %1 more").arg(failed.size() - kListedFolders);
    msgBox(text, vbOKOnly | vbCritical, QStringLiteral("Error"));
}

QString leftoverProjectTagsText(qint64 line)
{
    return QStringLiteral("The output script contains Project Tags that were not substituted.") + kCrLf +
           QStringLiteral("The first occurence is on line ") + QString::number(line) +
           QStringLiteral(" of the output file");
}

void reportLeftoverProjectTags(qint64 line)
{
    msgBox(leftoverProjectTagsText(line), vbOKOnly | vbCritical, QStringLiteral("Warning"));
}

} // namespace tess
