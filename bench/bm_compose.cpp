// Composing a large batch script: 100,000 drawings, a 2 KB user script with about ten tags, SAVEAS with a
// prefix and a suffix, three projects. vs_write compares it with a plain buffered write of the same bytes;
// in_memory_ms is the composition without the file system.

#include "batch/batchscriptwriter.h"
#include "core/appenvironment.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace tess;

namespace {

constexpr int kDrawings = 100000;

BatchScriptInput composeInput()
{
    AppEnvironment::overrideProgramFolder(QStringLiteral("C:\\Apps\\Tessaline"));
    BatchScriptInput in;
    in.programVersion = QStringLiteral("1.0.0");
    in.environment.moment = QDateTime(QDate(2026, 12, 9), QTime(20, 5, 3));
    in.environment.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    in.environment.programPath = QStringLiteral("C:\\Apps\\Tessaline\\");
    in.environment.loginName = QStringLiteral("drafter");
    in.environment.computerName = QStringLiteral("CADPC");
    in.encoding = QStringConverter::Utf8;
    in.LoadOpen = 0;
    in.DebugComments = 1;
    in.includeStatus = true;
    in.preBatch = QStringLiteral("_SDI 1");
    in.postBatch = QStringLiteral("_SDI 0");
    in.saveAs = true;
    in.outFormat = QStringLiteral("2013");
    in.prefix = QStringLiteral("$PROJECTTAG1$-");
    in.suffix = QStringLiteral("_$COUNTER$");
    in.originalLocation = true;
    in.tags.TAG[0] = QStringLiteral("GADGETS && CO.");
    in.tags.TAG[1] = QStringLiteral("DOODAD DIVISION");

    const QString tagged = QStringLiteral("-ATTEDIT N N TITLE DWGNO * $FILENAME$ $COUNTER$\r\n"
                                          "-ATTEDIT N N TITLE DATE * \"\" \"$DATE$\"\r\n"
                                          "-ATTEDIT N N TITLE CLIENT * \"\" \"$TAG1$ $TAG2$\"\r\n"
                                          "-ATTEDIT N N TITLE PROJECT * \"\" \"$PROJECTTAG1$ $PROJECTTAG2$\"\r\n"
                                          "-ATTEDIT N N TITLE SHEET * \"\" \"$SHEET$\"\r\n"
                                          "; drawn in $FILEPATH$ by $USER$\r\n");
    QString script = tagged;
    const QString plain = QStringLiteral("-LAYER S 0 F * T 0 ON * \r\n_ZOOM _E\r\n-PURGE A * N\r\n_AUDIT Y\r\n");
    while (script.size() < 2048)
        script += plain;
    in.userScript = script;

    in.queue.reserve(kDrawings);
    for (int i = 0; i < kDrawings; ++i)
        in.queue << QStringLiteral("C:\\PROJECTS\\JOB%1\\DWG\\A-%2.dwg").arg(i % 4 + 1).arg(i, 6, 10, QLatin1Char('0'));
    return in;
}

ProjectTagSet threeProjects()
{
    QList<ProjectTagFile> projects;
    for (int p = 1; p <= 3; ++p) {
        ProjectTagFile f;
        f.fileName = QStringLiteral("JOB%1.PRJ").arg(p);
        f.pattern = QStringLiteral("\\JOB%1\\").arg(p);
        for (int v = 1; v <= 40; ++v)
            f.values << QStringLiteral("JOB%1 VALUE %2").arg(p).arg(v);
        projects << f;
    }
    return ProjectTagSet(projects);
}

double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// A device that takes every byte and keeps none: the composition alone, without the file system.
class DiscardingDevice final : public QIODevice
{
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 n) override { return n; }
};

void BM_Compose100k(benchmark::State &state)
{
    const BatchScriptInput in = composeInput();
    const ProjectTagSet projects = threeProjects();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tessaline.scr"));
    double composeSeconds = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        // Each composition writes a new file, as the plain write below does (truncating the last one would
        // time the freeing of its pages too).
        QFile::remove(path);
        const auto start = std::chrono::steady_clock::now();
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        const BatchWriteResult r = writeBatchScript(f, in, projects);
        f.close();
        composeSeconds += seconds(std::chrono::steady_clock::now() - start);
        if (!r.ok())
            state.SkipWithError(qPrintable(r.message));
        bytes = r.bytesWritten;
    }
    composeSeconds /= double(state.iterations());

#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage); // before the comparison below, which holds nothing large either
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
#endif

    // The same bytes written with a plain buffered write (only the writes are timed).
    double writeSeconds = 0;
    {
        QFile source(path);
        source.open(QIODevice::ReadOnly);
        QFile f(dir.filePath(QStringLiteral("plain.scr")));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        QByteArray chunk(256 * 1024, Qt::Uninitialized);
        for (;;) {
            const qint64 n = source.read(chunk.data(), chunk.size());
            if (n <= 0)
                break;
            const auto start = std::chrono::steady_clock::now();
            f.write(chunk.constData(), n);
            writeSeconds += seconds(std::chrono::steady_clock::now() - start);
        }
        const auto start = std::chrono::steady_clock::now();
        f.close();
        writeSeconds += seconds(std::chrono::steady_clock::now() - start);
    }

    // The same composition into memory, the part of the time that is not the file system's (the least of
    // three, as the machine allows).
    double inMemorySeconds = 0;
    for (int k = 0; k < 3; ++k) {
        DiscardingDevice sink;
        sink.open(QIODevice::WriteOnly);
        const auto start = std::chrono::steady_clock::now();
        writeBatchScript(sink, in, projects);
        const double s = seconds(std::chrono::steady_clock::now() - start);
        inMemorySeconds = k == 0 ? s : std::min(inMemorySeconds, s);
    }

    state.counters["vs_write"] = composeSeconds / writeSeconds;
    state.counters["in_memory_ms"] = inMemorySeconds * 1000.0;
    state.counters["script_MB"] = double(bytes) / (1024.0 * 1024.0);
}

} // namespace

BENCHMARK(BM_Compose100k)->Unit(benchmark::kMillisecond)->Iterations(3);
