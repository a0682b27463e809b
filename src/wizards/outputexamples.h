#pragma once
// The output examples of the title-block wizard: beside each row, what the row's value becomes
// when the composer substitutes it. Date and time tags show today's texts as the composer makes
// them (one formatter, DateTagValues), user tags their values, "$USER$", "$COMPUTER$",
// "$TSL_PATH$" and "$FILECOUNTINQUEUE$" what this computer gives now, tags that depend on each
// drawing a note, fixed text nothing.

#include "batch/tagsubstitution.h"

#include <QString>
#include <array>

namespace tess {

// What the examples are computed from.
struct ExampleSources {
    DateTagValues dates;
    std::array<QString, 50> tags; // TAG1 to TAG50
    QString programPath;          // the program folder with its trailing separator
    QString loginName;
    QString computerName;
    qsizetype queueCount = 0;
};

// "(Output depends on file)"
QString fileDependentExample();

// The example of a row whose value is `value` and whose example shows `previous` now. The value is
// compared exactly, letter case counting: a known tag gives its example; a value that does not
// begin with "$" (the empty one too) gives ""; any other "$" text (a tag typed in other letter
// case, a tag the examples do not know) leaves `previous`.
QString outputExample(const QString &value, const QString &previous, const ExampleSources &sources);

} // namespace tess
