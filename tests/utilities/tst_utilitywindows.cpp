// The utility windows as the program builds them: the two pick windows opened from the main
// window, the combine window and the electrical project prompt; and Escape in the utility windows
// that have no Cancel button.

#include "appwindow.h"
#include "core/mainsettings.h"
#include "core/pathhelpers.h"
#include "core/settingsstore.h"
#include "fakeparts.h"
#include "mainwin/fileselectorpane.h"
#include "modalguard.h"
#include "panecontrols.h"
#include "testsupport.h"
#include "utilities/combinetext.h"
#include "utilities/frmCombineTextFiles.h"
#include "utilities/frmFileListRename.h"
#include "utilities/frmFileLists.h"
#include "utilities/frmFileRenamer.h"
#include "utilities/frmFileRenamerManual.h"
#include "utilities/frmQueueQuickPick.h"
#include "utilities/frmQuickPick.h"
#include "utilities/frmWDPPrompt.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/placement.h"
#include "widgets/wrappushbutton.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace tess;

namespace {

QString writeTo(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

QStringList opened(const test::RecordingLauncher &l)
{
    QStringList targets;
    for (const auto &c : l.calls) {
        if (c.isOpen)
            targets.append(c.program);
    }
    return targets;
}

template <typename T> T *openPick(frmMain &w, QPushButton *button)
{
    button->click();
    T *pick = w.findChild<T *>();
    if (pick)
        QCoreApplication::processEvents();
    return pick;
}

} // namespace

class TestUtilityWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quickPickFiltersOpensAndHandsBack()
    {
        test::Fixture fx;
        QTemporaryDir dir;
        for (const char *name : {"A12.dwg", "xA12y.txt", "B1.dwg", "a12.bak"})
            writeTo(dir.filePath(QLatin1String(name)), "x");
        for (int i = 1; i <= 12; ++i)
            writeTo(dir.filePath(QStringLiteral("m%1.dwg").arg(i, 2, 10, QLatin1Char('0'))), "x");
        test::AppWindow w;
        w->show();
        QVERIFY(w->fileSelector()->setDirPath(dir.path()));
        test::selectorControl<QLineEdit>(w, "tbDWGFilter")->setText(QStringLiteral("*.dwg"));

        auto *qp = openPick<frmQuickPick>(*w, test::selectorControl<QPushButton>(w, "cmdQuickPick"));
        QVERIFY(qp);
        QVERIFY(qp->isVisible());
        QVERIFY(!w->isVisible());
        QCOMPARE(qp->tbQPPattern->text(), QStringLiteral("*.dwg"));
        QCOMPARE(listed(qp->File1),
                 listed(test::fileList(w))); // what the main list shows

        qp->tbQPPattern->setText(QStringLiteral("A12"));
        QCOMPARE(listed(qp->File1),
                 QStringList({QStringLiteral("a12.bak"), QStringLiteral("A12.dwg"), QStringLiteral("xA12y.txt")}));
        qp->tbQPPattern->setText(QString());
        QCOMPARE(qp->File1->count(), 16);

        // Twelve drawings with the warning every 5: Yes after the 5th, No after the 10th.
        qp->tbQPPattern->setText(QStringLiteral("m"));
        qp->File1->selectAll();
        mainSettings().ResourceWarning = 1;
        mainSettings().ResourceFileLimit = 5;
        fx.prompter().expectMessage(vbYes);
        fx.prompter().expectMessage(vbNo);
        qp->mnuOpenFiles->trigger();
        QCOMPARE(opened(fx.launcher()).size(), 10);
        QCOMPARE(opened(fx.launcher()).first(), qp->pathOf(0));
        QCOMPARE(fx.prompter().last().title, QStringLiteral("Continue?"));
        QCOMPARE(fx.prompter().shown().size(), 2);

        mainSettings().ResourceWarning = 0;
        fx.launcher().calls.clear();
        qp->File1_DblClick();
        QCOMPARE(opened(fx.launcher()).size(), 12);
        // Every drawing opens with the root of the main window's drive as the program's working folder.
        const QString root = withTrailingSeparator(test::selectorControl<DriveListBox>(w, "Drive1")->drive());
        QVERIFY(!root.isEmpty());
        for (const test::LaunchCall &c : std::as_const(fx.launcher().calls))
            QCOMPARE(c.workingFolder, root);

        // Enter with nothing selected opens nothing.
        fx.launcher().calls.clear();
        qp->File1->clearSelection();
        QTest::keyClick(qp->File1, Qt::Key_Return);
        QVERIFY(fx.launcher().calls.isEmpty());

        qp->tbQPPattern->setText(QStringLiteral("A12"));
        qp->move(300, 200);
        QPointer<frmQuickPick> guard(qp);
        qp->close();
        QVERIFY(w->isVisible());
        QTRY_VERIFY(!guard);
        QCOMPARE(test::selectorControl<QLineEdit>(w, "tbDWGFilter")->text(), QStringLiteral("A12"));
        QCOMPARE(mainSettings().DWGPattern, QStringLiteral("A12"));
        QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("QPLeft"), 0), QStringLiteral("4500"));
        QCOMPARE(readSetting(QStringLiteral("Startup"), QStringLiteral("QPTop"), 0), QStringLiteral("3000"));

        // The stored geometry places the next window.
        auto *again = openPick<frmQuickPick>(*w, test::selectorControl<QPushButton>(w, "cmdQuickPick"));
        QVERIFY(again);
        QCOMPARE(again->pos(), QPoint(300, 200));
        QCOMPARE(again->geometryTwips().width, 1890);
        QCOMPARE(again->geometryTwips().height, 4110);
        again->close();
    }

    void quickPickPathInARootFolder()
    {
        test::Fixture fx;
        test::FakeFileSelection files;
        frmQuickPick qp(files, nullptr);
        qp.File1->setPath(QStringLiteral("/"));
        qp.File1->setPattern(QStringLiteral("*"));
        if (qp.File1->count() == 0)
            QSKIP("no file in the root folder");
        QCOMPARE(qp.pathOf(0), QStringLiteral("/") + qp.File1->item(0)->text());
    }

    void pickWindowOffScreenComesBackAndBadValuesGiveDefaults()
    {
        test::Fixture fx;
        writeSetting(QStringLiteral("Startup"), QStringLiteral("QPQueueLeft"), QStringLiteral("-90000000"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("QPQueueTop"), QStringLiteral("90000000"));
        writeSetting(QStringLiteral("Startup"), QStringLiteral("QPQueueWidth"), QStringLiteral("wide"));
        test::AppWindow w;
        w->show();
        w->queuePane()->setQueueEntries({QStringLiteral("/q/x.dwg")});
        w->RefreshQueueControls();
        auto *pick = openPick<frmQueueQuickPick>(*w, w->cmdQueueQuickPick);
        QVERIFY(pick);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.intersects(pick->frameGeometry()), "the window is on a screen");
        QCOMPARE(pick->geometryTwips().width, 1890);
        pick->close();
        QVERIFY(w->isVisible());
    }

    void queuePickRowsTooltipsAndOpening()
    {
        test::Fixture fx;
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a")) && QDir(dir.path()).mkpath(QStringLiteral("b")));
        const QString first = writeTo(dir.filePath(QStringLiteral("a/x.dwg")), "x");
        const QString second = dir.filePath(QStringLiteral("b/x.dwg")); // gone
        test::FakeQueue queue;
        queue.setEntries({first, second, QString()});
        test::FakeFileSelection files;
        files.driveName = QDir::rootPath();
        frmQueueQuickPick pick(queue, files, nullptr);
        QCOMPARE(listed(pick.lstFileNames), QStringList({QStringLiteral("x.dwg"), QStringLiteral("x.dwg"), QString()}));
        QCOMPARE(pick.lstFileNames->item(0)->toolTip(), first);
        QCOMPARE(pick.lstFileNames->item(1)->toolTip(), second);
        QCOMPARE(pick.lstFileNames->item(2)->toolTip(), QString());
        QVERIFY(pick.lstPaths->isHidden());

        pick.lstFileNames->setCurrentRow(0);
        pick.lstFileNames_DblClick();
        QCOMPARE(opened(fx.launcher()), QStringList({first}));
        QCOMPARE(fx.launcher().calls.first().workingFolder, QDir::rootPath());

        fx.prompter().expectMessage();
        pick.lstFileNames->setCurrentRow(1);
        pick.lstFileNames_DblClick();
        QCOMPARE(fx.prompter().last().text, QStringLiteral("File not found: ") + second);
        QCOMPARE(opened(fx.launcher()).size(), 1);

        pick.lstFileNames->setCurrentRow(2);
        pick.lstFileNames_DblClick(); // an empty row opens nothing and asks nothing
        QCOMPARE(opened(fx.launcher()).size(), 1);
    }

    // Closing with a store that cannot be written: one box per geometry key not stored, naming its
    // step, and the closing goes on. A store unreadable since the start (reported then) shows none.
    void queuePickUnloadNamesTheKeysNotStored_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::newRow("store cannot be written") << false;
        QTest::newRow("store unreadable since the start") << true;
    }
    void queuePickUnloadNamesTheKeysNotStored()
    {
        QFETCH(bool, unreadable);
        test::Fixture fx;
        if (!unreadable && !test::FileSizeLimit(qint64(1) << 40).ok())
            QSKIP("no file-size limit to stand in for a full disk");
        if (unreadable) {
            // A folder where the file should be: it cannot be read whoever runs the test.
            QVERIFY(QDir().mkpath(fx.settingsFile()));
            SettingsStore::useFile(fx.settingsFile());
            QVERIFY(SettingsStore::instance().isReadOnly());
        }
        QWidget main;
        test::FakeQueue queue({QStringLiteral("/q/a.dwg")});
        test::FakeFileSelection files;
        QPointer<frmQueueQuickPick> pick = new frmQueueQuickPick(queue, files, &main);
        pick->show();
        if (!unreadable) {
            for (int i = 0; i < 4; ++i)
                fx.prompter().expectMessage();
        }
        {
            const test::FileSizeLimit limit(unreadable ? qint64(1) << 40 : 1);
            pick->close();
        }
        QCOMPARE(files.refreshes, 1);
        QVERIFY(main.isVisible());
        const auto &shown = fx.prompter().shown();
        QCOMPARE(shown.size(), unreadable ? 0 : 4);
        for (qsizetype i = 0; i < shown.size(); ++i) {
            QCOMPARE(shown.at(i).text, SettingsStore::instance().lastError() +
                                           QStringLiteral("\r\nin Tessaline.frmQueueQuickPick.Form_Unload at line ") +
                                           QString::number(108 + 2 * i));
            QCOMPARE(shown.at(i).style, int(vbOKOnly));
            QCOMPARE(shown.at(i).title, appTitle());
        }
    }

    void combineWindow()
    {
        test::Fixture fx;
        QTemporaryDir dir;
        const QString a = writeTo(dir.filePath(QStringLiteral("a.csv")), "h\r\n1");
        const QString b = writeTo(dir.filePath(QStringLiteral("b.txt")), "h\r\n2\r\n");
        frmCombineTextFiles win({a, b}, dir.path(), nullptr);
        QCOMPARE(win.tbFileName->text(), QStringLiteral("output.csv"));
        QCOMPARE(win.windowTitle(), QStringLiteral("Combine Text Files"));

        // Written, then opened on Yes.
        fx.prompter().expectMessage(vbYes);
        win.cmdCombine_Click();
        const QString out = dir.filePath(QStringLiteral("output.csv"));
        QCOMPARE(contents(out), QByteArray("h\r\n1\r\nh\r\n2\r\n"));
        QCOMPARE(fx.prompter().last().title, QStringLiteral("Open File?"));
        QCOMPARE(opened(fx.launcher()), QStringList({out}));
        // The program starts in the root of the drive chosen in the window.
        QCOMPARE(fx.launcher().calls.last().workingFolder, withTrailingSeparator(win.Drive1->drive()));

        // An existing output and No: nothing written.
        writeTo(out, "keep");
        fx.prompter().expectMessage(vbNo);
        win.cmdCombine_Click();
        QCOMPARE(fx.prompter().last().text, QStringLiteral("Output file already exists!  Overwrite it?"));
        QCOMPARE(contents(out), QByteArray("keep"));

        // A missing input: one message in the procedure's form, the old output kept.
        QVERIFY(QFile::remove(a));
        win.tbFileName->setText(QStringLiteral("output.csv"));
        fx.prompter().expectMessage(vbYes);
        fx.prompter().expectMessage();
        win.cmdCombine_Click();
        QVERIFY(fx.prompter().last().text.contains(
            QStringLiteral("\r\nin Tessaline.frmCombineTextFiles.WriteOutputFile at line 104")));
        QCOMPARE(contents(out), QByteArray("keep"));
        QVERIFY(fx.prompter().allUsed());
    }

    // An output "&Go" refuses before any question is named with the step that found it, and nothing
    // is written.
    void combineRefusalsNameTheirStep_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("step");
        QTest::newRow("no name") << "" << int(CombineOutputProblem::EmptyName) << 100;
        QTest::newRow("a folder") << "sub" << int(CombineOutputProblem::IsFolder) << 102;
        QTest::newRow("a queued file") << "b.txt" << int(CombineOutputProblem::IsInput) << 102;
    }
    void combineRefusalsNameTheirStep()
    {
        QFETCH(QString, name);
        QFETCH(int, problem);
        QFETCH(int, step);
        test::Fixture fx;
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString a = writeTo(dir.filePath(QStringLiteral("a.csv")), "1\r\n");
        const QString b = writeTo(dir.filePath(QStringLiteral("b.txt")), "2\r\n");
        frmCombineTextFiles win({a, b}, dir.path(), nullptr);
        win.tbFileName->setText(name);
        fx.prompter().expectMessage();
        win.cmdCombine_Click();
        QCOMPARE(fx.prompter().shown().size(), 1);
        const QString path = combineOutputPath(win.Dir1->path(), name);
        QCOMPARE(fx.prompter().last().text,
                 combineOutputProblemText(CombineOutputProblem(problem), path) +
                     QStringLiteral("\r\nin Tessaline.frmCombineTextFiles.cmdCombine_Click at line ") +
                     QString::number(step));
        QCOMPARE(fx.prompter().last().style, int(vbOKOnly));
        QCOMPARE(fx.prompter().last().title, appTitle());
        QCOMPARE(contents(b), QByteArray("2\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.csv", "b.txt"}));
        QVERIFY(opened(fx.launcher()).isEmpty());
    }

    // A disk that fills up while the output is written, and a pipe among the inputs (which would keep
    // the window waiting for ever): each is named in one message, the old output stays, and nothing
    // offers to open it.
    void combineFailuresKeepTheOldOutput_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("disk full") << "full"
                                   << "Disk full";
        QTest::newRow("pipe among the inputs") << "pipe"
                                               << "not a regular file";
    }
    void combineFailuresKeepTheOldOutput()
    {
        QFETCH(QString, kind);
        QFETCH(QString, named);
        test::Fixture fx;
        QTemporaryDir dir;
        const QString a = writeTo(dir.filePath(QStringLiteral("a.txt")), QByteArray(8192, 'a'));
        const QString pipe = dir.filePath(QStringLiteral("pipe.txt"));
        if (kind == QLatin1String("pipe") && !test::makeFifo(pipe))
            QSKIP("no named pipes here");
        if (kind == QLatin1String("full") && !test::FileSizeLimit(qint64(1) << 40).ok())
            QSKIP("no file-size limit to stand in for a full disk");
        const QString out = writeTo(dir.filePath(QStringLiteral("output.txt")), "keep");
        frmCombineTextFiles win(kind == QLatin1String("pipe") ? QStringList{a, pipe} : QStringList{a}, dir.path(),
                                nullptr);
        win.tbFileName->setText(QStringLiteral("output.txt"));
        fx.prompter().expectMessage(vbYes); // overwrite
        fx.prompter().expectMessage();      // the failure
        if (kind == QLatin1String("full")) {
            const test::FileSizeLimit limit(4096);
            win.cmdCombine_Click();
        } else {
            win.cmdCombine_Click();
        }
        QVERIFY(fx.prompter().allUsed());
        const QString text = fx.prompter().last().text;
        QVERIFY2(text.contains(named, Qt::CaseInsensitive), qPrintable(text));
        QVERIFY2(text.contains(kind == QLatin1String("pipe") ? pipe : out), qPrintable(text));
        QCOMPARE(contents(out), QByteArray("keep"));
        QVERIFY(win.isEnabled());
        QVERIFY(opened(fx.launcher()).isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.txt", "output.txt"})); // no temporary file
    }

    void combineMenuFollowsTheQueue()
    {
        test::Fixture fx;
        QTemporaryDir dir;
        const QString a = writeTo(dir.filePath(QStringLiteral("a.csv")), "x");
        test::AppWindow w;
        auto *item = w->findChild<QAction *>(QStringLiteral("mnuCombineText"));
        QVERIFY(item);
        QVERIFY(!item->isEnabled());
        w->queuePane()->setQueueEntries({a});
        w->RefreshQueueControls();
        QVERIFY(item->isEnabled());
        test::ModalGuard modals;
        modals.answerNextModal([](QWidget *d) {
            QCOMPARE(d->objectName(), QStringLiteral("frmCombineTextFiles"));
            d->close();
        });
        item->trigger();
        QVERIFY(modals.allAnswered());
    }

    // Escape presses nothing in a window without a Cancel button: it stays open with what was typed.
    void escapeLeavesWindowsWithoutCancelOpen_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"frmFileLists", "frmWDPPrompt", "frmFileRenamer", "frmCombineTextFiles",
                                 "frmFileListRename", "frmFileRenamerManual"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void escapeLeavesWindowsWithoutCancelOpen()
    {
        QFETCH(QString, window);
        test::Fixture fx;
        test::FakeQueue queue({QStringLiteral("/q/a.dwg")});
        test::FakeFileSelection files;
        std::unique_ptr<QDialog> d;
        if (window == QLatin1String("frmFileLists"))
            d = std::make_unique<frmFileLists>(queue, nullptr);
        else if (window == QLatin1String("frmWDPPrompt"))
            d = std::make_unique<frmWDPPrompt>(queue, files, nullptr);
        else if (window == QLatin1String("frmFileRenamer"))
            d = std::make_unique<frmFileRenamer>(queue, &files, 1, nullptr);
        else if (window == QLatin1String("frmCombineTextFiles"))
            d = std::make_unique<frmCombineTextFiles>(QStringList{QStringLiteral("/q/a.csv")}, QDir::tempPath(),
                                                      nullptr);
        else if (window == QLatin1String("frmFileListRename"))
            d = std::make_unique<frmFileListRename>([] { return QStringLiteral("A.LST"); }, [] {}, nullptr);
        else
            d = std::make_unique<frmFileRenamerManual>(nullptr);
        QCOMPARE(d->objectName(), window);
        QSignalSpy finished(d.get(), &QDialog::finished);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        // Escape on the window and on a box of it, as typed while the box has the focus.
        auto *box = d->findChild<QLineEdit *>();
        if (box)
            box->setText(QStringLiteral("typed"));
        QTest::keyClick(d.get(), Qt::Key_Escape);
        if (box)
            QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QCOMPARE(finished.count(), 0);
        if (box)
            QCOMPARE(box->text(), QStringLiteral("typed"));
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    void projectPromptQueues()
    {
        test::Fixture fx;
        QTemporaryDir dir;
        const QString wdp =
            writeTo(dir.filePath(QStringLiteral("p.wdp")), "+title\r\n?x\r\n*y\r\nA.DWG\r\n\r\n B.dwg\r\n");
        for (const char *name : {"a.dwg", "c.dwg"})
            writeTo(dir.filePath(QLatin1String(name)), "x");
        const QString folder = QDir::toNativeSeparators(dir.path());
        const QString sep = QDir::separator();
        test::AppWindow w;
        w->queuePane()->setQueueEntries({QStringLiteral("/q/old.dwg")});
        QVERIFY(w->fileSelector()->setDirPath(dir.path()));
        test::selectorControl<QLineEdit>(w, "tbDWGFilter")->setText(QStringLiteral("*.wdp"));
        QCOMPARE(test::fileList(w)->count(), 1);
        test::fileList(w)->setCurrentRow(0);

        test::ModalGuard modals;
        modals.answerNextModal([&](QWidget *d) {
            auto *p = qobject_cast<frmWDPPrompt *>(d);
            QVERIFY(p);
            QVERIFY(p->cbClearQueueOnLoad->isChecked());
            // The tall buttons keep their captions with their blanks and show them on two lines.
            for (QPushButton *b : {p->cmdLoadWDP, p->cmdOpenWDP, p->cmdLoadFilesNotInProject}) {
                QVERIFY2(!b->text().contains(QLatin1Char('\n')), qPrintable(b->text()));
                auto *tall = qobject_cast<WrapPushButton *>(b);
                QVERIFY(tall);
                QCOMPARE(tall->captionLineCount(), 2);
            }
            // Both check boxes show "Clear Queue First" whole at the program's font.
            for (QCheckBox *c : {p->cbClearQueueOnLoad, p->chkClearQueueNotInProject})
                QVERIFY2(captionFits(c, c->size()), qPrintable(c->objectName()));
            QCOMPARE(p->cmdLoadWDP->text(), QStringLiteral("&Queue DWGs from Project"));
            QCOMPARE(p->cmdOpenWDP->text(), QStringLiteral("&Open WDP in Text Editor"));
            QCOMPARE(p->cmdLoadFilesNotInProject->text(), QStringLiteral("Queue DWGs &NOT in Project"));
            // Unticked twice: every drawing twice after what was queued.
            p->cbClearQueueOnLoad->setChecked(false);
            p->cmdLoadWDP->click();
            p->cmdLoadWDP->click();
            const QString pa = folder + sep + QStringLiteral("A.DWG");
            const QString pb = folder + sep + QStringLiteral(" B.dwg");
            QCOMPARE(w->queuePane()->queueEntries(), QStringList({QStringLiteral("/q/old.dwg"), pa, pb, pa, pb}));
            // Not in the project, ignoring case, the queue cleared first.
            p->cmdLoadFilesNotInProject->click();
            QCOMPARE(w->queuePane()->queueEntries(), QStringList({folder + sep + QStringLiteral("c.dwg")}));
            // The project file gone: a message, the queue as it was although "Clear Queue First" is ticked.
            QVERIFY(QFile::remove(wdp));
            fx.prompter().expectMessage();
            p->cbClearQueueOnLoad->setChecked(true);
            p->cmdLoadWDP->click();
            QVERIFY(fx.prompter().last().text.contains(wdp) ||
                    fx.prompter().last().text.contains(QDir::toNativeSeparators(wdp)));
            QCOMPARE(w->queuePane()->count(), 1);
            p->cmdClose->click();
        });
        w->fileSelector()->File1_DblClick();
        QVERIFY(modals.allAnswered());
        QCOMPARE(QDir::toNativeSeparators(mainSettings().WDPCurrentFile), QDir::toNativeSeparators(wdp));
        QVERIFY(opened(fx.launcher()).isEmpty());
    }
};

QTEST_MAIN(TestUtilityWindows)
#include "tst_utilitywindows.moc"
