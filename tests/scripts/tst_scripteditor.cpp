// The script editor and its LISP and VBA pickers through their real controls: the openers, the
// place and size, the pick lists with undo, "Do it", "&Ok", "&Cancel" and the close box, the LT
// option, the tag managers, and the pickers' file lists, texts, refusals and unready drive.

#include "appwindow.h"
#include "core/listutils.h"
#include "core/mainsettings.h"
#include "core/scriptfacts.h"
#include "core/settingsstore.h"
#include "modalguard.h"
#include "scripts/frmSCREdit.h"
#include "scripts/loadlineselector.h"
#include "scripts/userscriptpane.h"
#include "testsupport.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/placement.h"
#include "widgets/programfont.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextCursor>
#include <QWheelEvent>

using namespace tess;

namespace {

// The user's choice of an entry in a pick list (also of the entry it already shows).
void choose(QComboBox *box, const QString &entry)
{
    const int i = box->findText(entry);
    QVERIFY2(i >= 0, qPrintable(entry));
    box->setCurrentIndex(i);
    Q_EMIT box->activated(i);
}

QString setting(const char *key)
{
    return readSetting(QStringLiteral("Startup"), QLatin1String(key), QStringLiteral("<none>"));
}

} // namespace

class TestScriptEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::Fixture> m_fx;
    std::unique_ptr<test::AppWindow> m_window;

    test::Fixture &fx() { return *m_fx; }
    frmMain &window() { return **m_window; }
    ScriptFacts &script() { return *window().scriptFacts(); }
    void build()
    {
        m_window.reset();
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        m_window = std::make_unique<test::AppWindow>();
    }
    QAction *editorItem() { return window().findChild<QAction *>(QStringLiteral("mnuScriptEditor")); }

    // Opens the editor from its menu item and runs act while it is open; an editor still open
    // afterwards is cancelled.
    void withEditor(const std::function<void(frmSCREdit *, test::ModalGuard &)> &act)
    {
        test::ModalGuard modals;
        modals.answerNextModal([&](QWidget *dialog) {
            auto *editor = qobject_cast<frmSCREdit *>(dialog);
            QVERIFY2(editor, qPrintable(dialog->objectName()));
            act(editor, modals);
            if (editor->isVisible())
                editor->cmdSCRCancel_Click();
        });
        editorItem()->trigger();
        QVERIFY(modals.allAnswered());
    }

private Q_SLOTS:
    void initTestCase() { applyProgramFont(); }
    void init()
    {
        m_fx = std::make_unique<test::Fixture>();
        build();
    }
    void cleanup()
    {
        QVERIFY2(fx().prompter().allUsed(), qPrintable(fx().prompter().unusedAnswers()));
        m_window.reset();
        m_fx.reset();
    }

    void menuItemAndPaneOpener()
    {
        QAction *item = editorItem();
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Script &Editor"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
        QVERIFY(item->isEnabled());
        QMenu *scriptMenu = window().menu(MainMenu::Script);
        QCOMPARE(scriptMenu->actions().first(), item);

        // "&Editor" of the script pane opens the same window.
        auto *pane = window().findChild<UserScriptPane *>();
        auto *open = pane->findChild<QPushButton *>(QStringLiteral("cmdSCREditOpen"));
        QVERIFY(open->isEnabled());
        script().setScriptText(QStringLiteral("ZOOM E"));
        test::ModalGuard modals;
        QString shown;
        modals.answerNextModal([&](QWidget *d) {
            auto *editor = qobject_cast<frmSCREdit *>(d);
            QVERIFY(editor);
            shown = editor->scriptText();
            QCOMPARE(editor->parentWidget(), &window());
            editor->cmdSCRCancel_Click();
        });
        open->click();
        QVERIFY(modals.allAnswered());
        QCOMPARE(shown, QStringLiteral("ZOOM E"));
    }

    void firstOpeningDefaultsAndLayout()
    {
        script().setScriptText(QStringLiteral("ZOOM E\nREGEN"));
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            QCOMPARE(e->windowTitle(), QStringLiteral(" Script Editor"));
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E\nREGEN"));
            // 200, 200, 11250 x 8835 twips (no frame offscreen).
            QCOMPARE(e->frameGeometry(), QRect(13, 13, 750, 589));
            const ScriptEditorGeometry g = e->geometryTwips();
            QCOMPARE((QList<int>{g.left, g.top, g.width, g.height}), (QList<int>{200, 200, 11250, 8835}));
            QCOMPARE(e->cmbDynamicTags->count(), 34);
            QCOMPARE(e->Combo1->count(), 50);
            QCOMPARE(e->cmbProjectTags->count(), 40);
            QCOMPARE(e->cmbMeta->count(), 18);
            for (QComboBox *box : {e->cmbDynamicTags, e->Combo1, e->cmbProjectTags, e->cmbMeta})
                QCOMPARE(box->currentIndex(), -1);
            QVERIFY(e->cmdLoadLisp->isEnabled());
            QVERIFY(e->cmdLoadVBA->isEnabled());
            QVERIFY(!e->chkCase->isChecked());

            // The text box on top, the three frames side by side under it, the buttons under them
            // at the right; every caption whole.
            auto geometryIn = [e](QWidget *w) { return QRect(w->mapTo(e, QPoint(0, 0)), w->size()); };
            const QRect text = geometryIn(e->txtSCREdit);
            const QRect f1 = geometryIn(e->Frame1), f3 = geometryIn(e->Frame3), snr = geometryIn(e->frameSnR);
            const QRect cancel = geometryIn(e->cmdSCRCancel), ok = geometryIn(e->cmdSCROk);
            QCOMPARE(text.topLeft(), QPoint(8, 8));
            QVERIFY(text.bottom() < f1.top());
            QCOMPARE(f3.top(), f1.top());
            QCOMPARE(snr.top(), f1.top());
            QVERIFY(f1.right() < f3.left() && f3.right() < snr.left());
            QVERIFY(snr.right() < e->width());
            QVERIFY(std::max({f1.bottom(), f3.bottom(), snr.bottom()}) < cancel.top());
            QVERIFY(cancel.right() < ok.left());
            QVERIFY(ok.right() < e->width() && ok.bottom() < e->height());
            for (QWidget *c : e->findChildren<QWidget *>()) {
                if (c->isVisible() && !qobject_cast<QPlainTextEdit *>(c))
                    QVERIFY2(captionFits(c, c->size()), qPrintable(c->objectName()));
            }

            // Growing the window grows the text box alone; the frames and buttons follow the edges.
            e->resize(e->width() + 100, e->height() + 60);
            QTest::qWait(0);
            QCOMPARE(geometryIn(e->txtSCREdit).size(), text.size() + QSize(100, 60));
            QCOMPARE(geometryIn(e->Frame1).top(), f1.top() + 60);
            QCOMPARE(geometryIn(e->Frame1).height(), f1.height());
            QCOMPARE(geometryIn(e->cmdSCROk), ok.translated(100, 60));
            // Never smaller than 11250 x 6620 twips.
            e->resize(300, 200);
            QTest::qWait(0);
            QVERIFY(e->frameGeometry().width() >= 750 && e->frameGeometry().height() >= 442);
            QVERIFY(geometryIn(e->txtSCREdit).height() > 100);
        });
    }

    void storedGeometry_data()
    {
        QTest::addColumn<QStringList>("stored"); // left, top, width, height
        QTest::addColumn<QRect>("frame");
        QTest::newRow("stored values") << QStringList{"300", "450", "12000", "9000"} << QRect(20, 30, 800, 600);
        QTest::newRow("not numbers give the defaults")
            << QStringList{"abc", "x", "", "tall"} << QRect(13, 13, 750, 589);
        QTest::newRow("the Options reset") << QStringList{"0", "0", "11250", "8835"} << QRect(0, 0, 750, 589);
    }
    void storedGeometry()
    {
        QFETCH(QStringList, stored);
        QFETCH(QRect, frame);
        const char *keys[] = {"SCREditLeft", "SCREditTop", "SCREditWidth", "SCREditHeight"};
        for (int i = 0; i < 4; ++i)
            writeSetting(QStringLiteral("Startup"), QLatin1String(keys[i]), stored.at(i));
        withEditor([&](frmSCREdit *e, test::ModalGuard &) { QCOMPARE(e->frameGeometry(), frame); });
    }

    void offScreenPlaceComesBackAndTheNormalGeometryIsStored()
    {
        writeSetting(QStringLiteral("Startup"), QStringLiteral("SCREditLeft"), QStringLiteral("900000"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("SCREditTop"), QStringLiteral("-900000"));
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            const QRect screen = e->screen()->availableGeometry();
            QVERIFY2(screen.contains(e->frameGeometry().topLeft()), qPrintable(QString::number(e->x())));
            // Outer size 780 x 600 pixels.
            e->move(30, 40);
            e->resize(QSize(780, 600) - (e->frameGeometry().size() - e->size()));
            QTest::qWait(0);
            e->showMinimized();
            QTest::qWait(0);
            e->cmdSCROk_Click();
        });
        // The place and size the window had before it was minimised, in twips.
        QCOMPARE(setting("SCREditLeft"), QStringLiteral("450"));
        QCOMPARE(setting("SCREditTop"), QStringLiteral("600"));
        QCOMPARE(setting("SCREditWidth"), QStringLiteral("11700"));
        QCOMPARE(setting("SCREditHeight"), QStringLiteral("9000"));
    }

    void everyOpeningTakesTheStoredPlace()
    {
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            e->move(40, 50);
            e->cmdSCROk_Click();
        });
        QCOMPARE(setting("SCREditLeft"), QStringLiteral("600"));
        // The Options reset while the editor is hidden.
        writeSetting(QStringLiteral("Startup"), QStringLiteral("SCREditLeft"), QStringLiteral("0"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("SCREditTop"), QStringLiteral("0"));
        withEditor([&](frmSCREdit *e, test::ModalGuard &) { QCOMPARE(e->frameGeometry().topLeft(), QPoint(0, 0)); });
    }

    void picksInsertAtTheCaretAsOneUndoStep()
    {
        script().setScriptText(QStringLiteral("ZOOM E\nREGEN"));
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            QTextCursor c = e->txtSCREdit->textCursor();
            c.setPosition(2);
            e->txtSCREdit->setTextCursor(c);
            choose(e->cmbMeta, QStringLiteral(";SORT.AUTO"));
            QCOMPARE(e->scriptText(), QStringLiteral("ZO;SORT.AUTO\nOM E\nREGEN"));
            QCOMPARE(e->txtSCREdit->textCursor().position(), 2 + 11);
            QCOMPARE(e->cmbMeta->currentText(), QStringLiteral(";SORT.AUTO"));
            e->txtSCREdit->undo();
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E\nREGEN"));

            // Over a selection; the entry the list already shows inserts again.
            c.setPosition(7);
            c.setPosition(12, QTextCursor::KeepAnchor);
            e->txtSCREdit->setTextCursor(c);
            choose(e->cmbDynamicTags, QStringLiteral("$FILENAME$"));
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E\n$FILENAME$"));
            choose(e->cmbDynamicTags, QStringLiteral("$FILENAME$"));
            choose(e->Combo1, QStringLiteral("$TAG50$"));
            choose(e->cmbProjectTags, QStringLiteral("$PROJECTTAG7$"));
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E\n$FILENAME$$FILENAME$$TAG50$$PROJECTTAG7$"));
            for (int i = 0; i < 3; ++i)
                e->txtSCREdit->undo();
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E\n$FILENAME$"));

            // The mouse wheel passing over a closed list chooses nothing.
            for (QComboBox *box : {e->cmbDynamicTags, e->Combo1, e->cmbProjectTags, e->cmbMeta}) {
                const int shown = box->currentIndex();
                const QPointF at(box->width() / 2.0, box->height() / 2.0);
                QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(box, &wheel);
                QCOMPARE(box->currentIndex(), shown);
            }
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E\n$FILENAME$"));
        });
        // Cancelled: the main window's script is as it was.
        QCOMPARE(script().scriptText(), QStringLiteral("ZOOM E\nREGEN"));
    }

    void doItReplacesInTheWholeTextAsOneUndoStep()
    {
        const QString text = QStringLiteral("LINE 0,0 1,1\nLine\nline\nOUTLINE");
        script().setScriptText(text);
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            e->tbSearch->setText(QStringLiteral("line"));
            e->tbReplace->setText(QStringLiteral("arc"));
            QTest::mouseClick(e->cmdSearchAndReplace, Qt::LeftButton);
            QCOMPARE(e->scriptText(), QStringLiteral("arc 0,0 1,1\narc\narc\nOUTarc"));
            // Ctrl+Z straight after "Do it" brings the text back.
            QVERIFY(e->txtSCREdit->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(e->scriptText(), text);
            e->chkCase->setChecked(true);
            e->cmdSearchAndReplace->click();
            QCOMPARE(e->scriptText(), QStringLiteral("LINE 0,0 1,1\nLine\narc\nOUTLINE"));
            e->txtSCREdit->undo();
            QCOMPARE(e->scriptText(), text);
            // An empty search text changes nothing and leaves nothing to undo.
            e->tbSearch->clear();
            e->cmdSearchAndReplace->click();
            QCOMPARE(e->scriptText(), text);
            QVERIFY(!e->txtSCREdit->document()->isUndoAvailable());
        });
    }

    void okCancelAndTheCloseBox()
    {
        script().setScriptText(QStringLiteral("ZOOM E"));
        // "&Ok" writes the script back.
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            e->txtSCREdit->setPlainText(QStringLiteral("REGEN\nZOOM E"));
            e->cmdSCROk->click();
            QVERIFY(!e->isVisible());
        });
        QCOMPARE(script().scriptText(), QStringLiteral("REGEN\nZOOM E"));
        QVERIFY(mainSettings().SCRChanged);

        // "&Cancel" drops the edits but keeps the window with its fields.
        QPointer<frmSCREdit> first;
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            first = e;
            e->txtSCREdit->setPlainText(QStringLiteral("lost"));
            e->tbSearch->setText(QStringLiteral("kept"));
            e->chkCase->setChecked(true);
            e->cmdSCRCancel->click();
        });
        QCOMPARE(script().scriptText(), QStringLiteral("REGEN\nZOOM E"));
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            QCOMPARE(e, first.data());
            QCOMPARE(e->scriptText(), QStringLiteral("REGEN\nZOOM E"));
            QCOMPARE(e->tbSearch->text(), QStringLiteral("kept"));
            QVERIFY(e->chkCase->isChecked());
            // Escape does not drop the edits.
            e->txtSCREdit->setPlainText(QStringLiteral("typed"));
            QTest::keyClick(e, Qt::Key_Escape);
            QVERIFY(e->isVisible());
            // The close box discards the window and its edits.
            e->close();
        });
        QCOMPARE(script().scriptText(), QStringLiteral("REGEN\nZOOM E"));
        QVERIFY(first.isNull());
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            QVERIFY(e->tbSearch->text().isEmpty());
            QVERIFY(!e->chkCase->isChecked());
            QCOMPARE(e->cmbMeta->currentIndex(), -1);
        });
    }

    void ltDisablesBothLoadButtons()
    {
        mainSettings().LT = 1;
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            QVERIFY(!e->cmdLoadLisp->isEnabled());
            QVERIFY(!e->cmdLoadVBA->isEnabled());
        });
        mainSettings().LT = 0;
        withEditor([&](frmSCREdit *e, test::ModalGuard &) {
            QVERIFY(e->cmdLoadLisp->isEnabled());
            QVERIFY(e->cmdLoadVBA->isEnabled());
        });
    }

    void setupButtonsOpenTheTagManagersOverTheEditor()
    {
        script().setScriptText(QStringLiteral("ZOOM E"));
        QStringList opened;
        withEditor([&](frmSCREdit *e, test::ModalGuard &modals) {
            auto answer = [&](QWidget *d) {
                opened << d->objectName();
                QCOMPARE(d->parentWidget(), e);
                qobject_cast<QDialog *>(d)->reject();
            };
            modals.answerNextModal(answer);
            e->cmdSETUPVARS->click();
            modals.answerNextModal(answer);
            e->cmdConfigureProjectTags->click();
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E"));
            e->cmdSCROk_Click();
        });
        QCOMPARE(opened, (QStringList{"frmVARSetup", "frmProjectTagManager"}));
        QCOMPARE(script().scriptText(), QStringLiteral("ZOOM E"));
    }

    void lispPickerThroughTheEditor()
    {
        const QString folder = QDir::toNativeSeparators(fx().path() + QStringLiteral("LISP"));
        fx().writeFile(QStringLiteral("LISP/tb_wiz1.lsp"), "(princ)");
        script().setScriptText(QStringLiteral("ZOOM E"));
        QPointer<LoadLineSelector> picker;
        withEditor([&](frmSCREdit *e, test::ModalGuard &modals) {
            modals.answerNextModal([&](QWidget *d) {
                picker = qobject_cast<LoadLineSelector *>(d);
                QVERIFY(picker);
                QCOMPARE(d->objectName(), QStringLiteral("frmLispSelector"));
                QCOMPARE(d->windowTitle(), QStringLiteral(" Select .LSP File"));
                QVERIFY(picker->Dir1->setPath(folder));
                picker->File1->setCurrentRow(0);
                picker->cmdOk->click();
            });
            e->cmdLoadLisp->click();
            QVERIFY(picker);
            QVERIFY(!picker->isVisible());
            // In capitals where file names ignore case; elsewhere the file as it is on disk.
            QString loaded = folder + QStringLiteral("/tb_wiz1.lsp");
            if (pathCaseSensitivity() == Qt::CaseInsensitive)
                loaded = loaded.toUpper();
            loaded.replace(QLatin1Char('\\'), QLatin1Char('/'));
            QVERIFY(QFileInfo::exists(loaded));
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E\n(LOAD \"") + loaded + QStringLiteral("\")\n"));
            // One undo step takes the whole append back.
            e->txtSCREdit->undo();
            QCOMPARE(e->scriptText(), QStringLiteral("ZOOM E"));
            e->txtSCREdit->redo();

            // The next opening shows the same folder; its close box discards it.
            modals.answerNextModal([&](QWidget *d) {
                QCOMPARE(d, picker.data());
                QCOMPARE(picker->Dir1->path(), folder);
                d->close();
            });
            e->cmdLoadLisp->click();
            QVERIFY(picker.isNull());
            QVERIFY(!e->loadedPicker(LoadLineKind::Lisp));
            e->cmdSCROk_Click();
        });
        QVERIFY(script().scriptText().endsWith(QStringLiteral("/tb_wiz1.lsp\")\n"), Qt::CaseInsensitive));
    }

    void pickerOkFollowsTheSelectedFile()
    {
        fx().writeFile(QStringLiteral("LISP/b.LSP"), "");
        fx().writeFile(QStringLiteral("LISP/a.lsp"), "");
        fx().writeFile(QStringLiteral("LISP/notes.txt"), "");
        fx().writeFile(QStringLiteral("LISP/c.lspx"), "");
        fx().writeFile(QStringLiteral("LISP/m.dvb"), "");
        QDir(fx().path()).mkpath(QStringLiteral("LISP/sub"));
        const QString folder = QDir::toNativeSeparators(fx().path() + QStringLiteral("LISP"));
        QPlainTextEdit box;
        LoadLineSelector p(LoadLineKind::Lisp, &box);
        QVERIFY(!p.cmdOk->isEnabled());
        QVERIFY(p.Dir1->setPath(folder));
        QCOMPARE(p.File1->path(), folder);
        QStringList names;
        for (int i = 0; i < p.File1->count(); ++i)
            names << p.File1->item(i)->text();
        QCOMPARE(names, (QStringList{"a.lsp", "b.LSP"}));
        QVERIFY(!p.cmdOk->isEnabled());
        p.File1->setCurrentRow(1);
        QVERIFY(p.cmdOk->isEnabled());
        p.File1->clearSelection();
        QVERIFY(!p.cmdOk->isEnabled());
        p.File1->setCurrentRow(0);
        QVERIFY(p.cmdOk->isEnabled());
        // Another folder: nothing selected there, so "&Ok" goes off.
        QVERIFY(p.Dir1->setPath(folder + QDir::separator() + QStringLiteral("sub")));
        QVERIFY(!p.cmdOk->isEnabled());

        // Every control inside the window, none over another.
        const QList<QWidget *> controls{p.Drive1, p.Dir1, p.File1, p.cmdCancel, p.cmdOk};
        for (QWidget *c : controls) {
            QVERIFY2(p.rect().contains(c->geometry()), qPrintable(c->objectName()));
            for (QWidget *other : controls)
                QVERIFY(c == other || !c->geometry().intersects(other->geometry()));
        }

        // The VBA picker lists and accepts ".dvb" files only.
        LoadLineSelector v(LoadLineKind::Vba, &box);
        QCOMPARE(v.objectName(), QStringLiteral("frmVBAselector"));
        QCOMPARE(v.windowTitle(), QStringLiteral("Select VBA Routine"));
        QVERIFY(v.Dir1->setPath(folder));
        QCOMPARE(v.File1->count(), 1);
        v.File1->setCurrentRow(0);
        QVERIFY(v.cmdOk->isEnabled());
        box.setPlainText(QStringLiteral("REGEN"));
        v.cmdOk_Click();
        // In capitals where file names ignore case; elsewhere the file as it is on disk.
        QString path = folder + QStringLiteral("/m.dvb");
        if (pathCaseSensitivity() == Qt::CaseInsensitive)
            path = path.toUpper();
        path.replace(QLatin1Char('/'), QStringLiteral("\\\\"));
        QCOMPARE(box.toPlainText(),
                 QStringLiteral("REGEN\n;REPLACE \"YOURMODULE.YOURMACRO\" WITH THE APPROPRIATE SUBROUTINE CALL\n"
                                "(COMMAND \"-VBARUN\" \"") +
                     path + QStringLiteral("!YOURMODULE.YOURMACRO\")\n"));
    }

    void pickerRefusesAQuoteInTheName()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows file names cannot hold a double quote");
#endif
        fx().writeFile(QStringLiteral("LISP/a\"b.lsp"), "");
        QPlainTextEdit box;
        box.setPlainText(QStringLiteral("ZOOM E"));
        LoadLineSelector p(LoadLineKind::Lisp, &box);
        QVERIFY(p.Dir1->setPath(QDir::toNativeSeparators(fx().path() + QStringLiteral("LISP"))));
        p.File1->setCurrentRow(0);
        QVERIFY(p.cmdOk->isEnabled());
        fx().prompter().expectMessage(vbOK);
        p.cmdOk_Click();
        QVERIFY2(fx().prompter().last().text.contains(QStringLiteral("a\"b.lsp")),
                 qPrintable(fx().prompter().last().text));
        QCOMPARE(box.toPlainText(), QStringLiteral("ZOOM E"));
        QVERIFY(!box.document()->isUndoAvailable() || box.toPlainText() == QStringLiteral("ZOOM E"));
    }

    void pickerUnreadyDriveGoesBackToTheFolderBefore()
    {
        QPlainTextEdit box;
        LoadLineSelector p(LoadLineKind::Lisp, &box);
        const QString folder = QDir::toNativeSeparators(fx().path() + QStringLiteral("LISP"));
        QVERIFY(p.Dir1->setPath(folder));
        const QString drive = p.Drive1->drive();
        fx().prompter().expectMessage(vbOK);
        p.Drive1->addItem(QStringLiteral("gone"), QStringLiteral("/no/such/volume"));
        p.Drive1->setCurrentIndex(p.Drive1->count() - 1);
        QCOMPARE(fx().prompter().last().text,
                 QStringLiteral("That Drive is not responding...\rPlease select another drive!"));
        QCOMPARE(fx().prompter().last().title, QStringLiteral("Tessaline Alert"));
        QCOMPARE(p.Drive1->drive(), drive);
        QCOMPARE(p.Dir1->path(), folder);
        QCOMPARE(p.File1->path(), folder);
    }
};

QTEST_MAIN(TestScriptEditor)
#include "tst_scripteditor.moc"
