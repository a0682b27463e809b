// Wildcard matching, duplicate removal, sorting and the folder walk.

#include "benchsupport.h"
#include "core/like.h"
#include "core/listutils.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace tess;

namespace {

QStringList makePaths(int n, int duplicateEvery, quint32 seed)
{
    QRandomGenerator rng(seed);
    QStringList out;
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (duplicateEvery > 0 && i > 0 && i % duplicateEvery == 0) {
            QString dup = out.at(rng.bounded(i));
            if (rng.bounded(2))
                dup = dup.toUpper();
            out.append(dup);
            continue;
        }
        out.append(QStringLiteral("C:\\Projects\\P%1\\Sheets\\A-%2-%3.dwg")
                       .arg(rng.bounded(500))
                       .arg(rng.bounded(100000), 6, 10, QLatin1Char('0'))
                       .arg(i));
    }
    return out;
}

} // namespace

// Text length in range(0): a run of "a" ended by one "b". Every star pattern below makes the
// matcher scan the whole text (the backtracking kind of matcher blows up on them); the time must
// grow linearly with the length.
static void BM_Like(benchmark::State &state)
{
    const qsizetype n = state.range(0);
    const QString text = QString(n, QLatin1Char('a')) + QLatin1Char('b');
    const QString name = QStringLiteral("C:\\Projects\\P12\\Sheets\\A-000123-45.dwg");
    for (auto _ : state) {
        benchmark::DoNotOptimize(Like(text, QStringLiteral("*a*a*a*b")));
        benchmark::DoNotOptimize(Like(text, QStringLiteral("*a*a*a*c*b")));        // fails after a full scan
        benchmark::DoNotOptimize(Like(text, QStringLiteral("*a*a*a*aaaaaaab*b"))); // a long middle segment
        benchmark::DoNotOptimize(Like(name, QStringLiteral("*-[a-c]*.dwg")));
    }
    state.SetComplexityN(n);
    state.SetBytesProcessed(state.iterations() * n * 3 * qint64(sizeof(QChar)));
}
BENCHMARK(BM_Like)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

// range(0): 1 ignoring case (Windows), 0 exact (Linux).
static void BM_Dedup100k(benchmark::State &state)
{
    const QStringList source = makePaths(100000, 10, 7);
    const Qt::CaseSensitivity cs = state.range(0) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    qint64 removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QStringList list = source;
        list.detach();
        state.ResumeTiming();
        removed = RemoveDuplicateListItems(list, nullptr, cs);
        benchmark::DoNotOptimize(list.size());
    }
    state.counters["removed"] = double(removed);
}
BENCHMARK(BM_Dedup100k)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

static void BM_Sort100k(benchmark::State &state)
{
    const QStringList source = makePaths(100000, 20, 11);
    for (auto _ : state) {
        state.PauseTiming();
        QStringList list = source;
        list.detach();
        state.ResumeTiming();
        SortArrayAscending(list);
        benchmark::DoNotOptimize(list.size());
    }
}
BENCHMARK(BM_Sort100k)->Unit(benchmark::kMillisecond);

namespace {

// 100,000 files in 10,000 folders (100 folders of 99 sub-folders each, 10 files in every
// folder, 7 of them drawings), made once per run of the benchmark program.
const QString &walkTree()
{
    static const char *const names[10] = {"A-101.dwg", "A-102.dwg", "A-103.DWG", "S-201.dwg", "S-202.dwg",
                                          "M-301.dwg", "E-401.dwg", "notes.txt", "plot.pc3",  "A-101.dwg.bak"};
    static const QString root = makeProjectTree([](const QString &folder) {
        for (const char *n : names) {
            QFile f(folder + QLatin1Char('/') + QLatin1String(n));
            f.open(QIODevice::WriteOnly);
        }
    });
    return root;
}

double runFind(const QString &root)
{
    return secondsToRun(QStringLiteral("find"), {root, QStringLiteral("-iname"), QStringLiteral("*.dwg")});
}

} // namespace

static void BM_Walk100k(benchmark::State &state)
{
    const QString &root = walkTree();
    if (QStandardPaths::findExecutable(QStringLiteral("find")).isEmpty()) {
        state.SkipWithError("find is not installed");
        return;
    }
    // Warm the file system caches for both sides.
    QStringList warm;
    SearchFilesIntoList(root, QStringLiteral("*.dwg"), warm);
    runFind(root);

    double ours = 0, theirs = 0;
    qsizetype found = 0;
    for (auto _ : state) {
        QStringList list;
        // As the scan window is used: counting, paced label and pump, the stop request read after
        // every entry.
        QuietProgress progress;
        const auto start = std::chrono::steady_clock::now();
        SearchFilesIntoList(root, QStringLiteral("*.dwg"), list, &progress);
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        found = progress.foundFileCount();
        ours += t;
        theirs += runFind(root);
        state.SetIterationTime(t);
    }
    state.counters["found"] = double(found);
    state.counters["find_ms"] = 1000.0 * theirs / double(state.iterations());
    state.counters["vs_find"] = theirs > 0 ? ours / theirs : 0.0;
}
BENCHMARK(BM_Walk100k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
