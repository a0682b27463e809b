// The File Lists window as the program builds it, on the test's own DATA folder: saving the queue
// byte for byte, the list filters, loading a list with the main window's steps, a list that cannot
// be read, the lines the queue refuses, renaming without replacing, deleting and viewing.

#include "core/fileio.h"
#include "core/mainsettings.h"
#include "core/scriptfacts.h"
#include "mainwin/queuelistview.h"
#include "mainwindowfixture.h"
#include "modalguard.h"
#include "testsupport.h"
#include "utilities/frmFileListRename.h"
#include "utilities/frmFileLists.h"
#include "widgets/filelistbox.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tess;

namespace {

QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

bool select(frmFileLists *f, const QString &name)
{
    const QList<QListWidgetItem *> found = f->File1->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    f->File1->setCurrentItem(found.first());
    return f->File1->selectedRows().size() == 1;
}

bool fileButtonsEnabled(const frmFileLists *f)
{
    return f->cmdView->isEnabled() && f->cmdRename->isEnabled() && f->cmdDelete->isEnabled();
}

bool fileButtonsDisabled(const frmFileLists *f)
{
    return !f->cmdView->isEnabled() && !f->cmdRename->isEnabled() && !f->cmdDelete->isEnabled();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

// The main window on the fixture's program folder, and the File Lists window opened from it.
struct Window : test::MainWindowFixture {
    explicit Window(const test::Fixture &fx, const std::function<void(MainSettings &)> &prepare = {})
        : MainWindowFixture(fx.path(), prepare)
    {
    }
    QueuePane *queue() const { return w->queuePane(); }
    QStringList entries() const { return queue()->queueEntries(); }

    // Opens the File Lists window with the button "File&Lists" and runs act in it, then the
    // further actions for the windows act opens; act ends the window (a load, "&Close", ...).
    void inFileLists(const std::function<void(frmFileLists *)> &act,
                     const QList<std::function<void(QWidget *)>> &more = {}, QAction *through = nullptr)
    {
        test::ModalGuard modals;
        modals.answerNextModal([act](QWidget *dialog) {
            auto *f = qobject_cast<frmFileLists *>(dialog);
            QVERIFY(f);
            act(f);
        });
        for (const auto &m : more)
            modals.answerNextModal(m);
        if (through)
            through->trigger();
        else
            get<QPushButton>("cmdFileList")->click();
        QVERIFY(modals.allAnswered());
    }
};

} // namespace

class TestFileLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveWritesTheQueueByteForByte()
    {
        test::Fixture fx(QStringLiteral("user7"));
        Window win(fx);
        const QStringList queued{QStringLiteral("C:\\Jobs\\A 1.dwg"), QStringLiteral("/srv/jobs/b.DWG"),
                                 QStringLiteral("/srv/jobs/b.DWG")};
        win.queue()->setQueueEntries(queued);
        win.inFileLists([&](frmFileLists *f) {
            QVERIFY(f->cmdSaveNew->isEnabled());
            QVERIFY(f->cmdDelete->isEnabled()); // enabled at first, with nothing selected
            f->txtbxListName->setText(QStringLiteral("JOB12.LST"));
            f->cmdSaveNew->click();
            f->txtbxListName->setText(QStringLiteral("JOB12"));
            f->cmdSavePersonalized->click();
            QCOMPARE(listed(f->File1),
                     QStringList({QStringLiteral("JOB12.LST.LST"), QStringLiteral("user7-JOB12.LST")}));
            QVERIFY(fileButtonsDisabled(f));
            QCOMPARE(f->txtbxListName->text(), QStringLiteral("JOB12")); // the name stays
            QVERIFY(f->isVisible());
            f->cmdExit->click();
        });
        const QByteArray bytes("C:\\Jobs\\A 1.dwg\r\n/srv/jobs/b.DWG\r\n/srv/jobs/b.DWG\r\n");
        QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("JOB12.LST.LST")), bytes);
        QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("user7-JOB12.LST")), bytes);

        // Saving again under the same name replaces the list without a question.
        win.queue()->setQueueEntries({QStringLiteral("/x.dwg")});
        win.inFileLists([&](frmFileLists *f) {
            QCOMPARE(f->txtbxListName->text(), QStringLiteral("JOB12")); // "&Close" only hid the window
            f->cmdSaveNew->click();
            f->cmdExit->click();
        });
        QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("JOB12.LST")), QByteArray("/x.dwg\r\n"));
        QVERIFY(fx.prompter().allUsed());
    }

    void emptyQueueAndEmptyNameAndBadNames()
    {
        test::Fixture fx;
        Window win(fx);
        const QStringList programFiles = filesIn(fx.path());
        win.inFileLists([&](frmFileLists *f) {
            QVERIFY(!f->cmdSaveNew->isEnabled());
            QVERIFY(f->cmdSavePersonalized->isEnabled());
            f->cmdSavePersonalized->click(); // empty name: nothing, silently
            QCOMPARE(filesIn(fx.data()), QStringList());
            f->txtbxListName->setText(QStringLiteral("EMPTY"));
            f->cmdSavePersonalized->click();
            QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("tester-EMPTY.LST")), QByteArray());
            // A name that cannot name a file in DATA writes nothing and says which characters.
            for (const QString &bad : {QStringLiteral("..\\..\\x"), QStringLiteral("a/b"), QStringLiteral("a:b"),
                                       QStringLiteral("tab\there")}) {
                fx.prompter().expectMessage();
                f->txtbxListName->setText(bad);
                f->cmdSavePersonalized->click();
                QVERIFY(fx.prompter().last().text.startsWith(
                    QLatin1String("File names cannot contain the following characters...\r\n\r\n")));
                QCOMPARE(fx.prompter().last().title, QStringLiteral("Tessaline Alert"));
            }
            QCOMPARE(filesIn(fx.data()), QStringList{QStringLiteral("tester-EMPTY.LST")});
            QCOMPARE(filesIn(fx.path()), programFiles);
            // Enter in the name box presses "&Close": the window hides without saving.
            f->txtbxListName->setText(QStringLiteral("NOT SAVED"));
            QTest::keyClick(f->txtbxListName, Qt::Key_Return);
            QVERIFY(!f->isVisible());
        });
        QCOMPARE(filesIn(fx.data()), QStringList{QStringLiteral("tester-EMPTY.LST")});
        QVERIFY(fx.prompter().allUsed());
    }

    void aFailedSaveIsReportedAndKeepsTheOldList()
    {
        test::Fixture fx;
        const QString path = fx.writeFile(QStringLiteral("DATA/KEEP.LST"), "old\r\n");
        QVERIFY(setReadOnlyFile(path, true).ok());
        Window win(fx);
        win.queue()->setQueueEntries({QStringLiteral("/new.dwg")});
        fx.prompter().expectMessage();
        win.inFileLists([&](frmFileLists *f) {
            f->txtbxListName->setText(QStringLiteral("keep"));
            f->cmdSaveNew->click();
            f->cmdExit->click();
        });
        QVERIFY(fx.prompter().last().text.startsWith(QStringLiteral("The list could not be saved:\r\n") + path));
        QCOMPARE(test::fileBytes(path), QByteArray("old\r\n"));
        QVERIFY(setReadOnlyFile(path, false).ok());
    }

    void filters()
    {
        test::Fixture fx(QStringLiteral("user7"));
        for (const char *name : {"a.lst", "B.LST", "user7-JOB12.LST", "user7project.lst", "c.txt", "D.TXT",
                                 "user7-y.txt", "other.dat", "!Skipped_user7.lst"})
            fx.writeFile(QStringLiteral("DATA/") + QLatin1String(name), "x\r\n");
        Window win(fx);
        win.inFileLists([&](frmFileLists *f) {
            const QStringList lists{QStringLiteral("!Skipped_user7.lst"), QStringLiteral("a.lst"),
                                    QStringLiteral("B.LST"), QStringLiteral("user7-JOB12.LST"),
                                    QStringLiteral("user7project.lst")};
            QCOMPARE(listed(f->File1), lists);
            QVERIFY(select(f, QStringLiteral("a.lst")));
            QVERIFY(fileButtonsEnabled(f));
            f->chkShowPersonal->setChecked(true);
            QVERIFY(fileButtonsDisabled(f));
            QCOMPARE(listed(f->File1),
                     QStringList({QStringLiteral("user7-JOB12.LST"), QStringLiteral("user7project.lst")}));
            f->chkShowTXT->setChecked(true); // unticks "Show Personal Only"
            QVERIFY(!f->chkShowPersonal->isChecked());
            QCOMPARE(listed(f->File1),
                     QStringList({QStringLiteral("c.txt"), QStringLiteral("D.TXT"), QStringLiteral("user7-y.txt")}));
            f->chkShowTXT->setChecked(false);
            QCOMPARE(listed(f->File1), lists);
            // A list that appears meanwhile shows after a click on the frame.
            fx.writeFile(QStringLiteral("DATA/new.LST"), "");
            f->Frame2_Click();
            QVERIFY(listed(f->File1).contains(QStringLiteral("new.LST")));
            f->cmdExit->click();
        });
    }

    void loadRunsTheMainWindowSteps()
    {
        test::Fixture fx;
        fx.writeFile(QStringLiteral("DATA/JOB.LST"), "/j/c.dwg\r/j/a.dwg\n/j/b.dwg\r\n");
        Window win(fx);
        win.w->scriptFacts()->setScriptText(QStringLiteral("ZOOM E"));
        win.queue()->setQueueEntries({QStringLiteral("/old/z.dwg")});
        win.w->setCreateButtonsEnabled(false);
        win.w->findChild<QAction *>(QStringLiteral("mnuQueueUpperCase"))->setEnabled(false);
        mainSettings().AutoSortEnabled = 1;
        mainSettings().AutoSortType = 0; // ascending
        mainSettings().METAEnabled = 1;
        mainSettings().METAImmediate = 1;
        QSignalSpy meta(&win.app->app(), &Application::metaScanRequested);
        QPointer<frmFileLists> lists;
        win.inFileLists([&](frmFileLists *f) {
            lists = f;
            QVERIFY(select(f, QStringLiteral("JOB.LST")));
            f->File1_dblClick();
            QVERIFY(!f->isVisible());
        });
        QCOMPARE(win.entries(),
                 QStringList({QStringLiteral("/j/a.dwg"), QStringLiteral("/j/b.dwg"), QStringLiteral("/j/c.dwg")}));
        QVERIFY(win.w->Command1_Compile->isEnabled());
        QVERIFY(win.w->cmdCreateAndRun->isEnabled());
        QVERIFY(win.w->findChild<QAction *>(QStringLiteral("mnuQueueUpperCase"))->isEnabled());
        QCOMPARE(win.get<QPushButton>("cmdFileList")->text(), QStringLiteral("=File&Lists="));
        QCOMPARE(win.get<QueueListView>("List1")->toolTip(), QStringLiteral("FileList: \"JOB.LST\" is Loaded"));
        QCOMPARE(meta.size(), 1);
        QCOMPARE(meta.first().first().toBool(), true);
        QVERIFY(lists); // hidden, not discarded

        // Appending: the list's lines after the queue, duplicates included; no automatic sort now.
        mainSettings().AutoSortEnabled = 0;
        mainSettings().METAEnabled = 0;
        win.queue()->setQueueEntries({QStringLiteral("/j/b.dwg")});
        win.inFileLists([&](frmFileLists *f) {
            QCOMPARE(f, lists.data());
            f->chkClearList->setChecked(true);
            QVERIFY(select(f, QStringLiteral("JOB.LST")));
            f->File1_dblClick();
        });
        QCOMPARE(win.entries(), QStringList({QStringLiteral("/j/b.dwg"), QStringLiteral("/j/c.dwg"),
                                             QStringLiteral("/j/a.dwg"), QStringLiteral("/j/b.dwg")}));
        QCOMPARE(meta.size(), 1);
        QCOMPARE(win.w->lblFilesInQueue->text(), QStringLiteral("Queue = 4")); // the opener's refresh
        QVERIFY(fx.prompter().allUsed());
    }

    void anEmptyListEmptiesTheQueue()
    {
        test::Fixture fx;
        fx.writeFile(QStringLiteral("DATA/EMPTY.LST"), "");
        Window win(fx);
        win.queue()->setQueueEntries({QStringLiteral("/old/z.dwg")});
        win.inFileLists([&](frmFileLists *f) {
            QVERIFY(select(f, QStringLiteral("EMPTY.LST")));
            f->File1_dblClick();
        });
        QCOMPARE(win.entries(), QStringList());
        QCOMPARE(win.get<QPushButton>("cmdFileList")->text(), QStringLiteral("=File&Lists="));
        QVERIFY(!win.w->Command1_Compile->isEnabled());
    }

    void aVanishedListLeavesTheQueueAndMarks()
    {
        test::Fixture fx;
        const QString path = fx.writeFile(QStringLiteral("DATA/GONE.LST"), "/g.dwg\r\n");
        Window win(fx);
        const QStringList queued{QStringLiteral("/keep/1.dwg"), QStringLiteral("/keep/2.dwg")};
        win.queue()->setQueueEntries(queued);
        win.queue()->setLoadedListMarks(QStringLiteral("JOB.LST")); // the queue is a list loaded before
        fx.prompter().expectMessage();
        win.inFileLists([&](frmFileLists *f) {
            QVERIFY(select(f, QStringLiteral("GONE.LST")));
            QVERIFY(QFile::remove(path)); // deleted by someone else after it was listed
            f->File1_dblClick();
            QVERIFY(f->isVisible());
            QCOMPARE(listed(f->File1), QStringList());
            f->cmdExit->click();
        });
        QCOMPARE(fx.prompter().last().text,
                 QStringLiteral("Error 53 (File not found) in procedure File1_dblClick of Form frmFileLists"));
        QCOMPARE(win.entries(), queued);
        QCOMPARE(win.get<QPushButton>("cmdFileList")->text(), QStringLiteral("=File&Lists="));
        QCOMPARE(win.get<QueueListView>("List1")->toolTip(), QStringLiteral("FileList: \"JOB.LST\" is Loaded"));
    }

    void aFileWithNoUsableEntryLeavesTheQueue()
    {
        test::Fixture fx;
        // A text file of another kind: every line refused by the queue's check.
        fx.writeFile(QStringLiteral("DATA/NOTES.LST"), "\"quoted\"\r\nctl\x01\r\n");
        Window win(fx);
        const QStringList queued{QStringLiteral("/keep/1.dwg")};
        win.queue()->setQueueEntries(queued);
        fx.prompter().expectMessage();
        win.inFileLists([&](frmFileLists *f) {
            QVERIFY(select(f, QStringLiteral("NOTES.LST")));
            f->File1_dblClick();
            QVERIFY(f->isVisible());
            f->cmdExit->click();
        });
        QVERIFY(fx.prompter().last().text.startsWith(QLatin1String("2 entries were not added")));
        QCOMPARE(win.entries(), queued);
        QCOMPARE(win.get<QPushButton>("cmdFileList")->text(), QStringLiteral("File&Lists"));
    }

    void linesTheQueueRefusesAreNamed()
    {
        test::Fixture fx;
        fx.writeFile(QStringLiteral("DATA/MIXED.LST"),
                     "/ok/a.dwg\r\n\"/q/b.dwg\"\r\n/c/c\x01.dwg\r\n\r\n /ok/blank lead.dwg\r\n");
        Window win(fx);
        fx.prompter().expectMessage();
        win.inFileLists([&](frmFileLists *f) {
            QVERIFY(select(f, QStringLiteral("MIXED.LST")));
            f->File1_dblClick();
        });
        QCOMPARE(win.entries(), QStringList({QStringLiteral("/ok/a.dwg"), QStringLiteral(" /ok/blank lead.dwg")}));
        const QString text = fx.prompter().last().text;
        QVERIFY2(text.startsWith(QLatin1String("3 entries were not added")), qPrintable(text));
        QVERIFY(text.contains(QLatin1String("\"/q/b.dwg\"")));
        QVERIFY(text.contains(QLatin1String("\n(empty)")));
    }

    void renameAsksForTheExtensionAndNeverReplaces()
    {
        test::Fixture fx;
        const QString a = fx.writeFile(QStringLiteral("DATA/A.LST"), "a\r\n");
        const QString b = fx.writeFile(QStringLiteral("DATA/b.lst"), "b\r\n");
        Window win(fx);
        auto renameTo = [&](const QString &name, const QString &newName) {
            return [name, newName](QWidget *dialog) {
                auto *r = qobject_cast<frmFileListRename *>(dialog);
                QVERIFY(r);
                QCOMPARE(r->windowTitle(), QStringLiteral("Rename FileList"));
                QCOMPARE(r->tbOldName->text(), name);
                QCOMPARE(r->tbNewName->text(), name);
                QVERIFY(!r->tbOldName->isEnabled());
                r->tbNewName->setText(newName);
                r->cmdOk->click();
                if (r->isVisible()) { // refused: the window stays with the typed name
                    QCOMPARE(r->tbNewName->text(), newName);
                    r->close();
                }
            };
        };
        fx.prompter().expectMessage();      // B.LST is taken (b.lst)
        fx.prompter().expectMessage(vbNo);  // JOB13: no extension added
        fx.prompter().expectMessage(vbYes); // job14: ".LST" added
        fx.prompter().expectMessage();      // a:b cannot name a file
        win.inFileLists(
            [&](frmFileLists *f) {
                QVERIFY(select(f, QStringLiteral("A.LST")));
                f->cmdRename->click();
                QVERIFY(fileButtonsDisabled(f));
                QCOMPARE(fx.prompter().last().text,
                         QStringLiteral("A file by that name already exists.\r\n\r\nPlease delete or rename it."));
                QCOMPARE(fx.prompter().last().title, QStringLiteral("Ooops"));
                QCOMPARE(test::fileBytes(a), QByteArray("a\r\n"));
                QCOMPARE(test::fileBytes(b), QByteArray("b\r\n"));

                QVERIFY(select(f, QStringLiteral("A.LST")));
                f->cmdRename->click();
                QCOMPARE(fx.prompter().last().title, QStringLiteral("Ooops..."));
                QCOMPARE(fx.prompter().last().text, QStringLiteral("You have not indicated a valid file extension."
                                                                   "\r\n\r\nWould you like me to add it for you?"));
                QCOMPARE(listed(f->File1), QStringList{QStringLiteral("b.lst")}); // JOB13 no longer matches

                QVERIFY(select(f, QStringLiteral("b.lst")));
                f->cmdRename->click();
                QVERIFY(select(f, QStringLiteral("job14.LST")));
                f->cmdRename->click(); // a:b
                QVERIFY(select(f, QStringLiteral("job14.LST")));
                f->cmdRename->click(); // job15.txt asks nothing
                f->cmdExit->click();
            },
            {renameTo(QStringLiteral("A.LST"), QStringLiteral("B.LST")),
             renameTo(QStringLiteral("A.LST"), QStringLiteral("JOB13")),
             renameTo(QStringLiteral("b.lst"), QStringLiteral("job14")),
             renameTo(QStringLiteral("job14.LST"), QStringLiteral("a:b")),
             renameTo(QStringLiteral("job14.LST"), QStringLiteral("job15.txt"))});
        QCOMPARE(filesIn(fx.data()), QStringList({QStringLiteral("JOB13"), QStringLiteral("job15.txt")}));
        QCOMPARE(test::fileBytes(fx.data() + QStringLiteral("JOB13")), QByteArray("a\r\n"));
        QVERIFY(fx.prompter().allUsed());
    }

    void deleteNamesAFailureAndViewOpensTheEditor()
    {
        test::Fixture fx;
        const QString keep = fx.writeFile(QStringLiteral("DATA/KEEP.LST"), "k\r\n");
        const QString drop = fx.writeFile(QStringLiteral("DATA/DROP LIST.LST"), "d\r\n");
        QVERIFY(setReadOnlyFile(keep, true).ok());
        Window win(fx, [](MainSettings &s) { s.TextEditor = QStringLiteral("myeditor"); });
        fx.prompter().expectMessage();
        win.inFileLists([&](frmFileLists *f) {
            QVERIFY(select(f, QStringLiteral("DROP LIST.LST")));
            f->cmdView->click();
            QVERIFY(f->isVisible());
            f->cmdDelete->click();
            QVERIFY(!QFileInfo::exists(drop));
            QVERIFY(select(f, QStringLiteral("KEEP.LST")));
            f->cmdDelete->click();
            QVERIFY(fileButtonsDisabled(f));
            QCOMPARE(listed(f->File1), QStringList{QStringLiteral("KEEP.LST")});
            f->cmdExit->click();
        });
        QCOMPARE(fx.launcher().calls.size(), 1);
        QCOMPARE(fx.launcher().calls.first().program, QStringLiteral("myeditor"));
        QCOMPARE(fx.launcher().calls.first().arguments, QStringList{drop});
        QVERIFY(fx.prompter().last().text.startsWith(QStringLiteral("The list could not be deleted:\r\n") + keep));
        QVERIFY(QFileInfo::exists(keep));
        QVERIFY(setReadOnlyFile(keep, false).ok());
    }

    void theQueueMenuItemOpensTheWindowAndTheCloseBoxDiscardsIt()
    {
        test::Fixture fx;
        Window win(fx);
        QMenu *queueMenu = win.w->menu(MainMenu::Queue);
        const QList<QAction *> items = queueMenu->actions();
        QAction *item = win.w->findChild<QAction *>(QStringLiteral("mnuFileLists"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("&File Lists"));
        QCOMPARE(items.last(), item);
        QCOMPARE(items.at(items.size() - 2)->objectName(), QStringLiteral("mnublank004"));
        QPointer<frmFileLists> first;
        win.inFileLists(
            [&](frmFileLists *f) {
                first = f;
                f->txtbxListName->setText(QStringLiteral("typed"));
                f->chkShowTXT->setChecked(true);
                f->close();
            },
            {}, item);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        win.inFileLists([&](frmFileLists *f) {
            QVERIFY(f->txtbxListName->text().isEmpty());
            QVERIFY(!f->chkShowTXT->isChecked());
            f->cmdExit->click();
        });
    }
};

QTEST_MAIN(TestFileLists)
#include "tst_filelists.moc"
