#pragma once
// The simple-mode "Script Selector": a filter box, the "Filter" button of the stored simple-mode
// filters and the list of simple-mode scripts. Picking a script replaces the user script.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class ScriptFileList;
class UserScriptPane;

class SimpleScriptSelector : public QWidget
{
    Q_OBJECT
public:
    explicit SimpleScriptSelector(UserScriptPane *pane, QWidget *parent = nullptr);

    // The selector fills a frame whose contents margins are `frame` and whose layout's top stands
    // 240 twips below its top edge: the list 150 twips from the left and right, 130 from the
    // bottom and 520 from the top.
    void fillFrame(const QMargins &frame);

    // The simple-mode folder: SCRIPTS-SIMPLE beside the program, or SCRIPTS when
    // SimpleScriptPathOverride = 1.
    static QString simpleScriptsFolder();
    bool setFolder(const QString &folder);
    QString folder() const;

    // Loads the picked script into the user script; false when it could not. A script gone from
    // its folder passes silently (the list is read again); a folder that is gone, or any other
    // failure, is said in a box.
    bool fsSimpleScript_Click();
    // The same load before the composer composes in simple mode: false (after a message, a gone
    // script and no script picked included) when the script cannot be loaded, and then no batch
    // script may be written.
    bool reloadBeforeComposing();
    void tbScrSelFilter_Change();
    // The simple-mode filter tbScrSelFilter; setting it narrows the list.
    QString filterText() const;
    void setFilterText(const QString &text);

Q_SIGNALS:
    void simpleFilterRequested(); // "Filter": the stored simple-mode filters

protected:
    void connectNotify(const QMetaMethod &signal) override;

private:
    bool loadPicked(bool forComposing);

    UserScriptPane *m_pane;
    QLabel *lblFilter = nullptr;
    QLineEdit *tbScrSelFilter = nullptr;
    QPushButton *Command1 = nullptr;
    ScriptFileList *fsSimpleScript = nullptr;
};

} // namespace tess
