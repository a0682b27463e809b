#include "scriptedprompter.h"

#include <QTest>

namespace tess::test {

ScriptedPrompter::ScriptedPrompter() : m_previous(prompter()) { setPrompter(this); }

ScriptedPrompter::~ScriptedPrompter() { setPrompter(m_previous); }

int ScriptedPrompter::message(const QString &text, int style, const QString &title)
{
    m_shown.append({text, style, title});
    if (!m_answers.isEmpty()) {
        if (const std::function<void()> act = m_actions.take(m_answered); act)
            act();
        ++m_answered;
        return m_answers.takeFirst();
    }
    if (m_answerDefault)
        return defaultAnswer(style);
    QTest::qFail(qPrintable(QStringLiteral("unexpected message box [%1]: %2").arg(title, text)), __FILE__, __LINE__);
    const int buttons = style & 7;
    return buttons == vbYesNo ? vbNo : buttons == vbOKOnly ? vbOK : vbCancel;
}

QString describePicker(const ShownPicker &p)
{
    switch (p.kind) {
    case ShownPicker::OpenFile:
        return QStringLiteral("file picker \"%1\" (folder %2, filter %3)").arg(p.title, p.folder, p.filter);
    case ShownPicker::SaveFile:
        return QStringLiteral("save picker \"%1\" (file %2, filter %3)").arg(p.title, p.folder, p.filter);
    case ShownPicker::Folder: return QStringLiteral("folder picker \"%1\" (folder %2)").arg(p.title, p.folder);
    case ShownPicker::Input:
        return QStringLiteral("input box \"%1\" (prompt %2, proposed %3)").arg(p.title, p.prompt, p.defaultText);
    }
    return QString();
}

std::optional<QString> ScriptedPrompter::answerPicker(QList<std::optional<QString>> &queue, const ShownPicker &shown)
{
    m_pickers.append(shown);
    if (!queue.isEmpty())
        return queue.takeFirst();
    QTest::qFail(qPrintable(QStringLiteral("unexpected ") + describePicker(shown)), __FILE__, __LINE__);
    return std::nullopt;
}

std::optional<QString> ScriptedPrompter::openFile(const QString &title, const QString &folder, const QString &filter)
{
    return answerPicker(m_files, {ShownPicker::OpenFile, title, folder, filter, {}, {}});
}

std::optional<QString> ScriptedPrompter::saveFile(const QString &title, const QString &path, const QString &filter)
{
    return answerPicker(m_saves, {ShownPicker::SaveFile, title, path, filter, {}, {}});
}

std::optional<QString> ScriptedPrompter::folder(const QString &title, const QString &folder)
{
    return answerPicker(m_folders, {ShownPicker::Folder, title, folder, {}, {}, {}});
}

std::optional<QString> ScriptedPrompter::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    return answerPicker(m_inputs, {ShownPicker::Input, title, {}, {}, prompt, defaultText});
}

QString ScriptedPrompter::unusedAnswers() const
{
    QStringList left;
    auto pickerAnswers = [&left](const QList<std::optional<QString>> &q, const char *what) {
        for (const std::optional<QString> &a : q)
            left << QStringLiteral("%1 answer %2").arg(QLatin1String(what), a ? *a : QStringLiteral("<cancel>"));
    };
    for (int a : m_answers)
        left << QStringLiteral("message box answer %1").arg(a);
    pickerAnswers(m_files, "file picker");
    pickerAnswers(m_saves, "save picker");
    pickerAnswers(m_folders, "folder picker");
    pickerAnswers(m_inputs, "input box");
    if (left.isEmpty())
        return QString();
    QStringList shown;
    for (const ShownMessage &m : m_shown)
        shown << QStringLiteral("message box \"%1\": %2").arg(m.title, m.text);
    for (const ShownPicker &p : m_pickers)
        shown << describePicker(p);
    return QStringLiteral("unused: ") + left.join(QStringLiteral("; ")) + QStringLiteral(" | shown: ") +
           (shown.isEmpty() ? QStringLiteral("nothing") : shown.join(QStringLiteral("; ")));
}

bool ScriptedPrompter::allUsed() const
{
    const QString left = unusedAnswers();
    if (!left.isEmpty())
        qWarning("%s", qPrintable(left));
    return left.isEmpty();
}

} // namespace tess::test
