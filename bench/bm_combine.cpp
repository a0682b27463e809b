// Combining queued text files: 1,000 files of 1 MB each (warm cache), streamed into one output and
// committed to the disk. vs_cat_sync compares it with `cat` of the same files followed by `sync` of the
// output, measured in the same run.

#include "benchsupport.h"
#include "utilities/combinetext.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <chrono>

using namespace tess;

namespace {

constexpr int kFiles = 1000;
constexpr qsizetype kFileBytes = 1 << 20;

// One CSV-like megabyte: rows of 64 bytes ended by CR LF.
QByteArray megabyte()
{
    QByteArray row(62, 'x');
    row.replace(0, 10, "0123456789");
    row.append("\r\n");
    QByteArray out;
    out.reserve(kFileBytes);
    while (out.size() + row.size() <= kFileBytes)
        out.append(row);
    out.append(QByteArray(kFileBytes - out.size(), 'y'));
    return out;
}

void BM_Combine(benchmark::State &state)
{
    QTemporaryDir dir;
    const QByteArray bytes = megabyte();
    QStringList inputs;
    for (int i = 0; i < kFiles; ++i) {
        const QString path = dir.filePath(QStringLiteral("in%1.csv").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            state.SkipWithError("cannot write the input files");
            return;
        }
        inputs.append(path);
    }
    const QString output = dir.filePath(QStringLiteral("output.csv"));
    combineTextFiles(inputs, output); // warms the cache
    const QString peerOutput = dir.filePath(QStringLiteral("cat.csv"));
    const QStringList peer =
        QStringList{QStringLiteral("-c"), QStringLiteral("out=$1; shift; cat \"$@\" > \"$out\" && sync \"$out\""),
                    QStringLiteral("sh"), peerOutput} +
        inputs;
    double combineSeconds = 0, peerSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (combineTextFiles(inputs, output).has_value()) {
            state.SkipWithError("combine failed");
            return;
        }
        combineSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        peerSeconds += secondsToRun(QStringLiteral("sh"), peer); // alternated with the combine
        state.ResumeTiming();
    }
    state.counters["vs_cat_sync"] = combineSeconds / peerSeconds;
    const double mb = double(kFiles) * double(kFileBytes) / (1024.0 * 1024.0);
    state.counters["MB_per_s"] = benchmark::Counter(mb * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Combine)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

} // namespace
