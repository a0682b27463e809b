#include "wizards/wizardscript.h"

#include "core/prompts.h"
#include "scripts/loadlines.h"

namespace tess {

namespace {

const QString &crLf()
{
    static const QString t = QStringLiteral("\r\n");
    return t;
}

} // namespace

QString ScriptBlockSeparator() { return QStringLiteral(";-------------"); }

QString LispLoadLine(const QString &programFolder, const QString &fileName, Qt::CaseSensitivity paths)
{
    return lispLoadCall(programFolder + QStringLiteral("/LISP/") + fileName, paths) + crLf();
}

QString singleLineAnswer(const QString &text)
{
    QString out = text;
    out.remove(QLatin1Char('\r'));
    out.remove(QLatin1Char('\n'));
    out.remove(QChar::LineSeparator);
    out.remove(QChar::ParagraphSeparator);
    return out;
}

void ScriptAssignments::assign(const QString &text)
{
    m_text = text;
    m_texts.append(text);
}

void ScriptAssignments::AppendScriptLine(const QString &line) { assign(m_text + line + crLf()); }

void ScriptAssignments::writeLispLoadLine(const QString &programFolder, const QString &fileName)
{
    const QString load = LispLoadLine(programFolder, fileName);
    assign(m_text.isEmpty() ? load : m_text + crLf() + load);
}

void ScriptAssignments::endLastLine()
{
    if (!m_text.isEmpty())
        assign(m_text + crLf());
}

void ScriptAssignments::closeBlock() { assign(m_text + ScriptBlockSeparator()); }

QStringList createAssignments(const QString &script, bool overwrite,
                              const std::function<QStringList(const QString &script)> &writer)
{
    if (!overwrite)
        return writer(script);
    return QStringList{QString()} + writer(QString());
}

bool ConfirmOverwrite()
{
    const QString text = QStringLiteral("Continuing will overwrite any currently displayed script") + crLf() +
                         QStringLiteral("in the Tessaline user-script editor....") + crLf() + crLf() +
                         QStringLiteral("Continue?") + crLf();
    return msgBox(text, vbYesNo | vbExclamation | vbDefaultButton1, QStringLiteral("Warning")) == vbYes;
}

void ShowWizardDone()
{
    const QString text = QStringLiteral("The Wizard has created the user-script.") + crLf() + crLf() +
                         QStringLiteral("You can now use this script to create a BATCH script.") + crLf() +
                         QStringLiteral("1)  Add your drawings to the queue and press CREATE.");
    msgBox(text, vbOKOnly | vbExclamation, QStringLiteral("Done"));
}

} // namespace tess
