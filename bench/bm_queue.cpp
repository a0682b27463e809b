// The queue's orders, duplicate removal and control-state refresh on 100,000 entries, and the
// queue file's lines read and written and the entries checked as the start and the exit do.

#include "app/application.h"
#include "benchsupport.h"
#include "core/listutils.h"
#include "core/mainsettings.h"
#include "core/prompts.h"
#include "core/queueops.h"
#include "core/statefiles.h"
#include "mainwin/fileselectorpane.h"
#include "mainwin/frmMain.h"
#include "mainwin/mainlayout.h"
#include "mainwin/queuecontrols.h"
#include "mainwin/queuelistview.h"
#include "mainwin/queuepane.h"
#include "mainwin/usersetsframe.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>

using namespace tess;

namespace {

// Drawing paths as a drafting office has them: a folder for every 250 drawings, sheet names of
// varying length, about one entry in ten twice (one of them in another letter case).
QStringList officeQueue(qsizetype n)
{
    QRandomGenerator rng(42);
    QStringList out;
    out.reserve(n);
    const quint32 jobs = quint32(n / 250), sheets = quint32(n);
    while (out.size() < n) {
        const quint32 job = rng.bounded(jobs);
        const quint32 sheet = rng.bounded(sheets);
        QString p = QStringLiteral("C:\\Projects\\Job%1\\Sheets\\%2-%3.dwg")
                        .arg(job)
                        .arg(rng.bounded(2) ? QStringLiteral("A") : QStringLiteral("Arch"))
                        .arg(sheet);
        out.append(p);
        if (rng.bounded(10) == 0 && out.size() < n)
            out.append(rng.bounded(2) ? p.toUpper() : p);
    }
    return out;
}

const QStringList &queue100k()
{
    static const QStringList q = officeQueue(100000);
    return q;
}

void BM_SortAscending100k(benchmark::State &state)
{
    const QStringList &q = queue100k();
    for (auto _ : state)
        benchmark::DoNotOptimize(sortedAscending(q));
}
BENCHMARK(BM_SortAscending100k)->Unit(benchmark::kMillisecond);

void BM_SortDescending100k(benchmark::State &state)
{
    const QStringList &q = queue100k();
    for (auto _ : state)
        benchmark::DoNotOptimize(sortedDescending(q));
}
BENCHMARK(BM_SortDescending100k)->Unit(benchmark::kMillisecond);

void BM_SmartSort100k(benchmark::State &state)
{
    const QStringList &q = queue100k();
    for (auto _ : state)
        benchmark::DoNotOptimize(smartSorted(q));
}
BENCHMARK(BM_SmartSort100k)->Unit(benchmark::kMillisecond);

// How the orders grow from 100,000 to 1,000,000 entries, both sorted in every iteration: growth is
// the ratio of the two times, vs_nlogn that ratio over n log n's (about 12). range(0): 0 ascending,
// 1 Smart-Sort.
void BM_SortGrowth(benchmark::State &state)
{
    static const QStringList small = officeQueue(100000);
    static const QStringList large = officeQueue(1000000);
    const auto sort = [&state](const QStringList &q) {
        return state.range(0) == 0 ? sortedAscending(q) : smartSorted(q);
    };
    double smallSeconds = 0, largeSeconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(sort(small));
        const auto t1 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(sort(large));
        const auto t2 = std::chrono::steady_clock::now();
        smallSeconds += std::chrono::duration<double>(t1 - t0).count();
        largeSeconds += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(std::chrono::duration<double>(t2 - t0).count());
    }
    const double growth = largeSeconds / smallSeconds;
    state.counters["ms_100k"] = smallSeconds * 1000 / double(state.iterations());
    state.counters["ms_1M"] = largeSeconds * 1000 / double(state.iterations());
    state.counters["growth"] = growth;
    state.counters["vs_nlogn"] = growth / (10.0 * std::log(1e6) / std::log(1e5));
}
BENCHMARK(BM_SortGrowth)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The automatic sort after one file was added to a sorted queue.
void BM_AutoSortAfterAdd100k(benchmark::State &state)
{
    QStringList q = sortedAscending(queue100k());
    q.append(QStringLiteral("C:\\Projects\\Job1\\Sheets\\A-0.dwg"));
    for (auto _ : state)
        benchmark::DoNotOptimize(performSortOrder(q, 0));
}
BENCHMARK(BM_AutoSortAfterAdd100k)->Unit(benchmark::kMillisecond);

void BM_ReverseAndCase100k(benchmark::State &state)
{
    const QStringList &q = queue100k();
    for (auto _ : state) {
        benchmark::DoNotOptimize(reversedEntries(q));
        benchmark::DoNotOptimize(upperCasedEntries(q));
    }
}
BENCHMARK(BM_ReverseAndCase100k)->Unit(benchmark::kMillisecond);

void BM_RemoveDuplicates100k(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QStringList q = queue100k();
        state.ResumeTiming();
        benchmark::DoNotOptimize(RemoveDuplicateListItems(q, nullptr, Qt::CaseInsensitive));
    }
}
BENCHMARK(BM_RemoveDuplicates100k)->Unit(benchmark::kMillisecond);

// The queue file of 100,000 entries decoded from 64 KB pieces, as the start reads it.
void BM_ReadQueueFile100k(benchmark::State &state)
{
    const QByteArray bytes = stateLinesBytes(queue100k());
    for (auto _ : state) {
        QStringList lines;
        benchmark::DoNotOptimize(decodeStateFileLines(bytes, lines, 64 * 1024));
        benchmark::DoNotOptimize(lines.size());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadQueueFile100k)->Unit(benchmark::kMillisecond);

// The same lines encoded into a device, as the exit writes them.
void BM_WriteQueueFile100k(benchmark::State &state)
{
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(writeStateLines(out, queue100k()));
        benchmark::DoNotOptimize(out.data().size());
    }
}
BENCHMARK(BM_WriteQueueFile100k)->Unit(benchmark::kMillisecond);

// Every entry checked before it enters the queue, and the text files counted.
void BM_CheckEntries100k(benchmark::State &state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(filterQueueEntries(queue100k()).accepted.size());
        benchmark::DoNotOptimize(countTextFileEntries(queue100k()));
    }
}
BENCHMARK(BM_CheckEntries100k)->Unit(benchmark::kMillisecond);

// The real window's refresh: 100,000 entries, 500 separate selected runs, every control applied.
void BM_Refresh100k(benchmark::State &state)
{
    ensureApplication();
    Application app;
    frmMain &w = *app.buildWindow();
    w.queuePane()->setQueueEntries(queue100k(), false);
    auto *list = w.queuePane()->findChild<QueueListView *>(QStringLiteral("List1"));
    for (int run = 0; run < 500; ++run)
        list->selectRange(run * 200, run * 200 + 99);
    for (auto _ : state)
        w.RefreshQueueControls();
    state.counters["selected"] = double(w.queuePane()->selectedCount());
}
BENCHMARK(BM_Refresh100k)->Unit(benchmark::kMillisecond);

// Answers every box with OK at once and counts them.
class OkPrompter final : public Prompter
{
public:
    int message(const QString &, int, const QString &) override
    {
        ++shown;
        return vbOK;
    }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> folder(const QString &, const QString &) override { return {}; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    int shown = 0;
};

// 100,000 empty ".dwg" files, ten in each of 10,000 folders (100 job folders of 100 sheet
// folders), made once per run of the benchmarks.
const QString &drawingTree100k()
{
    static QTemporaryDir dir;
    static const QString root = [] {
        const QString base = dir.path() + QStringLiteral("/tree");
        for (int job = 0; job < 100; ++job) {
            for (int sub = 0; sub < 100; ++sub) {
                const QString folder =
                    base + QStringLiteral("/Job%1/Sheets%2").arg(job, 3, 10, QLatin1Char('0')).arg(sub);
                QDir().mkpath(folder);
                for (int n = 0; n < 10; ++n) {
                    QFile f(folder + QStringLiteral("/A-%1.dwg").arg(n));
                    if (!f.open(QIODevice::WriteOnly))
                        qFatal("cannot create the drawing tree");
                }
            }
        }
        return QDir::toNativeSeparators(base);
    }();
    return root;
}

// "+" on a folder holding 100,000 drawings in 10,000 folders, through the real window: the walk,
// the queue's growth, the end-of-walk box and the refresh after it. max_block_ms is the longest
// time the event loop did not turn (from the press to the handler's return).
void BM_AddSubfolders100k(benchmark::State &state)
{
    ensureApplication();
    const QString &tree = drawingTree100k();
    OkPrompter prompter;
    setPrompter(&prompter);
    mainSettings().SourcePath = tree;
    mainSettings().DWGPattern = QStringLiteral("*.dwg");
    mainSettings().AutoSortEnabled = 0;
    Application app;
    frmMain &w = *app.buildWindow();
    w.show();
    w.fileSelector()->setDirPath(tree);
    w.fileSelector()->setFilterText(QStringLiteral("*.dwg"));
    QCoreApplication::processEvents();
    auto *addAllSub = w.queuePane()->findChild<QPushButton *>(QStringLiteral("cmdAddAllSub"));

    double maxBlockMs = 0;
    qsizetype added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.queuePane()->setQueueEntries({}, false);
        QCoreApplication::processEvents();
        state.ResumeTiming();

        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QTimer turn;
        turn.setInterval(0);
        QObject::connect(&turn, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        QEventLoop loop;
        QTimer::singleShot(0, &w, [&] {
            clock.start();
            turn.start();
            addAllSub->click();
            longest = std::max(longest, clock.nsecsElapsed() - last);
            turn.stop();
            loop.quit();
        });
        loop.exec();
        maxBlockMs = std::max(maxBlockMs, longest / 1e6);
        added = w.queuePane()->count();
    }
    setPrompter(nullptr);
    state.counters["max_block_ms"] = maxBlockMs;
    state.counters["queued"] = double(added);
    state.counters["boxes"] = double(prompter.shown);
}
BENCHMARK(BM_AddSubfolders100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
