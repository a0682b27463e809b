// The "Settings" and "SAVEAS" tabs through their controls: presets and Clear, the run switches,
// the larger editor, the example output name, the format list and the output folder.

#include "batch/tagsubstitution.h"
#include "core/mainsettings.h"
#include "mainwin/frmSettings.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/saveastab.h"
#include "scripts/userscriptpane.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace tess;

namespace {

struct FlowHarness {
    test::ScriptedPrompter prompts;
    BatchFlowTab tab;
    QCheckBox saveAs{QStringLiteral("SA&VEAS")}, delay{QStringLiteral("Delay")}, testRun{QStringLiteral("&Test Run")};
    FlowHarness() { tab.attachRunSwitches(&saveAs, &delay, &testRun); }
    QPlainTextEdit *box(const char *name) const { return tab.box(name); }
    void click(const char *name) const { tab.findChild<QPushButton *>(QLatin1String(name))->click(); }
    QStringList boxes() const
    {
        return {box("tbPreBatch")->toPlainText(), box("tbPreUserScript")->toPlainText(),
                box("tbPostUserScript")->toPlainText(), box("tbPostBatch")->toPlainText()};
    }
    void fill() const
    {
        box("tbPreBatch")->setPlainText(QStringLiteral("PRE"));
        box("tbPreUserScript")->setPlainText(QStringLiteral("PREU"));
        box("tbPostUserScript")->setPlainText(QStringLiteral("POSTU"));
        box("tbPostBatch")->setPlainText(QStringLiteral("POST"));
    }
};

} // namespace

class TestBatchFlowTabs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void presetsAndClear_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("result");
        QTest::newRow("close") << QStringList{"cmdCloseDefault"} << QStringList{"", "PREU", "_CLOSE", ""};
        QTest::newRow("sdi") << QStringList{"cmdSDIDefault"} << QStringList{"_SDI 1", "", "", "_SDI 0"};
        QTest::newRow("sdi then close") << QStringList{"cmdSDIDefault", "cmdCloseDefault"}
                                        << QStringList{"", "", "_CLOSE", ""};
        QTest::newRow("clear") << QStringList{"cmdClear"} << QStringList{"", "", "", ""};
    }
    void presetsAndClear()
    {
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, result);
        FlowHarness h;
        h.fill();
        for (const QString &b : buttons) {
            h.prompts.expectMessage(vbYes);
            h.click(qPrintable(b));
            QCOMPARE(h.prompts.last().title, QStringLiteral("Warning!"));
            QCOMPARE(h.prompts.last().style, int(vbYesNo + vbExclamation));
        }
        QCOMPARE(h.boxes(), result);
        // No changes nothing.
        h.fill();
        h.prompts.expectMessage(vbNo);
        h.click(qPrintable(buttons.first()));
        QCOMPARE(h.boxes(), (QStringList{"PRE", "PREU", "POSTU", "POST"}));
        QVERIFY(h.prompts.allUsed());
    }

    void captionsAreTheDesignTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("status") << "chkIncludeStatus"
                                << "Include Status in AutoCAD Status Bar";
        QTest::newRow("debug") << "cbIncludeDebugComments"
                               << "Include Debug Comments (1-7)";
        QTest::newRow("editor") << "cmdSettingsEditor"
                                << "Larger Editor";
        QTest::newRow("sdi") << "cmdSDIDefault"
                             << "Use SDI on/off";
        QTest::newRow("close") << "cmdCloseDefault"
                               << "Use _CLOSE";
        QTest::newRow("clear") << "cmdClear"
                               << "Clear";
        QTest::newRow("looped") << "Label8"
                                << "This gets Looped";
        QTest::newRow("step 5") << "Label7"
                                << "5. QSAVE (Optional)";
    }
    void captionsAreTheDesignTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        FlowHarness h;
        QObject *c = h.tab.findChild<QObject *>(name);
        QVERIFY(c);
        QCOMPARE(c->property("text").toString(), caption);
    }

    void runSwitches()
    {
        FlowHarness h;
        // SAVEAS and Test Run exclude each other; unticking changes nothing else.
        h.testRun.setChecked(true);
        h.saveAs.setChecked(true);
        QVERIFY(!h.testRun.isChecked());
        h.testRun.setChecked(true);
        QVERIFY(!h.saveAs.isChecked());
        h.testRun.setChecked(false);
        QVERIFY(!h.saveAs.isChecked() && !h.testRun.isChecked());
        h.saveAs.setChecked(true);
        h.saveAs.setChecked(false);
        QVERIFY(!h.testRun.isChecked());
        // Delay stores -1 when ticked; the two tab boxes store their value.
        h.delay.setChecked(true);
        QCOMPARE(mainSettings().UseDelay, qint16(-1));
        h.delay.setChecked(false);
        QCOMPARE(mainSettings().UseDelay, qint16(0));
        h.tab.findChild<QCheckBox *>(QStringLiteral("cbIncludeDebugComments"))->setChecked(true);
        h.tab.findChild<QCheckBox *>(QStringLiteral("chkIncludeStatus"))->setChecked(true);
        QCOMPARE(mainSettings().DebugComments, qint16(1));
        QCOMPARE(mainSettings().IncludeStatus, qint16(1));
        h.tab.findChild<QCheckBox *>(QStringLiteral("chkIncludeStatus"))->setChecked(false);
        QCOMPARE(mainSettings().IncludeStatus, qint16(0));
    }

    void largerEditorCopiesInAndOut()
    {
        FlowHarness h;
        h.fill();
        auto edit = [&](const char *button, const QString &text) {
            QTimer::singleShot(0, [&h, button, text] {
                frmSettings *dlg = h.tab.settingsEditor();
                QVERIFY(dlg->isVisible());
                QCOMPARE(dlg->findChild<QPlainTextEdit *>(QStringLiteral("tbPostBatch"))->toPlainText(),
                         h.box("tbPostBatch")->toPlainText());
                dlg->findChild<QPlainTextEdit *>(QStringLiteral("tbPostBatch"))->setPlainText(text);
                dlg->findChild<QPushButton *>(QLatin1String(button))->click();
            });
            h.click("cmdSettingsEditor");
        };
        edit("cmdCancel", QStringLiteral("LOST"));
        QCOMPARE(h.box("tbPostBatch")->toPlainText(), QStringLiteral("POST"));
        edit("cmdOk", QStringLiteral("_SDI 0\n_QUIT"));
        QCOMPARE(h.box("tbPostBatch")->toPlainText(), QStringLiteral("_SDI 0\n_QUIT"));
        QCOMPARE(h.box("tbPreBatch")->toPlainText(), QStringLiteral("PRE"));
        QVERIFY(!h.tab.settingsEditor()->isVisible());
        // A no-break space is no blank to AutoCAD: it goes through the editor unchanged.
        const QString nbsp = QString::fromUtf8("_ZOOM\u00a0E");
        edit("cmdOk", nbsp);
        QCOMPARE(plainBoxText(h.box("tbPostBatch")), nbsp);
        // The editor is no child of the tab: the tab's boxes are the only ones of their names.
        QCOMPARE(h.tab.findChildren<QPlainTextEdit *>(QStringLiteral("tbPostBatch")).size(), 1);
    }

    void saveAsExample_data()
    {
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("example");
        QTest::newRow("windows") << QStringList{"C:\\DWG\\A-101.dwg", "C:\\DWG\\B.dwg"} << "NEW-"
                                 << "-X"
                                 << "NEW-A-101-X.DWG";
        QTest::newRow("posix") << QStringList{"/srv/dwg/Plan 2.dwg"} << ""
                               << "_rev"
                               << "Plan 2_rev.DWG";
        QTest::newRow("counter tag") << QStringList{"C:\\DWG\\A-101.dwg"} << "$COUNTER$-"
                                     << ""
                                     << "1-A-101.DWG";
        QTest::newRow("empty queue keeps the example") << QStringList{} << "NEW-"
                                                       << ""
                                                       << "KEPT";
    }
    void saveAsExample()
    {
        QFETCH(QStringList, queue);
        QFETCH(QString, prefix);
        QFETCH(QString, suffix);
        QFETCH(QString, example);
        test::TempProgramFolder tmp;
        mainSettings() = MainSettings();
        SaveAsTab tab;
        SaveAsHooks hooks;
        hooks.firstQueueEntry = [&]() -> std::optional<QString> {
            return queue.isEmpty() ? std::nullopt : std::optional<QString>(queue.first());
        };
        hooks.substituteTags = [&](const QString &text, qint32 counter, const QString &path, qint16 fileNo) {
            const TagContext ctx(TagSettings(), queue);
            return ctx.SubstituteTAGS(text, counter, path, fileNo);
        };
        tab.setHooks(hooks);
        auto *out = tab.findChild<QLineEdit *>(QStringLiteral("tbSAVEASExOutput"));
        out->setText(QStringLiteral("KEPT"));
        QVERIFY(out->isReadOnly());
        tab.findChild<QLineEdit *>(QStringLiteral("tbPrefix"))->setText(prefix);
        tab.findChild<QLineEdit *>(QStringLiteral("tbSuffix"))->setText(suffix);
        QCOMPARE(out->text(), example);
    }

    void formatListAndOutputFolder()
    {
        test::ScriptedPrompter prompts;
        SaveAsTab tab;
        auto *formats = tab.findChild<QComboBox *>(QStringLiteral("cmbOutFormat"));
        formats->setEditText(QStringLiteral("2004"));
        tab.FillSaveAsFormatList();
        QStringList items;
        for (int i = 0; i < formats->count(); ++i)
            items << formats->itemText(i);
        QCOMPARE(items, (QStringList{"Don't Change", "R13", "R14", "2000", "2002", "2004", "2007", "2010", "2013"}));
        QCOMPARE(formats->currentText(), QStringLiteral("Don't Change"));

        auto *folder = tab.findChild<QLineEdit *>(QStringLiteral("tbSpecFolder"));
        auto *thisLocation = tab.findChild<QRadioButton *>(QStringLiteral("optSpecFolder"));
        auto *same = tab.findChild<QRadioButton *>(QStringLiteral("optOriginalLocation"));
        QVERIFY(same->isChecked());
        prompts.expectFolder(std::nullopt); // Cancel changes nothing
        tab.findChild<QPushButton *>(QStringLiteral("cmdOUTBrowse"))->click();
        QVERIFY(folder->text().isEmpty() && same->isChecked());
        prompts.expectFolder(QStringLiteral("C:\\Out"));
        tab.cmdOUTBrowse_Click();
        QCOMPARE(folder->text(), QStringLiteral("C:\\Out\\"));
        QVERIFY(thisLocation->isChecked() && !same->isChecked());
        prompts.expectFolder(QStringLiteral("/"));
        tab.cmdOUTBrowse_Click();
        QCOMPARE(folder->text(), QStringLiteral("/"));
        prompts.expectFolder(QStringLiteral("D:\\"));
        tab.cmdOUTBrowse_Click();
        QCOMPARE(folder->text(), QStringLiteral("D:\\"));
        QVERIFY(prompts.allUsed());
    }
};

QTEST_MAIN(TestBatchFlowTabs)
#include "tst_batchflowtabs.moc"
