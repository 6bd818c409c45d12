// Filled discs without an outline, as a filled circle drawn with a null pen: used for the
// rings of the orbiting ball's sprite and for its mask.
#pragma once

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {

// Fills the disc of `radius` about (cx, cy) in surface coordinates, where pixel (x, y)
// covers the unit square from (x, y) to (x + 1, y + 1): a pixel is set when its centre
// (x + 0.5, y + 0.5) lies inside the circle. So the disc of radius 24 about (24, 24) is
// the circle inscribed in a 48 x 48 square, symmetric in both axes. A radius <= 0 draws
// nothing; pixels off the surface are skipped. Returns the rectangle of pixels set.
Rect FillCircle(Surface& dst, int cx, int cy, int radius, Pixel colour);

}  // namespace velnor
