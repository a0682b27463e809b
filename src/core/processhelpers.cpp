#include "core/processhelpers.h"

#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tess {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Index of the quote closing the one at `open`: the first quote followed by a blank or the end of
// the text, else the first quote at all; -1 when there is none.
int closingQuote(const QString &text, int open)
{
    const QChar quote = QLatin1Char('"');
    for (int i = text.indexOf(quote, open + 1); i >= 0; i = text.indexOf(quote, i + 1)) {
        if (i + 1 == text.size() || isBlank(text.at(i + 1)))
            return i;
    }
    return text.indexOf(quote, open + 1);
}

QString trimLeadingBlanks(const QString &text)
{
    int i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return text.mid(i);
}

QString currentFolder() { return QDir::toNativeSeparators(QDir::currentPath()); }

// Where the program of an unquoted command line ends. A program path may hold blanks and is often
// stored without quotes ("C:\Program Files\Some Editor\editor.exe"): the whole text when it names
// an existing file, else the longest part that ends before a blank and names an existing file,
// else the first blank (or the end of the text).
qsizetype unquotedProgramEnd(const QString &commandLine)
{
    qsizetype end = commandLine.size();
    while (end > 0 && isBlank(commandLine.at(end - 1)))
        --end;
    const qsizetype firstBlank = [&] {
        qsizetype i = 0;
        while (i < commandLine.size() && !isBlank(commandLine.at(i)))
            ++i;
        return i;
    }();
    if (end <= firstBlank)
        return firstBlank;
    // Only a path that names a folder is worth a look at the disk.
    const QString whole = commandLine.left(end);
    if (lastSeparatorIndex(whole) < 0)
        return firstBlank;
    for (qsizetype i = end; i > firstBlank; --i) {
        if (i < end && !isBlank(commandLine.at(i)))
            continue;
        if (isBlank(commandLine.at(i - 1)))
            continue;
        if (QFileInfo(commandLine.left(i)).isFile())
            return i;
    }
    return firstBlank;
}

// Tells the user why a start or open failed.
void reportLaunchFailure(LaunchResult r, const QString &commandLine)
{
    if (r.error.isEmpty())
        r.error = QStringLiteral("The program could not be started.");
    if (r.notFound) {
        msgBox(QStringLiteral(" ") + commandLine.toUpper() + QStringLiteral(" string is incorrect...") + QChar(13) +
                   QStringLiteral(" Please check your settings (under the 'Tools -> Options' menu) or contact ") +
                   supportEmailAddress() + QStringLiteral("."),
               vbOKOnly, QStringLiteral("Oops"));
        return;
    }
    msgBox(QStringLiteral("Unable to run ") + commandLine + QChar(13) + QChar(13) + r.error, vbOKOnly | vbExclamation);
}

} // namespace

CommandLineParts splitCommandLine(const QString &commandLine)
{
    CommandLineParts p;
    QString rest;
    if (commandLine.startsWith(QLatin1Char('"'))) {
        // The program ends at the very next quote, whatever follows it.
        const int close = int(commandLine.indexOf(QLatin1Char('"'), 1));
        if (close < 0) {
            p.program = commandLine; // unclosed: the whole text, quote included
        } else {
            p.program = commandLine.mid(1, close - 1);
            rest = commandLine.mid(close + 1);
        }
    } else {
        const qsizetype end = unquotedProgramEnd(commandLine);
        p.program = commandLine.left(end);
        rest = commandLine.mid(end);
    }
    p.rewritten = p.program + rest;
    p.argumentText = trimLeadingBlanks(rest);
    p.arguments = splitArguments(p.argumentText);
    p.workingFolder = ShlRemoveFileSpec(p.program);
    return p;
}

QStringList splitArguments(const QString &argumentText)
{
    QStringList args;
    const QString &t = argumentText;
    int i = 0;
    while (true) {
        while (i < t.size() && isBlank(t.at(i)))
            ++i;
        if (i >= t.size())
            break;
        if (t.at(i) == QLatin1Char('"')) {
            const int close = closingQuote(t, i);
            if (close < 0) {
                args.append(t.mid(i + 1));
                break;
            }
            args.append(t.mid(i + 1, close - i - 1));
            i = close + 1;
        } else {
            const int start = i;
            while (i < t.size() && !isBlank(t.at(i)))
                ++i;
            args.append(t.mid(start, i - start));
        }
    }
    return args;
}

std::optional<QString> explorerFolderOf(const QString &program, const QString &argumentText)
{
    const QString name = FileNameOf(program);
    if (name.compare(QLatin1String("explorer.exe"), Qt::CaseInsensitive) != 0 &&
        name.compare(QLatin1String("explorer"), Qt::CaseInsensitive) != 0)
        return std::nullopt;

    // Switches such as "/n," "/e," "/select," come first, each ended by a comma; a POSIX folder
    // also begins with "/", so only the explorer's own switch names count.
    static const QStringList switches = {QStringLiteral("/n"), QStringLiteral("/e"), QStringLiteral("/select"),
                                         QStringLiteral("/root"), QStringLiteral("/separate")};
    QString rest = trimLeadingBlanks(argumentText);
    bool select = false;
    while (true) {
        const int comma = rest.indexOf(QLatin1Char(','));
        const QString sw = (comma < 0 ? rest : rest.left(comma)).trimmed();
        if (!switches.contains(sw, Qt::CaseInsensitive))
            break;
        if (sw.compare(QLatin1String("/select"), Qt::CaseInsensitive) == 0)
            select = true;
        rest = comma < 0 ? QString() : trimLeadingBlanks(rest.mid(comma + 1));
    }
    // The target runs to the end of the text (it may hold blanks); enclosing quotes are dropped.
    QString target = rest;
    while (!target.isEmpty() && isBlank(target.back()))
        target.chop(1);
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        target = target.mid(1, target.size() - 2);
    if (select)
        target = ShlRemoveFileSpec(target);
    return target.isEmpty() ? currentFolder() : target;
}

bool showExplorerFoldersWithFileManager()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

LaunchResult RunCommandLine(QString commandLine, int windowStyle, const QString &workingFolder)
{
    Q_UNUSED(windowStyle); // the launcher always shows what it starts
    const CommandLineParts parts = splitCommandLine(commandLine);

    // "editor C:\My Scripts\x.scr": an unquoted rest that names an existing file or folder as a
    // whole is that one argument, blanks and all (the shell would hand it over as one piece too).
    QStringList arguments = parts.arguments;
    if (arguments.size() > 1 && !parts.argumentText.startsWith(QLatin1Char('"'))) {
        QString whole = parts.argumentText;
        while (!whole.isEmpty() && isBlank(whole.back()))
            whole.chop(1);
        if (QFileInfo::exists(whole))
            arguments = QStringList{whole};
    }

    LaunchResult r;
    const std::optional<QString> folder =
        showExplorerFoldersWithFileManager() ? explorerFolderOf(parts.program, parts.argumentText) : std::nullopt;
    if (folder) {
        const QString shown = parts.rewritten;
        r = launcher()->open(*folder, QString(),
                             [shown](const LaunchResult &late) { reportLaunchFailure(late, shown); });
    } else {
        QString wd = workingFolder;
        if (wd.isEmpty())
            wd = parts.workingFolder.isEmpty() ? currentFolder() : parts.workingFolder;
        r = launcher()->start(parts.program, arguments, wd);
    }
    if (!r.ok) {
        if (r.error.isEmpty())
            r.error = QStringLiteral("The program could not be started.");
        reportLaunchFailure(r, parts.rewritten);
    }
    return r;
}

LaunchResult startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder,
                          const QString &shownCommandLine)
{
    LaunchResult r = launcher()->start(program, arguments, workingFolder);
    if (!r.ok) {
        if (r.error.isEmpty())
            r.error = QStringLiteral("The program could not be started.");
        reportLaunchFailure(r, shownCommandLine);
    }
    return r;
}

LaunchResult OpenWithAssociatedProgram(const QString &target, const QString &workingFolder)
{
    // The same box whether the opener fails at once or ends with an error later.
    const auto report = [target](LaunchResult r) {
        if (r.error.isEmpty())
            r.error = r.notFound ? fileNotFoundText() : QStringLiteral("No program could open it.");
        msgBox(openFailureMessage(target, r.error), vbOKOnly | vbExclamation);
        return r;
    };
    const LaunchResult r = launcher()->open(target, workingFolder, report);
    return r.ok ? r : report(r);
}

// ---- Folder copy ----

namespace {

CopyResult copyFailure(const QString &path, const QString &reason)
{
    CopyResult r;
    r.failedPath = QDir::toNativeSeparators(path);
    r.reason = reason;
    return r;
}

CopyResult copyEntry(const QFileInfo &from, const QString &to);

CopyResult copyFolder(const QString &from, const QString &to)
{
    const QFileInfo target(to);
    if (target.exists() && !target.isDir())
        return copyFailure(to, QStringLiteral("A file of that name is in the way of the folder."));
    if (!target.exists() && !QDir().mkpath(to))
        return copyFailure(to, QStringLiteral("The folder could not be created."));

    QDir dir(from);
    if (!dir.isReadable())
        return copyFailure(from, QStringLiteral("The folder cannot be read."));
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &fi : entries) {
        CopyResult r = copyEntry(fi, to + QLatin1Char('/') + fi.fileName());
        if (!r.ok)
            return r;
    }
    CopyResult ok;
    ok.ok = true;
    return ok;
}

CopyResult copyEntry(const QFileInfo &from, const QString &to)
{
    const QString fromPath = from.absoluteFilePath();
    if (QFileInfo(to).exists() || QFileInfo(to).isSymLink())
        return copyFailure(to, QStringLiteral("A file or folder of that name already exists."));
    if (from.isSymLink()) {
        // Copied as a link to the same target: a link never leads the copy out of the tree.
        if (!QFile::link(from.symLinkTarget(), to))
            return copyFailure(fromPath, QStringLiteral("The link could not be copied."));
    } else if (from.isDir()) {
        return copyFolder(fromPath, to);
    } else if (from.isFile()) {
        QFile f(fromPath);
        if (!f.copy(to))
            return copyFailure(fromPath, f.errorString());
    } else {
        return copyFailure(fromPath, QStringLiteral("It is neither a file nor a folder."));
    }
    CopyResult ok;
    ok.ok = true;
    return ok;
}

// The canonical form of a path that may not exist yet: its nearest existing ancestor resolved,
// the missing levels appended.
QString canonicalOfNearest(const QString &path)
{
    QString existing = QFileInfo(path).absoluteFilePath();
    QString missing;
    while (!QFileInfo::exists(existing)) {
        const qsizetype sep = lastSeparatorIndex(existing);
        if (sep <= 0)
            return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        missing.prepend(existing.mid(sep));
        existing = existing.left(sep);
    }
    return QDir::cleanPath(QFileInfo(existing).canonicalFilePath() + missing);
}

} // namespace

CopyResult ShellCopy(const QString &source, const QString &destination)
{
    const QString from = withoutTrailingSeparator(QDir::fromNativeSeparators(source));
    const QString to = withoutTrailingSeparator(QDir::fromNativeSeparators(destination));
    const QFileInfo src(from);
    if (from.isEmpty() || !src.exists())
        return copyFailure(source, QStringLiteral("The file or folder does not exist."));
    if (to.isEmpty())
        return copyFailure(destination, QStringLiteral("No destination was given."));

    if (!src.isDir()) {
        const QFileInfo dst(to);
        return copyEntry(src, dst.isDir() && !dst.isSymLink() ? to + QLatin1Char('/') + src.fileName() : to);
    }

    // A destination inside the source would copy itself without end.
    const QString srcCanonical = src.canonicalFilePath();
    const QString dstCanonical = canonicalOfNearest(to);
    const QString srcPrefix = withTrailingSeparator(srcCanonical, QLatin1Char('/'));
    if (dstCanonical == srcCanonical || dstCanonical.startsWith(srcPrefix))
        return copyFailure(destination, QStringLiteral("The destination lies inside the folder being copied."));

    return copyFolder(from, to);
}

} // namespace tess
