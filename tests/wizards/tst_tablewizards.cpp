// The title-block and layout wizards in the main window as the program builds it: their openers,
// what Create writes and keeps, the output examples, the template frame across activations and the
// return from "Configure &Tags", the state files at Create and at the close box, and the failures
// of DATA.

#include "appwindow.h"
#include "core/fileio.h"
#include "core/mainsettings.h"
#include "core/scriptfacts.h"
#include "modalguard.h"
#include "tags/frmVARSetup.h"
#include "testsupport.h"
#include "uitest.h"
#include "widgets/programfont.h"
#include "wizards/frmLayoutWiz.h"
#include "wizards/frmTBWiz.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>

using namespace tess;

namespace {

const QString kSep = QStringLiteral(";-------------");

// Opens a wizard through its menu item and runs `act` on it while it is shown modally.
template <class Wizard> void openThrough(const frmMain &w, const char *item, const std::function<void(Wizard *)> &act)
{
    test::ModalGuard modals;
    modals.answerNextModal([&](QWidget *d) {
        auto *wizard = qobject_cast<Wizard *>(d);
        QVERIFY(wizard);
        act(wizard);
    });
    test::findAction(w, item)->trigger();
    QVERIFY(modals.allAnswered());
}

void openTitleBlock(const frmMain &w, const std::function<void(frmTBWiz *)> &act)
{
    openThrough<frmTBWiz>(w, "mnuTBWiz", act);
}

void openLayouts(const frmMain &w, const std::function<void(frmLayoutWiz *)> &act)
{
    openThrough<frmLayoutWiz>(w, "mnuRenameLayoutTabs", act);
}

QStringList listed(const QComboBox *box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}

// n texts "<stem>1" ... "<stem>n", each followed by CR LF.
QByteArray rowLines(const char *stem, int n)
{
    QByteArray b;
    for (int i = 1; i <= n; ++i)
        b += stem + QByteArray::number(i) + "\r\n";
    return b;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// The lines of a row file (CR LF line ends), without the last line end.
QStringList fileLines(const QString &path)
{
    QString text = QString::fromUtf8(fileBytes(path));
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

} // namespace

class TestTableWizards : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<test::Fixture> m_fx;

    test::ScriptedPrompter &prompter() { return m_fx->prompter(); }
    QString data(const char *name) const { return m_fx->data() + QLatin1String(name); }
    // The list entries of these template files: in the order the system lists DATA, upper-cased,
    // without their extension.
    QStringList templatesOf(const QStringList &files) const
    {
        QStringList names;
        for (const QString &f : test::inListingOrder(m_fx->data(), files))
            names << f.chopped(4).toUpper();
        return names;
    }
    static QString script(const test::AppWindow &w) { return w->scriptFacts()->scriptText(); }
    QString load() const { return QStringLiteral("(LOAD \"") + test::lispFolder(m_fx->folder()) + "TB_WIZ1.LSP\")"; }

private Q_SLOTS:
    void initTestCase() { applyProgramFont(); }
    void init()
    {
        m_fx = std::make_unique<test::Fixture>();
        mainSettings() = MainSettings();
        loadMainSettings(mainSettings());
    }
    void cleanup()
    {
        QVERIFY(m_fx->prompter().allUsed());
        m_fx.reset();
    }

    // The main window shows the hourglass while the wizard is open; the wizard keeps its own
    // pointer; afterwards the main window's pointer is as before.
    void openersShowTheHourglass_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("title block") << "mnuTBWiz";
        QTest::newRow("layouts") << "mnuRenameLayoutTabs";
    }
    void openersShowTheHourglass()
    {
        QFETCH(QString, item);
        test::AppWindow w;
        const Qt::CursorShape before = w->cursor().shape();
        QVERIFY(before != Qt::WaitCursor);
        openThrough<ScriptWizard>(*w, item.toLatin1().constData(), [&](ScriptWizard *d) {
            QCOMPARE(w->cursor().shape(), Qt::WaitCursor);
            QVERIFY(!d->testAttribute(Qt::WA_SetCursor));
            d->close();
        });
        QCOMPARE(w->cursor().shape(), before);
    }

    // ---- Title block ----

    // Create: the state file, the block in row order after the old text, the window hidden with its
    // fields; the next opening shows them; the close box writes the state file and the opening after
    // it starts from its initial values with the rows of that file.
    void titleBlockCreateAndReopen()
    {
        test::AppWindow w;
        w->scriptFacts()->setScriptText(QStringLiteral("ZOOM E"));
        QPointer<frmTBWiz> first;
        prompter().expectMessage(vbOK); // done
        openTitleBlock(*w, [&](frmTBWiz *d) {
            first = d;
            QCOMPARE(d->windowTitle(), QStringLiteral(" Title-Block Update Wizard"));
            QVERIFY(d->Command1->isDefault());
            QCOMPARE(d->Combo1[7]->count(), 81);
            d->tbBlockName->setText(QStringLiteral("TITLE"));
            d->Text1[11]->setText(QStringLiteral("DATE"));
            d->Combo1[11]->setEditText(QStringLiteral("$DATE$"));
            d->Text1[0]->setText(QStringLiteral("DWGNO"));
            d->Combo1[0]->setEditText(QStringLiteral("$FILENAME$"));
            d->optOverWrite->setChecked(false);
            d->SSTab1->setCurrentIndex(3);
            d->Command1->click();
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(prompter().last().title, QStringLiteral("Done"));
        QCOMPARE(script(w), QStringList({"ZOOM E", load(), kSep, "TB_WIZ1", "\"TITLE\"", "DWGNO", "$FILENAME$", kSep,
                                         "TB_WIZ1", "\"TITLE\"", "DATE", "$DATE$", "REGEN", kSep})
                                .join('\n'));
        QStringList state = fileLines(data("tester-tbw.tmp"));
        QCOMPARE(state.size(), 101);
        QCOMPARE(state.at(0), QStringLiteral("TITLE"));
        QCOMPARE(state.at(1), QStringLiteral("DWGNO"));
        QCOMPARE(state.at(12), QStringLiteral("DATE"));
        QCOMPARE(state.at(51), QStringLiteral("$FILENAME$"));
        QCOMPARE(state.at(62), QStringLiteral("$DATE$"));

        openTitleBlock(*w, [&](frmTBWiz *d) {
            QCOMPARE(d, first.data());
            QCOMPARE(d->Text1[11]->text(), QStringLiteral("DATE"));
            QCOMPARE(d->SSTab1->currentIndex(), 3);
            d->optOverWrite->setChecked(true);
            d->Text1[49]->setText(QStringLiteral("LAST"));
            d->close();
        });
        QCOMPARE(fileLines(data("tester-tbw.tmp")).at(50), QStringLiteral("LAST"));
        openTitleBlock(*w, [&](frmTBWiz *d) {
            QVERIFY(d != first.data());
            QVERIFY(d->optAppend->isChecked());
            QCOMPARE(d->SSTab1->currentIndex(), 0);
            QCOMPARE(d->tbBlockName->text(), QStringLiteral("TITLE"));
            QCOMPARE(d->Text1[49]->text(), QStringLiteral("LAST"));
            QCOMPARE(d->Combo1[11]->currentText(), QStringLiteral("$DATE$"));
            d->close();
        });
    }

    // Enter in any box presses "&Create Script".
    void enterRunsCreate_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("block name") << "tbBlockName";
        QTest::newRow("value box") << "Combo1_3";
        QTest::newRow("template name box") << "cmbTBWSelector";
    }
    void enterRunsCreate()
    {
        QFETCH(QString, box);
        test::AppWindow w;
        prompter().expectMessage(vbOK);
        openTitleBlock(*w, [&](frmTBWiz *d) {
            auto *target = d->findChild<QWidget *>(box);
            QVERIFY(target);
            if (auto *combo = qobject_cast<QComboBox *>(target))
                target = combo->lineEdit();
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Return);
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(script(w), QStringList({load(), "REGEN", kSep}).join('\n'));
    }

    // An empty block name with rows to write is refused before anything is written; rows without an
    // attribute name are named and left out, the others written.
    void titleBlockChecksItsRows()
    {
        test::AppWindow w;
        w->scriptFacts()->setScriptText(QStringLiteral("OLD"));
        prompter().expectMessage(vbOK); // the block name
        prompter().expectMessage(vbOK); // the rows left out
        prompter().expectMessage(vbOK); // done
        openTitleBlock(*w, [&](frmTBWiz *d) {
            d->tbBlockName->setText(QStringLiteral("  "));
            d->Text1[0]->setText(QStringLiteral("REV"));
            d->Combo1[0]->setEditText(QStringLiteral("B"));
            d->Combo1[1]->setEditText(QStringLiteral("$DATE$"));
            d->Text1[6]->setText(QStringLiteral("   "));
            d->optOverWrite->setChecked(true); // not asked: the check comes first
            d->Command1->click();
            QVERIFY(d->isVisible());
            QCOMPARE(prompter().last().title, QStringLiteral("Block Name"));
            QVERIFY(!QFile::exists(data("tester-tbw.tmp")));

            d->tbBlockName->setText(QStringLiteral("TB"));
            d->optAppend->setChecked(true);
            d->Command1->click();
        });
        QCOMPARE(prompter().shown().at(1).title, QStringLiteral("Warning"));
        QVERIFY2(prompter().shown().at(1).text.startsWith(QLatin1String("Rows 2 and 7 name no attribute")),
                 qPrintable(prompter().shown().at(1).text));
        QCOMPARE(script(w),
                 QStringList({"OLD", load(), kSep, "TB_WIZ1", "\"TB\"", "REV", "B", "REGEN", kSep}).join('\n'));
        // The rows left out stay in the window and in the state file.
        QCOMPARE(fileLines(data("tester-tbw.tmp")).at(52), QStringLiteral("$DATE$"));
    }

    // The examples with a fixed clock and locale, the queue's length, and the user tags after the
    // tag manager's "&Ok"; the return from the tag manager empties the template name box.
    void examples()
    {
        m_fx->setClock(QDateTime(QDate(2023, 5, 12), QTime(14, 5, 9)));
        m_fx->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        mainSettings().TAG[4] = QStringLiteral("Old value");
        test::AppWindow w;
        openTitleBlock(*w, [&](frmTBWiz *d) {
            const char *values[] = {"$DATE$",  "$FILECOUNTINQUEUE$", "$TAG5$",    "$MM-1$", "REV B",
                                    "$SHEET$", "$TIME_12$",          "$TSL_PATH$"};
            for (int i = 0; i < 8; ++i)
                d->Combo1[size_t(i)]->setEditText(QLatin1String(values[i]));
            QCOMPARE(d->Label7[0]->text(), QStringLiteral("Friday, May 12, 2023"));
            QCOMPARE(d->Label7[1]->text(), QStringLiteral("0"));
            QCOMPARE(d->Label7[2]->text(), QStringLiteral("Old value"));
            QCOMPARE(d->Label7[3]->text(), QStringLiteral("04"));
            QCOMPARE(d->Label7[4]->text(), QString());
            QCOMPARE(d->Label7[5]->text(), QStringLiteral("(Output depends on file)"));
            QCOMPARE(d->Label7[6]->text(), QStringLiteral("02:05:09 PM"));
            QCOMPARE(d->Label7[7]->text(), m_fx->path());
            QCOMPARE(mainSettings().LONGDATE, QStringLiteral("Friday, May 12, 2023"));
            // A tag in other letter case keeps the example it had.
            d->Combo1[0]->setEditText(QStringLiteral("$date$"));
            QCOMPARE(d->Label7[0]->text(), QStringLiteral("Friday, May 12, 2023"));
            // Picking from the list counts as well.
            test::pickEntry(d->Combo1[4], QStringLiteral("$YYYY$"));
            QCOMPARE(d->Label7[4]->text(), QStringLiteral("2023"));

            d->cmbTBWSelector->setEditText(QStringLiteral("typed"));
            QVERIFY(d->cmdSaveTBW->isEnabled());
            test::ModalGuard modals;
            modals.answerNextModal([](QWidget *manager) {
                auto *m = qobject_cast<frmVARSetup *>(manager);
                QVERIFY(m);
                m->tbTag[4]->setText(QStringLiteral("New value"));
                m->cmdOk->click();
            });
            m_fx->setClock(QDateTime(QDate(2023, 3, 31), QTime(9, 0)));
            d->cmdConfigureVars->click();
            QVERIFY(modals.allAnswered());
            QCOMPARE(d->Label7[2]->text(), QStringLiteral("New value"));
            QCOMPARE(d->Label7[3]->text(), QStringLiteral("03"));
            QCOMPARE(d->cmbTBWSelector->currentText(), QString());
            QVERIFY(!d->cmdSaveTBW->isEnabled());
            QVERIFY(!d->cmdDeleteTBW->isEnabled());
            QCOMPARE(d->Combo1[0]->currentText(), QStringLiteral("$date$")); // the rows stay

            // "C&lear" empties every row and example, and keeps the block name.
            d->tbBlockName->setText(QStringLiteral("KEEP"));
            d->cmdClear->click();
            for (int i = 0; i < kWizardRows; ++i) {
                QVERIFY(d->Text1[size_t(i)]->text().isEmpty());
                QVERIFY(d->Combo1[size_t(i)]->currentText().isEmpty());
                QVERIFY(d->Label7[size_t(i)]->text().isEmpty());
            }
            QCOMPARE(d->tbBlockName->text(), QStringLiteral("KEEP"));
            d->Combo1[9]->setEditText(QStringLiteral("$FILECOUNTINQUEUE$"));
            d->close();
        });
        // The next activation counts the queue again.
        w->queuePane()->setQueueEntries(
            {QStringLiteral("/d/a.dwg"), QStringLiteral("/d/b.dwg"), QStringLiteral("/d/c.dwg")});
        openTitleBlock(*w, [](frmTBWiz *d) {
            QCOMPARE(d->Label7[9]->text(), QStringLiteral("3"));
            d->close();
        });
    }

    // ---- Templates ----

    // The list from DATA, the name box rule, picking loads a template (a short one partly, with its
    // box), and every activation empties the name box.
    void templateListAndLoading()
    {
        m_fx->writeFile(QStringLiteral("DATA/Full.TBW"), rowLines("F", 101));
        m_fx->writeFile(QStringLiteral("DATA/short.tbw"), rowLines("S", 60));
        m_fx->writeFile(QStringLiteral("DATA/other.ltw"), rowLines("L", 100));
        test::AppWindow w;
        openTitleBlock(*w, [&](frmTBWiz *d) {
            QCOMPARE(listed(d->cmbTBWSelector), templatesOf({"Full.TBW", "short.tbw"}));
            QCOMPARE(d->cmbTBWSelector->currentText(), QString());
            QVERIFY(!d->cmdSaveTBW->isEnabled() && !d->cmdDeleteTBW->isEnabled());
            QTest::keyClick(d->cmbTBWSelector->lineEdit(), Qt::Key_X);
            QVERIFY(d->cmdSaveTBW->isEnabled() && d->cmdDeleteTBW->isEnabled());
            QTest::keyClick(d->cmbTBWSelector->lineEdit(), Qt::Key_Backspace);
            QVERIFY(!d->cmdSaveTBW->isEnabled() && !d->cmdDeleteTBW->isEnabled());

            test::pickEntry(d->cmbTBWSelector, QStringLiteral("FULL"));
            QCOMPARE(d->tbBlockName->text(), QStringLiteral("F1"));
            QCOMPARE(d->Text1[49]->text(), QStringLiteral("F51"));
            QCOMPARE(d->Combo1[49]->currentText(), QStringLiteral("F101"));
            QVERIFY(d->cmdSaveTBW->isEnabled());

            prompter().expectMessage(vbOK);
            test::pickEntry(d->cmbTBWSelector, QStringLiteral("SHORT"));
            QCOMPARE(prompter().last().title, QStringLiteral("Error"));
            QCOMPARE(prompter().last().style, int(vbOKOnly | vbExclamation));
            QCOMPARE(prompter().last().text,
                     QStringLiteral("Input past end-of file... file may be corrupted...\r\n") + data("short.tbw"));
            QCOMPARE(d->tbBlockName->text(), QStringLiteral("S1"));
            QCOMPARE(d->Combo1[8]->currentText(), QStringLiteral("S60"));
            QCOMPARE(d->Combo1[9]->currentText(), QStringLiteral("F61")); // row 10 keeps its value
            QCOMPARE(QApplication::overrideCursor(), nullptr);
            d->close();
        });
        // A template removed outside the program: picking it changes nothing and shows nothing.
        QFile::remove(data("Full.TBW"));
        openTitleBlock(*w, [&](frmTBWiz *d) {
            QCOMPARE(listed(d->cmbTBWSelector), QStringList({"SHORT"}));
            m_fx->writeFile(QStringLiteral("DATA/Later.TBW"), rowLines("N", 101));
            QCOMPARE(listed(d->cmbTBWSelector), QStringList({"SHORT"}));
            // A click on the frame itself refills the list.
            QTest::mouseClick(d->Frame2, Qt::LeftButton, {}, QPoint(d->Frame2->width() - 4, d->Frame2->height() - 4));
            QCOMPARE(listed(d->cmbTBWSelector), templatesOf({"Later.TBW", "short.tbw"}));
            d->close();
        });
    }

    // Both template lists show the templates in the order the system lists DATA, not sorted.
    void templateListsInTheFolderOrder_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::newRow("title block") << ".TBW";
        QTest::newRow("layout") << ".ltw";
    }
    void templateListsInTheFolderOrder()
    {
        QFETCH(QString, extension);
        QStringList files;
        for (const char *title : {"b", "Zeta", "a2", "_x", "M", "c1", "Alpha", "y"}) {
            files << QLatin1String(title) + extension;
            m_fx->writeFile(QStringLiteral("DATA/") + files.last(), "x\r\n");
        }
        test::AppWindow w;
        QStringList shown;
        if (extension == QLatin1String(".TBW"))
            openTitleBlock(*w, [&](frmTBWiz *d) {
                shown = listed(d->cmbTBWSelector);
                d->close();
            });
        else
            openLayouts(*w, [&](frmLayoutWiz *d) {
                shown = listed(d->cmbLTWSelector);
                d->close();
            });
        QCOMPARE(shown, templatesOf(files));
    }

    // Save lists a new name only once its file is written; names that could not name a file in DATA
    // are refused; an exact-case comparison decides what is new; a name in other case replaces that
    // file. Delete acts only on a listed name.
    void savingAndDeletingTemplates()
    {
        m_fx->writeFile(QStringLiteral("DATA/ABC.TBW"), rowLines("A", 101));
        const QString locked = m_fx->writeFile(QStringLiteral("DATA/Locked.TBW"), rowLines("K", 101));
        QVERIFY(setReadOnlyFile(locked, true).ok());
        test::AppWindow w;
        openTitleBlock(*w, [&](frmTBWiz *d) {
            d->tbBlockName->setText(QStringLiteral("MINE"));
            auto save = [d](const QString &name) {
                d->cmbTBWSelector->setEditText(name);
                d->cmdSaveTBW->click();
            };
            save(QStringLiteral("Job 1"));
            QCOMPARE(fileLines(data("Job 1.TBW")).at(0), QStringLiteral("MINE"));
            QCOMPARE(listed(d->cmbTBWSelector), templatesOf({"ABC.TBW", "Locked.TBW"}) + QStringList{"Job 1"});
            save(QStringLiteral("Job 1"));
            QCOMPARE(listed(d->cmbTBWSelector).size(), 3);

            // abc replaces ABC.TBW and is listed as typed.
            save(QStringLiteral("abc"));
            QCOMPARE(fileLines(data("ABC.TBW")).at(0), QStringLiteral("MINE"));
            QVERIFY(!QDir(m_fx->data()).entryList(QDir::Files).contains(QStringLiteral("abc.TBW")));
            QCOMPARE(listed(d->cmbTBWSelector), (templatesOf({"ABC.TBW", "Locked.TBW"}) + QStringList{"Job 1", "abc"}));

            for (const char *bad : {"a/b", "CON", "x.", "..", "tab\there"}) {
                prompter().expectMessage(vbOK);
                save(QLatin1String(bad));
            }
            QCOMPARE(prompter().shown().size(), 5);
            QCOMPARE(listed(d->cmbTBWSelector).size(), 4);
            QCOMPARE(QDir(m_fx->data()).entryList(QDir::Files).size(), 3);

            prompter().expectMessage(vbOK);
            save(QStringLiteral("Locked"));
            QCOMPARE(prompter().last().text,
                     QStringLiteral("File is Write protected...\r\n") + data("Locked.TBW") + QStringLiteral("\r\n"));
            QCOMPARE(prompter().last().style, int(vbOKOnly));
            QCOMPARE(prompter().last().title, appTitle());
            QCOMPARE(fileLines(locked).at(0), QStringLiteral("K1"));
            QCOMPARE(listed(d->cmbTBWSelector).size(), 4); // "Locked" is not listed: nothing was written

            // Delete: a typed name that is not listed, a listed one whose file is gone, a locked one.
            prompter().expectMessage(vbOK);
            d->cmbTBWSelector->setEditText(QStringLiteral("nothing"));
            d->cmdDeleteTBW->click();
            QCOMPARE(prompter().last().text, QStringLiteral("File not found!!"));
            QCOMPARE(prompter().last().title, QStringLiteral("Tessaline"));
            prompter().expectMessage(vbOK);
            d->cmbTBWSelector->setEditText(QStringLiteral("locked"));
            d->cmdDeleteTBW->click();
            QVERIFY(QFile::exists(locked));

            QVERIFY(QFile::remove(data("Job 1.TBW")));
            prompter().expectMessage(vbOK);
            test::pickEntry(d->cmbTBWSelector, QStringLiteral("Job 1"));
            d->cmdDeleteTBW->click();
            QCOMPARE(prompter().last().text, QStringLiteral("File not found!!"));
            QCOMPARE(listed(d->cmbTBWSelector).size(), 4); // not refreshed

            // A typed name in other case deletes the listed template and refreshes the list.
            d->cmbTBWSelector->setEditText(QStringLiteral("Abc"));
            d->cmdDeleteTBW->click();
            QVERIFY(!QFile::exists(data("ABC.TBW")));
            QCOMPARE(listed(d->cmbTBWSelector), QStringList({"LOCKED"}));
            QCOMPARE(d->cmbTBWSelector->currentText(), QString());
            QVERIFY(!d->cmdDeleteTBW->isEnabled());
            d->close();
        });
        QVERIFY(setReadOnlyFile(locked, false).ok());
    }

    // Without DATA: nothing to read at the first opening, and Create and the close box each show the
    // missing-folder box once and go on.
    void missingDataFolder()
    {
        QVERIFY(QDir(m_fx->data()).removeRecursively());
        test::AppWindow w;
        prompter().expectMessage(vbOK); // Create's state file
        prompter().expectMessage(vbOK); // done
        openTitleBlock(*w, [&](frmTBWiz *d) {
            QCOMPARE(d->cmbTBWSelector->count(), 0);
            d->Command1->click();
        });
        QVERIFY(prompter().shown().first().text.startsWith(QLatin1String("\\DATA\\ directory does not exist")));
        QCOMPARE(prompter().shown().first().title, appTitle());
        QCOMPARE(script(w), QStringList({load(), "REGEN", kSep}).join('\n'));
        prompter().expectMessage(vbOK);
        openLayouts(*w, [](frmLayoutWiz *d) { d->close(); });
        QVERIFY(prompter().last().text.startsWith(QLatin1String("\\DATA\\ directory does not exist")));
    }

    // ---- Layouts ----

    // Delete and New hide the new-name column, whose boxes keep their text; Copy and Rename show it.
    void layoutOperationsHideTheNewNames()
    {
        test::AppWindow w;
        openLayouts(*w, [](frmLayoutWiz *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral(" Layout Wizard"));
            QVERIFY(d->Option1[0]->isChecked());
            QCOMPARE(d->Combo1[0]->count(), 81);
            d->Combo1[0]->setEditText(QStringLiteral("kept"));
            const QList<std::pair<int, bool>> steps{{1, false}, {3, true}, {2, false}, {0, true}};
            for (const auto &[option, shown] : steps) {
                d->Option1[size_t(option)]->setChecked(true);
                QCOMPARE(d->Combo1[0]->isVisible(), shown);
                QCOMPARE(d->Label2[0]->isVisible(), shown);
                QCOMPARE(d->Label4[0]->isVisible(), shown);
                QCOMPARE(d->Combo1[49]->isHidden(), !shown); // on a page not shown
                QCOMPARE(d->Label4[4]->isHidden(), !shown);
                QVERIFY(d->Text1[0]->isVisible());
            }
            QCOMPARE(d->Combo1[0]->currentText(), QStringLiteral("kept"));
            d->close();
        });
    }

    // Create with Delete: rows without a tab name are named and left out; the state file keeps every
    // row, hidden new names too; reopening after Create keeps the operation, after the close box it
    // starts with Copy and Append.
    void layoutCreateAndReopen()
    {
        test::AppWindow w;
        w->scriptFacts()->setScriptText(QStringLiteral("ZOOM E"));
        QPointer<frmLayoutWiz> first;
        prompter().expectMessage(vbOK); // rows left out
        prompter().expectMessage(vbOK); // done
        openLayouts(*w, [&](frmLayoutWiz *d) {
            first = d;
            d->Option1[1]->setChecked(true);
            d->Combo1[0]->setEditText(QStringLiteral("hidden only"));
            d->Text1[1]->setText(QStringLiteral("Old"));
            d->Text1[2]->setText(QStringLiteral("  "));
            d->Text1[30]->setText(QStringLiteral("Gone"));
            d->Combo1[30]->setEditText(QStringLiteral("ignored"));
            d->Command1->click();
        });
        QCOMPARE(prompter().shown().first().title, QStringLiteral("Warning"));
        QVERIFY2(prompter().shown().first().text.startsWith(QLatin1String("Rows 1 and 3 name no layout tab")),
                 qPrintable(prompter().shown().first().text));
        QCOMPARE(script(w),
                 QStringList({"ZOOM E", kSep, "-LAYOUT", "DELETE", "Old", kSep, "-LAYOUT", "DELETE", "Gone", kSep})
                     .join('\n'));
        const QStringList state = fileLines(data("tester-LTW.tmp"));
        QCOMPARE(state.size(), 100);
        QCOMPARE(state.at(1), QStringLiteral("Old"));
        QCOMPARE(state.at(50), QStringLiteral("hidden only"));
        QCOMPARE(state.at(80), QStringLiteral("ignored"));

        prompter().expectMessage(vbYes); // overwrite
        prompter().expectMessage(vbOK);  // done
        openLayouts(*w, [&](frmLayoutWiz *d) {
            QCOMPARE(d, first.data());
            QVERIFY(d->Option1[1]->isChecked());
            QVERIFY(!d->Combo1[0]->isVisible());
            d->Option1[3]->setChecked(true);
            d->optOverWrite->setChecked(true);
            d->cmdClear->click(); // both columns emptied; the operation and the output choice stay
            QVERIFY(d->Option1[3]->isChecked());
            d->Text1[0]->setText(QStringLiteral("Layout1"));
            d->Combo1[0]->setEditText(QStringLiteral("$FILENAME$"));
            d->Command1->click();
        });
        QCOMPARE(script(w), QStringList({kSep, "-LAYOUT", "RENAME", "Layout1", "$FILENAME$", kSep}).join('\n'));

        openLayouts(*w, [&](frmLayoutWiz *d) {
            d->Text1[5]->setText(QStringLiteral("Six"));
            d->close();
        });
        openLayouts(*w, [&](frmLayoutWiz *d) {
            QVERIFY(d != first.data());
            QVERIFY(d->Option1[0]->isChecked());
            QVERIFY(d->optAppend->isChecked());
            QCOMPARE(d->Text1[0]->text(), QStringLiteral("Layout1"));
            QCOMPARE(d->Text1[5]->text(), QStringLiteral("Six"));
            QCOMPARE(d->Combo1[0]->currentText(), QStringLiteral("$FILENAME$"));
            d->close();
        });
    }

    // The layout templates: a 99-line file loads partly with its box; Save lists a name only after
    // its file was written.
    void layoutTemplates()
    {
        m_fx->writeFile(QStringLiteral("DATA/Part.ltw"), rowLines("P", 99));
        const QString locked = m_fx->writeFile(QStringLiteral("DATA/ro.LTW"), rowLines("R", 100));
        QVERIFY(setReadOnlyFile(locked, true).ok());
        test::AppWindow w;
        openLayouts(*w, [&](frmLayoutWiz *d) {
            QCOMPARE(listed(d->cmbLTWSelector), templatesOf({"Part.ltw", "ro.LTW"}));
            d->Combo1[49]->setEditText(QStringLiteral("before"));
            prompter().expectMessage(vbOK);
            test::pickEntry(d->cmbLTWSelector, QStringLiteral("PART"));
            QCOMPARE(prompter().last().text,
                     QStringLiteral("Input past end-of file... file may be corrupted...\r\n") + data("Part.ltw"));
            QCOMPARE(d->Text1[0]->text(), QStringLiteral("P1"));
            QCOMPARE(d->Combo1[48]->currentText(), QStringLiteral("P99"));
            QCOMPARE(d->Combo1[49]->currentText(), QStringLiteral("before"));

            prompter().expectMessage(vbOK);
            d->cmbLTWSelector->setEditText(QStringLiteral("Ro"));
            d->cmdSaveLTW->click();
            QVERIFY(prompter().last().text.startsWith(QLatin1String("File is Write protected...")));
            QCOMPARE(listed(d->cmbLTWSelector), templatesOf({"Part.ltw", "ro.LTW"}));
            d->cmbLTWSelector->setEditText(QStringLiteral("Mine"));
            d->cmdSaveLTW->click();
            QCOMPARE(listed(d->cmbLTWSelector), templatesOf({"Part.ltw", "ro.LTW"}) + QStringList{"Mine"});
            QCOMPARE(fileBytes(data("Mine.ltw")).count("\r\n"), 100);
            d->close();
        });
        QVERIFY(setReadOnlyFile(locked, false).ok());
    }
};

QTEST_MAIN(TestTableWizards)
#include "tst_tablewizards.moc"
