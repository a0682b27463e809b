#pragma once
// The openers of the wizard windows behind the "&Wizards" menu and the Tools entry of the reset.
// Each window is created on its first opening and shown modally, owned by the main window; a
// window hidden by its buttons is kept with its fields, one closed by its close box is discarded,
// so its next opening starts from its initial values.

#include "widgets/keptwindow.h"
#include "wizards/frmPageSetupWizSelect.h"

#include <QObject>
#include <QStringList>
#include <functional>

class QMenu;

namespace tess {

class ScriptFacts;
class frmLOGTextWiz;
class frmLayoutWiz;
class frmMtextSNR;
class frmPageSetupInWiz;
class frmPlotWiz;
class frmPurgeWiz;
class frmRepTextWiz;
class frmReportLimitsWiz;
class frmResetAcadSysVars;
class frmTBWiz;

class DrawingQueue;
class FileSelection;

class WizardMenu final : public QObject
{
    Q_OBJECT
public:
    // owner: the main window, which owns every wizard window.
    // script: the user script the wizards write into (null before it exists); queue and files:
    // the main window's queue and file selection.
    WizardMenu(QWidget *owner, std::function<ScriptFacts *()> script, DrawingQueue &queue, FileSelection &files);

    void mnuCopyPageSetups_Click();
    // The title-block and layout wizards: the main window shows the hourglass until the wizard
    // has been hidden or closed.
    void mnuRenameLayoutTabs_Click();
    void mnuTBWiz_Click();
    void mnuPlotWiz_Click();
    void mnuPurgeWiz_Click();
    void mnuReportLimitsWiz_Click();
    void mnuReportTextWiz_Click();
    void mnuRepTextWiz_Click();
    void mnuMTEXTSnR_Click();
    void mnuResetAcadVars_Click();

    // The windows while they exist (nullptr before the first opening and after a discard).
    frmPageSetupInWiz *pageSetupWizard() const;
    frmLayoutWiz *layoutWizard() const;
    frmTBWiz *titleBlockWizard() const;
    frmPlotWiz *plotWizard() const;
    frmPurgeWiz *purgeWizard() const;
    frmReportLimitsWiz *limitsWizard() const;
    frmLOGTextWiz *logTextWizard() const;
    frmRepTextWiz *repTextWizard() const;
    frmMtextSNR *mtextWizard() const;
    frmResetAcadSysVars *resetWindow() const;

    // The entries of the "&Wizards" menu that need AutoLISP or VBA, which AutoCAD LT lacks.
    static const QStringList &lispMenuNames();
    // SetMenus: those entries of the menu disabled while lt is 1, enabled otherwise.
    static void SetMenus(QMenu *wizards, int lt);

private:
    // Shows the window, creating it first when needed; discards it when its close box closed it.
    template <class Window> static void open(KeptWindow<Window> &window);
    ScriptFacts *script() const { return m_script ? m_script() : nullptr; }
    MainFileLists mainFileLists() const;

    QWidget *m_owner;
    std::function<ScriptFacts *()> m_script;
    DrawingQueue &m_queue;
    FileSelection &m_files;
    KeptWindow<frmPageSetupInWiz> m_pageSetup;
    KeptWindow<frmLayoutWiz> m_layout;
    KeptWindow<frmTBWiz> m_titleBlock;
    KeptWindow<frmPlotWiz> m_plot;
    KeptWindow<frmPurgeWiz> m_purge;
    KeptWindow<frmReportLimitsWiz> m_limits;
    KeptWindow<frmLOGTextWiz> m_logText;
    KeptWindow<frmRepTextWiz> m_repText;
    KeptWindow<frmMtextSNR> m_mtext;
    KeptWindow<frmResetAcadSysVars> m_reset;
};

} // namespace tess
