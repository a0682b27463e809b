// The main window's queue and file selection as features reach them: every change refuses bad
// entries, drops the loaded-list marks and brings the queue's controls up to date; the selection
// moves, filters and reports its folder. And the kept-window lifetime the install steps share.

#include "core/drawingqueue.h"
#include "core/fileselection.h"
#include "mainwindowfixture.h"
#include "testsupport.h"
#include "widgets/keptwindow.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tess;

namespace {

// A dialog with the shared lifetime: hidden by its own button, released by its close box.
class KeptDialog final : public QDialog
{
public:
    using QDialog::QDialog;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        QDialog::closeEvent(event);
        releaseOnClose(this, event);
    }
};

} // namespace

class TestPaneInterfaces : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void queueChangesRefuseMarkAndRefresh()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompts;
        test::MainWindowFixture main(tmp.path());
        DrawingQueue *queue = main.w->queue();
        QSignalSpy changed(queue, &DrawingQueue::changed);
        auto *caption = main.get<QLabel>("lblFilesInQueue");
        auto *lists = main.get<QPushButton>("cmdFileList");

        QCOMPARE(queue->replace({"C:\\D\\a.dwg", "C:\\D\\b.dwg"}), 2);
        QCOMPARE(caption->text(), QStringLiteral("Queue = 2"));
        QVERIFY(!changed.isEmpty());

        // A loaded list's marks go with the first change from outside.
        main.w->queuePane()->setLoadedListMarks(QStringLiteral("Sheets"));
        QCOMPARE(lists->text(), QStringLiteral("=File&Lists="));
        prompts.expectMessage();
        QCOMPARE(queue->add({"C:\\D\\c.dwg", "C:\\D\\bad\".dwg", ""}), 1);
        QVERIFY(prompts.last().text.contains(QStringLiteral("bad\".dwg")));
        QCOMPARE(lists->text(), QStringLiteral("File&Lists"));
        QCOMPARE(queue->entries(), (QStringList{"C:\\D\\a.dwg", "C:\\D\\b.dwg", "C:\\D\\c.dwg"}));
        QCOMPARE(caption->text(), QStringLiteral("Queue = 3"));

        // Without report a refusal is silent; remove takes every equal entry.
        QCOMPARE(queue->add({"C:\\D\\a.dwg", "\t"}, false), 1);
        QCOMPARE(queue->remove({"C:\\D\\a.dwg", "C:\\D\\none.dwg"}), 2);
        QCOMPARE(queue->entries(), (QStringList{"C:\\D\\b.dwg", "C:\\D\\c.dwg"}));
        QCOMPARE(caption->text(), QStringLiteral("Queue = 2"));
        QVERIFY(queue->selectedEntries().isEmpty());
        QVERIFY(prompts.allUsed());
    }

    void fileSelectionMovesAndFilters()
    {
        test::TempProgramFolder tmp;
        test::ScriptedPrompter prompts;
        QDir(tmp.folder()).mkpath(QStringLiteral("Sheets"));
        tmp.writeFile(QStringLiteral("Sheets/A-101.dwg"), "AC1027");
        tmp.writeFile(QStringLiteral("Sheets/notes.txt"), "x");
        test::MainWindowFixture main(tmp.path());
        FileSelection *files = main.w->files();
        QSignalSpy moved(files, &FileSelection::folderChanged);

        const QString sheets = QDir::toNativeSeparators(tmp.path() + QStringLiteral("Sheets"));
        QVERIFY(files->setFolder(sheets));
        QCOMPARE(files->folder(), sheets);
        QVERIFY(!moved.isEmpty());
        QCOMPARE(files->listedFiles(), QStringList{QDir::toNativeSeparators(tmp.path() + "Sheets/A-101.dwg")});
        files->setFilter(QStringLiteral("*.txt"));
        QCOMPARE(files->filter(), QStringLiteral("*.txt"));
        QCOMPARE(files->listedFiles().size(), 1);
        QVERIFY(files->listedFiles().first().endsWith(QStringLiteral("notes.txt")));
        QVERIFY(!files->setFolder(tmp.path() + QStringLiteral("Gone")));
        QCOMPARE(files->folder(), sheets);
    }

    void keptWindowIsKeptUntilItsCloseBox()
    {
        QWidget owner;
        int made = 0;
        KeptWindow<KeptDialog> kept([&] {
            ++made;
            return new KeptDialog(&owner);
        });
        QVERIFY(!kept.existing());
        KeptDialog *first = kept.get();
        first->show();
        first->hide(); // its own buttons only hide it
        QCOMPARE(kept.get(), first);
        first->show();
        QVERIFY(first->close()); // the close box
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!kept.existing());
        QVERIFY(kept.get() != nullptr);
        QCOMPARE(made, 2);

        // A modal window's opener releases it once the show returned: at once, a fresh one next.
        QPointer<KeptDialog> second = kept.existing();
        kept.release();
        QVERIFY(!kept.existing());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!second);
        QVERIFY(kept.get() != nullptr);
        QCOMPARE(made, 3);
    }
};

QTEST_MAIN(TestPaneInterfaces)
#include "tst_paneinterfaces.moc"
