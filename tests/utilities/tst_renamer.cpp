#include "appwindow.h"
#include "batch/frmFileErrorReport.h"
#include "core/pathhelpers.h"
#include "fakeparts.h"
#include "modalguard.h"
#include "testsupport.h"
#include "utilities/frmFileRenamer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tess;

namespace {

QStringList itemsOf(const QListWidget *l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out.append(l->item(i)->text());
    return out;
}

// Queued drawings in a temporary folder, each holding its own name, and a renamer over them whose
// write-back lands in `queue`.
struct RenamerFixture {
    test::Fixture fx;
    QTemporaryDir dir;
    QStringList queue;
    test::FakeQueue fakeQueue;
    test::FakeFileSelection files;
    bool fileListRefreshed() const { return files.refreshes > 0; }

    explicit RenamerFixture(const QStringList &names)
    {
        for (const QString &n : names) {
            QFile f(dir.filePath(n));
            if (f.open(QIODevice::WriteOnly))
                f.write(n.toUtf8());
            queue.append(dir.filePath(n));
        }
        QObject::connect(&fakeQueue, &DrawingQueue::changed, [this] { queue = fakeQueue.entries(); });
    }
    std::unique_ptr<frmFileRenamer> open(int problems = 1)
    {
        fakeQueue.setEntries(queue);
        return std::make_unique<frmFileRenamer>(fakeQueue, &files, problems, nullptr);
    }
    QStringList names() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
    QByteArray contentOf(const QString &name) const
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

void setPreview(frmFileRenamer &w, const QStringList &names)
{
    w.lstDestination->clear();
    w.lstDestination->addItems(names);
    w.cmdDoIt->setEnabled(true);
}

} // namespace

class tst_Renamer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensWithItsDefaults()
    {
        RenamerFixture r({"B.dwg", "A.dwg"});
        r.fx.prompter().expectMessage(vbOK);
        auto w = r.open(0);
        QCOMPARE(r.fx.prompter().last().text, QStringLiteral("All Files in Queue are Available to be renamed."));
        QCOMPARE(r.fx.prompter().last().title, QStringLiteral("Files Verified"));
        QCOMPARE(itemsOf(w->lstSource), (QStringList{"B.dwg", "A.dwg"}));
        QCOMPARE(w->lstSource->item(0)->toolTip(), r.queue.at(0));
        QCOMPARE(w->tbRenumberDigits->text(), QStringLiteral("3"));
        QCOMPARE(w->tbReplaceChar->text(), QStringLiteral("4"));
        QCOMPARE(w->tbInsertAtChar->text(), QStringLiteral("1"));
        QVERIFY(w->optOverWrite->isChecked());
        QVERIFY(!w->cmdDoIt->isEnabled() && !w->cmdClear->isEnabled() && !w->cmdReplace2Compound->isEnabled());
        w->vsRenumberPad->setValue(-5);
        QCOMPARE(w->tbRenumberDigits->text(), QStringLiteral("5"));
        // The top arrow of a spinner raises the number.
        w->show();
        QTest::mouseClick(w->vsRenumberPad, Qt::LeftButton, {}, QPoint(w->vsRenumberPad->width() / 2, 2));
        QCOMPARE(w->tbRenumberDigits->text(), QStringLiteral("6"));
    }

    void previewsEnableOnlyWhenWhole()
    {
        RenamerFixture r({"A.dwg", "NODOT"});
        auto w = r.open();
        w->tbReplace2Replace->setText("A");
        w->tbReplace2ReplaceWith->setText("B");
        w->cmdReplace2Preview->click();
        QVERIFY(w->cmdDoIt->isEnabled() && w->cmdClear->isEnabled() && w->cmdReplace2Compound->isEnabled());
        QCOMPARE(itemsOf(w->lstDestination), (QStringList{"B.dwg", "NODOT"}));
        // A stopped preview leaves what it computed and nothing enabled.
        r.fx.prompter().expectMessage(vbOK);
        w->cmdAppendPreview->click();
        QCOMPARE(r.fx.prompter().last().text, QStringLiteral("String Length Error."));
        QCOMPARE(itemsOf(w->lstDestination), QStringList{"A.dwg"});
        QVERIFY(!w->cmdDoIt->isEnabled() && !w->cmdClear->isEnabled() && !w->cmdReplace2Compound->isEnabled());
    }

    // Each name shorter than the count has its box, in list order, and becomes the replacement alone.
    void replaceFirstSaysForEachShortName()
    {
        RenamerFixture r({"AB.dwg", "X", "ABCDEF.dwg", "Y1"});
        auto w = r.open();
        w->vsReplaceChar->setValue(-6);
        w->tbReplaceWith->setText("Z");
        r.fx.prompter().expectMessage(vbOK);
        r.fx.prompter().expectMessage(vbOK);
        w->cmdPreviewReplaceFirst->click();
        QCOMPARE(itemsOf(w->lstDestination), (QStringList{"Z", "Z", "Z.dwg", "Z"}));
        const auto &shown = r.fx.prompter().shown();
        QCOMPARE(shown.size(), 2);
        for (const auto &box : shown) {
            QVERIFY(box.text.startsWith("Error 5 (Invalid procedure call or argument: "));
            QVERIFY(box.text.endsWith(") in procedure StripFirstXChars of Module modStringManipulation"));
            QCOMPARE(box.style, int(vbOKOnly)); // no icon
        }
        QVERIFY(shown.at(0).text.contains("X has fewer than 6 characters"));
        QVERIFY(shown.at(1).text.contains("Y1 has fewer than 6 characters"));
        QVERIFY(w->cmdDoIt->isEnabled());
    }

    // A name shorter than the insert position stops the preview with the error box, without an icon.
    void insertPastTheEndSays()
    {
        RenamerFixture r({"AB.dwg", "X"});
        auto w = r.open();
        w->tbInsertText->setText("Q");
        w->tbInsertAtChar->setText("2");
        r.fx.prompter().expectMessage(vbOK);
        w->cmdInsertPreview->click();
        QCOMPARE(r.fx.prompter().shown().size(), 1);
        QVERIFY(r.fx.prompter().last().text.endsWith(") in procedure cmdInsertPreview_Click of Form frmFileRenamer"));
        QCOMPARE(r.fx.prompter().last().style, int(vbOKOnly));
        QCOMPARE(itemsOf(w->lstDestination), QStringList{"ABQ.dwg"});
    }

    void tabsAndPadCharacter()
    {
        RenamerFixture r({"A.dwg"});
        auto w = r.open();
        w->optAppend->setChecked(true);
        w->SSTab1->setCurrentIndex(4);
        QVERIFY(w->optPadFromEnd->isChecked());
        w->SSTab1->setCurrentIndex(0);
        QVERIFY(w->optOverWrite->isChecked());
        r.fx.prompter().expectMessage(vbOK);
        w->tbPadChar->setText("0x");
        QCOMPARE(r.fx.prompter().last().text, QStringLiteral("Please select a SINGLE character to Pad with."));
        QCOMPARE(w->tbPadChar->text(), QStringLiteral("0"));
        QCOMPARE(w->tbPadChar->selectedText(), QStringLiteral("0"));
    }

    void finalizeRenamesAndWritesBackTheQueue()
    {
        RenamerFixture r({"SHEET-9.dwg", "SHEET-8.dwg"});
        auto w = r.open();
        w->cmdPreviewRenumber->click(); // overwrite, 3 digits
        QCOMPARE(itemsOf(w->lstDestination), (QStringList{"SHEE001.dwg", "SHEE002.dwg"}));
        w->cmdDoIt->click();
        QCOMPARE(r.names(), (QStringList{"SHEE001.dwg", "SHEE002.dwg"}));
        QCOMPARE(r.contentOf("SHEE001.dwg"), QByteArray("SHEET-9.dwg"));
        QCOMPARE(itemsOf(w->lstSource), (QStringList{"SHEE001.dwg", "SHEE002.dwg"}));
        QCOMPARE(w->lstDestination->count(), 0);
        QVERIFY(!w->cmdDoIt->isEnabled());
        w->show();
        w->close();
        const QString folder = withTrailingSeparator(r.dir.path(), QLatin1Char('/'));
        QCOMPARE(r.queue, (QStringList{folder + "SHEE001.dwg", folder + "SHEE002.dwg"}));
        QVERIFY(r.fileListRefreshed());
    }

    void refusalsRenameNothing_data()
    {
        QTest::addColumn<QStringList>("preview");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("firstMessage");
        QTest::newRow("duplicates ignoring case") << QStringList{"x.dwg", "X.DWG", "c.dwg"} << QList<int>{vbOK}
                                                  << "FileName Collisions Detected, can't rename.";
        QTest::newRow("swap, Yes goes on") << QStringList{"b.dwg", "a.dwg", "c.dwg"} << QList<int>{vbYes, vbYes}
                                           << "already exists.. (Collision Detected)";
        QTest::newRow("swap, No ends") << QStringList{"b.dwg", "a.dwg", "c.dwg"} << QList<int>{vbNo}
                                       << "already exists.. (Collision Detected)";
        QTest::newRow("case only") << QStringList{"A.dwg", "b.dwg", "c.dwg"} << QList<int>{vbYes}
                                   << "already exists.. (Collision Detected)";
        QTest::newRow("invalid") << QStringList{"a?.dwg", "NUL.dwg", "c.dwg"} << QList<int>{vbOK} << "a?.dwg";
    }
    void refusalsRenameNothing()
    {
        QFETCH(QStringList, preview);
        QFETCH(QList<int>, answers);
        QFETCH(QString, firstMessage);
        RenamerFixture r({"a.dwg", "b.dwg", "c.dwg"});
        auto w = r.open();
        setPreview(*w, preview);
        for (int a : answers)
            r.fx.prompter().expectMessage(a);
        w->cmdDoIt->click();
        QVERIFY(r.fx.prompter().allUsed());
        QVERIFY(r.fx.prompter().shown().first().text.contains(firstMessage));
        QCOMPARE(r.names(), (QStringList{"a.dwg", "b.dwg", "c.dwg"}));
        QCOMPARE(itemsOf(w->lstDestination), preview);
        QVERIFY(w->cmdDoIt->isEnabled());
    }

    // A name too long for the collision question loses its middle: the box stays on the screen,
    // and the folder's start and the name's end still show.
    void longCollidingNameLosesItsMiddle()
    {
        const QString longName = QString(200, QLatin1Char('N')) + QStringLiteral("-END.dwg");
        RenamerFixture r({"a.dwg", longName});
        auto w = r.open();
        setPreview(*w, {longName, "a.dwg"});
        r.fx.prompter().expectMessage(vbNo);
        w->cmdDoIt->click();
        QVERIFY(r.fx.prompter().allUsed());
        const QStringList lines = r.fx.prompter().last().text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(0), QStringLiteral("The file"));
        const QString shown = lines.value(1);
        QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
        QVERIFY(shown.startsWith(r.dir.path().left(4)));
        QVERIFY(shown.endsWith(QStringLiteral("-END.dwg")));
        QVERIFY(QFontMetrics(QApplication::font("QMessageBox")).horizontalAdvance(shown) <= 500);
        QCOMPARE(lines.value(2), QStringLiteral("already exists.. (Collision Detected)"));
        QCOMPARE(r.names().size(), 2);
        QVERIFY(QFile::exists(r.dir.filePath(longName)));
    }

    void stoppedPassCanBeFinishedAndQueueNamesEveryFile()
    {
        RenamerFixture r({"a.dwg", "b.dwg", "c.dwg"});
        auto w = r.open();
        bool locked = true;
        w->setRenameFunction([&locked](const QString &from, const QString &to) {
            if (locked && from.endsWith("b.dwg")) {
                RenameOutcome o;
                o.failure = RenameFailure::Locked;
                o.reason = QStringLiteral("in use");
                return o;
            }
            return renameNoReplace(from, to);
        });
        setPreview(*w, {"a1.dwg", "b1.dwg", "c1.dwg"});
        r.fx.prompter().expectMessage(vbOK);
        w->cmdDoIt->click();
        QVERIFY(r.fx.prompter().last().text.contains("was not able to be renamed due to the file being locked."));
        QVERIFY(r.fx.prompter().last().text.contains("a.dwg -> a1.dwg"));
        QCOMPARE(r.names(), (QStringList{"a1.dwg", "b.dwg", "c.dwg"}));
        QCOMPARE(itemsOf(w->lstSource), (QStringList{"a1.dwg", "b.dwg", "c.dwg"}));
        QVERIFY(w->cmdDoIt->isEnabled());

        locked = false;
        w->cmdDoIt->click();
        QCOMPARE(r.names(), (QStringList{"a1.dwg", "b1.dwg", "c1.dwg"}));
        QCOMPARE(r.contentOf("b1.dwg"), QByteArray("b.dwg"));
        w->show();
        w->close();
        QCOMPARE(QFileInfo(r.queue.at(1)).fileName(), QStringLiteral("b1.dwg"));
        for (const QString &p : r.queue)
            QVERIFY2(QFileInfo::exists(p), qPrintable(p));
    }

    void manualEdit()
    {
        RenamerFixture r({"a.dwg", "b.dwg"});
        auto w = r.open();
        w->lstDestination_DblClick(); // empty preview: nothing happens
        setPreview(*w, {"a1.dwg", "b1.dwg"});
        w->lstDestination->setCurrentRow(1);
        test::ModalGuard modals;
        modals.answerNextModal([](QWidget *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral(" Manual Edit"));
            auto *box = dialog->findChild<QLineEdit *>("tbFileName");
            QCOMPARE(box->text(), QStringLiteral("b1.dwg"));
            box->setText("typed.dwg");
            dialog->findChild<QPushButton *>("cmdRename")->click();
        });
        w->lstDestination_DblClick();
        QVERIFY(modals.allAnswered());
        QCOMPARE(itemsOf(w->lstDestination), (QStringList{"a1.dwg", "typed.dwg"}));
        QVERIFY(w->manualDialog() && w->manualDialog()->isHidden());
    }

    void openerFromTheMainWindow()
    {
        test::Fixture fx;
        QTemporaryDir dir;
        const QString a = dir.filePath("a.dwg");
        QFile(a).open(QIODevice::WriteOnly);
        test::AppWindow w;
        QAction *item = w->findChild<QAction *>("mnuRenamer");
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("&File Renamer"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));

        // The warning's Cancel (its default): nothing opens.
        w->queuePane()->setQueueEntries({a, a}, false);
        w->RefreshQueueControls();
        fx.prompter().expectMessage(vbOK); // duplicates removed
        fx.prompter().expectMessage(vbCancel);
        item->trigger();
        QVERIFY(fx.prompter().allUsed());
        QVERIFY(fx.prompter().last().text.startsWith("WARNING\r\nThe Renamer function must be used with care!!"));
        QCOMPARE(fx.prompter().last().style & vbDefaultButton2, int(vbDefaultButton2));
        QCOMPARE(w->queuePane()->queueEntries(), QStringList{a});

        // OK: the all-available message, then the renamer; closing it writes the queue back.
        fx.prompter().expectMessage(vbOK);
        fx.prompter().expectMessage(vbOK);
        fx.prompter().expectMessage(vbOK);
        test::ModalGuard modals;
        modals.answerNextModal([](QWidget *dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("frmFileRenamer"));
            dialog->close();
        });
        item->trigger();
        QVERIFY(modals.allAnswered());
        QVERIFY(fx.prompter().allUsed());
        QCOMPARE(w->queuePane()->queueEntries(), QStringList{a});

        // A cancelled verification: the renamer does not open.
        w->queuePane()->setQueueEntries({a, dir.filePath("gone.dwg")}, false);
        w->RefreshQueueControls();
        fx.prompter().expectMessage(vbOK);
        modals.answerNextModal([](QWidget *dialog) {
            QVERIFY(qobject_cast<frmFileErrorReport *>(dialog));
            dialog->findChild<QPushButton *>("cmdCancel")->click();
        });
        item->trigger();
        QVERIFY(modals.allAnswered());
        QVERIFY(fx.prompter().allUsed());
    }
};

QTEST_MAIN(tst_Renamer)
#include "tst_renamer.moc"
