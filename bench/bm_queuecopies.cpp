// The queue extras at 100,000 entries: the eight clipboard texts (target: each <= 0.1 s) and a
// dropped list.
#include "core/queueops.h"
#include "mainwin/queuecopies.h"
#include "mainwin/queuedrop.h"

#include <QFile>
#include <QTemporaryDir>

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

// A dropped list of 100,000 lines read and filtered for the queue (target: <= 0.5 s with the
// window's own work).
static void BM_DropList100k(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "C:\\Projects\\Site " + QByteArray::number(i % 97) + "\\A-" + QByteArray::number(i) + ".dwg\r\n";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        state.SkipWithError("cannot write the list");
        return;
    }
    f.close();
    for (auto _ : state) {
        QStringList lines;
        readDroppedFileList(path, QStringLiteral("*.dwg"), lines);
        benchmark::DoNotOptimize(filterQueueEntries(lines));
    }
}
BENCHMARK(BM_DropList100k)->Unit(benchmark::kMillisecond);
