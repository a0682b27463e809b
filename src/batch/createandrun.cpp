#include "batch/createandrun.h"

#include "batch/autocadlaunch.h"
#include "batch/batchcomposer.h"
#include "core/autocadprogram.h"
#include "core/processhelpers.h"

namespace tess {

namespace {

void setupIssue(const AutoCadOptions &options)
{
    showSetupIssue();
    if (options.showOptions)
        options.showOptions();
}

} // namespace

bool cmdCreateAndRun_Click(BatchComposer &composer, const AutoCadOptions &options, bool nightRun)
{
    if (composer.isComposing())
        return false; // one composition at a time
    const QString configured = options.program ? options.program() : QString();
    if (configured.trimmed().isEmpty()) {
        setupIssue(options);
        return false;
    }
    composer.useRunVariantOnce();
    if (!composer.Command1_Compile_Click(nightRun))
        return false; // the composer has said why
    // The program is looked for after the composition: the batch script stays written either way.
    // A configured name with another extension (acad.bin) starts the ".EXE" beside it.
    const std::optional<QString> program = autoCadProgramToStart(configured);
    if (!program) {
        setupIssue(options);
        return false;
    }
    const AutoCadStartLine line =
        autoCadStartLine(*program, options.switches ? options.switches() : QString(), composer.lastScriptPath());
    return startProgram(line.program, line.arguments, QString(), line.commandLine).ok;
}

} // namespace tess
