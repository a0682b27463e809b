#pragma once
// The per-user skip list: DATA\"!Skipped_" + login name + ".lst", one skipped drawing path per
// line. Lines are only ever appended.

#include "core/fileio.h"

#include <QString>

namespace tess {

QString skipListPath();
// Appends path + CR LF to the skip list, creating DATA and the file when missing. The file is
// rewritten whole through the file module, so a failure leaves the list as it was.
FileResult appendToSkipList(const QString &path);

} // namespace tess
