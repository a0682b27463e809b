#pragma once
// The real dialogs behind the prompt seam: message boxes, file and folder pickers, input boxes.

#include "core/prompts.h"

namespace tess {

class UiPrompter final : public Prompter
{
public:
    int message(const QString &text, int style, const QString &title) override;
    std::optional<QString> openFile(const QString &title, const QString &folder, const QString &filter) override;
    std::optional<QString> saveFile(const QString &title, const QString &path, const QString &filter) override;
    std::optional<QString> folder(const QString &title, const QString &folder) override;
    std::optional<QString> input(const QString &prompt, const QString &title, const QString &defaultText) override;
};

// Installs the real prompter and the real launcher (UiLauncher) for the running program.
void installUiSeams();

} // namespace tess
