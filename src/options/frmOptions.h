#pragma once
// The Options dialog " Tessaline Options": six tabs of program-wide options ("Config", "Prefs",
// "GUI", "Log", "Reset", "Backup") and "&OK", its only way out. Made hidden once at start and kept
// for the whole run; its boxes keep what the user typed between openings. "&OK" checks every field
// first and, when all can be applied, copies them into MainSettings, writes them to the settings
// store and hides the dialog. The reset and backup buttons act at once.
//
// The dialog knows the rest of the program only through its host (OptionsHost), so it runs alone
// in tests.

#include "options/optionsfields.h"
#include "options/optionsvalues.h"

#include <QDialog>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tess {

class frmAutoCADEXEBrowse;
class frmBrowseSCRIPSDir;
class frmSCRDirSelect;
class frmTXTEDITORDirSelect;
class WrapCheckBox;
struct MainSettings;

struct OptionsHost {
    // SetMenus: the Wizards items that need AutoLISP on (true) or off.
    std::function<void(bool lispOn)> setMenus;
    // "&OK" applied and stored the options: every window shows them now.
    std::function<void()> settingsApplied;
    // The main window to the reset place and size (twips); false when it cannot move (minimized or
    // maximized).
    std::function<bool(int left, int top, int width, int height)> placeMainWindow;
    // Moves the drawing preview to a place in twips when it is on screen.
    std::function<void(int left, int top)> placePreview;
    // After the settings store was emptied: the per-user state files are written and the program
    // ends without storing its settings.
    std::function<void()> endProgram;
    // The user-script folder in use (the one the script list shows).
    std::function<QString()> scriptsFolderInUse;
};

class frmOptions final : public QDialog, public OptionsFields
{
    Q_OBJECT
public:
    explicit frmOptions(QWidget *parent = nullptr);
    ~frmOptions() override;

    void setHost(const OptionsHost &host) { m_host = host; }
    // The window the dialog stands above when a caller names none.
    void setDefaultOwner(QWidget *owner) { m_owner = owner; }

    // ---- Showing ----
    // Modal over the owner (the default owner when none): returns when "&OK" hides the dialog. When
    // the dialog is on screen already it is brought to the front instead.
    void showModal(QWidget *owner = nullptr) override;
    // Shown without waiting (OptionsFields).
    void showModeless() override;
    // Shown without waiting on the "Config" tab, the box of the output file in use focused.
    void showOutputSetting() override;
    bool isOnScreen() const override { return isVisible(); }

    // ---- The boxes other windows read (OptionsFields) ----
    QString normalOutputFile() const override;
    QString altOutputFile() const override;
    bool normalOutputSelected() const override;
    QString switches() const override;
    QString autoCadExe() const override;

    // Every control from the settings (the dialog's load, once per run).
    void Form_Load(const MainSettings &s);
    // The controls as plain data.
    OptionsValues values() const;

    // ---- Public operations ----
    void SetMenus();
    void UpdateButtons();

    // ---- Handlers ----
    void Command2_Click();
    void chkLT_Click();
    void chkMetaEnable_Click() { UpdateButtons(); }
    void chkAutoSortEnabled_Click() { UpdateSortOptions(); }
    void tbSwitches_LostFocus();
    void Text1_LostFocus();
    void cmdBrowseAcadEXE_Click();
    void cmdBrowseSCRDir_Click();
    void Command1_Click();
    void cmdBrowseSCRIPTSDir_Click();
    void Label8_Click();
    void cmdResetRegistry_Click();
    void cmdResetQPPos_Click();
    void cmdResetSCREditPos_Click();
    void cmdResetAPPPos_Click();
    void cmdResetDWGPreviewPos_Click();
    void cmdBackup_Click();
    void cmdExploreBackup_Click();

    // The pickers, made on first use and kept.
    frmAutoCADEXEBrowse *autoCadPicker();
    frmSCRDirSelect *outputFolderPicker();
    frmTXTEDITORDirSelect *textEditorPicker();
    frmBrowseSCRIPSDir *scriptFolderPicker();

    // ---- Controls ----
    QTabWidget *SSTab1 = nullptr;
    QPushButton *Command2 = nullptr; // "&OK"
    // "Config"
    QCheckBox *chkLT = nullptr;
    QLineEdit *tbAutoCadEXE = nullptr;
    QPushButton *cmdBrowseAcadEXE = nullptr;
    QLineEdit *tbSwitches = nullptr;
    QRadioButton *optScriptDirDefault[2] = {};
    QLineEdit *tbScriptDir = nullptr;
    QPushButton *cmdBrowseSCRIPTSDir = nullptr;
    QRadioButton *optNormalOutputPath = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *cmdBrowseSCRDir = nullptr;
    QRadioButton *optAltOutputPath = nullptr;
    QLineEdit *tbAltOutput = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *Command1 = nullptr;
    // "Prefs"
    QRadioButton *optLoadOpen[4] = {};
    QLabel *Label8 = nullptr;
    QLineEdit *tbOpenOther = nullptr;
    QCheckBox *chkWarnDoubleSpace = nullptr;
    QCheckBox *chkWarnBlankLine = nullptr;
    QCheckBox *chkWarnSpaceInBlank = nullptr;
    QCheckBox *chkWarnLineEndsWithSpace = nullptr;
    QCheckBox *chkWarnFolderNotExist = nullptr;
    QCheckBox *chkVerifyFilesInQueue = nullptr;
    QCheckBox *chkScanForRogueTags = nullptr;
    QCheckBox *chkResourcesStarved = nullptr;
    QLineEdit *tbResourceFileLimit = nullptr;
    QCheckBox *chkWarnLTLisp = nullptr;
    QCheckBox *chkFavorites = nullptr;
    QLineEdit *tbDelay = nullptr;
    // "GUI"
    QCheckBox *chkShowPreview = nullptr;
    QCheckBox *chkAutoSortEnabled = nullptr;
    QRadioButton *optSort[4] = {};
    QCheckBox *chkMetaEnable = nullptr;
    QCheckBox *chkMetaImmediate = nullptr;
    QCheckBox *chkAutoMinimize = nullptr;
    QCheckBox *Check1 = nullptr;
    // "Log"
    QCheckBox *chkEnableLogging = nullptr;
    // "Reset"
    QPushButton *cmdResetRegistry = nullptr;
    QPushButton *cmdResetQPPos = nullptr;
    QPushButton *cmdResetSCREditPos = nullptr;
    QPushButton *cmdResetAPPPos = nullptr;
    QPushButton *cmdResetDWGPreviewPos = nullptr;
    // "Backup"
    QPushButton *cmdBackup = nullptr;
    QPushButton *cmdExploreBackup = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildConfigPage();
    QWidget *buildPrefsPage();
    QWidget *buildGuiPage();
    QWidget *buildLogPage();
    QWidget *buildResetPage();
    QWidget *buildBackupPage();
    void placeFileLimitBox();
    void UpdateSortOptions();
    void setOwner(QWidget *owner);
    // Shows the refusal and puts the focus into the field it names.
    void refuse(const OptionsRefusal &refusal);
    QWidget *fieldWidget(OptionsField field) const;
    // Brings the tab that holds the field to the front.
    void showTabOf(QWidget *field);
    // Offers to create a missing folder ("The folder for your <what> does not exist"), on the tab
    // that holds field: Ready when it is there (now), Declined on No, Failed when it could not be
    // created (the user was told).
    enum class FolderOffer { Ready, Declined, Failed };
    FolderOffer offerMissingFolder(const QString &folder, const QString &what, QWidget *field);
    // The box of the batch-script output file the selected output option uses.
    QLineEdit *outputFileBox() const;
    void reportUnwrittenKeys(const QStringList &keys);
    // What the box checks do when the focus leaves a box for another control of the dialog.
    void focusLeft(QWidget *box);

    OptionsHost m_host;
    QWidget *m_owner = nullptr;
    QButtonGroup *m_loadGroup = nullptr;
    QButtonGroup *m_sortGroup = nullptr;
    bool m_inBoxCheck = false;
    bool m_nameCheckForOk = false;
    std::unique_ptr<frmAutoCADEXEBrowse> m_autoCadPicker;
    std::unique_ptr<frmSCRDirSelect> m_outputPicker;
    std::unique_ptr<frmTXTEDITORDirSelect> m_editorPicker;
    std::unique_ptr<frmBrowseSCRIPSDir> m_scriptPicker;
};

} // namespace tess
