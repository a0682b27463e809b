#pragma once
// What several benchmarks share: the application object the window benchmarks need, made once
// on the offscreen platform, and a folder tree to walk.

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

// A drawing office's tree of 10,000 folders: 100 project folders of 99 sheet folders each, under
// `root`; fill(folder) puts the files into each of them.
template <typename Fill> void makeProjectTree(const QString &root, Fill fill)
{
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
}
