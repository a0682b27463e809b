#include "wizards/tablewizardblocks.h"

#include "wizards/wizardscript.h"

namespace tess {

namespace {

bool onlyBlanks(const QString &text)
{
    for (const QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return false;
    return true; // the empty text too
}

QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

} // namespace

const QStringList &WizardTagChoices()
{
    static const QStringList choices = [] {
        QStringList l{QString(),
                      QStringLiteral("$DATE$"),
                      QStringLiteral("$MM/DD/YY$"),
                      QStringLiteral("$DD/MM/YY$"),
                      QStringLiteral("$YY/MM/DD$"),
                      QStringLiteral("$YYYY$"),
                      QStringLiteral("$YY$"),
                      QStringLiteral("$MM$"),
                      QStringLiteral("$MM-1$"),
                      QStringLiteral("$MM-2$"),
                      QStringLiteral("$MM-3$"),
                      QStringLiteral("$DD$"),
                      QStringLiteral("$TIME_12$"),
                      QStringLiteral("$TIME_24$"),
                      QStringLiteral("$FILENAME$"),
                      QStringLiteral("$FILEPATH$"),
                      QStringLiteral("$FILEPATH-1$"),
                      QStringLiteral("$FILEPATH-2$"),
                      QStringLiteral("$FILEPATH-3$"),
                      QStringLiteral("$FILEDRIVE$"),
                      QStringLiteral("$FILEDRIVE+1$"),
                      QStringLiteral("$FILEDRIVE+2$"),
                      QStringLiteral("$FILEDRIVE+3$"),
                      QStringLiteral("$FIRSTFILECHARS$"),
                      QStringLiteral("$LASTFILECHARS$"),
                      QStringLiteral("$SHEET$"),
                      QStringLiteral("$COUNTER$"),
                      QStringLiteral("$FILECOUNTINQUEUE$"),
                      QStringLiteral("$TSL_PATH$"),
                      QStringLiteral("$USER$"),
                      QStringLiteral("$COMPUTER$")};
        for (int n = 1; n <= 50; ++n)
            l << QStringLiteral("$TAG%1$").arg(n);
        return l;
    }();
    return choices;
}

// ---- Title block ----

bool titleBlockRowFilled(const TitleBlockRows &rows, int index)
{
    return !rows.names[size_t(index)].isEmpty() || !rows.values[size_t(index)].isEmpty();
}

QList<int> titleBlockRowsLeftOut(const TitleBlockRows &rows)
{
    QList<int> out;
    for (int i = 0; i < kWizardRows; ++i)
        if (titleBlockRowFilled(rows, i) && onlyBlanks(singleLineAnswer(rows.names[size_t(i)])))
            out << i + 1;
    return out;
}

QList<int> titleBlockRowsWritten(const TitleBlockRows &rows)
{
    QList<int> out;
    for (int i = 0; i < kWizardRows; ++i)
        if (titleBlockRowFilled(rows, i) && !onlyBlanks(singleLineAnswer(rows.names[size_t(i)])))
            out << i;
    return out;
}

QStringList writeTitleBlockScript(const QString &script, const TitleBlockRows &rows, const QString &programFolder)
{
    ScriptAssignments s(script);
    s.writeLispLoadLine(programFolder, QStringLiteral("TB_WIZ1.LSP"));
    const QString block = quoted(singleLineAnswer(rows.blockName));
    for (const int i : titleBlockRowsWritten(rows)) {
        s.AppendScriptLine(ScriptBlockSeparator());
        s.AppendScriptLine(QStringLiteral("TB_WIZ1"));
        s.AppendScriptLine(block);
        s.AppendScriptLine(singleLineAnswer(rows.names[size_t(i)]));
        s.AppendScriptLine(singleLineAnswer(rows.values[size_t(i)]));
    }
    s.AppendScriptLine(QStringLiteral("REGEN"));
    s.closeBlock();
    return s.texts();
}

// ---- Layouts ----

bool layoutOperationTakesNewName(LayoutOperation op)
{
    return op == LayoutOperation::Copy || op == LayoutOperation::Rename;
}

bool layoutRowCounts(const LayoutRows &rows, int index)
{
    return !rows.tabNames[size_t(index)].isEmpty() || !rows.newNames[size_t(index)].isEmpty();
}

QList<int> layoutRowsLeftOut(const LayoutRows &rows, LayoutOperation op)
{
    QList<int> out;
    if (op != LayoutOperation::Delete)
        return out;
    for (int i = 0; i < kWizardRows; ++i)
        if (layoutRowCounts(rows, i) && onlyBlanks(singleLineAnswer(rows.tabNames[size_t(i)])))
            out << i + 1;
    return out;
}

QStringList writeLayoutScript(const QString &script, const LayoutRows &rows, LayoutOperation op)
{
    ScriptAssignments s(script);
    if (!script.isEmpty() && !script.endsWith(QLatin1Char('\n')) && !script.endsWith(QLatin1Char('\r')))
        s.endLastLine();
    const QString command = [op] {
        switch (op) {
        case LayoutOperation::Copy: return QStringLiteral("COPY");
        case LayoutOperation::Delete: return QStringLiteral("DELETE");
        case LayoutOperation::New: return QStringLiteral("NEW");
        case LayoutOperation::Rename: break;
        }
        return QStringLiteral("RENAME");
    }();
    const QList<int> leftOut = layoutRowsLeftOut(rows, op);
    for (int i = 0; i < kWizardRows; ++i) {
        if (!layoutRowCounts(rows, i) || leftOut.contains(i + 1))
            continue;
        s.AppendScriptLine(ScriptBlockSeparator());
        s.AppendScriptLine(QStringLiteral("-LAYOUT"));
        s.AppendScriptLine(command);
        s.AppendScriptLine(singleLineAnswer(rows.tabNames[size_t(i)]));
        if (layoutOperationTakesNewName(op))
            s.AppendScriptLine(singleLineAnswer(rows.newNames[size_t(i)]));
    }
    s.closeBlock();
    return s.texts();
}

QString rowListText(const QList<int> &rows)
{
    if (rows.isEmpty())
        return QString();
    QStringList numbers;
    for (const int r : rows)
        numbers << QString::number(r);
    if (numbers.size() == 1)
        return QStringLiteral("Row ") + numbers.first();
    const QString last = numbers.takeLast();
    return QStringLiteral("Rows ") + numbers.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

} // namespace tess
