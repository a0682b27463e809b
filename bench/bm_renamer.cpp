// The file renamer over 10,000 queued files: each of the six previews and the whole check of
// Finalize (valid names, duplicates, collisions against 100 folders of 100 files).

#include "utilities/renamerplan.h"
#include "utilities/renamerrules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tess;

static void BM_RenamerPlan10k(benchmark::State &state)
{
    QTemporaryDir dir;
    QList<RenameEntry> entries;
    QStringList names;
    for (int f = 0; f < 100; ++f) {
        const QString folder = dir.filePath(QStringLiteral("F%1").arg(f));
        QDir().mkpath(folder);
        for (int i = 0; i < 100; ++i) {
            const QString name = QStringLiteral("SHEET-%1-%2.dwg").arg(f).arg(i, 3, 10, QLatin1Char('0'));
            QFile file(folder + QLatin1Char('/') + name);
            (void)file.open(QIODevice::WriteOnly);
            names.append(name);
            entries.append({folder + QLatin1Char('/'), name, QString()});
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(previewRenumber(names, QStringLiteral("1"), QStringLiteral("1"), 3, true));
        benchmark::DoNotOptimize(previewReplaceFirst(names, 4, QStringLiteral("Z")));
        benchmark::DoNotOptimize(previewInsert(names, QStringLiteral("X"), 2));
        benchmark::DoNotOptimize(previewAppend(names, QStringLiteral("-A")));
        benchmark::DoNotOptimize(previewPad(names, QStringLiteral("0"), false));
        const RenamePreview p = previewReplaceAll(names, QStringLiteral("sheet"), QStringLiteral("DWG"));
        for (qsizetype i = 0; i < entries.size(); ++i)
            entries[i].target = p.names.at(i);
        benchmark::DoNotOptimize(planFinalize(entries));
    }
}
BENCHMARK(BM_RenamerPlan10k)->Unit(benchmark::kMillisecond);
