// The queue's orders, duplicate removal and control-state refresh on 100,000 entries.

#include "core/listutils.h"
#include "mainwin/frmMain.h"
#include "mainwin/queuecontrols.h"
#include "mainwin/queueops.h"
#include "mainwin/uiQueueList.h"

#include <QApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

using namespace tess;

namespace {

// Drawing paths as a drafting office has them: a few hundred folders, sheet names of varying
// length, about one entry in ten twice (one of them in another letter case).
const QStringList &queue100k()
{
    static const QStringList q = [] {
        QRandomGenerator rng(42);
        QStringList out;
        out.reserve(100000);
        while (out.size() < 100000) {
            const int job = rng.bounded(400);
            const int sheet = rng.bounded(100000);
            QString p = QStringLiteral("C:\\Projects\\Job%1\\Sheets\\%2-%3.dwg")
                            .arg(job)
                            .arg(rng.bounded(2) ? QStringLiteral("A") : QStringLiteral("Arch"))
                            .arg(sheet);
            out.append(p);
            if (rng.bounded(10) == 0 && out.size() < 100000)
                out.append(rng.bounded(2) ? p.toUpper() : p);
        }
        return out;
    }();
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

// The real window's refresh: 100,000 entries, 500 separate selected runs, every control applied.
void BM_Refresh100k(benchmark::State &state)
{
    static int argc = 1;
    static char arg0[] = "tessaline_bench";
    static char *argv[] = {arg0, nullptr};
    if (!qApp) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    frmMain w;
    w.setQueueEntries(queue100k(), false);
    for (int run = 0; run < 500; ++run)
        w.List1->selectRange(run * 200, run * 200 + 99);
    for (auto _ : state)
        w.RefreshQueueControls();
    state.counters["selected"] = double(w.List1->selectedCount());
}
BENCHMARK(BM_Refresh100k)->Unit(benchmark::kMillisecond);

} // namespace
