// The script browser: its two openers, the preview from either list, "+" with the scan window,
// the copy with and without the overwrite question, files that are no text scripts, an unready
// drive, and what the window keeps between openings.

#include "app/application.h"
#include "appwindow.h"
#include "core/listutils.h"
#include "modalguard.h"
#include "scripts/frmScrBrowser.h"
#include "scripts/userscriptpane.h"
#include "testsupport.h"
#include "widgets/dirlistbox.h"
#include "widgets/drivelistbox.h"
#include "widgets/filelistbox.h"
#include "widgets/frmScanStop.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;

namespace {

// A folder of scripts: two beside each other, one below, a text file and a screen saver.
struct ScriptFolder {
    QTemporaryDir dir;
    ScriptFolder()
    {
        write(QStringLiteral("Plot1.scr"), "ZOOM\r\nE\r\n");
        write(QStringLiteral("purge.SCR"), "-PURGE\r\nA\r\n*\r\nN");
        write(QStringLiteral("notes.txt"), "not a script\r\n");
        write(QStringLiteral("sub/Deep.scr"), "LAYER\r\n\r\n");
    }
    QString folder() const { return QDir::toNativeSeparators(dir.path()); }
    QString path(const QString &relative) const { return QDir::toNativeSeparators(dir.filePath(relative)); }
    QString write(const QString &relative, const QByteArray &bytes) const
    {
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(relative)).path());
        QFile f(dir.filePath(relative));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(relative));
        return path(relative);
    }
};

// A script pane on its own with a browser beside it, shown without an event loop of its own.
struct Harness {
    test::Fixture fx;
    ScriptFolder scripts;
    UserScriptPane pane;
    frmScrBrowser browser{&pane};
    Harness()
    {
        browser.showFolder(scripts.folder());
        browser.show();
    }
    // Picks the file list's entry as a click does.
    void pickFile(const QString &name)
    {
        const auto items = browser.FSelScrBrowse->findItems(name, Qt::MatchFixedString);
        QVERIFY2(items.size() == 1, qPrintable(name));
        browser.FSelScrBrowse->setCurrentItem(items.first());
    }
    void pickFound(const QString &path)
    {
        const auto items = browser.lstSCRPath->findItems(path, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(path));
        browser.lstSCRPath->setCurrentItem(items.first());
    }
    QString preview() const { return browser.tbScriptBrowse->toPlainText(); }
    QStringList found() const
    {
        QStringList out;
        for (int i = 0; i < browser.lstSCRPath->count(); ++i)
            out << browser.lstSCRPath->item(i)->text();
        return out;
    }
};

template <typename T> T *named(const QObject *parent, const char *name)
{
    T *child = parent->findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no %s", name);
    return child;
}

} // namespace

class TestScriptBrowser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openersAndWhatTheWindowKeeps();
    void previewFromEitherListAndCopy();
    void copyOverAScriptAsksFirst();
    void noTextScriptOrUnreadableFileEmptiesThePreview();
    void plusListsEveryScriptBelowAgainAndAgain();
    void unreadyDriveGoesBackToTheFolderBefore();
    void scanWindowStandsAboveTheModalBrowser();
};

void TestScriptBrowser::openersAndWhatTheWindowKeeps()
{
    test::Fixture fx;
    ScriptFolder scripts;
    test::AppWindow w;
    QVERIFY(w->fileSelector()->setDirPath(scripts.folder()));
    auto *pane = w->findChild<UserScriptPane *>();
    QVERIFY(pane);
    QAction *menuItem = named<QAction>(w.get(), "mnuScriptBrowser");
    QCOMPARE(menuItem->text(), QStringLiteral("Script &Browser"));
    auto *browse = named<QPushButton>(pane, "cmdBrowse");
    QVERIFY(browse->isEnabled());

    // "&Browse" opens on the drawing folder; a copy hides the window and hands over the script.
    test::ModalGuard modals;
    modals.answerNextModal([&](QWidget *d) {
        auto *b = qobject_cast<frmScrBrowser *>(d);
        QVERIFY(b);
        QCOMPARE(b->windowTitle(), QStringLiteral("Script Browser"));
        QCOMPARE(b->DirScrBrowse->path(), scripts.folder());
        QCOMPARE(b->FSelScrBrowse->count(), 2);
        QVERIFY(b->tbScriptBrowse->toPlainText().isEmpty());
        QVERIFY(!b->cmdCopyToTessaline->isEnabled());
        b->FSelScrBrowse->setCurrentRow(0);
        QCOMPARE(b->tbScriptBrowse->toPlainText(), QStringLiteral("ZOOM\nE"));
        b->cmdCopyToTessaline->click();
    });
    browse->click();
    QVERIFY(modals.allAnswered());
    QCOMPARE(pane->scriptText(), QStringLiteral("ZOOM\nE"));
    QCOMPARE(pane->scriptName(), QStringLiteral("Plot1"));

    // "&Browse" again on the same folder lists the scripts saved there since; the preview stays.
    scripts.write(QStringLiteral("Later.scr"), "REGEN\r\n");
    modals.answerNextModal([&](QWidget *d) {
        auto *b = qobject_cast<frmScrBrowser *>(d);
        QCOMPARE(b->FSelScrBrowse->count(), 3);
        QCOMPARE(b->tbScriptBrowse->toPlainText(), QStringLiteral("ZOOM\nE"));
        b->reject();
    });
    browse->click();
    QVERIFY(modals.allAnswered());

    // The menu opens where the browser was left, whatever folder the main window shows now.
    QVERIFY(w->fileSelector()->setDirPath(scripts.path(QStringLiteral("sub"))));
    modals.answerNextModal([&](QWidget *d) {
        auto *b = qobject_cast<frmScrBrowser *>(d);
        QCOMPARE(b->DirScrBrowse->path(), scripts.folder());
        QCOMPARE(b->tbScriptBrowse->toPlainText(), QStringLiteral("ZOOM\nE"));
        b->close(); // the close box unloads it
    });
    menuItem->trigger();
    QVERIFY(modals.allAnswered());

    // Unloaded: the next opening starts empty.
    modals.answerNextModal([&](QWidget *d) {
        auto *b = qobject_cast<frmScrBrowser *>(d);
        QVERIFY(b->tbScriptBrowse->toPlainText().isEmpty());
        QVERIFY(!b->cmdCopyToTessaline->isEnabled());
        QCOMPARE(b->lstSCRPath->count(), 0);
        b->close();
    });
    menuItem->trigger();
    QVERIFY(modals.allAnswered());
    QCOMPARE(pane->scriptText(), QStringLiteral("ZOOM\nE"));
}

void TestScriptBrowser::previewFromEitherListAndCopy()
{
    Harness h;
    // A script without a final line break loses nothing.
    h.pickFile(QStringLiteral("purge.SCR"));
    QCOMPARE(h.preview(), QStringLiteral("-PURGE\nA\n*\nN"));
    QVERIFY(h.browser.cmdCopyToTessaline->isEnabled());

    // From the found-paths list the copy is named after the file previewed there, and takes the
    // preview as edited.
    h.browser.cmdGetSubScripts->click();
    h.pickFound(h.scripts.path(QStringLiteral("sub/Deep.scr")));
    QCOMPARE(h.preview(), QStringLiteral("LAYER\n"));
    // Back to the entry of the other list, and again: every click reads its file anew.
    h.pickFile(QStringLiteral("purge.SCR"));
    QCOMPARE(h.preview(), QStringLiteral("-PURGE\nA\n*\nN"));
    QCOMPARE(h.browser.lstSCRPath->selectedItems().size(), 0);
    h.pickFound(h.scripts.path(QStringLiteral("sub/Deep.scr")));
    QCOMPARE(h.preview(), QStringLiteral("LAYER\n"));
    QCOMPARE(h.browser.FSelScrBrowse->selectedItems().size(), 0);
    h.browser.tbScriptBrowse->appendPlainText(QStringLiteral("ZOOM"));
    h.browser.cmdCopyToTessaline->click();
    QCOMPARE(h.pane.scriptText(), QStringLiteral("LAYER\n\nZOOM"));
    QCOMPARE(h.pane.scriptName(), QStringLiteral("Deep"));
    QVERIFY(!h.browser.isVisible());
    QCOMPARE(h.browser.result(), int(QDialog::Accepted));

    // Emptying the preview by hand disables the copy.
    h.browser.tbScriptBrowse->clear();
    QVERIFY(!h.browser.cmdCopyToTessaline->isEnabled());

    // The copy takes the text as the script pane loads it: a no-break space stays one.
    h.scripts.write(QStringLiteral("text.scr"), QStringLiteral("-TEXT 0,0 2.5 0 A\u00A0B\r\n").toLocal8Bit());
    h.browser.FSelScrBrowse->refresh();
    h.pickFile(QStringLiteral("text.scr"));
    h.pane.setScriptText(QString());
    h.browser.cmdCopyToTessaline->click();
    QCOMPARE(h.pane.scriptText(), QStringLiteral("-TEXT 0,0 2.5 0 A\u00A0B"));
}

void TestScriptBrowser::copyOverAScriptAsksFirst()
{
    Harness h;
    h.pane.setScriptText(QStringLiteral("OLD"));
    h.pane.setScriptName(QStringLiteral("old"));
    h.pickFile(QStringLiteral("Plot1.scr"));

    h.fx.prompter().expectMessage(vbNo);
    h.browser.cmdCopyToTessaline->click();
    const test::ShownMessage asked = h.fx.prompter().last();
    QCOMPARE(asked.text, QStringLiteral("Are you sure you want to overwrite the existing script in Tessaline?"));
    QCOMPARE(asked.title, QStringLiteral("Overwrite?"));
    QCOMPARE(asked.style, int(vbYesNo | vbExclamation | vbDefaultButton2));
    QCOMPARE(h.pane.scriptText(), QStringLiteral("OLD"));
    QCOMPARE(h.pane.scriptName(), QStringLiteral("old"));
    QVERIFY(h.browser.isVisible());

    h.fx.prompter().expectMessage(vbYes);
    h.browser.cmdCopyToTessaline->click();
    QCOMPARE(h.pane.scriptText(), QStringLiteral("ZOOM\nE"));
    QCOMPARE(h.pane.scriptName(), QStringLiteral("Plot1"));
    QVERIFY(!h.browser.isVisible());
    QVERIFY(h.fx.prompter().allUsed());
}

void TestScriptBrowser::noTextScriptOrUnreadableFileEmptiesThePreview()
{
    Harness h;
    h.scripts.write(QStringLiteral("saver.scr"), QByteArray("MZ\x90\0\x03\0\0\0PE\0\0", 12));
    h.scripts.write(QStringLiteral("huge.scr"), QByteArray(1024 * 1024 + 1, 'x'));
    const QString locked = h.scripts.write(QStringLiteral("locked.scr"), "ZOOM\r\n");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    h.browser.FSelScrBrowse->refresh();

    const QStringList names{QStringLiteral("saver.scr"), QStringLiteral("huge.scr"), QStringLiteral("locked.scr")};
    for (const QString &name : names) {
        QFile probe(h.scripts.path(name));
        if (name == QStringLiteral("locked.scr") && probe.open(QIODevice::ReadOnly))
            continue; // the system reads it anyway (run as root)
        h.pickFile(QStringLiteral("Plot1.scr"));
        QCOMPARE(h.preview(), QStringLiteral("ZOOM\nE"));
        h.fx.prompter().expectMessage();
        h.pickFile(name);
        QVERIFY2(h.preview().isEmpty(), qPrintable(name));
        QVERIFY(!h.browser.cmdCopyToTessaline->isEnabled());
        const test::ShownMessage said = h.fx.prompter().last();
        QVERIFY2(said.text.contains(h.scripts.path(name)), qPrintable(said.text));
        QCOMPARE(said.title, QStringLiteral("Tessaline Alert"));
    }
    QVERIFY(h.fx.prompter().allUsed());
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestScriptBrowser::plusListsEveryScriptBelowAgainAndAgain()
{
    Harness h;
    frmScanStop *scan = frmScanStop::instance();
    scan->setStopRequested(true); // left over from an earlier stopped scan
    h.browser.cmdGetSubScripts->click();
    const QStringList once{h.scripts.path(QStringLiteral("Plot1.scr")), h.scripts.path(QStringLiteral("purge.SCR")),
                           h.scripts.path(QStringLiteral("sub/Deep.scr"))};
    QCOMPARE(h.found(), once);
    QVERIFY(!scan->stopRequested());
    QCOMPARE(scan->foundFileCount(), 3);
    QCOMPARE(scan->lblScanned->text(), QStringLiteral("3 files found"));
    QVERIFY(!scan->isVisible());
    QCOMPARE(scan->windowModality(), Qt::NonModal);

    // Again, and from the sub-folder: every find is appended, duplicates included.
    h.browser.cmdGetSubScripts->click();
    QVERIFY(h.browser.showFolder(h.scripts.path(QStringLiteral("sub"))));
    h.browser.cmdGetSubScripts->click();
    QCOMPARE(h.found(), once + once + QStringList{h.scripts.path(QStringLiteral("sub/Deep.scr"))});
    QCOMPARE(scan->foundFileCount(), 1);
}

void TestScriptBrowser::unreadyDriveGoesBackToTheFolderBefore()
{
    Harness h;
    const QString drive = h.browser.DriveScrBrowse->drive();
    h.fx.prompter().expectMessage(vbOK);
    h.browser.DriveScrBrowse->addItem(QStringLiteral("gone"), QStringLiteral("/no/such/volume"));
    h.browser.DriveScrBrowse->setCurrentIndex(h.browser.DriveScrBrowse->count() - 1);
    QCOMPARE(h.fx.prompter().last().text,
             QStringLiteral("That Drive is not responding...\rPlease select another drive!"));
    QCOMPARE(h.fx.prompter().last().title, QStringLiteral("Tessaline Alert"));
    QCOMPARE(h.browser.DriveScrBrowse->drive(), drive);
    QCOMPARE(h.browser.DirScrBrowse->path(), h.scripts.folder());
    QCOMPARE(h.browser.FSelScrBrowse->count(), 2);
}

void TestScriptBrowser::scanWindowStandsAboveTheModalBrowser()
{
    Harness h;
    h.browser.hide();
    frmScanStop *scan = frmScanStop::instance();
    bool plain = true, over = false, notItsOwner = true;
    test::ModalGuard modals;
    modals.answerNextModal([&](QWidget *browser) {
        // A modeless scan window could not take clicks under the modal browser: refused.
        plain = scan->showScan();
        over = scan->showScanOver(browser) && scan->isVisible() && scan->windowModality() == Qt::ApplicationModal;
        scan->hideScan();
        notItsOwner = scan->showScanOver(nullptr);
        scan->hideScan();
        static_cast<QDialog *>(browser)->reject();
    });
    h.browser.exec();
    QVERIFY(modals.allAnswered());
    QVERIFY(!plain);
    QVERIFY(over);
    QVERIFY(!notItsOwner);
    QCOMPARE(scan->windowModality(), Qt::NonModal);
    QVERIFY(!scan->isVisible());
}

QTEST_MAIN(TestScriptBrowser)
#include "tst_scriptbrowser.moc"
