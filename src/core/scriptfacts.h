#pragma once
// What the main window needs to know of the user script, whichever pane shows it: whether it is
// empty, whether its Read-Only box is ticked, and its text and name for the state files and the
// User Sets. The script pane's install step provides it; the main window never looks into the
// pane's controls.

#include <QString>

namespace tess {

class ScriptFacts
{
public:
    virtual ~ScriptFacts() = default;
    virtual bool scriptIsEmpty() const = 0;
    virtual bool readOnlyTicked() const = 0;
    // The script text ("\n" between lines) and its name without extension.
    virtual QString scriptText() const = 0;
    virtual QString scriptName() const = 0;
    // Both run the pane's own change rules, as a user's edit would.
    virtual void setScriptText(const QString &text) = 0;
    virtual void setScriptName(const QString &name) = 0;
};

} // namespace tess
