// Block copies between surfaces with the raster operations, and the rectangle fill and
// copy used to restore a changed area from the background. Every function clips against
// both surfaces first and does nothing when no pixel is left.
#pragma once

#include "base/geometry.h"
#include "engine/raster_ops.h"
#include "engine/surface.h"

namespace velnor {

// Combines the w x h block of `src` at (sx, sy) into `dst` at (x, y). Parts outside either
// surface are left out, keeping source and destination pixels aligned as the unclipped
// copy would. Returns the destination rectangle that was written (empty if none).
// `dst` and `src` must be different surfaces.
Rect BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op);

// Sets every pixel of `area` that lies on the surface.
void FillRect(Surface& dst, const Rect& area, Pixel colour);

// Copies `area` of `src` to the same place in `dst` (both clipped); restores a changed
// area of a frame from its background.
void CopyRect(Surface& dst, const Surface& src, const Rect& area);

}  // namespace velnor
