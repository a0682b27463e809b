#pragma once
// The program's font: the system's sans-serif face at 8 points, the size every fixed window's
// control sizes assume.

namespace tess {

inline constexpr int kProgramFontPointSize = 8;

// Sets the application font; call once after the application object exists, before any window
// is built.
void applyProgramFont();

} // namespace tess
