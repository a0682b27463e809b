#pragma once
// Login and computer names and the Windows version, read from the system.

#include <QString>

namespace tess {

// The plain names as the system reports them ("" when it reports none).
QString systemLoginName();
QString systemComputerName();

} // namespace tess
