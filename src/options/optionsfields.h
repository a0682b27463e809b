#pragma once
// The Options dialog as other parts of the program see it: the boxes they read as the user left
// them (also when "&OK" was never pressed), whether it is on screen, and showing it. The program
// installs a maker at start and the dialog is made at the first use; without either, as in tests
// without the dialog, the applied settings answer and showing does nothing.

#include <QString>

#include <functional>

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
// make: the dialog at the first use of optionsFields() while none is set (not owned; nullptr
// makes nothing).
void setOptionsFieldsMaker(std::function<OptionsFields *()> make);
OptionsFields *optionsFields();

} // namespace tess
