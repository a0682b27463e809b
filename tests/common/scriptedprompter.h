#pragma once
// The test double of the prompt seam: scripted answers to every box, picker and input box, and a
// record of what was shown.

#include "core/prompts.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace tess::test {

struct ShownMessage {
    QString text;
    int style = 0;
    QString title;
};

// A file or folder picker or an input box as the program asked for it.
struct ShownPicker {
    enum Kind { OpenFile, SaveFile, Folder, Input };
    Kind kind = OpenFile;
    QString title;
    QString folder;      // the folder it opens in; the proposed file of a save picker
    QString filter;      // the file filter of the file pickers
    QString prompt;      // an input box's prompt
    QString defaultText; // an input box's proposed text
};

// Answers boxes and pickers from queues filled by the test. A box or picker that finds its queue
// empty fails the test (QTest::qFail) naming its title, and answers Cancel/No/nothing, so it never
// hangs. Installed for its lifetime; the prompter found at construction is put back afterwards.
class ScriptedPrompter final : public Prompter
{
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;
    ScriptedPrompter(const ScriptedPrompter &) = delete;
    ScriptedPrompter &operator=(const ScriptedPrompter &) = delete;

    void expectMessage(int answer = vbOK) { m_answers.append(answer); }
    // Queues an answer with what the user does before giving it (for instance making a file
    // writable before Retry); `act` runs while the box is shown.
    void expectMessage(int answer, std::function<void()> act)
    {
        m_answers.append(answer);
        m_actions.insert(m_answers.size() - 1 + m_answered, std::move(act));
    }
    // Answer every box with its default button, without failing.
    void answerAllWithDefault(bool on = true) { m_answerDefault = on; }
    void expectOpenFile(std::optional<QString> a) { m_files.append(a); }
    void expectSaveFile(std::optional<QString> a) { m_saves.append(a); }
    void expectFolder(std::optional<QString> a) { m_folders.append(a); }
    void expectInput(std::optional<QString> a) { m_inputs.append(a); }

    // The boxes shown, in order.
    const QList<ShownMessage> &shown() const { return m_shown; }
    ShownMessage last() const { return m_shown.isEmpty() ? ShownMessage() : m_shown.last(); }
    void clearShown() { m_shown.clear(); }
    // The pickers and input boxes shown, in order.
    const QList<ShownPicker> &pickers() const { return m_pickers; }
    ShownPicker lastPicker() const { return m_pickers.isEmpty() ? ShownPicker() : m_pickers.last(); }

    // True when every queued answer was used; otherwise warns with what is left and the boxes and
    // pickers that were shown, by title, so the failing QVERIFY comes with its story.
    bool allUsed() const;
    // What is left unused ("" when nothing), followed by what was shown.
    QString unusedAnswers() const;

    int message(const QString &text, int style, const QString &title) override;
    std::optional<QString> openFile(const QString &title, const QString &folder, const QString &filter) override;
    std::optional<QString> saveFile(const QString &title, const QString &path, const QString &filter) override;
    std::optional<QString> folder(const QString &title, const QString &folder) override;
    std::optional<QString> input(const QString &prompt, const QString &title, const QString &defaultText) override;

private:
    std::optional<QString> answerPicker(QList<std::optional<QString>> &queue, const ShownPicker &shown);

    Prompter *m_previous = nullptr;
    QList<int> m_answers;
    qsizetype m_answered = 0;                          // queued answers used so far
    QHash<qsizetype, std::function<void()>> m_actions; // by the answer's place in the whole queue
    QList<std::optional<QString>> m_files, m_saves, m_folders, m_inputs;
    QList<ShownMessage> m_shown;
    QList<ShownPicker> m_pickers;
    bool m_answerDefault = false;
};

// "file picker \"Open Script\" (folder /x, filter *.scr)": a picker as failure messages name it.
QString describePicker(const ShownPicker &p);

} // namespace tess::test
