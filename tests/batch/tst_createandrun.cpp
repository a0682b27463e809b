// "Create && &RUN Batch Script" and the META commands in the real main window: the checks around the
// composition, the exact AutoCAD program and arguments handed to the launcher, and the batch options
// a user script's keywords set.

#include "appwindow.h"
#include "batch/batchcomposer.h"
#include "batch/frmNightRun.h"
#include "batch/frmScrComplete.h"
#include "batch/frmWriteScriptToLoc.h"
#include "core/autocadprogram.h"
#include "core/fileio.h"
#include "core/mainsettings.h"
#include "core/scriptfacts.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"
#include "mainwin/saveastab.h"
#include "mainwindowfixture.h"
#include "modalguard.h"
#include "options/frmOptions.h"
#include "options/optionsfields.h"
#include "testsupport.h"
#include "widgets/filelistbox.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cerrno>

using namespace tess;

namespace {

struct Window : test::MainWindowFixture {
    test::Fixture &fx;

    explicit Window(test::Fixture &f, const std::function<void(MainSettings &)> &prepare = {})
        : MainWindowFixture(f.path(),
                            [&f, &prepare](MainSettings &s) {
                                composingSettings(s, f.path());
                                s.SCROutputPathNorm = s.SCROutputPath;
                                s.OutputToDefaultPath = 1;
                                if (prepare)
                                    prepare(s);
                            }),
          fx(f)
    {
    }
    QString drawing(const QString &name) const { return fx.writeFile(QStringLiteral("DWG/") + name, "AC1027"); }
    void setQueue(const QStringList &queue, const QString &script = QStringLiteral("_PURGE _ALL _N")) const
    {
        MainWindowFixture::setQueue(queue, script);
    }
    BatchComposer *composer() const { return w->findChild<BatchComposer *>(); }
    void run() const
    {
        QVERIFY(w->cmdCreateAndRun->isEnabled());
        // A press of its own, not the second of a double click (which would be ignored).
        QVERIFY(QTest::qWaitFor([this] { return !composer()->createPress().tooSoon(); }));
        w->cmdCreateAndRun->click();
    }
};

const QString kSetupIssue = QStringLiteral("You don't have a valid AutoCAD Executable specified...\r\n\r\n"
                                           "Please select it now, and then press 'CREATE' again...");

} // namespace

class TestCreateAndRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAutoCadOnTheScript();
    void setupIssue_data();
    void setupIssue();
    void missingOutputFolderShowsItsSetting();
    void stoppedComposerStartsNothing();
    void fullDiskStartsNothing_data();
    void fullDiskStartsNothing();
    void metaCommandsSetTheControls();
    void metaMessagesOnlyOnFullScans();
    void secondPressRightAfterARunIsIgnored();
    void nightRunFiresOnce();
    void nightRunDisarms();
    void otherLocation();
    void otherLocationCloseBoxStartsAfresh();
};

// The composition with its run variant of the completion window, then AutoCAD, with the switches,
// "/b" and the script just written, apart. The program is the one the AutoCAD picker accepts: on
// Windows a configured acad.bin starts the ACAD.EXE beside it; elsewhere the configured program
// itself, with no ".EXE" to its name.
void TestCreateAndRun::startsAutoCadOnTheScript()
{
    test::Fixture fx;
#ifdef Q_OS_WIN
    const QString exe = fx.writeFile(QStringLiteral("ACAD/ACAD.EXE"), "MZ");
    const QString configured = QFileInfo(exe).path() + QStringLiteral("/acad.bin");
#else
    const QString exe = fx.writeFile(QStringLiteral("ACAD/acad"), "#!/bin/sh\n");
    QVERIFY(test::makeProgram(exe));
    const QString configured = exe;
    QVERIFY(isProgramFile(configured));
#endif
    Window win(fx, [&](MainSettings &s) {
        s.AutoCADEXE = configured;
        s.Switches = QStringLiteral("/p \"My Profile\"");
        s.ShowSCRComplete = 1;
    });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    test::ModalGuard modals;
    QString variant;
    modals.answerNextModal([&](QWidget *dialog) {
        auto *done = qobject_cast<frmScrComplete *>(dialog);
        QVERIFY(done);
        QVERIFY(fx.launcher().calls.isEmpty()); // AutoCAD only after the window is closed
        variant = done->Label3->text().left(8);
        done->Command1->click();
    });
    win.run();
    QVERIFY(modals.allAnswered());
    QCOMPARE(variant, QStringLiteral("After yo"));
    const QString script = mainSettings().SCROutputPath;
    QVERIFY(QFileInfo(script).isFile());
    QCOMPARE(fx.launcher().calls.size(), 1);
    const test::LaunchCall call = fx.launcher().calls.first();
    QCOMPARE(call.program, exe);
    QCOMPARE(call.arguments, QStringList({"/p", "My Profile", "/b", script}));
    QVERIFY(call.workingFolder.isEmpty());
    QVERIFY(fx.prompter().shown().isEmpty());
}

// A second press of Create && RUN or of Create Batch Script that comes while a
// run is under way or right after it (the second press of a double click, handled only once the
// first run is over) starts nothing; a press after the double-click interval runs again.
void TestCreateAndRun::secondPressRightAfterARunIsIgnored()
{
    test::Fixture fx;
    const QString exe = fx.writeFile(QStringLiteral("ACAD/acad"), "#!/bin/sh\n");
    QVERIFY(QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner));
    Window win(fx, [&](MainSettings &s) {
        s.AutoCADEXE = exe;
        s.ShowSCRComplete = 0;
    });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    const QString script = mainSettings().SCROutputPath;

    win.run();
    win.w->cmdCreateAndRun->click();
    QCOMPARE(fx.launcher().calls.size(), 1);
    // Create Batch Script right after a run writes nothing more.
    QVERIFY(QFile::remove(script));
    win.w->Command1_Compile->click();
    QVERIFY(!QFileInfo::exists(script));

    // A press of its own runs as before.
    win.run();
    QCOMPARE(fx.launcher().calls.size(), 2);
    QVERIFY(QFileInfo(script).isFile());
    QVERIFY(fx.prompter().shown().isEmpty());
}

// The disk fills up while the script is written: the cause is named, the previous script stays and
// AutoCAD is not started on anything.
// The disk fills up while the script is written, or takes every byte and then fails to bring them to
// the disk: the cause is named, the previous script stays, no completion window is shown and AutoCAD
// is not started on anything.
void TestCreateAndRun::fullDiskStartsNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("named");
    QTest::newRow("a write is refused") << "write"
                                        << "Disk full";
    QTest::newRow("the sync is refused") << "sync"
                                         << "Disk full";
    QTest::newRow("the sync fails") << "eio"
                                    << "Disk error";
}

void TestCreateAndRun::fullDiskStartsNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, named);
    if (kind == QLatin1String("write") && !test::FileSizeLimit(qint64(1) << 40).ok())
        QSKIP("no file-size limit to stand in for a full disk");
    test::Fixture fx;
    const QString exe = fx.writeFile(QStringLiteral("ACAD/ACAD.EXE"), "MZ");
    QVERIFY(test::makeProgram(exe));
    Window win(fx, [&](MainSettings &s) {
        s.AutoCADEXE = exe;
        s.ShowSCRComplete = 1;
    });
    const QString script = fx.writeFile(QStringLiteral("tessaline.scr"), "PREVIOUS\r\n");
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))}, QStringLiteral("_PURGE _ALL _N\n").repeated(600));
    fx.prompter().expectMessage();
    if (kind == QLatin1String("write")) {
        const test::FileSizeLimit limit(4096);
        win.run();
    } else {
        const test::FailingDiskCall failing(test::FailingDiskCall::Sync, kind == QLatin1String("sync") ? ENOSPC : EIO,
                                            QStringLiteral("tessaline.scr"));
        win.run();
    }
    QVERIFY(fx.prompter().allUsed());
    QVERIFY2(fx.prompter().last().text.contains(named), qPrintable(fx.prompter().last().text));
    QVERIFY(fx.launcher().calls.isEmpty());
    QCOMPARE(test::fileBytes(script), QByteArray("PREVIOUS\r\n"));
}

// No AutoCAD program set: "Setup Issue" and the Options dialog, no batch script. A program that is
// not there, or (where files carry the permission) a file named acad.exe that may not be run: the
// script is written, then the same message; nothing is started.
void TestCreateAndRun::setupIssue_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("written");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank") << "   " << false;
    QTest::newRow("missing") << "ACAD/acad.exe" << true;
    QTest::newRow("not a program") << "DATA" << true; // a folder
#ifndef Q_OS_WIN
    QTest::newRow("acad.exe that may not be run") << "ACAD/ACAD.EXE" << true; // written below, mode 0644
#endif
}

void TestCreateAndRun::setupIssue()
{
    QFETCH(QString, program);
    QFETCH(bool, written);
    test::Fixture fx;
    if (program == QLatin1String("ACAD/ACAD.EXE"))
        fx.writeFile(program, "MZ");
    Window win(fx,
               [&](MainSettings &s) { s.AutoCADEXE = program.trimmed().isEmpty() ? program : fx.path() + program; });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    fx.prompter().expectMessage();
    win.run();
    QCOMPARE(fx.prompter().shown().size(), 1);
    QCOMPARE(fx.prompter().last().text, kSetupIssue);
    QCOMPARE(fx.prompter().last().title, QStringLiteral("Setup Issue"));
    QVERIFY(optionsFields()->isOnScreen());
    QCOMPARE(QFileInfo(mainSettings().SCROutputPath).isFile(), written);
    QVERIFY(fx.launcher().calls.isEmpty());
}

// A batch script whose folder is missing: the message names the file, and the Options come up on
// the tab that holds it (not the tab last viewed), its box ready for the correction.
void TestCreateAndRun::missingOutputFolderShowsItsSetting()
{
    test::Fixture fx;
    const QString exe = fx.writeFile(QStringLiteral("ACAD/acad.exe"), "MZ");
    QVERIFY(test::makeProgram(exe));
    const QString script = fx.path() + QStringLiteral("SUPPORT/tessaline.scr");
    Window win(fx, [&](MainSettings &s) {
        s.AutoCADEXE = exe;
        s.SCROutputPath = script;
        s.SCROutputPathNorm = script;
    });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    auto *options = dynamic_cast<frmOptions *>(optionsFields());
    QVERIFY(options);
    options->SSTab1->setCurrentIndex(3);
    fx.prompter().expectMessage();
    win.run();
    QCOMPARE(fx.prompter().shown().size(), 1);
    QCOMPARE(fx.prompter().last().title, QStringLiteral("Tessaline Setup Alert"));
    QVERIFY(fx.prompter().last().text.startsWith(
        QStringLiteral("Tessaline script output path not found, please confirm this location.")));
    QVERIFY(fx.prompter().last().text.endsWith(script));
    QVERIFY(options->isOnScreen());
    QCOMPARE(options->SSTab1->currentIndex(), 0);
    QVERIFY(options->SSTab1->currentWidget()->isAncestorOf(options->Text1));
    QVERIFY(fx.launcher().calls.isEmpty());
    QVERIFY(mainSettings().StopBatch);
    options->hide();
}

// A composition that wrote nothing (an empty user script) starts nothing and adds no message.
void TestCreateAndRun::stoppedComposerStartsNothing()
{
    test::Fixture fx;
    const QString exe = fx.writeFile(QStringLiteral("ACAD/acad.exe"), "MZ");
    QVERIFY(test::makeProgram(exe));
    Window win(fx, [&](MainSettings &s) { s.AutoCADEXE = exe; });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))}, QStringLiteral("_PURGE"));
    win.w->scriptFacts()->setScriptText(QString());
    win.w->RefreshQueueControls();
    if (!win.w->cmdCreateAndRun->isEnabled())
        win.w->setCreateButtonsEnabled(true);
    fx.prompter().expectMessage();
    win.run();
    QCOMPARE(fx.prompter().shown().size(), 1);
    QVERIFY(fx.prompter().last().title != QStringLiteral("Setup Issue"));
    QVERIFY(fx.launcher().calls.isEmpty());
    QVERIFY(mainSettings().StopBatch);
}

// The scan through the window: the check boxes' own handlers run (SAVEAS ticked clears Test Run), the
// SAVEAS values and the location follow, and the sorts run only on a full scan.
void TestCreateAndRun::metaCommandsSetTheControls()
{
    test::Fixture fx;
    Window win(fx);
    const QString a = win.drawing(QStringLiteral("A.dwg")), b = win.drawing(QStringLiteral("B.dwg"));
    win.setQueue({a, b}, QStringLiteral("; testrun=true saveas=true\r\n; saveas.prefix=\"A-\" "
                                        "saveas.thislocation=\"") +
                             fx.path() + QStringLiteral("OUT\" sort.descending"));
    QueuePane *q = win.w->queuePane();
    SaveAsTab *t = win.w->saveAsTab();
    t->build();
    auto *prefix = t->findChild<QLineEdit *>(QStringLiteral("tbPrefix"));
    auto *folder = t->findChild<QLineEdit *>(QStringLiteral("tbSpecFolder"));
    auto *example = t->findChild<QLineEdit *>(QStringLiteral("tbSAVEASExOutput"));
    auto *thisLocation = t->findChild<QRadioButton *>(QStringLiteral("optSpecFolder"));
    QVERIFY(prefix && folder && example && thisLocation);
    Q_EMIT win.app->app().metaScanRequested(false);
    QVERIFY(test::child<QCheckBox>(q, "chkSaveAS")->isChecked());
    QVERIFY(!test::child<QCheckBox>(q, "chkTestRun")->isChecked());
    QCOMPARE(prefix->text(), QStringLiteral("A-"));
    QVERIFY(thisLocation->isChecked());
    QCOMPARE(folder->text(), fx.path() + QStringLiteral("OUT/"));
    QVERIFY(example->text().contains(QLatin1String("A-")));
    QCOMPARE(q->queueEntries(), QStringList({a, b}));
    Q_EMIT win.app->app().metaScanRequested(true);
    QCOMPARE(q->queueEntries(), QStringList({b, a}));
    QVERIFY(fx.prompter().shown().isEmpty());
}

// An unclosed or refused value changes nothing; its message comes only on a full scan, never while
// the script is typed.
void TestCreateAndRun::metaMessagesOnlyOnFullScans()
{
    test::Fixture fx;
    Window win(fx);
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))}, QStringLiteral("tags.template=\"..\\x\" saveas.suffix=\"_r"));
    win.w->saveAsTab()->build();
    auto *suffixBox = win.w->saveAsTab()->findChild<QLineEdit *>(QStringLiteral("tbSuffix"));
    QVERIFY(suffixBox);
    const QString suffix = suffixBox->text();
    Q_EMIT win.app->app().metaScanRequested(false);
    QVERIFY(fx.prompter().shown().isEmpty());
    fx.prompter().expectMessage();
    fx.prompter().expectMessage();
    Q_EMIT win.app->app().metaScanRequested(true);
    QCOMPARE(fx.prompter().shown().size(), 2);
    QCOMPARE(fx.prompter().shown().at(0).text, QStringLiteral("There is an error in saveas.suffix=\""));
    QVERIFY(fx.prompter().shown().at(1).text.contains(QLatin1String("tags.template=")));
    QCOMPARE(suffixBox->text(), suffix);
}

namespace {

frmNightRun *openNightRun(const Window &win)
{
    QMenu *tools = win.w->menuByName(QStringLiteral("mnuTools"));
    QAction *item = tools ? tools->findChild<QAction *>(QStringLiteral("mnuNightRun")) : nullptr;
    if (!item)
        return nullptr;
    item->trigger();
    return win.w->findChild<frmNightRun *>();
}

} // namespace

// Armed at 20:00:00 for the default 8:30:00 PM: the countdown in the window and on the button; the
// tick that reads 0:00:01 disarms, hides the window and runs Create && RUN once, as a night run
// (no completion window, missing folders made without asking); later ticks start nothing.
void TestCreateAndRun::nightRunFiresOnce()
{
    test::Fixture fx;
    const QString exe = fx.writeFile(QStringLiteral("ACAD/acad.exe"), "MZ");
    QVERIFY(test::makeProgram(exe));
    const QString out = fx.path() + QStringLiteral("OUT/PLOTS/");
    Window win(fx, [&](MainSettings &s) {
        s.AutoCADEXE = exe;
        s.ShowSCRComplete = 1;
        s.WarnFoldersNotExist = 1;
        s.PostUserScript = QStringLiteral("-EXPORT \"") + out + QStringLiteral("$FILENAME$.wmf\"");
    });
    win.setQueue({win.drawing(QStringLiteral("A.dwg"))});
    const QDate day(2026, 12, 31);
    fx.setClock(QDateTime(day, QTime(20, 0)));
    frmNightRun *night = openNightRun(win);
    QVERIFY(night);
    QVERIFY(night->isVisible());
    night->tbRunTime->setText(QStringLiteral("8:30:00 PM"));
    night->chkActivate->setChecked(true);
    QVERIFY(!win.w->Command1_Compile->isEnabled());
    QVERIFY(!win.w->cmdCreateAndRun->isEnabled());
    QVERIFY(!night->cmdClose->isEnabled());
    night->Timer1_Timer();
    QCOMPARE(night->lblCountDown->text(), QStringLiteral(" Batch will Start in 0:30:00"));
    QCOMPARE(win.w->cmdCreateAndRun->text(), QStringLiteral(" Batch Starts in 0:30:00"));
    fx.setClock(QDateTime(day, QTime(20, 29, 58)));
    night->Timer1_Timer();
    QVERIFY(fx.launcher().calls.isEmpty());
    fx.setClock(QDateTime(day, QTime(20, 29, 59)));
    night->Timer1_Timer();
    QCOMPARE(fx.launcher().calls.size(), 1);
    QCOMPARE(fx.launcher().calls.first().program, exe);
    QVERIFY(QFileInfo(out).isDir()); // made without asking
    QVERIFY(!night->isArmed());
    QVERIFY(!night->isVisible());
    QCOMPARE(win.w->cmdCreateAndRun->text(), QStringLiteral("Create && &RUN Batch Script"));
    night->Timer1_Timer();
    QCOMPARE(fx.launcher().calls.size(), 1);
    QVERIFY(fx.prompter().shown().isEmpty());
}

// A start text that is no time asks for a correction and starts nothing; closing the window with its
// close box disarms it and gives both Create buttons their caption and state back; exiting while
// armed asks first.
void TestCreateAndRun::nightRunDisarms()
{
    test::Fixture fx;
    Window win(fx);
    win.w->show();
    fx.setClock(QDateTime(QDate(2026, 12, 31), QTime(20, 0)));
    frmNightRun *night = openNightRun(win);
    QVERIFY(night);
    night->tbRunTime->setText(QStringLiteral("soon"));
    night->chkActivate->setChecked(true);
    night->Timer1_Timer();
    QCOMPARE(night->lblCountDown->text(), QStringLiteral(" Please Correct your Start-Time"));
    fx.prompter().expectMessage(vbNo);
    win.w->close();
    QVERIFY(win.w->isVisible());
    QVERIFY(night->isArmed());
    night->close();
    QVERIFY(!night->isArmed());
    QVERIFY(win.w->Command1_Compile->isEnabled());
    QVERIFY(win.w->cmdCreateAndRun->isEnabled());
    QCOMPARE(win.w->cmdCreateAndRun->text(), QStringLiteral("Create && &RUN Batch Script"));
    QVERIFY(fx.launcher().calls.isEmpty());
    QCOMPARE(fx.prompter().shown().size(), 1);
}

// The script written into a file named in the dialog for one run: ".SCR" appended, the configured
// output unchanged, no queue check, " Script Written" after it; an existing file is replaced only
// after a Yes; a name reaching elsewhere is refused; a deleted script leaves the list.
void TestCreateAndRun::otherLocation()
{
    test::Fixture fx;
    Window win(fx, [](MainSettings &s) { s.VerifyFilesBit = 1; });
    const QString missing = fx.path() + QStringLiteral("DWG/Gone.dwg");
    win.setQueue({win.drawing(QStringLiteral("A.dwg")), missing});
    QVERIFY(QDir(fx.path()).mkpath(QStringLiteral("OUT")));
    const QString folder = QDir::toNativeSeparators(fx.path() + QStringLiteral("OUT"));
    QVERIFY(win.w->fileSelector()->setDirPath(folder));
    const QString configured = mainSettings().SCROutputPath;
    QMenu *script = win.w->menuByName(QStringLiteral("mnuScript"));
    QAction *item = script ? script->findChild<QAction *>(QStringLiteral("mnuOutputOther")) : nullptr;
    QVERIFY(item);

    test::ModalGuard modals;
    auto create = [&](const QString &name) {
        modals.answerNextModal([name](QWidget *dialog) {
            auto *f = qobject_cast<frmWriteScriptToLoc *>(dialog);
            QVERIFY(f);
            f->tbFileName->clear();
            QVERIFY(!f->cmdCreate->isEnabled());
            f->tbFileName->setText(name);
            QVERIFY(f->cmdCreate->isEnabled());
            if (!f->cmdCreate_Click())
                f->cmdCancel->click();
        });
        item->trigger();
    };
    const QString path = folder + QDir::separator() + QStringLiteral("night.SCR");
    fx.prompter().expectMessage();
    create(QStringLiteral("night"));
    QCOMPARE(fx.prompter().last().title, QStringLiteral(" Script Written"));
    QCOMPARE(fx.prompter().last().text,
             QStringLiteral("A batch script has been created in the following location:\r\n") + path);
    QVERIFY(QFileInfo(path).isFile());
    QVERIFY(QString::fromUtf8(test::fileBytes(path)).contains(QLatin1String("Gone.dwg")));
    QCOMPARE(mainSettings().SCROutputPath, configured);
    QVERIFY(!QFileInfo::exists(configured));
    QCOMPARE(win.w->queuePane()->queueEntries().size(), 2);

    QVERIFY(writeWholeFile(path, "old").ok());
    fx.prompter().expectMessage(vbNo);
    create(QStringLiteral("night.SCR"));
    QCOMPARE(fx.prompter().last().title, QStringLiteral("Confirm Overwrite"));
    QCOMPARE(test::fileBytes(path), QByteArray("old"));

    fx.prompter().expectMessage();
    create(QStringLiteral("..") + QDir::separator() + QStringLiteral("x"));
    QVERIFY(!QFileInfo::exists(fx.path() + QStringLiteral("x.SCR")));
    QCOMPARE(fx.prompter().shown().size(), 3);

    modals.answerNextModal([](QWidget *dialog) {
        auto *f = qobject_cast<frmWriteScriptToLoc *>(dialog);
        QVERIFY(f);
        QCOMPARE(f->File1->count(), 1);
        f->File1->setCurrentRow(0);
        f->File1->currentItem()->setSelected(true);
        f->cmdDeleteSCR_Click();
        QCOMPARE(f->File1->count(), 0);
        f->cmdCancel->click();
    });
    fx.prompter().expectMessage(vbYes);
    item->trigger();
    QCOMPARE(fx.prompter().last().title, QStringLiteral("Confirm Delete"));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(modals.allAnswered());
}

// Cancel keeps the name and the filter for the next opening; the close box unloads the window, so
// the next opening starts from the texts a new window shows.
void TestCreateAndRun::otherLocationCloseBoxStartsAfresh()
{
    test::Fixture fx;
    Window win(fx);
    QMenu *script = win.w->menuByName(QStringLiteral("mnuScript"));
    QAction *item = script ? script->findChild<QAction *>(QStringLiteral("mnuOutputOther")) : nullptr;
    QVERIFY(item);
    test::ModalGuard modals;
    QStringList seen;
    auto open = [&](const std::function<void(frmWriteScriptToLoc *)> &leave) {
        modals.answerNextModal([&seen, leave](QWidget *dialog) {
            auto *f = qobject_cast<frmWriteScriptToLoc *>(dialog);
            QVERIFY(f);
            seen << f->tbFilter->text() << f->tbFileName->text()
                 << (f->cmdCreate->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"));
            f->tbFilter->setText(QStringLiteral("*.txt"));
            f->tbFileName->setText(QStringLiteral("night"));
            leave(f);
        });
        item->trigger();
    };
    open([](frmWriteScriptToLoc *f) { f->cmdCancel->click(); });
    open([](frmWriteScriptToLoc *f) { test::pressCloseBox(f); });
    open([](frmWriteScriptToLoc *f) { f->cmdCancel->click(); });
    QVERIFY(modals.allAnswered());
    QCOMPARE(seen, QStringList({"*.scr", "", "disabled", "*.txt", "night", "enabled", "*.scr", "", "disabled"}));
    QVERIFY(fx.prompter().shown().isEmpty());
}

QTEST_MAIN(TestCreateAndRun)
#include "tst_createandrun.moc"
