#pragma once
// The user tag manager " User Tags - Configuration": the settings of the generated tags (counter,
// sheet, first and last file characters) on the left, the fifty user tags on five tabs and the
// frame "Template" on the right, "&Ok" at the bottom right. The program makes it hidden at start
// and keeps it: "&Ok" checks, stores and applies the values and hides it; the close box discards
// the edits, and the next opening (or access by the meta command "tags.template=") loads it again
// from MainSettings.

#include "tags/usertagform.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;

namespace tess {

class frmVARSetup final : public QDialog
{
    Q_OBJECT
public:
    explicit frmVARSetup(QWidget *parent = nullptr);

    // Where a template load reports itself (the main window's status label lblUpdate).
    void setStatusReporter(std::function<void(const QString &)> report) { m_status = std::move(report); }

    // ---- Controls ----
    QGroupBox *Frame7 = nullptr; // "DYNAMIC Variables Settings"
    QGroupBox *Frame5 = nullptr; // "$COUNTER$"
    QLineEdit *tbCounterStart = nullptr;
    QLineEdit *tbCounterStep = nullptr;
    QCheckBox *chkPadCounter = nullptr;
    QLineEdit *tbPadCounter = nullptr;
    QScrollBar *vsPadCounter = nullptr; // a spinner: its top end is 9, its bottom end 2
    QGroupBox *Frame4 = nullptr;        // "$SHEET$"
    QLineEdit *tbSheetChars = nullptr;
    QCheckBox *chkTrimZeros = nullptr;
    QGroupBox *Frame8 = nullptr; // "$FIRSTFILECHARS$"
    QLineEdit *tbFirstFileChars = nullptr;
    QGroupBox *Frame2 = nullptr; // "$LASTFILECHARS$"
    QLineEdit *tbLastFileChars = nullptr;
    QGroupBox *Frame6 = nullptr; // "STATIC Tags"
    QTabWidget *SSTab1 = nullptr;
    std::array<QLineEdit *, kUserTagCount> tbTag{}; // tbTag[0] is tbTag1
    QPushButton *cmdClearAllTags = nullptr;
    QGroupBox *Frame1 = nullptr; // "Template"
    QComboBox *cmbTAGSelector = nullptr;
    QCheckBox *chkLock = nullptr;
    QPushButton *cmdSaveTAG = nullptr;
    QPushButton *cmdDelTAG = nullptr;
    QPushButton *cmdOk = nullptr;

    // The pad digit count of the spinner, 2 to 9.
    int padDigits() const;
    void setPadDigits(int digits);
    // The boxes as a form, and a form into the boxes.
    UserTagForm formValues() const;
    void showForm(const UserTagForm &form);

    // Whether the close box discarded the window since its last load.
    bool wasUnloaded() const { return m_unloaded; }
    // Loads the window again when the close box discarded it.
    void ensureLoaded();

    // ---- Handlers ----
    void Form_Load();
    void cmdOk_Click();
    void cmdClearAllTags_Click();
    void tbSheetChars_LostFocus();
    void tbFirstFileChars_LostFocus();
    void tbLastFileChars_LostFocus();
    void vsPadCounter_Change();

    // ---- Templates ----
    // Reads DATA\fileName (such as "ABC.TAG") into the fifty tag boxes and the members TAG1 to
    // TAG50, and reports "<fileName> Found" or ".TAG File Not Found". Writes nothing to the store.
    void LoadTAG(const QString &fileName);
    // Writes the fifty tag boxes as DATA\fileName; reports its own failures.
    bool SaveTAG(const QString &fileName);
    void RefreshTAGList();
    void UpdateLockButtons();
    void cmbTAGSelector_Change();
    void cmbTAGSelector_Click(int index);
    void chkLock_Click();
    void cmdSaveTAG_Click();
    void cmdDelTAG_Click();
    // The meta command "tags.template=<name>": the selector shows the name and the template
    // <name>.TAG is loaded, without showing the window.
    void applyTemplateCommand(const QString &name);
    // The list entry picked last, while the selector still shows it; "" once its text was typed or
    // set another way, even to a listed name.
    QString selectedTemplate() const { return m_picked; }

Q_SIGNALS:
    // "&Ok" stored and applied the settings.
    void settingsStored();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLeftColumn();
    void buildRightColumn();
    // Validates a character-count box: the message and the reset value for a count the
    // composer cannot use. True when the box was valid.
    bool checkCharCountBox(QLineEdit *box, CharCountBox which);
    void reportStatus(const QString &text);

    std::function<void(const QString &)> m_status;
    bool m_unloaded = false;
    bool m_evaluating = false; // the template frame is being set from the file's state
    QString m_picked;          // see selectedTemplate()
};

} // namespace tess
