// The picture beside the installer's finish page: the wire ball and its orbiting ball in
// a night sky, in the size the installer's page expects.
#pragma once

#include "engine/surface.h"

namespace velnor::resources {

inline constexpr int kInstallerSideWidth = 164;
inline constexpr int kInstallerSideHeight = 314;

// kInstallerSideWidth x kInstallerSideHeight, opaque.
Surface MakeInstallerSide();

}  // namespace velnor::resources
