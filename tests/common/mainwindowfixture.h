#pragma once
// The main window a test drives: settings reset and pointed at one folder (drawings, program
// folder), the window built through the application object with every feature installed, and the
// few steps most main-window tests take (a queue and a script, a control by name, the Create
// buttons).

#include "appwindow.h"
#include "core/drawingqueue.h"
#include "core/mainsettings.h"
#include "core/scriptfacts.h"
#include "mainwin/batchflowtab.h"
#include "mainwin/saveastab.h"
#include "uitest.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include <functional>
#include <memory>

namespace tess::test {

class MainWindowFixture
{
public:
    // folder: the drawing folder and the program folder (with its trailing separator). The
    // settings start from their defaults with the drawing filter "*.dwg", the SAVEAS output beside
    // each drawing and its format "Don't Change"; prepare changes them before the window is built.
    explicit MainWindowFixture(const QString &folder, const std::function<void(MainSettings &)> &prepare = {})
    {
        MainSettings &s = mainSettings();
        s = MainSettings();
        s.SourcePath = folder;
        s.DWGPattern = QStringLiteral("*.dwg");
        s.ProgramPath = folder;
        s.SaveAsOriginalLocation = -1;
        s.SaveAsType = QStringLiteral("Don't Change");
        if (prepare)
            prepare(s);
        app = std::make_unique<AppWindow>();
        w = app->get();
    }

    // The settings a composition test starts from: the batch script "tessaline.scr" in folder,
    // the sheet-number character counts 3, 4 and 2, the counter from 1 by 1, a 2000 ms delay and
    // AutoLISP on.
    static void composingSettings(MainSettings &s, const QString &folder)
    {
        s.SCROutputPath = folder + QStringLiteral("tessaline.scr");
        s.SHEETCHARS = QStringLiteral("3");
        s.FIRSTFILECHARS = QStringLiteral("4");
        s.LASTFILECHARS = QStringLiteral("2");
        s.COUNTERSTART = 1;
        s.COUNTERSTEP = 1;
        s.Delay = QStringLiteral("2000");
        s.LT = 1;
    }

    // The control of type T named name (the test fails when there is none). A name the window
    // does not hold yet may be a control of the "Settings" or SAVEAS page: those are made first.
    template <typename T> T *get(const char *name) const
    {
        if (!w->findChild<T *>(QLatin1String(name))) {
            w->batchFlowTab()->build();
            w->saveAsTab()->build();
        }
        return child<T>(w, name);
    }

    // The queue replaced and the user script set, as the user would leave them.
    void setQueue(const QStringList &queue, const QString &script) const
    {
        w->queue()->replace(queue);
        w->scriptFacts()->setScriptText(script);
        w->RefreshQueueControls();
    }
    // Text typed at the end of the user script.
    void type(const QString &text) const
    {
        auto *t = get<QPlainTextEdit>("Text1");
        t->moveCursor(QTextCursor::End);
        t->insertPlainText(text);
    }
    // Whether both Create buttons are enabled (they never differ).
    bool createEnabled() const
    {
        const bool a = w->Command1_Compile->isEnabled();
        const bool b = w->cmdCreateAndRun->isEnabled();
        if (a != b)
            qFatal("the Create buttons disagree");
        return a;
    }

    std::unique_ptr<AppWindow> app;
    frmMain *w = nullptr;
};

} // namespace tess::test
