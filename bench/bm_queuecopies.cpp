// The eight clipboard texts of the queue for 100,000 entries (target: each <= 0.1 s).
#include "mainwin/queuecopies.h"

#include <benchmark/benchmark.h>

using namespace tess;

static void BM_CopyText100k(benchmark::State &state)
{
    QStringList entries;
    entries.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        entries.append(QStringLiteral("C:\\Projects\\Site %1\\Drawings\\A-%2.dwg").arg(i % 97).arg(i));
    const QueueCopyKind &kind = queueCopyKinds().at(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(queueCopyText(entries, kind.part, kind.layout));
}
BENCHMARK(BM_CopyText100k)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);
