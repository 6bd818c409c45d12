// Access to the pictures stored in Velnor.scr as surfaces: the two sample backgrounds
// (JPEG data decoded by WIC), the preview's still picture, the ball mask and the panel
// texture (bitmaps). Cursors and the icon are loaded with LoadCursorW / LoadImageW and
// the identifiers of resources/resource_ids.h.
#pragma once

#include <windows.h>

#include <optional>

#include "engine/surface.h"

namespace velnor {

// Sample picture `sampleChoice` (0: the planet, 400 x 300; 1: the nebula, 512 x 384).
// Anything else, or a resource that cannot be read, gives std::nullopt.
std::optional<Surface> LoadSamplePicture(HINSTANCE instance, int sampleChoice);

// A BITMAP resource (IDB_PREVIEW_STILL, IDB_BALL_MASK, IDB_PANEL_TEXTURE).
std::optional<Surface> LoadBitmapSurface(HINSTANCE instance, int bitmapId);

}  // namespace velnor
