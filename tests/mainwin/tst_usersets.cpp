// The five User Sets of the main window, switched through the real option buttons: what a switch
// writes into the old set's files, what it reads back from the new set's, and what a failed save
// reports.

#include "appwindow.h"
#include "core/drawingqueue.h"
#include "core/mainsettings.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuelistview.h"
#include "mainwindowfixture.h"
#include "panecontrols.h"
#include "scripts/userscriptpane.h"
#include "testsupport.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace tess;

namespace {

// A program folder with two drawing folders A and B, and the main window with its script pane
// showing folder A. Any message box that a test does not expect fails it.
struct Window {
    test::TempProgramFolder tmp;
    test::ScriptedPrompter prompts;
    QString folderA;
    QString folderB;
    std::unique_ptr<test::MainWindowFixture> main;
    frmMain *w = nullptr;
    UserScriptPane *pane = nullptr;

    explicit Window(qint16 face = 0)
    {
        QDir(tmp.folder()).mkpath(QStringLiteral("dwgA"));
        QDir(tmp.folder()).mkpath(QStringLiteral("dwgB"));
        folderA = tmp.path() + QStringLiteral("dwgA");
        folderB = tmp.path() + QStringLiteral("dwgB");
        main = std::make_unique<test::MainWindowFixture>(folderA, [this, face](MainSettings &s) {
            s.ProgramPath = tmp.path();
            s.SaveAsOriginalLocation = MainSettings().SaveAsOriginalLocation;
            s.SaveAsType = MainSettings().SaveAsType;
            s.Face = face;
        });
        w = main->w;
        pane = w->findChild<UserScriptPane *>();
        if (!pane)
            qFatal("no script pane");
    }
    void fill(const QStringList &queue, const QString &script, const QString &name) const
    {
        w->queue()->replace(queue);
        pane->setScriptText(script);
        pane->setScriptName(name);
    }
    void press(int set) const { w->frmSet->optPage[set]->click(); }
    QString file(int set, const char *ending) const
    {
        return tmp.data() + QStringLiteral("tester-%1").arg(set) + QLatin1String(ending);
    }
    QString text1() const { return main->get<QPlainTextEdit>("Text1")->toPlainText(); }
    QString text2() const { return main->get<QLineEdit>("Text2")->text(); }
};

} // namespace

class TestUserSets : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startSelectsTheStoredSetWithoutASwitch_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("selected");
        QTest::newRow("set 3") << 3 << 3;
        QTest::newRow("outside 0 to 4") << 7 << 0;
    }
    void startSelectsTheStoredSetWithoutASwitch()
    {
        QFETCH(int, stored);
        QFETCH(int, selected);
        Window win{qint16(stored)};
        QVERIFY(win.w->frmSet->optPage[selected]->isChecked());
        QCOMPARE(int(mainSettings().Face), selected);
        QCOMPARE(QDir(win.tmp.data()).entryList(QDir::Files), QStringList());
    }

    void switchToANeverSavedSetEmptiesQueueScriptAndName()
    {
        Window win;
        win.fill({"/dwg/a.dwg", "/dwg/b.dwg"}, "ZOOM E\n_QSAVE", "purge");
        const QString drive = test::selectorControl<DriveListBox>(win.w, "Drive1")->drive();
        win.press(2);

        QVERIFY(win.w->frmSet->optPage[2]->isChecked());
        QCOMPARE(int(mainSettings().Face), 2);
        QCOMPARE(win.w->queuePane()->queueEntries(), QStringList());
        QCOMPARE(win.text1(), QString());
        QCOMPARE(win.text2(), QString());
        QCOMPARE(test::selectorControl<DirListBox>(win.w, "Dir1")->path(), win.folderA);
        QVERIFY(!test::queueControl<QPushButton>(win.w, "cmdRemoveAllDwg")->isEnabled());
        QVERIFY(!win.w->Command1_Compile->isEnabled());
        // Set 0 was written as it stood; set 2 still has no files.
        QCOMPARE(test::fileBytes(win.file(0, "-list.tmp")), QByteArray("/dwg/a.dwg\r\n/dwg/b.dwg\r\n"));
        QCOMPARE(test::fileBytes(win.file(0, "-scr.tmp")), QByteArray("ZOOM E\r\n_QSAVE\r\n"));
        QCOMPARE(test::fileBytes(win.file(0, "-s.tmp")), QByteArray("purge\r\n"));
        QCOMPARE(test::fileBytes(win.file(0, "-path.tmp")), (drive + "\r\n" + win.folderA + "\r\n").toUtf8());
        QVERIFY(!QFileInfo::exists(win.file(2, "-list.tmp")));
    }

    void leavingAndReenteringASetRestoresIt_data()
    {
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("name");
        QTest::newRow("entries and a script") << QStringList{"/dwg/x 1.dwg", "/dwg/y.dwg"} << "ZOOM E\n_QSAVE"
                                              << "purge";
        QTest::newRow("script ending in line breaks") << QStringList{"/dwg/x.dwg"} << "LINE\n0,0\n\n\n"
                                                      << "lines";
        QTest::newRow("empty queue, script and name") << QStringList() << QString() << QString();
    }
    void leavingAndReenteringASetRestoresIt()
    {
        QFETCH(QStringList, queue);
        QFETCH(QString, script);
        QFETCH(QString, name);
        Window win;
        win.fill(queue, script, name);
        win.press(1);
        QVERIFY(win.w->fileSelector()->setDirPath(win.folderB));
        win.fill({"/other/z.dwg"}, "OTHER", "other");
        win.press(0);

        QCOMPARE(win.w->queuePane()->queueEntries(), queue);
        QCOMPARE(win.pane->scriptText(), script);
        QCOMPARE(win.text2(), name);
        QCOMPARE(test::selectorControl<DirListBox>(win.w, "Dir1")->path(), win.folderA);
        QCOMPARE(test::queueControl<QPushButton>(win.w, "cmdRemoveAllDwg")->isEnabled(), !queue.isEmpty());

        // Set 1 comes back in its folder B.
        win.press(1);
        QCOMPARE(win.w->queuePane()->queueEntries(), QStringList{"/other/z.dwg"});
        QCOMPARE(win.pane->scriptText(), QStringLiteral("OTHER"));
        QCOMPARE(win.text2(), QStringLiteral("other"));
        QCOMPARE(test::selectorControl<DirListBox>(win.w, "Dir1")->path(), win.folderB);
        QCOMPARE(int(mainSettings().Face), 1);
    }

    // Files written by hand or left by a crash: a short script file, a name file of several lines,
    // a saved folder that is gone.
    void readsWhatTheFilesHold_data()
    {
        QTest::addColumn<QByteArray>("scr");
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<QByteArray>("nameFile");
        QTest::addColumn<QString>("name");
        QTest::newRow("empty script file")
            << QByteArray() << QString() << true << QByteArray("first\r\nsecond\r\n") << "first";
        QTest::newRow("one-character script file")
            << QByteArray("Z") << QString() << true << QByteArray("first\r\nsecond\r\n") << "first";
        QTest::newRow("folder gone") << QByteArray("ZOOM E\r\n") << "ZOOM E" << false
                                     << QByteArray("first\r\nsecond\r\n") << "first";
        QTest::newRow("empty name file") << QByteArray("ZOOM E\r\n") << "ZOOM E" << true << QByteArray() << QString();
    }
    void readsWhatTheFilesHold()
    {
        QFETCH(QByteArray, scr);
        QFETCH(QString, script);
        QFETCH(bool, folderExists);
        QFETCH(QByteArray, nameFile);
        QFETCH(QString, name);
        Window win;
        win.fill({}, QString(), QStringLiteral("previous"));
        const QString folder = folderExists ? win.folderB : win.tmp.path() + QStringLiteral("gone");
        win.tmp.writeFile("DATA/tester-3-list.tmp", "/dwg/a.dwg\r\n/dwg/b.dwg\r\n");
        win.tmp.writeFile("DATA/tester-3-scr.tmp", scr);
        win.tmp.writeFile("DATA/tester-3-s.tmp", nameFile);
        win.tmp.writeFile(
            "DATA/tester-3-path.tmp",
            (test::selectorControl<DriveListBox>(win.w, "Drive1")->drive() + "\r\n" + folder + "\r\n").toUtf8());
        win.press(3);

        QCOMPARE(win.w->queuePane()->queueEntries(), (QStringList{"/dwg/a.dwg", "/dwg/b.dwg"}));
        QCOMPARE(win.pane->scriptText(), script);
        QCOMPARE(win.text2(), name);
        QCOMPARE(test::selectorControl<DirListBox>(win.w, "Dir1")->path(), folderExists ? win.folderB : win.folderA);
        QVERIFY(test::queueControl<QPushButton>(win.w, "cmdRemoveAllDwg")->isEnabled());
        QCOMPARE(int(mainSettings().Face), 3);
        QVERIFY(win.prompts.shown().isEmpty());
    }

    // The window's content only leaves it once it is in the old set's files: a failed save cancels
    // the switch, and one message names every failure.
    void failedSaveCancelsTheSwitch_data()
    {
        QTest::addColumn<QStringList>("queue");
        QTest::newRow("empty queue") << QStringList();
        QTest::newRow("queue with entries") << QStringList{"/dwg/a.dwg"};
    }
    void failedSaveCancelsTheSwitch()
    {
        QFETCH(QStringList, queue);
        Window win;
        win.fill(queue, "ZOOM E", "zoom");
        QVERIFY(QDir(win.tmp.data()).removeRecursively());
        win.prompts.expectMessage();
        win.press(4);

        QCOMPARE(win.prompts.shown().size(), 1);
        const test::ShownMessage m = win.prompts.last();
        QCOMPARE(m.text, QStringLiteral(" Your ") + win.tmp.folder() + QDir::toNativeSeparators("/DATA/") +
                             QStringLiteral(" path was removed or renamed... \r\n"
                                            "Please recreate this directory or reinstall Tessaline"));
        QCOMPARE(m.title, QStringLiteral(" Error # 76 was generated by Tessaline."));
        QCOMPARE(m.style, int(vbOKOnly));
        QVERIFY(!QFileInfo::exists(win.tmp.data()));
        QCOMPARE(int(mainSettings().Face), 0);
        QVERIFY(win.w->frmSet->optPage[0]->isChecked());
        QVERIFY(!win.w->frmSet->optPage[4]->isChecked());
        QCOMPARE(win.w->queuePane()->queueEntries(), queue);
        QCOMPARE(win.text1(), QStringLiteral("ZOOM E"));
        QCOMPARE(win.text2(), QStringLiteral("zoom"));
    }

    void writeProtectedListIsNamedKeptAndTheSwitchCancelled()
    {
        Window win;
        const QString list = win.tmp.writeFile("DATA/tester-0-list.tmp", "old.dwg\r\n");
        const QString path = win.tmp.writeFile("DATA/tester-0-path.tmp", "");
        QFile::setPermissions(list, QFile::ReadOwner | QFile::ReadGroup);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        win.fill({"/dwg/new.dwg"}, "ZOOM E", "zoom");
        win.prompts.expectMessage();
        win.press(1);

        QCOMPARE(win.prompts.shown().size(), 1);
        QCOMPARE(win.prompts.last().text, QStringLiteral("File is write protected\r\n") + list +
                                              QStringLiteral("\r\n\r\nFile is write protected\r\n") + path);
        QCOMPARE(win.prompts.last().title, QStringLiteral(" Error # 75 was generated by Tessaline."));
        QCOMPARE(test::fileBytes(list), QByteArray("old.dwg\r\n"));
        // The set's other files are still written; the window and the set stay.
        QCOMPARE(test::fileBytes(win.file(0, "-scr.tmp")), QByteArray("ZOOM E\r\n"));
        QCOMPARE(test::fileBytes(win.file(0, "-s.tmp")), QByteArray("zoom\r\n"));
        QCOMPARE(int(mainSettings().Face), 0);
        QVERIFY(win.w->frmSet->optPage[0]->isChecked());
        QCOMPARE(win.w->queuePane()->queueEntries(), QStringList{"/dwg/new.dwg"});
        QCOMPARE(win.text1(), QStringLiteral("ZOOM E"));

        // Once the file may be written again the switch goes through.
        QFile::setPermissions(list, QFile::ReadOwner | QFile::WriteOwner);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        win.press(1);
        QCOMPARE(int(mainSettings().Face), 1);
        QCOMPARE(test::fileBytes(list), QByteArray("/dwg/new.dwg\r\n"));
    }

    // A set whose files cannot all be read is not entered: nothing of it is applied, the file is
    // named, and the window keeps its content (already saved into the old set).
    void unreadableSetFileCancelsTheSwitch()
    {
        Window win;
        win.tmp.writeFile("DATA/tester-2-list.tmp", "/dwg/a.dwg\r\n");
        const QString scr = win.tmp.writeFile("DATA/tester-2-scr.tmp", QByteArray("\xff\xfeZ\x00", 4));
        win.fill({"/dwg/mine.dwg"}, "MINE", "mine");
        win.prompts.expectMessage();
        win.press(2);

        QCOMPARE(win.prompts.shown().size(), 1);
        QVERIFY2(win.prompts.last().text.contains(scr), qPrintable(win.prompts.last().text));
        QCOMPARE(int(mainSettings().Face), 0);
        QVERIFY(win.w->frmSet->optPage[0]->isChecked());
        QCOMPARE(win.w->queuePane()->queueEntries(), QStringList{"/dwg/mine.dwg"});
        QCOMPARE(win.text1(), QStringLiteral("MINE"));
        QCOMPARE(test::fileBytes(scr), QByteArray("\xff\xfeZ\x00", 4));
    }

    // A save that wrote every file clears SCRChanged; loading the same script text leaves it so.
    void completedSaveClearsScriptChanged()
    {
        Window win;
        win.fill({}, "ZOOM E", "zoom");
        win.press(1);
        win.pane->setScriptText(QStringLiteral("ZOOM E"));
        win.pane->setScriptName(QStringLiteral("zoom"));
        QVERIFY(mainSettings().SCRChanged);
        win.press(0);
        QVERIFY(!mainSettings().SCRChanged);
        QCOMPARE(win.pane->scriptText(), QStringLiteral("ZOOM E"));
    }
};

QTEST_MAIN(TestUserSets)
#include "tst_usersets.moc"
