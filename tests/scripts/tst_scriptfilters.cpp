// The stored filters of the two script lists: each window as configured, its openers and target
// box, and the three stored-filter windows keeping apart in their files and settings.

#include "appwindow.h"
#include "core/filterlists.h"
#include "core/settingskeys.h"
#include "mainwin/frmDWGFilter.h"
#include "modalguard.h"
#include "scripts/scriptfilterconfigs.h"
#include "scripts/simplescriptselector.h"
#include "scripts/userscriptpane.h"
#include "testsupport.h"
#include "uitest.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace tess;

namespace {

// Each window's own files and setting, by the window's object name.
struct Own {
    const char *window;
    QString shared;
    QString personal;
    OtherSetting setting;
};

QList<Own> ownFiles()
{
    return {{"frmDWGFilter", "DWGFilter.DAT", "tester-DWGFilter.DAT", OtherKeys::DWGFilterPersonal},
            {"frmSCRFilter", "SCRFilter.DAT", "tester-SCRFilter.DAT", OtherKeys::SCRFilterPersonal},
            {"frmSCRFilterSimple", "SimpleSCRFilter.DAT", "tester-SimpleSCRFilter.DAT",
             OtherKeys::SCRFilterSimplePersonal}};
}

} // namespace

class TestScriptFilters : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scriptWindowsAsConfigured_data();
    void scriptWindowsAsConfigured();
    void threeWindowsShareNoFileOrSetting();
    void choiceOfListStoredOnlyByTheCloseBox_data();
    void choiceOfListStoredOnlyByTheCloseBox();
    void openersAndTargetBoxes();
    void windowsOpenInTheMiddleOfTheScreen();
};

void TestScriptFilters::scriptWindowsAsConfigured_data()
{
    QTest::addColumn<bool>("simple");
    QTest::addColumn<QString>("checkCaption");
    QTest::addColumn<QString>("sharedFile");
    QTest::addColumn<int>("widthTwips");
    QTest::newRow("frmSCRFilter") << false << "Show Personal Filters"
                                  << "SCRFilter.DAT" << 2685;
    QTest::newRow("frmSCRFilterSimple") << true << "Show Personal Settings"
                                        << "SimpleSCRFilter.DAT" << 2670;
}

void TestScriptFilters::scriptWindowsAsConfigured()
{
    QFETCH(bool, simple);
    QFETCH(QString, checkCaption);
    QFETCH(QString, sharedFile);
    QFETCH(int, widthTwips);
    test::Fixture fx;
    frmDWGFilter f(simple ? simpleScriptFilterConfig() : scriptFilterConfig(), {});
    QCOMPARE(f.objectName(), QLatin1String(QTest::currentDataTag()));
    QCOMPARE(f.windowTitle(), QStringLiteral("  Script Filter"));
    QCOMPARE(f.chkPersonalSettings->text(), checkCaption);
    QCOMPARE(f.tbDWGFilter->objectName(), QStringLiteral("tbSCRFilter"));
    QCOMPARE(f.tbDWGFilter->text(), QStringLiteral("*PLOT*"));
    QCOMPARE(f.size(), QSize(twipsToPixels(widthTwips), twipsToPixels(4530)));
    QVERIFY(f.cmdRemove->isEnabled()); // enabled before the first load

    // The first opening creates the list file empty and leaves the buttons as they were.
    f.show();
    QCOMPARE(test::fileBytes(fx.data() + sharedFile), QByteArray());
    QCOMPARE(f.List1->count(), 0);
    QVERIFY(f.cmdRemove->isEnabled());
    QVERIFY(f.cmdAdd->isEnabled());
    // Remove changes no entry, disables itself and writes the empty list.
    QVERIFY(QFile::remove(fx.data() + sharedFile));
    f.cmdRemove->click();
    QVERIFY(!f.cmdRemove->isEnabled());
    QCOMPARE(test::fileBytes(fx.data() + sharedFile), QByteArray());

    // The stored fragment as typed.
    f.cmdAdd->click();
    QCOMPARE(test::fileBytes(fx.data() + sharedFile), QByteArray("*PLOT*\r\n"));
}

void TestScriptFilters::threeWindowsShareNoFileOrSetting()
{
    test::Fixture fx;
    frmDWGFilter drawing(drawingFilterConfig(), {});
    frmDWGFilter script(scriptFilterConfig(), {});
    frmDWGFilter simple(simpleScriptFilterConfig(), {});
    const QList<frmDWGFilter *> windows{&drawing, &script, &simple};

    // Each adds its own entry, to the shared list and then to the personal one, ticked and then
    // stored through the close box.
    for (frmDWGFilter *f : windows) {
        f->show();
        f->tbDWGFilter->setText(f->objectName());
        f->cmdAdd->click();
        f->chkPersonalSettings->setChecked(true);
        f->tbDWGFilter->setText(f->objectName() + QStringLiteral(" personal"));
        f->cmdAdd->click();
        test::pressCloseBox(f);
        QVERIFY(!f->isVisible());
    }
    for (const Own &own : ownFiles()) {
        const QByteArray name(own.window);
        QCOMPARE(test::fileBytes(fx.data() + own.shared), name + "\r\n");
        QCOMPARE(test::fileBytes(fx.data() + own.personal), name + " personal\r\n");
        QCOMPARE(readOtherSetting(own.setting), QStringLiteral("1"));
    }
    QCOMPARE(QDir(fx.data()).entryList(QDir::Files).size(), 6);

    // Unticking one window's box stores only that window's choice.
    script.show();
    script.chkPersonalSettings->setChecked(false);
    test::pressCloseBox(&script);
    QCOMPARE(readOtherSetting(OtherKeys::SCRFilterPersonal), QStringLiteral("0"));
    QCOMPARE(readOtherSetting(OtherKeys::DWGFilterPersonal), QStringLiteral("1"));
    QCOMPARE(readOtherSetting(OtherKeys::SCRFilterSimplePersonal), QStringLiteral("1"));
    frmDWGFilter simpleAgain(simpleScriptFilterConfig(), {});
    QVERIFY(simpleAgain.chkPersonalSettings->isChecked());
    frmDWGFilter scriptAgain(scriptFilterConfig(), {});
    QVERIFY(!scriptAgain.chkPersonalSettings->isChecked());
}

void TestScriptFilters::choiceOfListStoredOnlyByTheCloseBox_data()
{
    QTest::addColumn<int>("which");
    for (int i = 0; i < ownFiles().size(); ++i)
        QTest::newRow(ownFiles().at(i).window) << i;
}

// A double-click hides the window and the program's own close ends it without storing the
// personal-list choice; the close box stores it.
void TestScriptFilters::choiceOfListStoredOnlyByTheCloseBox()
{
    QFETCH(int, which);
    const FilterWindowConfig *configs[] = {&drawingFilterConfig(), &scriptFilterConfig(), &simpleScriptFilterConfig()};
    const Own own = ownFiles().at(which);
    test::Fixture fx;
    fx.writeFile(QStringLiteral("DATA/") + own.personal, "*A*\r\n");
    QString applied;
    frmDWGFilter f(*configs[which], [&applied](const QString &p) { applied = p; });
    QCOMPARE(f.objectName(), QLatin1String(own.window));
    f.show();
    f.chkPersonalSettings->setChecked(true);
    f.List1->setCurrentRow(0);
    f.List1_DblClick();
    QCOMPARE(applied, QStringLiteral("*A*"));
    QVERIFY(!f.isVisible());
    QCOMPARE(readOtherSetting(own.setting), QStringLiteral("0"));
    f.show();
    f.close();
    QCOMPARE(readOtherSetting(own.setting), QStringLiteral("0"));
    QVERIFY(!f.wasUnloaded());
    f.show();
    test::pressCloseBox(&f);
    QVERIFY(f.wasUnloaded());
    QCOMPARE(readOtherSetting(own.setting), QStringLiteral("1"));
}

void TestScriptFilters::openersAndTargetBoxes()
{
    test::Fixture fx;
    fx.writeFile(QStringLiteral("DATA/SCRFilter.DAT"), "PURGE\r\nPLOT\r\n");
    fx.writeFile(QStringLiteral("DATA/SimpleSCRFilter.DAT"), "LAYER\r\n");
    test::AppWindow w;
    auto *pane = w->findChild<UserScriptPane *>();
    auto *selector = w->findChild<SimpleScriptSelector *>();
    QVERIFY(pane && selector);
    pane->setFilterText(QStringLiteral("PL"));
    selector->setFilterText(QStringLiteral("simple"));

    // "Filter" beside the script list: the list's filter in the pattern box; a double-click hands
    // the entry to that filter only.
    test::ModalGuard modals;
    modals.answerNextModal([](QWidget *d) {
        auto *f = qobject_cast<frmDWGFilter *>(d);
        QVERIFY(f);
        QCOMPARE(f->objectName(), QStringLiteral("frmSCRFilter"));
        QCOMPARE(f->tbDWGFilter->text(), QStringLiteral("PL"));
        QCOMPARE(f->entries(), (QStringList{"PLOT", "PURGE"}));
        f->List1->setCurrentRow(1);
        f->List1_DblClick();
    });
    pane->findChild<QPushButton *>(QStringLiteral("cmdFilterUserScriptShow"))->click();
    QVERIFY(modals.allAnswered());
    QCOMPARE(pane->filterText(), QStringLiteral("PURGE"));
    QCOMPARE(selector->filterText(), QStringLiteral("simple"));

    // "Filter" of the simple-mode selector: the pattern box keeps its own text.
    modals.answerNextModal([](QWidget *d) {
        auto *f = qobject_cast<frmDWGFilter *>(d);
        QVERIFY(f);
        QCOMPARE(f->objectName(), QStringLiteral("frmSCRFilterSimple"));
        QCOMPARE(f->tbDWGFilter->text(), QStringLiteral("*PLOT*"));
        QCOMPARE(f->entries(), QStringList{"LAYER"});
        f->List1->setCurrentRow(0);
        f->List1_DblClick();
    });
    selector->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    QVERIFY(modals.allAnswered());
    QCOMPARE(selector->filterText(), QStringLiteral("LAYER"));
    QCOMPARE(pane->filterText(), QStringLiteral("PURGE"));

    // Hidden, not unloaded: the simple-mode window shows what it held, ticked box included, until
    // its close box unloads it; the script window takes the list's filter of now.
    modals.answerNextModal([](QWidget *d) {
        auto *f = qobject_cast<frmDWGFilter *>(d);
        QCOMPARE(f->tbDWGFilter->text(), QStringLiteral("LAYER"));
        f->chkPersonalSettings->setChecked(true);
        f->hide();
    });
    modals.answerNextModal([](QWidget *d) {
        auto *f = qobject_cast<frmDWGFilter *>(d);
        QVERIFY(f->chkPersonalSettings->isChecked());
        test::pressCloseBox(f);
    });
    modals.answerNextModal([](QWidget *d) {
        auto *f = qobject_cast<frmDWGFilter *>(d);
        QCOMPARE(f->tbDWGFilter->text(), QStringLiteral("*PLOT*"));
        f->reject();
    });
    for (int i = 0; i < 3; ++i)
        selector->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    modals.answerNextModal([](QWidget *d) {
        auto *f = qobject_cast<frmDWGFilter *>(d);
        QCOMPARE(f->tbDWGFilter->text(), QStringLiteral("PURGE"));
        f->reject();
    });
    pane->findChild<QPushButton *>(QStringLiteral("cmdFilterUserScriptShow"))->click();
    QVERIFY(modals.allAnswered());
}

// The three stored-filter windows and the script browser open in the middle of the screen, not
// over the main window (give or take the window frame).
void TestScriptFilters::windowsOpenInTheMiddleOfTheScreen()
{
    test::Fixture fx;
    test::AppWindow w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QRect area = w->screen()->availableGeometry();
    w->move(area.topLeft() + QPoint(40, 30));
    QVERIFY(w->frameGeometry().center() != area.center());
    test::ModalGuard modals;
    auto *pane = w->findChild<UserScriptPane *>();
    const QList<QPushButton *> openers{w->findChild<QWidget *>(QStringLiteral("Frame2"))
                                           ->findChild<QPushButton *>(QStringLiteral("cmdFilterFormShow")),
                                       pane->findChild<QPushButton *>(QStringLiteral("cmdFilterUserScriptShow")),
                                       pane->findChild<QPushButton *>(QStringLiteral("cmdBrowse"))};
    for (QPushButton *opener : openers) {
        modals.answerNextModal([&area](QWidget *d) {
            const QPoint off = d->frameGeometry().center() - area.center();
            QVERIFY2(qAbs(off.x()) <= 4 && qAbs(off.y()) <= 4,
                     qPrintable(d->objectName() + QStringLiteral(" off by %1, %2").arg(off.x()).arg(off.y())));
            d->close();
        });
        opener->click();
        QVERIFY2(modals.allAnswered(), qPrintable(opener->objectName()));
    }
    modals.answerNextModal([&area](QWidget *d) {
        QCOMPARE(d->objectName(), QStringLiteral("frmSCRFilterSimple"));
        QVERIFY((d->frameGeometry().center() - area.center()).manhattanLength() <= 8);
        d->close();
    });
    w->findChild<SimpleScriptSelector *>()->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    QVERIFY(modals.allAnswered());
}

QTEST_MAIN(TestScriptFilters)
#include "tst_scriptfilters.moc"
