// The two tag managers and the projects folder picker through their controls, built as the program
// builds them: the user tag manager with its settings, checks and templates, the project tag
// manager with its files and index, and the picker.

#include "app/application.h"
#include "appwindow.h"
#include "batch/projecttags.h"
#include "core/fileio.h"
#include "core/mainsettings.h"
#include "core/settingsstore.h"
#include "mainwin/frmMain.h"
#include "modalguard.h"
#include "tags/frmProjectTagManager.h"
#include "tags/frmProjectTagManagerFS.h"
#include "tags/frmVARSetup.h"
#include "tags/projectfiles.h"
#include "tags/tagmanagers.h"
#include "testsupport.h"
#include "uitest.h"
#include "widgets/dirlistbox.h"
#include "widgets/programfont.h"
#include "widgets/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace tess;

namespace {

QByteArray crlfLines(const QStringList &lines)
{
    QByteArray b;
    for (const QString &l : lines)
        b += l.toUtf8() + "\r\n";
    return b;
}

// A project file: the pattern, then the values prefix1, prefix2, ... (count of them).
QByteArray projectBytes(const QString &pattern, const QString &prefix, int count = kProjectValueCount)
{
    QStringList lines{pattern};
    for (int i = 1; i <= count; ++i)
        lines << prefix + QString::number(i);
    return crlfLines(lines);
}

QStringList userTagKeys() { return SettingsStore::instance().keys(QStringLiteral("UserTags")); }

QString storedUserTag(const char *key)
{
    return SettingsStore::instance().read(QStringLiteral("UserTags"), QLatin1String(key), QStringLiteral("<none>"));
}

void selectRow(QListWidget *list, const QString &entry)
{
    const QList<QListWidgetItem *> found = list->findItems(entry, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(entry));
    list->setCurrentItem(found.first());
}

QStringList listed(const QListWidget *list)
{
    QStringList l;
    for (int i = 0; i < list->count(); ++i)
        l << list->item(i)->text();
    return l;
}

QStringList comboEntries(const QComboBox *box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}

// Named controls that overlap a sibling, in the window and in each frame and tab page.
QStringList overlaps(const QWidget *window)
{
    QStringList found;
    QList<const QWidget *> containers{window};
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (qobject_cast<const QGroupBox *>(w) ||
            (w->parentWidget() && w->parentWidget()->objectName() == QLatin1String("qt_tabwidget_stackedwidget")))
            containers << w;
    }
    for (const QWidget *c : containers) {
        QList<const QWidget *> kids;
        for (const QWidget *k : c->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!k->objectName().isEmpty() && !k->objectName().startsWith(QLatin1String("qt_")) && !k->isWindow())
                kids << k;
        }
        for (int i = 0; i < kids.size(); ++i)
            for (int j = i + 1; j < kids.size(); ++j)
                if (kids[i]->geometry().intersects(kids[j]->geometry()))
                    found << kids[i]->objectName() + QLatin1Char('/') + kids[j]->objectName();
        // Every control inside its container.
        for (const QWidget *k : kids)
            if (c != window || !k->isWindow())
                if (!QRect(QPoint(0, 0), c->size()).contains(k->geometry()))
                    found << k->objectName() + QStringLiteral(" outside ") + c->objectName();
    }
    return found;
}

void focusOut(QWidget *w, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent e(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TestTagManagers : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::Fixture> m_fx;
    std::unique_ptr<test::AppWindow> m_window;

    test::Fixture &fx() { return *m_fx; }
    frmVARSetup *user() { return TagManagers::instance()->userTagManager(); }
    // The main window built now, from the settings store as the test prepared it.
    void build()
    {
        m_window.reset();
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
        m_window = std::make_unique<test::AppWindow>();
    }
    std::unique_ptr<frmProjectTagManager> projectManager(const QString &drawingFolder = QString())
    {
        return std::make_unique<frmProjectTagManager>([drawingFolder] { return drawingFolder; });
    }

private Q_SLOTS:
    void initTestCase() { applyProgramFont(); }
    void init()
    {
        m_fx = std::make_unique<test::Fixture>();
        build();
    }
    void cleanup()
    {
        QVERIFY2(fx().prompter().allUsed(), qPrintable(fx().prompter().unusedAnswers()));
        m_window.reset();
        m_fx.reset();
    }

    void layoutsFitAndDoNotOverlap();
    // ---- User tag manager ----
    void showsDefaultsAndClampsPadDigits();
    void okStoresEveryKeyAndAnnounces();
    void okRefusesUnusableValues_data();
    void okRefusesUnusableValues();
    void leavingCountBoxes_data();
    void leavingCountBoxes();
    void clearAllAndTheCloseBox();
    void spinnerSteps();
    void boxesDropLineBreaks();
    // ---- Templates ----
    void templateSaveListAndPick();
    void templateSaveRefusals_data();
    void templateSaveRefusals();
    void shortAndMissingTemplates();
    void readOnlyAndDelete();
    // ---- Project tag manager ----
    void projectSaveNamesAndIndexOnDone();
    void writeProtectedProjectRetries();
    void loadingReadsWholeFileFirst();
    void switchingWithUnsavedEdits_data();
    void switchingWithUnsavedEdits();
    void deleteAsksAndActsOnListedFilesOnly();
    void makeInactiveAndActive();
    void doneAsksAndReportsTheIndex();
    void clearAsks();
    void closeBoxAsksAndDiscards();
    void pickerWritesTheEscapedFolder();
    // ---- Menus ----
    void menuItemsOpenTheManagers();
};

// ============================================================================================
// Layout
// ============================================================================================

void TestTagManagers::layoutsFitAndDoNotOverlap()
{
    // Every caption fits its place in the program's font.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("placeControls")));
    frmVARSetup setup;
    auto pm = projectManager(QDir::tempPath());
    frmProjectTagManagerFS picker([] { return QDir::tempPath(); });
    for (const QWidget *w : {static_cast<const QWidget *>(&setup), static_cast<const QWidget *>(pm.get()),
                             static_cast<const QWidget *>(&picker)}) {
        const QStringList problems = overlaps(w);
        QVERIFY2(problems.isEmpty(),
                 qPrintable(w->objectName() + QStringLiteral(": ") + problems.join(QStringLiteral(", "))));
    }
    QCOMPARE(setup.size(), QSize(twipsToPixels(9390), twipsToPixels(6405)));
    QCOMPARE(setup.cmdClearAllTags->parentWidget(), setup.SSTab1->widget(0));
}

// ============================================================================================
// User tag manager
// ============================================================================================

void TestTagManagers::showsDefaultsAndClampsPadDigits()
{
    frmVARSetup *m = user();
    QVERIFY(m && !m->isVisible());
    QCOMPARE(m->windowTitle(), QStringLiteral(" User Tags - Configuration"));
    QCOMPARE(m->tbCounterStart->text(), QStringLiteral("1"));
    QCOMPARE(m->tbCounterStep->text(), QStringLiteral("1"));
    QVERIFY(!m->chkPadCounter->isChecked());
    QCOMPARE(m->tbPadCounter->text(), QStringLiteral("2"));
    QCOMPARE(m->tbSheetChars->text(), QStringLiteral("3"));
    QVERIFY(m->chkTrimZeros->isChecked());
    QCOMPARE(m->tbFirstFileChars->text(), QStringLiteral("4"));
    QCOMPARE(m->tbLastFileChars->text(), QStringLiteral("2"));
    const char *tags[] = {"GADGETS && CO.", "DOODAD DIVISION", "MODEL-A", "REVISION B", "A. DESIGNER", "B. CHECKER"};
    for (int i = 0; i < kUserTagCount; ++i)
        QCOMPARE(m->tbTag[size_t(i)]->text(), i < 6 ? QString::fromLatin1(tags[i]) : QString());
    QCOMPARE(m->SSTab1->count(), 5);
    QCOMPARE(m->SSTab1->tabText(4), QStringLiteral("41-50"));
    QCOMPARE(m->findChild<QLabel *>(QStringLiteral("lblTag50"))->text(), QStringLiteral("$TAG50$"));

    // A stored digit count outside 2 to 9 comes back within it, in the member and the spinner.
    writeSetting(QStringLiteral("UserTags"), QStringLiteral("PadDigits"), QStringLiteral("15"));
    writeSetting(QStringLiteral("UserTags"), QStringLiteral("CounterStart"), QStringLiteral("007"));
    build();
    QCOMPARE(mainSettings().PADDIGITS, qint16(9));
    QCOMPARE(user()->padDigits(), 9);
    QCOMPARE(user()->tbPadCounter->text(), QStringLiteral("9"));
    QCOMPARE(user()->tbCounterStart->text(), QStringLiteral("7"));
}

void TestTagManagers::okStoresEveryKeyAndAnnounces()
{
    frmVARSetup *m = user();
    QSignalSpy applied(&m_window->app(), &Application::settingsApplied);
    m->show();
    m->tbCounterStart->setText(QStringLiteral("007"));
    m->tbTag[2]->setText(QStringLiteral("X"));
    m->chkPadCounter->setChecked(true);
    m->setPadDigits(4);
    m->cmdOk->click();

    QVERIFY(!m->isVisible());
    QCOMPARE(applied.count(), 1);
    QCOMPARE(userTagKeys().size(), 58);
    QCOMPARE(storedUserTag("CounterStart"), QStringLiteral("007"));
    QCOMPARE(storedUserTag("PadCounterEnabled"), QStringLiteral("1"));
    QCOMPARE(storedUserTag("PadDigits"), QStringLiteral("4"));
    QCOMPARE(storedUserTag("TAG1"), QStringLiteral("GADGETS && CO."));
    QCOMPARE(storedUserTag("TAG3"), QStringLiteral("X"));
    QCOMPARE(mainSettings().COUNTERSTART, 7);
    QCOMPARE(mainSettings().PADDIGITS, qint16(4));
    QCOMPARE(mainSettings().TAG[2], QStringLiteral("X"));
    // The boxes stay as they were left.
    QCOMPARE(m->tbCounterStart->text(), QStringLiteral("007"));
}

void TestTagManagers::okRefusesUnusableValues_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("after");
    QTest::newRow("start word") << "tbCounterStart"
                                << "one"
                                << "Counter Value"
                                << "one";
    QTest::newRow("start above 32 bits") << "tbCounterStart"
                                         << "2147483648"
                                         << "Counter Value"
                                         << "2147483648";
    QTest::newRow("step empty") << "tbCounterStep"
                                << ""
                                << "Counter Value"
                                << "";
    QTest::newRow("last 1A") << "tbLastFileChars"
                             << "1A"
                             << "Filename Value"
                             << "2";
    QTest::newRow("first 300") << "tbFirstFileChars"
                               << "300"
                               << "Filename Value"
                               << "4";
    QTest::newRow("sheet 0") << "tbSheetChars"
                             << "0"
                             << "Sheet Value"
                             << "1";
}

void TestTagManagers::okRefusesUnusableValues()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, after);
    frmVARSetup *m = user();
    QSignalSpy applied(&m_window->app(), &Application::settingsApplied);
    const MainSettings before = mainSettings();
    m->show();
    m->tbTag[0]->setText(QStringLiteral("changed"));
    m->findChild<QLineEdit *>(box)->setText(text);
    fx().prompter().expectMessage(vbOK);
    m->cmdOk_Click();

    QCOMPARE(fx().prompter().last().title, title);
    QVERIFY(m->isVisible());
    QVERIFY(userTagKeys().isEmpty());
    QCOMPARE(applied.count(), 0);
    QCOMPARE(mainSettings().TAG[0], before.TAG[0]);
    QCOMPARE(mainSettings().COUNTERSTART, before.COUNTERSTART);
    QCOMPARE(m->findChild<QLineEdit *>(box)->text(), after);
    m->hide();
}

void TestTagManagers::leavingCountBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // "" when none
    QTest::addColumn<QString>("after");
    QTest::newRow("sheet 0") << "tbSheetChars"
                             << "0"
                             << "Value must be greater than \"0\".\r\nResetting to \"1\"."
                             << "1";
    QTest::newRow("first empty") << "tbFirstFileChars"
                                 << ""
                                 << "Value must be greater than \"0\".\r\nResetting to \"4\"."
                                 << "4";
    QTest::newRow("last 1A") << "tbLastFileChars"
                             << "1A"
                             << "Value must be a whole number from \"1\" to \"255\".\r\nResetting to \"2\"."
                             << "2";
    QTest::newRow("sheet 12 kept") << "tbSheetChars"
                                   << "12"
                                   << ""
                                   << "12";
}

void TestTagManagers::leavingCountBoxes()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, after);
    auto *b = user()->findChild<QLineEdit *>(box);
    b->setText(text);
    // Another window taking the focus is not leaving the box.
    focusOut(b, Qt::ActiveWindowFocusReason);
    QCOMPARE(b->text(), text);
    if (!message.isEmpty())
        fx().prompter().expectMessage(vbOK);
    focusOut(b);
    QCOMPARE(b->text(), after);
    if (!message.isEmpty()) {
        QCOMPARE(fx().prompter().last().text, message);
        QCOMPARE(fx().prompter().last().style, int(vbOKOnly | vbExclamation));
    }
}

void TestTagManagers::clearAllAndTheCloseBox()
{
    frmVARSetup *m = user();
    m->show();
    m->SSTab1->setCurrentIndex(3);
    fx().prompter().expectMessage(vbNo);
    m->cmdClearAllTags->click();
    QCOMPARE(m->tbTag[0]->text(), QStringLiteral("GADGETS && CO."));
    QCOMPARE(fx().prompter().last().title, QStringLiteral("Clear?"));
    QCOMPARE(fx().prompter().last().style, int(vbYesNo | vbExclamation | vbDefaultButton2));

    fx().prompter().expectMessage(vbYes);
    m->cmdClearAllTags->click();
    for (QLineEdit *box : m->tbTag)
        QVERIFY(box->text().isEmpty());
    m->tbCounterStart->setText(QStringLiteral("50"));

    // The close box stores nothing; the next opening shows the members on the first tab.
    m->close();
    QVERIFY(m->wasUnloaded());
    QVERIFY(userTagKeys().isEmpty());
    QCOMPARE(mainSettings().TAG[0], QStringLiteral("GADGETS && CO."));
    m->ensureLoaded();
    QCOMPARE(m->tbTag[0]->text(), QStringLiteral("GADGETS && CO."));
    QCOMPARE(m->tbCounterStart->text(), QStringLiteral("1"));
    QCOMPARE(m->SSTab1->currentIndex(), 0);

    fx().prompter().expectMessage(vbYes);
    m->cmdClearAllTags_Click();
    m->cmdOk_Click();
    QCOMPARE(userTagKeys().size(), 58);
    QCOMPARE(storedUserTag("TAG1"), QString());
    QCOMPARE(storedUserTag("TAG50"), QString());
    QCOMPARE(mainSettings().TAG[0], QString());
}

void TestTagManagers::spinnerSteps()
{
    frmVARSetup *m = user();
    QVERIFY(!m->tbPadCounter->isEnabled());
    // The up arrow (the scroll bar's line up) raises the count, the down arrow lowers it.
    m->vsPadCounter->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(m->tbPadCounter->text(), QStringLiteral("3"));
    for (int i = 0; i < 10; ++i)
        m->vsPadCounter->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(m->tbPadCounter->text(), QStringLiteral("9"));
    for (int i = 0; i < 10; ++i)
        m->vsPadCounter->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(m->tbPadCounter->text(), QStringLiteral("2"));
    QCOMPARE(m->padDigits(), 2);
}

void TestTagManagers::boxesDropLineBreaks()
{
    frmVARSetup *m = user();
    m->tbTag[9]->setText(QStringLiteral("one\r\ntwo\nthree\r"));
    QCOMPARE(m->tbTag[9]->text(), QStringLiteral("onetwothree"));
    m->tbTag[9]->setCursorPosition(3);
    m->tbTag[9]->insert(QStringLiteral("\nX\r\n"));
    QCOMPARE(m->tbTag[9]->text(), QStringLiteral("oneXtwothree"));
    auto pm = projectManager();
    pm->tbPD1[39]->setText(QStringLiteral("a\nb"));
    pm->tbPath->setText(QStringLiteral("C:\\\r\n"));
    QCOMPARE(pm->tbPD1[39]->text(), QStringLiteral("ab"));
    QCOMPARE(pm->tbPath->text(), QStringLiteral("C:\\"));
}

// ============================================================================================
// Templates
// ============================================================================================

void TestTagManagers::templateSaveListAndPick()
{
    frmVARSetup *m = user();
    m->tbTag[0]->setText(QStringLiteral("Acme Corp"));
    m->cmbTAGSelector->setEditText(QStringLiteral("Acme"));
    m->cmdSaveTAG->click();
    QCOMPARE(comboEntries(m->cmbTAGSelector), QStringList{QStringLiteral("Acme")});
    QCOMPARE(m->cmbTAGSelector->currentText(), QStringLiteral("Acme"));
    const QByteArray bytes = test::fileBytes(fx().data() + QStringLiteral("Acme.TAG"));
    QCOMPARE(bytes.count("\r\n"), 50);
    QVERIFY(bytes.startsWith("Acme Corp\r\nDOODAD DIVISION\r\n"));

    // Another letter case names the same file; the list takes the name as typed until the next
    // refresh.
    m->tbTag[1]->setText(QStringLiteral("second save"));
    m->cmbTAGSelector->setEditText(QStringLiteral("acme"));
    m->cmdSaveTAG->click();
    QCOMPARE(comboEntries(m->cmbTAGSelector), (QStringList{QStringLiteral("Acme"), QStringLiteral("acme")}));
    QCOMPARE(QDir(fx().data()).entryList(QDir::Files), QStringList{QStringLiteral("Acme.TAG")});
    QVERIFY(test::fileBytes(fx().data() + QStringLiteral("Acme.TAG")).startsWith("Acme Corp\r\nsecond save\r\n"));

    // Picking it loads the boxes and the members, not the store.
    for (QLineEdit *box : m->tbTag)
        box->clear();
    m->cmbTAGSelector->setCurrentIndex(0);
    Q_EMIT m->cmbTAGSelector->activated(0);
    QCOMPARE(m->tbTag[1]->text(), QStringLiteral("second save"));
    QCOMPARE(mainSettings().TAG[0], QStringLiteral("Acme Corp"));
    QCOMPARE(mainSettings().TAG[2], QStringLiteral("MODEL-A"));
    QCOMPARE(m_window->get()->lblUpdate->text(), QStringLiteral("Acme.TAG Found"));
    QVERIFY(userTagKeys().isEmpty());

    // Templates come from DATA itself.
    fx().writeFile(QStringLiteral("DATA/sub/Deep.TAG"), "x\r\n");
    fx().writeFile(QStringLiteral("DATA/.TAG"), "x\r\n");
    m->RefreshTAGList();
    QCOMPARE(comboEntries(m->cmbTAGSelector), QStringList{QStringLiteral("ACME")});
    QVERIFY(m->cmbTAGSelector->currentText().isEmpty());
}

void TestTagManagers::templateSaveRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << ""
                           << "Tessaline";
    QTest::newRow("slash") << "A/B"
                           << "Tessaline Alert";
    QTest::newRow("question mark") << "A?B"
                                   << "Tessaline Alert";
    QTest::newRow("parent folder") << "..\\Acme"
                                   << "Tessaline Alert";
    QTest::newRow("device") << "CON"
                            << "Tessaline Alert";
    QTest::newRow("trailing dot") << "Acme."
                                  << "Tessaline Alert";
    QTest::newRow("double quote") << "A\"B"
                                  << "Tessaline Alert";
}

void TestTagManagers::templateSaveRefusals()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    frmVARSetup *m = user();
    m->cmbTAGSelector->setEditText(name);
    fx().prompter().expectMessage(vbOK);
    m->cmdSaveTAG_Click();
    QCOMPARE(fx().prompter().last().title, title);
    QVERIFY(QDir(fx().data()).entryList(QDir::Files).isEmpty());
    QVERIFY(QDir(fx().folder()).entryList({QStringLiteral("*.TAG")}, QDir::Files).isEmpty());
    QCOMPARE(m->cmbTAGSelector->count(), 0);
    if (name == QLatin1String("A/B"))
        QCOMPARE(fx().prompter().last().text,
                 QStringLiteral("File names cannot contain the following characters...\r\n\r\n") +
                     QString(24, QLatin1Char(' ')) + QStringLiteral("\\  /  :  *  ?  <  >  |  "));
}

void TestTagManagers::shortAndMissingTemplates()
{
    fx().writeFile(QStringLiteral("DATA/Ten.TAG"),
                   crlfLines({QStringLiteral("t1"), QStringLiteral("t2"), QStringLiteral("t3"), QStringLiteral("t4"),
                              QStringLiteral("t5"), QStringLiteral("t6"), QStringLiteral("t7"), QStringLiteral("t8"),
                              QStringLiteral("t9"), QStringLiteral("t10")}));
    fx().writeFile(QStringLiteral("Outside.TAG"), QByteArray("out\r\n").repeated(50));
    frmVARSetup *m = user();
    QLabel *status = m_window->get()->lblUpdate;
    status->setText(QStringLiteral("before"));

    // A hand-made template of 10 lines replaces tags 1 to 10 only and is not reported.
    m->applyTemplateCommand(QStringLiteral("ten"));
    QCOMPARE(m->cmbTAGSelector->currentText(), QStringLiteral("ten"));
    QCOMPARE(mainSettings().TAG[9], QStringLiteral("t10"));
    QCOMPARE(m->tbTag[9]->text(), QStringLiteral("t10"));
    QCOMPARE(mainSettings().TAG[10], QString());
    QCOMPARE(m->tbTag[1]->text(), QStringLiteral("t2"));
    QCOMPARE(status->text(), QStringLiteral("before"));

    // A missing template, or a name that leads out of DATA, changes nothing.
    for (const QString &name : {QStringLiteral("Nope"), QStringLiteral("..") + QDir::separator() + "Outside"}) {
        m->applyTemplateCommand(name);
        QCOMPARE(status->text(), QStringLiteral(".TAG File Not Found"));
        QCOMPARE(mainSettings().TAG[0], QStringLiteral("t1"));
        status->setText(QStringLiteral("before"));
    }
    QVERIFY(!m->chkLock->isChecked());
    QVERIFY(m->cmdSaveTAG->isEnabled());
    QVERIFY(m->cmdDelTAG->isEnabled());
}

void TestTagManagers::readOnlyAndDelete()
{
    fx().writeFile(QStringLiteral("DATA/Acme.TAG"), QByteArray("a\r\n").repeated(50));
    fx().writeFile(QStringLiteral("DATA/Beta.TAG"), QByteArray("b\r\n").repeated(50));
    build();
    frmVARSetup *m = user();
    const QString acme = fx().data() + QStringLiteral("Acme.TAG");
    QCOMPARE(comboEntries(m->cmbTAGSelector), (QStringList{QStringLiteral("ACME"), QStringLiteral("BETA")}));

    // A typed name, even that of a listed template, selects no entry: ticking changes no file and
    // only sets the buttons.
    QTest::keyClicks(m->cmbTAGSelector->lineEdit(), QStringLiteral("ACME"));
    QVERIFY(m->cmdDelTAG->isEnabled());
    m->chkLock->click();
    QVERIFY(!isReadOnlyFile(acme));
    QVERIFY(!m->cmdSaveTAG->isEnabled());
    QVERIFY(!m->cmdDelTAG->isEnabled());
    m->chkLock->click();

    // A picked template: ticking protects its file.
    test::pickEntry(m->cmbTAGSelector, QStringLiteral("ACME"));
    QVERIFY(m->cmdDelTAG->isEnabled());
    m->chkLock->click();
    QVERIFY(isReadOnlyFile(acme));
    QVERIFY(!m->cmdSaveTAG->isEnabled());
    QVERIFY(!m->cmdDelTAG->isEnabled());
    // Another name: both buttons back; the protected template again: ticked.
    m->cmbTAGSelector->setEditText(QStringLiteral("NEW ONE"));
    QVERIFY(!m->chkLock->isChecked());
    QVERIFY(m->cmdSaveTAG->isEnabled());
    QVERIFY(isReadOnlyFile(acme));
    m->cmbTAGSelector->setEditText(QStringLiteral("acme"));
    QVERIFY(m->chkLock->isChecked());
    QVERIFY(!m->cmdSaveTAG->isEnabled());
    m->chkLock->click(); // typed: the file stays protected
    QVERIFY(isReadOnlyFile(acme));
    test::pickEntry(m->cmbTAGSelector, QStringLiteral("ACME"));
    QVERIFY(m->chkLock->isChecked());
    m->chkLock->click();
    QVERIFY(!isReadOnlyFile(acme));
    // Typing after a pick ends the selection.
    QTest::keyClick(m->cmbTAGSelector->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(m->cmbTAGSelector->lineEdit(), QStringLiteral("E"));
    QCOMPARE(m->cmbTAGSelector->currentText(), QStringLiteral("ACME"));
    m->chkLock->click();
    QVERIFY(!isReadOnlyFile(acme));
    m->chkLock->click();

    // Delete removes the listed file without a question and keeps the boxes.
    const QString tag1 = m->tbTag[0]->text();
    m->cmdDelTAG->click();
    QVERIFY(!QFile::exists(acme));
    QCOMPARE(comboEntries(m->cmbTAGSelector), QStringList{QStringLiteral("BETA")});
    QVERIFY(m->cmbTAGSelector->currentText().isEmpty());
    QCOMPARE(m->tbTag[0]->text(), tag1);

    // A listed template whose file has gone.
    m->cmbTAGSelector->setEditText(QStringLiteral("Beta"));
    QVERIFY(QFile::remove(fx().data() + QStringLiteral("Beta.TAG")));
    fx().prompter().expectMessage(vbOK);
    m->cmdDelTAG_Click();
    QCOMPARE(fx().prompter().last().text, QStringLiteral("File not found!!"));
    QCOMPARE(comboEntries(m->cmbTAGSelector), QStringList{QStringLiteral("BETA")});

    // Delete acts on the name shown, typed or picked: a template added since the list was read
    // goes; a name that leads out of DATA, or none, finds no file there.
    fx().writeFile(QStringLiteral("DATA/Late.TAG"), "x\r\n");
    fx().writeFile(QStringLiteral("Outside.TAG"), "x\r\n");
    m->cmbTAGSelector->setEditText(QStringLiteral("Late"));
    QVERIFY(m->cmdDelTAG->isEnabled());
    m->cmdDelTAG->click();
    QVERIFY(!QFile::exists(fx().data() + QStringLiteral("Late.TAG")));
    for (const QString &name : {QStringLiteral("..") + QDir::separator() + "Outside", QString()}) {
        m->cmbTAGSelector->setEditText(name);
        fx().prompter().expectMessage(vbOK);
        m->cmdDelTAG->click();
        QCOMPARE(fx().prompter().last().text, QStringLiteral("File not found!!"));
    }
    QVERIFY(QFile::exists(fx().path() + QStringLiteral("Outside.TAG")));
}

// ============================================================================================
// Project tag manager
// ============================================================================================

void TestTagManagers::projectSaveNamesAndIndexOnDone()
{
    auto pm = projectManager();
    QCOMPARE(pm->windowTitle(), QStringLiteral(" Project Tag Manager"));
    QVERIFY(!pm->cmdSave->isEnabled());
    QCOMPARE(pm->SSTab1->count(), 4);
    QCOMPARE(pm->SSTab1->tabText(3), QStringLiteral("Tags 31-40"));

    pm->tbProjectName->setText(QStringLiteral("P7"));
    pm->tbPath->setText(QStringLiteral("C:\\JOBS\\P7\\"));
    pm->tbPD1[0]->setText(QStringLiteral("Seven"));
    QVERIFY(pm->cmdSave->isEnabled());
    QVERIFY(pm->ProjectChanged);
    QVERIFY(pm->cmdSave_Click());
    QVERIFY(!pm->ProjectChanged);
    const QByteArray bytes = test::fileBytes(fx().data() + QStringLiteral("P7.PRJ"));
    QCOMPARE(bytes.count("\r\n"), 41);
    QVERIFY(bytes.startsWith("C:\\JOBS\\P7\\\r\nSeven\r\n\r\n"));
    QCOMPARE(listed(pm->ProjectList), QStringList{QStringLiteral("P7.PRJ")});
    QVERIFY(!QFile::exists(fx().data() + QStringLiteral("PTAGMAN.DAT")));

    // A typed extension is kept whatever the tab; only .PRJ and .PRX count as one.
    for (const char *name : {"P8.PRX", "SUPPR1", "a"}) {
        pm->tbProjectName->setText(QLatin1String(name));
        QVERIFY(pm->cmdSave_Click());
    }
    QCOMPARE(listed(pm->ProjectList),
             (QStringList{QStringLiteral("a.PRJ"), QStringLiteral("P7.PRJ"), QStringLiteral("SUPPR1.PRJ")}));
    QCOMPARE(listed(pm->ProjectInactiveList), QStringList{QStringLiteral("P8.PRX")});

    QVERIFY(pm->cmdClose_Click());
    QCOMPARE(test::fileBytes(fx().data() + QStringLiteral("PTAGMAN.DAT")),
             QByteArray("a.PRJ\r\nP7.PRJ\r\nSUPPR1.PRJ\r\n"));
    // The composer finds the project through the index.
    const ProjectTagSet set = ProjectTagSet::loadFromDataFolder();
    QCOMPARE(set.SubstituteProjectTAGS(QStringLiteral("$PROJECTTAG1$"), QStringLiteral("c:\\jobs\\p7\\x.dwg")),
             QStringLiteral("Seven"));
}

// A write-protected project file: "Retry" writes again and, once the user has made the file writable,
// the save goes on; "Cancel" ends the save with the file as it was.
void TestTagManagers::writeProtectedProjectRetries()
{
    auto pm = projectManager();
    pm->tbProjectName->setText(QStringLiteral("P7"));
    pm->tbPD1[0]->setText(QStringLiteral("Old"));
    QVERIFY(pm->cmdSave_Click());
    const QString file = fx().data() + QStringLiteral("P7.PRJ");
    QVERIFY(setReadOnlyFile(file, true).ok());
    const QByteArray old = test::fileBytes(file);

    pm->tbPD1[0]->setText(QStringLiteral("New"));
    fx().prompter().expectMessage(vbCancel);
    QVERIFY(!pm->cmdSave_Click());
    QCOMPARE(fx().prompter().last().title, QStringLiteral("File Access Error"));
    QCOMPARE(fx().prompter().last().style, int(vbRetryCancel | vbExclamation));
    QCOMPARE(test::fileBytes(file), old);
    QVERIFY(pm->ProjectChanged);

    // Retry while still protected asks again; Retry after the user lifted the protection saves.
    fx().prompter().clearShown();
    fx().prompter().expectMessage(vbRetry);
    fx().prompter().expectMessage(vbRetry, [&] { QVERIFY(setReadOnlyFile(file, false).ok()); });
    QVERIFY(pm->cmdSave_Click());
    QCOMPARE(fx().prompter().shown().size(), 2);
    QVERIFY(test::fileBytes(file).startsWith("\r\nNew\r\n"));
    QVERIFY(!pm->ProjectChanged);
}

void TestTagManagers::loadingReadsWholeFileFirst()
{
    fx().writeFile(QStringLiteral("DATA/A.PRJ"), projectBytes(QStringLiteral("C:\\A\\"), QStringLiteral("a")));
    fx().writeFile(QStringLiteral("DATA/S.PRJ"), projectBytes(QStringLiteral("C:\\S\\"), QStringLiteral("s"), 10));
    fx().writeFile(QStringLiteral("DATA/i.prx"), projectBytes(QString(), QStringLiteral("i")));
    auto pm = projectManager();
    QCOMPARE(listed(pm->ProjectList), (QStringList{QStringLiteral("A.PRJ"), QStringLiteral("S.PRJ")}));
    QCOMPARE(listed(pm->ProjectInactiveList), QStringList{QStringLiteral("i.prx")});

    selectRow(pm->ProjectList, QStringLiteral("A.PRJ"));
    QCOMPARE(pm->tbProjectName->text(), QStringLiteral("A"));
    QCOMPARE(pm->tbPD1[39]->text(), QStringLiteral("a40"));
    // A short file empties the boxes it does not fill.
    selectRow(pm->ProjectList, QStringLiteral("S.PRJ"));
    QCOMPARE(pm->tbPath->text(), QStringLiteral("C:\\S\\"));
    QCOMPARE(pm->tbPD1[9]->text(), QStringLiteral("s10"));
    QCOMPARE(pm->tbPD1[10]->text(), QString());
    QCOMPARE(pm->tbPD1[39]->text(), QString());
    QCOMPARE(pm->tbProjectName->text(), QStringLiteral("S"));
    QVERIFY(!pm->ProjectChanged);
    QVERIFY(pm->cmdSave->isEnabled() && pm->cmdDelete->isEnabled() && pm->cmdProjMode->isEnabled());

    // A file that has gone since the list was read: the box of the error, the boxes unchanged.
    QVERIFY(QFile::remove(fx().data() + QStringLiteral("A.PRJ")));
    fx().prompter().expectMessage(vbOK);
    selectRow(pm->ProjectList, QStringLiteral("A.PRJ"));
    QCOMPARE(fx().prompter().last().text,
             QStringLiteral("Error 53 (File not found) in procedure ManageProjectLists of Form frmProjectTagManager"));
    QCOMPARE(pm->tbProjectName->text(), QStringLiteral("S"));
    QCOMPARE(pm->tbPD1[0]->text(), QStringLiteral("s1"));
}

void TestTagManagers::switchingWithUnsavedEdits_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Cancel") << int(vbCancel);
    QTest::newRow("No") << int(vbNo);
    QTest::newRow("Yes") << int(vbYes);
}

void TestTagManagers::switchingWithUnsavedEdits()
{
    QFETCH(int, answer);
    fx().writeFile(QStringLiteral("DATA/A.PRJ"), projectBytes(QStringLiteral("C:\\A\\"), QStringLiteral("a")));
    fx().writeFile(QStringLiteral("DATA/Q.PRX"), projectBytes(QStringLiteral("C:\\Q\\"), QStringLiteral("q")));
    auto pm = projectManager();
    selectRow(pm->ProjectList, QStringLiteral("A.PRJ"));
    pm->tbPD1[0]->setText(QStringLiteral("edited"));
    pm->SSTabProjMode->setCurrentIndex(1);
    QVERIFY(pm->ProjectChanged);

    fx().prompter().expectMessage(answer);
    selectRow(pm->ProjectInactiveList, QStringLiteral("Q.PRX"));
    const test::ShownMessage asked = fx().prompter().last();
    QCOMPARE(asked.text, QStringLiteral("Would you like to save your changes before switching projects?"));
    QCOMPARE(asked.style, int(vbYesNoCancel | vbExclamation));
    QCOMPARE(asked.title, QStringLiteral("Settings Changed"));

    const QByteArray a = test::fileBytes(fx().data() + QStringLiteral("A.PRJ"));
    // The edits go back to the file they came from, never to a new ".PRX" beside it.
    QVERIFY(!QFile::exists(fx().data() + QStringLiteral("A.PRX")));
    if (answer == vbCancel) {
        QCOMPARE(pm->tbPD1[0]->text(), QStringLiteral("edited"));
        QVERIFY(pm->ProjectChanged);
        QVERIFY(pm->ProjectInactiveList->selectedItems().isEmpty());
        QVERIFY(a.contains("\r\na1\r\n"));
        return;
    }
    QCOMPARE(a.contains("\r\nedited\r\n"), answer == vbYes);
    QCOMPARE(pm->tbProjectName->text(), QStringLiteral("Q"));
    QCOMPARE(pm->tbPD1[0]->text(), QStringLiteral("q1"));
    QVERIFY(!pm->ProjectChanged);
}

void TestTagManagers::deleteAsksAndActsOnListedFilesOnly()
{
    fx().writeFile(QStringLiteral("DATA/A.PRJ"), projectBytes(QStringLiteral("C:\\A\\"), QStringLiteral("a")));
    fx().writeFile(QStringLiteral("DATA/A.PRX"), projectBytes(QStringLiteral("C:\\A\\"), QStringLiteral("x")));
    auto pm = projectManager();
    selectRow(pm->ProjectList, QStringLiteral("A.PRJ"));

    fx().prompter().expectMessage(vbNo);
    pm->cmdDelete->click();
    QCOMPARE(fx().prompter().last().style, int(vbYesNo | vbExclamation | vbDefaultButton2));
    QVERIFY(QFile::exists(fx().data() + QStringLiteral("A.PRJ")));

    // A name box naming no listed project deletes nothing.
    pm->tbProjectName->setText(QStringLiteral("*"));
    fx().prompter().expectMessage(vbOK);
    pm->cmdDelete_Click();
    QCOMPARE(fx().prompter().last().text,
             QStringLiteral("Error 53 (File not found) in procedure cmdDelete_Click of Form frmProjectTagManager"));

    pm->tbProjectName->setText(QStringLiteral("a"));
    fx().prompter().expectMessage(vbYes);
    pm->cmdDelete_Click();
    QVERIFY(!QFile::exists(fx().data() + QStringLiteral("A.PRJ")));
    QVERIFY(QFile::exists(fx().data() + QStringLiteral("A.PRX")));
    QVERIFY(pm->ProjectList->count() == 0);
    QVERIFY(!pm->cmdDelete->isEnabled() && !pm->cmdProjMode->isEnabled());
    QCOMPARE(pm->tbPD1[0]->text(), QStringLiteral("a1"));
}

void TestTagManagers::makeInactiveAndActive()
{
    fx().writeFile(QStringLiteral("DATA/A.PRJ"), projectBytes(QStringLiteral("C:\\A\\"), QStringLiteral("a")));
    fx().writeFile(QStringLiteral("DATA/B.PRJ"), projectBytes(QStringLiteral("C:\\B\\"), QStringLiteral("b")));
    fx().writeFile(QStringLiteral("DATA/b.prx"), projectBytes(QStringLiteral("C:\\B\\"), QStringLiteral("old")));
    auto pm = projectManager();
    QCOMPARE(pm->cmdProjMode->text(), QStringLiteral("Make Inactive"));
    selectRow(pm->ProjectList, QStringLiteral("A.PRJ"));
    pm->cmdProjMode->click();
    QCOMPARE(listed(pm->ProjectList), QStringList{QStringLiteral("B.PRJ")});
    QCOMPARE(listed(pm->ProjectInactiveList), (QStringList{QStringLiteral("A.PRX"), QStringLiteral("b.prx")}));
    QVERIFY(!pm->cmdProjMode->isEnabled());

    // The inactive file of the same name (in any letter case) stops the rename.
    selectRow(pm->ProjectList, QStringLiteral("B.PRJ"));
    fx().prompter().expectMessage(vbOK);
    pm->cmdProjMode_Click();
    QVERIFY(fx().prompter().last().text.startsWith(QStringLiteral("Attempting to rename file to ")));
    QVERIFY(fx().prompter().last().text.contains(QStringLiteral("B.PRX, but a file with that name already exists.")));
    QVERIFY(QFile::exists(fx().data() + QStringLiteral("B.PRJ")));
    QVERIFY(QFile::exists(fx().data() + QStringLiteral("b.prx")));

    pm->SSTabProjMode->setCurrentIndex(1);
    QCOMPARE(pm->cmdProjMode->text(), QStringLiteral("Make Active"));
    QVERIFY(!pm->cmdSave->isEnabled() && !pm->cmdDelete->isEnabled() && !pm->cmdProjMode->isEnabled());
    selectRow(pm->ProjectInactiveList, QStringLiteral("A.PRX"));
    pm->cmdProjMode_Click();
    QCOMPARE(listed(pm->ProjectList), (QStringList{QStringLiteral("A.PRJ"), QStringLiteral("B.PRJ")}));
}

void TestTagManagers::doneAsksAndReportsTheIndex()
{
    fx().writeFile(QStringLiteral("DATA/A.PRJ"), projectBytes(QStringLiteral("C:\\A\\"), QStringLiteral("a")));
    auto pm = projectManager();
    pm->show();
    pm->tbPD1[0]->setText(QStringLiteral("edited"));
    fx().prompter().expectMessage(vbCancel);
    QVERIFY(!pm->cmdClose_Click());
    QVERIFY(pm->isVisible());
    QVERIFY(!QFile::exists(fx().data() + QStringLiteral("PTAGMAN.DAT")));

    // An index that cannot be written is reported with its path, and the window stays.
    QVERIFY(QDir(fx().data()).mkdir(QStringLiteral("PTAGMAN.DAT")));
    fx().prompter().expectMessage(vbNo);
    fx().prompter().expectMessage(vbOK);
    QVERIFY(!pm->cmdClose_Click());
    QVERIFY(pm->isVisible());
    QVERIFY(fx().prompter().last().text.startsWith(QStringLiteral("The list of active projects could not be written")));
    QVERIFY(fx().prompter().last().text.contains(fx().data() + QStringLiteral("PTAGMAN.DAT")));

    // A missing DATA folder is made.
    QVERIFY(QDir(fx().data()).removeRecursively());
    fx().prompter().expectMessage(vbNo);
    QVERIFY(pm->cmdClose_Click());
    QVERIFY(!pm->isVisible());
    QCOMPARE(test::fileBytes(fx().data() + QStringLiteral("PTAGMAN.DAT")), QByteArray());
}

void TestTagManagers::clearAsks()
{
    auto pm = projectManager();
    pm->tbProjectName->setText(QStringLiteral("N"));
    pm->tbPath->setText(QStringLiteral("P"));
    pm->tbPD1[5]->setText(QStringLiteral("v"));
    fx().prompter().expectMessage(vbNo);
    pm->cmdClear->click();
    QCOMPARE(fx().prompter().last().text, QStringLiteral("Are you sure you want to clear all 40 ProjectTags?"));
    QCOMPARE(pm->tbPD1[5]->text(), QStringLiteral("v"));
    fx().prompter().expectMessage(vbYes);
    pm->cmdClear_Click();
    QCOMPARE(pm->tbPD1[5]->text(), QString());
    QCOMPARE(pm->tbPath->text(), QStringLiteral("P"));
    QCOMPARE(pm->tbProjectName->text(), QStringLiteral("N"));
}

void TestTagManagers::closeBoxAsksAndDiscards()
{
    auto pm = projectManager();
    pm->show();
    pm->tbPD1[0]->setText(QStringLiteral("edited"));
    fx().prompter().expectMessage(vbCancel);
    pm->close();
    QVERIFY(pm->isVisible());
    QVERIFY(!pm->wasUnloaded());
    fx().prompter().expectMessage(vbNo);
    pm->close();
    QVERIFY(!pm->isVisible());
    QVERIFY(pm->wasUnloaded());
    QVERIFY(QDir(fx().data()).entryList(QDir::Files).isEmpty());
}

void TestTagManagers::pickerWritesTheEscapedFolder()
{
    QTemporaryDir drawings;
    const QString job = QDir::toNativeSeparators(drawings.path() + QStringLiteral("/JOB#1"));
    QVERIFY(QDir().mkpath(job));
    auto pm = projectManager(job);
    test::ModalGuard modals;
    modals.answerNextModal([](QWidget *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Select Projects Folder"));
        d->findChild<QPushButton *>(QStringLiteral("OUTSelectExplorer"))->click();
        d->findChild<QPushButton *>(QStringLiteral("OUTSelectCommandOk"))->click();
    });
    pm->cmdBrowse_Click();
    QVERIFY(modals.allAnswered());
    QCOMPARE(pm->tbPath->text(), pickedFolderPattern(job));
    QVERIFY(pm->tbPath->text().contains(QStringLiteral("JOB[#]1")));
    QVERIFY(pm->ProjectChanged);
    QCOMPARE(fx().launcher().calls.size(), 1);

    // Cancel writes nothing; the picker keeps the folder it was left at.
    pm->tbPath->setText(QStringLiteral("typed"));
    modals.answerNextModal([job](QWidget *d) {
        QCOMPARE(d->findChild<DirListBox *>(QStringLiteral("Dir1"))->path(), job);
        d->findChild<QPushButton *>(QStringLiteral("OUTSelectCommandCancel"))->click();
    });
    pm->cmdBrowse_Click();
    QCOMPARE(pm->tbPath->text(), QStringLiteral("typed"));
}

// ============================================================================================
// Menus
// ============================================================================================

void TestTagManagers::menuItemsOpenTheManagers()
{
    frmMain *w = m_window->get();
    auto *userItem = w->findChild<QAction *>(QStringLiteral("mnuUserTagManager"));
    auto *projectItem = w->findChild<QAction *>(QStringLiteral("mnuProjectTagManager"));
    QVERIFY(userItem && projectItem);
    QVERIFY(w->menu(MainMenu::Tools)->actions().contains(userItem));
    QCOMPARE(userItem->text(), QStringLiteral("User Tag M&anager"));
    QCOMPARE(userItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    QCOMPARE(projectItem->text(), QStringLiteral("Project Tag &Manager"));
    QCOMPARE(projectItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));

    test::ModalGuard modals;
    modals.answerNextModal([](QWidget *d) {
        QCOMPARE(d->objectName(), QStringLiteral("frmVARSetup"));
        d->findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
    });
    userItem->trigger();
    QCOMPARE(userTagKeys().size(), 58);
    QCOMPARE(user()->parentWidget(), w);

    modals.answerNextModal([](QWidget *d) {
        QCOMPARE(d->objectName(), QStringLiteral("frmProjectTagManager"));
        d->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    });
    projectItem->trigger();
    QVERIFY(modals.allAnswered());
    QVERIFY(QFile::exists(fx().data() + QStringLiteral("PTAGMAN.DAT")));
    QVERIFY(TagManagers::instance()->projectTagManager());
}

QTEST_MAIN(TestTagManagers)
#include "tst_tagmanagers.moc"
