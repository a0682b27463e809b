// The drawing-release scan: 100,000 drawings with valid header codes in 10,000 folders, timed
// beside `find DIR -iname '*.dwg' -exec head -c 6 {} +` over the same tree (counter vs_find).

#include "benchsupport.h"
#include "core/listutils.h"
#include "utilities/dwgrevision.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace tess;

namespace {

// 100 project folders of 99 sheet folders each (10,000 folders), 10 drawings in every folder,
// their codes taken in turn from the release table; made once per run of the benchmark program.
const QString &revScanTree()
{
    static const QString root = makeProjectTree([body = QByteArray(256, '\0'),
                                                 made = 0](const QString &folder) mutable {
        for (int i = 0; i < 10; ++i) {
            QFile f(folder +
                    QStringLiteral("/A-%1.%2").arg(i).arg(i % 3 == 0 ? QStringLiteral("DWG") : QStringLiteral("dwg")));
            if (!f.open(QIODevice::WriteOnly))
                continue;
            f.write(DWGRevTable[size_t(made++ % int(DWGRevTable.size()))].code);
            f.write(body);
        }
    });
    return root;
}

double runFindHead(const QString &root)
{
    return secondsToRun(QStringLiteral("find"), {root, QStringLiteral("-iname"), QStringLiteral("*.dwg"),
                                                 QStringLiteral("-exec"), QStringLiteral("head"), QStringLiteral("-c"),
                                                 QStringLiteral("6"), QStringLiteral("{}"), QStringLiteral("+")});
}

} // namespace

static void BM_RevScan100k(benchmark::State &state)
{
    if (QStandardPaths::findExecutable(QStringLiteral("find")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("head")).isEmpty()) {
        state.SkipWithError("find or head is not installed");
        return;
    }
    const QString &root = revScanTree();
    DwgReleaseSwitches all;
    all.fill(1);
    // Warm the file system caches for both sides.
    {
        QStringList matches, problems;
        SearchForFileREV(root, QStringLiteral("*.DWG"), all, matches, problems);
        runFindHead(root);
    }

    double ours = 0, theirs = 0;
    qint64 found = 0;
    for (auto _ : state) {
        QStringList matches, problems;
        // As the scan window runs it: counting, the paced status line and pump, the stop request
        // read after every entry.
        QuietProgress progress;
        const auto start = std::chrono::steady_clock::now();
        SearchForFileREV(root, QStringLiteral("*.DWG"), all, matches, problems, &progress);
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        found = progress.foundFileCount();
        ours += t;
        theirs += runFindHead(root);
        state.SetIterationTime(t);
    }
    state.counters["found"] = double(found);
    state.counters["find_ms"] = 1000.0 * theirs / double(state.iterations());
    state.counters["vs_find"] = theirs > 0 ? ours / theirs : 0.0;
}
BENCHMARK(BM_RevScan100k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
