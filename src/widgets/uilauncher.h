#pragma once
// The launcher's shell "open": a file, folder or address in the program the desktop associates
// with it. Outside Windows and macOS the desktop's opener (xdg-open) runs as a process of its own;
// its exit status arrives later, and an opener that ends with an error is reported then (the
// LateFailure given, else the box of a failed opening).

#include "core/launcher.h"

namespace tess {

class UiLauncher final : public Launcher
{
public:
    LaunchResult open(const QString &target, const QString &workingFolder, const LateFailure &lateFailure) override;
};

} // namespace tess
