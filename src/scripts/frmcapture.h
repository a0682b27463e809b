#pragma once
// "Tessaline Command Capture": AutoCAD's command history pasted from the clipboard into the input
// box at the left becomes a user script in the result box at the right, which "Paste in
// &Tessaline && Exit" puts into the main window's user script. The window is modal and shown
// again and again: "Paste in &Tessaline && Exit" only hides it, so the input stays for the next
// opening; its close box unloads it (wasUnloaded()), and its opener then makes a fresh one.

#include "scripts/capturepreparer.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tess {

class ScriptFacts;

class frmcapture final : public QDialog
{
    Q_OBJECT
public:
    // script: the main window's user script the capture reads and replaces (null while there is
    // none); each write runs the script box's own change rules.
    frmcapture(std::function<ScriptFacts *()> script, QWidget *owner);
    ~frmcapture() override;

    QLabel *lblInput = nullptr;
    QLabel *lblResult = nullptr;
    QPlainTextEdit *Text1 = nullptr; // the pasted history, at first the instructions
    QPlainTextEdit *Text2 = nullptr; // the captured script
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdPastefromClip = nullptr;
    QPushButton *cmdParseScr = nullptr;
    QPushButton *cmdCopyToTessaline = nullptr;

    void Form_Load();
    void cmdPastefromClip_Click();
    void cmdParseScr_Click();
    void cmdCopyToTessaline_Click();
    void cmdClear_Click();

    // What the menu does after each closing: the result box emptied, the capture and paste-in
    // buttons disabled; the input stays as it is.
    void resetAfterClosing();
    // True once the close box has closed the window: it is then discarded.
    bool wasUnloaded() const { return m_unloaded; }

    // The scratch file that keeps the last captured input: "temp.tmp" in the program folder.
    static QString scratchFilePath();

    // The capture of the last paste, worked out in the background until the capture button takes
    // it; tests and measurements wait on it or put a slow capture in.
    CapturePreparer &capturePreparer() { return m_preparer; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<ScriptFacts *()> m_script;
    QString m_loadedText; // the input box's text when the window was loaded, for "&Clear"
    bool m_unloaded = false;
    bool m_pasting = false; // the paste's own change of the input box keeps the work it started
    CapturePreparer m_preparer;
};

} // namespace tess
