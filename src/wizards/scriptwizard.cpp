#include "wizards/scriptwizard.h"

#include "core/scriptfacts.h"
#include "widgets/boxtext.h"
#include "wizards/wizardscript.h"

#include <QGroupBox>
#include <QRadioButton>

namespace tess {

ScriptWizard::ScriptWizard(ScriptFacts *script, const QString &name, const QString &caption, QWidget *parent)
    : WizardWindow(name, caption, parent), m_script(script)
{
}

void ScriptWizard::addOptionPair()
{
    frameOptions = addFrame(QStringLiteral("frameOptions"), QStringLiteral("Options"));
    optAppend = addOption(QStringLiteral("optAppend"), QStringLiteral("Append to User Script"), true, frameOptions);
    optOverWrite = addOption(QStringLiteral("optOverWrite"), QStringLiteral("Overwrite"), false, frameOptions);
}

QList<Placement> ScriptWizard::optionPairPlacements()
{
    return {{"optAppend", 120, 285, 2295, 255}, {"optOverWrite", 120, 570, 2295, 255}};
}

void ScriptWizard::createScript(const Writer &writer)
{
    const bool overwrite = optOverWrite && optOverWrite->isChecked();
    if (overwrite && !ConfirmOverwrite())
        return;
    const QString script = m_script ? crLfFromBoxText(m_script->scriptText()) : QString();
    writeScript(createAssignments(script, overwrite, writer));
}

void ScriptWizard::writeScript(const QStringList &texts)
{
    if (m_script) {
        // One assignment per text: the script's change handling runs for each.
        for (const QString &text : texts)
            m_script->setScriptText(boxTextFromCrLf(text));
    }
    hide();
    ShowWizardDone();
}

} // namespace tess
