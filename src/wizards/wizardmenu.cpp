#include "wizards/wizardmenu.h"

#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "wizards/frmLOGTextWiz.h"
#include "wizards/frmLayoutWiz.h"
#include "wizards/frmMtextSNR.h"
#include "wizards/frmPageSetupInWiz.h"
#include "wizards/frmPlotWiz.h"
#include "wizards/frmPurgeWiz.h"
#include "wizards/frmRepTextWiz.h"
#include "wizards/frmReportLimitsWiz.h"
#include "wizards/frmResetAcadSysVars.h"
#include "wizards/frmTBWiz.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace tess {

namespace {

// The hourglass on one window (not on the whole program: the wizard it opens shows its own
// pointer) for the lifetime of the guard; the window's pointer is put back as it was.
class WindowWaitCursor
{
public:
    explicit WindowWaitCursor(QWidget *window) : m_window(window)
    {
        if (!m_window)
            return;
        m_had = m_window->testAttribute(Qt::WA_SetCursor);
        m_cursor = m_window->cursor();
        m_window->setCursor(Qt::WaitCursor);
    }
    ~WindowWaitCursor()
    {
        if (!m_window)
            return;
        if (m_had)
            m_window->setCursor(m_cursor);
        else
            m_window->unsetCursor();
    }
    WindowWaitCursor(const WindowWaitCursor &) = delete;
    WindowWaitCursor &operator=(const WindowWaitCursor &) = delete;

private:
    QPointer<QWidget> m_window;
    bool m_had = false;
    QCursor m_cursor;
};

} // namespace

WizardMenu::WizardMenu(QWidget *owner, std::function<ScriptFacts *()> script, DrawingQueue &queue, FileSelection &files)
    : QObject(owner), m_owner(owner), m_script(std::move(script)), m_queue(queue), m_files(files), m_pageSetup([this] {
          return new frmPageSetupInWiz(
              this->script(), [this] { return mainFileLists(); }, m_owner);
      }),
      m_layout([this] { return new frmLayoutWiz(this->script(), m_owner); }), m_titleBlock([this] {
          return new frmTBWiz(
              this->script(), [this] { return m_queue.count(); }, m_owner);
      }),
      m_plot([this] { return new frmPlotWiz(this->script(), m_owner); }),
      m_purge([this] { return new frmPurgeWiz(this->script(), m_owner); }),
      m_limits([this] { return new frmReportLimitsWiz(this->script(), m_owner); }),
      m_logText([this] { return new frmLOGTextWiz(this->script(), m_owner); }),
      m_repText([this] { return new frmRepTextWiz(this->script(), m_owner); }),
      m_mtext([this] { return new frmMtextSNR(this->script(), m_owner); }),
      m_reset([this] { return new frmResetAcadSysVars(m_owner); })
{
}

MainFileLists WizardMenu::mainFileLists() const
{
    return MainFileLists{m_files.drive(), m_files.folder(), m_files.fileListFolder()};
}

template <class Window> void WizardMenu::open(KeptWindow<Window> &window)
{
    window.get()->showModal();
    window.releaseIfUnloaded();
}

void WizardMenu::mnuCopyPageSetups_Click() { open(m_pageSetup); }

void WizardMenu::mnuRenameLayoutTabs_Click()
{
    WindowWaitCursor wait(m_owner);
    open(m_layout);
}

void WizardMenu::mnuTBWiz_Click()
{
    WindowWaitCursor wait(m_owner);
    open(m_titleBlock);
}

void WizardMenu::mnuPlotWiz_Click() { open(m_plot); }

void WizardMenu::mnuPurgeWiz_Click() { open(m_purge); }

void WizardMenu::mnuReportLimitsWiz_Click() { open(m_limits); }

void WizardMenu::mnuReportTextWiz_Click() { open(m_logText); }

void WizardMenu::mnuRepTextWiz_Click() { open(m_repText); }

void WizardMenu::mnuMTEXTSnR_Click() { open(m_mtext); }

void WizardMenu::mnuResetAcadVars_Click() { open(m_reset); }

frmPageSetupInWiz *WizardMenu::pageSetupWizard() const { return m_pageSetup.existing(); }
frmLayoutWiz *WizardMenu::layoutWizard() const { return m_layout.existing(); }
frmTBWiz *WizardMenu::titleBlockWizard() const { return m_titleBlock.existing(); }
frmPlotWiz *WizardMenu::plotWizard() const { return m_plot.existing(); }
frmPurgeWiz *WizardMenu::purgeWizard() const { return m_purge.existing(); }
frmReportLimitsWiz *WizardMenu::limitsWizard() const { return m_limits.existing(); }
frmLOGTextWiz *WizardMenu::logTextWizard() const { return m_logText.existing(); }
frmRepTextWiz *WizardMenu::repTextWizard() const { return m_repText.existing(); }
frmMtextSNR *WizardMenu::mtextWizard() const { return m_mtext.existing(); }
frmResetAcadSysVars *WizardMenu::resetWindow() const { return m_reset.existing(); }

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
