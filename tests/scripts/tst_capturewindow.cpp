// The command capture window: pasting from the clipboard, capturing, putting the script into the
// main window (asking first over a script), clearing, the scratch file, the capture of a paste
// worked out in the background, and the Tools menu's opening with its reset after each closing.

#include "appwindow.h"
#include "core/messages.h"
#include "core/scriptfacts.h"
#include "modalguard.h"
#include "scripts/commandcapture.h"
#include "scripts/frmcapture.h"
#include "testsupport.h"
#include "widgets/boxtext.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <future>
#include <mutex>

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

// A background capture that waits until the test opens its gate (or, so that a fault cannot hang
// the test, until a time-out) and keeps the inputs it captured.
struct GatedCapture {
    struct Inputs {
        std::mutex mutex;
        QStringList list;
    };
    std::promise<void> gate;
    std::shared_future<void> opened = gate.get_future().share();
    std::shared_ptr<Inputs> inputs = std::make_shared<Inputs>();

    CapturePreparer::Capture function(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const
    {
        return [opened = opened, inputs = inputs, timeout](QStringView history) {
            opened.wait_for(timeout);
            const std::lock_guard lock(inputs->mutex);
            inputs->list << history.toString();
            return captureCommands(history);
        };
    }
    bool captured(const QString &input) const
    {
        const std::lock_guard lock(inputs->mutex);
        return inputs->list.contains(input);
    }
    void open() { gate.set_value(); }
};

// What the result box shows and keeps besides its text.
struct ResultBoxState {
    QString text;
    QFont font;
    qreal tabStop = 0;
    int wrapMode = 0;
    qreal margin = 0;
    bool undo = false, redo = false, modified = false;
    int cursor = -1, top = -1, left = -1;

    static ResultBoxState of(const QPlainTextEdit *box)
    {
        const QTextDocument *d = box->document();
        return {box->toPlainText(),
                d->defaultFont(),
                d->defaultTextOption().tabStopDistance(),
                int(d->defaultTextOption().wrapMode()),
                d->documentMargin(),
                d->isUndoAvailable(),
                d->isRedoAvailable(),
                d->isModified(),
                box->textCursor().position(),
                box->verticalScrollBar()->value(),
                box->horizontalScrollBar()->value()};
    }
    bool operator==(const ResultBoxState &) const = default;
};

char *toString(const ResultBoxState &s)
{
    return QTest::toString(QStringLiteral("%1 lines, font %2, tab %3, wrap %4, margin %5, undo %6 redo %7 modified %8, "
                                          "cursor %9, view %10/%11")
                               .arg(s.text.count(QLatin1Char('\n')) + 1)
                               .arg(s.font.toString())
                               .arg(s.tabStop)
                               .arg(s.wrapMode)
                               .arg(s.margin)
                               .arg(s.undo)
                               .arg(s.redo)
                               .arg(s.modified)
                               .arg(s.cursor)
                               .arg(s.top)
                               .arg(s.left));
}

QString longHistory(int times) { return QString::fromLatin1(kPastedHistory).repeated(times); }

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

    // The capture of a paste is made in the background and taken by the press: the box ends as the
    // capture made at the press leaves it, over a long earlier result scrolled away, with a font
    // and tab stops of its own; its old documents are freed and Ctrl+Z brings back nothing.
    void pastedCaptureMatchesTheDirectOne()
    {
        test::Fixture fx;
        FakeScript script;
        frmcapture background(script.source(), nullptr), direct(script.source(), nullptr);
        // In `direct` an edit taken back after each paste leaves the same input, captured at the
        // press.
        const auto paste = [&direct](frmcapture *win, const QString &text) {
            setClipboard(text);
            win->cmdPastefromClip->click();
            if (win == &direct) {
                win->Text1->appendPlainText(QStringLiteral("Command: typed"));
                win->Text1->undo();
                QCOMPARE(plainBoxText(win->Text1), halveDoubledLineBreaks(text));
            }
            QCOMPARE(win->capturePreparer().isPreparing(), win != &direct);
        };
        QList<QPointer<QTextDocument>> shownBefore;
        for (frmcapture *win : {&background, &direct}) {
            win->resize(600, 300);
            win->show();
            QFont font(QStringLiteral("Monospace"));
            font.setPointSize(13);
            win->Text2->setFont(font);
            win->Text2->setTabStopDistance(37);
            shownBefore << win->Text2->document();
            paste(win, longHistory(200) + QStringLiteral("Command: a line long enough to scroll ") +
                           QString(300, QLatin1Char('x')));
            win->cmdParseScr->click();
            shownBefore << win->Text2->document();
            win->Text2->verticalScrollBar()->setValue(win->Text2->verticalScrollBar()->maximum());
            win->Text2->horizontalScrollBar()->setValue(win->Text2->horizontalScrollBar()->maximum());
            QVERIFY(win->Text2->verticalScrollBar()->value() > 0 && win->Text2->horizontalScrollBar()->value() > 0);
            paste(win, longHistory(150));
        }

        background.cmdParseScr->click();
        direct.cmdParseScr->click();
        QVERIFY(!background.capturePreparer().isPreparing());
        const ResultBoxState shown = ResultBoxState::of(background.Text2);
        QCOMPARE(shown, ResultBoxState::of(direct.Text2));
        QCOMPARE(shown.text, captureCommands(plainBoxText(background.Text1)));
        QVERIFY(!shown.undo && !shown.modified && shown.cursor == 0 && shown.top == 0);
        QVERIFY(background.cmdCopyToTessaline->isEnabled());
        QVERIFY(!shownBefore[0] && !shownBefore[1]);

        // The result stays editable with its own undo history, and the press does not bring back
        // what the box showed before.
        background.Text2->undo();
        QCOMPARE(background.Text2->toPlainText(), shown.text);
        background.Text2->insertPlainText(QStringLiteral("ZOOM\n"));
        QVERIFY(background.Text2->document()->isModified());
        background.Text2->undo();
        QCOMPARE(background.Text2->toPlainText(), shown.text);
        QCOMPARE(script.writes, 0);
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    // An edit of the input after the paste is what the press captures, whether the work for the
    // paste is still running (the press does not wait for it) or done.
    void editAfterPasteIsCaptured_data()
    {
        QTest::addColumn<bool>("stillWorking");
        QTest::newRow("while working") << true;
        QTest::newRow("after the work") << false;
    }
    void editAfterPasteIsCaptured()
    {
        QFETCH(bool, stillWorking);
        test::Fixture fx;
        FakeScript script;
        frmcapture win(script.source(), nullptr);
        GatedCapture gated;
        win.capturePreparer().setCapture(gated.function());
        setClipboard(QString::fromLatin1(kPastedHistory));
        win.cmdPastefromClip->click();
        if (!stillWorking) {
            gated.open();
            win.capturePreparer().wait();
        }
        win.Text1->moveCursor(QTextCursor::End);
        win.Text1->insertPlainText(QStringLiteral("Command: typed"));
        QVERIFY(!win.capturePreparer().isPreparing());
        const auto start = std::chrono::steady_clock::now();
        win.cmdParseScr->click();
        QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(5));
        const QString edited = QString::fromLatin1(kInput) + QStringLiteral("Command: typed");
        QCOMPARE(boxText(win.Text2), captureCommands(edited));
        QCOMPARE(test::fileBytes(frmcapture::scratchFilePath()),
                 edited.toLatin1().replace("\n", "\r\n") + QByteArray("\r\n"));
        if (stillWorking)
            gated.open();
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    // The press right after the paste waits for the work and takes its result; the work is of the
    // text the box holds, also where that differs from the clipboard's (a line separator).
    void pressRightAfterPasteWaits_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("input");
        QTest::newRow("history") << QString::fromLatin1(kPastedHistory) << QString::fromLatin1(kInput);
        QTest::newRow("line separator") << QStringLiteral("Command: LINE\u2028Specify first point: 0,0")
                                        << QStringLiteral("Command: LINE\nSpecify first point: 0,0");
    }
    void pressRightAfterPasteWaits()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, input);
        test::Fixture fx;
        FakeScript script;
        frmcapture win(script.source(), nullptr);
        GatedCapture gated;
        win.capturePreparer().setCapture(gated.function(std::chrono::milliseconds(300)));
        setClipboard(clipboard);
        win.cmdPastefromClip->click();
        QCOMPARE(plainBoxText(win.Text1), input);
        win.cmdParseScr->click();
        QVERIFY(gated.captured(input));
        QCOMPARE(boxText(win.Text2), captureCommands(input));
        QCOMPARE(test::fileBytes(frmcapture::scratchFilePath()),
                 input.toUtf8().replace("\n", "\r\n") + QByteArray("\r\n"));
        QVERIFY(win.cmdCopyToTessaline->isEnabled());
    }

    // "&Clear", closing and destroying the window while the work runs: nothing of it shows later
    // (the sanitizer build also finds no leak of its document).
    void clearCloseAndDestroyWhileWorking()
    {
        test::Fixture fx;
        FakeScript script;
        GatedCapture gated;
        QPointer<frmcapture> win = new frmcapture(script.source(), nullptr);
        win->capturePreparer().setCapture(gated.function());
        win->show();
        setClipboard(QString::fromLatin1(kPastedHistory));
        win->cmdPastefromClip->click();
        win->cmdClear->click();
        QVERIFY(!win->capturePreparer().isPreparing());
        QCOMPARE(boxText(win->Text1), captureInstructionText());
        QVERIFY(!win->cmdParseScr->isEnabled());
        gated.open();
        QTest::qWait(50);
        QVERIFY(boxText(win->Text2).isEmpty());

        GatedCapture slow;
        win->capturePreparer().setCapture(slow.function(std::chrono::milliseconds(200)));
        win->cmdPastefromClip->click();
        win->close();
        QVERIFY(win->wasUnloaded());
        win->resetAfterClosing();
        QVERIFY(!win->capturePreparer().isPreparing());
        win->cmdPastefromClip->click();
        delete win.data();
        QVERIFY(!win);
        QVERIFY(fx.prompter().shown().isEmpty());
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
