// Command capture on 100,000 pasted lines of AutoCAD history (copied with doubled line breaks).
// BM_Capture100k: "Capture &AutoCAD Commands --->" pressed in the real window, with the scratch file
// written and the captured script (160,002 lines) set into the result box at once; the paste itself,
// and the background work it starts, happen before the timing, as they do while the user reads
// the paste. Its paste_and_press_ms: the paste and the press at once, the press waiting for that
// work. BM_CaptureCommands100k: the captured script built from the text alone,
// the part of the press that is the program's own work (the rest is the text box taking the lines).
// BM_Capture100k's vs_text_box is the press over a bare text box taking the captured script, timed in
// the same run.

#include "benchsupport.h"
#include "core/appenvironment.h"
#include "scripts/commandcapture.h"
#include "scripts/frmcapture.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace tess;

namespace {

QString pastedHistory(int lines)
{
    static const QString sample[] = {
        QStringLiteral("Command: LINE"),
        QStringLiteral("Specify first point: 0,0"),
        QStringLiteral("Specify next point or [Undo]: 10,0"),
        QStringLiteral("Specify next point or [Undo]:"),
        QStringLiteral("Command: -LAYER"),
        QStringLiteral("Enter an option [?/Make/Set/New/ON/OFF/Color/Ltype/LWeight/Plot/Freeze/Thaw]: M"),
        QStringLiteral("Enter name for new layer (becomes the current layer) <0>: WALLS"),
        QStringLiteral("Select objects:  1 found"),
        QStringLiteral("Specify opposite corner:"),
        QStringLiteral("Regenerating model."),
    };
    QStringList out;
    out.reserve(lines);
    for (int i = 0; i < lines; ++i)
        out << sample[i % 10];
    return out.join(QStringLiteral("\r\n\r\n")) + QStringLiteral("\r\n\r\n");
}

void BM_Capture100k(benchmark::State &state)
{
    ensureApplication();
    QTemporaryDir dir;
    AppEnvironment::overrideProgramFolder(dir.path());
    {
        frmcapture window(std::function<ScriptFacts *()>(), nullptr);
        QGuiApplication::clipboard()->setText(pastedHistory(100000));
        const QString script = captureCommands(pastedHistory(100000));
        // Each press and each paste-then-press starts from a fresh paste into emptied boxes.
        const auto emptyBoxes = [&window] {
            window.Text1->clear();
            window.Text2->clear();
        };
        double press = 0, pasteAndPress = 0, box = 0;
        for (auto _ : state) {
            state.PauseTiming();
            // The paste belongs to the user, and so does the time spent reading it before the press,
            // in which the capture of the paste is made in the background.
            emptyBoxes();
            window.cmdPastefromClip_Click();
            window.capturePreparer().wait();
            state.ResumeTiming();
            auto start = std::chrono::steady_clock::now();
            window.cmdParseScr_Click();
            press += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            state.PauseTiming();
            window.Text2->clear();
            // The peer: a bare text box of the same kind (lines unwrapped) taking the captured script.
            {
                QPlainTextEdit bare;
                bare.setLineWrapMode(QPlainTextEdit::NoWrap);
                start = std::chrono::steady_clock::now();
                bare.setPlainText(script);
                box += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            }
            // The press right after the paste, waiting for the background work.
            emptyBoxes();
            start = std::chrono::steady_clock::now();
            window.cmdPastefromClip_Click();
            window.cmdParseScr_Click();
            pasteAndPress += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            state.ResumeTiming();
        }
        state.counters["lines"] = 100000;
        state.counters["text_box_ms"] = box * 1000 / double(state.iterations());
        state.counters["paste_and_press_ms"] = pasteAndPress * 1000 / double(state.iterations());
        state.counters["vs_text_box"] = press / box;
    }
    AppEnvironment::overrideProgramFolder(QString());
}

void BM_CaptureCommands100k(benchmark::State &state)
{
    const QString input = pastedHistory(100000);
    for (auto _ : state) {
        const QString script = captureCommands(input);
        benchmark::DoNotOptimize(script.size());
    }
    state.counters["lines"] = 100000;
}

// The floor under BM_Capture100k: a bare text document, with no window, taking the same captured
// script.
void BM_TextDocumentTakesCapture100k(benchmark::State &state)
{
    ensureApplication();
    const QString script = captureCommands(pastedHistory(100000));
    for (auto _ : state) {
        QTextDocument document;
        document.setPlainText(script);
        benchmark::DoNotOptimize(document.blockCount());
    }
}

} // namespace

BENCHMARK(BM_Capture100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CaptureCommands100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextDocumentTakesCapture100k)->Unit(benchmark::kMillisecond);
