#include "options/frmOptions.h"

#include "core/appenvironment.h"
#include "core/clock.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "core/pathhelpers.h"
#include "core/processhelpers.h"
#include "core/prompts.h"
#include "core/settingsstore.h"
#include "options/frmAutoCADEXEBrowse.h"
#include "options/frmBrowseSCRIPSDir.h"
#include "options/frmSCRDirSelect.h"
#include "options/frmTXTEDITORDirSelect.h"
#include "options/resetandbackup.h"
#include "widgets/escapekey.h"
#include "widgets/placement.h"
#include "widgets/screenplacement.h"
#include "widgets/twips.h"
#include "widgets/waitcursor.h"
#include "widgets/wrapcheckbox.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QWindow>
#include <algorithm>

namespace tess {

namespace {

constexpr int kClientWidth = 6750;
constexpr int kClientHeight = 8880;

template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

// Sets a check box or option only when its value changes, so its handler runs as a click's would.
void setChecked(QAbstractButton *b, bool on)
{
    if (b->isChecked() != on)
        b->setChecked(on);
}

void setText(QLineEdit *b, const QString &text)
{
    if (b->text() != text)
        b->setText(text);
}

int checkedIndex(const QButtonGroup *group) { return group->checkedId(); }

// The folder a picker opens in for a path it is about to fill: the path's folder, "" when none.
QString folderOfPath(const QString &path) { return path.isEmpty() ? QString() : FolderOf(path); }

} // namespace

// ============================================================================================
// Construction
// ============================================================================================

frmOptions::frmOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    // No button answers Escape.
    ignoreEscape(this);
    setWindowTitle(QStringLiteral(" Tessaline Options"));
    // No close, minimize or maximize box: "&OK" is the only way out.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    SSTab1->addTab(buildConfigPage(), QStringLiteral("Config"));
    SSTab1->addTab(buildPrefsPage(), QStringLiteral("Prefs"));
    SSTab1->addTab(buildGuiPage(), QStringLiteral("GUI"));
    SSTab1->addTab(buildLogPage(), QStringLiteral("Log"));
    SSTab1->addTab(buildResetPage(), QStringLiteral("Reset"));
    SSTab1->addTab(buildBackupPage(), QStringLiteral("Backup"));
    SSTab1->setCurrentIndex(0);
    Command2 = button(this, "Command2", QStringLiteral("&OK"));
    const PlacementResult placed =
        placeControls(this, {{"SSTab1", 120, 120, 6510, 7965}, {"Command2", 2625, 8220, 1500, 495}});
    Q_ASSERT_X(placed.missing.isEmpty(), "frmOptions", "a placed control is missing");
    placeFileLimitBox();

    // Enter presses the AutoCAD program's "&Browse" unless a button has the focus.
    cmdBrowseAcadEXE->setDefault(true);

    connect(Command2, &QPushButton::clicked, this, &frmOptions::Command2_Click);
    connect(chkLT, &QCheckBox::toggled, this, &frmOptions::chkLT_Click);
    connect(chkMetaEnable, &QCheckBox::toggled, this, &frmOptions::chkMetaEnable_Click);
    connect(chkAutoSortEnabled, &QCheckBox::toggled, this, &frmOptions::chkAutoSortEnabled_Click);
    connect(cmdBrowseAcadEXE, &QPushButton::clicked, this, &frmOptions::cmdBrowseAcadEXE_Click);
    connect(cmdBrowseSCRDir, &QPushButton::clicked, this, &frmOptions::cmdBrowseSCRDir_Click);
    connect(Command1, &QPushButton::clicked, this, &frmOptions::Command1_Click);
    connect(cmdBrowseSCRIPTSDir, &QPushButton::clicked, this, &frmOptions::cmdBrowseSCRIPTSDir_Click);
    connect(cmdResetRegistry, &QPushButton::clicked, this, &frmOptions::cmdResetRegistry_Click);
    connect(cmdResetQPPos, &QPushButton::clicked, this, &frmOptions::cmdResetQPPos_Click);
    connect(cmdResetSCREditPos, &QPushButton::clicked, this, &frmOptions::cmdResetSCREditPos_Click);
    connect(cmdResetAPPPos, &QPushButton::clicked, this, &frmOptions::cmdResetAPPPos_Click);
    connect(cmdResetDWGPreviewPos, &QPushButton::clicked, this, &frmOptions::cmdResetDWGPreviewPos_Click);
    connect(cmdBackup, &QPushButton::clicked, this, &frmOptions::cmdBackup_Click);
    connect(cmdExploreBackup, &QPushButton::clicked, this, &frmOptions::cmdExploreBackup_Click);
    tbSwitches->installEventFilter(this);
    Text1->installEventFilter(this);
    Label8->installEventFilter(this);
    // Opens in the middle of the screen (and keeps its place while the program runs).
    centreOnScreen(this, parent);
}

frmOptions::~frmOptions() = default;

// ============================================================================================
// Showing
// ============================================================================================

void frmOptions::setOwner(QWidget *owner)
{
    if (!owner)
        return;
    QWidget *top = owner->window();
    top->winId();
    winId();
    if (windowHandle() && top->windowHandle() && top != this)
        windowHandle()->setTransientParent(top->windowHandle());
}

void frmOptions::showModal(QWidget *owner)
{
    if (isVisible()) {
        // Already open (modal or not): brought to the front instead of a second, nested opening.
        raise();
        activateWindow();
        return;
    }
    setOwner(owner ? owner : m_owner);
    exec();
}

void frmOptions::showModeless()
{
    if (!isVisible()) {
        setOwner(m_owner);
        show();
    }
    raise();
    activateWindow();
}

void frmOptions::showOutputSetting()
{
    QLineEdit *box = outputFileBox();
    showTabOf(box);
    showModeless();
    box->setFocus(Qt::OtherFocusReason);
}

QString frmOptions::normalOutputFile() const { return Text1->text(); }
QString frmOptions::altOutputFile() const { return tbAltOutput->text(); }
bool frmOptions::normalOutputSelected() const { return optNormalOutputPath->isChecked(); }
QString frmOptions::switches() const { return tbSwitches->text(); }
QString frmOptions::autoCadExe() const { return tbAutoCadEXE->text(); }

// ============================================================================================
// Load and values
// ============================================================================================

void frmOptions::Form_Load(const MainSettings &settings)
{
    const MainSettings s = settings; // the handlers below may change the program's settings
    setChecked(s.OutputToDefaultPath == 1 ? optNormalOutputPath : optAltOutputPath, true);
    setChecked(chkLT, s.LT == 1);
    UpdateButtons();
    SetMenus();
    setText(tbAutoCadEXE, s.AutoCADEXE);
    setText(tbSwitches, s.Switches);
    setText(Text1, s.SCROutputPathNorm);
    setText(tbAltOutput, s.SCROutputPathAlt);
    setText(tbScriptDir, s.SCRIPTSDir);
    setChecked(optScriptDirDefault[s.SCRIPTSPathOption ? 1 : 0], true);
    setText(Text2, s.TextEditor);
    setChecked(Check1, s.AutoLaunchEditor != 0);
    setChecked(chkFavorites, s.AutoADDFavorites != 0);
    tbDelay->setEnabled(s.EnableDelay == 1);
    setChecked(chkShowPreview, s.DWGPreviewShow != 0);
    setChecked(chkAutoSortEnabled, s.AutoSortEnabled != 0);
    UpdateSortOptions();
    setChecked(chkAutoMinimize, s.AutoMinimize != 0);
    setChecked(chkWarnBlankLine, s.WarnBlankLine != 0);
    setChecked(chkWarnDoubleSpace, s.WarnDoubleSpace != 0);
    setChecked(chkWarnLineEndsWithSpace, s.WarnLineEndsWithSpace != 0);
    setChecked(chkWarnLTLisp, s.WarnLTLisp != 0);
    setChecked(chkWarnSpaceInBlank, s.WarnSpaceInBlank != 0);
    setChecked(chkVerifyFilesInQueue, s.VerifyFilesBit != 0);
    setChecked(chkWarnFolderNotExist, s.WarnFoldersNotExist != 0);
    setChecked(chkMetaEnable, s.METAEnabled != 0);
    // "Enable Live META Update" is never ticked while it is disabled.
    setChecked(chkMetaImmediate, s.METAImmediate != 0 && chkMetaImmediate->isEnabled());
    setChecked(chkResourcesStarved, s.ResourceWarning != 0);
    setText(tbResourceFileLimit, QString::number(s.ResourceFileLimit));
    setChecked(chkScanForRogueTags, s.ScanForRogueTags != 0);
    setChecked(chkEnableLogging, s.EnableLogging != 0);
    setText(tbOpenOther, s.OpenOther);
    // What the main window's load puts into the dialog: the delay, the load method, the sort type.
    setText(tbDelay, s.Delay);
    if (s.LoadOpen >= 0 && s.LoadOpen <= 3)
        setChecked(optLoadOpen[s.LoadOpen], true);
    if (s.AutoSortType >= 0 && s.AutoSortType <= 3)
        setChecked(optSort[s.AutoSortType], true);
}

OptionsValues frmOptions::values() const
{
    OptionsValues v;
    v.lt = chkLT->isChecked();
    v.autoCadExe = tbAutoCadEXE->text();
    v.switches = tbSwitches->text();
    v.scriptDirOther = optScriptDirDefault[1]->isChecked();
    v.scriptDir = tbScriptDir->text();
    v.normalOutput = optNormalOutputPath->isChecked();
    v.normalOutputFile = Text1->text();
    v.altOutputFile = tbAltOutput->text();
    v.textEditor = Text2->text();
    v.loadOpen = checkedIndex(m_loadGroup);
    v.openOther = tbOpenOther->text();
    v.warnDoubleSpace = chkWarnDoubleSpace->isChecked();
    v.warnBlankLine = chkWarnBlankLine->isChecked();
    v.warnSpaceInBlank = chkWarnSpaceInBlank->isChecked();
    v.warnLineEndsWithSpace = chkWarnLineEndsWithSpace->isChecked();
    v.warnFolderNotExist = chkWarnFolderNotExist->isChecked();
    v.verifyFiles = chkVerifyFilesInQueue->isChecked();
    v.scanForRogueTags = chkScanForRogueTags->isChecked();
    v.resourceWarning = chkResourcesStarved->isChecked();
    v.resourceFileLimit = tbResourceFileLimit->text();
    v.warnLtLisp = chkWarnLTLisp->isChecked();
    v.autoAddFavorites = chkFavorites->isChecked();
    v.delay = tbDelay->text();
    v.delayEditable = tbDelay->isEnabled();
    v.showPreview = chkShowPreview->isChecked();
    v.autoSortEnabled = chkAutoSortEnabled->isChecked();
    v.autoSortType = checkedIndex(m_sortGroup);
    v.metaEnabled = chkMetaEnable->isChecked();
    v.metaImmediate = chkMetaImmediate->isChecked();
    v.autoMinimize = chkAutoMinimize->isChecked();
    v.autoLaunchEditor = Check1->isChecked();
    v.enableLogging = chkEnableLogging->isChecked();
    return v;
}

// ============================================================================================
// "&OK"
// ============================================================================================

void frmOptions::Command2_Click()
{
    // The name check the focus skipped on its way to this button.
    if (m_nameCheckForOk) {
        m_nameCheckForOk = false;
        Text1_LostFocus();
    }
    // Every field is checked before anything is applied.
    if (const std::optional<OptionsRefusal> refusal = checkOptions(values())) {
        refuse(*refusal);
        return;
    }
    QWidget *scriptsField = optScriptDirDefault[1]->isChecked() ? static_cast<QWidget *>(tbScriptDir)
                                                                : static_cast<QWidget *>(optScriptDirDefault[0]);
    if (offerMissingFolder(chosenScriptsFolder(values()), QStringLiteral("User Scripts"), scriptsField) !=
        FolderOffer::Ready) {
        scriptsField->setFocus(Qt::OtherFocusReason);
        return;
    }

    if (optAltOutputPath->isChecked() &&
        msgBox(QStringLiteral("Your Alternate Output path has been selected as active, are you sure?"),
               vbYesNo | vbQuestion | vbDefaultButton2, QStringLiteral("Really?")) != vbYes)
        optNormalOutputPath->setChecked(true);
    // The batch script is written into a folder that should be there (a name alone is left as it is).
    // No keeps the path as typed (a drive that is not mounted now); only a failed creation stays here.
    QLineEdit *output = outputFileBox();
    const QString outputFolder = FolderOf(output->text());
    if (!outputFolder.isEmpty() && offerMissingFolder(withoutTrailingSeparator(outputFolder),
                                                      QStringLiteral("batch script"), output) == FolderOffer::Failed) {
        output->setFocus(Qt::OtherFocusReason);
        return;
    }

    const OptionsValues v = withEmptyBoxesFilled(values());
    setText(tbDelay, v.delay);
    setText(tbResourceFileLimit, v.resourceFileLimit);
    MainSettings &s = mainSettings();
    applyOptions(v, s);
    const QStringList unwritten = storeOptions(v, s);

    accept(); // hides the dialog; a modal opening ends here
    SetMenus();
    if (m_host.settingsApplied)
        m_host.settingsApplied();
    if (!unwritten.isEmpty())
        reportUnwrittenKeys(unwritten);
}

QWidget *frmOptions::fieldWidget(OptionsField field) const
{
    switch (field) {
    case OptionsField::Switches: return tbSwitches;
    case OptionsField::ScriptDir: return tbScriptDir;
    case OptionsField::ResourceFileLimit: return tbResourceFileLimit;
    case OptionsField::Delay: return tbDelay;
    }
    return nullptr;
}

void frmOptions::refuse(const OptionsRefusal &refusal)
{
    QWidget *field = fieldWidget(refusal.field);
    showTabOf(field);
    m_inBoxCheck = true;
    msgBox(refusal.message, vbOKOnly | vbExclamation, appTitle());
    m_inBoxCheck = false;
    field->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
}

void frmOptions::showTabOf(QWidget *field)
{
    for (int i = 0; i < SSTab1->count(); ++i)
        if (SSTab1->widget(i)->isAncestorOf(field))
            SSTab1->setCurrentIndex(i);
}

frmOptions::FolderOffer frmOptions::offerMissingFolder(const QString &folder, const QString &what, QWidget *field)
{
    if (QFileInfo(folder).isDir())
        return FolderOffer::Ready;
    showTabOf(field);
    FolderOffer answer = FolderOffer::Declined;
    m_inBoxCheck = true;
    if (msgBox(QStringLiteral("The folder for your ") + what + QStringLiteral(" does not exist:\r\n") + folder +
                   QStringLiteral("\r\n\r\nCreate it now?"),
               vbYesNo | vbQuestion, appTitle()) == vbYes) {
        answer = MakeFolderPath(folder) && QFileInfo(folder).isDir() ? FolderOffer::Ready : FolderOffer::Failed;
        if (answer == FolderOffer::Failed)
            msgBox(QStringLiteral("The folder could not be created:\r\n") + folder, vbOKOnly | vbExclamation,
                   appTitle());
    }
    m_inBoxCheck = false;
    return answer;
}

QLineEdit *frmOptions::outputFileBox() const { return optNormalOutputPath->isChecked() ? Text1 : tbAltOutput; }

void frmOptions::reportUnwrittenKeys(const QStringList &keys)
{
    const QString reason = SettingsStore::instance().lastError();
    msgBox(QStringLiteral("These options could not be stored:\r\n") + keys.join(QStringLiteral("\r\n")) +
               (reason.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + reason),
           vbOKOnly | vbExclamation, appTitle());
}

// ============================================================================================
// Dependent controls
// ============================================================================================

void frmOptions::SetMenus()
{
    if (m_host.setMenus)
        m_host.setMenus(mainSettings().LT != 1);
}

void frmOptions::UpdateButtons()
{
    if (chkMetaEnable->isChecked()) {
        chkMetaImmediate->setEnabled(true);
    } else {
        setChecked(chkMetaImmediate, false);
        chkMetaImmediate->setEnabled(false);
    }
}

void frmOptions::UpdateSortOptions()
{
    for (QRadioButton *o : optSort)
        o->setEnabled(chkAutoSortEnabled->isChecked());
}

void frmOptions::chkLT_Click()
{
    const bool lt = chkLT->isChecked();
    optLoadOpen[0]->setText(loadOpenCaption(0, lt));
    optLoadOpen[1]->setText(loadOpenCaption(1, lt));
}

// ============================================================================================
// Checks while editing
// ============================================================================================

bool frmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (watched == tbSwitches || watched == Text1)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // Another window taking the focus (a message box, a picker, another program) is no leaving.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            QWidget *leaving = static_cast<QWidget *>(watched);
            QMetaObject::invokeMethod(
                this, [this, leaving] { focusLeft(leaving); }, Qt::QueuedConnection);
        }
    } else if (watched == Label8 && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            Label8_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::focusLeft(QWidget *leaving)
{
    if (m_inBoxCheck || !isVisible())
        return;
    QWidget *to = QApplication::focusWidget();
    if (!to || to == leaving || to->window() != this)
        return;
    if (to == Command2) {
        // "&OK" checks the switches itself, and shows the name check before it applies.
        if (leaving == Text1)
            m_nameCheckForOk = true;
        return;
    }
    if (leaving == tbSwitches)
        tbSwitches_LostFocus();
    else
        Text1_LostFocus();
}

void frmOptions::tbSwitches_LostFocus()
{
    if (switchesAreValid(tbSwitches->text()) || m_inBoxCheck)
        return;
    m_inBoxCheck = true;
    msgBox(switchesMessage(), vbOKOnly | vbExclamation, appTitle());
    SSTab1->setCurrentIndex(0);
    tbSwitches->setFocus(Qt::OtherFocusReason);
    m_inBoxCheck = false;
}

void frmOptions::Text1_LostFocus()
{
    if (outputNameIsBatchScript(Text1->text()) || m_inBoxCheck)
        return;
    m_inBoxCheck = true;
    msgBox(outputNameMessage(), vbOKOnly, appTitle());
    m_inBoxCheck = false;
}

void frmOptions::closeEvent(QCloseEvent *event)
{
    // No close box: "&OK" is the only way out for the user. The program closing its windows at
    // its end is let through.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

// ============================================================================================
// Browse buttons and the add-on link
// ============================================================================================

frmAutoCADEXEBrowse *frmOptions::autoCadPicker()
{
    if (!m_autoCadPicker)
        m_autoCadPicker = std::make_unique<frmAutoCADEXEBrowse>(tbAutoCadEXE, Text1, this);
    return m_autoCadPicker.get();
}

frmSCRDirSelect *frmOptions::outputFolderPicker()
{
    if (!m_outputPicker)
        m_outputPicker = std::make_unique<frmSCRDirSelect>(Text1, tbAltOutput, optNormalOutputPath, this);
    return m_outputPicker.get();
}

frmTXTEDITORDirSelect *frmOptions::textEditorPicker()
{
    if (!m_editorPicker)
        m_editorPicker = std::make_unique<frmTXTEDITORDirSelect>(Text2, this);
    return m_editorPicker.get();
}

frmBrowseSCRIPSDir *frmOptions::scriptFolderPicker()
{
    if (!m_scriptPicker)
        m_scriptPicker = std::make_unique<frmBrowseSCRIPSDir>(tbScriptDir, this);
    return m_scriptPicker.get();
}

void frmOptions::cmdBrowseAcadEXE_Click() { autoCadPicker()->openAt(folderOfPath(tbAutoCadEXE->text())); }

void frmOptions::cmdBrowseSCRDir_Click()
{
    // The folder of the output file in use, else the AutoCAD program's.
    QString start = folderOfPath(optNormalOutputPath->isChecked() ? Text1->text() : tbAltOutput->text());
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = folderOfPath(tbAutoCadEXE->text());
    outputFolderPicker()->openAt(start);
}

void frmOptions::Command1_Click()
{
    // The editor's folder; an editor named without one is looked up on the search path.
    QString program = splitCommandLine(Text2->text().trimmed()).program;
    if (!program.isEmpty() && lastSeparatorIndex(program) < 0)
        program = QDir::toNativeSeparators(QStandardPaths::findExecutable(program));
    textEditorPicker()->openAt(folderOfPath(program));
}

void frmOptions::cmdBrowseSCRIPTSDir_Click()
{
    QString start = tbScriptDir->text();
    if (start.isEmpty() && m_host.scriptsFolderInUse)
        start = m_host.scriptsFolderInUse();
    scriptFolderPicker()->openAt(start);
}

void frmOptions::Label8_Click() { OpenWithAssociatedProgram(tess::addOnAddress()); }

// ============================================================================================
// "Reset"
// ============================================================================================

void frmOptions::cmdResetRegistry_Click()
{
    if (msgBox(QStringLiteral("By Pressing YES, you confirm that you want your Tessaline Registry settings reset."),
               vbYesNo | vbExclamation | vbDefaultButton2, messageTitle()) != vbYes)
        return;
    if (!deleteSettingsSections()) {
        const QString reason = SettingsStore::instance().lastError();
        msgBox(QStringLiteral("The settings could not be reset.") +
                   (reason.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + reason),
               vbOKOnly | vbCritical, messageTitle());
        return;
    }
    msgBox(QStringLiteral("Reset Complete.... \r\n Tessaline will NOW SHUTDOWN ... THEN PLEASE RESTART TESSALINE!"),
           vbOKOnly | vbExclamation, messageTitle());
    hide();
    if (m_host.endProgram)
        m_host.endProgram();
}

void frmOptions::cmdResetQPPos_Click()
{
    const QStringList unwritten = resetQuickPickPositionKeys();
    if (!unwritten.isEmpty())
        reportUnwrittenKeys(unwritten);
}

void frmOptions::cmdResetSCREditPos_Click()
{
    const QStringList unwritten = resetScriptEditorPositionKeys();
    if (!unwritten.isEmpty())
        reportUnwrittenKeys(unwritten);
}

void frmOptions::cmdResetAPPPos_Click()
{
    // A minimized or maximized window keeps its place, silently.
    if (m_host.placeMainWindow)
        m_host.placeMainWindow(MainWindowResetPlace::left, MainWindowResetPlace::top, MainWindowResetPlace::width,
                               MainWindowResetPlace::height);
}

void frmOptions::cmdResetDWGPreviewPos_Click()
{
    // Only the preview moves; the dialog stays as it was opened.
    const QStringList unwritten = resetPreviewPositionKeys();
    if (m_host.placePreview)
        m_host.placePreview(kPreviewResetLeft, kPreviewResetTop);
    if (!unwritten.isEmpty())
        reportUnwrittenKeys(unwritten);
}

// ============================================================================================
// "Backup"
// ============================================================================================

void frmOptions::cmdBackup_Click()
{
    const QDateTime moment = Clock::now(); // the moment of the click, before the question
    const QString source =
        m_host.scriptsFolderInUse ? m_host.scriptsFolderInUse() : AppEnvironment::subFolder(QStringLiteral("SCRIPTS"));
    const BackupPlan plan = planScriptsBackup(source, moment);
    if (msgBox(QStringLiteral("Back up your User Scripts now?\r\n\r\nFrom: ") + plan.source +
                   QStringLiteral("\r\nTo: ") + plan.target,
               vbYesNo | vbExclamation | vbDefaultButton2, messageTitle()) != vbYes)
        return;
    BackupResult r;
    {
        WaitCursor wait;
        r = runScriptsBackup(plan);
    }
    if (!r.ok) {
        msgBox(QStringLiteral("The backup could not be completed; nothing was kept:\r\n") + r.failedPath +
                   QStringLiteral("\r\n") + r.reason,
               vbOKOnly | vbCritical, messageTitle());
        return;
    }
    QString text = QStringLiteral("Backup Complete.... ");
    if (!r.linksSkipped.isEmpty())
        text +=
            QStringLiteral("\r\n\r\nThese links were not copied:\r\n") + r.linksSkipped.join(QStringLiteral("\r\n"));
    if (!r.specialSkipped.isEmpty())
        text +=
            QStringLiteral("\r\n\r\nThese are not regular files (pipes, devices or sockets) and were not copied:\r\n") +
            r.specialSkipped.join(QStringLiteral("\r\n"));
    msgBox(text, vbOKOnly | vbExclamation, messageTitle());
}

void frmOptions::cmdExploreBackup_Click()
{
    const QString folder = AppEnvironment::subFolder(QStringLiteral("BACKUP"));
    MakeFolderPath(folder);
    RunCommandLine(QStringLiteral("explorer.exe /n,/e, ") + folder, 1);
}

} // namespace tess
