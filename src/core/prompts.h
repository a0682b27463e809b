#pragma once
// The one way every part of the program asks the user something: message boxes, file and folder
// pickers and input boxes. The core declares the seam; the GUI installs the real dialogs and the
// tests install a scripted double that answers from a queue.

#include <QString>
#include <QStringList>
#include <optional>

namespace tess {

// Button sets, icons and default buttons, combined by addition as the program's message texts assume.
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// Answers.
enum MsgResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Title of every box that names none of its own.
inline const QString &appTitle()
{
    static const QString t = QStringLiteral("Tessaline for AutoCAD");
    return t;
}

struct FileFilter {
    QString description; // "Script Files (*.scr)"
};

class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual int message(const QString &text, int style, const QString &title) = 0;
    // Pickers answer std::nullopt when the user cancels.
    virtual std::optional<QString> openFile(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual std::optional<QString> saveFile(const QString &title, const QString &path, const QString &filter) = 0;
    virtual std::optional<QString> folder(const QString &title, const QString &folder) = 0;
    virtual std::optional<QString> input(const QString &prompt, const QString &title, const QString &defaultText) = 0;
};

// Installs the prompter used from now on (not owned); nullptr restores the built-in fallback,
// which prints the text to stderr and answers with the box's default button.
void setPrompter(Prompter *p);
Prompter *prompter();

// The answer of the box's default button (what pressing Enter gives).
int defaultAnswer(int style);

int msgBox(const QString &text, int style = vbOKOnly, const QString &title = QString());
std::optional<QString> pickOpenFile(const QString &title, const QString &folder, const QString &filter = QString());
std::optional<QString> pickSaveFile(const QString &title, const QString &path, const QString &filter = QString());
std::optional<QString> pickFolder(const QString &title, const QString &folder);
std::optional<QString> inputBox(const QString &prompt, const QString &title = QString(),
                                const QString &defaultText = QString());

// "Error <n> (<description>) in procedure <proc> of <Form|Module> <owner>": the box of an
// unexpected failure inside a handler, OK button, with the critical icon unless another (or none,
// vbOKOnly) is given.
void reportUnexpectedError(int number, const QString &description, const QString &procedure, const QString &owner,
                           int icon = vbCritical);

// The boxes of a procedure that fails item by item: one box per message (OK button, no icon, the
// application's title unless another is given), in order. Past the first kSeparateMessageBoxes the
// remaining messages come together in one last box (the first kMessagesInLastBox of them and the
// count of the others), so a failure of hundreds of items never takes hundreds of presses.
inline constexpr qsizetype kSeparateMessageBoxes = 10;
inline constexpr qsizetype kMessagesInLastBox = 20;
void showMessagesOneByOne(const QStringList &messages, const QString &title = QString());

} // namespace tess
