#pragma once
// A wizard that writes a block into the user script: the option pair "Append to User Script" /
// "Overwrite" in the frame "Options" and the Create step every such wizard runs.

#include "wizards/wizardwindow.h"

#include <QStringList>
#include <functional>

namespace tess {

class ScriptFacts;

class ScriptWizard : public WizardWindow
{
    Q_OBJECT
public:
    // script: the user script the wizard writes into (not owned).
    ScriptWizard(ScriptFacts *script, const QString &name, const QString &caption, QWidget *parent = nullptr);

    QGroupBox *frameOptions = nullptr;
    QRadioButton *optAppend = nullptr;
    QRadioButton *optOverWrite = nullptr;

    // The writer's texts for the script as it stands now, CR LF between lines.
    using Writer = std::function<QStringList(const QString &script)>;

protected:
    // The option pair in its frame, optAppend selected; the frame is placed with the window's table
    // (its two options sit inside it at fixed places).
    void addOptionPair();
    // The Create step: with Overwrite selected, ConfirmOverwrite first (No: nothing changes);
    // then the writer's texts are assigned to the script one by one, the window hides and
    // ShowWizardDone follows.
    void createScript(const Writer &writer);
    // The assignments, the hide and the closing message, without the question (the plot wizard
    // asks its own).
    void writeScript(const QStringList &texts);
    // Both options' places inside the frame.
    static QList<Placement> optionPairPlacements();

private:
    ScriptFacts *m_script;
};

} // namespace tess
