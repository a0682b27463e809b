// The program's start and exit as a user meets them, each run in a process of its own: from the
// process start to the main window shown (the window built through the application object, the
// state files read), then from there to the process end (the window closed, the settings and the
// state files written). The peer is a bare main window in a process of the same kind, run
// alternately in the same loop. The queue holds no drawing, or 100,000. The child processes are this
// program, asked by the environment; the program folder and the settings store are temporary, the
// windows are shown on the offscreen platform.

#include "app/application.h"
#include "app/fontwarmup.h"
#include "benchsupport.h"
#include "core/appenvironment.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/settingskeys.h"
#include "core/settingsstore.h"
#include "core/statefiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace tess;

namespace {

const char kChildVariable[] = "TESSALINE_BENCH_START";       // "app" or "bare"
const char kFolderVariable[] = "TESSALINE_BENCH_START_HOME"; // the program folder; settings.ini beside it

// Ends a child on any box: a start or exit that asks something is not the one measured.
class NoBoxes final : public Prompter
{
public:
    int message(const QString &text, int, const QString &) override
    {
        std::fprintf(stderr, "unexpected box: %s\n", qPrintable(text));
        std::_Exit(3);
    }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> folder(const QString &, const QString &) override { return {}; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
};

// "shown" on the standard output once the window is on the screen.
void tellShown()
{
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
}

int runChild(const QByteArray &which, int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (which == "bare") {
        QApplication qt(argc, argv);
        QMainWindow w;
        w.resize(800, 600);
        w.show();
        QCoreApplication::processEvents();
        tellShown();
        w.close();
        return 0;
    }
    // The application object made as the program makes it, its fonts prepared alongside.
    return runWithApplication(argc, argv, [] {
        const QString home = qEnvironmentVariable(kFolderVariable);
        SettingsStore::useFile(home + QStringLiteral("/settings.ini"));
        AppEnvironment::overrideProgramFolder(home + QStringLiteral("/Tessaline"));
        NoBoxes boxes;
        setPrompter(&boxes);
        Application app;
        if (!app.start())
            return 2;
        QCoreApplication::processEvents();
        tellShown();
        app.finish();
        setPrompter(nullptr);
        return 0;
    });
}

struct Times {
    double shown = 0; // seconds from the start to "shown"
    double ended = 0; // seconds from "shown" to the end
};

Times timeChild(const char *which, const QString &home, benchmark::State &state)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVariable), QString::fromLatin1(which));
    env.insert(QString::fromLatin1(kFolderVariable), home);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {});
    Times t;
    while (!child.canReadLine() && child.waitForReadyRead(-1)) {
    }
    t.shown = double(clock.nsecsElapsed()) / 1e9;
    child.waitForFinished(-1);
    t.ended = double(clock.nsecsElapsed()) / 1e9 - t.shown;
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        state.SkipWithError("a child process failed");
    return t;
}

// range(0): the queued drawings.
void BM_StartAndExit(benchmark::State &state)
{
    ensureApplication();
    QTemporaryDir dir;
    const QString home = dir.path();
    QDir().mkpath(home + QStringLiteral("/Tessaline/DATA"));
    {
        // The settings as a first run leaves them, without the tip of the day.
        const QString oldStore = SettingsStore::usedFile();
        SettingsStore::useFile(home + QStringLiteral("/settings.ini"));
        AppEnvironment::overrideProgramFolder(home + QStringLiteral("/Tessaline"));
        writeMainSettings(MainSettings());
        writeOtherSetting(OtherKeys::TipsShow, 0);
        QByteArray list;
        for (int i = 0; i < state.range(0); ++i)
            list += QStringLiteral("C:\\Projects\\JOB%1\\DWG\\A-%2.dwg\r\n")
                        .arg(i / 1000)
                        .arg(i % 1000, 4, 10, QLatin1Char('0'))
                        .toUtf8();
        QFile file(userStateFilePath(StateFile::List));
        if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size())
            state.SkipWithError("cannot write the queue file");
        AppEnvironment::overrideProgramFolder(QString());
        SettingsStore::useFile(oldStore);
    }

    Times app, bare;
    for (auto _ : state) {
        const Times b = timeChild("bare", home, state);
        const Times a = timeChild("app", home, state);
        bare.shown += b.shown;
        bare.ended += b.ended;
        app.shown += a.shown;
        app.ended += a.ended;
        state.SetIterationTime(a.shown + a.ended);
    }
    const double n = double(state.iterations());
    state.counters["start_ms"] = app.shown * 1000 / n;
    state.counters["bare_start_ms"] = bare.shown * 1000 / n;
    state.counters["vs_bare_start"] = app.shown / bare.shown;
    state.counters["exit_ms"] = app.ended * 1000 / n;
    state.counters["bare_exit_ms"] = bare.ended * 1000 / n;
    state.counters["vs_bare_exit"] = app.ended / bare.ended;
}
BENCHMARK(BM_StartAndExit)->Arg(0)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

// The benchmarks' own main, so that a child process of BM_StartAndExit runs its part instead.
int main(int argc, char **argv)
{
    if (const QByteArray which = qgetenv(kChildVariable); !which.isEmpty())
        return runChild(which, argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
