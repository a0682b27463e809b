#pragma once
// The "User Script" tab: the user script Text1, its name Text2 and the script library list File2
// with its filter, folder switch, Save, Delete, Clear, Read-Only and Undo.
//
// The pane knows the rest of the main window only through the queue and file selection it is
// given and its signals (the two Create buttons, the META scan, the control-state refresh), so it
// runs alone in tests.

#include <QWidget>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class ScriptFileList;

class DrawingQueue;
class FileSelection;

class UserScriptPane : public QWidget
{
    Q_OBJECT
public:
    explicit UserScriptPane(QWidget *parent = nullptr);

    // The queue the Create rule counts, and the drawing folder the list shows when "Display
    // Scripts found in Drawing Directory" is ticked (kept on an existing folder when a script
    // folder goes missing). Either may be null.
    void setSources(DrawingQueue *queue, FileSelection *files);

    // The script text as the composer reads it ("\n" between lines) and the name.
    QString scriptText() const;
    void setScriptText(const QString &text); // runs the change rule
    QString scriptName() const;
    void setScriptName(const QString &name); // runs the name rule

    // The folder the script list shows ("" until set); false when the folder does not exist.
    QString scriptListFolder() const;
    bool setScriptListFolder(const QString &folder);
    // The script folder of the settings (SCRIPTSDir when its option is on, else SCRIPTS beside
    // the program).
    static QString scriptsHomeFolder();
    // Called when the drawing folder changes: the list follows it while chkProjDir is ticked.
    void drawingFolderChanged(const QString &folder);

    // Handlers, named after their controls.
    void Text1_Change();
    void Text2_Change();
    void File2_Click();
    // A double-click opens the larger editor on the entry its click has just loaded.
    void File2_DblClick() { Q_EMIT editorRequested(); }
    void subUpdate_MiniScript(const QString &content);
    // The simple-mode list's script text into the script box.
    void subUpdate_SimpleScript(const QString &content);
    void cmdSAVESCR_Click();
    void cmdDeleteSCR_Click();
    void cmdClearSCREditor_Click();
    void chkReadOnly_Click();
    void chkProjDir_Click();
    void scrFilter_Change();
    void scrFilter_DblClick();
    void frameUserScriptList_Click();
    void Command2_Click();
    void Label14_Click();
    void cmdFilterUserScriptShow_Click() { Q_EMIT scriptFilterRequested(); }

    // The simple-mode load of a script text: replaces the script (see SimpleScriptSelector).
    void loadSimpleScript(const QString &content);
    // A script folder that is gone: said in a box, the drawing folder kept on an existing folder.
    void reportMissingFolder(const QString &folder);

    // Both Create buttons by the change rule: on when the script is not empty and the queue is not.
    void applyCreateRule();
    // Whether the Read-Only box is ticked.
    bool readOnlyTicked() const;
    // The filter of the script list (scrFilter), with its change handling.
    void setFilterText(const QString &text);
    QString filterText() const;

Q_SIGNALS:
    void editorRequested();       // "&Editor", double-click in the list
    void browseRequested();       // "&Browse"
    void scriptFilterRequested(); // "Filter" beside the list
    void scriptFolderMissing(const QString &folder);
    // The Create buttons (Command1_Compile and cmdCreateAndRun) on or off.
    void createButtonsEnabledRequested(bool on);
    // Apply the script's META commands (includeSort: its sort commands too).
    void metaScanRequested(bool includeSort);
    // The Read-Only box changed: the window's control states follow.
    void controlStatesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The opener buttons are enabled once a window answers their signal.
    void connectNotify(const QMetaMethod &signal) override;

private:
    void buildControls();
    QString nameRulePath() const;
    void setReadOnlyBox(bool on);
    void applySaveDeleteState();
    void keepDrawingFolder();

    DrawingQueue *m_queue = nullptr;
    FileSelection *m_files = nullptr;
    bool m_inReadOnlyReset = false;

    QPlainTextEdit *Text1 = nullptr;
    QLabel *Label14 = nullptr;
    QLineEdit *Text2 = nullptr;
    QGroupBox *frameUserScriptList = nullptr;
    ScriptFileList *File2 = nullptr;
    QLineEdit *scrFilter = nullptr;
    QPushButton *cmdFilterUserScriptShow = nullptr;
    QCheckBox *chkProjDir = nullptr;
    QCheckBox *chkAppend = nullptr;
    QCheckBox *chkReadOnly = nullptr;
    QPushButton *cmdSAVESCR = nullptr;
    QPushButton *cmdDeleteSCR = nullptr;
    QPushButton *cmdClearSCREditor = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *cmdSCREditOpen = nullptr;
    QPushButton *cmdBrowse = nullptr;
};

} // namespace tess
