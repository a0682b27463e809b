#pragma once
// The reset of AutoCAD's system variables: "&Reset" starts AutoCAD on the reset script of the
// program's DATA folder, "&Edit" opens that script in the text editor, "&Cancel" hides the window.
// Nothing is written into the user script.

#include "wizards/wizardwindow.h"

#include <functional>

namespace tess {

class frmResetAcadSysVars final : public WizardWindow
{
    Q_OBJECT
public:
    explicit frmResetAcadSysVars(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QPushButton *cmdReset = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdCancel = nullptr;

    // Without a valid AutoCAD program: "Setup Issue", then the Options dialog shown modally, owned
    // by this window, so the user can set the program; the reset ends when it closes. The window
    // stays open after a start.
    void cmdReset_Click();
    void cmdEdit_Click();
    void cmdCancel_Click() { hide(); }

    // The AutoCAD program path as the Options dialog holds it (by default the stored AutoCADEXE).
    static void setProgramPathSource(std::function<QString()> source);
    // Shows the Options dialog modally with the given owner; installed by the Options dialog's
    // install step (without one, the reset shows only the message).
    static void setOptionsOpener(std::function<void(QWidget *owner)> opener);
};

} // namespace tess
