// The release scan window and the drawing-version report as the program installs them: their
// menu items, the window at its places, a scan with its buttons, Stop and the close box, copying
// into the queue, and the report opened in the text editor.

#include "appwindow.h"
#include "core/mainsettings.h"
#include "core/messages.h"
#include "modalguard.h"
#include "panecontrols.h"
#include "testsupport.h"
#include "uitest.h"
#include "utilities/dwgversionreport.h"
#include "utilities/frmDWGRevScan.h"
#include "utilities/reportqueuedwgversions.h"
#include "widgets/dirlistbox.h"
#include "widgets/placement.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

namespace {

QString writeDrawing(const QString &path, const QByteArray &head)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(head);
    return path;
}

QStringList entries(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

QStringList names(const QMenu *menu)
{
    QStringList out;
    for (QAction *a : menu->actions())
        out.append(a->menu() ? a->menu()->objectName() : a->objectName());
    return out;
}

// Opens the scan window from its menu item and runs act on it; the window is hidden afterwards
// (by "C&lose") unless act closed it.
void withScanWindow(frmMain &w, const std::function<void(frmDWGRevScan *)> &act)
{
    test::ModalGuard modals(20000);
    modals.answerNextModal([&](QWidget *d) {
        auto *scan = qobject_cast<frmDWGRevScan *>(d);
        QVERIFY(scan);
        act(scan);
        if (scan->isVisible())
            scan->cmdClose->click();
    });
    QVERIFY(test::triggerAction(w, "mnuDWGRevScan"));
    QVERIFY(modals.allAnswered());
}

// A small tree: three drawings of R14, one of R2000 in lower case, a short one, an unknown one.
struct Tree {
    QTemporaryDir dir;
    QString root() const { return dir.path() + QLatin1Char('/'); }
    Tree()
    {
        writeDrawing(root() + QStringLiteral("a.dwg"), "AC1014....");
        writeDrawing(root() + QStringLiteral("b-short.dwg"), "AC1");
        writeDrawing(root() + QStringLiteral("c.DWG"), "ac1015....");
        writeDrawing(root() + QStringLiteral("d.dwg"), "AC1032....");
        writeDrawing(root() + QStringLiteral("Sub/e.dwg"), "AC1014....");
        writeDrawing(root() + QStringLiteral("Sub/f.dwg"), "AC1014....");
    }
    QString listed(const QString &relative) const { return revScanListedPath(root() + relative); }
};

} // namespace

class TestDwgRevScan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuItemsInPlaceAndFollowingTheQueue()
    {
        test::Fixture fx;
        test::AppWindow w;
        const QStringList tools = names(w->menu(MainMenu::Tools));
        QVERIFY(tools.contains(QStringLiteral("mnuDWGRevScan")));
        QCOMPARE(tools.indexOf(QStringLiteral("mnuCombineText")), tools.indexOf(QStringLiteral("mnuDWGRevScan")) + 1);
        const QStringList queue = names(w->menu(MainMenu::Queue));
        QCOMPARE(queue.indexOf(QStringLiteral("mnublank004")),
                 queue.indexOf(QStringLiteral("mnuReportDWGVersion")) + 1);
        const QStringList popup = names(w->menu(MainMenu::QueuePopup));
        QCOMPARE(popup.indexOf(QStringLiteral("mnuReportDWGVersions")), popup.indexOf(QStringLiteral("mnuRemove")) + 1);
        QCOMPARE(popup.indexOf(QStringLiteral("mnunothing4")),
                 popup.indexOf(QStringLiteral("mnuReportDWGVersions")) + 1);
        QCOMPARE(test::findAction(*w, "mnuDWGRevScan")->text(), QStringLiteral("&Find DWGs by AutoCAD DWG Version"));
        QCOMPARE(test::findAction(*w, "mnuReportDWGVersion")->text(),
                 QStringLiteral("R&eport DWG files AutoCAD Version"));
        QCOMPARE(test::findAction(*w, "mnuReportDWGVersions")->text(), QStringLiteral("Report DWG Versions"));

        QVERIFY(!test::findAction(*w, "mnuReportDWGVersion")->isEnabled());
        QVERIFY(!test::findAction(*w, "mnuReportDWGVersions")->isEnabled());
        w->queuePane()->setQueueEntries({QStringLiteral("/q/a.dwg")});
        w->RefreshQueueControls();
        QVERIFY(test::findAction(*w, "mnuReportDWGVersion")->isEnabled());
        QVERIFY(test::findAction(*w, "mnuReportDWGVersions")->isEnabled());
    }

    void windowAtItsInitialValues()
    {
        test::Fixture fx;
        Tree tree;
        mainSettings().SourcePath = QDir::toNativeSeparators(tree.dir.path());
        test::AppWindow w;
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QCOMPARE(f->windowTitle(), QStringLiteral(" Find files by DWG Version"));
            QCOMPARE(QDir(f->Dir1->path()), QDir(tree.dir.path()));
            const struct {
                const char *name;
                QRect twips;
            } places[] = {
                {"Frame3", {120, 120, 4695, 2895}},
                {"Drive1", {120, 360, 4455, 315}},
                {"Dir1", {120, 840, 4455, 1890}},
                {"frameDWGTypes", {4920, 120, 4335, 1935}},
                {"chkR12", {360, 360, 1815, 255}},
                {"chkR2000", {360, 1440, 1815, 255}},
                {"chkR2004", {2280, 360, 1935, 255}},
                {"chkR2013", {2280, 1440, 1935, 255}},
                {"cmdStartScan", {4920, 2280, 2055, 495}},
                {"cmdStop", {7200, 2280, 2055, 495}},
                {"lblStatus", {120, 3120, 9135, 615}},
                {"Frame1", {120, 3480, 9135, 6495}},
                {"List1", {240, 240, 8655, 3570}},
                {"Label2", {240, 3960, 2535, 255}},
                {"lstProblemFiles", {240, 4200, 8655, 1230}},
                {"cmdClear", {240, 5520, 855, 375}},
                {"cmdCopyToQueue", {2520, 5520, 1935, 615}},
                {"chkAppendtoQueue", {4680, 5640, 2295, 375}},
                {"cmdClose", {7800, 5520, 1095, 495}},
            };
            for (const auto &p : places) {
                auto *c = f->findChild<QWidget *>(QLatin1String(p.name));
                QVERIFY2(c, p.name);
                const Placement pl{p.name, p.twips.x(), p.twips.y(), p.twips.width(), p.twips.height()};
                QCOMPARE(c->geometry(), placementRect(pl));
            }
            QStringList captions;
            for (QCheckBox *box : f->releaseBoxes())
                captions.append(box->text());
            QCOMPARE(captions, (QStringList{"R12/LT2", "R13/LT95", "R14/LT97/LT98", "R2000(i)/2002", "R2004/05/06",
                                            "R2007/08/09", "R2010/11/12", "R2013/14/15/16"}));
            QVERIFY(f->chkR12->isChecked());
            QVERIFY(!f->chkR13->isChecked() && !f->chkR2013->isChecked());
            QVERIFY(f->cmdStartScan->isEnabled() && f->cmdStartScan->isDefault());
            QVERIFY(!f->cmdStop->isEnabled());
            QVERIFY(!f->cmdClear->isEnabled() && !f->cmdCopyToQueue->isEnabled());
            // An empty queue: the new list can only be appended to it.
            QVERIFY(f->chkAppendtoQueue->isChecked() && !f->chkAppendtoQueue->isEnabled());
            QCOMPARE(f->lblStatus->text(), QStringLiteral("Ready"));

            // Start follows the release boxes.
            f->chkR12->setChecked(false);
            QVERIFY(!f->cmdStartScan->isEnabled());
            f->chkR14->setChecked(true);
            QVERIFY(f->cmdStartScan->isEnabled());
        });
    }

    void scanListsMatchesAndProblemsAndCopiesThemIntoTheQueue()
    {
        test::Fixture fx;
        Tree tree;
        test::AppWindow w;
        w->queuePane()->setQueueEntries({QStringLiteral("/q/old.dwg")});
        w->queuePane()->setLoadedListMarks(QStringLiteral("OLD.LST"));
        w->RefreshQueueControls();
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QVERIFY(f->chkAppendtoQueue->isEnabled());
            QVERIFY(f->Dir1->setPath(tree.dir.path()));
            f->chkR12->setChecked(false);
            f->chkR14->setChecked(true);
            f->chkR2000->setChecked(true);
            fx.prompter().expectMessage();
            f->cmdStartScan->click();
            QCOMPARE(fx.prompter().last().text, QStringLiteral("4 Files Added to Queue."));
            QCOMPARE(fx.prompter().last().title, QStringLiteral("Scan Complete"));
            const QStringList found{tree.listed("a.dwg"), tree.listed("c.DWG"), tree.listed("Sub/e.dwg"),
                                    tree.listed("Sub/f.dwg")};
            QCOMPARE(entries(f->List1), found);
            QCOMPARE(entries(f->lstProblemFiles), QStringList{tree.listed("b-short.dwg")});
            QCOMPARE(f->lblStatus->text(), QStringLiteral("Ready"));
            QVERIFY(f->cmdStartScan->isEnabled() && f->cmdClose->isEnabled() && !f->cmdStop->isEnabled());
            QVERIFY(f->cmdClear->isEnabled() && f->cmdCopyToQueue->isEnabled());
            QVERIFY(f->chkR14->isEnabled());

            // A second scan without C&lear lists everything again; its message counts its own.
            fx.prompter().expectMessage();
            f->cmdStartScan->click();
            QCOMPARE(fx.prompter().last().text, QStringLiteral("4 Files Added to Queue."));
            QCOMPARE(entries(f->List1), found + found);
            QCOMPARE(f->lstProblemFiles->count(), 2);
            fx.prompter().expectMessage();
            f->cmdClear->click();
            f->cmdStartScan->click();
            QCOMPARE(entries(f->List1), found);

            // Appended after what the queue held; no sort.
            fx.prompter().expectMessage();
            f->cmdCopyToQueue->click();
            QCOMPARE(fx.prompter().last().text, QStringLiteral("4 File Names have been copied to the File Queue.\r\n"
                                                               "You may now close the DWG Version Scan Window."));
            QCOMPARE(fx.prompter().last().title, QStringLiteral("File Names Copied!"));
            QCOMPARE(w->queuePane()->queueEntries(), QStringList{QStringLiteral("/q/old.dwg")} + found);
            QCOMPARE(w->lblFilesInQueue->text(), QStringLiteral("Queue = 5"));
            // The queue is no longer the list loaded before.
            QCOMPARE(test::queueControl<QPushButton>(w, "cmdFileList")->text(), QStringLiteral("File&Lists"));
            // Replacing the queue.
            f->chkAppendtoQueue->setChecked(false);
            fx.prompter().expectMessage();
            f->cmdCopyToQueue->click();
            QCOMPARE(w->queuePane()->queueEntries(), found);
            QCOMPARE(w->lblFilesInQueue->text(), QStringLiteral("Queue = 4"));
            QCOMPARE(f->List1->count(), 4);
        });
        QVERIFY(fx.prompter().allUsed());
    }

    // A pipe named like a drawing is never opened (the scan would wait for ever); the message names it.
    void pipeIsNamedAndNeverOpened()
    {
        test::Fixture fx;
        Tree tree;
        if (!test::makeFifo(tree.dir.filePath(QStringLiteral("Sub/pipe.dwg"))))
            QSKIP("no named pipes here");
        test::AppWindow w;
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QVERIFY(f->Dir1->setPath(tree.dir.path()));
            f->chkR12->setChecked(false);
            f->chkR14->setChecked(true);
            f->chkR2000->setChecked(true);
            fx.prompter().expectMessage();
            f->cmdStartScan->click();
            QCOMPARE(fx.prompter().last().text, QStringLiteral("4 Files Added to Queue.") +
                                                    specialFilesSkippedText({tree.listed("Sub/pipe.dwg")}));
            QVERIFY(!entries(f->List1).contains(tree.listed("Sub/pipe.dwg")));
        });
        QVERIFY(fx.prompter().allUsed());
    }

#ifndef Q_OS_WIN
    // A drawing whose name holds a double quote cannot be queued: the queue's check names it.
    void copyRefusesWhatTheQueueRefuses()
    {
        test::Fixture fx;
        QTemporaryDir dir;
        const QString good = writeDrawing(dir.filePath(QStringLiteral("a.dwg")), "AC1009");
        const QString quoted = writeDrawing(dir.filePath(QStringLiteral("b\"c.dwg")), "AC1009");
        test::AppWindow w;
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QVERIFY(f->Dir1->setPath(dir.path()));
            fx.prompter().expectMessage();
            f->cmdStartScan->click();
            QCOMPARE(f->List1->count(), 2);
            fx.prompter().expectMessage();
            fx.prompter().expectMessage();
            f->cmdCopyToQueue->click();
            QVERIFY(fx.prompter().shown().at(1).text.contains(quoted));
            QVERIFY(fx.prompter().last().text.startsWith(QStringLiteral("1 File Names")));
            QCOMPARE(w->queuePane()->queueEntries(), QStringList{good});
        });
    }
#endif

    void stopKeepsWhatWasFound()
    {
        test::Fixture fx;
        Tree tree;
        test::AppWindow w;
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QVERIFY(f->Dir1->setPath(tree.dir.path()));
            f->chkR14->setChecked(true);
            // Stop is pressed while the first drawing is read; the window takes it as a click.
            f->setHeaderReader([f](const QString &path) {
                if (f->cmdStop->isEnabled())
                    QTest::mouseClick(f->cmdStop, Qt::LeftButton);
                return readDwgHeader(path);
            });
            fx.prompter().expectMessage();
            f->cmdStartScan->click();
            QCOMPARE(fx.prompter().last().text, QStringLiteral("1 Files Added to Queue."));
            QCOMPARE(entries(f->List1), QStringList{tree.listed("a.dwg")});
            QVERIFY(!f->isScanning());
            QVERIFY(f->cmdStartScan->isEnabled() && !f->cmdStop->isEnabled());
        });
    }

    void matchesAppearAsTheyAreFound()
    {
        test::Fixture fx;
        Tree tree;
        test::AppWindow w;
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QVERIFY(f->Dir1->setPath(tree.dir.path()));
            f->chkR14->setChecked(true);
            // What "Matching files" and the problem list hold when each drawing is read.
            QList<QStringList> seen;
            QList<QStringList> problemsSeen;
            f->setHeaderReader([&](const QString &path) {
                seen.append(entries(f->List1));
                problemsSeen.append(entries(f->lstProblemFiles));
                return readDwgHeader(path);
            });
            fx.prompter().expectMessage();
            f->cmdStartScan->click();
            // Read in order: a, b-short, c, d, Sub/e, Sub/f.
            QCOMPARE(seen.size(), 6);
            QCOMPARE(seen.at(1), QStringList{tree.listed("a.dwg")});
            QCOMPARE(problemsSeen.at(2), QStringList{tree.listed("b-short.dwg")});
            QCOMPARE(seen.at(5), QStringList({tree.listed("a.dwg"), tree.listed("Sub/e.dwg")}));
            QCOMPARE(entries(f->List1),
                     QStringList({tree.listed("a.dwg"), tree.listed("Sub/e.dwg"), tree.listed("Sub/f.dwg")}));
        });
    }

    void closeBoxDuringAScanStopsItAndDiscardsTheWindow()
    {
        test::Fixture fx;
        Tree tree;
        test::AppWindow w;
        QPointer<frmDWGRevScan> first;
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            first = f;
            QVERIFY(f->Dir1->setPath(tree.dir.path()));
            f->chkR14->setChecked(true);
            int reads = 0;
            // The close box is pressed while the walk runs: seen at the window's next repaint.
            QTimer::singleShot(0, f, [f] { f->close(); });
            f->setHeaderReader([&reads](const QString &path) {
                ++reads;
                return readDwgHeader(path);
            });
            f->cmdStartScan->click(); // no completion message
            QVERIFY(!f->isVisible());
            QVERIFY(!f->isScanning());
            QVERIFY(reads < 5);
        });
        QTRY_VERIFY(first.isNull());
        // The next opening starts afresh.
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QCOMPARE(f->List1->count(), 0);
            QVERIFY(f->chkR12->isChecked() && !f->chkR14->isChecked());
        });
    }

    void closeHidesAndKeepsEverything()
    {
        test::Fixture fx;
        Tree tree;
        test::AppWindow w;
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QVERIFY(f->Dir1->setPath(tree.root() + QStringLiteral("Sub")));
            f->chkR14->setChecked(true);
            fx.prompter().expectMessage();
            f->cmdStartScan->click();
            QCOMPARE(f->List1->count(), 2);
            f->cmdClose->click();
            QVERIFY(!f->isVisible());
        });
        withScanWindow(*w, [&](frmDWGRevScan *f) {
            QCOMPARE(f->List1->count(), 2);
            QVERIFY(f->chkR14->isChecked());
            QCOMPARE(QDir(f->Dir1->path()), QDir(tree.root() + QStringLiteral("Sub")));
            QVERIFY(f->cmdCopyToQueue->isEnabled());
        });
    }

    // ---- The version report ----

    void reportFromTheMenusOpensInTheEditor()
    {
        test::Fixture fx;
        mainSettings().TextEditor = QStringLiteral("editor");
        QTemporaryDir dir;
        const QString a = writeDrawing(dir.filePath(QStringLiteral("a.dwg")), "AC1018....");
        const QString missing = dir.filePath(QStringLiteral("gone.dwg"));
        test::AppWindow w;
        w->queuePane()->setQueueEntries({a, missing});
        w->RefreshQueueControls();
        test::findAction(*w, "mnuReportDWGVersion")->trigger();
        const QString report = dwgVersionReportPath();
        QCOMPARE(test::fileBytes(report),
                 ("R2004/2005/2006, " + a + "\r\nFile Doesn't Exist, " + missing + "\r\n").toUtf8());
        QCOMPARE(fx.launcher().calls.size(), 1);
        QCOMPARE(fx.launcher().calls.first().arguments.last(), report);

        w->queuePane()->setQueueEntries({a});
        test::findAction(*w, "mnuReportDWGVersions")->trigger();
        QCOMPARE(test::fileBytes(report), ("R2004/2005/2006, " + a + "\r\n").toUtf8());
        QCOMPARE(fx.launcher().calls.size(), 2);
        QVERIFY(!QApplication::overrideCursor());
    }

    void reportThatCannotBeWrittenStartsNoEditor()
    {
        test::Fixture fx;
        mainSettings().TextEditor = QStringLiteral("editor");
        const QString report = fx.writeFile(QStringLiteral("DATA/tester-DWGVersion.csv"), "previous\r\n");
        QVERIFY(setReadOnlyFile(report, true).ok());
        fx.prompter().expectMessage();
        ReportQueueDwgVersions({QStringLiteral("/q/a.dwg")});
        setReadOnlyFile(report, false);
        QVERIFY(fx.prompter().last().text.contains(report));
        QCOMPARE(fx.prompter().shown().size(), 1);
        QCOMPARE(test::fileBytes(report), QByteArray("previous\r\n"));
        QVERIFY(fx.launcher().calls.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Each unreadable drawing has its box, and the report goes on with the next drawing.
    void eachUnreadableDrawingHasItsMessage()
    {
        test::Fixture fx;
        mainSettings().TextEditor = QStringLiteral("editor");
        const QStringList queue{QStringLiteral("/q/a.dwg"), QStringLiteral("/q/b.dwg")};
        auto locked = [](const QString &) {
            DwgHeader h;
            h.status = DwgHeader::Unreadable;
            h.error = 70;
            h.reason = QStringLiteral("Permission denied");
            return h;
        };
        fx.prompter().expectMessage();
        fx.prompter().expectMessage();
        ReportQueueDwgVersions(queue, locked);
        const auto &shown = fx.prompter().shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).text, QStringLiteral("Error 70 (Permission denied) ReturnDWGFileREV - \r\n/q/a.dwg"));
        QCOMPARE(shown.at(1).text, QStringLiteral("Error 70 (Permission denied) ReturnDWGFileREV - \r\n/q/b.dwg"));
        for (const auto &box : shown) {
            QCOMPARE(box.style, int(vbOKOnly));
            QCOMPARE(box.title, appTitle());
        }
        QCOMPARE(test::fileBytes(dwgVersionReportPath()), QByteArray(", /q/a.dwg\r\n, /q/b.dwg\r\n"));
        QCOMPARE(fx.launcher().calls.size(), 1);
    }
};

QTEST_MAIN(TestDwgRevScan)
#include "tst_dwgrevscan.moc"
