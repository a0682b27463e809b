// The program's own start: this test process makes its application object as main() does, the
// font configuration read on a thread while it is made and the fonts listed on another while the
// window is built.

#include "app/application.h"
#include "app/fontwarmup.h"
#include "core/settingskeys.h"
#include "mainwin/frmMain.h"
#include "testsupport.h"
#include "widgets/programfont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>

using namespace tess;

class TestProgramStart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The window is built and shown while the fonts may still be loading: the start waits for
    // what it needs only, the window has the program font, and the run ends cleanly (the
    // sanitizers watch the threads' hand-overs; a thread left running would outlive the
    // application object at the end of this process).
    void startsAndEndsWhileTheFontsLoad()
    {
        test::Fixture fx;
        QVERIFY(writeOtherSetting(OtherKeys::TipsShow, 0));
        Application app;
        QVERIFY(app.start());
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow()));
        QCOMPARE(app.mainWindow()->font().pointSize(), kProgramFontPointSize);
        QVERIFY(!QFontDatabase::families().isEmpty());
        app.finish();
        QVERIFY(fx.prompter().shown().isEmpty());
    }
};

int main(int argc, char **argv)
{
    return runWithApplication(argc, argv, [&] {
        TestProgramStart test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_programstart.moc"
