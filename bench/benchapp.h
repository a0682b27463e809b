#pragma once
// The application object the window benchmarks need, made once on the offscreen platform.

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
