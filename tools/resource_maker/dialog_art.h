// Pictures of the settings dialog and the program's cursors: the tiling panel texture,
// the orbiting ball's mask, and the two pointing-hand cursors.
#pragma once

#include "engine/surface.h"
#include "resource_maker/resource_formats.h"

namespace velnor::resources {

// 832 x 20, a light grey-blue brushed texture that tiles seamlessly in both directions.
Surface MakePanelTexture();

// 32 x 32, 16 colours, the fingertip at the hot spot (12, 1).
CursorImage MakeHandCursor();

// 32 x 32, black and white, the same hand lower so the fingertip is at (12, 10).
CursorImage MakeLinkHandCursor();

}  // namespace velnor::resources
