#pragma once
// The launcher's shell "open": a file, folder or address in the program the desktop associates
// with it.

#include "core/launcher.h"

namespace tess {

class UiLauncher final : public Launcher
{
public:
    LaunchResult open(const QString &target, const QString &workingFolder) override;
};

} // namespace tess
