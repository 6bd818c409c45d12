// Scaled block copy in the colour-on-colour mode: each destination pixel takes the colour
// of one source pixel (rows and columns are dropped when shrinking and repeated when
// growing, never blended). Used to fit background pictures to the screen.
#pragma once

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {

// Copies the sw x sh block of `src` at (sx, sy), scaled to w x h, onto `dst` at (x, y).
// Destination pixel (x + i, y + j) takes source pixel
//   (sx + floor((2i + 1) * sw / (2w)), sy + floor((2j + 1) * sh / (2h))),
// the source pixel under the centre of the destination pixel. The destination may lie
// partly or wholly off `dst`; pixels mapped from outside `src` are left unchanged.
// Non-positive sizes draw nothing. Returns the destination rectangle written.
// `dst` and `src` must be different surfaces.
Rect StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh);

}  // namespace velnor
