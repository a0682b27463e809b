#include "core/prompts.h"
#include "core/messages.h"

#include <cstdio>

namespace tess {

namespace {

class FallbackPrompter final : public Prompter
{
public:
    int message(const QString &text, int style, const QString &title) override
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(text));
        return defaultAnswer(style);
    }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> folder(const QString &, const QString &) override { return {}; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
};

FallbackPrompter g_fallback;
Prompter *g_prompter = nullptr;

} // namespace

void setPrompter(Prompter *p) { g_prompter = p; }

Prompter *prompter() { return g_prompter ? g_prompter : &g_fallback; }

int defaultAnswer(int style)
{
    const int buttons = style & 7;
    const int def = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    static const int answers[6][3] = {
        {vbOK, vbOK, vbOK},      {vbOK, vbCancel, vbCancel}, {vbAbort, vbRetry, vbIgnore},
        {vbYes, vbNo, vbCancel}, {vbYes, vbNo, vbNo},        {vbRetry, vbCancel, vbCancel},
    };
    return buttons < 6 ? answers[buttons][def] : vbOK;
}

int msgBox(const QString &text, int style, const QString &title)
{
    return prompter()->message(text, style, title.isEmpty() ? appTitle() : title);
}

std::optional<QString> pickOpenFile(const QString &title, const QString &folder, const QString &filter)
{
    return prompter()->openFile(title, folder, filter);
}

std::optional<QString> pickSaveFile(const QString &title, const QString &path, const QString &filter)
{
    return prompter()->saveFile(title, path, filter);
}

std::optional<QString> pickFolder(const QString &title, const QString &folder)
{
    return prompter()->folder(title, folder);
}

std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    return prompter()->input(prompt, title.isEmpty() ? appTitle() : title, defaultText);
}

void reportUnexpectedError(int number, const QString &description, const QString &procedure, const QString &owner,
                           int icon)
{
    msgBox(unexpectedErrorText(number, description, procedure, owner), vbOKOnly | icon);
}

void showMessagesOneByOne(const QStringList &messages, const QString &title)
{
    for (qsizetype i = 0; i < messages.size() && i < kSeparateMessageBoxes; ++i)
        msgBox(messages.at(i), vbOKOnly, title);
    if (messages.size() <= kSeparateMessageBoxes)
        return;
    const QStringList rest = messages.mid(kSeparateMessageBoxes);
    QStringList shown = rest.mid(0, kMessagesInLastBox);
    if (rest.size() > kMessagesInLastBox)
        shown.append(QStringLiteral("(") + QString::number(rest.size() - kMessagesInLastBox) +
                     QStringLiteral(" more)"));
    msgBox(shown.join(QStringLiteral("\r\n")), vbOKOnly, title);
}

} // namespace tess
