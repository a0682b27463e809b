// The main window through its real controls: layout and names, the queue's buttons and menus,
// the walk, the refusal of unsafe entries, ordering, control states and the file selector.

#include "appwindow.h"
#include "core/listutils.h"
#include "core/mainsettings.h"
#include "core/queueops.h"
#include "mainwin/controlstatetable.h"
#include "mainwin/frmDirWideBrowser.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuecontrols.h"
#include "mainwin/queuelistview.h"
#include "panecontrols.h"
#include "preview/frmDWGPreview.h"
#include "testsupport.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/frmScanStop.h"
#include "widgets/placement.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <functional>
#include <memory>
#include <utility>

using namespace tess;

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QStringList letters(const char *s)
{
    QStringList out;
    for (const char *p = s; *p; ++p)
        out.append(QString(QLatin1Char(*p)));
    return out;
}

// Runs an action on each event of one type that reaches the object.
class EventWatch final : public QObject
{
public:
    EventWatch(QObject *target, QEvent::Type type, std::function<void()> act) : m_type(type), m_act(std::move(act))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            m_act();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_act;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<test::TempProgramFolder> m_program;
    std::unique_ptr<QTemporaryDir> m_drawings;
    QString m_dir; // the drawing folder, native, no trailing separator

    test::AppWindow makeWindow() { return test::AppWindow(); }
    QString file(const QString &name) const { return m_dir + QDir::separator() + name; }

private Q_SLOTS:
    void init()
    {
        m_program = std::make_unique<test::TempProgramFolder>();
        m_drawings = std::make_unique<QTemporaryDir>();
        m_dir = QDir::toNativeSeparators(m_drawings->path());
        for (const char *n : {"b.dwg", "a.dwg", "C.DWG", "notes.txt", "sub/d.dwg", "sub/deeper/e.dwg", "sub/x.txt"})
            touch(m_drawings->filePath(QString::fromLatin1(n)));
        mainSettings() = MainSettings();
        mainSettings().SourcePath = m_dir;
        mainSettings().DWGPattern = QStringLiteral("*.dwg");
    }
    void cleanup()
    {
        if (frmScanStop::isLoaded())
            frmScanStop::instance()->hideScan();
        m_drawings.reset();
        m_program.reset();
    }

    void layoutNamesAndCaptions()
    {
        auto w = makeWindow();
        auto *tabs = w->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QStringLiteral("User Script"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Settings"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("\"SAVEAS\" Options"));
        const char *pages[] = {"tabUserScript", "tabSettings", "tabSaveAs"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(tabs->widget(i)->objectName(), QString::fromLatin1(pages[i]));
            QVERIFY(qobject_cast<QVBoxLayout *>(tabs->widget(i)->layout()));
        }
        auto *simple = w->findChild<QGroupBox *>(QStringLiteral("frameSimpleScrSelect"));
        QCOMPARE(simple->title(), QStringLiteral("Script Selector"));
        QVERIFY(qobject_cast<QVBoxLayout *>(simple->layout()));
        QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("chkSaveAS"))->text(), QStringLiteral("SA&VEAS"));
        QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("chkTestRun"))->text(), QStringLiteral("&Test Run"));
        QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("chkTestRun"))->toolTip(),
                 QStringLiteral("Create script without saving the results (debug mode)"));
        QVERIFY(w->findChild<QCheckBox *>(QStringLiteral("chkSaveAS"))
                    ->toolTip()
                    .contains(QLatin1String("SAVEAS\" Options")));
        QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("chkDelay"))->parent()->objectName(),
                 QStringLiteral("Frame3"));
        QCOMPARE(test::child<QPushButton>(w.get(), "cmdCreateAndRun")->text(),
                 QStringLiteral("Create && &RUN Batch Script"));
        QCOMPARE(test::child<QPushButton>(w.get(), "Command1_Compile")->text(), QStringLiteral("&Create Batch Script"));
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("List1")));
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("Picture2")));
        // One widget of each bar's name, the bar the user drags.
        for (const char *bar : {"Picture2", "Picture3"}) {
            const QList<QWidget *> named = w->findChildren<QWidget *>(QLatin1String(bar));
            QCOMPARE(named.size(), 1);
            // The handle between the two panes, not the one before the first (never shown).
            auto *handle = qobject_cast<QSplitterHandle *>(named.first());
            QVERIFY(handle);
            QCOMPARE(handle->splitter()->indexOf(handle), 1);
        }
        QVERIFY(w->tabUserScript->isAncestorOf(w->Picture1));
        for (const char *m :
             {"mnuFile", "mnuQueue", "mnuScript", "mnuTools", "mnuScriptCreationWizards", "mnuHelp", "mnuSort2",
              "mnuPUForm", "mnuSort", "mnuFont", "mnuCase", "mnuRemove", "mnuFileSystemChecks"})
            QVERIFY2(w->menuByName(QString::fromLatin1(m)), m);
        QCOMPARE(w->menuByName(QStringLiteral("nothing")), nullptr);

        // Other parts place their items before a named item, or at the end.
        QMenu *queueMenu = w->menu(MainMenu::Queue);
        QAction *first = w->addMenuItem(MainMenu::Queue, QStringLiteral("mnuFirst"), QStringLiteral("F"),
                                        QStringLiteral("mnuSort2"));
        QAction *last = w->addMenuItem(MainMenu::Queue, QStringLiteral("mnuLast"), QStringLiteral("L"),
                                       QStringLiteral("noSuchItem"));
        QCOMPARE(queueMenu->actions().first(), first);
        QCOMPARE(queueMenu->actions().last(), last);
        QCOMPARE(first->objectName(), QStringLiteral("mnuFirst"));

        // A menu without items stays off the bar until another part adds one.
        QMenu *help = w->menuByName(QStringLiteral("mnuHelp"));
        help->clear();
        QTRY_VERIFY(!help->menuAction()->isVisible());
        QVERIFY(w->menuByName(QStringLiteral("mnuQueue"))->menuAction()->isVisible());
        help->addAction(new QAction(QStringLiteral("&About"), help));
        QTRY_VERIFY(help->menuAction()->isVisible());
        // The pop-up never shows on the bar.
        QVERIFY(!w->menuBar()->actions().contains(w->menuByName(QStringLiteral("mnuPUForm"))->menuAction()));
    }

    void simpleModeSwapsScriptArea()
    {
        mainSettings().SimpleMode = 1;
        auto w = makeWindow();
        w->show();
        QVERIFY(!w->SSTab1->isVisible());
        QVERIFY(w->frameSimpleScrSelect->isVisible());
        QVERIFY(!test::queueControl<QCheckBox>(w, "chkSaveAS")->isEnabled() &&
                !test::queueControl<QCheckBox>(w, "chkDelay")->isEnabled() &&
                !test::queueControl<QCheckBox>(w, "chkTestRun")->isEnabled());
        QMenu *wizards = w->menuByName(QStringLiteral("mnuScriptCreationWizards"));
        wizards->addAction(QStringLiteral("&Purge"));
        QTest::qWait(1);
        QCoreApplication::processEvents();
        QVERIFY(!wizards->menuAction()->isVisible());
    }

    void addButtonsAppendInFileListOrder()
    {
        test::ScriptedPrompter p;
        auto w = makeWindow();
        QCOMPARE(test::fileList(w)->count(),
                 3); // the filter ignores case: a.dwg, b.dwg, C.DWG
        w->queuePane()->setLoadedListMarks(QStringLiteral("Job.LST"));
        test::fileList(w)->item(1)->setSelected(true);
        QVERIFY(test::child<QPushButton>(w.get(), "cmdAddDwg")->isEnabled());
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdAddDwg"), Qt::LeftButton);
        QCOMPARE(w->queuePane()->queueEntries(), QStringList{file(QStringLiteral("b.dwg"))});
        QCOMPARE(test::child<QPushButton>(w.get(), "cmdFileList")->text(), QStringLiteral("File&Lists"));
        QVERIFY(test::queueList(w)->toolTip().isEmpty());
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdAddAll"), Qt::LeftButton);
        QCOMPARE(w->queuePane()->queueEntries(),
                 (QStringList{file(QStringLiteral("b.dwg")), file(QStringLiteral("a.dwg")),
                              file(QStringLiteral("b.dwg")), file(QStringLiteral("C.DWG"))}));
        QCOMPARE(w->lblFilesInQueue->text(), QStringLiteral("Queue = 4"));
        QVERIFY(p.shown().isEmpty());
    }

    // Which after-add steps each addition runs and in which order, seen from the META scan and the
    // favourite-folder steps: was the queue sorted, were the loaded-list marks reset by then.
    void afterAddStepOrder_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("expected"); // the steps seen, each with sorted/marks-reset flags
        QTest::newRow("Add -->") << "add"
                                 << "meta sorted=1 reset=0|fav reset=0|end reset=1";
        QTest::newRow("Add All") << "all"
                                 << "meta sorted=1 reset=0|fav reset=1|end reset=1";
        QTest::newRow("+") << "plus"
                           << "meta sorted=1 reset=1|end reset=1";
        QTest::newRow("drop") << "drop"
                              << "meta sorted=1 reset=0|end reset=1";
    }
    void afterAddStepOrder()
    {
        QFETCH(QString, how);
        QFETCH(QString, expected);
        test::ScriptedPrompter p;
        mainSettings().AutoSortEnabled = 1;
        mainSettings().AutoSortType = 1; // descending
        mainSettings().METAEnabled = 1;
        mainSettings().METAImmediate = 1;
        mainSettings().AutoADDFavorites = 1;
        auto w = makeWindow();
        w->show();
        QStringList seen;
        auto marksReset = [&] {
            return QString::number(test::queueControl<QPushButton>(w, "cmdFileList")->text() ==
                                   QStringLiteral("File&Lists"));
        };
        auto sorted = [&] {
            QStringList q = w->queuePane()->queueEntries();
            return QString::number(q.size() > 1 && q == sortedDescending(q));
        };
        connect(&w.app(), &Application::metaScanRequested, w.get(), [&](bool includeSort) {
            QVERIFY(includeSort);
            seen.append(QStringLiteral("meta sorted=") + sorted() + QStringLiteral(" reset=") + marksReset());
        });
        connect(w->queuePane(), &QueuePane::addDirToFavoritesRequested, w.get(),
                [&] { seen.append(QStringLiteral("fav reset=") + marksReset()); });
        w->queuePane()->setLoadedListMarks(QStringLiteral("Job.LST"));
        if (how == QLatin1String("add")) {
            test::fileList(w)->selectAll();
            QTest::mouseClick(test::queueControl<QPushButton>(w, "cmdAddDwg"), Qt::LeftButton);
        } else if (how == QLatin1String("all")) {
            QTest::mouseClick(test::queueControl<QPushButton>(w, "cmdAddAll"), Qt::LeftButton);
        } else if (how == QLatin1String("plus")) {
            p.expectMessage(vbOK);
            QTest::mouseClick(test::queueControl<QPushButton>(w, "cmdAddAllSub"), Qt::LeftButton);
        } else {
            w->queuePane()->List1_OLEDragDrop({file(QStringLiteral("a.dwg")), file(QStringLiteral("b.dwg"))});
        }
        seen.append(QStringLiteral("end reset=") + marksReset());
        QCOMPARE(seen.join(QLatin1Char('|')), expected);
        QVERIFY(p.allUsed());
    }

    void plusWalksSubFoldersAndGivesInputBack()
    {
        test::ScriptedPrompter p;
        p.expectMessage(vbOK);
        auto w = makeWindow();
        w->show();
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdAddAllSub"), Qt::LeftButton);
        QCOMPARE(p.last().text, QStringLiteral("5 Files Added to Queue."));
        QCOMPARE(p.last().title, QStringLiteral("Scan Complete"));
        QStringList q = w->queuePane()->queueEntries();
        QCOMPARE(q.size(), 5);
        QVERIFY(q.contains(file(QStringLiteral("sub")) + QDir::separator() + QStringLiteral("deeper") +
                           QDir::separator() + QStringLiteral("e.dwg")));
        QVERIFY(w->centralWidget()->isEnabled());
        QVERIFY(w->menuBar()->isEnabled());
        QVERIFY(!frmScanStop::instance()->isVisible());
        QVERIFY(!frmScanStop::instance()->stopRequested());
    }

    // A sub-folder the walk cannot read is named in the count message; a folder neither list can
    // read is named once. Permission bits do not stop the superuser, so this needs another user.
    void unreadableFoldersAreNamedOnce()
    {
        const QString locked = file(QStringLiteral("sub")) + QDir::separator() + QStringLiteral("deeper");
        QFile::setPermissions(locked, QFileDevice::Permissions());
        const bool stillReadable = QDir(locked).entryList(QDir::Files).contains(QStringLiteral("e.dwg"));
        if (stillReadable) {
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("folders stay readable for this user");
        }
        test::ScriptedPrompter p;
        p.expectMessage(vbOK);
        auto w = makeWindow();
        w->show();
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdAddAllSub"), Qt::LeftButton);
        QCOMPARE(p.last().text,
                 QStringLiteral("4 Files Added to Queue.\r\n\r\nThese folders could not be read:\r\n") + locked);
        p.clearShown();
        p.expectMessage(vbOK);
        w->fileSelector()->setDirPath(locked);
        QCOMPARE(p.shown().size(), 1);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // A pipe named like a drawing is never queued, by "+" or by a drop; the message names it.
    void pipesAreNamedAndNeverQueued()
    {
        const QString pipe = file(QStringLiteral("sub")) + QDir::separator() + QStringLiteral("fifo.dwg");
        if (!test::makeFifo(pipe))
            QSKIP("no named pipes here");
        test::ScriptedPrompter p;
        p.expectMessage(vbOK);
        auto w = makeWindow();
        w->show();
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdAddAllSub"), Qt::LeftButton);
        QCOMPARE(p.last().text, QStringLiteral("5 Files Added to Queue.\r\n\r\nThese are not regular files (pipes, "
                                               "devices or sockets) and were not added:\r\n") +
                                    pipe);
        QVERIFY(!w->queuePane()->queueEntries().contains(pipe));

        w->queuePane()->setQueueEntries({});
        p.expectMessage(vbOK);
        w->queuePane()->List1_OLEDragDrop({pipe, file(QStringLiteral("a.dwg"))});
        QCOMPARE(w->queuePane()->queueEntries(), QStringList{file(QStringLiteral("a.dwg"))});
        QVERIFY(p.last().text.endsWith(QStringLiteral(":\r\n") + pipe));
        QVERIFY(p.allUsed());
    }

    void walkHoldsTheWindowUntilItEnds()
    {
        auto w = makeWindow();
        w->show();
        const qsizetype added = w->queuePane()->walkFolderIntoQueue(m_dir, QStringLiteral("*.txt"));
        QCOMPARE(added, qsizetype(2));
        QVERIFY(frmScanStop::instance()->isVisible());
        QVERIFY(!w->centralWidget()->isEnabled());
        QVERIFY(!w->menuBar()->isEnabled());
        // Handlers refuse to edit the queue meanwhile.
        w->queuePane()->cmdRemoveAllDwg_Click();
        QCOMPARE(w->queuePane()->queueEntries().size(), 2);
        QVERIFY(w->queuePane()->endWalk());
        QVERIFY(w->centralWidget()->isEnabled());
        QVERIFY(!frmScanStop::instance()->isVisible());
    }

    void unsafeNamesAreRefusedAndNamed()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows file names cannot hold a double quote");
#endif
        touch(file(QStringLiteral("bad\"name.dwg")));
        touch(file(QStringLiteral("sub/tab\tname.dwg")));
        test::ScriptedPrompter p;
        auto w = makeWindow();
        QCOMPARE(test::fileList(w)->count(), 4);
        p.expectMessage(vbOK);
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdAddAll"), Qt::LeftButton);
        QCOMPARE(w->queuePane()->queueEntries().size(), 3);
        QVERIFY(p.last().text.contains(file(QStringLiteral("bad\"name.dwg"))));

        test::queueList(w)->clear();
        p.expectMessage(vbOK); // the count
        p.expectMessage(vbOK); // the refused entries
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdAddAllSub"), Qt::LeftButton);
        QCOMPARE(p.shown().at(p.shown().size() - 2).text, QStringLiteral("5 Files Added to Queue."));
        QVERIFY(p.last().text.startsWith(QStringLiteral("2 entries")));
        QVERIFY(p.last().text.contains(QStringLiteral("tab<0x09>name.dwg")));
        QCOMPARE(w->queuePane()->queueEntries().size(), 5);
        QVERIFY(p.allUsed());
    }

    // Dropped items in their order: files matching the filter as they came, a folder walked with
    // the scan window, a ".txt" read as a list (its unsafe line refused and named); a ".csv" is
    // passed over. Then the control states, the automatic sort and the loaded-list marks.
    void dropOnTheQueue()
    {
        test::ScriptedPrompter p;
        auto w = makeWindow();
        w->show();
        const QString list = file(QStringLiteral("list.txt"));
        {
            QFile f(list);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\"C:\\JOB\\Q.dwg\"\r\nC:\\JOB\\bad\"q.dwg\r\n\\\\srv\\x.dwg\r\n/abs/p.dwg\r\n");
        }
        touch(file(QStringLiteral("table.csv")));
        w->queuePane()->setLoadedListMarks(QStringLiteral("Job.LST"));
        p.expectMessage(vbOK); // the refused line
        w->queuePane()->List1_OLEDragDrop({file(QStringLiteral("b.dwg")), file(QStringLiteral("B.DWG")),
                                           file(QStringLiteral("sub")), file(QStringLiteral("table.csv")), list});
        QStringList expected{file(QStringLiteral("b.dwg")), file(QStringLiteral("B.DWG")),
                             file(QStringLiteral("sub")) + QDir::separator() + QStringLiteral("d.dwg"),
                             file(QStringLiteral("sub")) + QDir::separator() + QStringLiteral("deeper") +
                                 QDir::separator() + QStringLiteral("e.dwg"),
                             QStringLiteral("C:\\JOB\\Q.dwg")};
#ifndef Q_OS_WIN
        expected.append(QStringLiteral("/abs/p.dwg"));
#endif
        QCOMPARE(w->queuePane()->queueEntries(), expected);
        QVERIFY(p.last().text.contains(QStringLiteral("C:\\JOB\\bad\"q.dwg")));
        QVERIFY(p.allUsed());
        // The walk showed its count in the scan window and gave the window back.
        QCOMPARE(frmScanStop::instance()->lblScanned->text(), QStringLiteral("2 files found"));
        QVERIFY(!frmScanStop::instance()->isVisible());
        QVERIFY(w->centralWidget()->isEnabled());
        QCOMPARE(w->lblFilesInQueue->text(), QStringLiteral("Queue = %1").arg(expected.size()));
        QCOMPARE(test::child<QPushButton>(w.get(), "cmdFileList")->text(), QStringLiteral("File&Lists"));
        QVERIFY(test::queueList(w)->toolTip().isEmpty());

        // With "*.*" a ".txt" is an entry itself; the automatic sort follows a drop that added nothing.
        test::selectorControl<QLineEdit>(w, "tbDWGFilter")->setText(QStringLiteral("*.*"));
        w->queuePane()->setQueueEntries({QStringLiteral("/z.dwg"), QStringLiteral("/a.dwg")});
        mainSettings().AutoSortEnabled = 1;
        mainSettings().AutoSortType = 0;
        w->queuePane()->List1_OLEDragDrop({QStringLiteral("/no/such/folder/")});
        QCOMPARE(w->queuePane()->queueEntries(), (QStringList{QStringLiteral("/a.dwg"), QStringLiteral("/z.dwg")}));
        w->queuePane()->List1_OLEDragDrop({list});
        QCOMPARE(w->queuePane()->queueEntries(),
                 (QStringList{QStringLiteral("/a.dwg"), list, QStringLiteral("/z.dwg")}));

        // Under a running walk a drop changes nothing.
        w->queuePane()->walkFolderIntoQueue(file(QStringLiteral("sub")), QStringLiteral("*.txt"));
        const qsizetype before = test::queueList(w)->count();
        w->queuePane()->List1_OLEDragDrop({file(QStringLiteral("a.dwg"))});
        QCOMPARE(test::queueList(w)->count(), before);
        QVERIFY(w->queuePane()->endWalk());
    }

    // The list takes dragged files as a copy and refuses data without files.
    void dropThroughTheList()
    {
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QWidget *target = test::queueList(w)->viewport();
        const QPoint at = target->rect().center();

        QMimeData text;
        text.setText(QStringLiteral("C:\\a.dwg"));
        QDragEnterEvent refused(at, Qt::CopyAction | Qt::MoveAction, &text, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &refused);
        QVERIFY(!refused.isAccepted());

        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(m_drawings->filePath(QStringLiteral("a.dwg"))),
                       QUrl::fromLocalFile(m_drawings->filePath(QStringLiteral("C.DWG")))});
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QTRY_COMPARE(w->queuePane()->queueEntries(),
                     (QStringList{file(QStringLiteral("a.dwg")), file(QStringLiteral("C.DWG"))}));
    }

    void removeClearAndUnselected()
    {
        test::ScriptedPrompter p;
        auto w = makeWindow();
        w->queuePane()->setQueueEntries(letters("abcdef"));
        test::queueList(w)->setSelected(1, true);
        test::queueList(w)->setSelected(4, true);
        QVERIFY(test::child<QPushButton>(w.get(), "cmdRemoveDwg")->isEnabled());
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdRemoveDwg"), Qt::LeftButton);
        QCOMPARE(w->queuePane()->queueEntries(), letters("acdf"));
        QVERIFY(!test::child<QPushButton>(w.get(), "cmdRemoveDwg")->isEnabled());

        // Unselected with nothing selected asks first (default No).
        p.expectMessage(vbNo);
        w->queuePane()->RemoveUnselectedFiles();
        QVERIFY(p.last().style & vbDefaultButton2);
        QCOMPARE(w->queuePane()->queueEntries(), letters("acdf"));
        test::queueList(w)->setSelected(2, true);
        test::queueList(w)->setSelected(3, true);
        QVERIFY(test::triggerAction(w.get(), "mnuRemoveUnselectedFiles"));
        QCOMPARE(w->queuePane()->queueEntries(), letters("df"));
        QCOMPARE(test::queueList(w)->selectedCount(),
                 qsizetype(2)); // what stays was selected

        p.expectMessage(vbNo);
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdRemoveAllDwg"), Qt::LeftButton);
        QCOMPARE(p.last().text, QStringLiteral("Are you sure you want to clear the File Queue?"));
        QCOMPARE(p.last().title, QStringLiteral("Sure?"));
        QCOMPARE(test::queueList(w)->selectedCount(), qsizetype(2));
        p.expectMessage(vbYes);
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdRemoveAllDwg"), Qt::LeftButton);
        QCOMPARE(test::queueList(w)->count(), qsizetype(0));
        QVERIFY(!test::child<QPushButton>(w.get(), "cmdRemoveAllDwg")->isEnabled());
        QVERIFY(!test::findAction(w.get(), "mnuRemoveDuplicates")->isEnabled());
        QCOMPARE(w->lblFilesInQueue->text(), QStringLiteral("Queue = 0"));
    }

    void moveButtonsMoveTheLowerRun()
    {
        auto w = makeWindow();
        w->queuePane()->setQueueEntries(letters("abcdefgh"));
        for (int r : {1, 2, 5, 6})
            test::queueList(w)->setSelected(r, true);
        QTest::mouseClick(test::child<QPushButton>(w.get(), "Command3"), Qt::LeftButton);
        QCOMPARE(w->queuePane()->queueEntries(), letters("abcdfgeh"));
        QCOMPARE(test::queueList(w)->currentRow(), qsizetype(6));
        QCOMPARE(test::queueList(w)->selectedRows(), (QList<qsizetype>{1, 2, 4, 5}));
        QTest::mouseClick(test::child<QPushButton>(w.get(), "Command3"),
                          Qt::LeftButton); // the run now touches the upper one
        QCOMPARE(w->queuePane()->queueEntries(), letters("abcfgdeh"));
        QTest::mouseClick(test::child<QPushButton>(w.get(), "Command4"), Qt::LeftButton);
        QCOMPARE(w->queuePane()->queueEntries(), letters("adbcfgeh")); // the four selected moved down as one run
    }

    void sortMenusReorderAndClearSelection()
    {
        auto w = makeWindow();
        w->queuePane()->setQueueEntries({QStringLiteral("C:\\JOB\\SHEET10.DWG"), QStringLiteral("C:\\JOB\\SHEET9.DWG"),
                                         QStringLiteral("C:\\JOB\\A.DWG")});
        test::queueList(w)->setSelected(0, true);
        QVERIFY(test::triggerAction(w.get(), "mnuSmartSort2"));
        QCOMPARE(w->queuePane()->queueEntries(),
                 (QStringList{QStringLiteral("C:\\JOB\\A.DWG"), QStringLiteral("C:\\JOB\\SHEET9.DWG"),
                              QStringLiteral("C:\\JOB\\SHEET10.DWG")}));
        QCOMPARE(test::queueList(w)->selectedCount(), qsizetype(0));
        QCOMPARE(w->lblUpdate->text(), QStringLiteral("Ready"));
        QVERIFY(test::triggerAction(w.get(), "mnuAscending2"));
        QCOMPARE(w->queuePane()->queueEntries().at(1), QStringLiteral("C:\\JOB\\SHEET10.DWG"));
        QVERIFY(test::triggerAction(w.get(), "mnuReverseOrder2"));
        QCOMPARE(w->queuePane()->queueEntries().at(0), QStringLiteral("C:\\JOB\\SHEET9.DWG"));

        // The automatic sort after an addition.
        mainSettings().AutoSortEnabled = 1;
        mainSettings().AutoSortType = 1;
        test::queueList(w)->clear();
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdAddAll"), Qt::LeftButton);
        QCOMPARE(
            w->queuePane()->queueEntries(),
            (QStringList{file(QStringLiteral("C.DWG")), file(QStringLiteral("b.dwg")), file(QStringLiteral("a.dwg"))}));
    }

    void caseAndDuplicatesRespectTheFileSystem()
    {
        test::ScriptedPrompter p;
        auto w = makeWindow();
        const QStringList q{QStringLiteral("/j/A.dwg"), QStringLiteral("/j/a.dwg"), QStringLiteral("/j/A.dwg")};
        w->queuePane()->setQueueEntries(q);
        w->RefreshQueueControls();
        QVERIFY(test::findAction(w.get(), "mnuQueueUpperCase")->isEnabled());
        if (pathCaseSensitivity() == Qt::CaseSensitive) {
            p.expectMessage(vbNo);
            QVERIFY(test::triggerAction(w.get(), "mnuQueueUpperCase"));
            QVERIFY(p.last().style & vbDefaultButton2);
            QCOMPARE(w->queuePane()->queueEntries(), q);
            p.expectMessage(vbOK);
            QVERIFY(test::triggerAction(w.get(), "mnuRemoveDuplicates"));
            QCOMPARE(p.last().text, QStringLiteral("1 Duplicate Items Removed "));
            QCOMPARE(w->queuePane()->queueEntries(),
                     (QStringList{QStringLiteral("/j/a.dwg"), QStringLiteral("/j/A.dwg")}));
            p.expectMessage(vbYes);
        } else {
            p.expectMessage(vbOK);
            QVERIFY(test::triggerAction(w.get(), "mnuRemoveDuplicates"));
            QCOMPARE(w->queuePane()->queueEntries(), QStringList{QStringLiteral("/j/A.dwg")});
        }
        QVERIFY(test::triggerAction(w.get(), "mnuQueueLowerCase"));
        QVERIFY(w->queuePane()->queueEntries().contains(QStringLiteral("/j/a.dwg")));
        QVERIFY(!w->queuePane()->queueEntries().contains(QStringLiteral("/j/A.dwg")));
        QVERIFY(p.allUsed());
    }

    void controlStatesFollowScriptAndReadOnly()
    {
        auto w = makeWindow();
        // The script pane's own controls, installed with the window.
        auto *text1 = w->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
        auto *ro = w->findChild<QCheckBox *>(QStringLiteral("chkReadOnly"));
        auto *save = test::child<QPushButton>(w.get(), "cmdSAVESCR");
        QVERIFY(text1 && ro);

        w->queuePane()->addToQueue({file(QStringLiteral("a.dwg"))});
        w->RefreshQueueControls();
        QVERIFY(
            !test::child<QPushButton>(w.get(), "Command1_Compile")->isEnabled()); // empty script: the buttons stay off
        text1->setPlainText(QStringLiteral("ZOOM E"));
        w->RefreshQueueControls();
        QVERIFY(test::child<QPushButton>(w.get(), "Command1_Compile")->isEnabled());
        QVERIFY(test::child<QPushButton>(w.get(), "cmdCreateAndRun")->isEnabled());
        QVERIFY(save->isEnabled());
        ro->setChecked(true);
        w->RefreshQueueControls();
        QVERIFY(!save->isEnabled());
        // Text files only enable nothing missing; the rule skips absent controls quietly.
        w->queuePane()->setQueueEntries({QStringLiteral("/x/a.TXT"), QStringLiteral("/x/b.csv")});
        w->RefreshQueueControls();
        QCOMPARE(w->lblFilesInQueue->text(), QStringLiteral("Queue = 2"));
    }

    // The queue's count of text-file entries (one of the control-state inputs) follows every kind
    // of change, as a count over the whole list would.
    void queueModelCountsTextFileEntries()
    {
        QueueModel m;
        const auto counted = [&m] {
            const qsizetype kept = m.textFileEntries();
            return kept == countTextFileEntries(m.entries()) ? kept : -1;
        };
        QCOMPARE(counted(), 0);
        m.setEntries({QStringLiteral("/x/a.TXT"), QStringLiteral("/x/b.dwg"), QStringLiteral("/x/c.csv")});
        QCOMPARE(counted(), 2);
        m.append(QStringLiteral("/x/d.txt"));
        QCOMPARE(counted(), 3);
        m.append(QStringList{QStringLiteral("/x/e.dwg"), QStringLiteral("/x/f.Csv")});
        QCOMPARE(counted(), 4);
        m.insert(0, QStringLiteral("/x/g.txt"));
        QCOMPARE(counted(), 5);
        m.removeAt(1); // a.TXT
        QCOMPARE(counted(), 4);
        m.removeAt(1); // b.dwg
        QCOMPARE(counted(), 4);
        m.clear();
        QCOMPARE(counted(), 0);
        m.append(QStringLiteral("/x/h.csv"));
        QCOMPARE(counted(), 1);
    }

    // Every control the state rule sets is a control of the assembled window, but for those of
    // features the program does not have yet (each leaves the list with its feature).
    void controlStateNamesExistInTheWindow()
    {
        auto w = makeWindow();
        QStringList names;
        for (qsizetype n : {0, 1, 3})
            for (qsizetype k : {0, 1, 2})
                for (bool scriptEmpty : {true, false}) {
                    QueueControlInputs in;
                    in.entries = n;
                    in.selected = std::min(k, n);
                    in.filesListed = k;
                    in.scriptEmpty = scriptEmpty;
                    in.readOnly = k == 1;
                    in.textFileEntries = n == 3 ? 3 : 0;
                    in.queueItems = w->queueControlInputs().queueItems;
                    for (const auto &entry : computeQueueControlStates(in).enabled)
                        if (!names.contains(entry.first))
                            names.append(entry.first);
                }
        QStringList missing = w->missingControlNames(names);
        missing.sort();
        QStringList notYetBuilt;
        QCOMPARE(missing, notYetBuilt);
    }

    // The table finds controls by name: a menu's name sets its entry, an item's name its action,
    // a widget's name the widget. A name shared by several stands for the menu before the item
    // before the widget; a control deleted since is passed over.
    void controlStateTableByName()
    {
        QWidget root;
        auto *button = new QPushButton(&root);
        button->setObjectName(QStringLiteral("shared"));
        auto *menu = new QMenu(&root);
        menu->setObjectName(QStringLiteral("shared"));
        QAction *item = menu->addAction(QStringLiteral("Item"));
        item->setObjectName(QStringLiteral("item"));
        auto *sameAsItem = new QPushButton(&root);
        sameAsItem->setObjectName(QStringLiteral("item"));
        auto *gone = new QPushButton(&root);
        gone->setObjectName(QStringLiteral("gone"));
        ControlStateTable table;
        table.resolve(&root);
        delete gone;
        const QStringList missing = table.apply({{QStringLiteral("shared"), false},
                                                 {QStringLiteral("item"), false},
                                                 {QStringLiteral("gone"), false},
                                                 {QStringLiteral("none"), false}});
        QCOMPARE(missing, QStringList{QStringLiteral("none")});
        QVERIFY(!menu->menuAction()->isEnabled() && button->isEnabled());
        QVERIFY(!item->isEnabled() && sameAsItem->isEnabled());
        table.setEnabled(QStringLiteral("shared"), true);
        QVERIFY(menu->menuAction()->isEnabled());
    }

    void queueTakesMoreThan32767Entries()
    {
        auto w = makeWindow();
        QStringList many;
        for (int i = 0; i < 40000; ++i)
            many.append(QStringLiteral("/big/%1.dwg").arg(i));
        QCOMPARE(w->queuePane()->addToQueue(many), qsizetype(40000));
        test::queueList(w)->selectRange(0, 39999);
        w->RefreshQueueControls();
        QCOMPARE(w->lblFilesInQueue->text(), QStringLiteral("Queue = 40000"));
        QCOMPARE(test::queueList(w)->selectedCount(), qsizetype(40000));
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdRemoveDwg"), Qt::LeftButton);
        QCOMPARE(test::queueList(w)->count(), qsizetype(0));
    }

    void longEntriesScrollSideways()
    {
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->queuePane()->addToQueue({QStringLiteral("/short.dwg")});
        QCoreApplication::processEvents();
        QCOMPARE(test::queueList(w)->horizontalScrollBar()->maximum(), 0);
        w->queuePane()->addToQueue({QStringLiteral("/") + QString(400, QLatin1Char('x')) + QStringLiteral(".dwg")});
        QTRY_VERIFY(test::queueList(w)->horizontalScrollBar()->maximum() > 0);
    }

    void filterKeepsPatternAndAddAllState()
    {
        auto w = makeWindow();
        test::selectorControl<QLineEdit>(w, "tbDWGFilter")->setText(QStringLiteral("*.txt"));
        QCOMPARE(mainSettings().DWGPattern, QStringLiteral("*.txt"));
        QCOMPARE(test::fileList(w)->count(), 1); // read at once
        QVERIFY(test::child<QPushButton>(w.get(), "cmdAddAll")->isEnabled());
        test::selectorControl<QLineEdit>(w, "tbDWGFilter")->setText(QStringLiteral("*.none"));
        QVERIFY(!test::child<QPushButton>(w.get(), "cmdAddAll")->isEnabled());
        test::selectorControl<QLineEdit>(w, "tbDWGFilter")->setText(QStringLiteral("*.txt;*.dwg"));
        QCOMPARE(test::fileList(w)->count(), 4);
    }

    void folderChangesFollowAndDropsMoveOnlyToFolders()
    {
        auto w = makeWindow();
        QSignalSpy followed(w->fileSelector(), &FileSelectorPane::drawingFolderChanged);
        const QString sub = file(QStringLiteral("sub"));
        w->fileSelector()->Dir1_OLEDragDrop(file(QStringLiteral("a.dwg"))); // a file: nothing moves
        QCOMPARE(test::selectorControl<DirListBox>(w, "Dir1")->path(), m_dir);
        w->fileSelector()->Dir1_OLEDragDrop(sub);
        QCOMPARE(test::selectorControl<DirListBox>(w, "Dir1")->path(), sub);
        QCOMPARE(test::fileList(w)->path(), sub);
        QCOMPARE(test::fileList(w)->count(), 1);
        QCOMPARE(followed.count(), 1);
        QVERIFY(!w->fileSelector()->setDirPath(file(QStringLiteral("missing"))));
        QCOMPARE(test::selectorControl<DirListBox>(w, "Dir1")->path(), sub);
    }

    // Typing in the folder list selects the next folder starting with what was typed (ignoring case),
    // the same key again the one after it; nothing is opened until Enter.
    void folderListTypeAhead()
    {
        for (const char *n : {"Archive", "Drafts", "drawings", "Plans"})
            QVERIFY(QDir(m_dir).mkpath(QLatin1String(n)));
        DirListBox list;
        QVERIFY(list.setPath(m_dir));
        const auto selected = [&list] { return list.currentItem() ? list.currentItem()->text().trimmed() : QString(); };
        const auto pause = [] { QTest::qWait(QApplication::keyboardInputInterval() + 100); };
        QTest::keyClicks(&list, QStringLiteral("d"));
        QCOMPARE(selected(), QStringLiteral("Drafts"));
        QTest::keyClicks(&list, QStringLiteral("d"));
        QCOMPARE(selected(), QStringLiteral("drawings"));
        pause();
        QTest::keyClicks(&list, QStringLiteral("DRAF"));
        QCOMPARE(selected(), QStringLiteral("Drafts"));
        pause();
        QTest::keyClicks(&list, QStringLiteral("p"));
        QCOMPARE(selected(), QStringLiteral("Plans"));
        pause();
        QTest::keyClicks(&list, QStringLiteral("z")); // no such folder: the selection stays
        QCOMPARE(selected(), QStringLiteral("Plans"));
        QCOMPARE(list.path(), m_dir);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), file(QStringLiteral("Plans")));
    }

    void unreadyDriveGoesBackToTheFolderBefore()
    {
        test::ScriptedPrompter p;
        auto w = makeWindow();
        const QString before = test::selectorControl<DriveListBox>(w, "Drive1")->drive();
        w->fileSelector()->setDirPath(file(QStringLiteral("sub")));
        p.expectMessage(vbOK);
        test::selectorControl<DriveListBox>(w, "Drive1")
            ->addItem(QStringLiteral("gone"), QStringLiteral("/no/such/volume"));
        test::selectorControl<DriveListBox>(w, "Drive1")
            ->setCurrentIndex(test::selectorControl<DriveListBox>(w, "Drive1")->count() - 1);
        QCOMPARE(p.last().text, QStringLiteral("That Drive is not responding...\rPlease select another drive!"));
        QCOMPARE(p.last().title, QStringLiteral("Tessaline Alert"));
        QCOMPARE(test::selectorControl<DriveListBox>(w, "Drive1")->drive(), before);
        QCOMPARE(test::selectorControl<DirListBox>(w, "Dir1")->path(), file(QStringLiteral("sub")));
        QVERIFY(p.allUsed());
    }

    void wideBrowserMovesTheMainFolderList()
    {
        auto w = makeWindow();
        const QString sub = file(QStringLiteral("sub"));
        QString shownAtOpening;
        QTimer::singleShot(0, w.get(), [&] {
            frmDirWideBrowser *b = w->fileSelector()->dirWideBrowser();
            shownAtOpening = b->Dir1->path();
            b->Dir1->setPath(sub); // reaches the main window while the browser is open
            QCOMPARE(test::selectorControl<DirListBox>(w, "Dir1")->path(), sub);
            QTest::mouseClick(b->cmdClose, Qt::LeftButton);
        });
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdDirWideBrowser"), Qt::LeftButton);
        QCOMPARE(shownAtOpening, m_dir);
        QCOMPARE(test::fileList(w)->path(), sub);
        QVERIFY(!w->fileSelector()->dirWideBrowser()->isVisible());
        QCOMPARE(w->fileSelector()->dirWideBrowser()->windowTitle(), QStringLiteral(" Wide Directory Browser"));

        // "&Ok" keeps the window for the next opening; its close box discards it.
        QPointer<frmDirWideBrowser> kept = w->fileSelector()->dirWideBrowser();
        QTimer::singleShot(0, w.get(), [&] {
            QCOMPARE(w->fileSelector()->dirWideBrowser(), kept.data());
            w->fileSelector()->dirWideBrowser()->close();
        });
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdDirWideBrowser"), Qt::LeftButton);
        QTRY_VERIFY(!kept);
        QCOMPARE(w->fileSelector()->dirWideBrowser(), nullptr);
        QTimer::singleShot(0, w.get(), [&] { w->fileSelector()->dirWideBrowser()->cmdClose->click(); });
        QTest::mouseClick(test::child<QPushButton>(w.get(), "cmdDirWideBrowser"), Qt::LeftButton);
        QVERIFY(w->fileSelector()->dirWideBrowser());
    }

    void fileClicksPreviewTheClickedEntry()
    {
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        FileListBox *files = test::fileList(w);
        QSignalSpy previews(w->fileSelector(), &FileSelectorPane::previewRequested);
        auto click = [files](int row, Qt::KeyboardModifiers mods = {}) {
            QTest::mouseClick(files->viewport(), Qt::LeftButton, mods,
                              files->visualItemRect(files->item(row)).center());
        };
        click(1);
        QCOMPARE(previews.size(), 1);
        QCOMPARE(previews.last().at(0).toString(), file(QStringLiteral("b.dwg")));
        QVERIFY(test::child<QPushButton>(w.get(), "cmdAddDwg")->isEnabled());
        // A click that leaves the selection as it was previews again.
        click(1);
        QCOMPARE(previews.size(), 2);
        // A Ctrl-click that takes the last selected file out of the selection previews it too.
        click(1, Qt::ControlModifier);
        QVERIFY(test::fileList(w)->selectedItems().isEmpty());
        QCOMPARE(previews.size(), 3);
        QCOMPARE(previews.last().at(0).toString(), file(QStringLiteral("b.dwg")));
        QVERIFY(!test::child<QPushButton>(w.get(), "cmdAddDwg")->isEnabled());
        if (frmDWGPreview *p = frmDWGPreview::loadedInstance())
            p->hide();
    }

    void emptyStoredFilterStaysEmpty()
    {
        mainSettings().DWGPattern = QString();
        auto w = makeWindow();
        QCOMPARE(test::selectorControl<QLineEdit>(w, "tbDWGFilter")->text(), QString());
        QCOMPARE(test::fileList(w)->count(),
                 4); // every file: a.dwg, b.dwg, C.DWG, notes.txt
        MainSettings stored;
        w->fileSelector()->store(stored);
        QCOMPARE(stored.DWGPattern, QString());
    }

    void openingFilesAndExplorer()
    {
        test::ScriptedPrompter p;
        test::RecordingLauncher l;
        auto w = makeWindow();
        test::fileList(w)->setCurrentRow(0);
        w->fileSelector()->File1_DblClick();
        QCOMPARE(l.calls.size(), 1);
        QCOMPARE(l.calls.at(0).program, file(QStringLiteral("a.dwg")));
        QFile::remove(file(QStringLiteral("a.dwg")));
        p.expectMessage(vbOK);
        w->fileSelector()->File1_DblClick();
        QCOMPARE(p.last().text, QStringLiteral(" Please contact support@tessaline.invalid to report this error.") +
                                    file(QStringLiteral("a.dwg")));
        QCOMPARE(p.last().title, QStringLiteral("53"));
        QCOMPARE(p.last().style, int(vbOKOnly));
        QCOMPARE(l.calls.size(), 1);

        l.calls.clear();
        QTest::mouseClick(test::child<QPushButton>(w.get(), "Command4_explorer"), Qt::LeftButton);
        QCOMPARE(l.calls.size(), 1);
#ifdef Q_OS_WIN
        QCOMPARE(l.calls.at(0).arguments, (QStringList{QStringLiteral("/n,/e,"), m_dir}));
#else
        QCOMPARE(l.calls.at(0).program, m_dir);
#endif
        l.nextResult = {false, false, QStringLiteral("no file manager")};
        p.expectMessage(vbOK);
        QTest::mouseClick(test::child<QPushButton>(w.get(), "Command4_explorer"), Qt::LeftButton);
        QVERIFY(p.last().text.contains(QStringLiteral("no file manager")));
    }

    void processedCounterResetAsksDefaultNo()
    {
        test::ScriptedPrompter p;
        mainSettings().TotalFilesProcessed = 12;
        auto w = makeWindow();
        QCOMPARE(w->lblFilesProcessed->text(), QStringLiteral("Processed =  12"));
        p.expectMessage(vbNo);
        QTest::mouseClick(w->lblFilesProcessed, Qt::LeftButton);
        QVERIFY(p.last().style & vbDefaultButton2);
        QCOMPARE(mainSettings().TotalFilesProcessed, 12.0);
        p.expectMessage(vbYes);
        QTest::mouseClick(w->lblFilesProcessed, Qt::LeftButton);
        QCOMPARE(mainSettings().TotalFilesProcessed, 0.0);
        QCOMPARE(w->lblFilesProcessed->text(), QStringLiteral("Processed = 0"));
    }

    // A bar dragged by hand stays where it was let go when the window is hidden and shown again
    // (the quick-pick windows do that), and a shrinking window pushes the bars up to keep the
    // queue and the file list their room.
    void barsFollowDragsAndShrinkingWindows()
    {
        mainSettings().HDividerTop = 3600;
        mainSettings().FormHeight = 14000;
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTRY_COMPARE(w->frameGeometry().height(), qRound(14000 / 15.0));
        QWidget *bar = w->findChild<QWidget *>(QStringLiteral("Picture2"));
        const QPoint grip(bar->width() / 2, bar->height() / 2);
        QTest::mousePress(bar, Qt::LeftButton, {}, grip);
        QTest::mouseMove(bar, grip + QPoint(0, 100));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(0, 100));
        const int dragged = w->mainLayout()->hDividerTop();
        QVERIFY2(qAbs(dragged - 5100) <= 30, qPrintable(QString::number(dragged)));
        w->hide();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(w->mainLayout()->hDividerTop(), dragged);

        w->mainLayout()->setHLeftDividerTop(10000);
        QVERIFY(qAbs(w->mainLayout()->hLeftDividerTop() - 10000) <= 15);
        const QSize frame = w->frameGeometry().size() - w->size();
        // The smallest height in whole pixels that is not below 10130 twips.
        w->resize(w->width(), twipsToPixelsAtLeast(10130) - frame.height());
        QTRY_COMPARE(w->frameGeometry().height(), twipsToPixelsAtLeast(10130));
        QVERIFY2(qAbs(w->mainLayout()->hDividerTop() - (10130 - 5500)) <= 15,
                 qPrintable(QString::number(w->mainLayout()->hDividerTop())));
        QVERIFY2(qAbs(w->mainLayout()->hLeftDividerTop() - (10130 - 3050)) <= 15,
                 qPrintable(QString::number(w->mainLayout()->hLeftDividerTop())));
    }

    // The controls stand where the window's tables put them (a window of 13095 x 10140 twips, both
    // bars at 3600): the style's larger default sizes give way to the tables' sizes. Places are
    // measured in twips from the origin's top left ("" the window's inner area); "bottom" is the
    // room left below the control inside the origin.
    void placementFollowsTheTables_data()
    {
        QTest::addColumn<bool>("simple");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("origin");
        QTest::addColumn<QString>("edge");
        QTest::addColumn<int>("twips");
        const auto row = [](const char *tag, bool simple, const char *control, const char *origin, const char *edge,
                            int twips) {
            QTest::newRow(tag) << simple << QString::fromLatin1(control) << QString::fromLatin1(origin)
                               << QString::fromLatin1(edge) << twips;
        };
        row("Preview below the bar", false, "cmdDWGPreviewShow", "Picture2", "top", 3500);
        row("Options frame top", false, "Frame3", "Picture2", "top", 2180);
        row("Options frame height", false, "Frame3", "", "height", 1200);
        row("Add width", false, "Command19", "Frame2", "width", 555);
        row("Folder list below the top row", false, "Dir1", "Command19", "top", 660);
        row("Filter width", false, "cmdFilterFormShow", "Frame2", "width", 795);
        row("Filter box width", false, "tbDWGFilter", "Frame2", "width", 1395);
        row("Clear width", false, "cmdClearSCREditor", "", "width", 855);
        row("Undo width", false, "Command2", "", "width", 855);
        row("Editor width", false, "cmdSCREditOpen", "", "width", 885);
        row("Script list bottom", false, "File2", "frameUserScriptList", "bottom", 810);
        row("Simple list left", true, "fsSimpleScript", "frameSimpleScrSelect", "left", 150);
        row("Simple list bottom", true, "fsSimpleScript", "frameSimpleScrSelect", "bottom", 130);
    }
    void placementFollowsTheTables()
    {
        QFETCH(bool, simple);
        QFETCH(QString, control);
        QFETCH(QString, origin);
        QFETCH(QString, edge);
        QFETCH(int, twips);
        mainSettings().SimpleMode = simple ? 1 : 0;
        mainSettings().HDividerTop = 3600;
        mainSettings().HLeftDividerTop = 3600;
        mainSettings().FormWidth = 13095;
        mainSettings().FormHeight = 10140;
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QWidget *c = w->findChild<QWidget *>(control);
        QWidget *o = origin.isEmpty() ? w->centralWidget() : w->findChild<QWidget *>(origin);
        QVERIFY(c && o);
        QTRY_VERIFY(c->isVisible());
        const QPoint at = c->mapTo(w.get(), QPoint(0, 0)) - o->mapTo(w.get(), QPoint(0, 0));
        int pixels = 0;
        if (edge == QLatin1String("left"))
            pixels = at.x();
        else if (edge == QLatin1String("top"))
            pixels = at.y();
        else if (edge == QLatin1String("width"))
            pixels = c->width();
        else if (edge == QLatin1String("height"))
            pixels = c->height();
        else
            pixels = o->height() - at.y() - c->height();
        QVERIFY2(qAbs(pixelsToTwips(pixels) - twips) <= 30,
                 qPrintable(QStringLiteral("%1 %2: %3 twips").arg(control, edge).arg(pixelsToTwips(pixels))));
    }

    // Where the program's font needs more room than the tables give, the control gets it: no
    // caption is cut, and the list keeps clear of the check box above it.
    void captionsShowWhole()
    {
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        for (const char *name :
             {"chkSaveAS", "chkDelay", "chkTestRun", "chkProjDir", "cmdClearSCREditor", "Command2", "cmdSCREditOpen",
              "cmdFilterFormShow", "Command19", "cmdFileList", "cmdDWGPreviewShow"}) {
            QWidget *c = w->findChild<QWidget *>(QString::fromLatin1(name));
            QVERIFY2(c && c->isVisible(), name);
            QVERIFY2(captionFits(c, c->size()), name);
        }
        QWidget *frame = w->findChild<QWidget *>(QStringLiteral("frameUserScriptList"));
        const auto inFrame = [frame](const char *name) {
            QWidget *c = frame->findChild<QWidget *>(QString::fromLatin1(name));
            return QRect(c->mapTo(frame, QPoint(0, 0)), c->size());
        };
        for (const char *neighbour : {"File2", "scrFilter"})
            QVERIFY2(!inFrame("chkProjDir").intersects(inFrame(neighbour)), neighbour);
    }

    // Forced below its minimum from outside (no window manager keeps it from that), the window
    // comes back to its minimum size and the bars to where they stood.
    void windowForcedBelowItsMinimumComesBack()
    {
        mainSettings().HDividerTop = 4000;
        mainSettings().HLeftDividerTop = 5000;
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const int p2 = w->mainLayout()->hDividerTop();
        const int p3 = w->mainLayout()->hLeftDividerTop();
        const QSize least = w->minimumSize();
        QVERIFY(least.width() > 400 && least.height() > 300);
        // The window really was that small for a while: its resize handling saw it.
        QSize smallest = w->size();
        EventWatch watch(w.get(), QEvent::Resize, [&smallest, &w] { smallest = smallest.boundedTo(w->size()); });
        w->windowHandle()->resize(400, 300);
        QTRY_VERIFY2(w->width() >= least.width() && w->height() >= least.height(),
                     qPrintable(QStringLiteral("%1 x %2").arg(w->width()).arg(w->height())));
        QTest::qWait(50);
        QCOMPARE(smallest, QSize(400, 300));
        QVERIFY(w->width() >= least.width() && w->height() >= least.height());
        QCOMPARE(w->mainLayout()->hDividerTop(), p2);
        QCOMPARE(w->mainLayout()->hLeftDividerTop(), p3);
    }

    void barsKeepTheirLimits()
    {
        mainSettings().HDividerTop = 4500;
        mainSettings().HLeftDividerTop = 1000; // above its limit
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(qAbs(w->mainLayout()->hDividerTop() - 4500) <= 15);
        QVERIFY(w->mainLayout()->hLeftDividerTop() >= 3001 - 15);
        w->mainLayout()->setHDividerTop(100);
        QVERIFY(w->mainLayout()->hDividerTop() >= 3500 - 15);
        w->mainLayout()->setHDividerTop(100000); // far below: the queue keeps its room
        QVERIFY(w->mainLayout()->hDividerTop() <= w->frameGeometry().height() * 15 - 5455 + 15);
        // A window 11000 twips high: the bar dropped at 6000 jumps to 5500.
        const QSize frame0 = w->frameGeometry().size() - w->size();
        w->resize(w->width(), qRound(11000 / 15.0) - frame0.height());
        QTRY_COMPARE(w->frameGeometry().height(), qRound(11000 / 15.0));
        w->mainLayout()->setHDividerTop(6000);
        QVERIFY2(qAbs(w->mainLayout()->hDividerTop() - 5500) <= 15,
                 qPrintable(QString::number(w->mainLayout()->hDividerTop())));
        w->store(mainSettings());
        QCOMPARE(mainSettings().HDividerTop, w->mainLayout()->hDividerTop());
        QVERIFY2(w->frameGeometry().width() * 15 >= 13084 - 30,
                 qPrintable(QString::number(w->frameGeometry().width())));
        // The smallest outer size is 13084 x 10130 twips.
        const QSize frame = w->frameGeometry().size() - w->size();
        QVERIFY(qAbs((w->minimumWidth() + frame.width()) * 15 - 13084) <= 15);
        QVERIFY(qAbs((w->minimumHeight() + frame.height()) * 15 - 10130) <= 15);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
