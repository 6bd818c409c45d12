// The orbiting ball: its shaded 48 x 48 sprite, the fixed mask it is drawn through, and
// the masked copy that puts it on a frame. The saver and the dialog's still picture each
// own a sprite surface and a mask.
#pragma once

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {

inline constexpr int kSpriteSize = 48;
inline constexpr int kHighlightDirections = 4;

// Paints the shaded disc onto `sprite` (normally 48 x 48), whatever it held before: the
// disc of radius cx about (cx, cy) in the base colour, then rings k = 0, 1, ... of radius
// cx - 2k in colour (base + 16k, limited to 255), each ring a filled circle without
// outline about a centre that walks towards the highlight:
//   highlight 0: (cx - k, cy - k) up and left     1: (cx + k, cy + k) down and right
//             2: (cx - 1, cy + k) down              3: (cx + k, cy - k) up and right
// Only rings with a positive radius are painted, and only inside the mask's disc: ring 0
// of highlight 2 would reach one pixel beyond it on the left. Everything outside that
// disc is black, so the masked copy leaves the frame unchanged there. The saver chooses the
// highlight at random (floor(r * 4)); the dialog's sample always passes 0.
void PaintOrbitingBall(Surface& sprite, int red, int green, int blue, int highlight);

// The fixed mask: a black disc inscribed in a size x size square, white elsewhere.
Surface MakeOrbitingBallMask(int size = kSpriteSize);

// Draws the sprite onto `target` at (x, y): the mask with AND (the disc becomes black,
// the rest keeps the frame), then the sprite with XOR (the disc takes the sprite's
// colours). Clipped; returns the rectangle of `target` that may have changed.
Rect DrawOrbitingBall(Surface& target, int x, int y, const Surface& mask, const Surface& sprite);

}  // namespace velnor
