#include "scripts/loadlines.h"

#include "core/pathhelpers.h"

namespace tess {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool endsWithLineBreak(const QString &text)
{
    return text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'));
}

} // namespace

const LoadPickerConfig &loadPickerConfig(LoadLineKind kind)
{
    static const LoadPickerConfig lisp{QStringLiteral("frmLispSelector"), QStringLiteral(" Select .LSP File"),
                                       QStringLiteral("*.lsp"), QStringLiteral(".lsp")};
    static const LoadPickerConfig vba{QStringLiteral("frmVBAselector"), QStringLiteral("Select VBA Routine"),
                                      QStringLiteral("*.dvb"), QStringLiteral(".dvb")};
    return kind == LoadLineKind::Lisp ? lisp : vba;
}

bool acceptsLoadFile(LoadLineKind kind, const QString &fileName)
{
    const QString &ext = loadPickerConfig(kind).extension;
    return fileName.size() > ext.size() && fileName.endsWith(ext, Qt::CaseInsensitive);
}

QString lispLoadCall(const QString &path, Qt::CaseSensitivity paths)
{
    const QChar quote(QLatin1Char('"'));
    QString call = QStringLiteral("(LOAD ") + quote + path + quote + QLatin1Char(')');
    if (paths == Qt::CaseInsensitive)
        call = call.toUpper();
    call.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return call;
}

LoadLineAddition loadLineAddition(LoadLineKind kind, const QString &script, const QString &folder,
                                  const QString &fileName, Qt::CaseSensitivity paths)
{
    LoadLineAddition r;
    if (fileName.isEmpty()) {
        r.error = QStringLiteral("Please select a file first.");
        return r;
    }
    if (folder.contains(QLatin1Char('"')) || fileName.contains(QLatin1Char('"'))) {
        r.error = QStringLiteral("The path holds a double quote (\"), which cannot stand inside the command "
                                 "line:\r\n") +
                  joinPath(folder, fileName) + QStringLiteral("\r\nPlease rename the file or its folder.");
        return r;
    }
    // The folder and the name are joined with "/" whatever the folder ends in, so a drive's root
    // gives D:\/X.LSP, which the line writes as D://X.LSP. The POSIX root alone takes no second
    // separator: a path that begins with two is a network path.
    const QString path = folder == QLatin1String("/") ? folder + fileName : folder + QLatin1Char('/') + fileName;
    const QChar quote(QLatin1Char('"'));
    QString block;
    if (kind == LoadLineKind::Lisp) {
        block = lispLoadCall(path, paths);
    } else {
        const QString macro = QStringLiteral("YOURMODULE.YOURMACRO");
        const QString file = paths == Qt::CaseInsensitive ? path.toUpper() : path;
        QString call = QStringLiteral("(COMMAND ") + quote + QStringLiteral("-VBARUN") + quote + QLatin1Char(' ') +
                       quote + file + QLatin1Char('!') + macro + quote + QLatin1Char(')');
        // Inside an AutoLISP string a backslash is written twice; "/" separators become the same.
        call.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        call.replace(QLatin1Char('/'), QStringLiteral("\\\\"));
        block = QStringLiteral(";REPLACE ") + quote + macro + quote +
                QStringLiteral(" WITH THE APPROPRIATE SUBROUTINE CALL") + kCrLf + call;
    }
    r.ok = true;
    r.text = (script.isEmpty() || endsWithLineBreak(script) ? QString() : kCrLf) + block + kCrLf;
    return r;
}

} // namespace tess
