#pragma once
// The stored filter lists: one pattern per line in DATA, a shared file and a personal one per
// login. The drawing filter window uses "DWGFilter.DAT" and login + "-DWGFilter.DAT"; the script
// filter windows use the same rules with their own files.

#include "core/fileio.h"
#include "core/settingskeys.h"

#include <QString>
#include <QStringList>

namespace tess {

// What tells one stored-filter window from another.
struct FilterWindowConfig {
    const char *objectName;
    const char *caption;          // window caption
    const char *patternInitial;    // the pattern box's initial text
    const char *checkCaption;     // the personal-list check box
    const char *sharedFile;       // file name in DATA
    const char *personalEnding;   // after the login name
    OtherSetting personalSetting; // "1" = the personal list
};
const FilterWindowConfig &drawingFilterConfig();

// DATA + the shared file, or DATA + login + the personal ending.
QString filterListPath(const FilterWindowConfig &config, bool personal);

struct FilterListRead {
    FileResult result; // a missing file is created empty and reads as an empty list
    QStringList entries;
};
FilterListRead loadFilterList(const QString &path);
FileResult saveFilterList(const QString &path, const QStringList &entries);
// Adds text at its sorted place unless it is empty or an entry equals it exactly (case counts).
bool addFilterPattern(QStringList &sorted, const QString &text);

} // namespace tess
