#pragma once
// The program's own addresses, shown in boxes and opened by links. They are neutral: the program
// has no installer site, support mailbox or add-on page of its own, and the reserved ".invalid"
// domain never reaches anyone by mistake.

#include <QString>

namespace tess {

inline QString supportEmailAddress() { return QStringLiteral("support@tessaline.invalid"); }
inline QString installerAddress() { return QStringLiteral("https://tessaline.invalid/install"); }
inline QString addOnAddress() { return QStringLiteral("https://tessaline.invalid/velquintar/"); }

} // namespace tess
