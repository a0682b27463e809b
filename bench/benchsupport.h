#pragma once
// What several benchmarks share: the application object the window benchmarks need, made once
// on the offscreen platform, a folder tree to walk, a progress that shows nothing and the time a
// command-line tool takes, for comparison.

#include <QApplication>

inline void ensureApplication()
{
    static int argc = 1;
    static char arg0[] = "tessaline_bench";
    static char *argv[] = {arg0, nullptr};
    if (!qApp) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// A drawing office's tree of 10,000 folders in a temporary folder that lasts until the benchmark
// program ends: 100 project folders of 99 sheet folders each; fill(folder) puts the files into each
// of them. Returns the tree's root.
template <typename Fill> QString makeProjectTree(Fill fill)
{
    static std::vector<std::unique_ptr<QTemporaryDir>> trees;
    const QString root = trees.emplace_back(std::make_unique<QTemporaryDir>())->path();
    for (int top = 0; top < 100; ++top) {
        const QString t = root + QStringLiteral("/Project %1").arg(top, 3, 10, QLatin1Char('0'));
        QDir().mkpath(t);
        fill(t);
        for (int sub = 0; sub < 99; ++sub) {
            const QString s = t + QStringLiteral("/Sheets %1").arg(sub, 2, 10, QLatin1Char('0'));
            QDir().mkdir(s);
            fill(s);
        }
    }
    return root;
}

#include "core/listutils.h"

#include <QProcess>
#include <QStringList>
#include <chrono>

// A walk's progress without a window: the status line and the pump do nothing.
class QuietProgress final : public tess::ScanProgress
{
public:
    void label(const QString &) override {}
    void pump() override {}
};

// Seconds `program` takes to run with `arguments`, its output discarded.
inline double secondsToRun(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    const auto start = std::chrono::steady_clock::now();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
