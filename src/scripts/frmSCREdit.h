#pragma once
// The script editor " Script Editor": a larger, sizable, modal window that edits a copy of the
// user script. Four pick lists insert a tag or a META command line at the caret, "&Load Lisp" and
// "Load &VBA" append a load line through their pickers, "&Setup" and "Setu&p" open the user and
// project tag managers, and "Do it" replaces a text in the whole script. Each insertion, append
// and "Do it" is one step of the box's undo. "&Ok" hands the text back (scriptAccepted) and hides
// the window; "&Cancel" only hides it; the close box discards it, so the next opening starts
// afresh. The window keeps its place and size in twips in the settings store.

#include "scripts/loadlines.h"
#include "scripts/scripteditortext.h"

#include "widgets/keptwindow.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class LoadLineSelector;

class frmSCREdit final : public QDialog
{
    Q_OBJECT
public:
    explicit frmSCREdit(QWidget *parent = nullptr);

    QPlainTextEdit *txtSCREdit = nullptr;
    QGroupBox *Frame1 = nullptr;
    QComboBox *cmbDynamicTags = nullptr;
    QComboBox *Combo1 = nullptr;
    QComboBox *cmbProjectTags = nullptr;
    QComboBox *cmbMeta = nullptr;
    QPushButton *cmdSETUPVARS = nullptr;
    QPushButton *cmdConfigureProjectTags = nullptr;
    QGroupBox *Frame3 = nullptr;
    QPushButton *cmdLoadLisp = nullptr;
    QPushButton *cmdLoadVBA = nullptr;
    QGroupBox *frameSnR = nullptr;
    QLineEdit *tbSearch = nullptr;
    QLineEdit *tbReplace = nullptr;
    QCheckBox *chkCase = nullptr;
    QPushButton *cmdSearchAndReplace = nullptr;
    QPushButton *cmdSCRCancel = nullptr;
    QPushButton *cmdSCROk = nullptr;

    // The working copy ("\n" between lines). Setting it starts the box's undo afresh.
    QString scriptText() const;
    void setScriptText(const QString &text);
    // True once the close box has discarded the window.
    bool wasUnloaded() const { return m_unloaded; }
    // The window's outer place and size in twips, as they would be stored now.
    ScriptEditorGeometry geometryTwips() const;
    // The picker of that kind while it is loaded (nullptr otherwise).
    LoadLineSelector *loadedPicker(LoadLineKind kind) const;

    void Form_Load();
    // Opening: the stored place and size; every activation: the focus in the text and the load
    // buttons by the LT option.
    void Form_Activate(bool place);
    void Form_Deactivate();
    void cmbDynamicTags_Click();
    void Combo1_Click();
    void cmbProjectTags_Click();
    void cmbMeta_Click();
    void cmdSearchAndReplace_Click();
    void cmdSETUPVARS_Click();
    void cmdConfigureProjectTags_Click();
    void cmdLoadLisp_Click();
    void cmdLoadVBA_Click();
    void cmdSCROk_Click();
    void cmdSCRCancel_Click();

Q_SIGNALS:
    // "&Ok": the edited script ("\n" between lines) for the main window's script.
    void scriptAccepted(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    // Puts the text where the caret is, over the selection, as one undoable edit.
    void insertPick(const QString &text);
    void showPicker(KeptWindow<LoadLineSelector> &picker);

    ScriptEditorGeometry m_stored;
    bool m_placed = false;
    bool m_unloaded = false;
    KeptWindow<LoadLineSelector> m_lisp;
    KeptWindow<LoadLineSelector> m_vba;
};

} // namespace tess
