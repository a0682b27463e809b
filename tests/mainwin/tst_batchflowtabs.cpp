// The "Settings" and "SAVEAS" tabs through their controls: where each control stands, presets and
// Clear, the run switches, the larger editor, loading and storing the settings, the example output
// name, the format list and the output folder.

#include "batch/tagsubstitution.h"
#include "core/mainsettings.h"
#include "fakeparts.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/frmOUTDirSelect.h"
#include "mainwin/frmSettings.h"
#include "mainwin/saveastab.h"
#include "modalguard.h"
#include "testsupport.h"
#include "uitest.h"
#include "widgets/boxtext.h"
#include "widgets/dirlistbox.h"
#include "widgets/placement.h"
#include "widgets/programfont.h"
#include "widgets/twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tess;

namespace {

// Where the controls of the two pages stand, in twips; tops on the page count from the top of the
// tab control (strip included), children of a frame stand relative to the frame.
struct TableRow {
    const char *page;
    const char *name;
    int left, top, width, height;
    const char *frame = nullptr;
};
const TableRow kTable[] = {
    {"BatchFlowTab", "Label4", 240, 600, 1755, 195},
    {"BatchFlowTab", "tbPreBatch", 2160, 480, 2835, 525},
    {"BatchFlowTab", "Label2", 240, 960, 1755, 255},
    {"BatchFlowTab", "Label1", 240, 1320, 1695, 255},
    {"BatchFlowTab", "tbPreUserScript", 2160, 1080, 2835, 615},
    {"BatchFlowTab", "Label5", 240, 1680, 1575, 195},
    {"BatchFlowTab", "Label7", 240, 1920, 1635, 255},
    {"BatchFlowTab", "tbPostUserScript", 2160, 1920, 2835, 615},
    {"BatchFlowTab", "Label9", 240, 2280, 1575, 255},
    {"BatchFlowTab", "tbPostBatch", 2160, 2640, 2835, 615},
    {"BatchFlowTab", "Label6", 240, 2880, 1755, 195},
    {"BatchFlowTab", "Label8", 5580, 1560, 735, 435},
    {"BatchFlowTab", "cmdSettingsEditor", 5280, 480, 1335, 375},
    {"BatchFlowTab", "Frame5", 6720, 480, 2055, 2415},
    {"BatchFlowTab", "cmdSDIDefault", 240, 360, 1575, 375, "Frame5"},
    {"BatchFlowTab", "cmdCloseDefault", 240, 840, 1575, 375, "Frame5"},
    {"BatchFlowTab", "cmdClear", 240, 1800, 1575, 375, "Frame5"},
    {"BatchFlowTab", "chkIncludeStatus", 5160, 2280, 1455, 615},
    {"BatchFlowTab", "cbIncludeDebugComments", 5160, 3000, 3015, 255},
    {"SaveAsTab", "Label10", 120, 600, 1455, 255},
    {"SaveAsTab", "cmbOutFormat", 1680, 600, 1575, 315},
    {"SaveAsTab", "Label3", 3360, 480, 3735, 495},
    {"SaveAsTab", "Frame4", 240, 960, 6375, 1335},
    {"SaveAsTab", "optOriginalLocation", 240, 240, 2175, 255, "Frame4"},
    {"SaveAsTab", "optSpecFolder", 240, 600, 1935, 255, "Frame4"},
    {"SaveAsTab", "tbSpecFolder", 240, 840, 5055, 285, "Frame4"},
    {"SaveAsTab", "cmdOUTBrowse", 5400, 840, 855, 255, "Frame4"},
    {"SaveAsTab", "chkOverwriteExistingFiles", 2880, 1320, 2895, 255},
    {"SaveAsTab", "Label11", 240, 2400, 2175, 255},
    {"SaveAsTab", "tbPrefix", 2520, 2400, 1575, 285},
    {"SaveAsTab", "Label12", 4080, 2400, 735, 255},
    {"SaveAsTab", "tbSuffix", 4920, 2400, 1575, 285},
    {"SaveAsTab", "Label13", 120, 2880, 2295, 255},
    {"SaveAsTab", "tbSAVEASExOutput", 2520, 2880, 3975, 285},
};

std::unique_ptr<QWidget> makePage(const QString &page)
{
    if (page == QLatin1String("BatchFlowTab"))
        return std::make_unique<BatchFlowTab>();
    return std::make_unique<SaveAsTab>();
}

// The row's rectangle in pixels relative to its parent: each edge converted on its own.
QRect pixelRect(const TableRow &r)
{
    const int top = r.frame ? r.top : r.top - 360;
    const int l = twipsToPixels(r.left), t = twipsToPixels(top);
    return {l, t, twipsToPixels(r.left + r.width) - l, twipsToPixels(top + r.height) - t};
}

// The row's rectangle in twips on the page.
QRect twipsOnPage(const TableRow &r)
{
    QRect t(r.left, r.top, r.width, r.height);
    if (r.frame) {
        for (const TableRow &f : kTable)
            if (qstrcmp(f.name, r.frame) == 0)
                t.translate(f.left, f.top);
    }
    return t;
}

struct FlowHarness {
    test::Fixture fx;
    test::ScriptedPrompter &prompts = fx.prompter();
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

// What the two pages store, one field a line.
QStringList pageSettings(const MainSettings &s)
{
    return {s.PreBatch,
            s.PreUserScript,
            s.PostUserScript,
            s.PostBatch,
            QString::number(s.DebugComments),
            QString::number(s.IncludeStatus),
            s.NamePrefix,
            s.NameSuffix,
            s.DWGOutFolder,
            QString::number(s.OverWriteFiles),
            s.SaveAsType,
            QString::number(s.SaveAsOriginalLocation)};
}

// What the two pages show, one control a line.
QStringList shownValues(BatchFlowTab &flow, SaveAsTab &saveAs)
{
    QStringList shown;
    for (const char *name : {"tbPreBatch", "tbPreUserScript", "tbPostUserScript", "tbPostBatch"})
        shown << plainBoxText(flow.box(name));
    saveAs.build();
    for (const char *name : {"cbIncludeDebugComments", "chkIncludeStatus"})
        shown << QString::number(flow.findChild<QCheckBox *>(QLatin1String(name))->isChecked());
    for (const char *name : {"chkOverwriteExistingFiles", "optOriginalLocation", "optSpecFolder"})
        shown << QString::number(saveAs.findChild<QAbstractButton *>(QLatin1String(name))->isChecked());
    for (const char *name : {"tbSpecFolder", "tbPrefix", "tbSuffix", "tbSAVEASExOutput"})
        shown << saveAs.findChild<QLineEdit *>(QLatin1String(name))->text();
    shown << saveAs.findChild<QComboBox *>(QStringLiteral("cmbOutFormat"))->currentText();
    return shown;
}

} // namespace

class TestBatchFlowTabs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { applyProgramFont(); }

    void controlsStandAtTheirTablePlaces_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kTable)); ++i)
            QTest::newRow(kTable[i].name) << i;
    }
    void controlsStandAtTheirTablePlaces()
    {
        QFETCH(int, row);
        const TableRow &r = kTable[row];
        const std::unique_ptr<QWidget> page = makePage(QLatin1String(r.page));
        auto *c = page->findChild<QWidget *>(QLatin1String(r.name));
        QVERIFY(c);
        QCOMPARE(c->parentWidget()->objectName(), QLatin1String(r.frame ? r.frame : r.page));
        const QRect want = pixelRect(r), got = c->geometry();
        QCOMPARE(got.topLeft(), want.topLeft());
        QCOMPARE(got.height(), want.height());
        if (captionFits(c, want.size())) {
            QCOMPARE(got.width(), want.width());
        } else {
            // Widened just enough for the caption in the program font.
            QVERIFY(got.width() > want.width());
            QVERIFY(captionFits(c, got.size()));
            QVERIFY(!captionFits(c, got.size() - QSize(1, 0)));
        }
    }

    void noControlOverlapsAnotherUnlessTheTableSays_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("Settings") << "BatchFlowTab";
        QTest::newRow("SAVEAS") << "SaveAsTab";
    }
    void noControlOverlapsAnotherUnlessTheTableSays()
    {
        QFETCH(QString, page);
        const std::unique_ptr<QWidget> w = makePage(page);
        QStringList names;
        for (const TableRow &a : kTable) {
            if (page != QLatin1String(a.page))
                continue;
            names << QLatin1String(a.name);
            for (const TableRow &b : kTable) {
                if (page != QLatin1String(b.page) || qstrcmp(a.name, b.name) >= 0 || qstrcmp(a.frame, b.name) == 0 ||
                    qstrcmp(b.frame, a.name) == 0 || twipsOnPage(a).intersects(twipsOnPage(b)))
                    continue;
                auto *ca = w->findChild<QWidget *>(QLatin1String(a.name));
                auto *cb = w->findChild<QWidget *>(QLatin1String(b.name));
                QVERIFY(ca && cb);
                const QRect ga(ca->parentWidget()->mapTo(w.get(), ca->pos()), ca->size());
                const QRect gb(cb->parentWidget()->mapTo(w.get(), cb->pos()), cb->size());
                QVERIFY2(!ga.intersects(gb), qPrintable(QStringLiteral("%1 and %2").arg(a.name, b.name)));
            }
        }
        // The table places every control of the page.
        for (const QWidget *c : w->findChildren<QWidget *>()) {
            if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")))
                QVERIFY2(names.contains(c->objectName()), qPrintable(c->objectName()));
        }
    }

    void flowLinesJoinStepsToBoxes()
    {
        BatchFlowTab tab;
        const QList<QLine> lines = tab.flowLines();
        // PreUserScript and PostUserScript (the two boxes of every drawing) lead to "This gets Looped".
        QVERIFY(lines.contains(QLine(336, 64, 364, 96)));
        QVERIFY(lines.contains(QLine(336, 136, 364, 96)));
        // A step line runs from its label to the box at 2160 twips; it starts at its own place or,
        // where the caption reaches further, after the caption; with no room left it is left out.
        struct Step {
            const char *label;
            int x, y;
        };
        int steps = 0;
        for (const Step &step : {Step{"Label4", 1920, 720}, Step{"Label1", 1440, 1440}, Step{"Label9", 1560, 2400},
                                 Step{"Label6", 1920, 3000}}) {
            const auto *label = tab.findChild<QLabel *>(QLatin1String(step.label));
            const int captionEnd = label->x() + label->fontMetrics().horizontalAdvance(label->text());
            const int y = twipsToPixels(step.y - 360);
            const auto line = std::find_if(lines.begin(), lines.end(), [y](QLine l) { return l.y1() == y; });
            if (line == lines.end()) {
                QVERIFY2(captionEnd > 144 - 10, step.label);
                continue;
            }
            ++steps;
            QCOMPARE(line->y2(), y);
            QCOMPARE(line->x2(), 144);
            QVERIFY(line->x1() >= twipsToPixels(step.x));
            QVERIFY2(line->x1() > captionEnd, step.label);
        }
        QCOMPARE(lines.size(), 2 + steps);
    }

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

    void captionsAreTheProgramTexts_data()
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
    void captionsAreTheProgramTexts()
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

    void flowSwitchesLoadAndStore_data()
    {
        // Settings in: DebugComments, IncludeStatus, TestRun, SAVEAS, UseDelay.
        QTest::addColumn<QList<int>>("in");
        // The program's settings after loading: DebugComments, IncludeStatus, UseDelay.
        QTest::addColumn<QList<int>>("shown");
        // Stored back: DebugComments, IncludeStatus, TestRun, SAVEAS, UseDelay.
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("all off") << QList<int>{0, 0, 0, 0, 0} << QList<int>{0, 0, 0} << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("any value but 0 is on")
            << QList<int>{5, -1, 1, 0, 1} << QList<int>{1, 1, -1} << QList<int>{1, 1, 1, 0, 1};
        QTest::newRow("SAVEAS unticks Test Run")
            << QList<int>{0, 1, 1, 1, -1} << QList<int>{0, 1, -1} << QList<int>{0, 1, 0, 1, 1};
    }
    void flowSwitchesLoadAndStore()
    {
        QFETCH(QList<int>, in);
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, stored);
        FlowHarness h;
        // Every box starts the other way, so loading runs each handler.
        for (QCheckBox *b : {h.tab.findChild<QCheckBox *>(QStringLiteral("cbIncludeDebugComments")),
                             h.tab.findChild<QCheckBox *>(QStringLiteral("chkIncludeStatus")), &h.testRun, &h.delay})
            b->setChecked(true);
        MainSettings &s = mainSettings();
        s = MainSettings();
        s.DebugComments = qint16(in[0]);
        s.IncludeStatus = qint16(in[1]);
        s.TestRun = qint16(in[2]);
        s.SAVEAS = qint16(in[3]);
        s.UseDelay = qint16(in[4]);
        h.tab.load(s); // the program loads from its own settings, which the handlers write
        QCOMPARE((QList<int>{s.DebugComments, s.IncludeStatus, s.UseDelay}), shown);
        MainSettings out;
        h.tab.store(out);
        QCOMPARE((QList<int>{out.DebugComments, out.IncludeStatus, out.TestRun, out.SAVEAS, out.UseDelay}), stored);
    }

    void flowTextsLoadAndStore()
    {
        FlowHarness h;
        h.fill();
        MainSettings in;
        in.PreBatch = QStringLiteral("_SDI 1\r\n_ZOOM E");
        in.PreUserScript = QStringLiteral("A\rB\r\n"); // a lone CR is a line end too
        in.PostUserScript = QString::fromUtf8("_CLOSE\u00a0Y");
        in.PostBatch = QString();
        h.tab.load(in);
        QCOMPARE(h.boxes(), (QStringList{"_SDI 1\n_ZOOM E", "A\nB\n", QString::fromUtf8("_CLOSE Y"), ""}));
        QCOMPARE(plainBoxText(h.box("tbPostUserScript")), in.PostUserScript);
        MainSettings out;
        h.tab.store(out);
        QCOMPARE(out.PreBatch, in.PreBatch);
        QCOMPARE(out.PreUserScript, QStringLiteral("A\r\nB\r\n"));
        QCOMPARE(out.PostUserScript, in.PostUserScript);
        QCOMPARE(out.PostBatch, QString());
    }

    void saveAsLoadAndStore_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("overwrite");
        QTest::addColumn<int>("originalLocation");
        QTest::addColumn<QString>("shownFormat");
        QTest::addColumn<int>("storedOverwrite");
        QTest::addColumn<int>("storedLocation");
        QTest::newRow("nothing chosen") << "" << 0 << 0 << "Don't Change" << 0 << 0;
        QTest::newRow("same location") << "2004" << 1 << -1 << "2004" << 1 << -1;
        QTest::newRow("any value but 0 is on") << "R14" << -1 << 1 << "R14" << 1 << -1;
    }
    void saveAsLoadAndStore()
    {
        QFETCH(QString, format);
        QFETCH(int, overwrite);
        QFETCH(int, originalLocation);
        QFETCH(QString, shownFormat);
        QFETCH(int, storedOverwrite);
        QFETCH(int, storedLocation);
        SaveAsTab tab;
        MainSettings in;
        in.SaveAsType = format;
        in.OverWriteFiles = qint16(overwrite);
        in.SaveAsOriginalLocation = qint16(originalLocation);
        in.DWGOutFolder = QStringLiteral("C:\\Out\\$DATE$\\");
        in.NamePrefix = QStringLiteral("NEW-");
        in.NameSuffix = QStringLiteral("-X");
        tab.load(in);
        QCOMPARE(tab.findChild<QComboBox *>(QStringLiteral("cmbOutFormat"))->currentText(), shownFormat);
        QCOMPARE(tab.findChild<QRadioButton *>(QStringLiteral("optOriginalLocation"))->isChecked(),
                 storedLocation != 0);
        QCOMPARE(tab.findChild<QRadioButton *>(QStringLiteral("optSpecFolder"))->isChecked(), storedLocation == 0);
        MainSettings out;
        tab.store(out);
        QCOMPARE(out.SaveAsType, shownFormat);
        QCOMPARE(int(out.OverWriteFiles), storedOverwrite);
        QCOMPARE(int(out.SaveAsOriginalLocation), storedLocation);
        QCOMPARE(out.DWGOutFolder, in.DWGOutFolder);
        QCOMPARE(out.NamePrefix, in.NamePrefix);
        QCOMPARE(out.NameSuffix, in.NameSuffix);
    }

    // Pages whose controls are made on first need keep what they were given: they store it as
    // pages made at once do, and show it once made.
    void deferredPagesKeepTheirValues_data()
    {
        QTest::addColumn<MainSettings>("in");
        QTest::newRow("defaults") << MainSettings();
        MainSettings s;
        s.PreBatch = QStringLiteral("_SDI 1\r\n_FILEDIA 0\r\n");
        s.PreUserScript = QStringLiteral("A\rB\nC"); // lone line ends
        s.PostUserScript = QString::fromUtf8("_CLOSE\u00a0Y\tZ\u2028L\u2029P");
        s.PostBatch = QStringLiteral("\r\n");
        s.DebugComments = 5;
        s.IncludeStatus = -1;
        s.SaveAsType = QString();
        s.OverWriteFiles = -1;
        s.SaveAsOriginalLocation = 0;
        s.DWGOutFolder = QStringLiteral("C:\\Out\\$DATE$\\");
        s.NamePrefix = QStringLiteral("$COUNTER$-");
        s.NameSuffix = QStringLiteral(" rev\u00a0B\nC");
        QTest::newRow("line ends, tags, everything on") << s;
        s.SaveAsType = QStringLiteral("2004");
        s.SaveAsOriginalLocation = 1;
        s.IncludeStatus = 0;
        QTest::newRow("same location, a format") << s;
    }
    void deferredPagesKeepTheirValues()
    {
        QFETCH(MainSettings, in);
        test::Fixture fx;
        test::FakeQueue queue({QStringLiteral("C:\\DWG\\A-101.dwg")});
        const auto substitute = [](const QString &text, qint32 counter, const QString &path, qint16 fileNo) {
            return TagContext(TagSettings(), {}).SubstituteTAGS(text, counter, path, fileNo);
        };
        QCheckBox testRun, saveAs, delay;
        struct Pages {
            BatchFlowTab flow;
            SaveAsTab saveAs;
            Pages(DeferredPage::Build when) : flow(nullptr, when), saveAs(nullptr, when) {}
        } now(DeferredPage::Build::Now), later(DeferredPage::Build::OnFirstUse);
        QStringList stored[2], settings[2];
        int i = 0;
        for (Pages *p : {&now, &later}) {
            p->flow.attachRunSwitches(&saveAs, &delay, &testRun);
            p->saveAs.setSources(&queue, nullptr, substitute);
            mainSettings() = in;
            p->flow.load(mainSettings());
            p->saveAs.load(mainSettings());
            settings[i] = pageSettings(mainSettings());
            MainSettings out;
            p->flow.store(out);
            p->saveAs.store(out);
            stored[i++] = pageSettings(out);
        }
        QVERIFY(!later.flow.isBuilt() && !later.saveAs.isBuilt());
        QCOMPARE(stored[1], stored[0]);
        QCOMPARE(settings[1], settings[0]); // what the handlers left in the program's settings
        QCOMPARE(shownValues(later.flow, later.saveAs), shownValues(now.flow, now.saveAs));
    }

    // The META commands and the example name before the SAVEAS controls are made: the page shows
    // what a page made at once shows after the same steps.
    void saveAsSettingsBeforeTheControlsAreMade()
    {
        test::FakeQueue queue({QStringLiteral("C:\\DWG\\A-101.dwg")});
        BatchFlowTab flowNow, flowLater(nullptr, DeferredPage::Build::OnFirstUse);
        SaveAsTab now, later(nullptr, DeferredPage::Build::OnFirstUse);
        for (SaveAsTab *t : {&now, &later}) {
            t->setSources(&queue, nullptr, [](const QString &text, qint32, const QString &, qint16) { return text; });
            t->setNamePrefix(QStringLiteral("N-"));
            t->selectSpecFolder(QStringLiteral("D:\\OUT"));
            t->setOverwriteExisting(true);
            t->selectOriginalLocation();
            t->setNameSuffix(QStringLiteral("-S"));
        }
        // The queue empties: the example stays as it is while the prefix changes.
        queue.remove(queue.entries());
        for (SaveAsTab *t : {&now, &later}) {
            t->UpdateSaveAsExample();
            t->setNamePrefix(QStringLiteral("M-"));
        }
        QVERIFY(!later.isBuilt());
        MainSettings a, b;
        now.store(a);
        later.store(b);
        QCOMPARE(pageSettings(b), pageSettings(a));
        QCOMPARE(shownValues(flowLater, later), shownValues(flowNow, now));
        QCOMPARE(later.findChild<QLineEdit *>(QStringLiteral("tbSAVEASExOutput"))->text(),
                 QStringLiteral("N-A-101-S.DWG"));
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
        QTest::addColumn<QString>("folder"); // "This Location" when not empty
        QTest::newRow("windows") << QStringList{"C:\\DWG\\A-101.dwg", "C:\\DWG\\B.dwg"} << "NEW-"
                                 << "-X"
                                 << "NEW-A-101-X.DWG" << QString();
        QTest::newRow("posix") << QStringList{"/srv/dwg/Plan 2.dwg"} << ""
                               << "_rev"
                               << "Plan 2_rev.DWG" << QString();
        QTest::newRow("counter tag") << QStringList{"C:\\DWG\\A-101.dwg"} << "$COUNTER$-"
                                     << ""
                                     << "1-A-101.DWG" << QString();
        QTest::newRow("empty queue keeps the example") << QStringList{} << "NEW-"
                                                       << ""
                                                       << "KEPT" << QString();
        // "This Location": the folder in front, with the separator it uses when it lacks its last one,
        // as the batch script writes the target.
        QTest::newRow("this location without its slash") << QStringList{"/R/in/E-0007.dwg"} << "P000009_"
                                                         << ""
                                                         << "/R/out/P000009_E-0007.DWG" << QStringLiteral("/R/out");
        QTest::newRow("this location without its backslash") << QStringList{"C:\\DWG\\A-101.dwg"} << ""
                                                             << ""
                                                             << "D:\\OUT\\A-101.DWG" << QStringLiteral("D:\\OUT");
        QTest::newRow("this location with its backslash, a tag in it")
            << QStringList{"C:\\DWG\\A-101.dwg"} << ""
            << ""
            << "D:\\1\\A-101.DWG" << QStringLiteral("D:\\$COUNTER$\\");
    }
    void saveAsExample()
    {
        QFETCH(QStringList, queue);
        QFETCH(QString, prefix);
        QFETCH(QString, suffix);
        QFETCH(QString, example);
        QFETCH(QString, folder);
        test::Fixture fx;
        mainSettings() = MainSettings();
        SaveAsTab tab;
        test::FakeQueue fakeQueue(queue);
        tab.setSources(&fakeQueue, nullptr,
                       [&](const QString &text, qint32 counter, const QString &path, qint16 fileNo) {
                           const TagContext ctx(TagSettings(), queue);
                           return ctx.SubstituteTAGS(text, counter, path, fileNo);
                       });
        auto *out = tab.findChild<QLineEdit *>(QStringLiteral("tbSAVEASExOutput"));
        out->setText(QStringLiteral("KEPT"));
        QVERIFY(out->isReadOnly());
        if (!folder.isEmpty()) {
            tab.findChild<QLineEdit *>(QStringLiteral("tbSpecFolder"))->setText(folder);
            tab.findChild<QRadioButton *>(QStringLiteral("optSpecFolder"))->setChecked(true);
        }
        tab.findChild<QLineEdit *>(QStringLiteral("tbPrefix"))->setText(prefix);
        tab.findChild<QLineEdit *>(QStringLiteral("tbSuffix"))->setText(suffix);
        QCOMPARE(out->text(), example);
    }

    void formatListAndOutputFolder()
    {
        test::Fixture fx;
        test::ScriptedPrompter &prompts = fx.prompter();
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

        // "Browse": "Select Output Folder", made at the first opening on the main window's folder.
        QTemporaryDir root;
        const QString out = QDir(root.path()).filePath(QStringLiteral("out"));
        const QString sub = QDir(out).filePath(QStringLiteral("sub"));
        QVERIFY(QDir().mkpath(sub));
        test::FakeFileSelection files;
        files.folderPath = out;
        tab.setSources(nullptr, &files, {});
        auto *browse = tab.findChild<QPushButton *>(QStringLiteral("cmdOUTBrowse"));
        test::ModalGuard modals;
        // "&Cancel" changes nothing.
        modals.answerNextModal([&](QWidget *d) {
            auto *p = qobject_cast<frmOUTDirSelect *>(d);
            QVERIFY(p);
            QCOMPARE(p->windowTitle(), QStringLiteral("Select Output Folder"));
            QCOMPARE(p->Dir1->path(), out);
            p->OUTSelectCommandCancel->click();
        });
        browse->click();
        QVERIFY(folder->text().isEmpty() && same->isChecked());
        // "&Ok": the folder and one separator into "This Location", which becomes the choice.
        modals.answerNextModal([&](QWidget *d) {
            auto *p = qobject_cast<frmOUTDirSelect *>(d);
            QVERIFY(p);
            QCOMPARE(p->Dir1->path(), out);
            QVERIFY(p->Dir1->setPath(sub));
            p->OUTSelectCommandOk->click();
        });
        browse->click();
        QCOMPARE(folder->text(), sub + QDir::separator());
        QVERIFY(thisLocation->isChecked() && !same->isChecked());
        // Later openings show where the picker was left; a root keeps its one separator.
        files.folderPath = root.path();
        modals.answerNextModal([&](QWidget *d) {
            auto *p = qobject_cast<frmOUTDirSelect *>(d);
            QVERIFY(p);
            QCOMPARE(p->Dir1->path(), sub);
            QVERIFY(p->Dir1->setPath(QDir::rootPath()));
            p->OUTSelectCommandOk->click();
        });
        browse->click();
        QCOMPARE(folder->text(), QDir::toNativeSeparators(QDir::rootPath()));
        // The close box discards it: the next opening starts at the main window's folder again.
        modals.answerNextModal([](QWidget *d) { test::pressCloseBox(d); });
        browse->click();
        QVERIFY(!tab.outputFolderPicker());
        QCOMPARE(folder->text(), QDir::toNativeSeparators(QDir::rootPath()));
        modals.answerNextModal([&](QWidget *d) {
            auto *p = qobject_cast<frmOUTDirSelect *>(d);
            QVERIFY(p);
            QCOMPARE(p->Dir1->path(), root.path());
            p->OUTSelectCommandCancel->click();
        });
        browse->click();
        QVERIFY(modals.allAnswered());
        QVERIFY(prompts.allUsed());
    }
};

QTEST_MAIN(TestBatchFlowTabs)
#include "tst_batchflowtabs.moc"
