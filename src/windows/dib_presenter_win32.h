// Shows the engine's surfaces on a window. A surface's pixels are laid out as a top-down
// 32-bit DIB, so GDI copies the changed area straight from the surface onto the window:
// no DIB section in between and no copy of our own. Also a surface as a pattern brush.
#pragma once

#include <windows.h>

#include <span>

#include "base/geometry.h"
#include "engine/surface.h"
#include "saver/presentation_plan.h"

namespace velnor {

// Copies the part `source` of `surface` (clipped to the surface) to `target`, the corner
// `source` names landing at `to`. False when GDI fails.
bool DrawSurface(HDC target, Point to, const Surface& surface, const Rect& source);

// A pattern brush of `surface`'s pixels, for painting backgrounds; the caller deletes it.
HBRUSH MakeSurfaceBrush(const Surface& surface);

class DibPresenter final : public FrameOutput {
  public:
    // Presents areas of `frame` (which must outlive this) on `target`, a device context the
    // window keeps for its lifetime (a class with its own DC).
    DibPresenter(HDC target, const Surface& frame) : target_(target), frame_(frame) {}

    bool Show(std::span<const Rect> areas) override;

    // Copies `area` of the frame onto `target` (for WM_PAINT).
    bool Repaint(HDC target, const Rect& area) const;

  private:
    HDC target_;
    const Surface& frame_;
};

}  // namespace velnor
