#pragma once
// The Options dialog as other parts of the program see it: the boxes they read as the user left
// them (also when "&OK" was never pressed), whether it is on screen, and showing it. The dialog
// installs itself at start; before that, and in tests without it, the applied settings answer and
// showing does nothing.

#include <QString>

class QWidget;

namespace tess {

class OptionsFields
{
public:
    virtual ~OptionsFields() = default;
    // frmOptions.Text1, tbAltOutput, optNormalOutputPath, tbSwitches, tbAutoCadEXE.
    virtual QString normalOutputFile() const;
    virtual QString altOutputFile() const;
    virtual bool normalOutputSelected() const;
    virtual QString switches() const;
    virtual QString autoCadExe() const;
    // True while the dialog is on screen.
    virtual bool isOnScreen() const { return false; }
    // Shows the dialog without waiting for it.
    virtual void showModeless() {}
    // Shows the dialog without waiting for it, on the tab that holds the batch-script output file,
    // with the box of the output in use ready for typing.
    virtual void showOutputSetting() { showModeless(); }
    // Shows the dialog modal, owned by owner, and waits for it.
    virtual void showModal(QWidget *owner) { (void)owner; }
};

void setOptionsFields(OptionsFields *fields); // not owned; nullptr restores the settings' answers
OptionsFields *optionsFields();

} // namespace tess
