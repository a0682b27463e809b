#pragma once
// The SAVEAS options that need no window: the output formats offered and the example file name.

#include <QString>
#include <QStringList>
#include <functional>

namespace tess {

// The formats the batch script can save to, "Don't Change" first (no format argument).
QStringList saveAsFormatList();

// The tag substitution the example uses: text, counter, drawing path, file number.
using TagSubstitution = std::function<QString(const QString &, qint32, const QString &, qint16)>;

// The example output name for the first queued drawing: prefix + title + suffix + ".DWG", where
// title is the drawing's file name without its last four characters and prefix and suffix have
// their tags substituted for counter 1 (the title stands for the drawing path, file number 0).
// A folder ("This Location") is substituted the same way and put in front as the batch script
// writes it: joined by the separator it uses (or the platform's) when it does not end in one.
QString saveAsExampleName(const QString &firstEntry, const QString &prefix, const QString &suffix,
                          const TagSubstitution &substitute, const QString &folder = QString());

} // namespace tess
