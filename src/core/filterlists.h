#pragma once
// The stored filter lists: one pattern per line in DATA, a shared file and a personal one per
// login. The drawing filter window uses "DWGFilter.DAT" and login + "-DWGFilter.DAT"; the script
// filter windows use the same rules with their own files.

#include "core/fileio.h"
#include "core/settingskeys.h"

#include <QString>
#include <QStringList>

namespace tess {

// One control of a stored-filter window, in twips.
struct FilterControlPlace {
    int left, top, width, height;
};

// Where a stored-filter window places its controls; the drawing filter window's by default.
struct FilterWindowLayout {
    int clientWidth = 2685;
    int clientHeight = 4485;
    FilterControlPlace list{135, 120, 2415, 2985};
    FilterControlPlace check{135, 3195, 2415, 285};
    FilterControlPlace pattern{135, 3540, 2415, 315};
    FilterControlPlace remove{135, 4005, 1095, 315};
    FilterControlPlace add{1455, 4005, 1095, 315};
};

// What tells one stored-filter window from another.
struct FilterWindowConfig {
    const char *objectName;
    const char *caption;          // window caption
    const char *patternInitial;   // the pattern box's initial text
    const char *checkCaption;     // the personal-list check box
    const char *sharedFile;       // file name in DATA
    const char *personalEnding;   // after the login name
    OtherSetting personalSetting; // "1" = the personal list
    const char *patternBoxName = "tbDWGFilter";
    bool removeEnabledAtStart = false; // "&Remove" before the first load
    FilterWindowLayout layout{};
};
const FilterWindowConfig &drawingFilterConfig();

// DATA + the shared file, or DATA + login + the personal ending.
QString filterListPath(const FilterWindowConfig &config, bool personal);

struct FilterListRead {
    FileResult result; // a missing file is created empty and reads as an empty list
    QStringList entries;
    bool created = false; // the file was missing and has been created empty
};
FilterListRead loadFilterList(const QString &path);
FileResult saveFilterList(const QString &path, const QStringList &entries);
// Adds text at its sorted place unless it is empty or an entry equals it exactly (case counts).
bool addFilterPattern(QStringList &sorted, const QString &text);

} // namespace tess
