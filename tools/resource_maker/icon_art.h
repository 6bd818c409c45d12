// The program's icon: a small wire ball with its orbiting ball, drawn with smooth lines
// at each icon size (so the small sizes stay legible) and the preview's still picture.
#pragma once

#include "engine/surface.h"

namespace velnor::resources {

// A square image of `size` pixels; the high byte of each pixel is its opacity.
Surface MakeIconImage(int size);

// The 161 x 114 still picture of the wire ball on black shown in the host's preview
// pane, drawn by the engine's own wire-ball code.
Surface MakePreviewStill();

}  // namespace velnor::resources
