#include "wizards/wizardmenu.h"

#include "wizards/frmLOGTextWiz.h"
#include "wizards/frmMtextSNR.h"
#include "wizards/frmPageSetupInWiz.h"
#include "wizards/frmPlotWiz.h"
#include "wizards/frmPurgeWiz.h"
#include "wizards/frmRepTextWiz.h"
#include "wizards/frmReportLimitsWiz.h"
#include "wizards/frmResetAcadSysVars.h"

#include <QAction>
#include <QMenu>

namespace tess {

WizardMenu::WizardMenu(QWidget *owner, WizardMenuHooks hooks)
    : QObject(owner), m_owner(owner), m_hooks(std::move(hooks))
{
}

template <class Window, class Make> void WizardMenu::open(QPointer<Window> &slot, Make make)
{
    if (!slot)
        slot = make();
    slot->showModal();
    if (slot && slot->isDiscarded()) {
        slot->deleteLater();
        slot.clear();
    }
}

void WizardMenu::mnuCopyPageSetups_Click()
{
    open(m_pageSetup, [this] { return new frmPageSetupInWiz(script(), m_hooks.mainFileLists, m_owner); });
}

void WizardMenu::mnuPlotWiz_Click()
{
    open(m_plot, [this] { return new frmPlotWiz(script(), m_owner); });
}

void WizardMenu::mnuPurgeWiz_Click()
{
    open(m_purge, [this] { return new frmPurgeWiz(script(), m_owner); });
}

void WizardMenu::mnuReportLimitsWiz_Click()
{
    open(m_limits, [this] { return new frmReportLimitsWiz(script(), m_owner); });
}

void WizardMenu::mnuReportTextWiz_Click()
{
    open(m_logText, [this] { return new frmLOGTextWiz(script(), m_owner); });
}

void WizardMenu::mnuRepTextWiz_Click()
{
    open(m_repText, [this] { return new frmRepTextWiz(script(), m_owner); });
}

void WizardMenu::mnuMTEXTSnR_Click()
{
    open(m_mtext, [this] { return new frmMtextSNR(script(), m_owner); });
}

void WizardMenu::mnuResetAcadVars_Click()
{
    open(m_reset, [this] { return new frmResetAcadSysVars(m_owner); });
}

frmPageSetupInWiz *WizardMenu::pageSetupWizard() const { return m_pageSetup; }
frmPlotWiz *WizardMenu::plotWizard() const { return m_plot; }
frmPurgeWiz *WizardMenu::purgeWizard() const { return m_purge; }
frmReportLimitsWiz *WizardMenu::limitsWizard() const { return m_limits; }
frmLOGTextWiz *WizardMenu::logTextWizard() const { return m_logText; }
frmRepTextWiz *WizardMenu::repTextWizard() const { return m_repText; }
frmMtextSNR *WizardMenu::mtextWizard() const { return m_mtext; }
frmResetAcadSysVars *WizardMenu::resetWindow() const { return m_reset; }

const QStringList &WizardMenu::lispMenuNames()
{
    static const QStringList names{QStringLiteral("mnuReportLimitsWiz"), QStringLiteral("mnuReportTextWiz"),
                                   QStringLiteral("mnuRepTextWiz"), QStringLiteral("mnuMTEXTSnR"),
                                   QStringLiteral("mnuTBWiz")};
    return names;
}

void WizardMenu::SetMenus(QMenu *wizards, int lt)
{
    if (!wizards)
        return;
    for (QAction *a : wizards->actions())
        if (lispMenuNames().contains(a->objectName()))
            a->setEnabled(lt != 1);
}

} // namespace tess
