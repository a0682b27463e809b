// "&Create Batch Script" pressed in the real window on a queue of 100,000 drawings that exist (the queue
// check off): the snapshot, the composition with its progress, the run log, the processed total and the
// two read-back scans of the script. max_block_ms is the longest time the event loop did not turn
// between the press and the handler's return (the window repaints at least that often); repaints counts
// the progress captions shown.

#include "app/application.h"
#include "batch/batchcomposer.h"
#include "benchsupport.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/scriptfacts.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuepane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace tess;

namespace {

// Answers every box with its default button and counts them.
class DefaultPrompter final : public Prompter
{
public:
    int message(const QString &, int style, const QString &) override
    {
        ++shown;
        return defaultAnswer(style);
    }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> folder(const QString &, const QString &) override { return {}; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    int shown = 0;
};

// 100,000 empty drawings, 1,000 in each of 100 job folders, and the folder the script goes to.
struct DrawingSet {
    QTemporaryDir dir;
    QStringList queue;
    QString output;

    DrawingSet()
    {
        queue.reserve(100000);
        for (int job = 0; job < 100; ++job) {
            const QString folder = dir.path() + QStringLiteral("/JOB%1/DWG").arg(job, 3, 10, QLatin1Char('0'));
            QDir().mkpath(folder);
            for (int n = 0; n < 1000; ++n) {
                const QString path = folder + QStringLiteral("/A-%1.dwg").arg(n, 4, 10, QLatin1Char('0'));
                QFile f(path);
                if (!f.open(QIODevice::WriteOnly))
                    qFatal("cannot create the drawings");
                queue << QDir::toNativeSeparators(path);
            }
        }
        output = QDir::toNativeSeparators(dir.path() + QStringLiteral("/OUT/tessaline.scr"));
        QDir().mkpath(dir.path() + QStringLiteral("/OUT"));
    }
};

void BM_ComposeWindow100k(benchmark::State &state)
{
    ensureApplication();
    static DrawingSet drawings;
    DefaultPrompter prompter;
    setPrompter(&prompter);
    MainSettings &s = mainSettings();
    s.SCROutputPath = drawings.output;
    s.VerifyFilesBit = 0;
    s.ShowSCRComplete = 0;
    s.AutoLaunchEditor = 0;
    s.AutoMinimize = 0;
    s.AutoADDFavorites = 0;
    s.EnableLogging = 0;
    s.WarnFoldersNotExist = 1;
    s.ScanForRogueTags = 1;
    s.LoadOpen = 0;
    s.LT = 0;
    s.SimpleMode = 0;
    s.DebugComments = 1;
    s.IncludeStatus = 1;
    s.PreBatch = QStringLiteral("_SDI 1");
    s.PostBatch = QStringLiteral("_SDI 0");
    s.COUNTERSTART = 1;
    s.COUNTERSTEP = 1;
    s.SHEETCHARS = QStringLiteral("3");
    s.FIRSTFILECHARS = QStringLiteral("4");
    s.LASTFILECHARS = QStringLiteral("2");
    s.TRIMZEROS = 1;
    s.Delay = QStringLiteral("2000");
    s.SaveAsType = QStringLiteral("Don't Change");
    s.SaveAsOriginalLocation = -1;
    // range(0) 1: every drawing saved under a new name beside it, an existing one overwritten (so
    // every target is looked for).
    const bool saveAs = state.range(0) == 1;
    s.NamePrefix.clear();
    s.NameSuffix = saveAs ? QStringLiteral("-R1") : QString();
    s.OverWriteFiles = saveAs ? 1 : 0;

    Application app;
    frmMain &w = *app.buildWindow();
    w.queuePane()->setQueueEntries(drawings.queue, false);
    w.setRunSwitch(RunSwitch::SaveAs, saveAs);
    w.scriptFacts()->setScriptText(QStringLiteral("-ATTEDIT N N TITLE DWGNO * $FILENAME$ $COUNTER$\n"
                                                  "-ATTEDIT N N TITLE DATE * \"\" \"$DATE$\"\n"
                                                  "-ATTEDIT N N TITLE SHEET * \"\" \"$SHEET$\"\n"
                                                  "; drawn in $FILEPATH$ by $USER$\n"
                                                  "_ZOOM _E\n-PURGE A * N\n_AUDIT Y"));
    w.RefreshQueueControls();
    w.show();
    QCoreApplication::processEvents();

    double maxBlockMs = 0;
    int repaints = 0;
    BatchComposer *composer = w.findChild<BatchComposer *>();
    for (auto _ : state) {
        // Each press is one of its own, not the second of a double click (which the button ignores).
        state.PauseTiming();
        while (composer && composer->createPress().tooSoon())
            QThread::msleep(10);
        state.ResumeTiming();
        QElapsedTimer clock;
        qint64 last = 0, longest = 0;
        QTimer turn;
        turn.setInterval(0);
        QObject::connect(&turn, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
            if (w.lblUpdate->text().startsWith(QLatin1String("Progress")))
                ++repaints;
        });
        QEventLoop loop;
        QTimer::singleShot(0, &w, [&] {
            clock.start();
            turn.start();
            w.Command1_Compile->click();
            longest = std::max(longest, clock.nsecsElapsed() - last);
            turn.stop();
            loop.quit();
        });
        loop.exec();
        maxBlockMs = std::max(maxBlockMs, longest / 1e6);
        if (mainSettings().StopBatch)
            state.SkipWithError("the composition stopped");
    }
    setPrompter(nullptr);
    state.counters["max_block_ms"] = maxBlockMs;
    state.counters["repaints"] = double(repaints) / double(state.iterations());
    state.counters["boxes"] = double(prompter.shown);
    state.counters["script_MB"] = double(QFileInfo(drawings.output).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ComposeWindow100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
