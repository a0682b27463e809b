// The Help menu's windows through the program's own window: the tip of the day at start and from
// the menu, what "&Close" and its check box store, the About box, and the README opened by the
// five reading items and the About box's links.

#include "app/application.h"
#include "appwindow.h"
#include "core/launcher.h"
#include "core/mainsettings.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "help/frmAbout.h"
#include "help/frmTips.h"
#include "help/readme.h"
#include "mainwin/frmMain.h"
#include "modalguard.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tess;

namespace {

QAction *helpItem(const frmMain *w, const char *name)
{
    auto *a = w->menu(MainMenu::Help)->findChild<QAction *>(QLatin1String(name));
    if (!a)
        a = w->findChild<QAction *>(QLatin1String(name));
    if (!a)
        qFatal("no Help item %s", name);
    return a;
}

QAction *helpItem(const test::AppWindow &w, const char *name) { return helpItem(w.get(), name); }

QString stored(const char *key)
{
    return SettingsStore::instance().read(QStringLiteral("Startup"), QLatin1String(key), QStringLiteral("<none>"));
}

void writeTips(const test::Fixture &fx, const QByteArray &bytes)
{
    fx.writeFile(QStringLiteral("DATA/tips.txt"), bytes);
}

struct TipsSeen {
    QString text;
    QString position;
    bool navigation = false;
    bool checkBox = false;
    bool ticked = false;
    QWidget *owner = nullptr;
};

TipsSeen look(QWidget *dialog)
{
    auto *tips = qobject_cast<frmTips *>(dialog);
    TipsSeen s;
    if (!tips)
        return s;
    s.text = tips->Text1->toPlainText();
    s.position = tips->lblTipNum->text();
    s.navigation = !tips->cmdNextTip->isHidden() && !tips->cmdPreviousTip->isHidden() && !tips->lblTipNum->isHidden();
    s.checkBox = !tips->Check1->isHidden();
    s.ticked = tips->Check1->isChecked();
    s.owner = tips->parentWidget();
    return s;
}

// A launcher on which no program is associated with a document; starts succeed and are recorded.
class NoAssociationLauncher final : public Launcher
{
public:
    NoAssociationLauncher() : m_previous(launcher()) { setLauncher(this); }
    ~NoAssociationLauncher() override { setLauncher(m_previous); }
    LaunchResult start(const QString &program, const QStringList &arguments, const QString &) override
    {
        started << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
        return {startsOk, !startsOk, startsOk ? QString() : QStringLiteral("No such program")};
    }
    LaunchResult open(const QString &target, const QString &, const LateFailure &) override
    {
        opened << target;
        return {false, false, QStringLiteral("No program is associated with ") + target};
    }
    QStringList opened, started;
    bool startsOk = true;

private:
    Launcher *m_previous;
};

} // namespace

class TestHelpWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { mainSettings() = MainSettings(); }

    // At the start with TipsShow 1: the window shows modally without an owner, after the main
    // window; with 0 nothing shows. Its check box writes TipsShow at once, the member keeps its
    // value, and "&Close" stores the tip shown.
    void tipsAtStart_data()
    {
        QTest::addColumn<QString>("tipsShow");
        QTest::newRow("1") << "1";
        QTest::newRow("0") << "0";
    }
    void tipsAtStart()
    {
        QFETCH(QString, tipsShow);
        test::Fixture fx;
        writeTips(fx, "Alpha\r\nBeta  Gamma\r\nDelta\r\n");
        SettingsStore::instance().write(QStringLiteral("Startup"), QStringLiteral("TipsShow"), tipsShow);
        test::ModalGuard modals;
        TipsSeen seen;
        bool mainShown = false;
        if (tipsShow == QLatin1String("1")) {
            modals.answerNextModal([&](QWidget *dialog) {
                seen = look(dialog);
                for (QWidget *top : QApplication::topLevelWidgets())
                    mainShown = mainShown || (qobject_cast<frmMain *>(top) && top->isVisible());
                auto *tips = qobject_cast<frmTips *>(dialog);
                tips->Check1->setChecked(false);
                QCOMPARE(stored("TipsShow"), QStringLiteral("0"));
                QCOMPARE(mainSettings().TipsShow, qint16(1));
                tips->cmdNextTip->click();
                tips->cmdClose->click();
            });
        }
        Application app;
        QVERIFY(app.start());
        QVERIFY(modals.allAnswered());
        if (tipsShow == QLatin1String("1")) {
            QCOMPARE(modals.opened(), 1);
            QVERIFY(mainShown);
            QCOMPARE(seen.owner, nullptr);
            // A first run shows the second tip, with its paragraph break.
            QCOMPARE(seen.text, QStringLiteral("Beta\n\nGamma"));
            QCOMPARE(seen.position, QStringLiteral("Tip 2/3"));
            QVERIFY(seen.ticked);
            QCOMPARE(stored("TipNumber"), QStringLiteral("2"));
            // The Help item shows the same window, now owned by the main window, on the tip it was
            // closed on and with the box as it was left.
            TipsSeen again;
            modals.answerNextModal([&](QWidget *dialog) {
                again = look(dialog);
                qobject_cast<frmTips *>(dialog)->cmdClose->click();
            });
            helpItem(app.mainWindow(), "mnuTipOfTheDay")->trigger();
            QVERIFY(modals.allAnswered());
            QCOMPARE(again.owner, app.mainWindow());
            QCOMPARE(again.text, QStringLiteral("Delta"));
            QCOMPARE(again.position, QStringLiteral("Tip 3/3"));
            QVERIFY(!again.ticked);
            QCOMPARE(stored("TipsShow"), QStringLiteral("0"));
        } else {
            QCOMPARE(modals.opened(), 0);
            QCOMPARE(stored("TipNumber"), QStringLiteral("<none>"));
        }
        app.finish();
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    // From the Help item: modal, owned by the main window; the window stays alive, so the second
    // opening shows the tip it was closed on; "<<" and ">>" wrap; only "&Close" stores.
    void tipsFromTheHelpMenu()
    {
        test::Fixture fx;
        writeTips(fx, "one\ntwo\nthree");
        SettingsStore::instance().write(QStringLiteral("Startup"), QStringLiteral("TipNumber"), QStringLiteral("1"));
        test::AppWindow w;
        test::ModalGuard modals;
        TipsSeen first, second;
        modals.answerNextModal([&](QWidget *dialog) {
            first = look(dialog);
            auto *tips = qobject_cast<frmTips *>(dialog);
            tips->cmdNextTip->click(); // from the last to the first
            QCOMPARE(tips->lblTipNum->text(), QStringLiteral("Tip 1/3"));
            tips->cmdPreviousTip->click(); // and back to the last
            tips->cmdPreviousTip->click();
            QCOMPARE(stored("TipNumber"), QStringLiteral("1"));
            tips->cmdClose->click();
        });
        modals.answerNextModal([&](QWidget *dialog) {
            second = look(dialog);
            dialog->close(); // the close box: hidden, nothing stored
        });
        helpItem(w, "mnuTipOfTheDay")->trigger();
        QCOMPARE(stored("TipNumber"), QStringLiteral("1"));
        helpItem(w, "mnuTipOfTheDay")->trigger();
        QVERIFY(modals.allAnswered());
        QCOMPARE(first.owner, w.get());
        QCOMPARE(first.text, QStringLiteral("three"));
        QCOMPARE(first.position, QStringLiteral("Tip 3/3"));
        QCOMPARE(second.text, QStringLiteral("two"));
        QCOMPARE(second.position, QStringLiteral("Tip 2/3"));
        QCOMPARE(stored("TipNumber"), QStringLiteral("1"));
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    // Files that give no tip: the text says why, the navigation, the check box and the position go,
    // and "&Close" stores the position 0.
    void tipsWithoutTips_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing") << "missing"
                                 << "TIPS.TXT file not found in Tessaline directory";
        QTest::newRow("no DATA folder") << "noData"
                                        << "TIPS.TXT file not found in Tessaline directory";
        QTest::newRow("empty") << "empty"
                               << "TIPS.TXT file is empty";
        QTest::newRow("unreadable") << "unreadable"
                                    << "TIPS.TXT file could not be read:";
    }
    void tipsWithoutTips()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        test::Fixture fx;
        if (kind == QLatin1String("empty"))
            writeTips(fx, QByteArray());
        else if (kind == QLatin1String("noData"))
            QVERIFY(QDir(fx.data()).removeRecursively());
        else if (kind == QLatin1String("unreadable"))
            QVERIFY(QDir().mkpath(fx.data() + QStringLiteral("tips.txt")));
        SettingsStore::instance().write(QStringLiteral("Startup"), QStringLiteral("TipNumber"), QStringLiteral("7"));
        frmTips tips;
        QVERIFY(tips.Text1->toPlainText().startsWith(text));
        QVERIFY(tips.cmdNextTip->isHidden() && tips.cmdPreviousTip->isHidden());
        QVERIFY(tips.Check1->isHidden() && tips.lblTipNum->isHidden());
        QVERIFY(!tips.cmdClose->isHidden());
        tips.cmdClose->click();
        QCOMPARE(stored("TipNumber"), QStringLiteral("0"));
    }

    // The About box: the version set by the Help item before each showing (every opening starts
    // from the first texts), the fixed texts, and both links opening the README.
    void aboutBox()
    {
        test::Fixture fx;
        const QString readme = fx.writeFile(QStringLiteral("README.md"), "# Tessaline\n");
        test::AppWindow w;
        test::ModalGuard modals;
        QStringList versions;
        QList<frmAbout *> boxes;
        for (int i = 0; i < 2; ++i) {
            modals.answerNextModal([&](QWidget *dialog) {
                auto *about = qobject_cast<frmAbout *>(dialog);
                QVERIFY(about);
                boxes << about;
                versions << about->lblVersion->text();
                QCOMPARE(about->windowTitle(), QStringLiteral("About Tessaline"));
                QCOMPARE(about->parentWidget(), w.get());
                QCOMPARE(about->lblTitle->text(), QStringLiteral("Tessaline for AutoCAD"));
                QCOMPARE(about->lblSupportSales->text(), QStringLiteral("Support, Sales & Updates"));
                QCOMPARE(about->lblTrademark->text(),
                         QStringLiteral("AutoCAD\u00AE is a registered trademark of AutoDesk Inc."));
                QCOMPARE(about->lblQuelm->text(), QStringLiteral("README.md"));
                QCOMPARE(about->lblSupport->text(), QStringLiteral("README.md"));
                QTest::mouseClick(about->lblQuelm, Qt::LeftButton);
                QTest::mouseClick(about->lblSupport, Qt::LeftButton);
                // What the window was made with: the Help item changed it before the showing.
                about->lblVersion->setText(QStringLiteral("changed"));
                about->cmdOk->click();
            });
        }
        helpItem(w, "mnuHelpAbout")->trigger();
        helpItem(w, "mnuHelpAbout")->trigger();
        QVERIFY(modals.allAnswered());
        const QString version = QStringLiteral("Version ") + ProgramVersionString();
        QCOMPARE(versions, (QStringList{version, version}));
        QVERIFY(!w->findChild<frmAbout *>()); // "&Close" ended each box
        QCOMPARE(fx.launcher().calls.size(), 4);
        for (const test::LaunchCall &call : fx.launcher().calls) {
            QVERIFY(call.isOpen);
            QCOMPARE(call.program, readme);
        }
        QVERIFY(frmAbout().lblVersion->text() == QStringLiteral("Version Info"));
    }

    // F1 to F5: each reading item opens the README beside the program with its associated program.
    void readmeItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("key");
        QTest::newRow("F1") << "mnuReadmeh"
                            << "&Setup Instructions && Tutorials" << QKeySequence(Qt::Key_F1);
        QTest::newRow("F2") << "mnuOnlineFAQ"
                            << "&Help Online (FAQ)" << QKeySequence(Qt::Key_F2);
        QTest::newRow("F3") << "mnuForum"
                            << "Tessaline User &Forum (Online)" << QKeySequence(Qt::Key_F3);
        QTest::newRow("F4") << "mnuWebHome"
                            << "&Tessaline Homepage (README.md)" << QKeySequence(Qt::Key_F4);
        QTest::newRow("F5") << "mnuWebVideos"
                            << "&Instructional Videos (YouTube)" << QKeySequence(Qt::Key_F5);
    }
    void readmeItems()
    {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, key);
        test::Fixture fx;
        const QString readme = fx.writeFile(QStringLiteral("README.md"), "# Tessaline\n");
        test::AppWindow w;
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QAction *a = helpItem(w, item.toLatin1().constData());
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut(), key);
        QTest::keySequence(w.get(), key);
        QCOMPARE(fx.launcher().calls.size(), 1);
        QVERIFY(fx.launcher().calls.first().isOpen);
        QCOMPARE(fx.launcher().calls.first().program, readme);
        QVERIFY(fx.prompter().shown().isEmpty());
    }

    // Nothing associated with the README: the text editor of the Options opens it; when that fails
    // too, or no editor is set, or the README is missing, a message names its path.
    void readmeFallbacks()
    {
        test::Fixture fx;
        const QString readme = fx.writeFile(QStringLiteral("README.md"), "# Tessaline\n");
        QCOMPARE(readmePath(), readme);
        NoAssociationLauncher shell;
        mainSettings().TextEditor = QStringLiteral("gedit --new-window");
        QVERIFY(openReadme());
        QCOMPARE(shell.opened, QStringList{readme});
        QCOMPARE(shell.started, QStringList{QStringLiteral("gedit --new-window ") + readme});

        shell.startsOk = false;
        fx.prompter().expectMessage();
        QVERIFY(!openReadme());
        QVERIFY(fx.prompter().last().text.contains(QDir::toNativeSeparators(readme)));
        QVERIFY(fx.prompter().last().text.contains(QStringLiteral("No such program")));

        mainSettings().TextEditor.clear();
        fx.prompter().expectMessage();
        QVERIFY(!openReadme());
        QVERIFY(fx.prompter().last().text.contains(QDir::toNativeSeparators(readme)));

        QVERIFY(QFile::remove(readme));
        shell.opened.clear();
        fx.prompter().expectMessage();
        QVERIFY(!openReadme());
        QCOMPARE(fx.prompter().last().text, QStringLiteral("File not found: ") + QDir::toNativeSeparators(readme));
        QVERIFY(shell.opened.isEmpty());
    }
};

QTEST_MAIN(TestHelpWindows)
#include "tst_helpwindows.moc"
