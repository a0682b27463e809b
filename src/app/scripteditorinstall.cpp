#include "app/scripteditorinstall.h"

#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "scripts/frmSCREdit.h"
#include "scripts/userscriptpane.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>

namespace tess {

namespace {

// Keeps the editor between openings (its "&Ok" and "&Cancel" only hide it) and makes it again
// after its close box discarded it.
class ScriptEditorOpener final : public QObject
{
public:
    explicit ScriptEditorOpener(frmMain &window) : QObject(&window), m_window(window) {}

    // cmdSCREditOpen_Click: the editor, modal over the main window, on a copy of the script.
    void open()
    {
        ScriptFacts *script = m_window.scriptFacts();
        if (!script)
            return;
        if (!m_editor) {
            m_editor = new frmSCREdit(&m_window);
            connect(m_editor, &frmSCREdit::scriptAccepted, this, [this](const QString &text) {
                if (ScriptFacts *facts = m_window.scriptFacts())
                    facts->setScriptText(text);
            });
        }
        m_editor->setScriptText(script->scriptText());
        m_editor->exec();
        if (m_editor && m_editor->wasUnloaded())
            delete m_editor.data();
    }

private:
    frmMain &m_window;
    QPointer<frmSCREdit> m_editor;
};

// The name of the Script menu's first entry: the editor's item comes first.
QString firstScriptEntry(frmMain &w)
{
    const QList<QAction *> items = w.menu(MainMenu::Script)->actions();
    if (items.isEmpty())
        return QString();
    QAction *first = items.first();
    return first->menu() ? first->menu()->objectName() : first->objectName();
}

} // namespace

void installScriptEditor(frmMain &w, UserScriptPane &pane)
{
    auto *opener = new ScriptEditorOpener(w);
    QObject::connect(&pane, &UserScriptPane::editorRequested, opener, &ScriptEditorOpener::open);

    QAction *item = w.addMenuItem(MainMenu::Script, QStringLiteral("mnuScriptEditor"), QStringLiteral("Script &Editor"),
                                  firstScriptEntry(w));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QObject::connect(item, &QAction::triggered, opener, &ScriptEditorOpener::open);
}

} // namespace tess
