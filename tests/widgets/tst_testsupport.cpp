// The modal-window guard of the GUI tests: it answers plain QDialog::exec() calls in order, also
// nested ones, and its watchdog fails and closes a modal window that nobody answers. A control
// looked up by name that is missing fails the running test, not the program.

#include "modalguard.h"
#include "uitest.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tess;

class TestTestSupport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The look-up fails the test (expected here) and hands back a nameless stand-in, so that the
    // test reaches its next check and the program its next test.
    void missingControlFailsTheTestOnly()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("window"));
        QEXPECT_FAIL("", "cmdMissing is not in the window", Continue);
        QPushButton *button = test::child<QPushButton>(&window, "cmdMissing");
        QVERIFY(button);
        QVERIFY(button->objectName().isEmpty());
        button->click();
        QEXPECT_FAIL("", "mnuMissing is not in the window", Continue);
        QAction *item = test::findAction(window, "mnuMissing");
        QVERIFY(item);
        QEXPECT_FAIL("", "mnuMissing is not in the window", Continue);
        QVERIFY(!test::triggerAction(window, "mnuMissing"));
    }

    void answersEachModalWindowInOrder()
    {
        test::ModalGuard modals;
        QDialog outer;
        outer.setWindowTitle(QStringLiteral("Outer"));
        QStringList seen;
        int innerAnswer = 0;
        // The first action answers the outer dialog; while it runs, a message box opens on top of
        // it and the second action answers that one.
        modals.answerNextModal([&](QWidget *dialog) {
            seen << dialog->windowTitle();
            QMessageBox box(QMessageBox::Question, QStringLiteral("Inner"), QStringLiteral("Sure?"),
                            QMessageBox::Yes | QMessageBox::No, dialog);
            innerAnswer = box.exec();
            static_cast<QDialog *>(dialog)->accept();
        });
        modals.answerNextModal([&](QWidget *dialog) {
            seen << dialog->windowTitle();
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY(box);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(outer.exec(), int(QDialog::Accepted));
        QCOMPARE(seen, (QStringList{QStringLiteral("Outer"), QStringLiteral("Inner")}));
        QCOMPARE(innerAnswer, int(QMessageBox::No));
        QVERIFY(modals.allAnswered());
        QCOMPARE(modals.opened(), 2);

        // The same dialog shown again is a new modal window for the next action.
        modals.answerNextModal([](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); });
        QCOMPARE(outer.exec(), int(QDialog::Rejected));
        QVERIFY(modals.allAnswered());
        QVERIFY(modals.failures().isEmpty());
    }

    void watchdogFailsAndClosesAnUnansweredDialog()
    {
        test::ModalGuard modals(200);
        QDialog nobody;
        nobody.setWindowTitle(QStringLiteral("Nobody answers"));
        QTimer::singleShot(3000, &nobody, &QDialog::reject); // a broken watchdog fails below instead of hanging
        QElapsedTimer clock;
        clock.start();
        QEXPECT_FAIL("", "the watchdog fails the test of a dialog that nobody answers", Continue);
        const int result = nobody.exec();
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(clock.elapsed() >= 200);
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(modals.failures().size(), 1);
        QVERIFY2(modals.failures().first().contains(QStringLiteral("\"Nobody answers\" (QDialog)")),
                 qPrintable(modals.failures().first()));
    }

    void watchdogClosesADialogItsActionLeftOpen()
    {
        test::ModalGuard modals(200);
        QDialog stays;
        stays.setWindowTitle(QStringLiteral("Looked at only"));
        QTimer::singleShot(3000, &stays, &QDialog::reject);
        bool looked = false;
        modals.answerNextModal([&looked](QWidget *) { looked = true; });
        QEXPECT_FAIL("", "an answered dialog that stays open fails too", Continue);
        QCOMPARE(stays.exec(), int(QDialog::Rejected));
        QVERIFY(looked);
        QCOMPARE(modals.failures().size(), 1);
    }

    void unusedActionFailsAtTheEnd()
    {
        QEXPECT_FAIL("", "an action that no window used fails when the guard ends", Continue);
        {
            test::ModalGuard modals;
            modals.answerNextModal([](QWidget *) {});
        }
        QVERIFY(true); // consumed by the expectation if the guard did not fail
    }
};

QTEST_MAIN(TestTestSupport)
#include "tst_testsupport.moc"
