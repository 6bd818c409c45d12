// One-pixel lines drawn with a pen that keeps its position, as MoveTo/LineTo do: a line
// sets its first pixel and leaves out its last, and the pen moves to the end point.
// Lines may run anywhere in the 32-bit coordinate range; they are clipped to the surface
// before stepping, so a line costs time for its pixels on the surface only.
#pragma once

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {

// Sets the pixels of the line from `from` towards `to`, leaving out `to` itself. One pixel
// is set per step along the major axis (the axis of the larger difference); the minor
// coordinate is the exact one rounded to the nearest pixel centre. When the line passes
// exactly halfway between two pixels the upper one (smaller y) is set for x-major lines and
// the left one (smaller x) for y-major lines, whatever the direction of drawing, as the
// grid-intersection diamond rule of Windows cosmetic lines prescribes. Lines at 45 degrees
// and axis-parallel lines are exact. Pixels off the surface are skipped; the others are
// exactly those the unclipped line would set. When `touched` is given it grows to hold
// every pixel set.
void DrawLine(Surface& dst, Point from, Point to, Pixel colour, Rect* touched = nullptr);

// Copies from `src` exactly the pixels that DrawLine(dst, from, to, ...) would set; used to
// put back the background under the lines of the previous frame. Does nothing unless the
// two surfaces have the same size.
void CopyLine(Surface& dst, const Surface& src, Point from, Point to, Rect* touched = nullptr);

class LinePen {
  public:
    void MoveTo(Point p) { position_ = p; }
    // Draws from the pen position to `to` (see DrawLine) and moves the pen there.
    void LineTo(Surface& dst, Point to, Pixel colour, Rect* touched = nullptr) {
        DrawLine(dst, position_, to, colour, touched);
        position_ = to;
    }
    Point position() const { return position_; }

  private:
    Point position_;
};

}  // namespace velnor
