// The command capture window: pasting from the clipboard, capturing, putting the script into the
// main window (asking first over a script), clearing, the scratch file, and the Tools menu's
// opening with its reset after each closing.

#include "appwindow.h"
#include "core/messages.h"
#include "core/scriptfacts.h"
#include "modalguard.h"
#include "scripts/commandcapture.h"
#include "scripts/frmcapture.h"
#include "testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace tess;

namespace {

// The main window's user script as the capture sees it.
struct FakeScript final : ScriptFacts {
    QString text;
    QString name = QStringLiteral("OLD");
    int writes = 0;

    bool scriptIsEmpty() const override { return text.isEmpty(); }
    bool readOnlyTicked() const override { return false; }
    QString scriptText() const override { return text; }
    QString scriptName() const override { return name; }
    void setScriptText(const QString &t) override
    {
        text = t;
        ++writes;
    }
    void setScriptName(const QString &n) override
    {
        name = n;
        ++writes;
    }
    std::function<ScriptFacts *()> source()
    {
        return [this] { return this; };
    }
};

QString boxText(const QPlainTextEdit *box) { return box->toPlainText(); }

void setClipboard(const QString &text) { QGuiApplication::clipboard()->setText(text); }

// AutoCAD's text window copies every line break twice.
const char *const kPastedHistory = "Command: LINE\r\n\r\nSpecify first point: 0,0\r\n\r\n"
                                   "Select objects:  1 found\r\n\r\nSpecify opposite corner:\r\n\r\n"
                                   "Regenerating model.\r\n\r\n";
const char *const kInput = "Command: LINE\nSpecify first point: 0,0\nSelect objects:  1 found\n"
                           "Specify opposite corner:\nRegenerating model.\n";

QString capturedScript()
{
    return QStringLiteral(";BEGIN SCRIPT\n;Command: LINE\nLINE\n;Specify first point: 0,0\n0,0\n"
                          ";Specify opposite corner:\n") +
           mousePointsPlaceholder() + QStringLiteral("\n;END SCRIPT");
}

} // namespace

class TestCaptureWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pasteCaptureAndPasteIn()
    {
        test::Fixture fx;
        FakeScript script;
        frmcapture win(script.source(), nullptr);
        QCOMPARE(win.windowTitle(), QStringLiteral("Tessaline Command Capture"));
        QCOMPARE(boxText(win.Text1), captureInstructionText());
        QVERIFY(boxText(win.Text2).isEmpty());
        QVERIFY(win.cmdClear->isEnabled() && win.cmdPastefromClip->isEnabled());
        QVERIFY(!win.cmdParseScr->isEnabled() && !win.cmdCopyToTessaline->isEnabled());
        win.show();

        setClipboard(QString::fromLatin1(kPastedHistory));
        win.cmdPastefromClip->click();
        QCOMPARE(boxText(win.Text1), QString::fromLatin1(kInput));
        QVERIFY(win.cmdParseScr->isEnabled());
        QVERIFY(!win.cmdCopyToTessaline->isEnabled());

        win.cmdParseScr->click();
        QCOMPARE(boxText(win.Text2), capturedScript());
        QVERIFY(win.cmdCopyToTessaline->isEnabled());
        // The input stays in the program folder's scratch file, CR LF after every line.
        QCOMPARE(frmcapture::scratchFilePath(), fx.path() + QStringLiteral("temp.tmp"));
        QCOMPARE(test::fileBytes(frmcapture::scratchFilePath()),
                 QByteArray(kInput).replace("\n", "\r\n") + QByteArray("\r\n"));

        // An empty script is replaced without a question; the script becomes unnamed.
        win.cmdCopyToTessaline->click();
        QCOMPARE(script.text, capturedScript());
        QCOMPARE(script.name, QString());
        QVERIFY(!win.isVisible());
        QCOMPARE(win.result(), int(QDialog::Accepted));
        QVERIFY(!win.wasUnloaded());
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    void pasteInOverAScriptAsksFirst()
    {
        test::Fixture fx;
        FakeScript script;
        script.text = QStringLiteral("ZOOM\nE");
        frmcapture win(script.source(), nullptr);
        win.show();
        setClipboard(QStringLiteral("Command: zoom"));
        win.cmdPastefromClip->click();
        win.cmdParseScr->click();

        // No (the default): nothing changes and the window stays open.
        fx.prompter().expectMessage(vbNo);
        win.cmdCopyToTessaline->click();
        QCOMPARE(fx.prompter().last().text, overwriteScriptQuestion());
        QCOMPARE(fx.prompter().last().text,
                 QStringLiteral("Are you sure you want to overwrite the existing script in Tessaline?"));
        QCOMPARE(fx.prompter().last().title, QStringLiteral("Overwrite?"));
        QCOMPARE(fx.prompter().last().style, int(vbYesNo | vbExclamation | vbDefaultButton2));
        QCOMPARE(script.text, QStringLiteral("ZOOM\nE"));
        QCOMPARE(script.name, QStringLiteral("OLD"));
        QCOMPARE(script.writes, 0);
        QVERIFY(win.isVisible());

        fx.prompter().expectMessage(vbYes);
        win.cmdCopyToTessaline->click();
        QCOMPARE(script.text, QStringLiteral(";BEGIN SCRIPT\n;Command: zoom\nZOOM\n;END SCRIPT"));
        QCOMPARE(script.name, QString());
        QVERIFY(!win.isVisible());
        QVERIFY(fx.prompter().allUsed());
    }

    void clearAndUndo()
    {
        test::Fixture fx;
        FakeScript script;
        frmcapture win(script.source(), nullptr);

        // An empty clipboard gives an empty input, and the capture is still enabled.
        QGuiApplication::clipboard()->clear();
        win.cmdPastefromClip->click();
        QVERIFY(boxText(win.Text1).isEmpty());
        QVERIFY(win.cmdParseScr->isEnabled());
        win.cmdParseScr->click();
        QCOMPARE(boxText(win.Text2), QStringLiteral(";BEGIN SCRIPT\n;END SCRIPT"));
        QCOMPARE(test::fileBytes(frmcapture::scratchFilePath()), QByteArray("\r\n"));

        // Typed input: a paste replaces it and "&Clear" brings back the instructions; each is one
        // edit that Ctrl+Z takes back.
        win.Text1->setPlainText(QStringLiteral("Command: typed"));
        setClipboard(QStringLiteral("Command: pasted"));
        win.cmdPastefromClip->click();
        QCOMPARE(boxText(win.Text1), QStringLiteral("Command: pasted"));
        win.cmdParseScr->click();
        win.cmdClear->click();
        QCOMPARE(boxText(win.Text1), captureInstructionText());
        QVERIFY(boxText(win.Text2).isEmpty());
        QVERIFY(!win.cmdParseScr->isEnabled() && !win.cmdCopyToTessaline->isEnabled());
        win.Text1->undo();
        QCOMPARE(boxText(win.Text1), QStringLiteral("Command: pasted"));
        win.Text1->undo();
        QCOMPARE(boxText(win.Text1), QStringLiteral("Command: typed"));
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    void scratchFileFailureDoesNotStopTheCapture()
    {
        test::Fixture fx;
        FakeScript script;
        frmcapture win(script.source(), nullptr);
        // A folder where the scratch file should be: it cannot be written (also for root).
        QVERIFY(QDir().mkpath(frmcapture::scratchFilePath()));
        setClipboard(QString::fromLatin1(kPastedHistory));
        win.cmdPastefromClip->click();
        fx.prompter().expectMessage();
        win.cmdParseScr->click();
        QCOMPARE(boxText(win.Text2), capturedScript());
        QVERIFY(win.cmdCopyToTessaline->isEnabled());
        QCOMPARE(fx.prompter().shown().size(), 1);
        QCOMPARE(fx.prompter().last().title, alertTitle());
        QVERIFY2(fx.prompter().last().text.contains(QStringLiteral("temp.tmp")), qPrintable(fx.prompter().last().text));
    }

    void toolsMenuOpensAndResets()
    {
        test::Fixture fx;
        test::AppWindow w;
        auto *item = w->findChild<QAction *>(QStringLiteral("mnuCommandCapture"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("&Capture AutoCAD\u00AE Commands to Script"));
        QCOMPARE(w->menu(MainMenu::Tools)->actions().first(), item);
        QVERIFY(item->isVisible() && item->isEnabled());
        w->scriptFacts()->setScriptText(QStringLiteral("OLD SCRIPT"));
        w->scriptFacts()->setScriptName(QStringLiteral("old"));

        test::ModalGuard modals;
        QPointer<frmcapture> first;
        // Captured, then left with Esc: the result is emptied and both buttons disabled afterwards.
        modals.answerNextModal([&](QWidget *d) {
            first = qobject_cast<frmcapture *>(d);
            QVERIFY(first);
            QCOMPARE(first->parentWidget(), w.get());
            setClipboard(QString::fromLatin1(kPastedHistory));
            first->cmdPastefromClip->click();
            first->cmdParseScr->click();
            QCOMPARE(boxText(first->Text2), capturedScript());
            first->reject();
        });
        item->trigger();
        QVERIFY(first);
        QVERIFY(boxText(first->Text2).isEmpty());
        QVERIFY(!first->cmdParseScr->isEnabled() && !first->cmdCopyToTessaline->isEnabled());

        // The same window again with the last input; pasted in over the script after Yes.
        modals.answerNextModal([&](QWidget *d) {
            QCOMPARE(d, first.data());
            QCOMPARE(boxText(first->Text1), QString::fromLatin1(kInput));
            QVERIFY(boxText(first->Text2).isEmpty());
            first->cmdPastefromClip->click();
            first->cmdParseScr->click();
            fx.prompter().expectMessage(vbYes);
            first->cmdCopyToTessaline->click();
        });
        item->trigger();
        QCOMPARE(w->scriptFacts()->scriptText(), capturedScript());
        QCOMPARE(w->scriptFacts()->scriptName(), QString());
        QVERIFY(boxText(first->Text2).isEmpty());

        // The close box discards the window: the next opening shows the instructions again.
        modals.answerNextModal([&](QWidget *d) {
            QCOMPARE(d, first.data());
            d->close();
        });
        item->trigger();
        QTRY_VERIFY(!first);
        modals.answerNextModal([&](QWidget *d) {
            auto *fresh = qobject_cast<frmcapture *>(d);
            QVERIFY(fresh);
            QCOMPARE(boxText(fresh->Text1), captureInstructionText());
            QVERIFY(!fresh->cmdParseScr->isEnabled());
            fresh->reject();
        });
        item->trigger();
        QVERIFY(modals.allAnswered());
        QVERIFY(fx.prompter().allUsed());
    }

    void hiddenInSimpleMode()
    {
        test::Fixture fx;
        mainSettings().SimpleMode = 1;
        test::AppWindow w;
        auto *item = w->findChild<QAction *>(QStringLiteral("mnuCommandCapture"));
        QVERIFY(item);
        QVERIFY(!item->isVisible());
    }
};

QTEST_MAIN(TestCaptureWindow)
#include "tst_capturewindow.moc"
