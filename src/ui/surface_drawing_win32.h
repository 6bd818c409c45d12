// An engine surface on a device context: its pixels are laid out as a top-down 32-bit DIB,
// so GDI copies them straight from the surface, and a surface as a pattern brush.
#pragma once

#include <windows.h>

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {

// Copies the part `source` of `surface` (clipped to the surface) to `target`, the corner
// `source` names landing at `to`. False when GDI fails.
bool DrawSurface(HDC target, Point to, const Surface& surface, const Rect& source);

// A pattern brush of `surface`'s pixels, for painting backgrounds; the caller deletes it.
HBRUSH MakeSurfaceBrush(const Surface& surface);

}  // namespace velnor
