#pragma once
// Whole files on disk: their read-only state.

#include <QString>

namespace tess {

// Read-only: the owner's write permission is missing (the read-only attribute on Windows).
bool isReadOnlyFile(const QString &path);

} // namespace tess
