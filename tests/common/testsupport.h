#pragma once
// Test doubles for the seams: scripted answers to every box and picker, a recording launcher and
// a temporary program folder with its own settings file.

#include "core/launcher.h"
#include "core/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace tess::test {

struct ShownMessage {
    QString text;
    int style = 0;
    QString title;
};

// Answers boxes and pickers from queues filled by the test. A box or picker that finds its queue
// empty fails the test (QTest::qFail) and answers Cancel/No/nothing, so it never hangs.
class ScriptedPrompter final : public Prompter
{
public:
    ScriptedPrompter();  // installs itself
    ~ScriptedPrompter(); // restores the fallback

    void expectMessage(int answer = vbOK) { m_answers.append(answer); }
    // Answer every box with its default button, without failing.
    void answerAllWithDefault(bool on = true) { m_answerDefault = on; }
    void expectOpenFile(std::optional<QString> a) { m_files.append(a); }
    void expectSaveFile(std::optional<QString> a) { m_saves.append(a); }
    void expectFolder(std::optional<QString> a) { m_folders.append(a); }
    void expectInput(std::optional<QString> a) { m_inputs.append(a); }

    const QList<ShownMessage> &shown() const { return m_shown; }
    ShownMessage last() const { return m_shown.isEmpty() ? ShownMessage() : m_shown.last(); }
    void clearShown() { m_shown.clear(); }
    // True when every queued answer was used.
    bool allUsed() const
    {
        return m_answers.isEmpty() && m_files.isEmpty() && m_saves.isEmpty() && m_folders.isEmpty() &&
               m_inputs.isEmpty();
    }

    int message(const QString &text, int style, const QString &title) override;
    std::optional<QString> openFile(const QString &title, const QString &folder, const QString &filter) override;
    std::optional<QString> saveFile(const QString &title, const QString &path, const QString &filter) override;
    std::optional<QString> folder(const QString &title, const QString &folder) override;
    std::optional<QString> input(const QString &prompt, const QString &title, const QString &defaultText) override;

private:
    QList<int> m_answers;
    QList<std::optional<QString>> m_files, m_saves, m_folders, m_inputs;
    QList<ShownMessage> m_shown;
    bool m_answerDefault = false;
};

struct LaunchCall {
    QString program;
    QStringList arguments;
    QString workingFolder;
    bool isOpen = false; // a shell "open" of `program`
};

class RecordingLauncher final : public Launcher
{
public:
    RecordingLauncher();  // installs itself
    ~RecordingLauncher(); // restores the default
    LaunchResult start(const QString &program, const QStringList &arguments, const QString &workingFolder) override;
    LaunchResult open(const QString &target) override;

    QList<LaunchCall> calls;
    LaunchResult nextResult{true, false, QString()}; // returned by every call
};

// A program folder of its own (with DATA, SCRIPTS, SCRIPTS-SIMPLE, LISP, BACKUP), a settings INI
// file of its own, and fixed login and computer names. Everything is restored on destruction.
class TempProgramFolder
{
public:
    explicit TempProgramFolder(const QString &login = QStringLiteral("tester"));
    ~TempProgramFolder();

    // Program folder without trailing separator; path() with one.
    QString folder() const;
    QString path() const;
    QString data() const; // …/DATA/
    QString settingsFile() const;
    // Writes a file (bytes as given) relative to the program folder; creates folders.
    QString writeFile(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

// The bytes of a file, or "<missing>" when it cannot be read (so a comparison names the problem).
QByteArray fileBytes(const QString &path);

// The folder of the fixtures (tests/data).
QString dataPath(const QString &relative = QString());

} // namespace tess::test
