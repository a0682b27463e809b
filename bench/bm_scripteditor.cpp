// The script editor's "Do it" on a 1 MB script with 50,000 hits (target: <= 20 ms): BM_ReplaceAll1MB
// is the replace-all that "Do it" computes, in both case modes. BM_ReplaceAll1MBWindow is the whole
// press in the real window, for comparison: it adds the one undoable edit of the text box, whose
// text document rebuilds its 50,000 lines.

#include "benchsupport.h"
#include "scripts/frmSCREdit.h"
#include "scripts/scripteditortext.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

using namespace tess;

namespace {

// 50,000 lines of 21 characters, each holding "LINE" once.
QString oneMegabyteScript()
{
    QString text;
    text.reserve(50000 * 21);
    for (int i = 0; i < 50000; ++i)
        text += QStringLiteral("LINE %1,0 10,10 \n").arg(i % 1000, 3, 10, QLatin1Char('0'));
    return text;
}

} // namespace

// Argument 0: ignoring case ("line"), 1: matching case ("LINE").
static void BM_ReplaceAll1MB(benchmark::State &state)
{
    const QString text = oneMegabyteScript();
    const bool matchCase = state.range(0) == 1;
    const QString search = matchCase ? QStringLiteral("LINE") : QStringLiteral("line");
    for (auto _ : state) {
        const ReplaceAllResult r =
            replaceAllText(text, search, QStringLiteral("ARC"), matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
        if (r.hits != 50000)
            state.SkipWithError("wrong number of hits");
        benchmark::DoNotOptimize(r.text);
    }
    state.counters["chars"] = double(text.size());
}
BENCHMARK(BM_ReplaceAll1MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// "Do it" pressed in the editor: the text read from the box, replaced and written back as one edit.
static void BM_ReplaceAll1MBWindow(benchmark::State &state)
{
    ensureApplication();
    const QString text = oneMegabyteScript();
    frmSCREdit editor;
    editor.tbSearch->setText(QStringLiteral("line"));
    editor.tbReplace->setText(QStringLiteral("ARC"));
    for (auto _ : state) {
        state.PauseTiming();
        editor.setScriptText(text);
        state.ResumeTiming();
        editor.cmdSearchAndReplace->click();
    }
    if (!editor.scriptText().startsWith(QStringLiteral("ARC 000")))
        state.SkipWithError("nothing replaced");
}
BENCHMARK(BM_ReplaceAll1MBWindow)->Unit(benchmark::kMillisecond)->Iterations(5);
