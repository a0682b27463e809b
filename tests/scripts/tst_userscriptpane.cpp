// The user-script pane through its real controls: save, load, append, delete, read-only, clear,
// the Create-button rule, the list filter and folder, and the simple-mode selector.

#include "core/mainsettings.h"
#include "fakeparts.h"
#include "scripts/scriptfilelist.h"
#include "scripts/scriptlibrary.h"
#include "scripts/simplescriptselector.h"
#include "scripts/userscriptpane.h"
#include "testsupport.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

using namespace tess;

namespace {

// A pane with a fake queue and Create buttons, on a temporary program folder.
struct Harness {
    test::TempProgramFolder tmp;
    test::ScriptedPrompter prompts;
    UserScriptPane pane;
    test::FakeQueue queue;
    test::FakeFileSelection files;
    bool createEnabled = false;
    QList<bool> metaScans;

    Harness()
    {
        mainSettings() = MainSettings();
        mainSettings().SCROutputPath = tmp.path() + QStringLiteral("Out/tessaline.scr");
        QDir(tmp.path()).mkdir(QStringLiteral("Out"));
        pane.setSources(&queue, &files);
        QObject::connect(&pane, &UserScriptPane::createButtonsEnabledRequested,
                         [this](bool on) { createEnabled = on; });
        QObject::connect(&pane, &UserScriptPane::metaScanRequested, [this](bool sort) { metaScans.append(sort); });
        pane.setScriptListFolder(scripts());
        mainSettings().SCRChanged = false;
    }
    void setQueued(int n) { queue.setEntries(QStringList(n, QStringLiteral("C:\\DWG\\A.dwg"))); }
    QString scripts() const { return tmp.path() + QStringLiteral("SCRIPTS/"); }
    template <typename T> T *get(const char *name) const
    {
        T *w = pane.findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QPlainTextEdit *text1() const { return get<QPlainTextEdit>("Text1"); }
    QLineEdit *text2() const { return get<QLineEdit>("Text2"); }
    ScriptFileList *list() const { return get<ScriptFileList>("File2"); }
    void click(const char *button) const { get<QPushButton>(button)->click(); }
    void type(const QString &text) const
    {
        text1()->setFocus();
        text1()->moveCursor(QTextCursor::End);
        text1()->insertPlainText(text);
    }
    // Picks a list entry as a click does.
    void pick(const QString &fileName) const
    {
        list()->refresh();
        const auto items = list()->findItems(fileName, Qt::MatchFixedString);
        QVERIFY2(!items.isEmpty(), qPrintable(fileName));
        list()->setCurrentItem(nullptr);
        list()->setCurrentItem(items.first());
    }
};

} // namespace

class TestUserScriptPane : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captionsAreTheDesignTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("folder switch") << "chkProjDir"
                                       << "Display Scripts found in Drawing Directory";
        QTest::newRow("name label") << "Label14"
                                    << "User Script Name:";
        QTest::newRow("save") << "cmdSAVESCR"
                              << "&Save";
        QTest::newRow("delete") << "cmdDeleteSCR"
                                << "&Delete";
        QTest::newRow("clear") << "cmdClearSCREditor"
                               << "C&lear";
        QTest::newRow("undo") << "Command2"
                              << "&Undo";
        QTest::newRow("read-only") << "chkReadOnly"
                                   << "Read-Only";
        QTest::newRow("append") << "chkAppend"
                                << "Append";
    }
    void captionsAreTheDesignTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Harness h;
        QObject *c = h.pane.findChild<QObject *>(name);
        QVERIFY(c);
        QCOMPARE(c->property("text").toString(), caption);
        if (name == QLatin1String("cmdDeleteSCR")) // the one button with a picture
            QVERIFY(!qobject_cast<QPushButton *>(c)->icon().isNull());
    }

    // The script's first character stands clear of the box's frame, whatever the font draws at its
    // left edge.
    void scriptTextHasALeftMargin()
    {
        Harness h;
        h.text1()->setPlainText(QStringLiteral("_ZOOM\n_E"));
        const QRect first = h.text1()->cursorRect(QTextCursor(h.text1()->document()));
        QVERIFY2(first.left() >= twipsToPixels(120), qPrintable(QString::number(first.left())));
    }

    void saveThenLoadIsByteExactAndWritesTheCopy()
    {
        Harness h;
        h.setQueued(1);
        h.type(QStringLiteral("  _ZOOM\nE  "));
        h.text2()->setText(QStringLiteral("MyScript"));
        QVERIFY(mainSettings().SCRChanged);
        h.click("cmdSAVESCR");
        QVERIFY(h.prompts.shown().isEmpty());
        QVERIFY(!mainSettings().SCRChanged);
        // The script file holds the text without the outer blanks, the copy keeps them.
        QCOMPARE(test::fileBytes(h.scripts() + QStringLiteral("MyScript.scr")), QByteArray("_ZOOM\r\nE\r\n"));
        QCOMPARE(test::fileBytes(h.tmp.path() + QStringLiteral("Out/tessaline-tester.scr")),
                 QByteArray("  _ZOOM\r\nE  \r\n"));
        QCOMPARE(h.list()->count(), 1);

        h.click("cmdClearSCREditor");
        QVERIFY(h.text1()->toPlainText().isEmpty());
        QVERIFY(!h.createEnabled);
        h.pick(QStringLiteral("MyScript.scr"));
        QVERIFY(h.prompts.shown().isEmpty());
        QCOMPARE(h.pane.scriptText(), QStringLiteral("_ZOOM\nE"));
        QCOMPARE(h.text2()->text(), QStringLiteral("MyScript"));
        QVERIFY(!mainSettings().SCRChanged);
        QVERIFY(h.createEnabled);
        // Saved again unchanged, the file keeps its bytes.
        h.click("cmdSAVESCR");
        QCOMPARE(test::fileBytes(h.scripts() + QStringLiteral("MyScript.scr")), QByteArray("_ZOOM\r\nE\r\n"));
    }

    void loadKeepsTheFileTextExactly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("create");
        QTest::newRow("crlf") << QByteArray("ZOOM E\r\n") << "ZOOM E" << true;
        QTest::newRow("no line end") << QByteArray("ZOOM E") << "ZOOM E" << true;
        QTest::newRow("empty file") << QByteArray() << "" << false;
        QTest::newRow("only crlf") << QByteArray("\r\n") << "" << false;
        QTest::newRow("no-break space kept") << QByteArray("A\xc2\xa0"
                                                           "B\r\n")
                                             << QString::fromUtf8("A\u00a0B") << true;
    }
    void loadKeepsTheFileTextExactly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, create);
        Harness h;
        h.setQueued(2);
        h.type(QStringLiteral("OLD"));
        mainSettings().SCRChanged = false;
        h.tmp.writeFile(QStringLiteral("SCRIPTS/F.scr"), bytes);
        h.pick(QStringLiteral("F.scr"));
        QCOMPARE(h.pane.scriptText(), text);
        QCOMPARE(h.text2()->text(), QStringLiteral("F"));
        // The Create buttons follow the rule alone: the queue is not empty, the script may be.
        QCOMPARE(h.createEnabled, create);
        if (text.isEmpty())
            h.prompts.expectMessage();
        h.click("cmdSAVESCR");
        if (!text.isEmpty())
            QCOMPARE(test::fileBytes(h.scripts() + QStringLiteral("F.scr")), fileBytesFromText(text));
        else
            QVERIFY(h.prompts.last().text.contains(QStringLiteral("empty")));
    }

    void createButtonRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("queue");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("text and queue") << "ZOOM" << 1 << true;
        QTest::newRow("text, empty queue") << "ZOOM" << 0 << false;
        QTest::newRow("empty text, queue") << "" << 3 << false;
        QTest::newRow("neither") << "" << 0 << false;
        QTest::newRow("a blank is text") << " " << 1 << true;
    }
    void createButtonRule()
    {
        QFETCH(QString, text);
        QFETCH(int, queue);
        QFETCH(bool, enabled);
        Harness h;
        h.setQueued(queue);
        h.createEnabled = !enabled;
        h.type(QStringLiteral("X"));
        h.text1()->selectAll();
        h.text1()->insertPlainText(text);
        if (text.isEmpty()) // deleting the last character
            QTest::keyClick(h.text1(), Qt::Key_Backspace);
        QCOMPARE(h.createEnabled, enabled);
        QVERIFY(mainSettings().SCRChanged);
    }

    void saveRefusals()
    {
        Harness h;
        // No name: a message, the focus in the name box, the changed mark stays, nothing written.
        h.pane.show();
        QVERIFY(QTest::qWaitForWindowActive(&h.pane));
        h.type(QStringLiteral("ZOOM E"));
        h.prompts.expectMessage();
        h.click("cmdSAVESCR");
        QCOMPARE(QApplication::focusWidget(), h.text2());
        QVERIFY(mainSettings().SCRChanged);
        QCOMPARE(QDir(h.scripts()).entryList(QDir::Files), QStringList());

        // Names that could leave the folder or name a device.
        for (const QString &bad : {QStringLiteral("..\\..\\evil"), QStringLiteral("../evil"), QStringLiteral("a:b"),
                                   QStringLiteral("CON"), QStringLiteral("x..y")}) {
            h.text2()->setText(bad);
            h.prompts.expectMessage();
            h.click("cmdSAVESCR");
            QVERIFY(mainSettings().SCRChanged);
        }
        QCOMPARE(QDir(h.scripts()).entryList(QDir::Files), QStringList());
        QCOMPARE(QDir(h.tmp.path()).entryList({"evil*"}), QStringList());
        QVERIFY(h.prompts.last().text.contains(QStringLiteral("..")));

        // An empty script: a message, nothing written.
        h.text2()->setText(QStringLiteral("Empty"));
        h.click("cmdClearSCREditor");
        h.text2()->setText(QStringLiteral("Empty"));
        h.prompts.expectMessage();
        h.click("cmdSAVESCR");
        QVERIFY(!QFile::exists(h.scripts() + QStringLiteral("Empty.scr")));
        QVERIFY(h.prompts.allUsed());
    }

    void saveWithoutListedFolderWritesNothing()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompts;
        mainSettings() = MainSettings();
        // No script folder could be shown (none exists): the name alone must not land in the
        // current folder.
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(tmp.path());
        UserScriptPane pane;
        pane.setScriptText(QStringLiteral("ZOOM E"));
        pane.setScriptName(QStringLiteral("Stray"));
        prompts.expectMessage();
        pane.cmdSAVESCR_Click();
        QDir::setCurrent(cwd);
        QVERIFY(prompts.allUsed());
        QVERIFY(!QFile::exists(tmp.path() + QStringLiteral("Stray.scr")));
        QVERIFY(mainSettings().SCRChanged);
    }

    void saveFailuresAreReported()
    {
        Harness h;
        h.type(QStringLiteral("ZOOM E"));
        // The script file cannot be written: the file and the reason are named, the mark stays.
        h.text2()->setText(QStringLiteral("Blocked"));
        QDir(h.scripts()).mkdir(QStringLiteral("Blocked.scr"));
        h.prompts.expectMessage();
        h.click("cmdSAVESCR");
        QVERIFY(h.prompts.last().text.contains(h.scripts() + QStringLiteral("Blocked.scr")));
        QVERIFY(mainSettings().SCRChanged);

        // Only the copy fails: the script is saved, then a warning of its own.
        mainSettings().SCROutputPath = h.tmp.path() + QStringLiteral("NoSuchFolder/tessaline.scr");
        h.text2()->setText(QStringLiteral("Good"));
        h.prompts.expectMessage();
        h.click("cmdSAVESCR");
        QCOMPARE(test::fileBytes(h.scripts() + QStringLiteral("Good.scr")), QByteArray("ZOOM E\r\n"));
        QVERIFY(h.prompts.last().text.contains(QStringLiteral("NoSuchFolder")));
        QVERIFY(!mainSettings().SCRChanged);

        // No output folder at all: no copy and no warning.
        mainSettings().SCROutputPath.clear();
        h.type(QStringLiteral(" "));
        h.click("cmdSAVESCR");
        QVERIFY(h.prompts.allUsed());
    }

    void discardQuestion()
    {
        Harness h;
        h.setQueued(1);
        mainSettings().METAEnabled = 1;
        h.tmp.writeFile(QStringLiteral("SCRIPTS/B.scr"), "B\r\n");
        h.type(QStringLiteral("edited"));
        h.metaScans.clear();
        const bool createBefore = h.createEnabled;
        // No: nothing changes, no META scan; the next click asks again.
        h.prompts.expectMessage(vbNo);
        h.pick(QStringLiteral("B.scr"));
        QVERIFY(h.prompts.last().text.startsWith(
            QStringLiteral("Are you sure you want to discard changes in \"UNNAMED\" user-script?")));
        QCOMPARE(h.prompts.last().title, QStringLiteral(" Discard Changes?"));
        QCOMPARE(h.prompts.last().style, int(vbYesNo + vbExclamation + vbDefaultButton2));
        QCOMPARE(h.pane.scriptText(), QStringLiteral("edited"));
        QCOMPARE(h.text2()->text(), QString());
        QVERIFY(h.metaScans.isEmpty());
        QCOMPARE(h.createEnabled, createBefore);
        QVERIFY(mainSettings().SCRChanged);
        // Yes: loaded, META applied with the sort commands.
        h.prompts.expectMessage(vbYes);
        h.pick(QStringLiteral("B.scr"));
        QCOMPARE(h.pane.scriptText(), QStringLiteral("B"));
        QCOMPARE(h.metaScans, QList<bool>{true});
        // No with a name: the name is selected from where its caret stood to its end.
        h.pane.setScriptName(QStringLiteral("MYSCRIPT"));
        h.type(QStringLiteral(" edited"));
        h.text2()->setCursorPosition(2);
        h.prompts.expectMessage(vbNo);
        h.pick(QStringLiteral("B.scr"));
        QCOMPARE(h.text2()->selectedText(), QStringLiteral("SCRIPT"));
        QCOMPARE(h.pane.scriptText(), QStringLiteral("B edited"));
        QVERIFY(h.prompts.allUsed());
    }

    void appendThenAskBeforeReplacing()
    {
        Harness h;
        h.tmp.writeFile(QStringLiteral("SCRIPTS/B.scr"), "LINE B\r\n");
        h.type(QStringLiteral("LINE A"));
        h.text2()->setText(QStringLiteral("Keep"));
        auto *append = h.get<QCheckBox>("chkAppend");
        append->setChecked(true);
        h.pick(QStringLiteral("B.scr")); // no question while appending
        QCOMPARE(h.pane.scriptText(), QStringLiteral("LINE A\nLINE B"));
        QCOMPARE(h.text1()->textCursor().position(), h.text1()->toPlainText().size());
        QCOMPARE(h.text2()->text(), QStringLiteral("Keep"));
        QVERIFY(!append->isChecked());
        QVERIFY(mainSettings().SCRChanged);
        h.prompts.expectMessage(vbNo);
        h.pick(QStringLiteral("B.scr"));
        QVERIFY(h.prompts.allUsed());
        // Appending to an empty script gives the file text alone.
        h.click("cmdClearSCREditor");
        append->setChecked(true);
        h.pick(QStringLiteral("B.scr"));
        QCOMPARE(h.pane.scriptText(), QStringLiteral("LINE B"));
    }

    void clicksLoadOncePerClick()
    {
        Harness h;
        h.tmp.writeFile(QStringLiteral("SCRIPTS/B.scr"), "B\r\n");
        h.pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.pane));
        h.list()->refresh();
        int editorOpened = 0;
        QObject::connect(&h.pane, &UserScriptPane::editorRequested, [&] { ++editorOpened; });
        h.type(QStringLiteral("A"));
        h.get<QCheckBox>("chkAppend")->setChecked(true);
        const QPoint at = h.list()->visualItemRect(h.list()->item(0)).center();
        // A double-click loads once (appending once), then opens the editor on it.
        QTest::mouseClick(h.list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(h.list()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(h.pane.scriptText(), QStringLiteral("A\nB"));
        QCOMPARE(editorOpened, 1);
        // A click on the entry already picked loads it again.
        h.prompts.expectMessage(vbYes);
        QTest::mouseClick(h.list()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(h.pane.scriptText(), QStringLiteral("B"));
        QVERIFY(h.prompts.allUsed());
    }

    void readOnlyActsOnTheListedFile()
    {
        Harness h;
        const QString listed = h.tmp.writeFile(QStringLiteral("SCRIPTS/Ro.scr"), "X\r\n");
        setReadOnlyFile(listed, true);
        auto *ro = h.get<QCheckBox>("chkReadOnly");
        h.text2()->setText(QStringLiteral("ro")); // names compare ignoring case
        QVERIFY(ro->isChecked());
        QVERIFY(!h.get<QPushButton>("cmdSAVESCR")->isEnabled());
        QVERIFY(!h.get<QPushButton>("cmdDeleteSCR")->isEnabled());
        // Unticking makes exactly the listed file writable again.
        ro->setChecked(false);
        QVERIFY(!isReadOnlyFile(listed));
        QVERIFY(h.get<QPushButton>("cmdSAVESCR")->isEnabled());
        ro->setChecked(true);
        QVERIFY(isReadOnlyFile(listed));
        // Another listed folder holding a writable file of that name: the box follows that file.
        const QString other = h.tmp.path() + QStringLiteral("Other/");
        h.tmp.writeFile(QStringLiteral("Other/RO.SCR"), "Y\r\n");
        QVERIFY(h.pane.setScriptListFolder(other));
        QVERIFY(!ro->isChecked());
        QVERIFY(isReadOnlyFile(listed));
        // An unsaved name: ticking only disables Save and Delete.
        h.text2()->setText(QStringLiteral("Unsaved"));
        ro->setChecked(true);
        QVERIFY(!h.get<QPushButton>("cmdSAVESCR")->isEnabled());
        QVERIFY(h.prompts.shown().isEmpty());
    }

    void deleteCases()
    {
        Harness h;
        h.tmp.writeFile(QStringLiteral("SCRIPTS/A.scr"), "A\r\n");
        const QString ro = h.tmp.writeFile(QStringLiteral("SCRIPTS/Ro.scr"), "R\r\n");
        setReadOnlyFile(ro, true);
        // Nothing picked: no question.
        h.list()->refresh();
        h.click("cmdDeleteSCR");
        QVERIFY(h.prompts.shown().isEmpty());
        // No changes nothing.
        h.pick(QStringLiteral("A.scr"));
        h.prompts.expectMessage(vbNo);
        h.click("cmdDeleteSCR");
        QCOMPARE(h.prompts.last().text, QStringLiteral("Are you sure you want to delete A.scr?"));
        QCOMPARE(h.prompts.last().title, QStringLiteral("Confirm Delete"));
        QVERIFY(QFile::exists(h.scripts() + QStringLiteral("A.scr")));
        QCOMPARE(h.pane.scriptText(), QStringLiteral("A"));
        // Yes deletes the picked file and empties both boxes.
        h.type(QStringLiteral("x"));
        h.prompts.expectMessage(vbYes);
        h.click("cmdDeleteSCR");
        QVERIFY(!QFile::exists(h.scripts() + QStringLiteral("A.scr")));
        QVERIFY(h.pane.scriptText().isEmpty());
        QVERIFY(h.text2()->text().isEmpty());
        QVERIFY(!mainSettings().SCRChanged);
        // A read-only script is refused with a reason; nothing changes.
        h.pick(QStringLiteral("Ro.scr"));
        h.get<QPushButton>("cmdDeleteSCR")->setEnabled(true); // the button as any caller could press it
        h.prompts.expectMessage();
        h.click("cmdDeleteSCR");
        QVERIFY(h.prompts.last().text.contains(QStringLiteral("read-only")));
        QVERIFY(QFile::exists(ro));
        QCOMPARE(h.pane.scriptText(), QStringLiteral("R"));
        QVERIFY(h.prompts.allUsed());
    }

    void clearGoesThroughUndo()
    {
        Harness h;
        h.setQueued(1);
        h.type(QStringLiteral("ZOOM E\nREGEN"));
        h.text2()->setText(QStringLiteral("Named"));
        h.click("cmdClearSCREditor");
        QVERIFY(h.pane.scriptText().isEmpty());
        QVERIFY(h.text2()->text().isEmpty());
        QVERIFY(!mainSettings().SCRChanged);
        QVERIFY(!h.createEnabled);
        h.click("Command2");
        QCOMPARE(h.pane.scriptText(), QStringLiteral("ZOOM E\nREGEN"));
        QVERIFY(h.createEnabled);
        h.click("cmdClearSCREditor");
        QTest::keyClick(h.text1(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h.pane.scriptText(), QStringLiteral("ZOOM E\nREGEN"));
    }

    void filterAndFolder()
    {
        Harness h;
        for (const char *n : {"title-a.scr", "purge.scr", "x;y.scr", "title.txt"})
            h.tmp.writeFile(QStringLiteral("SCRIPTS/") + QLatin1String(n), "X\r\n");
        auto *filter = h.get<QLineEdit>("scrFilter");
        filter->setText(QStringLiteral("TITLE"));
        QCOMPARE(h.list()->pattern(), QStringLiteral("*TITLE*.scr"));
        QCOMPARE(h.list()->count(), 1);
        QCOMPARE(mainSettings().SCRPattern, QStringLiteral("TITLE"));
        filter->setText(QStringLiteral("x;y"));
        QCOMPARE(h.list()->count(), 1);
        // A pattern the list refuses: all scripts, the stored filter keeps its value.
        filter->setText(QStringLiteral("a/b"));
        QCOMPARE(h.list()->pattern(), QStringLiteral("*.scr"));
        QCOMPARE(mainSettings().SCRPattern, QStringLiteral("x;y"));
        QTest::mouseDClick(filter, Qt::LeftButton);
        QVERIFY(filter->text().isEmpty());
        QCOMPARE(h.list()->pattern(), QStringLiteral("**.scr"));
        QCOMPARE(h.list()->count(), 3);
        QCOMPARE(mainSettings().SCRPattern, QString());

        // The drawing folder while "Display Scripts found in Drawing Directory" is ticked.
        h.files.folderPath = h.tmp.path() + QStringLiteral("Drawings");
        h.tmp.writeFile(QStringLiteral("Drawings/local.scr"), "L\r\n");
        h.get<QCheckBox>("chkProjDir")->setChecked(true);
        QCOMPARE(h.pane.scriptListFolder(), h.files.folderPath);
        QCOMPARE(h.list()->count(), 1);
        h.tmp.writeFile(QStringLiteral("More/m1.scr"), "M\r\n");
        h.tmp.writeFile(QStringLiteral("More/m2.scr"), "M\r\n");
        h.pane.drawingFolderChanged(h.tmp.path() + QStringLiteral("More"));
        QCOMPARE(h.list()->count(), 2);
        // Unticked: back to the script folder of the settings, whichever folder start-up chose.
        mainSettings().SCRIPTSDir = h.tmp.path() + QStringLiteral("Shared");
        h.tmp.writeFile(QStringLiteral("Shared/s.scr"), "S\r\n");
        h.get<QCheckBox>("chkProjDir")->setChecked(false);
        QCOMPARE(h.pane.scriptListFolder(), mainSettings().SCRIPTSDir);
        QCOMPARE(h.list()->count(), 1);
    }

    void missingFolderNamesItAndKeepsTheDrawingFolder()
    {
        Harness h;
        h.files.folderPath = h.tmp.path() + QStringLiteral("Lost/Deeper");
        const QString folder = h.tmp.path() + QStringLiteral("Gone/");
        h.tmp.writeFile(QStringLiteral("Gone/g.scr"), "G\r\n");
        QVERIFY(h.pane.setScriptListFolder(folder));
        h.type(QStringLiteral("KEEP"));
        mainSettings().SCRChanged = false;
        h.pick(QStringLiteral("g.scr"));
        QVERIFY(QDir(folder).removeRecursively());
        h.list()->setCurrentRow(-1);
        h.prompts.expectMessage();
        h.list()->setCurrentRow(0);
        QCOMPARE(h.prompts.last().title, QStringLiteral(" Error #76 was generated by Tessaline."));
        QVERIFY(h.prompts.last().text.contains(folder));
        QVERIFY(QFileInfo(h.files.folderPath).isDir());
        QCOMPARE(h.pane.scriptText(), QStringLiteral("G"));
    }

    void metaScanGates()
    {
        Harness h;
        h.tmp.writeFile(QStringLiteral("SCRIPTS/M.scr"), "testrun=true\r\n");
        mainSettings().METAEnabled = 1;
        mainSettings().METAImmediate = 0;
        h.type(QStringLiteral("x"));
        QVERIFY(h.metaScans.isEmpty());
        mainSettings().METAImmediate = 1;
        h.type(QStringLiteral("y"));
        QCOMPARE(h.metaScans, QList<bool>{false});
        mainSettings().SCRChanged = false;
        h.metaScans.clear();
        h.pick(QStringLiteral("M.scr"));
        QCOMPARE(h.metaScans.last(), true);
    }

    void simpleModeLoadsOnlyWhatItCanRead()
    {
        Harness h;
        h.setQueued(1);
        h.files.folderPath = h.tmp.path() + QStringLiteral("Lost/Deeper");
        SimpleScriptSelector sel(&h.pane);
        QCOMPARE(SimpleScriptSelector::simpleScriptsFolder(), h.tmp.path() + QStringLiteral("SCRIPTS-SIMPLE/"));
        h.tmp.writeFile(QStringLiteral("SCRIPTS-SIMPLE/Purge.scr"), "_PURGE\r\n_A\r\n");
        h.tmp.writeFile(QStringLiteral("SCRIPTS-SIMPLE/Zoom.scr"), "ZOOM E\r\n");
        QVERIFY(sel.setFolder(SimpleScriptSelector::simpleScriptsFolder()));
        auto *list = sel.findChild<ScriptFileList *>(QStringLiteral("fsSimpleScript"));
        sel.findChild<QLineEdit *>(QStringLiteral("tbScrSelFilter"))->setText(QStringLiteral("pur"));
        QCOMPARE(list->count(), 1);
        // Nothing picked: a message and no script for the composer.
        h.prompts.expectMessage();
        QVERIFY(!sel.reloadBeforeComposing());
        list->setCurrentRow(0); // picking loads at once, replacing the script
        QCOMPARE(h.pane.scriptText(), QStringLiteral("_PURGE\n_A"));
        QVERIFY(h.createEnabled);
        QVERIFY(sel.reloadBeforeComposing());
        // The picked script went away: a click passes silently and the list drops it; before a
        // composition a message, the script stays, no batch script.
        QFile::remove(h.tmp.path() + QStringLiteral("SCRIPTS-SIMPLE/Purge.scr"));
        h.prompts.expectMessage();
        QVERIFY(!sel.reloadBeforeComposing());
        QCOMPARE(h.pane.scriptText(), QStringLiteral("_PURGE\n_A"));
        QVERIFY(h.prompts.allUsed());
        h.tmp.writeFile(QStringLiteral("SCRIPTS-SIMPLE/Purge.scr"), "_PURGE\r\n_A\r\n");
        list->refresh();
        list->setCurrentRow(0);
        QFile::remove(h.tmp.path() + QStringLiteral("SCRIPTS-SIMPLE/Purge.scr"));
        QVERIFY(!sel.fsSimpleScript_Click());
        QCOMPARE(list->count(), 0);
        QCOMPARE(h.pane.scriptText(), QStringLiteral("_PURGE\n_A"));
        // The folder went away: the working-path box, and the drawing folder is kept usable.
        h.tmp.writeFile(QStringLiteral("SCRIPTS-SIMPLE/Zoom2.scr"), "ZOOM\r\n");
        sel.findChild<QLineEdit *>(QStringLiteral("tbScrSelFilter"))->setText(QString());
        list->setCurrentRow(0);
        QVERIFY(QDir(h.tmp.path() + QStringLiteral("SCRIPTS-SIMPLE")).removeRecursively());
        h.prompts.expectMessage();
        QVERIFY(!sel.fsSimpleScript_Click());
        QCOMPARE(h.prompts.last().title, QStringLiteral(" Error #76 was generated by Tessaline."));
        QVERIFY(QFileInfo(h.files.folderPath).isDir());
        QVERIFY(h.prompts.allUsed());
    }
};

QTEST_MAIN(TestUserScriptPane)
#include "tst_userscriptpane.moc"
