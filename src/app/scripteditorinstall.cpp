#include "app/scripteditorinstall.h"

#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "scripts/frmSCREdit.h"
#include "scripts/userscriptpane.h"
#include "widgets/keptwindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <memory>

namespace tess {

namespace {

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
    // The editor is kept between openings (its "&Ok" and "&Cancel" only hide it) and made again
    // after its close box discarded it.
    auto editor = std::make_shared<KeptWindow<frmSCREdit>>([&w] {
        auto *e = new frmSCREdit(&w);
        QObject::connect(e, &frmSCREdit::scriptAccepted, &w, [&w](const QString &text) {
            if (ScriptFacts *facts = w.scriptFacts())
                facts->setScriptText(text);
        });
        return e;
    });
    // cmdSCREditOpen_Click: the editor, modal over the main window, on a copy of the script.
    auto open = [&w, editor] {
        ScriptFacts *script = w.scriptFacts();
        if (!script)
            return;
        frmSCREdit *e = editor->get();
        e->setScriptText(script->scriptText());
        e->exec();
        editor->releaseIfUnloaded();
    };
    QObject::connect(&pane, &UserScriptPane::editorRequested, &w, open);

    QAction *item = w.addMenuItem(MainMenu::Script, QStringLiteral("mnuScriptEditor"), QStringLiteral("Script &Editor"),
                                  firstScriptEntry(w), ItemTrait::HiddenInSimpleMode);
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QObject::connect(item, &QAction::triggered, &w, open);
}

} // namespace tess
