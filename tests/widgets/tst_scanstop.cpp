#include "core/listutils.h"
#include "core/mainsettings.h"
#include "testsupport.h"
#include "widgets/frmScanStop.h"
#include "widgets/listwidgets.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;

class TestScanStop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadResetsAndStopSets();
    void walkIntoListWidget();
    void removeDuplicatesInListWidget();
    void copyListToClipboard();
};

void TestScanStop::loadResetsAndStopSets()
{
    test::Fixture fx;
    QVERIFY(!frmScanStop::isLoaded());
    mainSettings().STOPSCAN = 0;
    frmScanStop *w = frmScanStop::instance(); // the load
    QVERIFY(!w->stopRequested());
    QCOMPARE(w->windowTitle(), QStringLiteral(" Scanning..."));
    QCOMPARE(w->findChild<QLabel *>("lblScanned")->text(), QStringLiteral("Preparing..."));
    QPushButton *stop = w->findChild<QPushButton *>("cmdCancel");
    QCOMPARE(stop->text(), QStringLiteral("&Stop"));
    QVERIFY(!w->isModal());

    QVERIFY(w->showScan());
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(w->stopRequested()); // the window's own request, which the scans it is passed to read
    QCOMPARE(mainSettings().STOPSCAN, 0);
    QVERIFY(w->isVisible()); // stays shown
    QCOMPARE(frmScanStop::instance(), w);
    QVERIFY(w->stopRequested()); // no second load

    // A walk given the window ends after its first entry while Stop is down.
    QTemporaryDir tmp;
    for (const char *name : {"/a.dwg", "/b.dwg"}) {
        QFile f(tmp.path() + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QStringList found;
    SearchFilesIntoList(tmp.path(), QStringLiteral("*.dwg"), found, w);
    QCOMPARE(found.size(), 1);
    w->setStopRequested(false);
    w->hideScan();
}

void TestScanStop::walkIntoListWidget()
{
    QTemporaryDir tmp;
    QDir().mkpath(tmp.path() + "/s");
    for (const char *name : {"/a.dwg", "/s/b.DWG", "/s/c.txt"}) {
        QFile f(tmp.path() + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    frmScanStop::instance()->setStopRequested(false);
    frmScanStop::instance()->setFoundFileCount(0);
    QListWidget list;
    list.addItem(QStringLiteral("first"));
    SearchFilesIntoList(tmp.path(), QStringLiteral("*.dwg"), &list);
    QCOMPARE(listEntries(&list), (QStringList{"first", tmp.path() + "/a.dwg", tmp.path() + "/s/b.DWG"}));
    QCOMPARE(frmScanStop::instance()->lblScanned->text(), QStringLiteral("2 files found"));
    QCOMPARE(frmScanStop::instance()->foundFileCount(), qint64(2));
}

void TestScanStop::removeDuplicatesInListWidget()
{
    test::Fixture fx;
    test::ScriptedPrompter &prompter = fx.prompter();
    prompter.expectMessage();
    QListWidget list;
    list.addItems({"A", "B", "a", "C", "A"});
    RemoveDuplicateListItems(&list);
    const QStringList expected =
        pathCaseSensitivity() == Qt::CaseInsensitive ? QStringList{"B", "C", "A"} : QStringList{"B", "a", "C", "A"};
    QCOMPARE(listEntries(&list), expected);
    QCOMPARE(prompter.last().text, QString::number(5 - expected.size()) + QStringLiteral(" Duplicate Items Removed "));
    QCOMPARE(prompter.last().style, int(vbInformation));
    QCOMPARE(prompter.last().title, appTitle());
    QVERIFY(!frmScanStop::instance()->isVisible());
}

void TestScanStop::copyListToClipboard()
{
    test::Fixture fx;
    test::ScriptedPrompter &prompter = fx.prompter();
    prompter.expectMessage();
    prompter.expectMessage();
    QListWidget list;
    list.addItems({"C:\\a.dwg", "C:\\b.dwg"});
    CopyListToClipboard(&list);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("C:\\a.dwg\r\nC:\\b.dwg"));
    QCOMPARE(prompter.last().text, QStringLiteral("2 Items Copied to the Clipboard"));
    QCOMPARE(prompter.last().style, int(vbInformation));
    QCOMPARE(prompter.last().title, appTitle());
    CopyListToClipboard(QStringList{});
    QCOMPARE(prompter.last().text, QStringLiteral("0 Items Copied to the Clipboard"));
    QVERIFY(prompter.allUsed());
}

QTEST_MAIN(TestScanStop)
#include "tst_scanstop.moc"
