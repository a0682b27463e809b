// The queue's pop-up entry actions, clipboard copies and favourite folders, through the real
// window and its controls.
#include "appwindow.h"
#include "core/favourites.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "mainwin/favouritefolders.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmDWGFilter.h"
#include "mainwin/frmDirSelector.h"
#include "mainwin/queueentryactions.h"
#include "mainwin/queuelistview.h"
#include "mainwin/skiplist.h"
#include "modalguard.h"
#include "panecontrols.h"
#include "testsupport.h"
#include "uitest.h"
#include "widgets/uiprompter.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace tess;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

} // namespace

class TestQueueExtras : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_drawings;
    QString m_dir;

    QString drawing(const QString &name) const { return m_dir + QDir::separator() + name; }
    QStringList makeDrawings(int n) const
    {
        QStringList out;
        for (int i = 1; i <= n; ++i) {
            const QString p = drawing(QStringLiteral("D%1.dwg").arg(i, 2, 10, QLatin1Char('0')));
            QFile f(p);
            f.open(QIODevice::WriteOnly);
            out.append(p);
        }
        return out;
    }
    void select(QueueListView *list, std::initializer_list<int> rows)
    {
        list->clearSelection();
        for (int r : rows)
            list->setSelected(r, true);
        if (rows.size() > 0)
            list->setCurrentRow(*rows.begin());
    }

private Q_SLOTS:
    void init()
    {
        m_drawings = std::make_unique<QTemporaryDir>();
        m_dir = QDir::toNativeSeparators(m_drawings->path());
    }
    void cleanup() { m_drawings.reset(); }

    void popupItemsInOrderWithBoldDefault()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        QMenu *popup = w->menu(MainMenu::QueuePopup);
        QStringList names;
        for (QAction *a : popup->actions())
            names.append(a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(names, (QStringList{"mnuOpen", "mnuSkip", "mnuSort", "mnuFont", "mnuCase", "mnuRemove",
                                     "mnuReportDWGVersions", "mnunothing4", "mnuGotoDir", "mnuOpenDirInExplorer",
                                     "mnunothing5", "mnuFileSystemChecks", "mnuCopy"}));
        QCOMPARE(popup->defaultAction(), test::findAction(w.get(), "mnuOpen"));
        QVERIFY(test::findAction(w.get(), "mnuOpen")->font().bold());
        QCOMPARE(test::findAction(w.get(), "mnuCopySelFileCSV")->parent()->objectName(), QStringLiteral("mnuSelected"));
        QCOMPARE(test::findAction(w.get(), "mnuCopyClipCSV")->parent()->objectName(), QStringLiteral("cmdAll"));
    }

    void rightClickKeepsTheSelectionAndStatesFollowIt()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        w->show();
        QueueListView *list = test::queueList(w);
        list->setFocus();
        w->queuePane()->setQueueEntries(makeDrawings(3));
        select(list, {0, 2});
        QVERIFY(test::findAction(w.get(), "mnuOpen")->isEnabled());
        QVERIFY(!test::findAction(w.get(), "mnuSkip")->isEnabled());
        const QRect middle = list->visualRect(list->model()->index(1, 0));
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, middle.center());
        QCOMPARE(list->selectedRows(), (QList<qsizetype>{0, 2}));
        QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, middle.center());
        w->menu(MainMenu::QueuePopup)->close();
        // "&Unselected Files" then keeps what the user selected.
        test::findAction(w.get(), "mnuRemoveUnselectedFiles")->trigger();
        QCOMPARE(w->queuePane()->count(), 2);
    }

    void copiesThroughTheMenu()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        QueueListView *list = test::queueList(w);
        const QStringList d = makeDrawings(3);
        w->queuePane()->setQueueEntries(d);
        select(list, {2, 0});
        fx.prompter().expectMessage();
        test::findAction(w.get(), "mnuCopySelFileCSV")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("D01, D03"));
        QCOMPARE(fx.prompter().last().text, QStringLiteral("2 Items Copied to the Clipboard"));
        QCOMPARE(list->selectedRows(), (QList<qsizetype>{0, 2})); // selection and queue unchanged
        QCOMPARE(w->queuePane()->queueEntries(), d);

        fx.prompter().expectMessage();
        test::findAction(w.get(), "mnuCopyWithExt")->trigger();
        const QString all = QGuiApplication::clipboard()->text();
        QCOMPARE(QString(all).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                 QStringLiteral("D01.dwg\nD02.dwg\nD03.dwg"));
        QCOMPARE(fx.prompter().last().text, QStringLiteral("3 Items Copied to the Clipboard"));

        // "&Selected" with nothing selected: the clipboard is emptied and holds an empty text, 0 is
        // reported.
        QVERIFY(!all.isEmpty());
        list->clearSelection();
        fx.prompter().expectMessage();
        test::findAction(w.get(), "mnuCopySelectedtoClip")->trigger();
        const QMimeData *held = QGuiApplication::clipboard()->mimeData();
        QVERIFY(held && held->hasText());
        QCOMPARE(held->text(), QString());
        QCOMPARE(held->formats(), QStringList{QStringLiteral("text/plain")});
        QCOMPARE(fx.prompter().last().text, QStringLiteral("0 Items Copied to the Clipboard"));
        QVERIFY(!w->findChild<QMenu *>(QStringLiteral("mnuSelected"))->menuAction()->isEnabled());
    }

    void openingAsksAfterTheLimit_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("opened");
        QTest::newRow("exactly the limit") << 5 << 5 << QList<int>{} << 5;
        QTest::newRow("one over, No") << 5 << 6 << QList<int>{vbNo} << 5;
        QTest::newRow("twelve, Yes twice") << 5 << 12 << QList<int>{vbYes, vbYes} << 12;
        QTest::newRow("limit 0 asks before every further file") << 0 << 3 << QList<int>{vbYes, vbYes} << 3;
        QTest::newRow("warning off") << -1 << 7 << QList<int>{} << 7;
    }
    void openingAsksAfterTheLimit()
    {
        QFETCH(int, limit);
        QFETCH(int, selected);
        QFETCH(QList<int>, answers);
        QFETCH(int, opened);
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        mainSettings().ResourceWarning = limit < 0 ? 0 : 1;
        mainSettings().ResourceFileLimit = qint16(qMax(limit, 0));
        test::AppWindow w;
        QueueListView *list = test::queueList(w);
        w->queuePane()->setQueueEntries(makeDrawings(selected + 1));
        list->selectRange(1, selected);
        for (int a : answers)
            fx.prompter().expectMessage(a);
        test::findAction(w.get(), "mnuOpen")->trigger();
        QCOMPARE(fx.launcher().calls.size(), opened);
        QCOMPARE(fx.launcher().calls.first().program, w->queuePane()->queueEntries().at(1));
        QVERIFY(fx.launcher().calls.first().isOpen);
        QCOMPARE(fx.prompter().shown().size(), answers.size());
        if (!answers.isEmpty())
            QCOMPARE(fx.prompter().last().title, QStringLiteral("Continue?"));
    }

    void openingNamesTheFilesThatFailed()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        QStringList d = makeDrawings(1);
        d.append(drawing(QStringLiteral("gone.dwg")));
        w->queuePane()->setQueueEntries(d);
        test::queueList(w)->selectRange(0, 1);
        fx.prompter().expectMessage();
        QTest::keyClick(test::queueList(w), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(fx.launcher().calls.size(), 1);
        QVERIFY(fx.prompter().last().text.contains(d.at(1)));
    }

    void skipRemovesUpToTheSelectedAndRecordsIt()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        const QStringList d = makeDrawings(5);
        w->queuePane()->setQueueEntries(d);
        select(test::queueList(w), {2});
        fx.prompter().expectMessage(vbYes);
        test::findAction(w.get(), "mnuSkip")->trigger();
        QCOMPARE(w->queuePane()->queueEntries(), d.mid(3));
        QCOMPARE(fileBytes(skipListPath()), d.at(2).toLocal8Bit() + "\r\n");
        QCOMPARE(w->lblFilesInQueue->text(), QStringLiteral("Queue = 2"));

        // The skip list cannot be written: a message names it and the queue stays whole.
        QVERIFY(setReadOnlyFile(skipListPath(), true).ok());
        select(test::queueList(w), {0});
        fx.prompter().expectMessage(vbYes);
        fx.prompter().expectMessage();
        test::findAction(w.get(), "mnuSkip")->trigger();
        setReadOnlyFile(skipListPath(), false);
        QVERIFY(fx.prompter().last().text.contains(skipListPath()));
        QCOMPARE(w->queuePane()->queueEntries(), d.mid(3));
    }

    void keysMoveAndRemove()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        QueueListView *list = test::queueList(w);
        const QStringList d = makeDrawings(3);
        w->queuePane()->setQueueEntries(d);
        select(list, {1});
        QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(w->queuePane()->queueEntries(), (QStringList{d[1], d[0], d[2]}));
        QCOMPARE(list->currentRow(), 0);                        // the focus stays with the entry that moved
        QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier); // the first entry: nothing moves
        QCOMPARE(w->queuePane()->queueEntries(), (QStringList{d[1], d[0], d[2]}));
        select(list, {2});
        QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(w->queuePane()->queueEntries(), (QStringList{d[1], d[0]}));
    }

    void gotoDirMovesTheSelector()
    {
        test::Fixture fx;
        QDir(m_dir).mkpath(QStringLiteral("sub"));
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        const QString sub = drawing(QStringLiteral("sub"));
        w->queuePane()->setQueueEntries(
            {sub + QDir::separator() + QStringLiteral("x.dwg"),
             drawing(QStringLiteral("gone")) + QDir::separator() + QStringLiteral("y.dwg")});
        select(test::queueList(w), {0});
        test::findAction(w.get(), "mnuGotoDir")->trigger();
        QCOMPARE(w->fileSelector()->folder(), sub);
        select(test::queueList(w), {1});
        fx.prompter().expectMessage();
        test::findAction(w.get(), "mnuGotoDir")->trigger();
        QVERIFY(fx.prompter().last().text.endsWith(QStringLiteral("in procedure mnuGotoDir_Click of Form frmMain")));
        QCOMPARE(w->fileSelector()->folder(), sub);

        select(test::queueList(w), {0});
        test::findAction(w.get(), "mnuOpenDirInExplorer")->trigger();
        QCOMPARE(fx.launcher().calls.size(), 1);
    }

    void favouritesAddReadsAfreshAndIgnoresDuplicates()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        auto *fav = w->findChild<FavouriteFolders *>();
        QVERIFY(fav);
        const QString entry = m_dir + QDir::separator();
        test::selectorControl<QPushButton>(w, "Command19")->click();
        QCOMPARE(fileBytes(favoritesFilePath()), entry.toLocal8Bit() + "\r\n");
        // Another user saved meanwhile: their entry stays; the same folder is not added twice.
        QFile f(favoritesFilePath());
        QVERIFY(f.open(QIODevice::Append));
        f.write("/aaa/\n");
        f.close();
        test::selectorControl<QPushButton>(w, "Command19")->click();
        QCOMPARE(fileBytes(favoritesFilePath()), "/aaa/\r\n" + entry.toLocal8Bit() + "\r\n");

        // A file that cannot be written: named once per run for the automatic addition.
        QVERIFY(setReadOnlyFile(favoritesFilePath(), true).ok());
        QDir(m_dir).mkpath(QStringLiteral("other"));
        QVERIFY(w->fileSelector()->setDirPath(drawing(QStringLiteral("other"))));
        fx.prompter().expectMessage();
        fav->AddDirToFavorites(true);
        fav->AddDirToFavorites(true);
        setReadOnlyFile(favoritesFilePath(), false);
        QCOMPARE(fx.prompter().shown().size(), 1);
        QVERIFY(fx.prompter().last().text.contains(favoritesFilePath()));
    }

    void favouritesDialogJumpsRemovesAndSaves()
    {
        test::Fixture fx;
        QDir(m_dir).mkpath(QStringLiteral("b"));
        mainSettings().SourcePath = m_dir;
        const QString b = drawing(QStringLiteral("b")) + QDir::separator();
        const QString dead = drawing(QStringLiteral("a-dead")) + QDir::separator();
        fx.writeFile(QStringLiteral("DATA/Favorites.dat"),
                     (b + QStringLiteral("\n") + dead + QStringLiteral("\n")).toLocal8Bit());
        test::AppWindow w;
        frmDirSelector *d = w->findChild<FavouriteFolders *>()->dirSelector();
        QCOMPARE(d->entries(), (QStringList{dead, b}));
        QVERIFY(!d->Command2->isEnabled());

        // The dead entry: "Oops", Yes removes it, the dialog stays and nothing is saved.
        d->show();
        d->DirectoryList->setCurrentRow(0);
        d->DirectoryList_Click();
        fx.prompter().expectMessage(vbYes);
        d->Command1->click();
        QCOMPARE(fx.prompter().last().title, QStringLiteral("Oops"));
        QCOMPARE(d->entries(), QStringList{b});
        QVERIFY(d->isVisible());
        QCOMPARE(fileBytes(favoritesFilePath()),
                 (b + QStringLiteral("\n") + dead + QStringLiteral("\n")).toLocal8Bit());

        // "&Ok" on the live one: the selector jumps, the dialog hides and the list is saved.
        d->DirectoryList->setCurrentRow(0);
        d->Command1->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(w->fileSelector()->folder(), drawing(QStringLiteral("b")));
        QCOMPARE(fileBytes(favoritesFilePath()), b.toLocal8Bit() + "\r\n");
    }

    // Taking the focus makes the list's first row current, but the user has chosen nothing yet:
    // "&Ok" jumps nowhere (no "Oops" for a dead first entry), hides the dialog and saves the list.
    void favouritesOkBeforeAnyPickOnlySaves()
    {
        test::Fixture fx;
        QDir(m_dir).mkpath(QStringLiteral("b"));
        mainSettings().SourcePath = m_dir;
        const QString b = drawing(QStringLiteral("b")) + QDir::separator();
        const QString dead = drawing(QStringLiteral("a-dead")) + QDir::separator();
        fx.writeFile(QStringLiteral("DATA/Favorites.dat"), (b + QStringLiteral("\n") + dead).toLocal8Bit());
        test::AppWindow w;
        auto *fav = w->findChild<FavouriteFolders *>();
        test::ModalGuard modals;
        QPointer<frmDirSelector> shown;
        modals.answerNextModal([&shown](QWidget *d) {
            shown = qobject_cast<frmDirSelector *>(d);
            QVERIFY(shown);
            QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
            QCoreApplication::sendEvent(shown->DirectoryList, &focus);
            QListWidgetItem *current = shown->DirectoryList->currentItem();
            QVERIFY(current && !current->isSelected());
            shown->Command1->click();
        });
        fav->Command18_Click();
        QVERIFY(modals.allAnswered());
        QVERIFY(shown && !shown->isVisible());
        QCOMPARE(w->fileSelector()->folder(), m_dir);
        QCOMPARE(fileBytes(favoritesFilePath()),
                 (dead + QStringLiteral("\r\n") + b + QStringLiteral("\r\n")).toLocal8Bit());
    }

    void favouritesDialogIsKeptUntilItsCloseBox()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        fx.writeFile(QStringLiteral("DATA/Favorites.dat"), (m_dir + QDir::separator() + "\r\n").toLocal8Bit());
        test::AppWindow w;
        auto *fav = w->findChild<FavouriteFolders *>();
        QVERIFY(!fav->isDirSelectorLoaded());
        QPointer<frmDirSelector> first = fav->dirSelector();
        // "&Cancel" only hides it ...
        QTimer::singleShot(0, first, [first] { first->Command3->click(); });
        fav->Command18_Click();
        QVERIFY(first && !first->isVisible());
        QCOMPARE(fav->dirSelector(), first.data());
        // ... its close box releases it, and the next opening makes a fresh one.
        QTimer::singleShot(0, first, [first] { test::pressCloseBox(first); });
        fav->Command18_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QVERIFY(!fav->isDirSelectorLoaded());
        QVERIFY(fav->dirSelector());
        QVERIFY(fx.prompter().allUsed());
    }

    void cleanDeadPathsAsksFromTheLastAndCancelRestores()
    {
        test::Fixture fx;
        QDir(m_dir).mkpath(QStringLiteral("b"));
        mainSettings().SourcePath = m_dir;
        const QString sep = QDir::separator();
        const QString a = drawing(QStringLiteral("a")) + sep, b = drawing(QStringLiteral("b")) + sep,
                      c = drawing(QStringLiteral("c")) + sep;
        fx.writeFile(QStringLiteral("DATA/Favorites.dat"), (a + "\r\n" + b + "\r\n" + c + "\r\n").toLocal8Bit());
        test::AppWindow w;
        auto *fav = w->findChild<FavouriteFolders *>();
        frmDirSelector *d = fav->dirSelector();
        fx.prompter().expectMessage(vbYes);
        fx.prompter().expectMessage(vbYes);
        d->RemoveDeadPaths();
        QVERIFY(fx.prompter().shown().at(0).text.startsWith(c));
        QVERIFY(fx.prompter().shown().at(1).text.startsWith(a));
        QCOMPARE(d->entries(), QStringList{b});
        // Not confirmed with "&Ok": the next opening shows the file again.
        QTimer::singleShot(0, d, [d] { d->Command3->click(); });
        fav->Command18_Click();
        QCOMPARE(d->entries(), (QStringList{a, b, c}));
    }

    // Each "Clean &Dead Paths" question stands over the dialog, the second one too: the real boxes.
    void cleanDeadPathsQuestionsStandOverTheDialog()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        const QString sep = QDir::separator();
        const QString a = drawing(QStringLiteral("a")) + sep, c = drawing(QStringLiteral("c")) + sep;
        fx.writeFile(QStringLiteral("DATA/Favorites.dat"), (a + "\r\n" + c + "\r\n").toLocal8Bit());
        test::AppWindow w;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        UiPrompter boxes;
        setPrompter(&boxes);
        const auto restore = qScopeGuard([&fx] { setPrompter(&fx.prompter()); });
        test::ModalGuard modals;
        QPointer<QWidget> dialog;
        QList<QPointer<QWidget>> owners;
        modals.answerNextModal([&dialog](QWidget *d) {
            dialog = d;
            auto *favourites = qobject_cast<frmDirSelector *>(d);
            QVERIFY(favourites);
            favourites->cmdRemoveDead->click();
            favourites->Command3->click();
        });
        for (int i = 0; i < 2; ++i) {
            modals.answerNextModal([&owners](QWidget *box) {
                owners.append(box->parentWidget());
                auto *question = qobject_cast<QMessageBox *>(box);
                QVERIFY(question);
                question->button(QMessageBox::No)->click();
            });
        }
        w->findChild<FavouriteFolders *>()->Command18_Click();
        QVERIFY(modals.allAnswered());
        QCOMPARE(owners.size(), 2);
        QVERIFY(dialog);
        QCOMPARE(owners.at(0).data(), dialog.data());
        QCOMPARE(owners.at(1).data(), dialog.data());
    }

    void droppedListsThatCannotBeReadAreNamedAndTheDropGoesOn()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        mainSettings().DWGPattern = QStringLiteral("*.dwg");
        test::AppWindow w;
        const QString fifo = drawing(QStringLiteral("pipe.txt"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QString list = drawing(QStringLiteral("list.txt"));
        QFile f(list);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("/a/good.dwg\r/a/bad\xe9.dwg\n\"/a/quoted.dwg\"\r\n");
        f.close();
        fx.prompter().expectMessage(); // the undecodable line, named
        fx.prompter().expectMessage(); // the pipe, named with its reason
        w->queuePane()->List1_OLEDragDrop({fifo, list});
        QCOMPARE(w->queuePane()->queueEntries(), (QStringList{"/a/good.dwg", "/a/quoted.dwg"}));
        QVERIFY(fx.prompter().shown().at(1).text.contains(fifo));
    }

    void storedFiltersRoundTrip()
    {
        test::Fixture fx;
        mainSettings().SourcePath = m_dir;
        test::AppWindow w;
        QString applied;
        frmDWGFilter f(drawingFilterConfig(), [&applied](const QString &p) { applied = p; });
        QCOMPARE(f.windowTitle(), QStringLiteral(" Manage Filters"));
        f.tbDWGFilter->setText(QStringLiteral("*.DWG"));
        f.show(); // the first opening creates the shared file empty
        QCOMPARE(fileBytes(fx.data() + QStringLiteral("DWGFilter.DAT")), QByteArray());
        QVERIFY(f.cmdAdd->isEnabled());
        QVERIFY(!f.cmdRemove->isEnabled());
        f.cmdAdd->click();
        f.tbDWGFilter->setText(QStringLiteral("b*.dwg"));
        f.cmdAdd->click();
        f.tbDWGFilter->setText(QStringLiteral("*.dwg")); // differs in case only: added
        f.cmdAdd->click();
        f.cmdAdd->click(); // again: nothing added, the file rewritten
        QCOMPARE(fileBytes(fx.data() + QStringLiteral("DWGFilter.DAT")), QByteArray("*.DWG\r\n*.dwg\r\nb*.dwg\r\n"));
        f.tbDWGFilter->clear();
        QVERIFY(!f.cmdAdd->isEnabled());

        f.List1->setCurrentRow(2);
        f.List1_Click();
        QCOMPARE(f.tbDWGFilter->text(), QStringLiteral("b*.dwg"));
        QVERIFY(f.cmdRemove->isEnabled());
        f.cmdRemove->click();
        QCOMPARE(fileBytes(fx.data() + QStringLiteral("DWGFilter.DAT")), QByteArray("*.DWG\r\n*.dwg\r\n"));
        f.List1->setCurrentRow(0);
        f.List1_DblClick();
        QCOMPARE(applied, QStringLiteral("*.DWG"));
        QVERIFY(!f.isVisible());

        // The personal list, from a hand-edited file with LF lines in any order.
        fx.writeFile(QStringLiteral("DATA/tester-DWGFilter.DAT"), "c*.dwg\nA*.dwg\n\nb*.dwg\n");
        f.show();
        f.chkPersonalSettings->setChecked(true);
        QCOMPARE(f.entries(), (QStringList{QString(), "A*.dwg", "b*.dwg", "c*.dwg"}));
    }

    void storedFiltersUnreadableFileIsNeverWrittenOver()
    {
        test::Fixture fx;
        // A folder where the list file should be cannot be read as a list.
        QVERIFY(QDir(fx.data()).mkpath(QStringLiteral("DWGFilter.DAT")));
        frmDWGFilter f(drawingFilterConfig(), {});
        fx.prompter().expectMessage();
        f.show();
        QVERIFY(fx.prompter().last().text.contains(QStringLiteral("DWGFilter.DAT")));
        QVERIFY(!f.cmdAdd->isEnabled());
        QVERIFY(!f.cmdRemove->isEnabled());
        QVERIFY(QFileInfo(fx.data() + QStringLiteral("DWGFilter.DAT")).isDir());
    }

    void filterButtonKeepsTheChosenListAcrossOpenings()
    {
        test::Fixture fx;
        fx.writeFile(QStringLiteral("DATA/DWGFilter.DAT"), "*.dwg\r\n");
        fx.writeFile(QStringLiteral("DATA/tester-DWGFilter.DAT"), "A-*.dwg\r\n");
        test::AppWindow w;
        FileSelectorPane *files = w->fileSelector();
        test::ModalGuard modals;
        // First opening: the personal list is chosen and an entry applied by a double-click.
        modals.answerNextModal([](QWidget *d) {
            auto *f = qobject_cast<frmDWGFilter *>(d);
            QVERIFY(f);
            f->chkPersonalSettings->setChecked(true);
            f->List1->setCurrentRow(0);
            f->List1_DblClick();
        });
        test::child<QPushButton>(files, "cmdFilterFormShow")->click();
        QCOMPARE(files->filter(), QStringLiteral("A-*.dwg"));
        // The double-click only hid the window: the choice is not stored yet.
        QCOMPARE(readOtherSetting(OtherKeys::DWGFilterPersonal), QStringLiteral("0"));
        // Second opening: still the personal list; the close box unloads the window and stores it.
        QPointer<QWidget> second;
        modals.answerNextModal([&second](QWidget *d) {
            auto *f = qobject_cast<frmDWGFilter *>(d);
            QVERIFY(f);
            second = f;
            QVERIFY(f->chkPersonalSettings->isChecked());
            QCOMPARE(f->entries(), QStringList{QStringLiteral("A-*.dwg")});
            test::pressCloseBox(f);
        });
        test::child<QPushButton>(files, "cmdFilterFormShow")->click();
        QCOMPARE(readOtherSetting(OtherKeys::DWGFilterPersonal), QStringLiteral("1"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!second);
        // The next opening loads it afresh, on the stored choice.
        modals.answerNextModal([](QWidget *d) {
            auto *f = qobject_cast<frmDWGFilter *>(d);
            QVERIFY(f);
            QVERIFY(f->chkPersonalSettings->isChecked());
            f->hide();
        });
        test::child<QPushButton>(files, "cmdFilterFormShow")->click();
        QVERIFY(modals.allAnswered());
    }

    void storedFilterSettingOtherThanOneMeansShared()
    {
        test::Fixture fx;
        writeOtherSetting(OtherKeys::DWGFilterPersonal, QStringLiteral("2"));
        frmDWGFilter f(drawingFilterConfig(), {});
        QVERIFY(!f.chkPersonalSettings->isChecked());
    }

    // The queue model's indexes are a list model's: rows inside the list, one column, no children,
    // through every kind of change.
    void queueModelIndexesAsAListModel()
    {
        QueueModel m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        m.setEntries({QStringLiteral("/x/a.dwg"), QStringLiteral("/x/b.dwg")});
        m.append(QStringList{QStringLiteral("/x/c.dwg")});
        m.insert(1, QStringLiteral("/x/d.dwg"));
        m.removeAt(0);
        QCOMPARE(m.index(2).data().toString(), QStringLiteral("/x/c.dwg"));
        for (const auto &[row, column] : {std::pair{-1, 0}, {3, 0}, {0, 1}, {0, -1}})
            QVERIFY(!m.index(row, column).isValid());
        QVERIFY(!m.index(0, 0, m.index(0)).isValid());
        m.clear();
        QVERIFY(!m.index(0).isValid());
    }

    // A large queue is let go of on a thread of its own when its model goes: the texts held
    // elsewhere stay whole, and those only the model held are freed there, not used after it.
    void largeQueueGoesWithItsModel()
    {
        const auto drawings = [](int first) {
            QStringList out;
            for (int i = first; i < first + 20000; ++i)
                out << QStringLiteral("/x/%1.dwg").arg(i);
            return out;
        };
        const QStringList shared = drawings(0);
        auto withShared = std::make_unique<QueueModel>();
        withShared->setEntries(shared);
        auto alone = std::make_unique<QueueModel>();
        alone->setEntries(drawings(20000));
        QCOMPARE(alone->entry(0), QStringLiteral("/x/20000.dwg"));
        withShared.reset();
        alone.reset();
        QTest::qWait(100); // time for the threads to run (a text used after it was freed is reported)
        QCOMPARE(shared, drawings(0));
    }

    // A long queue scrolls one row per step of the wheel or the bar's arrows, and the keys bring
    // the entry they move to into sight.
    void longQueueScrollsByRows()
    {
        QueueListView list;
        QStringList entries;
        for (int i = 0; i < 5000; ++i)
            entries << QStringLiteral("/x/%1.dwg").arg(i);
        list.setItems(entries);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const auto topRow = [&list] { return list.indexAt(QPoint(1, 1)).row(); };
        list.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(topRow(), 1);
        list.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(topRow(), 2);
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_End);
        QCOMPARE(list.currentRow(), qsizetype(4999));
        QVERIFY(list.viewport()->rect().contains(list.visualRect(list.queueModel()->index(4999))));
        QTest::keyClick(&list, Qt::Key_Home);
        QCOMPARE(topRow(), 0);
    }
};

QTEST_MAIN(TestQueueExtras)
#include "tst_queueextras.moc"
