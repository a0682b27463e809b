#pragma once
// "Create && &RUN Batch Script": makes sure an AutoCAD program is set, runs the composer with the
// completion window's run variant and, after a composition that wrote the batch script, starts
// AutoCAD on it without waiting.

#include <QString>
#include <functional>

namespace tess {

class BatchComposer;

// The Options the run reads as the dialog shows them, and showing the dialog without waiting.
struct AutoCadOptions {
    std::function<QString()> program;  // tbAutoCadEXE
    std::function<QString()> switches; // tbSwitches
    std::function<void()> showOptions;
};

// True when AutoCAD was started. An empty or missing AutoCAD program shows "Setup Issue" and the
// Options dialog (not modal); a composer that stopped starts nothing and says nothing more.
// nightRun: the night run started it (the composer's argument).
bool cmdCreateAndRun_Click(BatchComposer &composer, const AutoCadOptions &options, bool nightRun = false);

} // namespace tess
