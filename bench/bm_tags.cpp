// The general tag substitution on prepared texts: 0 a 2 KB script with about ten tags whose values hold no
// "$", 1 values that bring in tags of later rows (the cascade proper), 2 a value with many "$" that makes
// the text grow until the table is joined and split again.

#include "batch/tagsubstitution.h"

#include <QLocale>
#include <QStringList>
#include <benchmark/benchmark.h>

using namespace tess;

namespace {

TagEnvironment fixedEnvironment()
{
    TagEnvironment env;
    env.moment = QDateTime(QDate(2026, 12, 9), QTime(20, 5, 3));
    env.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    env.programPath = QStringLiteral("C:\\Apps\\Tessaline\\");
    env.loginName = QStringLiteral("drafter");
    env.computerName = QStringLiteral("CADPC");
    return env;
}

void BM_Cascade(benchmark::State &state)
{
    TagSettings settings;
    QString text;
    switch (state.range(0)) {
    case 0: {
        settings.TAG[0] = QStringLiteral("GADGETS && CO.");
        text = QStringLiteral("-ATTEDIT N N TITLE DWGNO * $FILENAME$ $COUNTER$\r\n"
                              "-ATTEDIT N N TITLE DATE * \"\" \"$DATE$\"\r\n"
                              "-ATTEDIT N N TITLE CLIENT * \"\" \"$TAG1$ $TAG2$\"\r\n"
                              "-ATTEDIT N N TITLE SHEET * \"\" \"$SHEET$\"\r\n"
                              "; drawn in $FILEPATH$ by $USER$ on $COMPUTER$\r\n");
        while (text.size() < 2048)
            text += QStringLiteral("-LAYER S 0 F * T 0 ON * \r\n_ZOOM _E\r\n-PURGE A * N\r\n_AUDIT Y\r\n");
        break;
    }
    case 1:
        for (int i = 0; i < 49; ++i)
            settings.TAG[size_t(i)] = QStringLiteral("<$TAG%1$|$FILENAME$>").arg(i + 2);
        settings.TAG[49] = QStringLiteral("end");
        for (int i = 0; i < 40; ++i)
            text += QStringLiteral("line %1: $TAG1$ $COUNTER$ $$ $TAG%2$\r\n").arg(i).arg(i % 50 + 1);
        break;
    default:
        for (int i = 0; i < 49; ++i)
            settings.TAG[size_t(i)] = QStringLiteral("$TAG%1$$TAG%1$").arg(i + 2);
        settings.TAG[49] = QStringLiteral("x");
        text = QStringLiteral("start $TAG34$ end");
        break;
    }
    const QStringList queue{QStringLiteral("C:\\Work\\A-101.dwg"), QStringLiteral("C:\\Work\\A-102.dwg"),
                            QStringLiteral("C:\\Work\\A-103.dwg")};
    const TagContext context(settings, queue, fixedEnvironment());
    const PreparedTagText prepared = context.prepare(text);
    QString out;
    qint64 counter = 0;
    for (auto _ : state) {
        out.clear();
        const bool ok = context.substituteInto(out, prepared, ++counter, queue.at(1), 2);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["chars"] = double(out.size());
}

} // namespace

BENCHMARK(BM_Cascade)->Arg(0)->Arg(1)->Arg(2);
